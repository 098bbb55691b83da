#include <gtest/gtest.h>

#include <algorithm>

#include "foundation/ComError.h"
#include "foundation/ComPtr.h"
#include "mail/ExternalTaskLoader.h"
#include "mail/FakeMailDrop.h"
#include "mail/MsgFileBuilder.h"

namespace {

using Medium = FakeMailDrop::Medium;
using File = FakeMailDrop::File;

std::string OutlookBytes(const EString& subject, const EString& body)
{
    MsgFileBuilder file;
    file.AddUnicodeProperty(L"", 0x0E1D, subject);
    file.AddUnicodeProperty(L"", 0x1000, body);
    return file.GetBytes();
}

const std::string PlainMail =
    "From: ann@example.com\r\n"
    "Subject: =?ISO-8859-1?Q?Caf=E9_order?=\r\n"
    "Content-Type: text/plain; charset=ISO-8859-1\r\n"
    "Content-Transfer-Encoding: quoted-printable\r\n"
    "\r\n"
    "Two caf=E9s, please.\r\n";

const std::string AlternativeMail =
    "Subject: Minutes\r\n"
    "Content-Type: multipart/alternative; boundary=b\r\n"
    "\r\n"
    "--b\r\nContent-Type: text/plain\r\n\r\nplain minutes\r\n"
    "--b\r\nContent-Type: text/html\r\n\r\n<p>rich minutes</p>\r\n"
    "--b--\r\n";

const std::string UntitledMail = "From: bob@example.com\r\n\r\nno subject here\r\n";

struct Expected {
    const wchar_t* name;
    const wchar_t* text;
};

std::vector<SimpleTask> Load(std::vector<File> files, EString& leftOut)
{
    const ComPtr<FakeMailDrop> drop(new FakeMailDrop(std::move(files)));
    std::vector<SimpleTask> tasks;
    EXPECT_TRUE(LoadExternalTasks(drop, tasks, leftOut));
    return tasks;
}

std::vector<SimpleTask> Load(std::vector<File> files)
{
    EString leftOut;
    std::vector<SimpleTask> tasks = Load(std::move(files), leftOut);
    EXPECT_EQ(leftOut, L"");
    return tasks;
}

// All the bytes of a literal, its NULs included.
template <size_t N>
std::string Bytes(const char (&text)[N])
{
    return std::string(text, N - 1);
}

// The task a single dropped mail becomes; the name and text are empty when
// it was left out.
SimpleTask LoadMail(const std::string& mail)
{
    const std::vector<SimpleTask> tasks = Load({{L"mail.eml", mail}});
    return tasks.size() == 1 ? tasks[0] : SimpleTask();
}

} // namespace

TEST(ExternalTaskLoaderTest, DroppedMessagesBecomeTasksInTheDropsOrder)
{
    const std::string outlook = OutlookBytes(L"Budget \x2013 Q3", L"Figures attached.\r\nAnn");
    const struct {
        const char* what;
        std::vector<File> files;
        std::vector<Expected> tasks;
    } cases[] = {
        {"a MIME mail in its charset", {{L"order.eml", PlainMail}}, {{L"Caf\xE9 order", L"Two caf\xE9s, please.\r\n"}}},
        {"the last text alternative", {{L"minutes.eml", AlternativeMail}}, {{L"Minutes", L"<p>rich minutes</p>"}}},
        {"no Subject field", {{L"x.eml", UntitledMail}}, {{L"", L"no subject here\r\n"}}},
        {"an Outlook message as a stream", {{L"budget.msg", outlook}}, {{L"Budget \x2013 Q3", L"Figures attached.\r\nAnn"}}},
        {"an Outlook message as a storage",
         {{L"budget.msg", outlook, Medium::Storage}},
         {{L"Budget \x2013 Q3", L"Figures attached.\r\nAnn"}}},
        {"a mail in global memory", {{L"order.eml", PlainMail, Medium::Global}}, {{L"Caf\xE9 order", L"Two caf\xE9s, please.\r\n"}}},
        {"the extension in any case", {{L"BUDGET.MSG", outlook}}, {{L"Budget \x2013 Q3", L"Figures attached.\r\nAnn"}}},
        {"other files passed over",
         {{L"notes.txt", "text"}, {L"minutes.eml.txt", AlternativeMail}, {L"msg", outlook}, {L"minutes.eml", AlternativeMail}},
         {{L"Minutes", L"<p>rich minutes</p>"}}},
        {"three in order",
         {{L"a.eml", AlternativeMail}, {L"b.msg", outlook}, {L"c.eml", UntitledMail}},
         {{L"Minutes", L"<p>rich minutes</p>"}, {L"Budget \x2013 Q3", L"Figures attached.\r\nAnn"}, {L"", L"no subject here\r\n"}}},
        {"no files at all", {}, {}},
    };
    for (const auto& c : cases) {
        const std::vector<SimpleTask> tasks = Load(c.files);
        ASSERT_EQ(tasks.size(), c.tasks.size()) << c.what;
        for (size_t i = 0; i < tasks.size(); ++i) {
            EXPECT_EQ(tasks[i].GetName(), c.tasks[i].name) << c.what;
            EXPECT_EQ(tasks[i].GetText(), c.tasks[i].text) << c.what;
        }
    }
}

