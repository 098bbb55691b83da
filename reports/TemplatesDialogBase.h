// CTemplatesDialogBase<T>: a dialog around a list of user-extensible files, one row per file.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "dialogs/ZemDialogImpl.h"
#include "foundation/EString.h"
#include "foundation/ResourceModule.h"
#include "winlib/ImageList.h"

// T has list view 1021 and OK. The list sorts its rows; each row carries the
// index of its name in the given list, which leads back to the file.
template <class T>
class CTemplatesDialogBase : public CZemDialogImpl<T> {
public:
    static constexpr int kListId = 1021;

    explicit CTemplatesDialogBase(std::vector<EString> names) : m_names(std::move(names)) {}

    // The icon of every row.
    virtual unsigned GetIconId() = 0;
    // OK wants a selected row.
    virtual void UpdateOkButton() { ::EnableWindow(m_okButton, m_selectedRow >= 0); }
    // The rectangle is saved as the dialog closes, never put back.
    bool GetRestoreWindowRect() override { return false; }

    // The index in the given list of the row chosen with OK; -1 before.
    int GetChosenIndex() const { return m_chosenIndex; }

    BEGIN_MESSAGE_MAP(CTemplatesDialogBase)
        ON_NOTIFY(kListId, LVN_ITEMCHANGED, OnItemChanged)
        ON_NOTIFY(kListId, NM_DBLCLK, OnDoubleClick)
        ON_COMMAND_CODE(IDOK, BN_CLICKED, OnChoose)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<T>)
    END_MESSAGE_MAP()

    void OnInitDialog()
    {
        m_okButton = this->GetDlgItem(IDOK);
        m_list = this->GetDlgItem(kListId);
        if (m_images.Create(16, 16, 1, 1)) {
            ImageList_SetBkColor(m_images, CLR_NONE);
            if (const HICON icon = LoadAppIcon(GetIconId()))
                ImageList_AddIcon(m_images, icon);
            ListView_SetImageList(m_list, m_images, LVSIL_SMALL);
        }
        for (size_t i = 0; i < m_names.size(); ++i) {
            LVITEMW item = {};
            item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
            item.iItem = static_cast<int>(i);
            item.pszText = const_cast<wchar_t*>(m_names[i].c_str());
            item.lParam = static_cast<LPARAM>(i);
            item.iImage = 0;
            ListView_InsertItem(m_list, &item);
        }
        UpdateOkButton();
    }

protected:
    HWND List() const { return m_list; }
    int GetSelectedRow() const { return m_selectedRow; }
    // The name index a row carries; -1 for no row.
    int GetRowIndex(int row) const
    {
        LVITEMW item = {};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        if (row < 0 || !ListView_GetItem(m_list, &item))
            return -1;
        return static_cast<int>(item.lParam);
    }

    // T's own handling of a row's selection runs first and passes it on.
    LRESULT OnItemChanged(int, NMHDR* header, bool&)
    {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED)) {
            if (change->uNewState & LVIS_SELECTED)
                m_selectedRow = change->iItem;
            else if (change->iItem == m_selectedRow || change->iItem < 0)
                m_selectedRow = -1;
            UpdateOkButton();
        }
        return 0;
    }

private:
    LRESULT OnDoubleClick(int, NMHDR*, bool&)
    {
        if (::IsWindowEnabled(m_okButton))
            this->PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        return 0;
    }
    // The base then exchanges the fields and ends the dialog.
    LRESULT OnChoose(WORD, WORD, HWND, bool& handled)
    {
        m_chosenIndex = GetRowIndex(m_selectedRow);
        handled = false;
        return 0;
    }

    std::vector<EString> m_names;
    HWND m_okButton = nullptr;
    HWND m_list = nullptr;
    CImageList m_images;
    int m_selectedRow = -1;
    int m_chosenIndex = -1;
};
