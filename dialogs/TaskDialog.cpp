#include "dialogs/TaskDialog.h"

#include <commctrl.h>

#include "dialogs/RecurrenceDialog.h"
#include "document/ICategoryReader.h"
#include "foundation/BlankName.h"
#include "foundation/Clock.h"
#include "foundation/Locale.h"

namespace {

const wchar_t* const kImportanceKeys[] = {L"URGENT_AND_IMPORTANT", L"IMPORTANT", L"URGENT", L"FUTURE_TASK"};
const wchar_t* const kStatusKeys[] = {L"NEW_STATUS", L"INPROGRESS", L"COMPLETED_STATUS"};

void AddComboItems(HWND combo, std::initializer_list<const wchar_t*> keys)
{
    for (const wchar_t* key : keys)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TranslatedOrKey(key).c_str()));
}

EString Stripped(const EString& text)
{
    const size_t first = text.find_first_not_of(L" \t\r\n");
    if (first == EString::npos)
        return EString();
    const size_t last = text.find_last_not_of(L" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

CTaskDialog::CTaskDialog(int existingTask) : existingTask(existingTask)
{
    // Until the caller fills them: no estimate, due now.
    fields.estimation = 0;
    fields.deadline = Clock::Now();
}

void CTaskDialog::OnInitDialog()
{
    m_opened = fields;
    m_openedCategoryName = categoryName;
    m_descriptionEdit.SubclassWindow(GetDlgItem(IDC_TASK_DESCRIPTION));
    // An edit takes some 32,000 typed characters unless told otherwise.
    SendDlgItemMessageW(m_hWnd, IDC_TASK_DESCRIPTION, EM_SETLIMITTEXT, kMaxDescription, 0);
    m_nameEdit.SubclassWindow(GetDlgItem(IDC_TASK_NAME));

    ShowDeadlineFormat(GetDlgItem(IDC_TASK_DEADLINE));
    FitDatePickerToDates(GetDlgItem(IDC_TASK_DEADLINE));
    SendDlgItemMessageW(m_hWnd, IDC_TASK_ESTIMATION_SPIN, UDM_SETRANGE32, 0, static_cast<LPARAM>(kMaxEstimation));

    const bool existing = existingTask != 0;
    CWindow(GetDlgItem(IDC_TASK_STATUS)).EnableWindow(existing);
    CWindow(GetDlgItem(IDC_TASK_STATUS_LABEL)).EnableWindow(existing);
    CWindow(GetDlgItem(IDC_TASK_NEW)).EnableWindow(!existing);
    FillCombos();
    CWindow(GetDlgItem(IDC_TASK_PATTERN)).EnableWindow(fields.hasRecurrence);
    if (!existing) {
        if (fields.name.empty())
            fields.name = TranslatedOrKey(L"NEW_TASK");
        fields.importance = 1;
        fields.status = 0;
    }
    CWindow(GetDlgItem(IDC_TASK_BROWSE_CATEGORY)).EnableWindow(!existing);
    // The base loads every field next; the category's name must be among them.
    if (document) {
        Category category;
        if (document->GetCategory(fields.categoryId, category))
            categoryName = category.GetName();
    }
}

void CTaskDialog::FillCombos()
{
    AddComboItems(GetDlgItem(IDC_TASK_IMPORTANCE),
                  {kImportanceKeys[0], kImportanceKeys[1], kImportanceKeys[2], kImportanceKeys[3]});
    AddComboItems(GetDlgItem(IDC_TASK_STATUS), {kStatusKeys[0], kStatusKeys[1], kStatusKeys[2]});
}

// Only the category's field: what is typed in the others stays as typed.
void CTaskDialog::RefreshCategoryName()
{
    categoryName.clear();
    if (document) {
        Category category;
        if (document->GetCategory(fields.categoryId, category))
            categoryName = category.GetName();
    }
    DoDataExchange(false, IDC_TASK_CATEGORY);
}

void CTaskDialog::ApplyBrowsedCategory(std::optional<int> chosenId)
{
    fields.categoryId = chosenId.value_or(0);
    RefreshCategoryName();
}

// Only the name box is read: a save of every field stops at an over-long
// one, and the name member would then still hold the name the dialog opened with.
EString CTaskDialog::TypedName() const
{
    return Stripped(GetDlgItemText(IDC_TASK_NAME));
}

LRESULT CTaskDialog::OnOK(WORD, WORD, HWND, bool& handled)
{
    // A name goes on to the base, which ends the dialog only when every field
    // can be saved; the box takes the stripped name first, so that it is what
    // is measured and saved.
    const EString typed = TypedName();
    if (IsBlankName(typed))
        return 0;
    SetDlgItemText(IDC_TASK_NAME, typed.c_str());
    handled = false;
    return 0;
}

LRESULT CTaskDialog::OnCancel(WORD, WORD, HWND, bool& handled)
{
    // Add Another is the user's request, not a field: a cancel after it stays known.
    const bool addAnother = fields.addAnother;
    fields = m_opened;
    fields.addAnother = addAnother;
    categoryName = m_openedCategoryName;
    handled = false;
    return 0;
}

LRESULT CTaskDialog::OnNameChange(WORD, WORD, HWND, bool&)
{
    CWindow(GetDlgItem(IDOK)).EnableWindow(!IsBlankName(TypedName()));
    return 0;
}

LRESULT CTaskDialog::OnNew(WORD, WORD, HWND, bool&)
{
    fields.addAnother = true;
    SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(IDOK)));
    return 0;
}

