// CTaskDialog: the modal editor of one task. The caller fills its fields, runs DoModal and reads them back after IDOK.
#pragma once

#include <functional>
#include <optional>

#include "dialogs/DeadlinePicker.h"
#include "dialogs/DescriptionEdit.h"
#include "dialogs/TaskDialogFields.h"
#include "dialogs/TaskDialogIds.h"
#include "dialogs/TranslatedOrKey.h"
#include "dialogs/ZemDialogImpl.h"
#include "document/model/TextLimits.h"

class ICategoryReader;

class CTaskDialog : public CZemDialogImpl<CTaskDialog> {
public:
    enum { IDD = IDD_TASK_DIALOG };

    // Runs the category browser from the current category; true on OK, with
    // chosenId empty when the user ended on the top of the tree.
    using CategoryBrowser =
        std::function<bool(HWND owner, ICategoryReader* document, int currentId, std::optional<int>& chosenId)>;
    // Edits the reminder flag and record; true when the user confirmed.
    using ReminderEditor = std::function<bool(bool& hasReminder, ReminderInfo& reminder)>;

    // existingTask: 1 edits a task of the document, 0 makes a new one.
    explicit CTaskDialog(int existingTask);

    EString GetDialogName() override { return L"TaskCard"; }

    // The category of the id into the read-only field: the document's name
    // for it, empty without a document.
    void RefreshCategoryName();
    // The browser's answer: no category is the top of the tree.
    void ApplyBrowsedCategory(std::optional<int> chosenId);

