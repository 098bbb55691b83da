// CCustomizeDialog: the user's files of one kind (reports, templates, scripts): add, copy, edit, rename, remove.
#pragma once

#include <memory>
#include <vector>

#include "dialogs/ZemDialogImpl.h"
#include "reports/CustomFiles.h"
#include "reports/CustomizeDialogIds.h"

// Lists the kind's shipped files and the user's own. Whatever is added or
// copied lands in the user's folder of the kind, never over a file there,
// with the files it refers to; only the user's own files are edited,
// renamed or removed. A subclass names the kind.
class CCustomizeDialog : public CZemDialogImpl<CCustomizeDialog> {
public:
    enum { IDD = IDD_CUSTOMIZE };

    CCustomizeDialog() = default;
    ~CCustomizeDialog() override = default;
    CCustomizeDialog(const CCustomizeDialog&) = delete;
    CCustomizeDialog& operator=(const CCustomizeDialog&) = delete;

    EString GetDialogName() override { return L"CustomizeDialog"; }

    // The program that edits a file of the kind.
    virtual EString GetEditorCommand() = 0;
    // "Description|pattern|...|All Files (*.*)|*.*|".
    virtual EString GetFileFilter() = 0;
    // Copies what the source refers to into the destination folder.
    virtual void CopyDependencies(const EString& destinationFolder, const EString& source);
    virtual EString GetUserFolder();
    virtual unsigned GetIconId() = 0;
    virtual std::unique_ptr<CustomFiles> CreateCustomFiles() = 0;
    CustomFiles& GetCustomFiles();
    // Edit and Remove for the user's own file at the path index, Copy for any; -1 none.
    virtual void UpdateButtons(int pathIndex);
    EString GetTitle();
    virtual const wchar_t* GetTitleKey() = 0;
    // Whether the dialog ends before the editor starts.
    virtual bool ClosesBeforeEdit() { return false; }
    // The file Add copies; empty when the user chose none.
    virtual EString ChooseFileToAdd();

    // The new row's index once the list is sorted, or -1 when no copy could be made.
    int AddFile(const EString& source);
    void RefreshList();

    BEGIN_MESSAGE_MAP(CCustomizeDialog)
        ON_COMMAND_CODE(IDC_CUSTOMIZE_ADD, BN_CLICKED, OnAdd)
        ON_COMMAND_CODE(IDC_CUSTOMIZE_COPY, BN_CLICKED, OnCopy)
        ON_COMMAND_CODE(IDC_CUSTOMIZE_EDIT, BN_CLICKED, OnEdit)
        ON_COMMAND_CODE(IDC_CUSTOMIZE_REMOVE, BN_CLICKED, OnRemove)
        ON_NOTIFY(IDC_CUSTOMIZE_LIST, LVN_ITEMCHANGED, OnItemChanged)
        ON_NOTIFY(IDC_CUSTOMIZE_LIST, LVN_BEGINLABELEDITW, OnBeginLabelEdit)
        ON_NOTIFY(IDC_CUSTOMIZE_LIST, LVN_ENDLABELEDITW, OnEndLabelEdit)
        ON_NOTIFY(IDC_CUSTOMIZE_LIST, NM_DBLCLK, OnDoubleClick)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CCustomizeDialog>)
    END_MESSAGE_MAP()

    BEGIN_RESIZE_MAP(CCustomizeDialog)
        RESIZE_CONTROL(IDC_CUSTOMIZE_LIST, ResizeSizeX | ResizeSizeY)
        RESIZE_CONTROL(IDC_CUSTOMIZE_ADD, ResizeMoveX)
        RESIZE_CONTROL(IDC_CUSTOMIZE_COPY, ResizeMoveX)
        RESIZE_CONTROL(IDC_CUSTOMIZE_EDIT, ResizeMoveX)
        RESIZE_CONTROL(IDC_CUSTOMIZE_REMOVE, ResizeMoveX)
        RESIZE_CONTROL(IDOK, ResizeMoveX | ResizeMoveY)
    END_RESIZE_MAP()

    void OnInitDialog();

    // Row i of the list carries the index of its path here.
    const std::vector<EString>& GetPaths() const { return m_paths; }

private:
    HWND List() const { return GetDlgItem(IDC_CUSTOMIZE_LIST); }
    // The selected row's path index; -1 when none.
    int SelectedPathIndex() const;
    int PathIndexOfRow(int row) const;
    int RowOfPathIndex(int pathIndex) const;
    bool IsUserPath(int pathIndex) const;
    int AddToList(const EString& path, const Feature& feature, const EString& name);
    // Rows by name, ascending: the control sorts rows only as they come, not
    // when a name changes.
    void SortRows();
    static int CALLBACK CompareRowNames(LPARAM first, LPARAM second, LPARAM dialog);
    // Prefixes "Copy of" while another row shows the name.
    EString MakeUniqueName(const EString& name, int row) const;
    // As a label edit: false, with the row as it was, when the kind refused.
    bool RenameRow(int row, const EString& name);
    void SelectRow(int row);
    // Adds a copy, names it apart from the other rows and selects it.
    void AddAndSelect(const EString& source);
    void EditSelected();

    LRESULT OnAdd(WORD, WORD, HWND, bool&);
    LRESULT OnCopy(WORD, WORD, HWND, bool&);
    LRESULT OnEdit(WORD, WORD, HWND, bool&);
    LRESULT OnRemove(WORD, WORD, HWND, bool&);
    LRESULT OnItemChanged(int, NMHDR* header, bool&);
    LRESULT OnBeginLabelEdit(int, NMHDR* header, bool&);
    LRESULT OnEndLabelEdit(int, NMHDR* header, bool&);
    LRESULT OnDoubleClick(int, NMHDR*, bool&);

    std::vector<EString> m_paths;
    std::vector<Feature> m_features;
    // The name each path's row shows.
    std::vector<EString> m_names;
    std::unique_ptr<CustomFiles> m_customFiles;
};
