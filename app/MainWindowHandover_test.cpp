// Two processes of the real program: a second start hands its path, or "exit", to the first.
#include <gtest/gtest.h>

#include "app/MainWindowClass.h"
#include "app/OpenFileHandover.h"
#include "document/PelquornDoc.h"
#include "foundation/FileSystem.h"
#include "testing/TestSupport.h"

namespace {

EString TitleOf(HWND window)
{
    wchar_t title[MAX_PATH] = {};
    ::GetWindowTextW(window, title, MAX_PATH);
    return title;
}

int CountMainWindows()
{
    int count = 0;
    ::EnumWindows(
        [](HWND window, LPARAM counter) -> BOOL {
            wchar_t name[64] = {};
            ::GetClassNameW(window, name, 64);
            if (EString(name) == kMainWindowClassName)
                ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

EString SaveNewPlan(const EString& folder, const wchar_t* name)
{
    const EString path = FileSystem::JoinPath(folder, name);
    CPelquornDoc doc;
    doc.NewDocument();
    doc.SetPathName(path);
    EXPECT_TRUE(doc.Save());
    return path;
}

// The first instance, started without waiting; ended when the test leaves it running.
class FirstInstance {
public:
    explicit FirstInstance(const EString& path)
    {
        EString commandLine = L"\"" + FileSystem::JoinPath(FileSystem::GetFolder(FileSystem::GetModuleFileName()),
                                                           L"Quorvane.exe") +
                              L"\" \"" + path + L"\"";
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        m_started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                     &startup, &m_process) != FALSE;
    }
    ~FirstInstance()
    {
        if (!m_started)
            return;
        if (::WaitForSingleObject(m_process.hProcess, 0) != WAIT_OBJECT_0)
            ::TerminateProcess(m_process.hProcess, 2);
        ::CloseHandle(m_process.hThread);
        ::CloseHandle(m_process.hProcess);
    }
    FirstInstance(const FirstInstance&) = delete;
    FirstInstance& operator=(const FirstInstance&) = delete;

    bool Started() const { return m_started; }
    bool Ended() const { return ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0; }
    DWORD ExitCode() const
    {
        DWORD code = 0;
        ::GetExitCodeProcess(m_process.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION m_process = {};
    bool m_started = false;
};

TEST(MainWindowHandoverTest, ASecondStartHandsItsPathOverAndExitEndsTheFirst)
{
    ASSERT_EQ(CountMainWindows(), 0);
    const EString folder = MakeScratchFolder(L"handover");
    const EString first = SaveNewPlan(folder, L"first.qvr");
    const EString second = SaveNewPlan(folder, L"second.qvr");
    // Opening a saved plan, the first offers no goals; and no tip stands over
    // the window when "exit" arrives.
    ChildProgramSetting noTip(L"ShowTipOnSturtup", 0);

    FirstInstance running(first);
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

} // namespace
