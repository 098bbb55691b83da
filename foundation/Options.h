// Options: the settings store, one getter and setter per named setting, read
// from and written to the registry at every use.
#pragma once

#include <windows.h>

#include "foundation/EString.h"

class Options {
public:
    virtual ~Options() = default;

    // HKEY_CURRENT_USER keys of the program and of its settings.
    static const wchar_t* AppKeyPath();
    static const wchar_t* OptionsKeyPath();

    // Values of the settings key; registry failures give the default or are dropped.
    static DWORD ReadDword(const wchar_t* name, DWORD defaultValue);
    static void WriteDword(const wchar_t* name, DWORD value);
    static EString ReadString(const wchar_t* name, const EString& defaultValue);
    static void WriteString(const wchar_t* name, const EString& value);

    // The same under a per-window sub key of the application key.
    static DWORD ReadDword(const wchar_t* subKey, const wchar_t* name, DWORD defaultValue);
    static void WriteDword(const wchar_t* subKey, const wchar_t* name, DWORD value);
    static EString ReadString(const wchar_t* subKey, const wchar_t* name, const EString& defaultValue);
    static void WriteString(const wchar_t* subKey, const wchar_t* name, const EString& value);

    static EString FormatIndexedKey(const wchar_t* base, int index);

    // Named settings.
    static DWORD GetDeadlinePeriod();
    static void SetDeadlinePeriod(DWORD value);
    static DWORD GetFilterField();
    static void SetFilterField(DWORD value);
    static DWORD GetDeadlineFilterField();
    static void SetDeadlineFilterField(DWORD value);
    static DWORD GetPriorityFilterField();
    static void SetPriorityFilterField(DWORD value);
    static DWORD GetOpenRecentOnStartup();
    static void SetOpenRecentOnStartup(DWORD value);
    static DWORD GetSaveOnFocusLost();
    static void SetSaveOnFocusLost(DWORD value);
    static DWORD GetIsAutoSatSun();
    static void SetIsAutoSatSun(DWORD value);
    static DWORD GetIsLongDateFormat();
    static void SetIsLongDateFormat(DWORD value);
    static DWORD GetTimeFormat();
    static void SetTimeFormat(DWORD value);
    static DWORD GetStartOfWeek();
    static void SetStartOfWeek(DWORD value);
    static DWORD GetUiLanguage();
    static void SetUiLanguage(DWORD value);
    static DWORD GetPromptForCompletingCategory();
    static void SetPromptForCompletingCategory(DWORD value);
    static DWORD GetMinimizeToTrayIcon();
    static void SetMinimizeToTrayIcon(DWORD value);
    static DWORD GetTransparentCategories();
    static void SetTransparentCategories(DWORD value);
    static DWORD GetProlongPrevious();
    static void SetProlongPrevious(DWORD value);
    static DWORD GetTipIndex();
    static void SetTipIndex(DWORD value);
    static DWORD GetShowTipOnSturtup();
    static void SetShowTipOnSturtup(DWORD value);
    static DWORD GetAllowSimultaneous();
    static void SetAllowSimultaneous(DWORD value);
    static DWORD GetAutoSave();
    static void SetAutoSave(DWORD value);
    static DWORD GetImportSchedules();
    static void SetImportSchedules(DWORD value);
    static DWORD GetDateFilterOnCalendar();
    static void SetDateFilterOnCalendar(DWORD value);
    static DWORD GetStatusFilterOnCalendar();
    static void SetStatusFilterOnCalendar(DWORD value);
    static DWORD GetShowTrayNotifications();
    static void SetShowTrayNotifications(DWORD value);
    static DWORD GetRemindMinutes();
    static void SetRemindMinutes(DWORD value);
    static DWORD GetLayoutDays();
    static void SetLayoutDays(DWORD value);
    static DWORD GetTrackingStayOnTop();
    static void SetTrackingStayOnTop(DWORD value);
    static DWORD GetShowAsLayoutDays();
    static void SetShowAsLayoutDays(DWORD value);
    static DWORD GetDayLayoutInterval();
    static void SetDayLayoutInterval(DWORD value);
    static DWORD GetAlignToGridMinutes();
    static void SetAlignToGridMinutes(DWORD value);
    static DWORD GetResetCookie();
    static void SetResetCookie(DWORD value);

    static DWORD GetSortField(int index, DWORD defaultValue);
    static void SetSortField(int index, DWORD value);
    static DWORD GetSortDirection(int index);
    static void SetSortDirection(int index, DWORD value);

    // Always 1: low-priority tasks are never hidden.
    static DWORD GetLowPriorityTasks();
    static void SetLowPriorityTasks(DWORD value);

    // Single-precision float stored by its bits.
    static double GetLoadFactor();
    static void SetLoadFactor(double value);

    // Hours, stored in thousandths of an hour.
    static double GetRegularHours();
    static void SetRegularHours(double hours);
    static DWORD GetRegularHoursScale() { return 1000; }
    static DWORD GetAutoSaveDefault() { return 10; }

    static EString GetDayBegin();
    static void SetDayBegin(const EString& value);
    static EString GetReportEditor();
    static void SetReportEditor(const EString& value);
    static EString GetRestorePath();
    static void SetRestorePath(const EString& value);
    static EString GetScriptEditor();
    static void SetScriptEditor(const EString& value);
    static EString GetPlanSound();
    static void SetPlanSound(const EString& value);
    static EString GetUserName();
    static void SetUserName(const EString& value);
    static EString GetCustomToolBarButtons();
    static void SetCustomToolBarButtons(const EString& value);
};
