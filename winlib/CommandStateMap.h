// CCommandStateMap: the enabled, checked and text states of a frame's commands,
// pushed to its menus, toolbar buttons and status-bar panes.
//
// A frame derives from it (or holds one) and chains its map, so that every
// popup the frame's menus open gets the states of its items:
//
//   CHAIN_MESSAGE_MAP(CCommandStateMap)
#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "foundation/EString.h"
#include "foundation/MessageMap.h"

class CCommandStateMap {
public:
    enum Kind : unsigned { MenuItem = 1, ToolBarButton = 2, StatusBarPane = 4 };

    // An entry the frame knows from the start; a second call adds kinds.
    void AddEntry(UINT id, unsigned kinds);
    // An entry made when a state first names a command; nothing when present.
    void AddRuntimeEntry(UINT id, unsigned kinds);
    bool HasEntry(UINT id) const { return m_entries.count(id) != 0; }

    // Unknown ids are ignored.
    void Enable(UINT id, bool enabled);
    void SetCheck(UINT id, bool checked);
    // The text of a status-bar pane entry.
    void SetText(UINT id, const EString& text);

    // False, or empty, for unknown ids.
    bool IsEnabled(UINT id) const;
    bool IsChecked(UINT id) const;
    EString GetText(UINT id) const;

    // The toolbars whose buttons show the states of the toolbar entries.
    void AddToolBar(HWND toolbar);
    // The status bar whose panes show the texts of the pane entries: a pane
    // entry's id is the pane's index.
    void SetStatusBar(HWND statusBar);

    // Push the states that differ from what was pushed last (everything after
    // registration); a state changed and changed back in between sends nothing.
    void UpdateToolBars();
    void UpdateStatusBar();
    // The menu entries' states on the popup's items, and on its submenus' items.
    void UpdateMenu(HMENU popup) const;

    // Every entry added at run time disabled: the states a view set go with the view.
    void DisableRuntimeEntries();

    // WM_INITMENUPOPUP of a popup other than the window menu sets its items'
    // states; the message goes on to the default processing.
    BEGIN_MIXIN_MESSAGE_MAP(CCommandStateMap)
        ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopup)
    END_MESSAGE_MAP()

private:
    struct Entry {
        unsigned kinds = 0;
        bool runtime = false;
        bool enabled = true;
        bool checked = false;
        EString text;
        // What the last push gave the toolbars and the status bar. A view's
        // refresh disables its commands and enables them again, so a flag of
        // change would send them all after every command.
        bool toolBarsKnown = false;
        bool shownEnabled = true;
        bool shownChecked = false;
        bool statusBarKnown = false;
        EString shownText;
    };

    Entry* Find(UINT id);
    const Entry* Find(UINT id) const;
    void Add(UINT id, unsigned kinds, bool runtime);
    void UpdateMenuItems(HMENU menu, int depth) const;

    LRESULT OnInitMenuPopup(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

    std::map<UINT, Entry> m_entries;
    std::vector<HWND> m_toolBars;
    HWND m_statusBar = nullptr;
};
