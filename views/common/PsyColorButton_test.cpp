#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/common/PsyColorButton.h"
#include "winlib/DeviceContext.h"

namespace {

constexpr UINT kButtonId = 1211;

// As the main window holds the button: inside a small toolbar, which passes
// the button's commands on; the frame chains them to the button.
class CPickerFrame : public CWindowImpl<CPickerFrame> {
public:
    BEGIN_MESSAGE_MAP(CPickerFrame)
        ON_COMMAND_CODE(kButtonId, CBN_SELENDOK, OnMoodSelected)
        if (message == WM_COMMAND && LOWORD(wParam) == kButtonId)
            CHAIN_MESSAGE_MAP_MEMBER(button)
    END_MESSAGE_MAP()

    LRESULT OnMoodSelected(WORD, WORD, HWND control, bool&)
    {
        EXPECT_EQ(control, button.m_hWnd);
        picks.push_back(button.GetCurrent());
        return 0;
    }

    CPsyColorButton button;
    std::vector<INT_PTR> picks;
};

class PsyColorButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&controls);
        ASSERT_TRUE(frame.Create(CreateArgs{.title = L"Mood picker",
                                            .style = WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                            .rect = {300, 100, 700, 260}}));
        const HWND toolbar = ::CreateWindowExW(
            0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NOPARENTALIGN | CCS_NORESIZE,
            10, 10, 90, 24, frame, nullptr, nullptr, nullptr);
        ASSERT_TRUE(frame.button.Create(toolbar, {0, 1, 90, 23}, kButtonId));
        frame.button.AddColor(L"Calm", RGB(120, 170, 230), 3);
        frame.button.AddColor(L"Busy", RGB(230, 90, 60), 7);
        frame.button.AddColor(L"Plain", RGB(255, 255, 255), 9);
        ASSERT_TRUE(WaitFor([&] {
            ::SetForegroundWindow(frame);
            return ::GetActiveWindow() == frame;
        }));
    }

    void Click() { ::SendMessageW(frame.button, BM_CLICK, 0, 0); }
    bool DropDownShown() const { return ::IsWindowVisible(frame.button.GetDropDownWindow()) != FALSE; }

    CPickerFrame frame;
};

} // namespace

TEST_F(PsyColorButtonTest, SetCurrentShowsTheEntryWithThatValueElseTheFirst)
{
    struct Case {
        bool cleared;
        INT_PTR value;
        INT_PTR expectedCurrent;
    };
    const Case cases[] = {
        {false, 7, 7},
        {false, 42, 3}, // an unknown value takes the first entry
        {true, 42, 0},  // no entries: a grey "Blank" one
    };
    for (const Case& c : cases) {
        if (c.cleared) {
            frame.button.ClearColors();
            // The swatch about to be deleted is no longer shown.
            EXPECT_FALSE(frame.button.SendMessage(BM_GETIMAGE, IMAGE_BITMAP));
        }
        frame.button.SetCurrent(c.value);
        EXPECT_EQ(frame.button.GetCurrent(), c.expectedCurrent) << c.value;
        EXPECT_TRUE(frame.button.SendMessage(BM_GETIMAGE, IMAGE_BITMAP)) << c.value;
    }
    EXPECT_EQ(frame.button.GetColors().front().name, L"Blank");
    // The swatch fills the button less 4 pixels on every side.
    EXPECT_EQ(frame.button.GetColors().front().swatchSize.cx, 82);
    EXPECT_EQ(frame.button.GetColors().front().swatchSize.cy, 14);
}

TEST_F(PsyColorButtonTest, ClickDropsTheListDownBelowTheButtonWithTheCurrentEntrySelected)
{
    frame.button.SetCurrent(7);
    SaveWindowScreenshot(frame, L"colour-button");
    Click();
    ASSERT_TRUE(DropDownShown());
    const RECT button = frame.button.GetWindowRect();
    const RECT drop = CWindow(frame.button.GetDropDownWindow()).GetWindowRect();
    EXPECT_EQ(drop.right, button.right - 1);
    EXPECT_EQ(drop.top, button.bottom - 1);
    EXPECT_EQ(drop.right - drop.left, 299);
    EXPECT_EQ(drop.bottom - drop.top, 301);

    const HWND list = frame.button.GetListWindow();
    EXPECT_EQ(ListView_GetItemCount(list), 3);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 1);
    EXPECT_TRUE(WaitFor([&] { return ::GetFocus() == list; }));

    // The white entry's swatch shows on the white list: its outline is drawn.
    ::UpdateWindow(list);
    RECT icon = {LVIR_ICON, 0, 0, 0};
    ASSERT_TRUE(::SendMessageW(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&icon)));
    const CClientDC dc(list);
    int outlinePixels = 0;
    for (int x = icon.left; x < icon.right; ++x) {
        for (int y = icon.top; y < icon.bottom; ++y)
            outlinePixels += ::GetPixel(dc, x, y) == RGB(128, 128, 128);
    }
    EXPECT_GT(outlinePixels, 0);
    SaveWindowScreenshot(frame.button.GetDropDownWindow(), L"colour-button-drop-down");

    // Losing the focus closes the list without a pick.
    ::SetFocus(frame);
    EXPECT_TRUE(WaitFor([&] { return !DropDownShown(); }));
    EXPECT_TRUE(frame.picks.empty());
}

TEST_F(PsyColorButtonTest, KeysInTheListPickOrEscape)
{
    struct Case {
        std::vector<WPARAM> keys;
        std::vector<INT_PTR> expectedPicks; // each a CBN_SELENDOK to the frame
        INT_PTR expectedCurrent;
        INT_PTR expectedListData;
    };
    const Case cases[] = {
        {{VK_DOWN, VK_RETURN}, {9}, 9, 9},
        {{VK_UP, VK_SPACE}, {3}, 3, 3},
        {{VK_DOWN, VK_ESCAPE}, {}, 7, -1},
    };
    for (const Case& c : cases) {
        frame.button.SetCurrent(7);
        frame.picks.clear();
        Click();
        ASSERT_TRUE(DropDownShown());
        for (const WPARAM key : c.keys)
            ::SendMessageW(frame.button.GetListWindow(), WM_KEYDOWN, key, 1);
        EXPECT_FALSE(DropDownShown()) << c.keys.back();
        EXPECT_EQ(frame.picks, c.expectedPicks) << c.keys.back();
        EXPECT_EQ(frame.button.GetCurrent(), c.expectedCurrent) << c.keys.back();
        EXPECT_EQ(frame.button.GetListSelectedData(), c.expectedListData) << c.keys.back();
    }
}
