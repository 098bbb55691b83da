// CRecurrenceDialog: edits how a task recurs; EditRecurrence runs it for a RecurrenceInfo.
#pragma once

#include <span>

#include "dialogs/TaskDialogIds.h"
#include "dialogs/DayTimeEdits.h"
#include "dialogs/ZemDialogImpl.h"
#include "document/model/RecurrenceInfo.h"

// Runs the dialog on the active window; true on OK, with the record
// updated; on Cancel the record stays as it was.
bool EditRecurrence(RecurrenceInfo& recurrence);

class CRecurrenceDialog : public CZemDialogImpl<CRecurrenceDialog>, public CDayTimeEdits<CRecurrenceDialog> {
public:
    enum { IDD = IDD_RECURRENCE_DIALOG };

    CRecurrenceDialog();

    EString GetDialogName() override { return L"RecurrenceDialog"; }

    // The fields from a record, and back into it.
    void Load(const RecurrenceInfo& recurrence);
    void Store(RecurrenceInfo& recurrence) const;

    BEGIN_MESSAGE_MAP(CRecurrenceDialog)
        ON_COMMAND_CODE(IDOK, BN_CLICKED, OnOK)
        ON_COMMAND_CODE(IDC_RECUR_DAILY, BN_CLICKED, OnPatternKind)
        ON_COMMAND_CODE(IDC_RECUR_WEEKLY, BN_CLICKED, OnPatternKind)
        ON_COMMAND_CODE(IDC_RECUR_MONTHLY, BN_CLICKED, OnPatternKind)
        ON_COMMAND_CODE(IDC_RECUR_IRREGULARLY, BN_CLICKED, OnPatternKind)
        ON_COMMAND_CODE(IDC_RECUR_BY_DAY_OF_MONTH, BN_CLICKED, OnMonthPattern)
        ON_COMMAND_CODE(IDC_RECUR_BY_WEEKDAY_OF_MONTH, BN_CLICKED, OnMonthPattern)
        ON_COMMAND_CODE(IDC_RECUR_ALL_DAYS, BN_CLICKED, OnRadioOnly)
        ON_COMMAND_CODE(IDC_RECUR_WORKDAYS, BN_CLICKED, OnRadioOnly)
        ON_COMMAND_CODE(IDC_RECUR_WEEKENDS, BN_CLICKED, OnRadioOnly)
        ON_COMMAND_CODE(IDC_RECUR_NO_END, BN_CLICKED, OnRadioOnly)
        ON_COMMAND_CODE(IDC_RECUR_END_AFTER, BN_CLICKED, OnRadioOnly)
        ON_COMMAND_CODE(IDC_RECUR_END_BY, BN_CLICKED, OnRadioOnly)
        ON_COMMAND_CODE(IDC_RECUR_START_TIME, EN_KILLFOCUS, OnStartKillFocus)
        ON_COMMAND_CODE(IDC_RECUR_FINISH_TIME, EN_KILLFOCUS, OnFinishKillFocus)
        ON_COMMAND_CODE(IDC_RECUR_DURATION, EN_KILLFOCUS, OnDurationKillFocus)
        ON_COMMAND_CODE(IDC_RECUR_MONTH_DAY, EN_KILLFOCUS, OnMonthDayKillFocus)
        ON_NOTIFY(IDC_RECUR_DURATION_SPIN, UDN_DELTAPOS, OnDurationSpin)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CRecurrenceDialog>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CRecurrenceDialog)
        DDX_ENTRY(IDC_RECUR_DAILY, DDX_Radio(kPatternRadios, patternKind, save))
        DDX_COMBO_INDEX(IDC_RECUR_DAY_INTERVAL, dailyInterval)
        DDX_ENTRY(IDC_RECUR_ALL_DAYS, DDX_Radio(kDayFilterRadios, dayFilter, save))
        DDX_COMBO_INDEX(IDC_RECUR_WEEK_INTERVAL, weeklyInterval)
        DDX_CHECK(IDC_RECUR_SUNDAY, weekdays[0])
        DDX_CHECK(IDC_RECUR_MONDAY, weekdays[1])
        DDX_CHECK(IDC_RECUR_TUESDAY, weekdays[2])
        DDX_CHECK(IDC_RECUR_WEDNESDAY, weekdays[3])
        DDX_CHECK(IDC_RECUR_THURSDAY, weekdays[4])
        DDX_CHECK(IDC_RECUR_FRIDAY, weekdays[5])
        DDX_CHECK(IDC_RECUR_SATURDAY, weekdays[6])
        DDX_ENTRY(IDC_RECUR_BY_DAY_OF_MONTH, DDX_Radio(kMonthPatternRadios, monthPattern, save))
        DDX_INT_RANGE(IDC_RECUR_MONTH_DAY, monthDay, 1, 31)
        DDX_COMBO_INDEX(IDC_RECUR_DAY_MONTHS, dayOfMonthInterval)
        DDX_COMBO_INDEX(IDC_RECUR_WEEKDAY_MONTHS, weekdayOfMonthInterval)
        DDX_COMBO_INDEX(IDC_RECUR_ORDINAL, ordinal)
        DDX_COMBO_INDEX(IDC_RECUR_WEEKDAY, weekday)
        DDX_DATE(IDC_RECUR_START_DATE, startDate)
        DDX_DATE(IDC_RECUR_END_DATE, endDate)
        DDX_ENTRY(IDC_RECUR_NO_END, DDX_Radio(kEndRadios, endType, save))
        DDX_INT_RANGE(IDC_RECUR_OCCURRENCES, occurrences, 0, kMaxOccurrences)
        DDX_TEXT(IDC_RECUR_TASK_NAME, taskName)
        DDX_HOURS(IDC_RECUR_DURATION, duration, 24)
        DDX_TIME_TEXT(IDC_RECUR_START_TIME, start, true)
        DDX_TIME_TEXT(IDC_RECUR_FINISH_TIME, finish, true)
    END_DDX_MAP()

    BEGIN_RESIZE_MAP(CRecurrenceDialog)
        RESIZE_CONTROL(IDC_RECUR_TASK_NAME, ResizeSizeX)
        RESIZE_CONTROL(IDOK, ResizeMoveX | ResizeMoveY)
        RESIZE_CONTROL(IDCANCEL, ResizeMoveX | ResizeMoveY)
    END_RESIZE_MAP()

    void OnInitDialog();

    static constexpr int kMaxOccurrences = 2000;
    static constexpr int kStartEdit = IDC_RECUR_START_TIME;
    static constexpr int kFinishEdit = IDC_RECUR_FINISH_TIME;
    static constexpr int kHoursEdit = IDC_RECUR_DURATION;

    // The index of the checked radio of a group, -1 when none is.
    bool DDX_Radio(std::span<const int> ids, int& value, bool save);

    EString taskName;
    int patternKind = 0;
    int dailyInterval = 0;
    int dayFilter = 0;
    int weeklyInterval = 0;
    int weekdays[7] = {};
    int monthPattern = 0;
    int monthDay = 0;
    int dayOfMonthInterval = 0;
    int weekdayOfMonthInterval = 0;
    int ordinal = 0;
    int weekday = 0;
    double startDate = 0;
    int endType = 0;
    int occurrences = 1;
    double endDate = 0;
    double start;
    double finish;
    // Hours, exact; -1 takes it from start and finish.
    double duration = -1.0;

    static constexpr int kPatternRadios[] = {IDC_RECUR_DAILY, IDC_RECUR_WEEKLY, IDC_RECUR_MONTHLY,
                                             IDC_RECUR_IRREGULARLY};
    static constexpr int kDayFilterRadios[] = {IDC_RECUR_ALL_DAYS, IDC_RECUR_WORKDAYS, IDC_RECUR_WEEKENDS};
    static constexpr int kMonthPatternRadios[] = {IDC_RECUR_BY_DAY_OF_MONTH, IDC_RECUR_BY_WEEKDAY_OF_MONTH};
    static constexpr int kEndRadios[] = {IDC_RECUR_NO_END, IDC_RECUR_END_AFTER, IDC_RECUR_END_BY};

private:
    // The clicked radio alone checked in its group: the groups hold other
    // controls between their radios, which the system's own unchecking misses.
    void CheckClickedRadio(int id);
    void ShowPatternGroup();
    void EnableMonthPattern();

    LRESULT OnOK(WORD, WORD, HWND, bool& handled);
    LRESULT OnRadioOnly(WORD, WORD id, HWND, bool&);
    LRESULT OnPatternKind(WORD, WORD id, HWND, bool&);
    LRESULT OnMonthPattern(WORD, WORD id, HWND, bool&);
    LRESULT OnMonthDayKillFocus(WORD, WORD, HWND, bool&);
    LRESULT OnDurationSpin(int, NMHDR* header, bool&);
};
