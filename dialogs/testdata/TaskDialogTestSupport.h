// Helpers of the task and recurrence dialog tests: the program's English texts, a fixed now, clicks as a user makes them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "document/model/ModelTestSupport.h"
#include "foundation/Language.h"
#include "testing/TestSupport.h"

class TaskDialogsTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_DATE_CLASSES | ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
        ::InitCommonControlsEx(&controls);
        Resource::Dictionary().Clear();
        ASSERT_TRUE(Resource::Load(SourcePath(L"resources/Language/English.txt")));
    }
    void TearDown() override
    {
        Resource::Dictionary().Clear();
        ModelTest::TearDown();
    }
};

// A click on a check box or radio button: it changes its state, then tells the dialog.
inline void ClickCheck(HWND dialog, int id)
{
    ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

inline LRESULT ComboSelection(HWND dialog, int id)
{
    return ::SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
}

inline void SelectComboItem(HWND dialog, int id, int index)
{
    ::SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

inline void SetPickedDate(HWND dialog, int id, int year, int month, int day)
{
    SYSTEMTIME time = {static_cast<WORD>(year), static_cast<WORD>(month), 0, static_cast<WORD>(day), 0, 0, 0, 0};
    ::SendDlgItemMessageW(dialog, id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

inline SYSTEMTIME PickedDate(HWND dialog, int id)
{
    SYSTEMTIME time = {};
    ::SendDlgItemMessageW(dialog, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return time;
}

inline bool IsItemEnabled(HWND dialog, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

inline bool IsItemVisible(HWND dialog, int id)
{
    return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE;
}
