#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "document/FaultyStreams.h"
#include "document/PelquornDocTestSupport.h"
#include "document/xml/XmlElement.h"
#include "foundation/AtomicFileWriter.h"
#include "foundation/Bstr.h"
#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "foundation/Options.h"
#include "foundation/UniqueHandle.h"
#include "testing/TestSupport.h"

namespace {

using PlanSaveTest = PlanDocTest;

} // namespace

TEST_F(PlanSaveTest, AFullDiskLeavesEveryFileAsItWasAndSaysSo)
{
    const EString plan = FileSystem::JoinPath(folder, L"week.qvr");
    const EString other = FileSystem::JoinPath(folder, L"other.qvr");
    const EString copy = plan + L".auto";
    const EString exported = FileSystem::JoinPath(folder, L"branch.xml");
    const struct {
        const char* name;
        XmlFileWriter::StreamFilter filter;
    } disks[] = {
        {"full from the start", FailAfterBytes(0)},
        {"fills half way", FailAfterBytes(100)},
        {"takes less than offered and says it took all", AcceptLessThanOffered()},
    };
    const struct {
        const char* name;
        std::function<void()> run;
    } operations[] = {
        {"save", [&] { EXPECT_FALSE(document.DoSave()); }},
        {"save as over another plan",
         [&] {
             prompts.paths = {other};
             EXPECT_FALSE(document.SaveAs());
         }},
        {"automatic copy", [&] { document.SaveAutoCopy(); }},
        {"export of a branch",
         [&] {
             reports.exchangeChoice = ExchangeChoice{exported, L"", false};
             document.ExportCategory(4);
         }},
    };
    for (const auto& disk : disks) {
        for (const auto& operation : operations) {
            const std::string where = std::string(disk.name) + ", " + operation.name;
            for (const EString& path : {plan, other, copy, exported})
                WriteFileBytes(path, kTwoTaskPlan);
            ASSERT_TRUE(document.OpenPath(plan)) << where;
            TaskCard task(L"Unsaved", L"", 1, 0, 0, 0, 0, 0, -1);
            document.AddTask(task);
            Options::SetRestorePath(EString());
            const std::vector<EString> files = FileNamesIn(folder);
            prompts.errors.clear();
            {
                const ScopedStreamFilter failing(disk.filter);
                operation.run();
            }
            for (const EString& path : {plan, other, copy, exported})
                EXPECT_EQ(ReadFileBytes(path), kTwoTaskPlan) << where << ": " << testing::PrintToString(path);
            EXPECT_EQ(FileNamesIn(folder), files) << where << ": no temporary file is left";
            EXPECT_EQ(document.IsModified(), 1) << where;
            EXPECT_EQ(document.GetPathName(), plan) << where;
            EXPECT_EQ(Options::GetRestorePath(), L"") << where << ": no incomplete copy is named";
            ASSERT_EQ(prompts.errors.size(), 1u) << where;
            EXPECT_NE(prompts.errors[0].find(L"left as it was"), EString::npos) << where;
        }
    }
}

