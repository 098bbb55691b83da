// CMoodListCtrl: the pane listing the document's moods; picking one records it as the current mood.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "document/IMoodDocument.h"
#include "document/model/MoodItem.h"
#include "foundation/BoolSwitch.h"
#include "views/common/ColorIcons.h"
#include "views/common/ViewBase.h"
#include "views/common/ViewMessages.h"
#include "foundation/Reflection.h"
#include "winlib/WindowImpl.h"

class CMoodListCtrl : public CWindowImpl<CMoodListCtrl>, public CViewBase<CMoodListCtrl, IMoodDocument> {
public:
    static WindowClass GetWindowClass();

    CMoodListCtrl() = default;
    // The window goes before the icons it borrows.
    ~CMoodListCtrl() override;

    HWND Create(HWND parent) override;
    void Update(ISubject* subject, DocNotifyCode code) override;
    void UpdateCommandUI(bool active);

    // One row per mood of the document, the current one selected; unless
    // always, only when the rows show other moods or another current one.
    void Reload(bool always = true);

    BEGIN_MESSAGE_MAP(CMoodListCtrl)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_MESSAGE(WM_VIEW_DEFERRED_INIT, OnDeferredInit)
        ON_MESSAGE(OCM_NOTIFY, OnReflectedNotify)
        ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
        ON_COMMAND(ID_TASK_ADD, OnAdd)
        ON_COMMAND(ID_TASK_EDIT, OnEdit)
        ON_COMMAND(ID_TASK_DELETE, OnDelete)
        CHAIN_MESSAGE_MAP(ViewBase)
    END_MESSAGE_MAP()

private:
    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnDeferredInit(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnReflectedNotify(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnContextMenu(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnAdd(WORD, WORD, HWND, bool&);
    LRESULT OnEdit(WORD, WORD, HWND, bool&);
    LRESULT OnDelete(WORD, WORD, HWND, bool&);

    void OnSelectionChanged();
    int RowMoodId(int row) const;
    bool ShowsMoods(const std::vector<MoodItem>& moods, int currentId);
    // The mood dialog over the active window; true when the user took OK.
    static bool EditMood(MoodItem& mood);

    ColorIcons m_icons;
    // The list's own selection changes while it refills are no choice of the user's.
    int m_reloading = 0;
};
