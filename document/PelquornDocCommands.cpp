// CPelquornDoc: find, the report command, the document properties and the login.
#include "document/PelquornDoc.h"

#include "document/DocumentText.h"
#include "foundation/Options.h"

namespace {

constexpr int kTaskListSortIndex = 0;
constexpr DWORD kDefaultSortField = 0;

} // namespace

CPelquornDoc::TaskSort CPelquornDoc::GetTaskSort() const
{
    // The task list writes its order into the settings as the user changes it.
    return {static_cast<int>(Options::GetSortField(kTaskListSortIndex, kDefaultSortField)),
            Options::GetSortDirection(kTaskListSortIndex) != 0};
}

void CPelquornDoc::SetListedTasks(const std::vector<TaskCard>& tasks)
{
    m_listedTasks = {std::make_shared<const std::vector<TaskCard>>(tasks), GetChangeNoticeCount(),
                     m_currentCategoryId, GetTaskSort()};
}

std::shared_ptr<const std::vector<TaskCard>> CPelquornDoc::GetListedTasks() const
{
    if (!m_listedTasks || m_listedTasks->changeNotices != GetChangeNoticeCount() ||
        m_listedTasks->categoryId != m_currentCategoryId)
        return nullptr;
    const TaskSort sort = GetTaskSort();
    if (sort.field != m_listedTasks->sort.field || sort.ascending != m_listedTasks->sort.ascending)
        return nullptr;
    return m_listedTasks->tasks;
}

LRESULT CPelquornDoc::OnFind(WORD, WORD, HWND, bool&)
{
    m_findWindow->ShowFor(*this);
    return 0;
}

void CPelquornDoc::Find(const EString& criteria, const FindOptions& options)
{
    Guarded([&] {
        m_search->SetCriteria(criteria);
        m_search->SetOptions(options);
        RunSearch();
    });
}

void CPelquornDoc::RunSearch()
{
    m_search->SetDocument(GetDataManager().GetDocument(true));
    m_search->SetStatusFilter(m_statusFilter);
    m_search->SetSelection(m_currentCategoryId, GetFirstSelectedTaskId());
    const TaskSort sort = GetTaskSort();
    m_search->SetSort(sort.field, sort.ascending ? 1 : 0);
    if (m_search->Run())
        Notify(nullptr, NotifyCode::kFindHit);
}

LRESULT CPelquornDoc::OnFindNext(WORD code, WORD id, HWND control, bool& handled)
{
    if (m_search->GetCriteria().IsEmpty())
        return OnFind(code, id, control, handled);
    // The criteria and options of the last search stay.
    Guarded([&] { RunSearch(); });
    return 0;
}

void CPelquornDoc::FindPlanEntries(int taskId, int secondId)
{
    const bool found = Silently(false, [&] {
        m_planEntryFinder->SetDocument(GetDataManager().GetDocument(true));
        m_planEntryFinder->SetTaskId(taskId);
        m_planEntryFinder->SetSecondId(secondId);
        return m_planEntryFinder->Run();
    });
    if (found)
        Notify(nullptr, NotifyCode::kPlanEntriesFound);
}

LRESULT CPelquornDoc::OnPrepareReport(WORD, WORD, HWND, bool&)
{
    ReportRequest request;
    request.outputPath = m_reports->GetReportOutputPath();
    request.categoryId = m_currentCategoryId;
    if (!m_reports->ChooseReport(request))
        return 0;
    const EString documentPath = SaveTempCopyForReport();
    if (documentPath.IsEmpty())
        return 0;
    if (Guarded(false, [&] {
            m_reports->RunReport(request, documentPath);
            return true;
        }))
        m_reports->OpenWithShell(request.outputPath);
    return 0;
}

LRESULT CPelquornDoc::OnProperties(WORD, WORD, HWND, bool&)
{
    DocProperties properties;
    if (!Guarded(false, [&] {
            GetDataManager().GetProperties(properties);
            return true;
        }))
        return 0;
    if (!m_dialogs->EditProperties(properties))
        return 0;
    // A store that failed is shown; the plan keeps the mark it had.
    if (Guarded(false, [&] {
            GetDataManager().SetProperties(properties);
            return true;
        }))
        SetModified(1);
    return 0;
}

LRESULT CPelquornDoc::OnLogin(WORD, WORD, HWND, bool&)
{
    EString user = Options::GetUserName();
    EString password = m_session->GetStoredPassword();
    bool remember = !user.IsEmpty() && !password.IsEmpty();
    while (m_dialogs->EditLogin(user, password, remember)) {
        if (m_session->Login(user, password, remember))
            break;
        Prompts().ShowError(m_session->GetLastError());
    }
    return 0;
}