// The DOM set below the program's own cleaning of texts: the save is the last
// line of defence, and a file the next open would refuse never replaces one.
TEST_F(PlanSaveTest, AFileTheReaderWouldRefuseNeverReplacesThePlan)
{
    const EString plan = FileSystem::JoinPath(folder, L"week.qvr");
    const EString copy = plan + L".auto";
    // Each sets a text straight through MSXML's own interface.
    const auto attribute = [](const wchar_t* element, const wchar_t* name, const wchar_t* value) {
        return [=](const XmlDocument& dom) {
            const XmlNode node = dom.SelectSingleNode(element);
            ASSERT_TRUE(node);
            ASSERT_EQ(XmlElement(node).Get()->setAttribute(Bstr(name), Variant(EString(value))), S_OK);
        };
    };
    // More than the reader takes: 10,000,001 bytes of UTF-8.
    const EString tooLong(10000001, L'x');
    const auto description = [](const wchar_t* task, const EString& text) {
        return [=](const XmlDocument& dom) {
            const XmlNode node = dom.SelectSingleNode(EString(task) + L"/DESCRIPTION");
            ASSERT_TRUE(node);
            ASSERT_EQ(node->put_text(Bstr(text)), S_OK);
        };
    };
    const struct {
        const char* name;
        std::function<void(const XmlDocument&)> set;
        // How the refusal names what holds the text.
        const wchar_t* told = nullptr;
    } contents[] = {
        {"an escape character in a task's name", attribute(L"//TASK[@ID=\"7\"]", L"NAME", L"Write\x1B[1moffer")},
        {"a form feed in a category's name", attribute(L"//CATEGORY", L"NAME", L"Work\x0C")},
        {"U+FFFF in a description", description(L"//TASK[@ID=\"9\"]", L"call \xFFFF")},
        {"a task's name longer than the reader takes", attribute(L"//TASK[@ID=\"7\"]", L"NAME", tooLong.c_str()),
         L"the task \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\" holds a text too long to be read back"},
        {"a description longer than the reader takes", description(L"//TASK[@ID=\"9\"]", tooLong),
         L"the task \"Call Ann\" holds a text too long to be read back"},
        {"a vertical tab in a comment",
         [](const XmlDocument& dom) {
             ComPtr<IXMLDOMComment> comment;
             ASSERT_EQ(dom->createComment(Bstr(L"a\x0B"), &comment), S_OK);
             ComPtr<IXMLDOMNode> added;
             ASSERT_EQ(dom.GetDocumentElement()->appendChild(comment.Get(), &added), S_OK);
         }},
    };
    const struct {
        const char* name;
        std::function<void()> run;
    } saves[] = {
        {"save", [&] { EXPECT_FALSE(document.DoSave()); }},
        {"automatic copy", [&] { document.SaveAutoCopy(); }},
    };
    for (const auto& content : contents) {
        for (const auto& save : saves) {
            const std::string where = std::string(content.name) + ", " + save.name;
            WriteFileBytes(plan, kTwoTaskPlan);
            WriteFileBytes(copy, kTwoTaskPlan);
            ASSERT_TRUE(document.OpenPath(plan)) << where;
            content.set(document.GetDataManager().GetDocument(true));
            document.SetModified(1);
            Options::SetRestorePath(EString());
            const std::vector<EString> files = FileNamesIn(folder);
            prompts.errors.clear();
            save.run();
            EXPECT_EQ(ReadFileBytes(plan), kTwoTaskPlan) << where;
            EXPECT_EQ(ReadFileBytes(copy), kTwoTaskPlan) << where;
            EXPECT_EQ(FileNamesIn(folder), files) << where << ": no temporary file is left";
            EXPECT_EQ(document.IsModified(), 1) << where;
            EXPECT_EQ(Options::GetRestorePath(), L"") << where << ": no unreadable copy is named";
            EXPECT_EQ(prompts.errors.size(), 1u) << where;
            const EString error = prompts.errors.empty() ? EString() : prompts.errors[0];
            EXPECT_NE(error.find(L"would not open again"), EString::npos) << where;
            EXPECT_NE(error.find(L"left as it was"), EString::npos) << where;
            if (content.told) {
                EXPECT_NE(error.find(content.told), EString::npos) << where << ": " << WideToAnsi(error);
            }
        }
    }
}

TEST_F(PlanSaveTest, OpeningAPlanRemovesLeftoversOfKilledSavesOnly)
{
    const EString plan = PlanFile(L"week.qvr", kTwoTaskPlan);
    AgeFile(PlanFile(L"week.qvr.~qvsave-0badc0de.tmp", "<ROOT><TASK ID=\"1\" NA"), 10);
    PlanFile(L"notes.tmp", "mine");
    PlanFile(L"week.qvr.~qvsave-draft.tmp", "mine too");
    ASSERT_TRUE(document.OpenPath(plan));
    EXPECT_EQ(FileNamesIn(folder), (std::vector<EString>{L"notes.tmp", L"week.qvr", L"week.qvr.~qvsave-draft.tmp"}));
}

