// CPelquornDoc: construction, new, open, save, the automatic and temporary copies, and the error convention.
#include "document/PelquornDoc.h"

#include <optional>

#include "document/DocumentText.h"
#include "document/xml/OutsideXmlText.h"
#include "document/xml/PlanReadAhead.h"
#include "document/xml/XmlFileText.h"
#include "foundation/AppWindow.h"
#include "foundation/AtomicFileWriter.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "foundation/Log.h"
#include "foundation/Options.h"
#include "foundation/StepTimer.h"

namespace {

constexpr wchar_t kAutoCopyExtension[] = L".auto";
// A documents folder that somehow holds this many plans gets no new name.
constexpr int kMaxDefaultNameTries = 10000;

bool EndsWithNoCase(const EString& text, const EString& tail)
{
    return text.size() > tail.size() && text.Right(static_cast<int>(tail.size())).CompareNoCase(tail.c_str()) == 0;
}

// A stored choice the filter does not have would hide every task: the first, which keeps them all, instead.
int StoredFilter(DWORD stored, int count)
{
    return stored < static_cast<DWORD>(count) ? static_cast<int>(stored) : 0;
}

// Killed saves of a plan and of its automatic copy leave their temporary
// files beside it; those of every other file may belong to a running save.
void RemoveSaveLeftovers(const EString& path, const EString& planExtension)
{
    AtomicFileWriter::RemoveLeftovers(path);
    const EString copyTail = EString(L".") + planExtension + kAutoCopyExtension;
    if (EndsWithNoCase(path, copyTail))
        AtomicFileWriter::RemoveLeftovers(path.Left(static_cast<int>(path.size() - std::size(kAutoCopyExtension) + 1)));
    else
        AtomicFileWriter::RemoveLeftovers(path + kAutoCopyExtension);
}

} // namespace

CPelquornDoc::CPelquornDoc()
    : m_lowPriorityTasks(static_cast<int>(Options::GetLowPriorityTasks())),
      m_statusFilter(StoredFilter(Options::GetFilterField(), TaskCard::kStatusFilterCount)),
      m_deadlineFilter(StoredFilter(Options::GetDeadlineFilterField(), TaskCard::kDeadlineFilterCount)),
      m_priorityFilter(StoredFilter(Options::GetPriorityFilterField(), TaskCard::kPriorityFilterCount))
{
}

CPelquornDoc::~CPelquornDoc() = default;

void CPelquornDoc::SetDialogs(IDocumentDialogs* dialogs)
{
    m_dialogs = dialogs ? dialogs : &m_inert;
}

void CPelquornDoc::SetReportServices(IReportServices* services)
{
    m_reports = services ? services : &m_inert;
}

void CPelquornDoc::SetFindServices(ISearchResults* search, IPlanEntryFinder* finder, IFindWindow* window)
{
    m_search = search ? search : &m_inert;
    m_planEntryFinder = finder ? finder : &m_inert;
    m_findWindow = window ? window : &m_inert;
}

void CPelquornDoc::SetOnlineSession(IOnlineSession* session)
{
    m_session = session ? session : &m_offline;
    if (m_syncQueue)
        m_syncQueue->SetSink(*m_session);
}

DataManager& CPelquornDoc::GetDataManager()
{
    if (!m_dataManager)
        m_dataManager = std::make_unique<DataManager>();
    return *m_dataManager;
}

void CPelquornDoc::ReportError(const ComError& error)
{
    LogComError(error);
    Prompts().ShowError(error.Description());
}

void CPelquornDoc::Notify(IObserver* sender, DocNotifyCode code)
{
    // Notices that tell of no change of a task leave the summary counted.
    switch (code) {
    case NotifyCode::kFindHit:
    case NotifyCode::kPlanEntriesFound:
    case NotifyCode::kTasksSorted:
    case NotifyCode::kRedraw:
    case NotifyCode::kMoodsChanged:
    case NotifyCode::kStoreViewState:
    case NotifyCode::kEndEditsInPlace:
        break;
    default:
        ++m_taskNotices;
        break;
    }
    CDocument::Notify(sender, code);
}

bool CPelquornDoc::OnNewDocument()
{
    const EString templatePath = Silently(EString(), [&] { return m_reports->GetFirstTemplatePath(); });
    Notify(nullptr, NotifyCode::kStoreViewState);
    const bool made = Guarded(false, [&] {
        if (templatePath.IsEmpty())
            GetDataManager().New();
        else
            LoadTemplateFile(templatePath);
        return true;
    });
    if (!made)
        return false;
    SetModified(0);
    AfterLoad();
    bool handled = true;
    OnFindGoalsWizard(0, ID_FIND_GOALS_WIZARD, nullptr, handled);
    return true;
}

