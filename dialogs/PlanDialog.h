// CPlanDialog: the modeless editor of one plan entry: the task booked, its times of day, flags, colour and comments.
//
// The daily plan creates its window once, fills the members before each use
// and calls ShowModeless. OK and Cancel hide the dialog; OK also posts
// WM_PLAN_DIALOG_NEW_OK or WM_PLAN_DIALOG_EDIT_OK to the notify window, which
// then reads the members back. The dialog never changes the document.
#pragma once

#include <windows.h>

#include <vector>

#include "dialogs/DescriptionEdit.h"
#include "dialogs/PlanDialogIds.h"
#include "dialogs/DayTimeEdits.h"
#include "dialogs/ZemDialogImpl.h"
#include "document/model/TaskCard.h"
#include "foundation/PrivateMessages.h"
#include "winlib/GdiObject.h"


class CPlanDialog : public CZemDialogImpl<CPlanDialog>, public CDayTimeEdits<CPlanDialog> {
public:
    enum { IDD = IDD_PLAN_DIALOG };

    CPlanDialog();
    ~CPlanDialog() override = default;
    CPlanDialog(const CPlanDialog&) = delete;
    CPlanDialog& operator=(const CPlanDialog&) = delete;

    EString GetDialogName() override { return L"PlanEntryDialog"; }

    // The tasks the combo offers; for an existing entry only its own task.
    void SetTaskList(const std::vector<TaskCard>& tasks) { m_tasks = tasks; }
    // 1 edits an existing entry, 0 makes a new one.
    void SetExistingEntry(int existing) { m_existing = existing; }
    int IsExistingEntry() const { return m_existing; }
    void SetNotifyWindow(HWND window) { m_notifyWindow = window; }

    // Fills the controls from the members, shows the dialog where it stood
    // and puts the focus into the comments.
    void ShowModeless();

    BEGIN_MESSAGE_MAP(CPlanDialog)
        ON_COMMAND_CODE(IDOK, BN_CLICKED, OnOK)
        ON_COMMAND_CODE(IDC_PLAN_TASK, CBN_SELCHANGE, OnTaskChanged)
        ON_COMMAND_CODE(IDC_PLAN_START, EN_KILLFOCUS, OnStartKillFocus)
        ON_COMMAND_CODE(IDC_PLAN_FINISH, EN_KILLFOCUS, OnFinishKillFocus)
        ON_COMMAND_CODE(IDC_PLAN_DURATION, EN_KILLFOCUS, OnDurationKillFocus)
        ON_COMMAND_CODE(IDC_PLAN_COLOUR, EN_KILLFOCUS, OnColourKillFocus)
        ON_COMMAND_CODE(IDC_PLAN_START_NOW, BN_CLICKED, OnStartNow)
        ON_COMMAND_CODE(IDC_PLAN_FINISH_NOW, BN_CLICKED, OnFinishNow)
        ON_COMMAND_CODE(IDC_PLAN_SWATCH, STN_CLICKED, OnSwatchClicked)
        ON_NOTIFY(IDC_PLAN_DURATION_SPIN, UDN_DELTAPOS, OnDurationSpin)
        ON_MESSAGE(WM_CTLCOLORSTATIC, OnColourStatic)
        ON_MESSAGE(WM_DESTROY, OnDestroy)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CPlanDialog>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CPlanDialog)
        DDX_COMBO_ITEM_DATA(IDC_PLAN_TASK, taskId)
        DDX_HOURS(IDC_PLAN_DURATION, duration, kMaxDuration)
        DDX_TIME_TEXT(IDC_PLAN_START, start, true)
        DDX_TIME_TEXT(IDC_PLAN_FINISH, finish, true)
        DDX_TEXT_LEN(IDC_PLAN_COMMENTS, comments, kMaxComments)
        DDX_CHECK(IDC_PLAN_COMPLETED, completed)
        DDX_CHECK(IDC_PLAN_DAILY_RECURRING, dailyRecurring)
        DDX_CHECK(IDC_PLAN_FIXED_TIME, fixedTime)
        DDX_COLOUR(IDC_PLAN_COLOUR, colour)
    END_DDX_MAP()

    BEGIN_RESIZE_MAP(CPlanDialog)
        RESIZE_CONTROL(IDC_PLAN_TASK, ResizeSizeX)
        RESIZE_CONTROL(IDC_PLAN_COMMENTS, ResizeSizeX | ResizeSizeY)
        RESIZE_CONTROL(IDOK, ResizeMoveX)
        RESIZE_CONTROL(IDCANCEL, ResizeMoveX)
    END_RESIZE_MAP()

    void OnInitDialog();

    static constexpr int kMaxComments = 9000;
    static constexpr double kMaxDuration = 24;
    static constexpr int kColourDigits = 6;
    static constexpr int kStartEdit = IDC_PLAN_START;
    static constexpr int kFinishEdit = IDC_PLAN_FINISH;
    static constexpr int kHoursEdit = IDC_PLAN_DURATION;

    int taskId = 0;
    // Hours, exact; -1 takes the duration from start and finish.
    double duration = 0.0;
    // Times of day; the date part takes no part.
    double start;
    double finish;
    int completed = 0;
    int fixedTime = 0;
    int dailyRecurring = 0;
    COLORREF colour = RGB(255, 255, 255);
    EString comments;
    // The entry being edited, kept for the caller.
    int entryId = 0;

private:

    void FillTaskCombo();
    // The task chosen sets the flags it decides and, for a new entry, the
    // colour and the hours still to book.
    void ApplySelectedTask();
    // A new brush in the current colour, and the swatch painted with it.
    void RefreshSwatch();
    // The current time of day typed into an edit, as the user would; its
    // rule runs when it loses the focus.
    void TypeNowInto(int id);

    LRESULT OnOK(WORD, WORD, HWND, bool& handled);
    LRESULT OnTaskChanged(WORD, WORD, HWND, bool&);
    LRESULT OnColourKillFocus(WORD, WORD, HWND, bool&);
    LRESULT OnStartNow(WORD, WORD, HWND, bool&);
    LRESULT OnFinishNow(WORD, WORD, HWND, bool&);
    LRESULT OnSwatchClicked(WORD, WORD, HWND, bool&);
    LRESULT OnDurationSpin(int, NMHDR* header, bool&);
    LRESULT OnColourStatic(UINT, WPARAM, LPARAM lParam, bool& handled);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled);

    std::vector<TaskCard> m_tasks;
    int m_existing = 1;
    HWND m_notifyWindow = nullptr;
    CBrush m_swatchBrush;
    CDescriptionEdit m_commentsEdit;
};
