// COptionsPage: the General page of the options sheet: start-up, tray, automatic saving and the UI language.
#pragma once

#include "dialogs/OptionsPageIds.h"
#include "dialogs/ZemPropertyPageImpl.h"

class COptionsPage : public CZemPropertyPageImpl<COptionsPage> {
public:
    enum { IDD = IDD_OPTIONS_GENERAL };
    static constexpr int kMinAutoSaveMinutes = 1;
    static constexpr int kMaxAutoSaveMinutes = 100;

    BEGIN_MESSAGE_MAP(COptionsPage)
        ON_COMMAND_CODE(IDC_OPTIONS_OPEN_RECENT, BN_CLICKED, OnChange)
        ON_COMMAND_CODE(IDC_OPTIONS_PROMPT_COMPLETING, BN_CLICKED, OnChange)
        ON_COMMAND_CODE(IDC_OPTIONS_MINIMIZE_TO_TRAY, BN_CLICKED, OnChange)
        ON_COMMAND_CODE(IDC_OPTIONS_SAVE_ON_FOCUS_LOST, BN_CLICKED, OnChange)
        ON_COMMAND_CODE(IDC_OPTIONS_LANGUAGE, CBN_SELCHANGE, OnChange)
        ON_COMMAND_CODE(IDC_OPTIONS_AUTOSAVE_MINUTES, EN_CHANGE, OnChange)
        ON_COMMAND_CODE(IDC_OPTIONS_AUTOSAVE, BN_CLICKED, OnAutoSaveClicked)
        ON_COMMAND_CODE(IDC_OPTIONS_AUTOSAVE_MINUTES, EN_KILLFOCUS, OnMinutesLeft)
        CHAIN_MESSAGE_MAP(CZemPropertyPageImpl<COptionsPage>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(COptionsPage)
        DDX_CHECK(IDC_OPTIONS_OPEN_RECENT, openRecent)
        DDX_CHECK(IDC_OPTIONS_PROMPT_COMPLETING, promptForCompleting)
        DDX_CHECK(IDC_OPTIONS_MINIMIZE_TO_TRAY, minimizeToTray)
        DDX_CHECK(IDC_OPTIONS_SAVE_ON_FOCUS_LOST, saveOnFocusLost)
        DDX_CHECK(IDC_OPTIONS_AUTOSAVE, autoSave)
        DDX_INT_RANGE(IDC_OPTIONS_AUTOSAVE_MINUTES, autoSaveMinutes, kMinAutoSaveMinutes, kMaxAutoSaveMinutes)
        DDX_COMBO_ITEM_DATA(IDC_OPTIONS_LANGUAGE, language)
    END_DDX_MAP()

    // Reads the settings and fills the language list.
    void OnInitDialog();
    // Writes every setting of the page; a page whose controls cannot be read writes none.
    int OnApply();

    int openRecent = 0;
    int promptForCompleting = 0;
    int minimizeToTray = 0;
    int saveOnFocusLost = 0;
    int autoSave = 0;
    // Stored as whole minutes: a fraction typed is refused, never cut off.
    int autoSaveMinutes = 0;
    // A primary language id; 0 follows the user's language.
    unsigned language = 0;

private:
    LRESULT OnChange(WORD, WORD, HWND, bool&);
    LRESULT OnAutoSaveClicked(WORD, WORD, HWND, bool&);
    LRESULT OnMinutesLeft(WORD, WORD, HWND, bool&);
    void FillLanguages();
    // The minutes, their arrows and their label only while saving is on.
    void EnableAutoSaveControls(bool enable);
};
