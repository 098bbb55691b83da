#include <gtest/gtest.h>

#include "online/CredentialText.h"
#include "online/StoredPassword.h"

TEST(StoredPasswordTest, AProtectedPasswordReadsBackAndShowsNothingOfIt)
{
    for (const wchar_t* password : {L"secret", L"p\u00E4ss w\u20ACrd", L"123456789012345678901234567890"}) {
        const EString stored = StoredPassword::Protect(password);
        ASSERT_FALSE(stored.empty()) << "the system refused to protect it";
        EXPECT_EQ(stored.find(L"dpapi:"), 0u);
        const std::string plain = CredentialText::Encode(password);
        EXPECT_EQ(stored.find(EString(std::wstring(plain.begin(), plain.end()))), EString::npos);
        EXPECT_EQ(StoredPassword::Read(stored), password);
    }
    EXPECT_EQ(StoredPassword::Protect(L""), L"");
}

TEST(StoredPasswordTest, ReadsTheOldFormAndRefusesDamagedValues)
{
    const struct {
        const wchar_t* stored;
        const wchar_t* password;
    } cases[] = {
        {L"cwBlAGMAcgBlAHQA", L"secret"}, // the old form: Base64 of the UTF-16LE bytes
        {L"cwBlAGM=", L"se"},             // an odd byte at the end is dropped
        {L"", L""},
        {L"dpapi:", L""},
        {L"dpapi:AAAAAAAA", L""},         // not a protected value
        {L"dpapi:cwBlAGMAcgBlAHQA", L""}, // the old form does not pass for a protected one
    };
    for (const auto& c : cases)
        EXPECT_EQ(StoredPassword::Read(c.stored), c.password) << c.stored;
}
