#include <gtest/gtest.h>

#include "foundation/ComPtr.h"
#include "mail/CMimeMessage.h"
#include "mail/MimeMailTexts.h"
#include "mail/MimeRegistry.h"
#include "mail/MsgFileBuilder.h"
#include "mail/OulookMessage.h"

namespace {

const wchar_t Subject[] = L"Caf\xE9 meeting \x2013 \x41F\x43B\x430\x43D";
const wchar_t Body[] = L"Bring the figures.\r\nGr\xFC\xDF" L"e, \x30C6\x30B9\x30C8";

std::string Utf8(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    bytes.pop_back();
    return bytes;
}

std::pair<EString, EString> ReadMime(const std::string& text)
{
    CMimeMessage message;
    message.Load(text.data(), text.size());
    return {MimeMailSubject(message), MimeMailText(message)};
}

} // namespace

TEST(MailReadersTest, OutlookAndMimeFormsReadTheSame)
{
    RegisterDefaultMimeCodings();
    MsgFileBuilder file;
    file.AddUnicodeProperty(L"", 0x0E1D, Subject);
    file.AddUnicodeProperty(L"", 0x1000, Body);
    const ComPtr<IEmailMessage> outlook(new OulookMessage(file.GetBytes()));
    EXPECT_EQ(outlook->GetSubject(), Subject);
    EXPECT_EQ(outlook->GetBody(), Body);

    CMimeMessage mime;
    mime.SetFieldValue("Subject", Utf8(Subject), "UTF-8");
    mime.SetCharset("UTF-8");
    mime.SetFieldValue("Content-Transfer-Encoding", "base64");
    mime.SetContent(Utf8(Body).c_str());
    std::string stored;
    mime.Store(stored);
    ASSERT_EQ(stored.find('\xC3'), std::string::npos) << stored;
    const auto [mimeSubject, mimeBody] = ReadMime(stored);
    EXPECT_EQ(mimeSubject, outlook->GetSubject());
    EXPECT_EQ(mimeBody, outlook->GetBody());
}

TEST(MailReadersTest, ABrokenBodyKeepsTheHeader)
{
    RegisterDefaultMimeCodings();
    const std::string text =
        "Subject: =?UTF-8?Q?Re:_Meeting?=\r\n"
        "From: ann@example.com\r\n"
        "Date: Fri, 1 Mar 2024 09:30:00 +0100\r\n"
        "Content-Type: multipart/mixed; boundary=x\r\n"
        "\r\n"
        "--x\r\n"
        "Content-Type: text/plain; charset=utf-8\r\n"
        "Content-Transfer-Encoding: base64\r\n"
        "\r\n"
        "@@@@ not base64\r\n"
        "--x\r\n"
        "Content-Type: text/plain\r\n"
        "Content-Transfer";
    CMimeMessage message;
    message.Load(text.data(), text.size());
    EXPECT_EQ(message.GetFieldValue("Subject"), std::string("Re: Meeting"));
    EXPECT_EQ(message.GetFieldValue("From"), std::string("ann@example.com"));
    EXPECT_EQ(message.GetFieldValue("Date"), std::string("Fri, 1 Mar 2024 09:30:00 +0100"));
    EXPECT_EQ(ReadMime(text).first, L"Re: Meeting");
}

TEST(MailReadersTest, SubjectsReadEachPartInItsOwnCharset)
{
    RegisterDefaultMimeCodings();
    const struct {
        const char* subject;
        const wchar_t* expected;
    } cases[] = {
        {"=?ISO-8859-1?Q?Caf=E9_?= =?KOI8-R?B?8NLJ18XU?=", L"Caf\xE9 \x41F\x440\x438\x432\x435\x442"},
        {"=?UTF-8?Q?Gr=C3=BC=C3=9Fe?= =?utf-8?Q?_aus_K=C3=B6ln?=", L"Gr\xFC\xDF" L"e aus K\xF6ln"},
        {"Gr\xC3\xBC\xC3\x9F" "e", L"Gr\xFC\xDF" L"e"},
        {"Caf\xE9 au lait", L"Caf\xE9 au lait"},
        {"Gr\xC3\xBC\xC3\x9F" "e =?ISO-8859-1?Q?Caf=E9?=", L"Gr\xFC\xDF" L"e Caf\xE9"},
        {"Caf\xE9 =?KOI8-R?B?8NLJ18XU?=", L"Caf\xE9 \x41F\x440\x438\x432\x435\x442"},
    };
    for (const auto& c : cases) {
        const std::string mail = std::string("Subject: ") + c.subject + "\r\n\r\nbody\r\n";
        EXPECT_EQ(ReadMime(mail).first, c.expected) << c.subject;
    }
}

TEST(MailReadersTest, AttachedTextIsNotTheMailsText)
{
    RegisterDefaultMimeCodings();
    const std::string head =
        "Subject: s\r\n"
        "Content-Type: multipart/mixed; boundary=m\r\n"
        "\r\n";
    const std::string plain = "--m\r\nContent-Type: text/plain\r\n\r\nthe mail\r\n";
    const std::string html = "--m\r\nContent-Type: text/html\r\nContent-Disposition: inline\r\n\r\n<p>rich</p>\r\n";
    const std::string notes =
        "--m\r\nContent-Type: text/plain; name=notes.txt\r\n"
        "Content-Disposition: attachment; filename=notes.txt\r\n\r\nattached notes\r\n";
    const std::string invitation =
        "--m\r\nContent-Type: text/calendar; method=REQUEST\r\n"
        "Content-Disposition: ATTACHMENT ; filename=\"invite.ics\"\r\n"
        "Content-Transfer-Encoding: base64\r\n\r\nQkVHSU46VkNBTEVOREFS\r\n";
    const std::string inlineInvitation = "--m\r\nContent-Type: TEXT/Calendar; method=REQUEST\r\n\r\nBEGIN:VCALENDAR\r\n";
    const struct {
        std::string parts;
        const wchar_t* text;
    } cases[] = {
        {plain + notes, L"the mail"},
        {plain + html + invitation, L"<p>rich</p>"},
        {plain + invitation + notes, L"the mail"},
        {plain + html + inlineInvitation, L"<p>rich</p>"},
        {notes + invitation, L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadMime(head + c.parts + "--m--\r\n").second, c.text) << c.parts;
}