bool CPelquornDoc::OnOpenDocument(const EString& path)
{
    Notify(nullptr, NotifyCode::kStoreViewState);
    // The data layer parses the whole file before it gives up the plan it
    // holds: a file that fails leaves the open plan as it was.
    {
        const StepTimer parse(L"open-parse", StepTimer::kWhenSlow);
        if (!Guarded(false, [&] {
                LoadPlanFile(path);
                return true;
            }))
            return false;
    }
    // A plan written by hand or by another program may lack the moods and
    // people every plan has: they come with the opening, before the views
    // read them, and are no change to save. When they cannot be added here,
    // the views add them.
    Silently(false, [&] {
        DataManager& data = GetDataManager();
        // Their ids are drawn from the counters of this plan.
        data.AfterLoad();
        if (!data.HasMoods())
            data.AddDefaultMoods();
        std::vector<Person> people;
        data.GetPeople(0, people);
        if (people.empty())
            data.AddDefaultPeople();
        return true;
    });
    SetModified(0);
    AfterLoad();
    return true;
}

void CPelquornDoc::AfterLoad()
{
    const StepTimer timing(L"after-load", StepTimer::kWhenSlow);
    m_currentCategoryId = 0;
    m_transparentCategories = static_cast<int>(Options::GetTransparentCategories());
    // Ids of the plan that went mean other things, or nothing, in this one.
    m_tracking = 0;
    m_trackedPlanEntryId = 0;
    m_previousPlanEntryId = 0;
    m_currentMoodId = 0;
    m_selectedTaskIds.clear();
    // The counts were of the plan that went.
    m_summaryBasis.reset();
    Guarded([&] { GetDataManager().AfterLoad(); });
    Notify(nullptr, NotifyCode::kDocumentLoaded);
    if (const HWND mainWindow = GetMainWindow())
        ::SendMessageW(mainWindow, WM_MAINFRAME_MOODS_CHANGED, 0, 0);
}

bool CPelquornDoc::IsLargePlanFile(const EString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return false;
    const ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return size >= kLargePlanBytes;
}

void CPelquornDoc::LoadPlanFile(const EString& path)
{
    RemoveSaveLeftovers(path, GetDefaultExtension());
    try {
        // A plan of many megabytes is parsed beside the windows, which answer
        // and show the open under way; the open then takes the parse. The
        // start-up's read of the plan, begun with the window, is waited for
        // the same way.
        std::optional<PlanReadAhead> readAhead;
        if (IsLargePlanFile(path)) {
            HANDLE read = PlanReadAhead::GetReadEventOf(path);
            if (!read)
                read = readAhead.emplace(path).GetReadEvent();
            if (read)
                Prompts().WaitShowingProgress(TranslatedText(L"Opening the plan..."), read);
        }
        GetDataManager().Load(path);
    } catch (const ComError& error) {
        EString text = TranslatedText(L"The plan %1 could not be opened: %2");
        text.Replace(L"%1", path.c_str());
        text.Replace(L"%2", error.Description().c_str());
        ThrowComError(error.Error(), text);
    }
}

void CPelquornDoc::LoadTemplateFile(const EString& path)
{
    try {
        // A template comes from outside, a file the user may have written:
        // what no parser reads is left out, as from a paste.
        EString prepared;
        GetDataManager().LoadXml(PrepareOutsideXml(XmlFileText::Read(path), prepared));
    } catch (const ComError& error) {
        EString text = TranslatedText(L"The template %1 could not be read: %2");
        text.Replace(L"%1", path.c_str());
        text.Replace(L"%2", error.Description().c_str());
        ThrowComError(error.Error(), text);
    }
}

void CPelquornDoc::WritePlanFile(const EString& path, bool replaceExisting)
{
    // Whatever road asks (a command, a timer, the session's end), the plan
    // held is then not the plan of any name it could be written under.
    if (IsOpeningPlan())
        ThrowComError(E_ACCESSDENIED, TranslatedText(L"A plan is being opened: nothing is saved until it is open."));
    AtomicWriteRules rules;
    rules.replaceExisting = replaceExisting;
    AtomicFileWriter::Write(
        path, [&](const EString& temporaryPath) { GetDataManager().Save(temporaryPath); }, rules);
    RemoveSaveLeftovers(path, GetDefaultExtension());
}

