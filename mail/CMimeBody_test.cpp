#include <gtest/gtest.h>

#include "mail/CMimeMessage.h"
#include "testing/TestSupport.h"
#include "mail/MimeCharset.h"
#include "mail/MimeRegistry.h"

namespace {

// A mail as a common client sends it: alternatives, encoded and folded headers.
const char AlternativeMail[] =
    "From: =?UTF-8?Q?Ren=C3=A9e?= <renee@example.com>\r\n"
    "To: team@example.com\r\n"
    "Subject: =?UTF-8?B?UXVhcnRlcmx5?=\r\n"
    " =?UTF-8?Q?_review_=E2=80=93_Q3?=\r\n"
    "Date: Fri, 1 Mar 2024 09:30:00 +0100\r\n"
    "MIME-Version: 1.0\r\n"
    "Content-Type: multipart/alternative;\r\n"
    "\tboundary=\"------------a1b2 c3\"\r\n"
    "\r\n"
    "This is a multi-part message in MIME format.\r\n"
    "--------------a1b2 c3\r\n"
    "Content-Type: text/plain; charset=UTF-8; format=flowed\r\n"
    "Content-Transfer-Encoding: quoted-printable\r\n"
    "\r\n"
    "Caf=C3=A9 at ten, then the review. A long line that the sender broke wit=\r\n"
    "h a soft break.\r\n"
    "--------------a1b2 c3\r\n"
    "Content-Type: text/html; charset=UTF-8\r\n"
    "Content-Transfer-Encoding: base64\r\n"
    "\r\n"
    "PGh0bWw+PGJvZHk+Q2Fmw6kgYXQgdGVuPC9ib2R5PjwvaHRtbD4=\r\n"
    "\r\n"
    "--------------a1b2 c3--\r\n"
    "epilogue that nobody reads\r\n";

std::string WithBareLineFeeds(std::string text)
{
    for (size_t pos; (pos = text.find("\r\n")) != std::string::npos;)
        text.erase(pos, 1);
    return text;
}

std::vector<CMimeBody*> Leaves(CMimeBody& body)
{
    std::vector<CMimeBody*> leaves;
    const size_t count = body.GetLeaves(leaves);
    EXPECT_EQ(count, leaves.size());
    return leaves;
}

} // namespace

class CMimeBodyTest : public testing::Test {
protected:
    void SetUp() override { RegisterDefaultMimeCodings(); }
};

TEST_F(CMimeBodyTest, ReadsAlternatives)
{
    for (const std::string& text : {std::string(AlternativeMail), WithBareLineFeeds(AlternativeMail)}) {
        CMimeMessage message;
        EXPECT_EQ(message.Load(text.data(), text.size()), static_cast<ptrdiff_t>(text.find("epilogue")));
        const CMimeField* subject = message.FindField("SUBJECT");
        ASSERT_NE(subject, nullptr);
        EXPECT_EQ(MimeTextToWide(subject->GetValue(), subject->GetCharset()), L"Quarterly review \x2013 Q3");
        EXPECT_EQ(MimeTextToWide(message.GetFieldValue("From"), "UTF-8"), L"Ren\xE9" L"e <renee@example.com>");
        EXPECT_EQ(message.GetContent(), "This is a multi-part message in MIME format.");
        EXPECT_EQ(message.GetMediaType(), MediaMultipart);
        EXPECT_EQ(message.GetSubType(), "alternative");

        const std::vector<CMimeBody*> leaves = Leaves(message);
        ASSERT_EQ(leaves.size(), 2u);
        EXPECT_EQ(leaves[0]->GetSubType(), "plain");
        EXPECT_EQ(leaves[0]->GetCharset(), "UTF-8");
        const std::string plain = leaves[0]->GetContent();
        EXPECT_EQ(MimeTextToWide(plain, "utf-8"),
                  L"Caf\xE9 at ten, then the review. A long line that the sender broke with a soft break.");
        EXPECT_EQ(leaves[1]->GetContent(), "<html><body>Caf\xC3\xA9 at ten</body></html>");
    }
}

