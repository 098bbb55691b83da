#include "dialogs/OptionsPage.h"

#include <map>

#include "dialogs/TranslatedOrKey.h"
#include "foundation/Language.h"
#include "foundation/Options.h"

namespace {

constexpr int kMinutesLimit = 3;

} // namespace

void COptionsPage::OnInitDialog()
{
    openRecent = static_cast<int>(Options::GetOpenRecentOnStartup());
    promptForCompleting = static_cast<int>(Options::GetPromptForCompletingCategory());
    minimizeToTray = static_cast<int>(Options::GetMinimizeToTrayIcon());
    saveOnFocusLost = static_cast<int>(Options::GetSaveOnFocusLost());
    // Stored as whole minutes; 0 (or anything the DWORD turns negative) is off.
    const auto minutes = static_cast<int>(Options::GetAutoSave());
    autoSave = minutes > 0 ? 1 : 0;
    autoSaveMinutes = minutes > 0 ? minutes : static_cast<int>(Options::GetAutoSaveDefault());
    language = Options::GetUiLanguage() & 0xFFFF;

    SendDlgItemMessageW(m_hWnd, IDC_OPTIONS_AUTOSAVE_MINUTES, EM_LIMITTEXT, kMinutesLimit, 0);
    SendDlgItemMessageW(m_hWnd, IDC_OPTIONS_AUTOSAVE_SPIN, UDM_SETRANGE32, static_cast<WPARAM>(kMinAutoSaveMinutes),
                        static_cast<LPARAM>(kMaxAutoSaveMinutes));
    SendDlgItemMessageW(m_hWnd, IDC_OPTIONS_AUTOSAVE_SPIN, UDM_SETPOS32, 0, autoSaveMinutes);
    FillLanguages();
    // The box is checked after this, from the member.
    EnableAutoSaveControls(autoSave != 0);
}

void COptionsPage::FillLanguages()
{
    const HWND list = GetDlgItem(IDC_OPTIONS_LANGUAGE);
    std::map<unsigned, EString> installed;
    Language::GetInstalledLanguages(installed);
    for (const auto& [id, name] : installed) {
        const LRESULT item = ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (item >= 0)
            ::SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(item), id);
    }
    const EString automatic = TranslatedOrKey(L"AUTOMATIC");
    const LRESULT item = ::SendMessageW(list, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(automatic.c_str()));
    if (item >= 0)
        ::SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(item), 0);
}

void COptionsPage::EnableAutoSaveControls(bool enable)
{
    for (const int id : {IDC_OPTIONS_AUTOSAVE_MINUTES, IDC_OPTIONS_AUTOSAVE_SPIN, IDC_OPTIONS_AUTOSAVE_LABEL})
        ::EnableWindow(GetDlgItem(id), enable);
}

LRESULT COptionsPage::OnChange(WORD, WORD, HWND, bool&)
{
    MarkChanged();
    return 0;
}

LRESULT COptionsPage::OnAutoSaveClicked(WORD, WORD, HWND, bool&)
{
    MarkChanged();
    DoDataExchange(true, IDC_OPTIONS_AUTOSAVE);
    EnableAutoSaveControls(autoSave != 0);
    return 0;
}

// Minutes out of range or no number stay as typed, for OK or Apply to refuse.
LRESULT COptionsPage::OnMinutesLeft(WORD, WORD, HWND, bool&)
{
    if (!DoDataExchange(true, IDC_OPTIONS_AUTOSAVE_MINUTES))
        return 0;
    Filling filling(*this);
    SendDlgItemMessageW(m_hWnd, IDC_OPTIONS_AUTOSAVE_SPIN, UDM_SETPOS32, 0, autoSaveMinutes);
    LoadControls(IDC_OPTIONS_AUTOSAVE_MINUTES);
    return 0;
}

int COptionsPage::OnApply()
{
    if (!ReadFieldsForOk())
        return PSNRET_INVALID;
    Options::SetOpenRecentOnStartup(static_cast<DWORD>(openRecent));
    Options::SetPromptForCompletingCategory(static_cast<DWORD>(promptForCompleting));
    Options::SetUiLanguage(language);
    Options::SetMinimizeToTrayIcon(static_cast<DWORD>(minimizeToTray));
    Options::SetSaveOnFocusLost(static_cast<DWORD>(saveOnFocusLost));
    Options::SetAutoSave(autoSave ? static_cast<DWORD>(autoSaveMinutes) : 0);
    return PSNRET_NOERROR;
}
