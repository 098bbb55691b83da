#include "document/Document.h"

#include "document/DocumentText.h"
#include "document/xml/PlanReadAhead.h"
#include "foundation/AppWindow.h"
#include "foundation/CaughtException.h"
#include "foundation/ComError.h"
#include "foundation/Language.h"
#include "foundation/Log.h"
#include "foundation/PrivateMessages.h"
#include "foundation/StepTimer.h"

static_assert(ID_FILE_MRU_FIRST == CRecentDocumentList::kFirstId && ID_FILE_MRU_LAST == CRecentDocumentList::kLastId);

namespace {

EString Translated(const wchar_t* text)
{
    const EString translation = Resource::Translate(text);
    return translation.IsEmpty() ? EString(text) : translation;
}

} // namespace

CDocument::CDocument() = default;

CDocument::~CDocument() = default;

CDocument::PlanChange::PlanChange(CDocument& document, Kind kind) : m_document(document), m_kind(kind)
{
    ++m_document.m_planChanges;
    if (m_kind == Opening)
        ++m_document.m_planOpens;
}

CDocument::PlanChange::~PlanChange()
{
    if (--m_document.m_planChanges == 0)
        m_document.UpdateTitle();
    if (m_kind == Opening && --m_document.m_planOpens == 0)
        if (const HWND mainWindow = GetMainWindow())
            ::PostMessageW(mainWindow, WM_MODAL_WORK_ENDED, 0, 0);
}

void CDocument::HoldUntilStartupOpen()
{
    if (!m_startupHold)
        m_startupHold = std::make_unique<PlanChange>(*this, PlanChange::Opening);
}

void CDocument::Notify(IObserver* sender, DocNotifyCode code)
{
    ISubjectImpl::Notify(sender, code);
    // The end of the edits in place is no change: a rename it keeps tells its own.
    if (m_documentWindow && code != NotifyCode::kEndEditsInPlace)
        ::PostMessageW(m_documentWindow, WM_PELQUORN_DOC_CHANGED, 0, 0);
}

void CDocument::SetModified(int modified)
{
    m_modified = modified;
    UpdateTitle();
}

EString CDocument::GetDisplayName() const
{
    return m_path.IsEmpty() ? Translated(L"Untitled") : m_path;
}

EString CDocument::GetTitle() const
{
    return GetDisplayName() + (m_modified ? L"*" : L"") + L" - " + AppProductName();
}

void CDocument::UpdateTitle()
{
    if (IsChangingPlan())
        return;
    if (const HWND mainWindow = GetMainWindow())
        ::SetWindowTextW(mainWindow, GetTitle().c_str());
}

void CDocument::RefreshUI()
{
    if (const HWND mainWindow = GetMainWindow())
        ::SendMessageW(mainWindow, WM_PELQUORN_DOC_CHANGED, 0, 0);
    UpdateCommandStates(true);
}

void CDocument::ShowFileError(const ComError& error)
{
    EString reason = SystemErrorText(error.Error());
    if (reason.IsEmpty())
        reason = error.Description();
    m_prompts->ShowError(EString::Formatted(L"%s: %s", m_path.c_str(), reason.c_str()));
}

void CDocument::ShowCaughtFileFailure()
{
    LogCaughtException(L"a document command");
    m_prompts->ShowError(EString::Formatted(L"%s: %s", m_path.c_str(), CaughtFailureText().c_str()));
}

bool CDocument::SaveModified()
{
    Notify(nullptr, NotifyCode::kEndEditsInPlace);
    if (!m_modified)
        return true;
    // Replaced rather than formatted: a translated text is no format to trust.
    EString question = Translated(L"Save changes to %s ?");
    question.Replace(L"%s", GetDisplayName().c_str());
    switch (m_prompts->AskSaveChanges(question)) {
    case IDYES:
        return DoSave();
    case IDNO:
        return true;
    default:
        return false;
    }
}

void CDocument::NewDocument()
{
    if (!SaveModified())
        return;
    // Until the path is cleared, the new plan stands under the old one's name.
    const PlanChange change(*this, PlanChange::Opening);
    if (!OnNewDocument())
        return;
    m_path.clear();
    OnDocumentReady();
    OnPlanReplaced();
    Notify(nullptr, NotifyCode::kAll);
    // The flag is the new document's: what it was made with (tasks of chosen
    // goals) is a change to save.
    UpdateTitle();
}

bool CDocument::OpenCurrentPath()
{
    const PlanChange change(*this, PlanChange::Opening);
    try {
        EString original;
        const bool copy = IsCopyOf(m_path, original);
        if (!OnOpenDocument(m_path))
            return false;
        if (copy)
            m_path = original;
        OnDocumentReady();
        UpdateTitle();
        Notify(nullptr, NotifyCode::kAll);
        SetModified(copy ? 1 : 0);
        return true;
    } catch (const ComError& error) {
        ShowFileError(error);
        return false;
    } catch (...) {
        ShowCaughtFileFailure();
        return false;
    }
}

