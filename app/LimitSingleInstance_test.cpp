#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/LimitSingleInstance.h"
#include "app/MainWindowClass.h"
#include "resources/AppCommandIds.h"

namespace {

// What the stand-in for the running main frame was sent, in order.
std::wstring g_received;

LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        g_received += LOWORD(wParam) == ID_APP_RESTORE ? L"[restore]" : LOWORD(wParam) == ID_APP_EXIT ? L"[exit]" : L"[?]";
        return 0;
    }
    if (message == WM_COPYDATA) {
        const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        g_received += L"[" + std::to_wstring(record->dwData) + L" " + std::to_wstring(record->cbData) + L" " +
                      static_cast<const wchar_t*>(record->lpData) + L"]";
        return 1;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateStandInMainWindow(bool visible)
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = RecordingProcedure;
    // Under a module of its own: the real main frame of the other tests has
    // registered the name for this program's module.
    windowClass.hInstance = ::GetModuleHandleW(L"kernel32.dll");
    windowClass.lpszClassName = kMainWindowClassName;
    ::RegisterClassExW(&windowClass);
    const HWND window = ::CreateWindowExW(0, kMainWindowClassName, L"Quorvane", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                          nullptr, nullptr, windowClass.hInstance, nullptr);
    if (visible)
        ::ShowWindow(window, SW_SHOWNOACTIVATE);
    g_received.clear();
    return window;
}

// Started in C:\Windows: a path is handed over in full, the word "exit" as a command.
TEST(LimitSingleInstanceTest, HandsTheCommandLineToTheRunningWindow)
{
    wchar_t started[MAX_PATH] = {};
    ASSERT_NE(::GetCurrentDirectoryW(MAX_PATH, started), 0u);
    ASSERT_TRUE(::SetCurrentDirectoryW(L"C:\\Windows"));
    struct Case {
        const wchar_t* arguments;
        bool visible;
        const wchar_t* received;
    } cases[] = {
        {L"", false, L"[restore]"},
        {L"", true, L""},
        {L"exit", true, L"[exit]"},
        {L"\"exit\"", false, L"[restore][exit]"},
        // Only the exact word: any other spelling is a file of that name.
        {L"Exit", true, L"[152 32 C:\\Windows\\Exit]"},
        {L"\"C:\\My plans\\a.qvr\"", false, L"[restore][152 36 C:\\My plans\\a.qvr]"},
        {L"\"..\\a.qvr\"", true, L"[152 18 C:\\a.qvr]"},
    };
    for (const Case& c : cases) {
        const HWND running = CreateStandInMainWindow(c.visible);
        ASSERT_NE(running, nullptr) << ::GetLastError();
        CommandLine commandLine;
        commandLine.Parse(c.arguments);
        EXPECT_TRUE(LimitSingleInstance().CheckPreviousInstance(commandLine)) << c.arguments;
        EXPECT_EQ(g_received, c.received) << c.arguments;
        ::DestroyWindow(running);
    }
    ::SetCurrentDirectoryW(started);
}

TEST(LimitSingleInstanceTest, WithNoRunningWindowTheStartGoesOn)
{
    ASSERT_EQ(::FindWindowW(kMainWindowClassName, nullptr), nullptr);
    CommandLine commandLine;
    commandLine.Parse(L"exit");
    EXPECT_FALSE(LimitSingleInstance().CheckPreviousInstance(commandLine));
}

} // namespace
