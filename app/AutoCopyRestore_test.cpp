// The real program killed between two saves: the next start opens its automatic copy in place of the plan.
#include <gtest/gtest.h>

#include <vector>

#include "app/MainFrame.h"
#include "app/ProgramProcessTestSupport.h"
#include "document/PelquornDoc.h"
#include "foundation/FileSystem.h"
#include "resources/AppCommandIds.h"
#include "resources/DocumentCommandIds.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/common/ViewMessages.h"

namespace {

constexpr unsigned kStartMs = 60000;
constexpr unsigned kAnswerMs = 20000;

EString Quoted(const EString& path)
{
    return L"\"" + path + L"\"";
}

// The holidays a plan file holds; none when it cannot be read.
std::vector<double> HolidaysIn(const EString& path)
{
    std::vector<double> dates;
    if (!FileSystem::FileExists(path))
        return dates;
    CPelquornDoc doc;
    if (doc.OpenPath(path))
        doc.GetHolidays(dates);
    return dates;
}

// Read from the folder, without opening the file the program may be replacing.
bool WrittenAfter(const EString& path, const FILETIME& moment)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    return ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) &&
           ::CompareFileTime(&data.ftLastWriteTime, &moment) > 0;
}

TEST(AutoCopyRestoreTest, AfterAKillTheNextStartOpensTheNewerCopyUnderThePlansNameAndSaveWritesThePlan)
{
    ASSERT_EQ(CountMainWindows(), 0);
    const EString folder = MakeScratchFolder(L"autocopy");
    const EString plan = SaveNewPlan(folder, L"plan.qvr");
    ASSERT_FALSE(plan.IsEmpty());
    // Saved before this run: the copy written now is the newer in whole seconds.
    AgeFile(plan, 10);
    const std::string saved = ReadFileBytes(plan);
    ASSERT_TRUE(HolidaysIn(plan).empty());
    const EString copy = plan + L".auto";

    ChildProgramSetting noTip(L"ShowTipOnSturtup", 0);
    ChildProgramSetting noSaveWhenLeft(L"SaveOnFocusLost", 0);
    ChildProgramSetting everyMinute(L"AutoSave", 1);
    ChildProgramSetting restorePath(L"RestorePath", EString());

    {
        ProgramProcess first(Quoted(plan));
        ASSERT_TRUE(first.Started());
        HWND window = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (window = FindMainWindowTitled(plan + L" - ")) != nullptr; }, kStartMs));
        HWND dailyPlan = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (dailyPlan = FindDescendant(window, L"QuorvaneDailyPlanView")) != nullptr; },
                            kAnswerMs));
        // As a click into the daily plan and its Holiday command would: the
        // shown day becomes a holiday of the plan.
        ASSERT_TRUE(::PostMessageW(dailyPlan, WM_VIEW_ACTIVATE, 0, 0));
        ASSERT_TRUE(::PostMessageW(window, WM_COMMAND, ID_DAY_HOLIDAY, 0));
        ASSERT_TRUE(WaitFor([&] { return TitleOf(window).find(plan + L"* - ") == 0; }, kAnswerMs)) << TitleOf(window).c_str();
        FILETIME changed = {};
        ::GetSystemTimeAsFileTime(&changed);
        // The tick of the program's one-minute timer, at once.
        ASSERT_TRUE(::PostMessageW(window, WM_TIMER, kAutoSaveTimer, 0));

        ASSERT_TRUE(WaitFor([&] { return restorePath.ReadText() == copy && WrittenAfter(copy, changed); }, kAnswerMs))
            << restorePath.ReadText().c_str();
        EXPECT_EQ(TitleOf(window).find(plan + L"* - "), 0u) << "the copy leaves the plan's name and mark";
        first.Kill();
    }
    EXPECT_EQ(ReadFileBytes(plan), saved) << "only the copy holds the change";
    EXPECT_EQ(HolidaysIn(copy).size(), 1u);
    EXPECT_EQ(restorePath.ReadText(), copy) << "a run that closed no window leaves its copy named";

    ProgramProcess second{EString()};
    ASSERT_TRUE(second.Started());
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (window = FindMainWindowTitled(L"plan.qvr")) != nullptr; }, kStartMs));
    EXPECT_TRUE(WaitFor([&] { return TitleOf(window).find(plan + L"* - ") == 0; }, kAnswerMs)) << TitleOf(window).c_str();
    SaveWindowScreenshot(window, L"autocopy-restored");

    ASSERT_TRUE(::PostMessageW(window, WM_COMMAND, ID_FILE_SAVE, 0));
    ASSERT_TRUE(WaitFor([&] { return TitleOf(window).find(plan + L" - ") == 0; }, kAnswerMs)) << TitleOf(window).c_str();
    EXPECT_EQ(HolidaysIn(plan).size(), 1u) << "the save wrote the plan itself, with the change";

    // A real close names no copy any more.
    EXPECT_EQ(RunProgramBeside(L"Quorvane.exe", L"exit", kStartMs), 0);
    ASSERT_TRUE(WaitFor([&] { return second.Ended(); }, kStartMs));
    EXPECT_EQ(second.ExitCode(), 1u);
    EXPECT_EQ(restorePath.ReadText(), L"");
}

} // namespace
