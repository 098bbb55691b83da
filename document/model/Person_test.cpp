#include <gtest/gtest.h>

#include "document/model/DocProperties.h"
#include "document/model/ModelTestSupport.h"
#include "document/model/Person.h"

using PersonTest = ModelTest;

TEST_F(PersonTest, DisplayNamePrefersFullNameThenNameThenEmail)
{
    struct Case {
        const wchar_t* name;
        const wchar_t* fullName;
        const wchar_t* email;
        const wchar_t* display;
    } cases[] = {
        {L"ann", L"Ann Smith", L"ann@example.org", L"Ann Smith"},
        {L"ann", L"", L"ann@example.org", L"ann"},
        {L"", L"", L"ann@example.org", L"ann@example.org"},
        {L"", L"Ann Smith", L"", L"Ann Smith"},
        {L"", L"", L"", L""},
    };
    for (const Case& c : cases) {
        const Person person(0, c.name, L"", c.fullName, c.email, 0);
        EXPECT_EQ(person.GetDisplayName(), c.display) << c.name << c.fullName << c.email;
    }
}

TEST_F(PersonTest, PeopleAndGroupsShareOneCounter)
{
    Person::SetIdCounter(10);
    const Person person(0, L"bob", L"neighbour", L"Bob Jones", L"bob@example.org", 1);
    const Person group(1, L"Family", L"", L"", L"", 0);
    EXPECT_EQ(person.GetId(), 11);
    EXPECT_EQ(group.GetId(), 12);
    EXPECT_TRUE(group.IsGroup());
    EXPECT_FALSE(person.IsGroup());
    EXPECT_EQ(person.GetDescription(), L"neighbour");

    Person copy(person);
    EXPECT_EQ(copy, person);
    EXPECT_EQ(copy.GetRequireInvitation(), 1);
    copy.SetRequireInvitation(0);
    EXPECT_FALSE(copy == person);
}

TEST_F(PersonTest, DocPropertiesClearGivesTheDefault)
{
    DocProperties properties;
    properties.SetAuthor(L"Ann");
    properties.SetCompany(L"Mellowbrake");
    properties.SetManager(L"Bob");
    properties.SetAddress(L"1 Main St");
    properties.SetTitle(L"Plan 2024");
    EXPECT_TRUE(properties != DocProperties());
    DocProperties copy(properties);
    EXPECT_EQ(copy, properties);
    copy.SetTitle(L"Plan 2025");
    EXPECT_FALSE(copy == properties);

    properties.Clear();
    EXPECT_EQ(properties, DocProperties());
    EXPECT_TRUE(properties.GetTitle().empty());
}
