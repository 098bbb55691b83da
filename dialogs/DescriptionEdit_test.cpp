#include <windows.h>

#include <gtest/gtest.h>

#include "dialogs/DescriptionEdit.h"
#include "document/model/ModelTestSupport.h"
#include "foundation/Locale.h"
#include "foundation/Options.h"
#include "testing/DialogDriver.h"

namespace {

class DescriptionEditTest : public ModelTest {};

// The thread's keyboard as it is while a key is held.
void HoldKey(int key, bool down)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    keys[VK_CONTROL] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

} // namespace

TEST_F(DescriptionEditTest, EachShortcutInsertsItsText)
{
    // Now is 2024-05-15 10:30 with a 24-hour clock.
    const double now = DateTime(2024, 5, 15, 10, 30);
    const EString date = FormatOleDate(now);
    const struct {
        UINT key;
        EString text;
    } cases[] = {
        {'D', date},
        {'T', L"10:30"},
        {'F', date + L" 10:30"},
        {'A', L""},
        {'C', L""},
        {'V', L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CDescriptionEdit::ShortcutText(c.key, now), c.text) << static_cast<char>(c.key);

    Options::SetTimeFormat(0);
    EXPECT_EQ(CDescriptionEdit::ShortcutText('T', DateTime(2024, 5, 15, 15, 5)).substr(0, 5), L"03:05");
}

TEST_F(DescriptionEditTest, WithControlDownTheKeyInsertsAndItsControlCharacterIsDropped)
{
    const HWND edit = ::CreateWindowExW(0, L"EDIT", L"Note: ", WS_POPUP | WS_VISIBLE | ES_MULTILINE, 0, 0, 300, 100,
                                        nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(edit);
    CDescriptionEdit description;
    ASSERT_TRUE(description.SubclassWindow(edit));
    // The right Control key alone counts too.
    for (const int control : {VK_LCONTROL, VK_RCONTROL}) {
        ::SetWindowTextW(edit, L"Note: ");
        ::SendMessageW(edit, EM_SETSEL, 6, 6);
        HoldKey(control, true);
        ::SendMessageW(edit, WM_KEYDOWN, 'T', 0);
        ::SendMessageW(edit, WM_CHAR, 20, 0);
        HoldKey(control, false);
        EXPECT_EQ(CWindow(edit).GetWindowText(), L"Note: 10:30") << control;
        // One undo takes the whole insertion back.
        ::SendMessageW(edit, EM_UNDO, 0, 0);
        EXPECT_EQ(CWindow(edit).GetWindowText(), L"Note: ") << control;
    }
    // Without Control the letters are ordinary text.
    ::SetWindowTextW(edit, L"Note: ");
    ::SendMessageW(edit, EM_SETSEL, 6, 6);
    ::SendMessageW(edit, WM_KEYDOWN, 'D', 0);
    ::SendMessageW(edit, WM_CHAR, 'd', 0);
    EXPECT_EQ(CWindow(edit).GetWindowText(), L"Note: d");
    ::DestroyWindow(edit);
}
