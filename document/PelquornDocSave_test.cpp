#include <gtest/gtest.h>

#include <algorithm>

#include "document/FaultyStreams.h"
#include "document/PelquornDocTestSupport.h"
#include "foundation/AtomicFileWriter.h"
#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "foundation/Options.h"
#include "testing/TestSupport.h"

namespace {

using PlanSaveTest = PlanDocTest;

std::vector<EString> FileNamesIn(const EString& folder)
{
    std::vector<EString> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW(FileSystem::JoinPath(folder, L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

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
        const HANDLE held =
            ::CreateFileW(running.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        save.save();
        ::CloseHandle(held);
        for (const auto& file : files)
            EXPECT_EQ(FileSystem::FileExists(FileSystem::JoinPath(folder, file.name)), !file.removed)
                << save.name << ": " << WideToAnsi(file.name);
        EXPECT_TRUE(FileSystem::FileExists(running)) << save.name;
    }
    EXPECT_TRUE(prompts.errors.empty());
}
