// ColorListControl: the list of a colour picker's drop-down, one swatch and name per colour.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "views/common/ColorEntry.h"
#include "views/common/ColorIcons.h"
#include "foundation/MessageMap.h"
#include "winlib/WindowImpl.h"

// Tells its owner of a choice with WM_COLOR_PICKED and hides the drop-down
// it lives in after a choice, an escape or a loss of focus.
class ColorListControl : public CWindowImpl<ColorListControl> {
public:
    static WindowClass GetWindowClass();
    ColorListControl() = default;
    // The window goes before the icons it borrows.
    ~ColorListControl() override;

    // A child of `dropDown`; the entries belong to the caller and must outlive the list.
    HWND Create(HWND dropDown, HWND owner, const std::vector<ColorEntry>* entries);

    // One row per entry, in order.
    void Fill();
    // Selects and focuses the row with that data; nothing when there is none.
    void SelectData(INT_PTR data);
    // The data of the selected row; -1 when none is selected or after an escape.
    INT_PTR GetSelectedData() const { return m_selectedData; }

    BEGIN_MESSAGE_MAP(ColorListControl)
        ON_MESSAGE(OCM_NOTIFY, OnReflectedNotify)
        ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
        ON_MESSAGE(WM_KILLFOCUS, OnKillFocus)
    END_MESSAGE_MAP()

private:
    LRESULT OnReflectedNotify(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnKillFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

    INT_PTR FirstSelectedData() const;
    void Choose();
    void HideDropDown() const;

    ColorIcons m_icons;
    const std::vector<ColorEntry>* m_entries = nullptr;
    INT_PTR m_selectedData = -1;
    HWND m_owner = nullptr;
};
