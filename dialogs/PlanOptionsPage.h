// CPlanOptionsPage: the Plan page of the options sheet: the plan sound, new deadlines, overlaps and the working day.
#pragma once

#include "dialogs/OptionsPageIds.h"
#include "dialogs/ZemPropertyPageImpl.h"

class CPlanOptionsPage : public CZemPropertyPageImpl<CPlanOptionsPage> {
public:
    enum { IDD = IDD_OPTIONS_PLAN };
    static constexpr int kPathLength = 260;
    static constexpr int kMinDeadlineDays = -10;
    static constexpr int kMaxDeadlineDays = 100;
    static constexpr double kMinRegularHours = 0.1;
    static constexpr double kMaxRegularHours = 24;

    CPlanOptionsPage();

    BEGIN_MESSAGE_MAP(CPlanOptionsPage)
        ON_COMMAND_CODE(IDC_PLAN_SOUND_BROWSE, BN_CLICKED, OnBrowseSound)
        ON_COMMAND_CODE(IDC_PLAN_SOUND, EN_CHANGE, OnChange)
        ON_COMMAND_CODE(IDC_PLAN_DAY_BEGIN, EN_CHANGE, OnChange)
        ON_COMMAND_CODE(IDC_PLAN_DEADLINE_DAYS, EN_CHANGE, OnChange)
        ON_COMMAND_CODE(IDC_PLAN_REGULAR_HOURS, EN_CHANGE, OnChange)
        ON_COMMAND_CODE(IDC_PLAN_PROLONG_PREVIOUS, BN_CLICKED, OnChange)
        ON_COMMAND_CODE(IDC_PLAN_SIMULTANEOUS, BN_CLICKED, OnChange)
        ON_COMMAND_CODE(IDC_PLAN_REGULAR_HOURS, EN_KILLFOCUS, OnFieldLeft)
        ON_COMMAND_CODE(IDC_PLAN_DAY_BEGIN, EN_KILLFOCUS, OnFieldLeft)
        CHAIN_MESSAGE_MAP(CZemPropertyPageImpl<CPlanOptionsPage>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CPlanOptionsPage)
        DDX_TEXT_LEN(IDC_PLAN_SOUND, sound, kPathLength)
        DDX_INT_RANGE(IDC_PLAN_DEADLINE_DAYS, deadlineDays, kMinDeadlineDays, kMaxDeadlineDays)
        DDX_CHECK(IDC_PLAN_PROLONG_PREVIOUS, prolongPrevious)
        DDX_CHECK(IDC_PLAN_SIMULTANEOUS, allowSimultaneous)
        DDX_DOUBLE_RANGE(IDC_PLAN_REGULAR_HOURS, regularHours, kMinRegularHours, kMaxRegularHours)
        DDX_TIME_TEXT(IDC_PLAN_DAY_BEGIN, dayBegin, false)
    END_DDX_MAP()

    void OnInitDialog();
    // Writes every setting of the page; a page whose controls cannot be read writes none.
    int OnApply();

    EString sound;
    int deadlineDays = 0;
    int prolongPrevious = 0;
    int allowSimultaneous = 0;
    double regularHours = 8;
    // A time of day (its date part is not shown).
    double dayBegin;

private:
    LRESULT OnBrowseSound(WORD, WORD, HWND, bool&);
    LRESULT OnChange(WORD, WORD, HWND, bool&);
    // A value taken shows as it was understood; one that cannot be taken
    // stays as typed, for OK or Apply to refuse.
    LRESULT OnFieldLeft(WORD, WORD id, HWND, bool&);
    // The arrows step from the whole number nearest the hours. They write
    // that number into the field, so its text is loaded after them.
    void PositionHoursArrows();
};
