#include <gtest/gtest.h>

#include <vector>

#include "docking/commandbar/CommandBarXPCtrl.h"
#include "docking/commandbar/XPColors.h"
#include "testing/DialogDriver.h"
#include "testing/MenuDriver.h"
#include "testing/TestMenus.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "winlib/CommandBarTestSupport.h"
#include "winlib/DeviceContext.h"
#include "winlib/FrameWindowImpl.h"

namespace {

using namespace TestMenu;

// The bar and the test toolbar in bands of a rebar, the toolbar drawn as the bar.
class CXPFrame : public CCommandBarTestFrame<CXPFrame, CCommandBarXPCtrl> {
public:
    static CreateArgs Placement() { return {.title = L"XP", .rect = {40, 40, 480, 300}}; }
    HWND BarParent()
    {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
        ::InitCommonControlsEx(&controls);
        rebar = ::CreateWindowExW(0, REBARCLASSNAMEW, nullptr, 0x56002640, 0, 0, 100, 60, m_hWnd, nullptr, nullptr,
                                  nullptr);
        return rebar;
    }
    void PlaceBars()
    {
        bar.AddXPToolbar(toolbar);
        AddBand(bar, nullptr, false);
        AddBand(toolbar, L"Tools", true);
        m_hWndToolBar = rebar;
        bar.UpdateRebarBands();
    }
    void AddBand(HWND child, const wchar_t* title, bool newRow)
    {
        RECT rect = {};
        ::SendMessageW(child, TB_GETITEMRECT, static_cast<WPARAM>(::SendMessageW(child, TB_BUTTONCOUNT, 0, 0) - 1),
                       reinterpret_cast<LPARAM>(&rect));
        REBARBANDINFOW band = {};
        band.cbSize = sizeof(band);
        band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_ID | (title ? RBBIM_TEXT : 0);
        band.fStyle = newRow ? RBBS_BREAK : 0;
        band.hwndChild = child;
        band.cxMinChild = rect.right;
        band.cyMinChild = rect.bottom;
        band.wID = static_cast<UINT>(::SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0) + 1);
        band.lpText = const_cast<wchar_t*>(title);
        ::SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
    }

    HWND rebar = nullptr;
};

// Whether any pixel of a rectangle of the screen, as the window shows it, has the colour.
bool ShowsColour(HWND window, RECT screenRect, COLORREF colour)
{
    const RECT windowRect = CWindow(window).GetWindowRect();
    ::OffsetRect(&screenRect, -windowRect.left, -windowRect.top);
    const CWindowDC dc(window);
    bool found = false;
    for (int y = screenRect.top; y < screenRect.bottom && !found; ++y)
        for (int x = screenRect.left; x < screenRect.right && !found; ++x)
            found = ::GetPixel(dc, x, y) == colour;
    return found;
}

RECT MenuItemRect(HMENU popup, UINT position)
{
    RECT rect = {};
    ::GetMenuItemRect(nullptr, popup, position, &rect);
    return rect;
}

using CommandBarXPTest = CommandBarFixture<CXPFrame>;

} // namespace

TEST_F(CommandBarXPTest, BarBandHasNoGripperOtherBandsTakeTheBarBackground)
{
    ASSERT_EQ(::SendMessageW(frame.rebar, RB_GETBANDCOUNT, 0, 0), 2);
    REBARBANDINFOW band = {};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_STYLE | RBBIM_COLORS;
    ::SendMessageW(frame.rebar, RB_GETBANDINFOW, 0, reinterpret_cast<LPARAM>(&band));
    EXPECT_TRUE(band.fStyle & RBBS_NOGRIPPER);
    ::SendMessageW(frame.rebar, RB_GETBANDINFOW, 1, reinterpret_cast<LPARAM>(&band));
    EXPECT_FALSE(band.fStyle & RBBS_NOGRIPPER);
    EXPECT_EQ(band.clrBack, XPColorSet().barBackground);
}

TEST_F(CommandBarXPTest, OpenTitleMergesWithItsMenuOfImages)
{
    RECT title = {};
    ::SendMessageW(frame.bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&title));
    ::MapWindowPoints(frame.bar, nullptr, reinterpret_cast<POINT*>(&title), 2);
    const RECT titleCorner = {title.left + 1, title.top + 1, title.left + 4, title.top + 4};
    EXPECT_TRUE(RunMenuSteps({
        AltKey('F'),
        OpenIs(0),
        [&] { return frame.selected == kNew; },
        [&] {
            ::UpdateWindow(frame.bar);
            return ShowsColour(frame, titleCorner, XPColorSet().barBackground);
        },
        [&] {
            EXPECT_FALSE(SaveWindowScreenshot(OpenMenuWindows().front(), L"commandbar_menu").empty());
            EXPECT_FALSE(SaveWindowScreenshot(frame, L"commandbar_frame").empty());
            return true;
        },
        Key(VK_ESCAPE),
        OpenIs(-1),
    }));
}