bool CDocument::OpenPath(const EString& path)
{
    const PlanChange change(*this, PlanChange::Opening);
    const EString previous = m_path;
    const int wasModified = m_modified;
    m_path = path;
    if (!OpenCurrentPath()) {
        KeepAfterFailedOpen(previous, wasModified);
        return false;
    }
    OnPlanReplaced();
    UpdateRecentList();
    return true;
}

void CDocument::KeepAfterFailedOpen(const EString& previousPath, int wasModified)
{
    // The plan that stays keeps its name and its mark: whatever the attempt
    // stored of the views' state changed nothing the user would save.
    m_path = previousPath;
    SetModified(wasModified);
}

bool CDocument::DoSave()
{
    return m_path.IsEmpty() ? SaveAs() : Save();
}

bool CDocument::SaveAs()
{
    EString path = m_path;
    if (!m_prompts->ChooseSavePath(GetDefaultExtension(), GetFileFilter(), path))
        return false;
    // A document whose save failed keeps its old name: the new one would
    // name a file that holds nothing of it.
    const PlanChange change(*this, PlanChange::Renaming);
    const EString previous = m_path;
    m_path = path;
    if (!Save()) {
        m_path = previous;
        return false;
    }
    UpdateRecentList();
    return true;
}

bool CDocument::Save()
{
    if (m_path.IsEmpty())
        return false;
    // What is held may be the plan that goes, or nothing yet, under the name
    // of the plan being opened.
    if (IsOpeningPlan()) {
        LogMessage(L"No save while a plan is being opened: %s\n", m_path.c_str());
        return false;
    }
    try {
        if (!OnSaveDocument(m_path))
            return false;
        SetModified(0);
        return true;
    } catch (const ComError& error) {
        ShowFileError(error);
        return false;
    } catch (...) {
        ShowCaughtFileFailure();
        return false;
    }
}

void CDocument::UpdateRecentList()
{
    if (!m_path.IsEmpty() && m_recentList.AddToList(m_path))
        m_recentList.WriteToRegistry(GetRegistryKey());
}

EString CDocument::GetStartupOpenPath() const
{
    if (!m_path.IsEmpty())
        return m_path;
    CRecentDocumentList recent;
    recent.ReadFromRegistry(GetRegistryKey());
    return recent.GetCount() > 0 ? recent.GetEntries().back() : EString();
}

LRESULT CDocument::OnStartupOpen(UINT, WPARAM wParam, LPARAM, bool&)
{
    const StepTimer timing(L"startup-open");
    m_recentList.AttachToMenu(reinterpret_cast<HMENU>(wParam));
    m_recentList.ReadFromRegistry(GetRegistryKey());
    OpenAtStartup();
    // The plan read ahead was for this open only.
    PlanReadAhead::Forget();
    m_startupHold.reset();
    return 0;
}

void CDocument::OpenAtStartup()
{
    // The start-up path names a plan that is not read yet.
    const PlanChange change(*this, PlanChange::Opening);
    if (!m_path.IsEmpty()) {
        if (OpenCurrentPath()) {
            UpdateRecentList();
            return;
        }
    } else if (m_recentList.GetCount() > 0) {
        m_path = m_recentList.GetEntries().back();
        if (OpenCurrentPath())
            return;
    }
    // Whatever the failed load left must never be saved over the file that
    // could not be read: a clean new plan, unnamed, with nothing to ask about.
    KeepAfterFailedOpen(EString(), 0);
    NewDocument();
}

LRESULT CDocument::OnClose(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = !SaveModified();
    return 0;
}

LRESULT CDocument::OnFileNew(WORD, WORD, HWND, bool&)
{
    NewDocument();
    return 0;
}

LRESULT CDocument::OnFileOpen(WORD, WORD, HWND, bool&)
{
    EString path;
    if (!m_prompts->ChooseOpenPath(GetFileFilter(), path))
        return 0;
    if (SaveModified())
        OpenPath(path);
    return 0;
}

LRESULT CDocument::OnFileSave(WORD, WORD, HWND, bool&)
{
    DoSave();
    return 0;
}

LRESULT CDocument::OnFileSaveAs(WORD, WORD, HWND, bool&)
{
    SaveAs();
    return 0;
}

LRESULT CDocument::OnFileMru(WORD, WORD id, HWND, bool&)
{
    EString path;
    if (!m_recentList.GetFromList(id, path) || !SaveModified())
        return 0;
    const PlanChange change(*this, PlanChange::Opening);
    const EString previous = m_path;
    const int wasModified = m_modified;
    m_path = path;
    if (OpenCurrentPath()) {
        OnPlanReplaced();
        m_recentList.MoveToTop(id);
    } else {
        KeepAfterFailedOpen(previous, wasModified);
        m_recentList.RemoveFromList(id);
    }
    m_recentList.WriteToRegistry(GetRegistryKey());
    return 0;
}
