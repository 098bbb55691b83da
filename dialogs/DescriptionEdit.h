// CDescriptionEdit: the description edit of the task and plan-entry dialogs: Ctrl+D, Ctrl+T and Ctrl+F type the date, the time or both.
#pragma once

#include <windows.h>

#include "foundation/EString.h"
#include "winlib/WindowImpl.h"

class CDescriptionEdit : public CWindowImpl<CDescriptionEdit> {
public:
    // What the shortcut of a key inserts at "now" (an OLE date); empty for a key that is no shortcut.
    static EString ShortcutText(UINT virtualKey, double now);

    BEGIN_MESSAGE_MAP(CDescriptionEdit)
        ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
        ON_MESSAGE(WM_CHAR, OnChar)
    END_MESSAGE_MAP()

private:
    static bool IsControlDown();
    LRESULT OnKeyDown(UINT, WPARAM wParam, LPARAM, bool& handled);
    // The same keystroke's control character (4, 6 or 20) must not reach the text.
    LRESULT OnChar(UINT, WPARAM, LPARAM, bool& handled);

    int m_bKeyHandled = 0;
};
