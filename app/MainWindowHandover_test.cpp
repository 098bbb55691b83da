// Two processes of the real program: a second start hands its path, or "exit", to the first.
#include <gtest/gtest.h>

#include "app/MainWindowClass.h"
#include "app/OpenFileHandover.h"
#include "app/ProgramProcessTestSupport.h"
#include "document/PelquornDoc.h"
#include "foundation/FileSystem.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"

namespace {

TEST(MainWindowHandoverTest, ASecondStartHandsItsPathOverAndExitEndsTheFirst)
{
    ASSERT_EQ(CountMainWindows(), 0);
    const EString folder = MakeScratchFolder(L"handover");
    const EString first = SaveNewPlan(folder, L"first.qvr");
    const EString second = SaveNewPlan(folder, L"second.qvr");
    // Opening a saved plan, the first offers no goals; and no tip stands over
    // the window when "exit" arrives.
    ChildProgramSetting noTip(L"ShowTipOnSturtup", 0);

    ProgramProcess running(L"\"" + first + L"\"");
    ASSERT_TRUE(running.Started());
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            window = ::FindWindowW(kMainWindowClassName, nullptr);
            return window && ::IsWindowVisible(window) && TitleOf(window).find(L"first.qvr") != EString::npos;
        },
        60000));

    EXPECT_EQ(RunProgramBeside(L"Quorvane.exe", L"\"" + second + L"\"", 60000), 0);
    EXPECT_TRUE(WaitFor([&] { return TitleOf(window).find(L"second.qvr") != EString::npos; }, 20000));
    EXPECT_EQ(CountMainWindows(), 1);

    // Records of another code, an odd size or no bytes are refused; the plan stays.
    struct Case {
        ULONG_PTR code;
        DWORD bytes;
    };
    const DWORD whole = static_cast<DWORD>((first.size() + 1) * sizeof(wchar_t));
    for (const Case& c : {Case{151, whole}, Case{COPYDATA_OPEN_FILE, whole - 1}, Case{COPYDATA_OPEN_FILE, 0}}) {
        COPYDATASTRUCT record = {c.code, c.bytes, const_cast<wchar_t*>(first.c_str())};
        EXPECT_EQ(::SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record)), 0) << c.code;
    }
    EXPECT_NE(TitleOf(window).find(L"second.qvr"), EString::npos);

    EXPECT_EQ(RunProgramBeside(L"Quorvane.exe", L"exit", 60000), 0);
    ASSERT_TRUE(WaitFor([&] { return running.Ended(); }, 60000));
    EXPECT_EQ(running.ExitCode(), 1u);
}

// A path typed in a folder names the file of that folder, for the first start
// and for a second one started elsewhere: the running program knows nothing of
// the folder the second was started in. The title shows the path in full.
TEST(MainWindowHandoverTest, ARelativePathNamesTheFileOfTheFolderItWasTypedIn)
{
    ASSERT_EQ(CountMainWindows(), 0);
    const EString folder = MakeScratchFolder(L"handover_relative");
    const EString first = SaveNewPlan(folder, L"first.qvr");
    const EString second = SaveNewPlan(folder, L"second.qvr");
    const EString deeper = FileSystem::JoinPath(folder, L"a\\b");
    ASSERT_TRUE(FileSystem::EnsureFolder(FileSystem::GetFolder(deeper)) && FileSystem::EnsureFolder(deeper));
    ChildProgramSetting noTip(L"ShowTipOnSturtup", 0);

    ProgramProcess running(L"first.qvr", folder);
    ASSERT_TRUE(running.Started());
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (window = FindMainWindowTitled(first + L" - ")) != nullptr; }, 60000));

    ProgramProcess handing(L"\"..\\..\\second.qvr\"", deeper);
    ASSERT_TRUE(handing.Started());
    ASSERT_TRUE(WaitFor([&] { return handing.Ended(); }, 60000));
    EXPECT_EQ(handing.ExitCode(), 0u);
    EXPECT_TRUE(WaitFor([&] { return TitleOf(window).find(second + L" - ") == 0; }, 20000)) << TitleOf(window).c_str();
    EXPECT_FALSE(SaveWindowScreenshot(window, L"handover_relative_path").IsEmpty());

    ProgramProcess exitStart(L"exit", deeper);
    ASSERT_TRUE(WaitFor([&] { return running.Ended(); }, 60000));
    EXPECT_EQ(running.ExitCode(), 1u);
}

} // namespace