TEST_F(CMimeBodyTest, NestedPartsAndAttachments)
{
    const std::string text =
        "Subject: report\r\n"
        "Content-Type: multipart/mixed; boundary=outer\r\n"
        "\r\n"
        "--outer\r\n"
        "Content-Type: multipart/alternative; boundary=\"inner\"\r\n"
        "\r\n"
        "--inner\r\n"
        "\r\n"
        "no header, so plain text\r\n"
        "--inner\r\n"
        "Content-Type: text/html\r\n"
        "\r\n"
        "<p>html</p>\r\n"
        "--inner--\r\n"
        "--outer\r\n"
        "Content-Type: application/pdf; name=\"r.pdf\"\r\n"
        "Content-Transfer-Encoding: BASE64\r\n"
        "\r\n"
        "JVBERi0=\r\n"
        "--outer\r\n"
        "Content-Type: text/x-unknown\r\n"
        "Content-Transfer-Encoding: x-uuencode\r\n"
        "\r\n"
        "kept=20as it is\r\n"
        "--outer--\r\n";
    CMimeMessage message;
    EXPECT_EQ(message.Load(text.data(), text.size()), static_cast<ptrdiff_t>(text.size()));
    ASSERT_EQ(message.GetParts().size(), 3u);
    const std::vector<CMimeBody*> leaves = Leaves(message);
    ASSERT_EQ(leaves.size(), 4u);
    EXPECT_EQ(leaves[0]->GetContent(), "no header, so plain text");
    EXPECT_EQ(leaves[0]->GetMainType(), "text");
    EXPECT_EQ(leaves[0]->GetSubType(), "plain");
    EXPECT_EQ(leaves[1]->GetContent(), "<p>html</p>");
    EXPECT_EQ(leaves[3]->GetContent(), "kept=20as it is");

    std::vector<CMimeBody*> attachments;
    ASSERT_EQ(message.GetAttachments(attachments), 1u);
    EXPECT_EQ(attachments[0]->GetName(), "r.pdf");
    EXPECT_EQ(attachments[0]->GetContent(), "%PDF-");
}

TEST_F(CMimeBodyTest, DelimitersAreWholeLines)
{
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> leaves;
    } cases[] = {
        {"boundary of dashes over lines of dashes",
         "Content-Type: multipart/mixed; boundary=\"----\"\r\n\r\n"
         "------\r\nContent-Type: text/plain\r\n\r\n-------\r\n--------x\r\n----------\r\n"
         "------\r\nContent-Type: text/plain\r\n\r\nsecond\r\n"
         "--------\r\n",
         {"-------\r\n--------x\r\n----------", "second"}},
        {"lines that only start like a delimiter",
         "Content-Type: multipart/mixed; boundary=b\r\n\r\n"
         "--b\r\nContent-Type: text/plain\r\n\r\n--bx\r\n--b more\r\n --b\r\n"
         "--b \t\r\nContent-Type: text/plain\r\n\r\nlast\r\n"
         "--b--  \r\n",
         {"--bx\r\n--b more\r\n --b", "last"}},
        {"inner boundary that starts with the outer one",
         "Content-Type: multipart/mixed; boundary=abc\n\n"
         "--abc\nContent-Type: multipart/alternative; boundary=abc-1\n\n"
         "--abc-1\nContent-Type: text/plain\n\ninner\n--abc-1--\n"
         "--abc\nContent-Type: text/plain\n\nouter\n"
         "--abc--\n",
         {"inner", "outer"}},
    };
    for (const Case& c : cases) {
        CMimeMessage message;
        EXPECT_EQ(message.Load(c.text.data(), c.text.size()), static_cast<ptrdiff_t>(c.text.size())) << c.what;
        std::vector<std::string> contents;
        for (const CMimeBody* leaf : Leaves(message))
            contents.push_back(leaf->GetContent());
        EXPECT_EQ(contents, c.leaves) << c.what;
    }
}

TEST_F(CMimeBodyTest, DamagedMessagesKeepWhatWasRead)
{
    struct Case {
        const char* what;
        std::string text;
        ptrdiff_t result;
        const char* subject;
        const char* content;
    } cases[] = {
        {"no content type", "Subject: s\r\n\r\nbody\r\n", 20, "s", "body\r\n"},
        {"header never ends", "Subject: s\r\nFrom: a", 0, "s", ""},
        {"empty", "", 0, nullptr, ""},
        {"only the empty line", "\r\n", 2, nullptr, ""},
        {"boundary never found", "Subject: s\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\nall text", 65, "s",
         "all text"},
        {"multipart without boundary", "Subject: s\r\nContent-Type: multipart/mixed\r\n\r\n--b\r\nx", 51, "s", "--b\r\nx"},
        {"last delimiter line unended", "Subject: s\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\n--b", 60, "s",
         ""},
        {"base64 broken off", "Subject: s\r\nContent-Transfer-Encoding: base64\r\n\r\nTWFu!!!", 56, "s", "Man"},
    };
    for (const Case& c : cases) {
        CMimeMessage message;
        EXPECT_EQ(message.Load(c.text.data(), c.text.size()), c.result) << c.what;
        const char* subject = message.GetFieldValue("Subject");
        EXPECT_EQ(subject ? std::string(subject) : "<none>", c.subject ? c.subject : "<none>") << c.what;
        EXPECT_EQ(message.GetContent(), c.content) << c.what;
    }
}

