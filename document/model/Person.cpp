#include "document/model/Person.h"

#include "document/model/IdCounter.h"

namespace {
IdCounter g_ids;
}

Person::Person(int isGroup, const EString& name, const EString& description, const EString& fullName,
               const EString& email, int requireInvitation)
    : NamedEntry(NextId(), name, description), m_isGroup(isGroup ? 1 : 0), m_fullName(fullName),
      m_requireInvitation(requireInvitation), m_email(email)
{
}

EString Person::GetDisplayName() const
{
    if (!m_fullName.empty())
        return m_fullName;
    if (!GetName().empty())
        return GetName();
    return m_email;
}

bool Person::operator==(const Person& other) const
{
    return NamedEntry::operator==(other) && m_isGroup == other.m_isGroup && m_fullName == other.m_fullName &&
           m_requireInvitation == other.m_requireInvitation && m_email == other.m_email;
}

int Person::NextId()
{
    return g_ids.Next();
}

void Person::SetIdCounter(int value)
{
    g_ids.Set(value);
}
