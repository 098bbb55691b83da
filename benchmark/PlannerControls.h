// PlannerControls: the planner's windows and controls reached from another process, as a user's input reaches them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "foundation/EString.h"

// False when the window did not answer within the patience.
bool SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD patienceMs, DWORD_PTR& answer);
// The same within the time reading a control of an idle window takes.
bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& answer);

HWND FindChildOfClass(HWND parent, const wchar_t* className);
HWND FindChildWithId(HWND parent, int id);
// The thread's shown dialog (a dialog box or a message box) that holds a control of the id; any for 0.
HWND FindThreadDialog(DWORD threadId, int controlId);

// Memory in the planner's process for a common control's message: its
// pointers are not carried across processes, so they must point there.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    explicit operator bool() const { return m_address != nullptr; }
    // The address in the planner's process, `offset` bytes in.
    LPARAM At(size_t offset = 0) const { return reinterpret_cast<LPARAM>(static_cast<char*>(m_address) + offset); }
    bool Write(const void* data, size_t size, size_t offset = 0);
    bool Read(void* data, size_t size, size_t offset = 0) const;

private:
    HANDLE m_process;
    void* m_address = nullptr;
};

// The tree's item whose data is the category id, among the root's children; the root for 0.
HTREEITEM FindCategoryItem(HANDLE process, HWND tree, int categoryId);
HTREEITEM SelectedTreeItem(HWND tree);
// The item's text rectangle in the tree's client area.
bool TreeItemRect(HANDLE process, HWND tree, HTREEITEM item, RECT& rect);

// A list view row's rectangle (LVIR_BOUNDS, LVIR_ICON, ...) in its client area.
bool ListRowRect(HANDLE process, HWND list, int row, int part, RECT& rect);
int ListCount(HWND list, UINT message = LVM_GETITEMCOUNT);
// The text a list view shows in the row's first column; empty when it cannot be read.
EString ListItemText(HANDLE process, HWND list, int row);
// The header item's rectangle in the header's client area, and its text.
bool HeaderItem(HANDLE process, HWND header, int index, RECT& rect, EString& text);

// The date a date picker shows, as an OLE date; 0 when it cannot be read.
double PickerDate(HANDLE process, HWND picker);
