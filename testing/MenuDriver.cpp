#include "testing/MenuDriver.h"

#include <gtest/gtest.h>

#include "testing/TestSupport.h"

namespace {

struct MenuRun {
    std::vector<MenuStep> steps;
    size_t next = 0;
    unsigned timeoutMs = 0;
    ULONGLONG stepStarted = 0;
    bool failed = false;
    bool inStep = false;
};

MenuRun* g_menuRun = nullptr;

void CALLBACK OnMenuStepTimer(HWND, UINT, UINT_PTR, DWORD)
{
    MenuRun* run = g_menuRun;
    // A step may pump messages itself; keep this tick from running it twice.
    if (!run || run->failed || run->inStep || run->next == run->steps.size())
        return;
    run->inStep = true;
    const bool done = run->steps[run->next]();
    run->inStep = false;
    if (done) {
        ++run->next;
        run->stepStarted = ::GetTickCount64();
    } else if (::GetTickCount64() - run->stepStarted > run->timeoutMs) {
        run->failed = true;
        ADD_FAILURE() << "menu step " << run->next << " did not succeed in time";
        ::EndMenu();
    }
}

BOOL CALLBACK CollectMenuWindow(HWND window, LPARAM found)
{
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (::IsWindowVisible(window) && lstrcmpW(className, L"#32768") == 0)
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

void PostKeyMessage(HWND window, UINT message, UINT virtualKey, LPARAM flags)
{
    const UINT scan = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    ::PostMessageW(window, message, virtualKey, 1 | (scan << 16) | flags);
}

constexpr LPARAM kAltDown = 1 << 29;
constexpr LPARAM kReleased = (1u << 30) | (1u << 31);

} // namespace

bool RunMenuSteps(std::vector<MenuStep> steps, const std::function<void()>& track, unsigned timeoutMs)
{
    MenuRun run;
    run.steps = std::move(steps);
    run.timeoutMs = timeoutMs;
    run.stepStarted = ::GetTickCount64();
    MenuRun* outer = g_menuRun;
    g_menuRun = &run;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, OnMenuStepTimer);
    if (track)
        track();
    WaitFor([&] { return run.failed || run.next == run.steps.size(); }, timeoutMs * 2 + 1000);
    ::KillTimer(nullptr, timer);
    g_menuRun = outer;
    EXPECT_EQ(run.next, run.steps.size()) << "stopped before menu step " << run.next;
    return !run.failed && run.next == run.steps.size();
}

std::vector<HWND> OpenMenuWindows()
{
    std::vector<HWND> found;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectMenuWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

void PressAltKey(HWND window, UINT virtualKey)
{
    PostKeyMessage(window, WM_SYSKEYDOWN, VK_MENU, kAltDown);
    PostKeyMessage(window, WM_SYSKEYDOWN, virtualKey, kAltDown);
    PostKeyMessage(window, WM_SYSKEYUP, virtualKey, kAltDown | kReleased);
    PostKeyMessage(window, WM_KEYUP, VK_MENU, kReleased);
}

void PressAlt(HWND window)
{
    PostKeyMessage(window, WM_SYSKEYDOWN, VK_MENU, kAltDown);
    PostKeyMessage(window, WM_SYSKEYUP, VK_MENU, kAltDown | kReleased);
}