// An estimate that cannot be taken stays as typed, for OK to refuse.
LRESULT CTaskDialog::OnEstimationKillFocus(WORD, WORD, HWND, bool&)
{
    if (DoDataExchange(true, IDC_TASK_ESTIMATION))
        DoDataExchange(false, IDC_TASK_ESTIMATION);
    return 0;
}

LRESULT CTaskDialog::OnEstimationSpin(int, NMHDR* header, bool&)
{
    DoDataExchange(true, IDC_TASK_ESTIMATION);
    const double stepped = fields.estimation + 0.5 * reinterpret_cast<NMUPDOWN*>(header)->iDelta;
    if (stepped >= 0)
        SetDlgItemText(IDC_TASK_ESTIMATION, Locale::FormatDecimal(stepped).c_str());
    return 0;
}

LRESULT CTaskDialog::OnDeadlineDropDown(int, NMHDR*, bool&)
{
    StartWeeksOnConfiguredDay(GetDlgItem(IDC_TASK_DEADLINE));
    return 0;
}

LRESULT CTaskDialog::OnRecurringClicked(WORD, WORD, HWND, bool& handled)
{
    DoDataExchange(true, IDC_TASK_RECURRING);
    if (fields.hasRecurrence)
        OnPattern(BN_CLICKED, IDC_TASK_PATTERN, nullptr, handled);
    CWindow(GetDlgItem(IDC_TASK_PATTERN)).EnableWindow(fields.hasRecurrence);
    return 0;
}

LRESULT CTaskDialog::OnPattern(WORD, WORD, HWND, bool&)
{
    DoDataExchange(true, IDC_TASK_NAME);
    fields.recurrence.SetName(fields.name);
    EditRecurrence(fields.recurrence);
    return 0;
}

LRESULT CTaskDialog::OnBrowseCategory(WORD, WORD, HWND, bool&)
{
    std::optional<int> chosen;
    if (browseCategory && browseCategory(m_hWnd, document, fields.categoryId, chosen))
        ApplyBrowsedCategory(chosen);
    return 0;
}

LRESULT CTaskDialog::OnReminder(WORD, WORD, HWND, bool&)
{
    if (editReminder)
        editReminder(fields.hasReminder, fields.reminder);
    return 0;
}
