#include "reports/ExportDialog.h"

#include <algorithm>

#include "foundation/CaughtException.h"
#include "foundation/Log.h"
#include "foundation/ModalScope.h"
#include "foundation/Translator.h"
#include "resources/ExportDialogIds.h"
#include "winlib/FileNameLengthGuard.h"

namespace {
constexpr size_t kFileBufferLength = MAX_PATH;
} // namespace

CExportDialog::CExportDialog(bool openDialog, const wchar_t* defaultExtension, const wchar_t* fileName, DWORD flags)
    : m_open(openDialog), m_flow(MakeFlow(openDialog ? 1 : 0)), m_defaultExtension(defaultExtension),
      m_flags(flags), m_file(kFileBufferLength, L'\0')
{
    m_filter = m_flow->GetFilter();
    std::replace(m_filter.begin(), m_filter.end(), L'|', L'\0');
    m_title = m_flow->GetDialogTitle();
    // A remembered type whose script is gone falls back to the plan's XML.
    const int recent = m_flow->GetRecentTypeIndex();
    m_filterIndex = recent > 1 && !m_flow->GetTransformer(recent).IsEmpty() ? static_cast<DWORD>(recent) : 1;
    UpdateDefaultExtension(m_filterIndex);
    const EString name = fileName ? fileName : L"";
    std::copy_n(name.begin(), std::min(name.size(), m_file.size() - 1), m_file.begin());
}

INT_PTR CExportDialog::DoModal(HWND owner)
{
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.hInstance = ::GetModuleHandleW(nullptr);
    ofn.lpstrFilter = m_filter.c_str();
    ofn.nFilterIndex = m_filterIndex;
    ofn.lpstrFile = m_file.data();
    ofn.nMaxFile = static_cast<DWORD>(m_file.size());
    ofn.lpstrTitle = m_title.IsEmpty() ? nullptr : m_title.c_str();
    ofn.lpstrDefExt = m_defaultExtension.IsEmpty() ? nullptr : m_defaultExtension.c_str();
    ofn.Flags = m_flags | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (m_open) {
        ofn.Flags |= OFN_ENABLETEMPLATE;
        ofn.lpTemplateName = MAKEINTRESOURCEW(IDD_IMPORT_OPTIONS);
    }
    ofn.lpfnHook = HookProcedure;
    ofn.lCustData = reinterpret_cast<LPARAM>(this);
    const ModalScope modal;
    const BOOL chosen = m_open ? ::GetOpenFileNameW(&ofn) : ::GetSaveFileNameW(&ofn);
    if (!chosen) {
        if (const DWORD error = ::CommDlgExtendedError())
            LogMessage(L"The file dialog failed: 0x%x\n", static_cast<unsigned>(error));
        return IDCANCEL;
    }
    m_filterIndex = ofn.nFilterIndex;
    m_pathName = m_file.data();
    return IDOK;
}

EString CExportDialog::GetSelectedTransformer()
{
    return m_flow->GetTransformer(static_cast<int>(m_filterIndex));
}

UINT_PTR CALLBACK CExportDialog::HookProcedure(HWND hook, UINT message, WPARAM, LPARAM lParam)
{
    try {
        if (message == WM_INITDIALOG) {
            auto* dialog = reinterpret_cast<CExportDialog*>(reinterpret_cast<OPENFILENAMEW*>(lParam)->lCustData);
            ::SetWindowLongPtrW(hook, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
            GuardFileNameLength(::GetParent(hook), &dialog->m_defaultExtension);
            if (dialog->m_open)
                ::CheckDlgButton(hook, IDC_INCLUDE_ACTIVITIES_HISTORY,
                                 dialog->m_includeActivitiesHistory ? BST_CHECKED : BST_UNCHECKED);
            return TRUE;
        }
        auto* dialog = reinterpret_cast<CExportDialog*>(::GetWindowLongPtrW(hook, DWLP_USER));
        if (message != WM_NOTIFY || !dialog)
            return FALSE;
        const auto* notify = reinterpret_cast<const OFNOTIFYW*>(lParam);
        switch (notify->hdr.code) {
        case CDN_INITDONE:
            dialog->OnInitDone(hook);
            break;
        case CDN_FILEOK:
            dialog->OnFileOk(hook);
            // The file is accepted.
            ::SetWindowLongPtrW(hook, DWLP_MSGRESULT, 0);
            return TRUE;
        case CDN_TYPECHANGE:
            dialog->OnTypeChange(hook, notify->lpOFN->nFilterIndex);
            break;
        default:
            break;
        }
    } catch (...) {
        LogCaughtException(L"the export dialog");
    }
    return FALSE;
}

void CExportDialog::OnInitDone(HWND hook)
{
    Translator::TranslateWindow(hook);
}

void CExportDialog::OnFileOk(HWND hook)
{
    if (m_open)
        m_includeActivitiesHistory = ::IsDlgButtonChecked(hook, IDC_INCLUDE_ACTIVITIES_HISTORY) == BST_CHECKED;
}

void CExportDialog::OnTypeChange(HWND hook, DWORD filterIndex)
{
    m_filterIndex = filterIndex;
    // Kept at once: a cancelled dialog still opens on this type next time.
    m_defaultExtension = m_flow->OnTypeChosen(static_cast<int>(filterIndex));
    ::SendMessageW(::GetParent(hook), CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(m_defaultExtension.c_str()));
}

void CExportDialog::UpdateDefaultExtension(DWORD filterIndex)
{
    m_defaultExtension = m_flow->GetDefaultExtension(static_cast<int>(filterIndex));
}