TEST(ExternalTaskLoaderTest, AMessageThatCannotBeReadIsLeftOutAndTheOthersBecomeTasks)
{
    const std::string outlook = OutlookBytes(L"Budget", L"Figures");
    const std::string truncatedOutlook = outlook.substr(0, outlook.size() / 2);
    std::vector<File> manyBroken;
    for (int i = 0; i < 12; ++i)
        manyBroken.push_back({L"broken" + std::to_wstring(i) + L".msg", "garbage"});
    manyBroken.push_back({L"good.eml", PlainMail});
    const struct {
        const char* what;
        std::vector<File> files;
        std::vector<const wchar_t*> names;   // of the tasks made
        std::vector<const wchar_t*> leftOut; // what is said of the files left out
        size_t lines;
    } cases[] = {
        {"an empty file among mails",
         {{L"a.eml", PlainMail}, {L"empty.eml", ""}, {L"b.msg", outlook}},
         {L"Caf\xE9 order", L"Budget"},
         {L"\"empty.eml\" is not a mail message"},
         1},
        {"contents the source will not hand over",
         {{L"gone.eml", PlainMail, Medium::Refused}, {L"good.eml", PlainMail}},
         {L"Caf\xE9 order"},
         {L"\"gone.eml\" cannot be read"},
         1},
        {"a .msg that is no compound file",
         {{L"fake.msg", "MZ\x90\x00 not a message"}},
         {},
         {L"\"fake.msg\" is not an Outlook message"},
         1},
        {"a .msg cut in half and an empty .msg",
         {{L"cut.msg", truncatedOutlook}, {L"good.eml", PlainMail}, {L"empty.msg", "", Medium::Global}},
         {L"Caf\xE9 order"},
         {L"\"cut.msg\" is not an Outlook message", L"\"empty.msg\" is not an Outlook message"},
         2},
        {"an unreadable file that is no message by its name", {{L"gone.txt", "", Medium::Refused}}, {}, {}, 0},
        {"more than a message box shows",
         manyBroken,
         {L"Caf\xE9 order"},
         {L"\"broken0.msg\"", L"\"broken9.msg\"", L"\r\n2 more dropped files were left out."},
         11},
    };
    for (const auto& c : cases) {
        EString leftOut;
        const std::vector<SimpleTask> tasks = Load(c.files, leftOut);
        std::vector<EString> names;
        for (const SimpleTask& task : tasks)
            names.push_back(task.GetName());
        EXPECT_EQ(names, std::vector<EString>(c.names.begin(), c.names.end())) << c.what;
        for (const wchar_t* said : c.leftOut)
            EXPECT_NE(leftOut.find(said), EString::npos) << c.what << ": " << leftOut.c_str();
        const size_t lines = leftOut.empty() ? 0 : 1 + static_cast<size_t>(std::ranges::count(leftOut, L'\n'));
        EXPECT_EQ(lines, c.lines) << c.what << ": " << leftOut.c_str();
    }
}

