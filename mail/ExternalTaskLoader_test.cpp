#include <gtest/gtest.h>

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

std::vector<SimpleTask> Load(std::vector<File> files)
{
    const ComPtr<FakeMailDrop> drop(new FakeMailDrop(std::move(files)));
    std::vector<SimpleTask> tasks;
    EXPECT_TRUE(LoadExternalTasks(drop, tasks));
    return tasks;
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

TEST(ExternalTaskLoaderTest, ABrokenDropGivesAnErrorAndNoTask)
{
    const std::string outlook = OutlookBytes(L"Budget", L"Figures");
    std::string truncatedOutlook = outlook.substr(0, outlook.size() / 2);
    const std::vector<File> two = {{L"a.eml", PlainMail}, {L"b.eml", PlainMail}};
    const std::string twoDescriptor = FakeMailDrop::DescriptorOf(two);
    const struct {
        const char* what;
        std::vector<File> files;
        std::string descriptor; // empty: the files' own
        const wchar_t* named;   // the file the error names, if any
    } cases[] = {
        {"a .msg that is no compound file", {{L"fake.msg", "MZ\x90\x00 not a message"}}, "", L"fake.msg"},
        {"a .msg cut in half", {{L"cut.msg", truncatedOutlook}}, "", L"cut.msg"},
        {"an empty .eml", {{L"empty.eml", ""}}, "", L"empty.eml"},
        {"a broken file after a good one", {{L"good.eml", PlainMail}, {L"bad.msg", "garbage"}}, "", L"bad.msg"},
        {"contents the source will not hand over", {{L"good.eml", PlainMail}, {L"gone.eml", PlainMail, Medium::Refused}}, "", L"gone.eml"},
        {"a descriptor counting more files than it holds", two, twoDescriptor.substr(0, twoDescriptor.size() - 1), nullptr},
        {"a descriptor without its count", two, std::string("\x01\x00", 2), nullptr},
    };
    for (const auto& c : cases) {
        const ComPtr<FakeMailDrop> drop(new FakeMailDrop(c.files));
        if (!c.descriptor.empty())
            drop->SetDescriptorBytes(c.descriptor);
        std::vector<SimpleTask> tasks = {SimpleTask(L"kept", L"")};
        try {
            LoadExternalTasks(drop, tasks);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const ComError& error) {
            EXPECT_TRUE(FAILED(error.Error())) << c.what;
            if (c.named) {
                EXPECT_NE(error.Description().find(c.named), EString::npos) << c.what;
            }
        }
        ASSERT_EQ(tasks.size(), 1u) << c.what;
        EXPECT_EQ(tasks[0].GetName(), L"kept") << c.what;
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
    EXPECT_TRUE(LoadExternalTasks(other, tasks));
    EXPECT_TRUE(tasks.empty());
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
