// CPsyColorButton: a button that shows the current colour's swatch and drops down a list of named colours.
#pragma once

#include <windows.h>

#include <vector>

#include "foundation/PrivateMessages.h"
#include "views/common/ColorEntry.h"
#include "views/common/ColorListControl.h"
#include "views/common/DropDownWindow.h"
#include "foundation/MessageMap.h"
#include "winlib/WindowImpl.h"

// Tells its parent of a pick as a combo box would: WM_COMMAND with the
// button's id and CBN_SELENDOK, the button as lParam.
//
// The button opens its drop-down on its own click (BN_CLICKED). That
// notification goes to the parent, so the parent hands it back: it chains
// WM_COMMAND of the button's id to this map (CHAIN_MESSAGE_MAP_MEMBER), or
// reflects notifications (REFLECT_NOTIFICATIONS).
class CPsyColorButton : public CWindowImpl<CPsyColorButton> {
public:
    static WindowClass GetWindowClass() { return {.name = L"PsyColorButton", .baseName = L"BUTTON"}; }

    // A visible child at `rect` of the parent, with its drop-down and list.
    HWND Create(HWND parent, const RECT& rect, UINT id);

    // Appends an entry; its swatch fills the button less 4 pixels on every side.
    void AddColor(const wchar_t* name, COLORREF colour, INT_PTR data);
    // Makes the entry with that data current and shows its swatch; an
    // unknown value takes the first entry (a grey "Blank" one when the
    // button has none).
    void SetCurrent(INT_PTR data);
    INT_PTR GetCurrent() const { return m_current; }
    void ClearColors();

    const std::vector<ColorEntry>& GetColors() const { return m_entries; }
    // Shows the list below the button with the current entry selected.
    void DropDown();
    HWND GetDropDownWindow() const { return m_dropDown; }
    HWND GetListWindow() const { return m_list; }
    INT_PTR GetListSelectedData() const { return m_list.GetSelectedData(); }

    BEGIN_MESSAGE_MAP(CPsyColorButton)
        ON_MESSAGE(WM_COMMAND, OnCommand)
        ON_MESSAGE(OCM_COMMAND, OnCommand)
        ON_MESSAGE(WM_COLOR_PICKED, OnColorPicked)
    END_MESSAGE_MAP()

private:
    LRESULT OnCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnColorPicked(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

    std::vector<ColorEntry> m_entries;
    CDropDownWindow m_dropDown;
    ColorListControl m_list;
    INT_PTR m_current = 0;
};