TEST(ExternalTaskLoaderTest, AMalformedListOfFilesGivesAnErrorAndNoTask)
{
    const std::vector<File> two = {{L"a.eml", PlainMail}, {L"b.eml", PlainMail}};
    const std::string twoDescriptor = FakeMailDrop::DescriptorOf(two);
    const struct {
        const char* what;
        std::string descriptor;
    } cases[] = {
        {"a descriptor counting more files than it holds", twoDescriptor.substr(0, twoDescriptor.size() - 1)},
        {"a descriptor without its count", std::string("\x01\x00", 2)},
    };
    for (const auto& c : cases) {
        const ComPtr<FakeMailDrop> drop(new FakeMailDrop(two));
        drop->SetDescriptorBytes(c.descriptor);
        std::vector<SimpleTask> tasks = {SimpleTask(L"kept", L"")};
        EString leftOut;
        try {
            LoadExternalTasks(drop, tasks, leftOut);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const ComError& error) {
            EXPECT_TRUE(FAILED(error.Error())) << c.what;
        }
        ASSERT_EQ(tasks.size(), 1u) << c.what;
        EXPECT_EQ(tasks[0].GetName(), L"kept") << c.what;
    }
}

// Outlook Express and some versions of Outlook write the boundary unquoted, "=" and all.
TEST(ExternalTaskLoaderTest, AnUnquotedBoundaryWithEqualsSignsSplitsTheMail)
{
    const std::string boundary = "----=_NextPart_000_0001_01C1B2A3.4D5E6F70";
    const std::string parts = "\r\nThis is a multi-part message in MIME format.\r\n\r\n"
                              "--" + boundary + "\r\nContent-Type: text/plain; charset=\"iso-8859-1\"\r\n"
                              "Content-Transfer-Encoding: quoted-printable\r\n\r\nCaf=E9 at ten.\r\n"
                              "--" + boundary + "\r\nContent-Type: text/html; charset=\"iso-8859-1\"\r\n\r\n"
                              "<p>Caf\xE9 at ten.</p>\r\n"
                              "--" + boundary + "--\r\n";
    const std::string contentTypes[] = {
        "multipart/alternative; boundary=" + boundary,
        "multipart/alternative;\r\n\tboundary=" + boundary + "; type=\"text/html\"",
    };
    for (const std::string& contentType : contentTypes) {
        const SimpleTask task = LoadMail("Subject: Lunch\r\nContent-Type: " + contentType + "\r\n" + parts);
        EXPECT_EQ(task.GetName(), L"Lunch") << contentType;
        EXPECT_EQ(task.GetText(), L"<p>Caf\xE9 at ten.</p>") << contentType;
    }
}

TEST(ExternalTaskLoaderTest, AFoldedSubjectBecomesANameOnOneLine)
{
    const struct {
        const char* subject;
        const wchar_t* name;
    } cases[] = {
        {"Invoice for order\r\n 91123105", L"Invoice for order 91123105"},
        {"Invoice for order\r\n\t 91123105", L"Invoice for order 91123105"},
        {"a\n  b\n\tc", L"a b c"},
        {"=?UTF-8?Q?Caf=C3=A9?=\r\n =?UTF-8?Q?_au_lait?=", L"Caf\xE9 au lait"},
        {"=?UTF-8?Q?Caf=C3=A9?=\r\n plain", L"Caf\xE9 plain"},
        {"RE: kept as\r\n written", L"RE: kept as written"},
    };
    for (const auto& c : cases) {
        const std::string mail =
            std::string("From: ann@example.com\r\nSubject: ") + c.subject + "\r\nTo: bob@example.com\r\n\r\nbody\r\n";
        EXPECT_EQ(LoadMail(mail).GetName(), c.name) << c.subject;
    }
}

// A phone's client declares US-ASCII and sends its signature in UTF-8.
TEST(ExternalTaskLoaderTest, SevenBitTextHoldingUtf8IsReadAsUtf8)
{
    const SimpleTask task = LoadMail("Subject: =?us-ascii?Q?Envoy=C3=A9?=\r\n"
                                     "Content-Type: text/plain; charset=\"US-ASCII\"; format=flowed\r\n"
                                     "Content-Transfer-Encoding: 7bit\r\n"
                                     "\r\n"
                                     "Envoy\xC3\xA9 de mon iPhone");
    EXPECT_EQ(task.GetName(), L"Envoy\xE9");
    EXPECT_EQ(task.GetText(), L"Envoy\xE9 de mon iPhone");
}