bool CPelquornDoc::OnSaveDocument(const EString& path)
{
    return Guarded(false, [&] {
        WritePlanFile(path);
        SetModified(0);
        return true;
    });
}

bool CPelquornDoc::IsCopyOf(const EString& path, EString& original) const
{
    // Only a copy of a plan: "notes.txt.auto" is a file of its own, and the
    // plan must never be saved over "notes.txt".
    if (!EndsWithNoCase(path, EString(L".") + GetDefaultExtension() + kAutoCopyExtension))
        return false;
    original = path.Left(static_cast<int>(path.size() - std::size(kAutoCopyExtension) + 1));
    // The copy of an unnamed document lies under a default name that may
    // never have been saved: it is restored unnamed.
    if (!FileSystem::FileExists(original))
        original.clear();
    return true;
}

EString CPelquornDoc::GetDefaultFileName()
{
    const EString folder = FileSystem::GetDocumentsFolder();
    for (int counter = 0; counter < kMaxDefaultNameTries; ++counter) {
        const EString name = counter == 0 ? EString(L"plan.qvr") : EString::Formatted(L"plan%d.qvr", counter);
        const EString path = FileSystem::JoinPath(folder, name);
        if (!FileSystem::FileExists(path))
            return path;
    }
    return FileSystem::JoinPath(folder, L"plan.qvr");
}

EString CPelquornDoc::GetAutoCopyPath()
{
    const EString path = GetPathName().IsEmpty() ? GetDefaultFileName() : GetPathName();
    return path + kAutoCopyExtension;
}

void CPelquornDoc::SaveAutoCopy()
{
    // The copy would be one plan under another's name, and "RestorePath"
    // would offer it at the next start.
    if (IsChangingPlan())
        return;
    const EString copy = GetAutoCopyPath();
    if (Guarded(false, [&] {
            WritePlanFile(copy);
            return true;
        }))
        Options::SetRestorePath(copy);
}

void CPelquornDoc::QuickSave()
{
    // The session ends during an open: the file being opened is whole on
    // disk, and the plan that went was settled at the save prompt.
    if (IsOpeningPlan()) {
        LogMessage(L"No quick save while a plan is being opened: %s\n", GetPathName().c_str());
        return;
    }
    const PlanChange change(*this, PlanChange::Renaming);
    if (GetPathName().IsEmpty()) {
        SetPathName(GetDefaultFileName());
        if (Save())
            UpdateRecentList();
        else
            SetPathName(EString());
        return;
    }
    if (Save())
        return;
    // The named file cannot be written: the work goes to a file of a new name
    // that overwrites nothing, and the next start offers it.
    const EString rescue = GetDefaultFileName();
    if (Guarded(false, [&] {
            WritePlanFile(rescue, false);
            return true;
        }))
        Options::SetRestorePath(rescue);
}

EString CPelquornDoc::SaveTempCopyForReport()
{
    if (!IsModified() && !GetPathName().IsEmpty())
        return GetPathName();
    // A copy: the document keeps its name and its unsaved changes.
    return Guarded(EString(), [&] {
        const EString copy = m_reports->GetReportTempDocPath();
        WritePlanFile(copy);
        return copy;
    });
}

void CPelquornDoc::OnPlanReplaced()
{
    Options::SetRestorePath(EString());
}

LRESULT CPelquornDoc::OnClose(UINT, WPARAM, LPARAM, bool& handled)
{
    Options::SetRestorePath(EString());
    handled = false;
    return 0;
}

void CPelquornDoc::UpdateCommandStates(bool enable)
{
    const HWND mainWindow = GetMainWindow();
    if (!mainWindow)
        return;
    CommandUiState state = {enable ? m_transparentCategories : 0, enable ? 1 : 0, ID_TRANSPARENT_CATEGORIES};
    ::SendMessageW(mainWindow, WM_PELQUORN_COMMAND_STATE, 0, reinterpret_cast<LPARAM>(&state));
}

EString CPelquornDoc::GetRegistryKey() const
{
    return Options::AppKeyPath();
}

EString CPelquornDoc::GetFileFilter() const
{
    static const wchar_t filter[] = L"All Files (*.*)\0*.*\0Quorvane Files (*.qvr)\0*.qvr\0";
    return EString(filter, std::size(filter) - 1);
}

EString CPelquornDoc::GetDefaultExtension() const
{
    return L"qvr";
}
