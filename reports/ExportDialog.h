// CExportDialog: the system's file dialog listing the export or import file types.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <memory>
#include <vector>

#include "foundation/EString.h"
#include "reports/Flow.h"

// Save mode exports; open mode imports and shows the "IncludeActivitiesHistory"
// box below the system's controls. The chosen type is remembered as soon as
// the user picks it, and sets the extension added to a bare name.
class CExportDialog {
public:
    CExportDialog(bool openDialog, const wchar_t* defaultExtension, const wchar_t* fileName, DWORD flags);
    virtual ~CExportDialog() = default;
    CExportDialog(const CExportDialog&) = delete;
    CExportDialog& operator=(const CExportDialog&) = delete;

    // IDOK with the chosen path and type, or IDCANCEL.
    INT_PTR DoModal(HWND owner);

    const EString& GetPathName() const { return m_pathName; }
    int GetFilterIndex() const { return static_cast<int>(m_filterIndex); }
    // The script of the chosen type; empty for the plan's own XML.
    EString GetSelectedTransformer();
    void SetIncludeActivitiesHistory(bool include) { m_includeActivitiesHistory = include; }
    bool GetIncludeActivitiesHistory() const { return m_includeActivitiesHistory; }

private:
    static UINT_PTR CALLBACK HookProcedure(HWND hook, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDone(HWND hook);
    void OnFileOk(HWND hook);
    void OnTypeChange(HWND hook, DWORD filterIndex);
    void UpdateDefaultExtension(DWORD filterIndex);

    bool m_open;
    std::unique_ptr<Flow> m_flow;
    EString m_filter;
    EString m_title;
    EString m_defaultExtension;
    DWORD m_flags;
    DWORD m_filterIndex = 1;
    bool m_includeActivitiesHistory = false;
    std::vector<wchar_t> m_file;
    EString m_pathName;
};
