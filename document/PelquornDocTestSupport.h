// Helpers of the planning-document tests: scripted dialogs and services, a recording main window, the fixture.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/PelquornDoc.h"
#include "document/model/ModelTestSupport.h"

// The document's questions: save prompts answered from a script, errors kept.
class RecordingPrompts : public IDocumentPrompts {
public:
    int AskSaveChanges(const EString& question) override;
    bool ChooseOpenPath(const EString&, EString& path) override { return Choose(path); }
    bool ChooseSavePath(const EString&, const EString&, EString& path) override { return Choose(path); }
    void ShowError(const EString& text) override { errors.push_back(text); }

    std::deque<int> answers;
    std::deque<EString> paths;
    std::vector<EString> errors;

private:
    bool Choose(EString& path);
};

// Each dialog answers with the next scripted answer, or Cancel when none is
// left; `asked` names the dialogs in the order they were shown.
class ScriptedDialogs : public IDocumentDialogs {
public:
    bool AskCompleteCategory(const EString& message, bool& doNotAskAgain) override;
    bool ChooseDeadlineSchedule(double& startDate, double& loadFactor) override;
    bool EditProperties(DocProperties& properties) override;
    bool ChooseGoals(const std::vector<Goal>& offered, std::vector<Goal>& chosen) override;
    bool EditLogin(EString& user, EString& password, bool& remember) override;

    struct Login {
        EString user;
        EString password;
        bool remember;
    };

    std::vector<std::string> asked;
    std::deque<bool> completeAnswers;
    bool doNotAskAgain = false;
    std::vector<EString> completeMessages;
    std::deque<std::pair<double, double>> schedules;
    std::pair<double, double> shownSchedule;
    std::deque<std::optional<DocProperties>> properties;
    DocProperties shownProperties;
    std::deque<std::optional<std::vector<int>>> goalChoices;
    std::vector<Goal> offeredGoals;
    std::deque<std::optional<Login>> logins;
    std::vector<Login> shownLogins;
};

class ScriptedReports : public IReportServices {
public:
    EString GetFirstTemplatePath() override { return templatePath; }
    EString GetReportOutputPath() override { return outputPath; }
    EString GetReportTempDocPath() override { return tempDocPath; }
    bool ChooseReport(ReportRequest& request) override;
    void RunReport(const ReportRequest& request, const EString& documentPath) override;
    void OpenWithShell(const EString& path) override { opened.push_back(path); }
    bool ChooseExportFile(ExchangeChoice& choice) override;
    bool ChooseImportFile(ExchangeChoice& choice) override;
    void RunConversionScript(const EString& script, const EString& input, const EString& output,
                             const ScriptParameters& parameters) override;

    EString templatePath;
    EString outputPath = L"C:\\out\\Report.htm";
    EString tempDocPath;
    std::optional<ReportRequest> reportChoice;
    ReportRequest shownRequest;
    HRESULT reportError = S_OK;
    std::vector<std::pair<ReportRequest, EString>> reports;
    std::vector<EString> opened;
    std::optional<ExchangeChoice> exchangeChoice;
    ExchangeChoice shownChoice;
    struct Script {
        EString script, input, output;
        ScriptParameters parameters;
    };
    std::vector<Script> scripts;
    // Writes the script's output file.
    std::function<void(const Script&)> scriptEffect;
};

class ScriptedSearch : public ISearchResults {
public:
    void SetDocument(const XmlDocument& document) override { calls.push_back(document ? "document" : "none"); }
    void SetCriteria(const EString& text) override;
    EString GetCriteria() override { return criteria; }
    void SetStatusFilter(int code) override { calls.push_back("status " + std::to_string(code)); }
    void SetSelection(int categoryId, int taskId) override;
    void SetOptions(const FindOptions& options) override;
    void SetSort(int field, int direction) override;
    bool Run() override;
    bool IsTaskFound() override { return false; }
    int GetFoundTaskId() override { return 0; }
    int GetFoundCategoryId() override { return 0; }

    EString criteria;
    std::vector<std::string> calls;
    bool hit = false;
    HRESULT error = S_OK;
};

class ScriptedFinder : public IPlanEntryFinder {
public:
    void SetDocument(const XmlDocument&) override {}
    void SetTaskId(int id) override { taskId = id; }
    void SetSecondId(int id) override { secondId = id; }
    bool Run() override;
    double GetFoundDate() override { return 0; }
    int GetFoundId() override { return 0; }

    int taskId = 0, secondId = 0;
    bool found = false;
    HRESULT error = S_OK;
};

class CountingFindWindow : public IFindWindow {
public:
    void ShowFor(CPelquornDoc& document) override
    {
        ++shown;
        shownFor = &document;
    }

    int shown = 0;
    CPelquornDoc* shownFor = nullptr;
};

class ScriptedSession : public IOnlineSession {
public:
    bool Login(const EString& user, const EString& password, bool remember) override;
    bool IsLoggedIn() override { return loggedIn; }
    void SyncPerson(const Person& person) override { synced.push_back(person.GetName()); }
    void SyncPersonRemoved(const EString& name) override { removed.push_back(name); }
    EString GetStoredPassword() override { return storedPassword; }
    EString GetLastError() override { return lastError; }

    bool loggedIn = false;
    std::deque<bool> loginAnswers;
    std::vector<EString> loginUsers;
    EString storedPassword;
    EString lastError = L"Wrong password";
    std::vector<EString> synced;
    std::vector<EString> removed;
};

class CodeObserver : public IObserver {
public:
    void Update(ISubject*, DocNotifyCode code) override { codes.push_back(code); }
    void OnAttach(ITabOrderProvider*) override {}
    std::vector<DocNotifyCode> codes;
};

class RecordingStatusBar : public IStatusBarSink {
public:
    void SetPaneText(int pane, const EString& text) override { texts.emplace_back(pane, text); }
    std::vector<std::pair<int, EString>> texts;
};

// A top-level window that keeps the private messages sent to it.
class RecordingWindow {
public:
    RecordingWindow();
    ~RecordingWindow();
    HWND Handle() const { return m_window; }
    EString Title() const;

    struct Message {
        UINT message;
        WPARAM wParam;
        CommandUiState state;
    };
    std::vector<Message> messages;
    // How often the title was set.
    int titleSets = 0;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_window = nullptr;
};

class PlanDocTest : public ModelTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A named plan file in the scratch folder.
    EString PlanFile(const wchar_t* name, const std::string& content);
    // The document as a new, unnamed plan with nothing in it.
    void StartNew();
    // The codes heard since the last call.
    std::vector<DocNotifyCode> TakeCodes();
    EString Saved(const EString& path) const;
    // The lines the log gained since the fixture began.
    EString NewLogText() const;

    EString folder;
    RecordingWindow mainWindow;
    CPelquornDoc document;
    RecordingPrompts prompts;
    ScriptedDialogs dialogs;
    ScriptedReports reports;
    ScriptedSearch search;
    ScriptedFinder finder;
    CountingFindWindow findWindow;
    ScriptedSession session;
    RecordingStatusBar statusBar;
    CodeObserver observer;

private:
    size_t m_logStart = 0;
};

// Plans as their files hold them.
extern const char kTwoTaskPlan[];
