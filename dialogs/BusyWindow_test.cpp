#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include "dialogs/BusyWindow.h"
#include "foundation/AppWindow.h"
#include "testing/WindowShot.h"

namespace {

struct Found {
    HWND owner;
    HWND busy = nullptr;
};

BOOL CALLBACK FindBusyWindow(HWND window, LPARAM parameter)
{
    auto& found = *reinterpret_cast<Found*>(parameter);
    wchar_t className[32] = {};
    ::GetClassNameW(window, className, 32);
    if (::GetWindow(window, GW_OWNER) == found.owner && lstrcmpW(className, L"QuorvaneBusy") == 0)
        found.busy = window;
    return found.busy == nullptr;
}

HWND BusyWindowOf(HWND owner)
{
    Found found{owner};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindBusyWindow, reinterpret_cast<LPARAM>(&found));
    return found.busy;
}

EString TextOf(HWND window)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

class BusyWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        owner = ::CreateWindowExW(0, L"STATIC", L"Plan", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 640, 480,
                                  nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override { ::DestroyWindow(owner); }

    HWND owner = nullptr;
};

TEST_F(BusyWindowTest, StandsOverItsDisabledOwnerUntilTheWorkEnds)
{
    const HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 24, owner, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr);
    ::SetFocus(edit);
    {
        const CBusyWindow busy(owner, L"Making the report...");
        const HWND made = BusyWindowOf(owner);
        ASSERT_NE(made, nullptr);
        EXPECT_TRUE(::IsWindowVisible(made));
        EXPECT_FALSE(::IsWindowEnabled(owner)) << "no click reaches the plan meanwhile";
        EXPECT_FALSE(::GetFocus() == edit || ::IsChild(owner, ::GetFocus())) << "nor any key";
        EXPECT_EQ(TextOf(made), AppProductName());
        const HWND label = ::FindWindowExW(made, nullptr, L"STATIC", nullptr);
        EXPECT_EQ(TextOf(label), L"Making the report...");
        EXPECT_NE(::FindWindowExW(made, nullptr, PROGRESS_CLASSW, nullptr), nullptr);
        RECT ownerRect = {}, madeRect = {};
        ::GetWindowRect(owner, &ownerRect);
        ::GetWindowRect(made, &madeRect);
        EXPECT_TRUE(madeRect.left > ownerRect.left && madeRect.right < ownerRect.right &&
                    madeRect.top > ownerRect.top && madeRect.bottom < ownerRect.bottom)
            << "centred over the owner";
        ::SendMessageW(made, WM_CLOSE, 0, 0);
        EXPECT_TRUE(::IsWindow(made)) << "Alt+F4 does not take it away";
        SaveWindowScreenshot(made, L"busy-window");
    }
    EXPECT_EQ(BusyWindowOf(owner), nullptr);
    EXPECT_TRUE(::IsWindowEnabled(owner));
    EXPECT_EQ(::GetFocus(), edit) << "the keyboard focus is where it was";
}

// A pane floated off the main window is a window of its own: it takes no
// input either. One that a dialog had disabled is given back as it was.
TEST_F(BusyWindowTest, EveryShownWindowOfTheThreadWaitsAndIsGivenBackAsItWas)
{
    const HWND floating = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"Daily plan", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                            800, 100, 200, 200, owner, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    const HWND disabledBefore = ::CreateWindowExW(0, L"STATIC", L"Task", WS_POPUP | WS_CAPTION | WS_VISIBLE, 800, 400,
                                                  200, 200, owner, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::EnableWindow(disabledBefore, FALSE);
    {
        const CBusyWindow busy(owner, L"Running the script CSV...");
        EXPECT_FALSE(::IsWindowEnabled(floating));
        EXPECT_TRUE(::IsWindowEnabled(BusyWindowOf(owner)));
    }
    EXPECT_TRUE(::IsWindowEnabled(owner));
    EXPECT_TRUE(::IsWindowEnabled(floating));
    EXPECT_FALSE(::IsWindowEnabled(disabledBefore));
    ::DestroyWindow(floating);
    ::DestroyWindow(disabledBefore);
}

TEST_F(BusyWindowTest, WithoutAnOwnerNothingIsShown)
{
    const CBusyWindow busy(nullptr, L"Making the report...");
    EXPECT_EQ(BusyWindowOf(nullptr), nullptr);
}

} // namespace