TEST(ExternalTaskLoaderTest, AnEmlFileThatHoldsNoMailIsLeftOut)
{
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"a picture", Bytes("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10\nab: cd\r\n\r\n")},
        {"a photo whose data holds a time", Bytes("\xFF\xD8\xFF\xE1\0\x18" "Exif\0\0MM 2026:03:02 10:11:12\r\n\r\n")},
        {"a letter", "Hello Bob,\r\nLunch at 12:30?\r\nAnn\r\n"},
        {"a letter that opens with a colon", "Dear Bob:\r\nLunch: at noon\r\n"},
        {"a letter after an mbox line", "From the desk of Ann\r\nHello Bob,\r\nX: y\r\n\r\n"},
    };
    for (const auto& c : cases) {
        EString leftOut;
        EXPECT_TRUE(Load({{L"photo.eml", c.bytes}}, leftOut).empty()) << c.what;
        EXPECT_EQ(leftOut, L"The dropped file \"photo.eml\" is not a mail message; no task was made.") << c.what;
    }
    const struct {
        const char* what;
        std::string bytes;
        const wchar_t* name;
        const wchar_t* text;
    } mails[] = {
        {"a single field", "Subject: Call Ann\r\n\r\nAbout Friday.\r\n", L"Call Ann", L"About Friday.\r\n"},
        {"a header only", "Subject: Call Ann\r\n", L"Call Ann", L""},
        {"line feeds only, a body of control bytes", "X-Unsent: 1\nSubject: Plan\n\n\x01\x02:\r\n", L"Plan",
         L"\x01\x02:\r\n"},
        {"an mbox line first", "From ann@example.com Mon Mar  2 10:00:00 2026\r\nSubject: Plan\r\n\r\nx",
         L"Plan", L"x"},
        {"a byte order mark first", "\xEF\xBB\xBFTo: bob@example.com\r\nSubject: Plan\r\n\r\nx", L"Plan", L"x"},
        {"a blank before the colon", "X-Mailer : Notes\r\nSubject: Plan\r\n\r\nx", L"Plan", L"x"},
    };
    for (const auto& c : mails) {
        const std::vector<SimpleTask> tasks = Load({{L"mail.eml", c.bytes}});
        ASSERT_EQ(tasks.size(), 1u) << c.what;
        EXPECT_EQ(tasks[0].GetName(), c.name) << c.what;
        EXPECT_EQ(tasks[0].GetText(), c.text) << c.what;
    }
}

TEST(ExternalTaskLoaderTest, OnlyDropsWithADescriptorCarryMail)
{
    const ComPtr<FakeMailDrop> mail(new FakeMailDrop({{L"a.eml", PlainMail}}));
    EXPECT_TRUE(CanLoadExternalTasks(mail));
    EXPECT_EQ(mail->contentRequests[0], 0) << "asking must not fetch the files";

    const ComPtr<FakeMailDrop> other(new FakeMailDrop({{L"a.eml", PlainMail}}));
    other->offersDescriptor = false;
    EXPECT_FALSE(CanLoadExternalTasks(other));
    EXPECT_FALSE(CanLoadExternalTasks(nullptr));
    std::vector<SimpleTask> tasks;
    EString leftOut;
    EXPECT_TRUE(LoadExternalTasks(other, tasks, leftOut));
    EXPECT_TRUE(tasks.empty());
    EXPECT_TRUE(leftOut.empty());
}

TEST(ExternalTaskLoaderTest, AFileOverTheLimitIsRefusedBeforeItIsRead)
{
    const char byte = 'x';
    std::string bytes;
    EXPECT_THROW(AppendBytes(&byte, MaxDroppedFileSize + 1, bytes), ComError);
    bytes.assign(MaxDroppedFileSize - 1, 'x');
    AppendBytes(&byte, 1, bytes);
    EXPECT_THROW(AppendBytes(&byte, 1, bytes), ComError);
    EXPECT_EQ(bytes.size(), MaxDroppedFileSize);
}
