#include "document/PelquornDocTestSupport.h"

#include "foundation/AppWindow.h"
#include "foundation/ComError.h"
#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "foundation/Log.h"
#include "testing/TestSupport.h"

const char kTwoTaskPlan[] =
    "<ROOT><CATEGORY ID=\"4\" NAME=\"Work\" STATUS=\"0\"><DESCRIPTION/>"
    "<TASK ID=\"7\" NAME=\"Write offer\" STATUS=\"0\" IMPORTANCE=\"1\" ESTIMATION=\"2.0\"><DESCRIPTION/></TASK>"
    "<TASK ID=\"9\" NAME=\"Call Ann\" STATUS=\"1\" IMPORTANCE=\"0\" ESTIMATION=\"1.0\"><DESCRIPTION/></TASK>"
    "</CATEGORY></ROOT>";

namespace {

// The documents folder, where the log and the default plan names live, is
// one of this test program's own: programs tested side by side share the
// real one and would read each other's log lines and plans.
void UsePrivateDocumentsFolder()
{
    static const EString folder = MakeScratchFolder(L"documents");
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                          0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExW(key, L"Personal", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                     static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
    ForgetLogFilePath();
}

template <class T>
std::optional<T> Next(std::deque<std::optional<T>>& answers)
{
    if (answers.empty())
        return std::nullopt;
    std::optional<T> answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace

int RecordingPrompts::AskSaveChanges(const EString&)
{
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected save question";
        return IDCANCEL;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

bool RecordingPrompts::Choose(EString& path)
{
    if (paths.empty()) {
        ADD_FAILURE() << "unexpected file dialog";
        return false;
    }
    path = paths.front();
    paths.pop_front();
    return !path.IsEmpty();
}

bool ScriptedDialogs::AskCompleteCategory(const EString& message, bool& tick)
{
    asked.push_back("complete");
    completeMessages.push_back(message);
    tick = doNotAskAgain;
    if (completeAnswers.empty())
        return false;
    const bool answer = completeAnswers.front();
    completeAnswers.pop_front();
    return answer;
}

bool ScriptedDialogs::ChooseDeadlineSchedule(double& startDate, double& loadFactor)
{
    asked.push_back("schedule");
    shownSchedule = {startDate, loadFactor};
    if (schedules.empty())
        return false;
    std::tie(startDate, loadFactor) = schedules.front();
    schedules.pop_front();
    return true;
}

bool ScriptedDialogs::EditProperties(DocProperties& edited)
{
    asked.push_back("properties");
    shownProperties = edited;
    const std::optional<DocProperties> answer = Next(properties);
    if (!answer)
        return false;
    edited = *answer;
    return true;
}

bool ScriptedDialogs::ChooseGoals(const std::vector<Goal>& offered, std::vector<Goal>& chosen)
{
    asked.push_back("goals");
    offeredGoals = offered;
    const std::optional<std::vector<int>> answer = Next(goalChoices);
    if (!answer)
        return false;
    for (int index : *answer)
        chosen.push_back(offered.at(static_cast<size_t>(index)));
    return true;
}

bool ScriptedDialogs::EditLogin(EString& user, EString& password, bool& remember)
{
    asked.push_back("login");
    shownLogins.push_back({user, password, remember});
    const std::optional<Login> answer = Next(logins);
    if (!answer)
        return false;
    user = answer->user;
    password = answer->password;
    remember = answer->remember;
    return true;
}

bool ScriptedReports::ChooseReport(ReportRequest& request)
{
    shownRequest = request;
    if (!reportChoice)
        return false;
    request = *reportChoice;
    return true;
}

void ScriptedReports::RunReport(const ReportRequest& request, const EString& documentPath)
{
    if (FAILED(reportError))
        ThrowComError(reportError, L"The stylesheet does not compile.");
    reports.emplace_back(request, documentPath);
}

bool ScriptedReports::ChooseExportFile(ExchangeChoice& choice)
{
    shownChoice = choice;
    if (!exchangeChoice)
        return false;
    choice = *exchangeChoice;
    return true;
}

bool ScriptedReports::ChooseImportFile(ExchangeChoice& choice)
{
    return ChooseExportFile(choice);
}

void ScriptedReports::RunConversionScript(const EString& script, const EString& input, const EString& output,
                                          const ScriptParameters& parameters)
{
    scripts.push_back({script, input, output, parameters});
    if (scriptEffect)
        scriptEffect(scripts.back());
}

void ScriptedSearch::SetCriteria(const EString& text)
{
    criteria = text;
    calls.push_back("criteria");
}

void ScriptedSearch::SetSelection(int categoryId, int taskId)
{
    calls.push_back("selection " + std::to_string(categoryId) + " " + std::to_string(taskId));
}

void ScriptedSearch::SetOptions(const FindOptions& options)
{
    calls.push_back(std::string("options ") + (options.wholeWord ? "w" : "-") + (options.matchCase ? "c" : "-") +
                    (options.regularExpression ? "r" : "-") + (options.up ? "u" : "d"));
}

void ScriptedSearch::SetSort(int field, int direction)
{
    calls.push_back("sort " + std::to_string(field) + " " + std::to_string(direction));
}

bool ScriptedSearch::Run()
{
    calls.push_back("run");
    if (FAILED(error))
        ThrowComError(error, L"The search stylesheet failed.");
    return hit;
}

bool ScriptedFinder::Run()
{
    if (FAILED(error))
        ThrowComError(error);
    return found;
}

bool ScriptedSession::Login(const EString& user, const EString&, bool)
{
    loginUsers.push_back(user);
    if (loginAnswers.empty())
        return false;
    const bool answer = loginAnswers.front();
    loginAnswers.pop_front();
    loggedIn = loggedIn || answer;
    return answer;
}

RecordingWindow::RecordingWindow()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QuorvaneRecordingWindow";
    ::RegisterClassW(&windowClass);
    m_window = ::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 windowClass.hInstance, this);
}

RecordingWindow::~RecordingWindow()
{
    ::DestroyWindow(m_window);
}

EString RecordingWindow::Title() const
{
    wchar_t text[512] = {};
    ::GetWindowTextW(m_window, text, 512);
    return text;
}

LRESULT CALLBACK RecordingWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<RecordingWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == WM_SETTEXT)
        ++self->titleSets;
    if (self && message >= WM_USER) {
        CommandUiState state = {};
        if (message == WM_PELQUORN_COMMAND_STATE && lParam)
            state = *reinterpret_cast<const CommandUiState*>(lParam);
        self->messages.push_back({message, wParam, state});
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void PlanDocTest::SetUp()
{
    ModelTest::SetUp();
    UsePrivateDocumentsFolder();
    ASSERT_NE(mainWindow.Handle(), nullptr);
    folder = MakeScratchFolder(L"plandoc");
    SetMainWindow(mainWindow.Handle());
    document.SetPrompts(&prompts);
    document.SetDialogs(&dialogs);
    document.SetReportServices(&reports);
    document.SetFindServices(&search, &finder, &findWindow);
    document.SetOnlineSession(&session);
    document.SetStatusBar(&statusBar);
    document.Attach(&observer);
    reports.tempDocPath = FileSystem::JoinPath(folder, L"temp.qvr");
    const std::string log = ReadFileBytes(GetLogFilePath());
    m_logStart = log.size();
}

void PlanDocTest::TearDown()
{
    SetMainWindow(nullptr);
    EXPECT_TRUE(prompts.answers.empty()) << "save answers left over";
    ModelTest::TearDown();
}

EString PlanDocTest::PlanFile(const wchar_t* name, const std::string& content)
{
    const EString path = FileSystem::JoinPath(folder, name);
    WriteFileBytes(path, content);
    return path;
}

void PlanDocTest::StartNew()
{
    ASSERT_TRUE(document.OnNewDocument());
    dialogs.asked.clear();
    observer.codes.clear();
    mainWindow.messages.clear();
}

std::vector<DocNotifyCode> PlanDocTest::TakeCodes()
{
    std::vector<DocNotifyCode> codes;
    codes.swap(observer.codes);
    return codes;
}

EString PlanDocTest::Saved(const EString& path) const
{
    CTFile file(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    return file.IsOpen() ? file.ReadAll() : EString();
}

EString PlanDocTest::NewLogText() const
{
    const std::string log = ReadFileBytes(GetLogFilePath());
    const std::string added = log.size() > m_logStart ? log.substr(m_logStart) : std::string();
    return AnsiToWide(added.data(), added.size());
}
