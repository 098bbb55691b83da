// The task list's drag and drop: its selected tasks dragged out, plan entries and mail dropped in.
#include "views/tasks/PelquornView.h"

#include "document/Clipboard.h"
#include "document/PelquornDragData.h"
#include "document/TextCutNotice.h"
#include "foundation/Clock.h"
#include "foundation/ComError.h"
#include "mail/ExternalTaskLoader.h"
#include "views/common/DragStart.h"

namespace {

// What a dropped mail message becomes besides its subject and text.
constexpr double kMailTaskEstimation = 2;
constexpr int kMailTaskImportance = 1;

// The program's own record when the data object carries one; false when it
// carries none or a malformed one.
bool ReadOwnDrag(IDataObject* dataObject, PelquornDragData& record)
{
    try {
        record = GetDragData(dataObject, Clipboard::GetPrivateClipboardFormat());
        return true;
    } catch (const ComError&) {
        return false;
    }
}

} // namespace

void CPelquornView::OnBeginDrag()
{
    SetFocus();
    const std::vector<int> selected = GetSelectedTaskIds();
    if (selected.empty())
        return;
    // The drag runs once the control is done with its own begin-drag handling.
    PostDragStart(m_hWnd, PelquornDragData(PelquornDragData::kTasks, {selected.begin(), selected.end()}));
}

void CPelquornView::ShowDropErrorLater(const ComError& error)
{
    m_dropError = error;
    PostMessage(WM_VIEW_SHOW_DROP_ERROR, 0, 0);
}

LRESULT CPelquornView::OnShowDropError(UINT, WPARAM, LPARAM, bool&)
{
    if (m_dropError && GetDocument())
        GetDocument()->ReportError(*m_dropError);
    m_dropError.reset();
    return 0;
}

bool CPelquornView::CanAcceptData(IDataObject* dataObject)
{
    if (!dataObject)
        return false;
    PelquornDragData record;
    if (ReadOwnDrag(dataObject, record) && record.kind == PelquornDragData::kPlanEntries)
        return true;
    try {
        return CanLoadExternalTasks(dataObject);
    } catch (const ComError&) {
        return false;
    }
}

bool CPelquornView::OnDrop(IDataObject* dataObject, int, int, DWORD)
{
    if (!dataObject || !GetDocument())
        return false;
    PelquornDragData record;
    if (ReadOwnDrag(dataObject, record)) {
        if (record.kind != PelquornDragData::kPlanEntries)
            return false;
        RemoveDroppedPlanEntries(record.ids);
        return true;
    }
    return AddDroppedMail(dataObject);
}

void CPelquornView::RemoveDroppedPlanEntries(const std::vector<std::int32_t>& ids)
{
    GetDocument()->DeletePlanEntries({ids.begin(), ids.end()});
    NotifyDocument(nullptr, NotifyCode::kTasksChanged);
}

bool CPelquornView::AddDroppedMail(IDataObject* dataObject)
{
    ITaskListDocument& document = *GetDocument();
    std::vector<SimpleTask> messages;
    EString leftOut;
    try {
        if (!LoadExternalTasks(dataObject, messages, leftOut))
            return false;
    } catch (const ComError& error) {
        // A drop whose list of files is damaged adds nothing; the user learns why.
        ShowDropErrorLater(error);
        return false;
    }
    // The messages read become tasks, their subjects and texts held to what
    // the plan keeps; the user learns which files were left out and what was cut.
    std::vector<int> added;
    TextCuts cuts;
    for (const SimpleTask& message : messages) {
        TaskCard task(message.GetName(), message.GetText(), kMailTaskEstimation, Clock::Now(), kMailTaskImportance,
                      TaskCard::kNew, 0, 0, -1);
        cuts.Fit(task);
        if (document.AddTask(task))
            added.push_back(task.GetId());
    }
    EString notice = leftOut;
    if (cuts.Any())
        notice += (notice.empty() ? L"" : L"\r\n") + TextCutNotice(cuts);
    if (!notice.empty())
        ShowDropErrorLater(ComError(HRESULT_FROM_WIN32(ERROR_INVALID_DATA), notice));
    if (messages.empty())
        return false;
    // The refill that every view hears restores this selection in the list.
    document.SetSelectedTaskIds(added);
    NotifyDocument(nullptr, NotifyCode::kAll);
    return !added.empty();
}
