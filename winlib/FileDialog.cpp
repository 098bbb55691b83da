#include "winlib/FileDialog.h"

#include <commdlg.h>

#include <algorithm>

#include "foundation/CaughtException.h"
#include "foundation/ModalScope.h"
#include "winlib/FileNameLengthGuard.h"

namespace {
// Room for a long path typed by the user; longer ones fail with Cancel.
constexpr size_t kFileBufferLength = 32768;
} // namespace

CFileDialog::CFileDialog(bool openDialog, const wchar_t* defaultExtension, const wchar_t* fileName, DWORD flags,
                         const EString& filter)
    : m_open(openDialog), m_defaultExtension(defaultExtension), m_filter(filter), m_flags(flags),
      m_file(kFileBufferLength, L'\0')
{
    // The filter list ends with an empty pair: two NULs in a row.
    if (m_filter.IsEmpty() || m_filter.back() != L'\0')
        m_filter.push_back(L'\0');
    const EString name = fileName;
    std::copy_n(name.begin(), std::min(name.size(), m_file.size() - 1), m_file.begin());
}

INT_PTR CFileDialog::DoModal(HWND owner)
{
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = m_filter.size() > 1 ? m_filter.c_str() : nullptr;
    ofn.nFilterIndex = m_filterIndex;
    ofn.lpstrFile = m_file.data();
    ofn.nMaxFile = static_cast<DWORD>(m_file.size());
    ofn.lpstrDefExt = m_defaultExtension.IsEmpty() ? nullptr : m_defaultExtension.c_str();
    ofn.lpstrInitialDir = m_initialFolder.IsEmpty() ? nullptr : m_initialFolder.c_str();
    ofn.Flags = m_flags | OFN_EXPLORER | OFN_ENABLESIZING | OFN_ENABLEHOOK;
    ofn.lpfnHook = HookProcedure;
    ofn.lCustData = reinterpret_cast<LPARAM>(this);
    const ModalScope modal;
    const BOOL chosen = m_open ? ::GetOpenFileNameW(&ofn) : ::GetSaveFileNameW(&ofn);
    if (!chosen)
        return IDCANCEL;
    m_pathName = m_file.data();
    return IDOK;
}

UINT_PTR CALLBACK CFileDialog::HookProcedure(HWND hook, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    try {
        const auto* dialog = reinterpret_cast<const CFileDialog*>(reinterpret_cast<OPENFILENAMEW*>(lParam)->lCustData);
        GuardFileNameLength(::GetParent(hook), &dialog->m_defaultExtension);
    } catch (...) {
        LogCaughtException(L"the file dialog");
    }
    return TRUE;
}