    BEGIN_MESSAGE_MAP(CTaskDialog)
        ON_COMMAND_CODE(IDOK, BN_CLICKED, OnOK)
        ON_COMMAND_CODE(IDCANCEL, BN_CLICKED, OnCancel)
        ON_COMMAND_CODE(IDC_TASK_NAME, EN_CHANGE, OnNameChange)
        ON_COMMAND_CODE(IDC_TASK_NEW, BN_CLICKED, OnNew)
        ON_COMMAND_CODE(IDC_TASK_ESTIMATION, EN_KILLFOCUS, OnEstimationKillFocus)
        ON_COMMAND_CODE(IDC_TASK_RECURRING, BN_CLICKED, OnRecurringClicked)
        ON_COMMAND_CODE(IDC_TASK_PATTERN, BN_CLICKED, OnPattern)
        ON_COMMAND_CODE(IDC_TASK_BROWSE_CATEGORY, BN_CLICKED, OnBrowseCategory)
        ON_COMMAND_CODE(IDC_TASK_REMINDER, BN_CLICKED, OnReminder)
        ON_NOTIFY(IDC_TASK_ESTIMATION_SPIN, UDN_DELTAPOS, OnEstimationSpin)
        ON_NOTIFY(IDC_TASK_DEADLINE, DTN_DROPDOWN, OnDeadlineDropDown)
        ON_NOTIFY(IDC_TASK_DEADLINE, DTN_DATETIMECHANGE, ShowDayNamesOfChange)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CTaskDialog>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CTaskDialog)
        DDX_DEADLINE(IDC_TASK_DEADLINE, fields.deadline)
        DDX_TEXT_LEN(IDC_TASK_DESCRIPTION, fields.description, kMaxDescription)
        DDX_TEXT_LEN(IDC_TASK_NAME, fields.name, kMaxName)
        DDX_DOUBLE_RANGE(IDC_TASK_ESTIMATION, fields.estimation, 0, kMaxEstimation)
        DDX_COMBO_INDEX(IDC_TASK_IMPORTANCE, fields.importance)
        DDX_COMBO_INDEX(IDC_TASK_STATUS, fields.status)
        DDX_CHECK(IDC_TASK_RECURRING, fields.hasRecurrence)
        DDX_TEXT(IDC_TASK_CATEGORY, categoryName)
    END_DDX_MAP()

    BEGIN_RESIZE_MAP(CTaskDialog)
        RESIZE_CONTROL(IDC_TASK_NAME, ResizeSizeX)
        RESIZE_CONTROL(IDC_TASK_CATEGORY, ResizeSizeX)
        RESIZE_CONTROL(IDC_TASK_BROWSE_CATEGORY, ResizeMoveX)
        RESIZE_CONTROL(IDC_TASK_DESCRIPTION, ResizeSizeX | ResizeSizeY)
        RESIZE_CONTROL(IDC_TASK_GROUP, ResizeSizeX | ResizeMoveY)
        RESIZE_CONTROL(IDC_TASK_ESTIMATION_LABEL, ResizeMoveY)
        RESIZE_CONTROL(IDC_TASK_ESTIMATION, ResizeMoveY)
        RESIZE_CONTROL(IDC_TASK_ESTIMATION_SPIN, ResizeMoveY)
        RESIZE_CONTROL(IDC_TASK_IMPORTANCE_LABEL, ResizeMoveY)
        RESIZE_CONTROL(IDC_TASK_IMPORTANCE, ResizeMoveY)
        RESIZE_CONTROL(IDC_TASK_DEADLINE_LABEL, ResizeMoveY)
        RESIZE_CONTROL(IDC_TASK_DEADLINE, ResizeMoveY)
        RESIZE_CONTROL(IDC_TASK_STATUS_LABEL, ResizeMoveY)
        RESIZE_CONTROL(IDC_TASK_STATUS, ResizeMoveY)
        RESIZE_CONTROL(IDC_TASK_RECURRING, ResizeMoveY)
        RESIZE_CONTROL(IDC_TASK_PATTERN, ResizeMoveY)
        RESIZE_CONTROL(IDOK, ResizeMoveX)
        RESIZE_CONTROL(IDCANCEL, ResizeMoveX)
        RESIZE_CONTROL(IDC_TASK_NEW, ResizeMoveX)
        RESIZE_CONTROL(IDC_TASK_REMINDER, ResizeMoveX)
    END_RESIZE_MAP()

    void OnInitDialog();

    // The plan's own limits: a task from a mail or a paste opens and saves here unchanged.
    static constexpr int kMaxName = static_cast<int>(TextLimits::kTaskName);
    static constexpr int kMaxDescription = static_cast<int>(TextLimits::kDescription);
    static constexpr double kMaxEstimation = 1000;

    TaskDialogFields fields;
    ICategoryReader* document = nullptr;
    // The name of the fields' category, as the read-only field shows it.
    EString categoryName;
    const int existingTask;

    // Unset, the browse and reminder buttons do nothing.
    CategoryBrowser browseCategory;
    ReminderEditor editReminder;

private:
    // The name box stripped of blanks; OK needs it not empty.
    EString TypedName() const;
    void FillCombos();

    LRESULT OnOK(WORD, WORD, HWND, bool& handled);
    LRESULT OnCancel(WORD, WORD, HWND, bool& handled);
    LRESULT OnNameChange(WORD, WORD, HWND, bool&);
    LRESULT OnNew(WORD, WORD, HWND, bool&);
    LRESULT OnEstimationKillFocus(WORD, WORD, HWND, bool&);
    LRESULT OnRecurringClicked(WORD, WORD, HWND, bool&);
    LRESULT OnPattern(WORD, WORD, HWND, bool&);
    LRESULT OnBrowseCategory(WORD, WORD, HWND, bool&);
    LRESULT OnReminder(WORD, WORD, HWND, bool&);
    LRESULT OnEstimationSpin(int, NMHDR* header, bool&);
    LRESULT OnDeadlineDropDown(int, NMHDR*, bool&);

    // The fields as the caller gave them: the pattern, the estimate and the
    // recurring box save the controls while the dialog runs, and Cancel changes nothing.
    TaskDialogFields m_opened;
    EString m_openedCategoryName;

    CDescriptionEdit m_descriptionEdit;
    CDescriptionEdit m_nameEdit;
};