TEST_F(CMimeBodyTest, NestingIsCapped)
{
    std::string text;
    const int levels = 200;
    for (int i = 0; i < levels; ++i)
        text += "Content-Type: multipart/mixed; boundary=b" + std::to_string(i) + "_\r\n\r\n--b" + std::to_string(i) + "_\r\n";
    text += "Content-Type: text/plain\r\n\r\ndeep\r\n";
    CMimeMessage message;
    EXPECT_EQ(message.Load(text.data(), text.size()), static_cast<ptrdiff_t>(text.size()));
    int depth = 0;
    for (const CMimeBody* part = &message; !part->GetParts().empty(); part = part->GetParts()[0].get())
        ++depth;
    EXPECT_EQ(depth, 32);
    EXPECT_TRUE(Leaves(message).empty());
}

TEST_F(CMimeBodyTest, StoresWhatItLoads)
{
    CMimeMessage message;
    message.SetFieldValue("Subject", "Gr\xC3\xBC\xC3\x9F" "e", "UTF-8");
    message.SetFieldValue("From", "ann@example.com");
    message.SetBoundary();
    EXPECT_TRUE(MimeNameStartsWith(message.GetBoundary(), "__=_Part_Boundary_"));
    EXPECT_EQ(message.GetMainType(), "multipart");
    EXPECT_EQ(message.GetSubType(), "mixed");

    CMimeBody* text = message.CreatePart("text");
    text->SetCharset("UTF-8");
    text->SetFieldValue("Content-Transfer-Encoding", "quoted-printable");
    text->SetContent("Line one = ok\r\n" "Caf\xC3\xA9\r\n");
    CMimeBody* file = message.CreatePart("application");
    file->SetName("numbers.XLS");
    file->SetFieldValue("Content-Transfer-Encoding", "base64");
    file->SetContent(std::string("\0\1\2\xFF", 4).c_str(), 4);
    CMimeBody* first = message.CreatePart("text", text);
    first->SetContent("goes first");
    EXPECT_EQ(first->GetMainType(), "text");

    std::string stored;
    const ptrdiff_t added = message.Store(stored);
    ASSERT_EQ(added, static_cast<ptrdiff_t>(stored.size()));
    EXPECT_LE(stored.size(), message.GetLength());

    CMimeMessage loaded;
    EXPECT_EQ(loaded.Load(stored.data(), stored.size()), static_cast<ptrdiff_t>(stored.size()));
    EXPECT_EQ(loaded.GetFieldValue("Subject"), std::string("Gr\xC3\xBC\xC3\x9F" "e"));
    const std::vector<CMimeBody*> leaves = Leaves(loaded);
    ASSERT_EQ(leaves.size(), 3u);
    EXPECT_EQ(leaves[0]->GetContent(), "goes first");
    EXPECT_EQ(leaves[1]->GetContent(), "Line one = ok\r\nCaf\xC3\xA9\r\n");
    EXPECT_EQ(leaves[2]->GetContentType(), std::string("application/vnd.ms-excel; name=\"numbers.XLS\""));
    EXPECT_EQ(leaves[2]->GetContent(), std::string("\0\1\2\xFF", 4));

    message.ErasePart(first);
    EXPECT_EQ(message.GetParts().size(), 2u);
    message.SetFieldValue("Content-Type", "text/plain");
    EXPECT_EQ(message.GetParts().size(), 2u);
    std::string unstorable;
    EXPECT_EQ(message.Store(unstorable), -1);
}