TEST_F(PlanSaveTest, ASaveRemovesTheLeftoversOfKilledSavesOfItsPlanOnly)
{
    const EString plan = PlanFile(L"week.qvr", kTwoTaskPlan);
    const struct {
        const wchar_t* name;
        bool removed;
    } files[] = {
        {L"week.qvr.~qvsave-0badc0de.tmp", true},
        {L"week.qvr.auto.~qvsave-12345678.tmp", true},
        {L"month.qvr.~qvsave-0badc0de.tmp", false},
        {L"month.qvr.auto.~qvsave-12345678.tmp", false},
        {L"week.qvr.~qvsave-draft.tmp", false},
        {L"notes.tmp", false},
    };
    const struct {
        const char* name;
        std::function<void()> save;
    } saves[] = {
        {"save", [&] { EXPECT_TRUE(document.DoSave()); }},
        {"automatic copy", [&] { document.SaveAutoCopy(); }},
    };
    ASSERT_TRUE(document.OpenPath(plan));
    for (const auto& save : saves) {
        for (const auto& file : files)
            PlanFile(file.name, "<ROOT><TASK ID=\"1\" NA");
        // A save of the plan still running elsewhere holds its file open.
        const EString running = PlanFile(L"week.qvr.~qvsave-00c0ffee.tmp", "<ROOT>");
        {
            const UniqueHandle held(
                ::CreateFileW(running.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
            save.save();
        }
        for (const auto& file : files)
            EXPECT_EQ(FileSystem::FileExists(FileSystem::JoinPath(folder, file.name)), !file.removed)
                << save.name << ": " << WideToAnsi(file.name);
        EXPECT_TRUE(FileSystem::FileExists(running)) << save.name;
    }
    EXPECT_TRUE(prompts.errors.empty());
}

namespace {

// The wait for a large plan's parse calls `meanwhile` first, as the busy
// window lets other requests in before the plan is in place.
class PromptsWithRequestsMeanwhile : public RecordingPrompts {
public:
    void WaitShowingProgress(const EString& what, HANDLE done) override
    {
        // Taken out first: what it runs may be what set it.
        if (const std::function<void()> requests = std::exchange(meanwhile, nullptr))
            requests();
        RecordingPrompts::WaitShowingProgress(what, done);
    }
    std::function<void()> meanwhile;
};

} // namespace

// While one plan is read into the place of another, the document holds the
// plan that goes under the name of the one that comes: no road writes it,
// and the plan that comes opens whole.
TEST_F(PlanSaveTest, NothingIsWrittenWhileAPlanIsBeingOpened)
{
    const EString small = PlanFile(L"small.qvr", kTwoTaskPlan);
    std::string largeBytes = kTwoTaskPlan;
    largeBytes.insert(largeBytes.rfind("</"), "<!--" + std::string(CPelquornDoc::kLargePlanBytes, 'x') + "-->");
    const EString large = PlanFile(L"large.qvr", largeBytes);
    const EString rescue = FileSystem::JoinPath(FileSystem::GetDocumentsFolder(), L"plan.qvr");
    ::DeleteFileW(rescue.c_str());
    PromptsWithRequestsMeanwhile waiting;
    document.SetPrompts(&waiting);
    ASSERT_TRUE(document.OpenPath(small));
    TaskCard added(L"Added to the small plan", L"", 1, 0, 1, 0, 0, 0, -1);
    ASSERT_TRUE(document.AddTask(added));
    Options::SetRestorePath(EString());
    const struct {
        const char* name;
        std::function<void()> request;
    } requests[] = {
        {"save", [&] { EXPECT_FALSE(document.Save()); }},
        {"save or ask for a name", [&] { EXPECT_FALSE(document.DoSave()); }},
        {"automatic copy", [&] { document.SaveAutoCopy(); }},
        {"the session's end", [&] { document.QuickSave(); }},
        {"a report's copy", [&] { document.SaveTempCopyForReport(); }},
    };
    waiting.meanwhile = [&] {
        EXPECT_TRUE(document.IsOpeningPlan());
        for (const auto& request : requests) {
            SCOPED_TRACE(request.name);
            request.request();
            EXPECT_EQ(ReadFileBytes(large), largeBytes);
            EXPECT_EQ(ReadFileBytes(small), std::string(kTwoTaskPlan));
        }
    };
    ASSERT_TRUE(document.OpenPath(large));
    EXPECT_FALSE(document.IsOpeningPlan());
    EXPECT_EQ(ReadFileBytes(large), largeBytes);
    EXPECT_FALSE(FileSystem::FileExists(large + L".auto"));
    EXPECT_FALSE(FileSystem::FileExists(rescue));
    EXPECT_EQ(Options::GetRestorePath(), L"");
    TaskCard task;
    EXPECT_FALSE(document.GetTask(added.GetId(), task, false)) << "the plan opened is the large one, whole";
    EXPECT_EQ(document.GetPathName(), large);
}
