#include <gtest/gtest.h>

#include "foundation/ComPtr.h"
#include "mail/CMimeMessage.h"
#include "mail/MimeCharset.h"
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

// Subject and text the way the mail loader takes them from a MIME mail.
std::pair<EString, EString> ReadMime(const std::string& text)
{
    CMimeMessage message;
    message.Load(text.data(), text.size());
    EString subject;
    if (const CMimeField* field = message.FindField("Subject"))
        subject = MimeTextToWide(field->GetValue(), field->GetCharset());
    EString body;
    std::vector<CMimeBody*> leaves;
    message.GetLeaves(leaves);
    for (CMimeBody* leaf : leaves)
        if (leaf->GetMediaType() == MediaText)
            body = MimeTextToWide(leaf->GetContent(), leaf->GetCharset());
    return {subject, body};
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
