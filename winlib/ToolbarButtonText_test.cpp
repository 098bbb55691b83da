#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "winlib/ToolbarButtonText.h"

TEST(ToolbarButtonTextTest, WholeTextWhateverItsLength)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    const HWND toolbar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_POPUP | TBSTYLE_LIST, 0, 0, 100, 24,
                                           nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(toolbar);
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // Longer than the 99 characters a fixed buffer once held.
    const std::wstring longText(150, L'w');
    const struct {
        int id;
        const wchar_t* text;
    } cases[] = {{1, L"&Mood"}, {2, longText.c_str()}, {3, L""}};
    for (const auto& c : cases) {
        TBBUTTON button = {};
        button.iBitmap = I_IMAGENONE;
        button.idCommand = c.id;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_SHOWTEXT;
        button.iString = reinterpret_cast<INT_PTR>(c.text);
        ::SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }
    for (const auto& c : cases)
        EXPECT_EQ(ToolbarButtonText(toolbar, static_cast<UINT>(c.id)), c.text) << c.id;
    EXPECT_EQ(ToolbarButtonText(toolbar, 99), L""); // no such button
    ::DestroyWindow(toolbar);
}
