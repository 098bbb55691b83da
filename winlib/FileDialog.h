// CFileDialog: the system's open-file and save-file dialogs.
#pragma once

#include <windows.h>

#include <vector>

#include "foundation/EString.h"

class CFileDialog {
public:
    // filter: pairs of a description and a pattern, each ending with a NUL
    // ("Text (*.txt)\0*.txt\0"). defaultExtension may be null.
    CFileDialog(bool openDialog, const wchar_t* defaultExtension, const wchar_t* fileName, DWORD flags,
                const EString& filter);
    virtual ~CFileDialog() = default;
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // 1 is the first pair of the filter.
    void SetFilterIndex(DWORD index) { m_filterIndex = index; }
    // The folder the dialog shows first; none leaves the choice to the system.
    void SetInitialFolder(const EString& folder) { m_initialFolder = folder; }

    // IDOK with the chosen path, or IDCANCEL.
    INT_PTR DoModal(HWND owner);
    const EString& GetPathName() const { return m_pathName; }

private:
    // Refuses the names whose paths the system's dialog cannot hold (FileNameLengthGuard).
    static UINT_PTR CALLBACK HookProcedure(HWND hook, UINT message, WPARAM wParam, LPARAM lParam);

    bool m_open;
    EString m_defaultExtension;
    EString m_filter;
    DWORD m_flags;
    DWORD m_filterIndex = 1;
    EString m_initialFolder;
    std::vector<wchar_t> m_file;
    EString m_pathName;
};