TEST_F(CMimeBodyTest, AttachesFiles)
{
    const EString folder = MakeScratchFolder(L"mime-attach");
    const EString path = folder + L"\\scores.PDF";
    WriteFileBytes(path, std::string("%PDF\0\xFF", 6));
    CMimeBody part;
    ASSERT_TRUE(part.AttachFile(path));
    EXPECT_EQ(part.GetContent(), std::string("%PDF\0\xFF", 6));
    EXPECT_EQ(part.GetContentType(), std::string("application/pdf; name=\"scores.PDF\""));

    CMimeBody named;
    named.SetFieldValue("Content-Type", "text/plain");
    named.SetName("notes");
    EXPECT_EQ(named.GetName(), "notes");
    CMimeBody unknown;
    unknown.SetName("archive.7z");
    EXPECT_EQ(unknown.GetContentType(), std::string("application/octet-stream; name=\"archive.7z\""));
    EXPECT_FALSE(CMimeBody().AttachFile(folder + L"\\missing.pdf"));
}

TEST_F(CMimeBodyTest, CarriesMessages)
{
    CMimeMessage inner;
    inner.SetFieldValue("Subject", "inner");
    inner.SetContent("inner text");
    CMimeMessage outer;
    outer.SetMessage(inner);
    EXPECT_EQ(outer.GetContentType(), std::string("message/rfc822"));
    CMimeMessage read;
    EXPECT_GT(outer.GetMessage(read), 0);
    EXPECT_EQ(read.GetFieldValue("Subject"), std::string("inner"));
    EXPECT_EQ(read.GetContent(), "inner text");
}

TEST_F(CMimeBodyTest, Dates)
{
    CMimeMessage message;
    ASSERT_TRUE(message.SetDate(2024, 3, 1, 9, 5, 7));
    const std::string date = message.GetFieldValue("Date");
    EXPECT_EQ(date.substr(0, 25), "Fri, 1 Mar 2024 09:05:07 ");
    ASSERT_EQ(date.size(), 30u);
    EXPECT_TRUE(date[25] == '+' || date[25] == '-');
    EXPECT_FALSE(message.SetDate(2024, 2, 30, 0, 0, 0));
    EXPECT_FALSE(message.SetDate(1200, 1, 1, 0, 0, 0));
    EXPECT_EQ(message.GetFieldValue("Date"), date);
    EXPECT_TRUE(message.SetDate());
}

TEST(MimeCharsetTest, NamesToCodePages)
{
    struct Case {
        const char* charset;
        UINT codePage;
    } cases[] = {
        {"UTF-8", CP_UTF8}, {"utf8", CP_UTF8}, {"ISO-8859-1", 28591}, {"iso-8859-15", 28605},
        {"Windows-1251", 1251}, {"\"koi8-r\"", 20866}, {"utf-8*en", CP_UTF8}, {"", CP_ACP},
        {"x-unknown", CP_ACP}, {"windows-99999", CP_ACP},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CodePageOfCharset(c.charset), c.codePage) << c.charset;
    EXPECT_EQ(MimeTextToWide("Caf\xE9", "iso-8859-1"), L"Caf\xE9");
    EXPECT_EQ(MimeTextToWide("\xD0\x9F\xD1\x80\xD0\xB8", "UTF-8"), L"\x41F\x440\x438");
}

TEST(MimeCharsetTest, SevenBitTextIsReadAsUtf8OnlyWhenItsBytesAreUtf8)
{
    // What text said to be US-ASCII becomes when it is not UTF-8.
    const auto usAscii = [](const std::string& bytes) {
        wchar_t text[64] = {};
        const int length = ::MultiByteToWideChar(20127, 0, bytes.data(), static_cast<int>(bytes.size()), text, 64);
        return EString(text, static_cast<size_t>(length));
    };
    const struct {
        const char* bytes;
        const char* charset;
        EString expected;
    } cases[] = {
        {"Envoy\xC3\xA9", "us-ascii", L"Envoy\xE9"},
        {"Envoy\xC3\xA9", "ASCII", L"Envoy\xE9"},
        {"Envoy\xC3\xA9", "", L"Envoy\xE9"},
        {"plain text\r\n", "us-ascii", L"plain text\r\n"},
        {"Envoy\xE9", "us-ascii", usAscii("Envoy\xE9")},
        {"Envoy\xC3", "us-ascii", usAscii("Envoy\xC3")},
        {"\xED\xA0\x80 half a pair", "us-ascii", usAscii("\xED\xA0\x80 half a pair")},
        {"Envoy\xC3\xA9", "iso-8859-1", L"Envoy\xC3\xA9"},
        {"Envoy\xC3\xA9", "windows-1252", L"Envoy\xC3\xA9"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MimeTextToWide(c.bytes, c.charset), c.expected) << c.bytes << " in " << c.charset;
}