TEST_F(CommandBarXPTest, DisabledItemIsGreyAndNeverHighlighted)
{
    const XPColors& colors = XPColorSet();
    EXPECT_TRUE(RunMenuSteps({
        AltKey('E'),
        OpenIs(1),
        // The enabled item under the selection is highlighted: the pixels read are the menu's.
        [&] { return frame.selected == kCopy && ShowsColour(OpenMenuWindows().front(), MenuItemRect(Popup(1), 0), colors.hotFill); },
        Key(VK_DOWN),
        [&] { return frame.selected == kPaste; },
        [&] {
            const HWND menu = OpenMenuWindows().front();
            const RECT paste = MenuItemRect(Popup(1), 1);
            return !ShowsColour(menu, MenuItemRect(Popup(1), 0), colors.hotFill) &&
                   ShowsColour(menu, paste, colors.disabledText);
        },
        [&] {
            EXPECT_FALSE(ShowsColour(OpenMenuWindows().front(), MenuItemRect(Popup(1), 1), colors.hotFill));
            EXPECT_FALSE(ShowsColour(OpenMenuWindows().front(), MenuItemRect(Popup(1), 1), colors.highlightBorder));
            SaveWindowScreenshot(OpenMenuWindows().front(), L"commandbar_menu_disabled");
            return true;
        },
        // Enter on it chooses nothing.
        Key(VK_RETURN),
        Key(VK_ESCAPE),
        OpenIs(-1),
    }));
    EXPECT_TRUE(frame.commands.empty());
}

TEST_F(CommandBarXPTest, SeparatorIsFivePixelsHighAndItemsFitTheirImageCells)
{
    EXPECT_TRUE(RunMenuSteps({
        AltKey('F'),
        OpenIs(0),
        [&] {
            const RECT separator = MenuItemRect(Popup(0), 2);
            const RECT item = MenuItemRect(Popup(0), 0);
            EXPECT_EQ(separator.bottom - separator.top, 5);
            EXPECT_GE(item.bottom - item.top, 15 + 6 + 2);
            return true;
        },
        Key(VK_ESCAPE),
        OpenIs(-1),
    }));
}

TEST_F(CommandBarXPTest, ChosenItemReachesTheFrame)
{
    EXPECT_TRUE(RunMenuSteps({AltKey('V'), OpenIs(2), Key('S'), OpenIs(-1)}));
    EXPECT_TRUE(WaitFor([&] { return frame.commands == std::vector<UINT>{kStatusBar}; }));
}

TEST_F(CommandBarXPTest, CheckedItemWithoutImageGetsACheckBox)
{
    EXPECT_TRUE(RunMenuSteps({
        AltKey('V'),
        OpenIs(2),
        [&] { return frame.selected == kStatusBar; },
        // Selected: the box is filled with the checked fill.
        [&] { return ShowsColour(OpenMenuWindows().front(), MenuItemRect(Popup(2), 0), XPColorSet().checkedFill); },
        [&] {
            SaveWindowScreenshot(OpenMenuWindows().front(), L"commandbar_menu_checked");
            return true;
        },
        Key(VK_ESCAPE),
        OpenIs(-1),
    }));
}

TEST_F(CommandBarXPTest, BandGripperIsStripedWithItsTitleBeside)
{
    RECT band = {};
    ASSERT_TRUE(::SendMessageW(frame.rebar, RB_GETRECT, 1, reinterpret_cast<LPARAM>(&band)));
    ::MapWindowPoints(frame.rebar, nullptr, reinterpret_cast<POINT*>(&band), 2);
    const RECT gripper = {band.left + 2, band.top + 4, band.left + 6, band.bottom - 4};
    const RECT title = {band.left + 8, band.top, band.left + 60, band.bottom};
    EXPECT_TRUE(WaitFor([&] {
        ::UpdateWindow(frame.rebar);
        return ShowsColour(frame, gripper, ::GetSysColor(COLOR_BTNSHADOW)) &&
               ShowsColour(frame, title, XPColorSet().disabledText);
    }));
}

namespace {

// The popup-menu windows made while a hook of the thread was installed.
int g_menuWindowsHeard = 0;

LRESULT CALLBACK CountMenuWindows(int code, WPARAM wParam, LPARAM lParam)
{
    wchar_t className[16] = {};
    if (code == HCBT_CREATEWND && ::GetClassNameW(reinterpret_cast<HWND>(wParam), className, 16) &&
        lstrcmpW(className, L"#32768") == 0)
        ++g_menuWindowsHeard;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

TEST_F(CommandBarXPTest, AnEarlierHookOfTheThreadStillHearsTheMenuWindowsMade)
{
    g_menuWindowsHeard = 0;
    const HHOOK hook = ::SetWindowsHookExW(WH_CBT, CountMenuWindows, nullptr, ::GetCurrentThreadId());
    ASSERT_TRUE(hook);
    EXPECT_TRUE(RunMenuSteps({AltKey('F'), OpenIs(0), Key(VK_ESCAPE), OpenIs(-1)}));
    ::UnhookWindowsHookEx(hook);
    EXPECT_GE(g_menuWindowsHeard, 1);
}
