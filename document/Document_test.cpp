#include <gtest/gtest.h>

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "document/Document.h"
#include "foundation/AppWindow.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/RegistryKey.h"
#include "testing/TestSupport.h"

namespace {

const wchar_t kAppKey[] = L"Software\\Mellowbrake\\Quorvane";
const wchar_t kListKey[] = L"Software\\Mellowbrake\\Quorvane\\Recent Document List";

std::string Narrow(const EString& text)
{
    return std::string(text.begin(), text.end());
}

// A planning document whose plan is the text of its file.
class FakePlan : public CDocument {
public:
    EString GetRegistryKey() const override { return kAppKey; }
    EString GetFileFilter() const override
    {
        const wchar_t filter[] = L"All Files (*.*)\0*.*\0Quorvane Files (*.qvr)\0*.qvr\0";
        return EString(filter, std::size(filter) - 1);
    }
    EString GetDefaultExtension() const override { return L"qvr"; }

    bool OnNewDocument() override
    {
        events.push_back("new");
        if (failNew)
            return false;
        plan = "empty";
        SetModified(0);
        return true;
    }
    // Like the planning document: a failed load keeps the plan it had.
    bool OnOpenDocument(const EString& path) override
    {
        events.push_back("open " + Narrow(FileSystem::GetFileTitle(path)));
        if (openError)
            ThrowComError(openError);
        if (failOutsideCom)
            throw std::runtime_error("reader gave up");
        if (!FileSystem::FileExists(path))
            return false;
        plan = ReadFileBytes(path);
        return true;
    }
    bool OnSaveDocument(const EString& path) override
    {
        events.push_back("save " + Narrow(FileSystem::GetFileTitle(path)));
        if (saveError)
            ThrowComError(saveError);
        if (failOutsideCom)
            throw std::runtime_error("writer gave up");
        if (failSave)
            return false;
        WriteFileBytes(path, plan);
        return true;
    }

    std::string plan = "none";
    std::vector<std::string> events;
    bool failNew = false;
    bool failSave = false;
    HRESULT openError = S_OK;
    HRESULT saveError = S_OK;
    bool failOutsideCom = false;
};

// Answers the document's questions from a script; an empty path cancels a file dialog.
class ScriptedPrompts : public IDocumentPrompts {
public:
    int AskSaveChanges(const EString& question) override
    {
        questions.push_back(question);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << Narrow(question);
            return IDCANCEL;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool ChooseOpenPath(const EString& filter, EString& path) override
    {
        lastFilter = filter;
        return Choose(openPaths, path, "open");
    }
    bool ChooseSavePath(const EString& defaultExtension, const EString& filter, EString& path) override
    {
        lastFilter = filter;
        lastExtension = defaultExtension;
        offeredPaths.push_back(path);
        return Choose(savePaths, path, "save");
    }
    void ShowError(const EString& text) override { errors.push_back(text); }

    std::deque<int> answers;
    std::deque<EString> openPaths;
    std::deque<EString> savePaths;
    std::vector<EString> questions;
    std::vector<EString> errors;
    // The path each save dialog was handed: the document's own.
    std::vector<EString> offeredPaths;
    EString lastFilter;
    EString lastExtension;

private:
    bool Choose(std::deque<EString>& paths, EString& path, const char* what)
    {
        if (paths.empty()) {
            ADD_FAILURE() << "unexpected " << what << " dialog";
            return false;
        }
        path = paths.front();
        paths.pop_front();
        return !path.IsEmpty();
    }
};

class CodeObserver : public IObserver {
public:
    void Update(ISubject*, DocNotifyCode code) override { codes.push_back(code); }
    void OnAttach(ITabOrderProvider*) override {}
    std::vector<DocNotifyCode> codes;
};

std::vector<EString> StoredList()
{
    std::vector<EString> paths;
    RegistryKey key;
    if (!key.Open(HKEY_CURRENT_USER, kListKey))
        return paths;
    EString path;
    for (int number = 1; key.QueryString(EString::Formatted(L"Document%d", number).c_str(), path); ++number)
        paths.push_back(path);
    return paths;
}

void StoreList(std::initializer_list<EString> paths, DWORD count = 4)
{
    RegistryKey key;
    ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kListKey));
    key.SetDword(L"DocumentCount", count);
    int number = 1;
    for (const auto& path : paths)
        key.SetString(EString::Formatted(L"Document%d", number++).c_str(), path);
}

std::vector<EString> ShownList(const CDocument& document)
{
    const auto& entries = document.GetRecentList().GetEntries();
    return std::vector<EString>(entries.rbegin(), entries.rend());
}

class DocumentTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        folder = MakeScratchFolder(L"document");
        planA = FileSystem::JoinPath(folder, L"a.qvr");
        planB = FileSystem::JoinPath(folder, L"b.qvr");
        gone = FileSystem::JoinPath(folder, L"gone.qvr");
        WriteFileBytes(planA, "plan A");
        WriteFileBytes(planB, "plan B");
        mainWindow = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                       nullptr);
        SetMainWindow(mainWindow);
        document.SetPrompts(&prompts);
        document.Attach(&observer);
    }
    void TearDown() override
    {
        SetMainWindow(nullptr);
        ::DestroyWindow(mainWindow);
        ClearProgramRegistry();
        EXPECT_TRUE(prompts.answers.empty()) << "answers left over";
        EXPECT_TRUE(prompts.openPaths.empty() && prompts.savePaths.empty()) << "file choices left over";
    }

    EString WindowTitle() const
    {
        wchar_t text[512] = {};
        ::GetWindowTextW(mainWindow, text, 512);
        return text;
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, bool* handled = nullptr)
    {
        LRESULT result = 0;
        const bool taken = document.ProcessWindowMessage(mainWindow, message, wParam, lParam, result);
        if (handled)
            *handled = taken;
        return result;
    }
    void Command(WORD id) { Send(WM_COMMAND, MAKEWPARAM(id, 0)); }

    // A named, modified document holding plan A.
    void OpenModifiedA()
    {
        ASSERT_TRUE(document.OpenPath(planA));
        document.SetModified(1);
        document.events.clear();
        observer.codes.clear();
    }

    EString folder, planA, planB, gone;
    HWND mainWindow = nullptr;
    FakePlan document;
    ScriptedPrompts prompts;
    CodeObserver observer;
};

} // namespace

TEST_F(DocumentTest, TitleShowsThePathAndTheModifiedMark)
{
    document.UpdateTitle();
    EXPECT_EQ(WindowTitle(), L"Untitled - Quorvane");
    document.SetModified(1);
    EXPECT_EQ(WindowTitle(), L"Untitled* - Quorvane");
    EXPECT_EQ(document.IsModified(), 1);

    ASSERT_TRUE(document.OpenPath(planA));
    EXPECT_EQ(WindowTitle(), planA + L" - Quorvane");
    EXPECT_EQ(document.IsModified(), 0);
    document.SetModified(1);
    EXPECT_EQ(WindowTitle(), planA + L"* - Quorvane");
    EXPECT_EQ(document.GetTitle(), planA + L"* - Quorvane");
}

TEST_F(DocumentTest, SavePromptAnswers)
{
    const struct {
        const char* name;
        bool named;
        int answer;
        bool saveFails;
        bool mayDrop;
        std::vector<std::string> events;
    } cases[] = {
        {"yes saves", true, IDYES, false, true, {"save a"}},
        {"yes, failed save", true, IDYES, true, false, {"save a"}},
        {"no drops the changes", true, IDNO, false, true, {}},
        {"cancel keeps the document", true, IDCANCEL, false, false, {}},
        {"yes on an unnamed document, name chosen", false, IDYES, false, true, {"save b"}},
        {"yes on an unnamed document, name cancelled", false, IDYES, false, false, {}},
    };
    for (const auto& c : cases) {
        FakePlan plan;
        plan.SetPrompts(&prompts);
        if (c.named)
            plan.SetPathName(planA);
        plan.SetModified(1);
        plan.failSave = c.saveFails;
        prompts.answers = {c.answer};
        prompts.questions.clear();
        if (!c.named)
            prompts.savePaths = {c.events.empty() ? EString() : planB};

        EXPECT_EQ(plan.SaveModified(), c.mayDrop) << c.name;
        EXPECT_EQ(plan.events, c.events) << c.name;
        ASSERT_EQ(prompts.questions.size(), 1u) << c.name;
        EXPECT_EQ(prompts.questions[0], L"Save changes to " + (c.named ? planA : EString(L"Untitled")) + L" ?")
            << c.name;
        EXPECT_EQ(plan.IsModified(), c.mayDrop && c.answer == IDYES ? 0 : 1) << c.name;
    }

    FakePlan unchanged;
    unchanged.SetPrompts(&prompts);
    EXPECT_TRUE(unchanged.SaveModified());
}

TEST_F(DocumentTest, TranslatedPromptTakesTheNameWithoutBeingAFormat)
{
    Resource::Dictionary().Parse(L"Save changes to %s ? = %d: %s %s tallennetaanko?\nUntitled = Nimet\u00f6n\n");
    document.SetModified(1);
    prompts.answers = {IDCANCEL};
    EXPECT_FALSE(document.SaveModified());
    Resource::Dictionary().Clear();
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0], L"%d: Nimet\u00f6n Nimet\u00f6n tallennetaanko?");
}

TEST_F(DocumentTest, FileOpenAsksToSaveAndCancelStopsIt)
{
    const struct {
        const char* name;
        int answer;
        bool saveFails;
        EString path;
        std::string plan;
        int modified;
        std::vector<std::string> events;
    } cases[] = {
        {"yes saves, then opens", IDYES, false, planB, "plan B", 0, {"save a", "open b"}},
        {"no opens without saving", IDNO, false, planB, "plan B", 0, {"open b"}},
        {"cancel opens nothing", IDCANCEL, false, planA, "plan A", 1, {}},
        {"a failed save opens nothing", IDYES, true, planA, "plan A", 1, {"save a"}},
    };
    for (const auto& c : cases) {
        OpenModifiedA();
        document.failSave = c.saveFails;
        prompts.openPaths = {planB};
        prompts.answers = {c.answer};
        Command(ID_FILE_OPEN);
        EXPECT_EQ(document.events, c.events) << c.name;
        EXPECT_EQ(document.GetPathName(), c.path) << c.name;
        EXPECT_EQ(document.plan, c.plan) << c.name;
        EXPECT_EQ(document.IsModified(), c.modified) << c.name;
        EXPECT_EQ(ShownList(document)[0], c.path) << c.name;
        document.failSave = false;
    }
    // The second pair of the filter, the plan files, is what the dialog preselects.
    EXPECT_EQ(prompts.lastFilter, document.GetFileFilter());

    OpenModifiedA();
    prompts.questions.clear();
    prompts.openPaths = {EString()};
    Command(ID_FILE_OPEN);
    EXPECT_TRUE(document.events.empty());
    EXPECT_TRUE(prompts.questions.empty()) << "a cancelled file dialog asks nothing";
}

TEST_F(DocumentTest, AFailedOpenLeavesTheDocumentAsItWas)
{
    ASSERT_TRUE(document.OpenPath(planA));
    document.SetModified(1);
    const EString title = WindowTitle();
    const auto list = StoredList();
    observer.codes.clear();

    prompts.openPaths = {gone};
    prompts.answers = {IDNO};
    Command(ID_FILE_OPEN);
    EXPECT_EQ(document.GetPathName(), planA);
    EXPECT_EQ(document.plan, "plan A");
    EXPECT_EQ(document.IsModified(), 1);
    EXPECT_EQ(WindowTitle(), title);
    EXPECT_EQ(StoredList(), list);
    EXPECT_EQ(ShownList(document), (std::vector<EString>{planA}));
    EXPECT_EQ(observer.codes, std::vector<DocNotifyCode>{NotifyCode::kEndEditsInPlace}) << "only the prompt's";

    // An error of the load is shown with the path and the system's text.
    document.openError = E_ACCESSDENIED;
    EXPECT_FALSE(document.OpenPath(planB));
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(prompts.errors[0], planB + L": " + SystemErrorText(E_ACCESSDENIED));
    EXPECT_EQ(document.GetPathName(), planA);
    EXPECT_EQ(WindowTitle(), title);
    EXPECT_EQ(StoredList(), list);

    // So is a failure that is no COM error.
    document.openError = S_OK;
    document.failOutsideCom = true;
    prompts.errors.clear();
    EXPECT_FALSE(document.OpenPath(planB));
    EXPECT_EQ(prompts.errors, std::vector<EString>{planB + L": The command could not be completed: reader gave up"});
    EXPECT_EQ(document.GetPathName(), planA);
    EXPECT_EQ(WindowTitle(), title);
    EXPECT_EQ(StoredList(), list);
}

TEST_F(DocumentTest, NewAndOpenTellTheObserversAndTheDocumentWindow)
{
    const HWND view = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    document.SetDocumentWindow(view);
    auto posted = [&] {
        MSG msg;
        int count = 0;
        while (::PeekMessageW(&msg, view, WM_PELQUORN_DOC_CHANGED, WM_PELQUORN_DOC_CHANGED, PM_REMOVE))
            ++count;
        return count;
    };

    // New first ends the edits in place, before its save prompt.
    Command(ID_FILE_NEW);
    EXPECT_EQ(observer.codes, (std::vector<DocNotifyCode>{NotifyCode::kEndEditsInPlace, NotifyCode::kAll}));
    EXPECT_EQ(posted(), 1);

    ASSERT_TRUE(document.OpenPath(planA));
    EXPECT_EQ(observer.codes,
              (std::vector<DocNotifyCode>{NotifyCode::kEndEditsInPlace, NotifyCode::kAll, NotifyCode::kAll}));
    EXPECT_EQ(posted(), 1);

    document.Notify(&observer, NotifyCode::kTasksChanged);
    EXPECT_EQ(observer.codes.size(), 3u) << "the sender does not hear itself";
    EXPECT_EQ(posted(), 1);

    document.SetDocumentWindow(nullptr);
    document.Notify(nullptr, NotifyCode::kTasksChanged);
    EXPECT_EQ(posted(), 0);
    ::DestroyWindow(view);
}

TEST_F(DocumentTest, FileNewAsksToSaveAndCancelStopsIt)
{
    const struct {
        const char* name;
        int answer;
        bool newFails;
        EString path;
        std::string plan;
        std::vector<std::string> events;
    } cases[] = {
        {"yes saves, then empties", IDYES, false, L"", "empty", {"save a", "new"}},
        {"no empties", IDNO, false, L"", "empty", {"new"}},
        {"cancel keeps the plan", IDCANCEL, false, planA, "plan A", {}},
        {"a failed new keeps the plan and its name", IDNO, true, planA, "plan A", {"new"}},
    };
    for (const auto& c : cases) {
        OpenModifiedA();
        document.failNew = c.newFails;
        prompts.answers = {c.answer};
        Command(ID_FILE_NEW);
        EXPECT_EQ(document.events, c.events) << c.name;
        EXPECT_EQ(document.GetPathName(), c.path) << c.name;
        EXPECT_EQ(document.plan, c.plan) << c.name;
        if (c.path.IsEmpty()) {
            EXPECT_EQ(WindowTitle(), L"Untitled - Quorvane") << c.name;
            EXPECT_EQ(document.IsModified(), 0) << c.name;
        }
        document.failNew = false;
    }
}

TEST_F(DocumentTest, SavingAnUnnamedDocumentAsksForItsName)
{
    document.SetModified(1);
    const EString chosen = FileSystem::JoinPath(folder, L"week.qvr");
    prompts.savePaths = {chosen};
    Command(ID_FILE_SAVE);
    EXPECT_EQ(prompts.lastExtension, L"qvr");
    EXPECT_EQ(document.events, std::vector<std::string>{"save week"});
    EXPECT_EQ(document.GetPathName(), chosen);
    EXPECT_EQ(document.IsModified(), 0);
    EXPECT_EQ(WindowTitle(), chosen + L" - Quorvane");
    EXPECT_EQ(StoredList(), std::vector<EString>{chosen});

    // A named document saves without asking.
    document.SetModified(1);
    document.events.clear();
    Command(ID_FILE_SAVE);
    EXPECT_EQ(document.events, std::vector<std::string>{"save week"});
    EXPECT_EQ(document.IsModified(), 0);

    // Save As asks even then; a cancelled dialog saves nothing.
    document.SetModified(1);
    document.events.clear();
    prompts.savePaths = {EString()};
    Command(ID_FILE_SAVE_AS);
    EXPECT_TRUE(document.events.empty());
    EXPECT_EQ(document.IsModified(), 1);
    EXPECT_EQ(prompts.offeredPaths, (std::vector<EString>{EString(), chosen}));
}

TEST_F(DocumentTest, AFailedSaveKeepsTheNameAndTheModifiedMark)
{
    const struct {
        const char* name;
        bool failSave;
        HRESULT error;
        bool failOutsideCom;
        size_t errorsShown;
        EString reason;
    } cases[] = {
        {"save reports failure", true, S_OK, false, 0, L""},
        {"save raises an error", false, STG_E_MEDIUMFULL, false, 1, SystemErrorText(STG_E_MEDIUMFULL)},
        {"save fails outside COM", false, S_OK, true, 1, L"The command could not be completed: writer gave up"},
    };
    for (const auto& c : cases) {
        OpenModifiedA();
        prompts.errors.clear();
        document.failSave = c.failSave;
        document.saveError = c.error;
        document.failOutsideCom = c.failOutsideCom;

        Command(ID_FILE_SAVE);
        EXPECT_EQ(document.IsModified(), 1) << c.name;
        EXPECT_EQ(prompts.errors.size(), c.errorsShown) << c.name;
        if (c.errorsShown) {
            EXPECT_EQ(prompts.errors[0], planA + L": " + c.reason) << c.name;
        }

        const EString other = FileSystem::JoinPath(folder, L"other.qvr");
        prompts.savePaths = {other};
        Command(ID_FILE_SAVE_AS);
        EXPECT_EQ(document.GetPathName(), planA) << c.name;
        EXPECT_EQ(WindowTitle(), planA + L"* - Quorvane") << c.name;
        EXPECT_EQ(ShownList(document), std::vector<EString>{planA}) << c.name;
        EXPECT_EQ(StoredList(), std::vector<EString>{planA}) << c.name;
        document.failSave = false;
        document.saveError = S_OK;
        document.failOutsideCom = false;
    }
}

TEST_F(DocumentTest, CloseStopsUnlessTheDocumentMayBeDropped)
{
    const struct {
        const char* name;
        int answer;
        bool saveFails;
        bool stopped;
    } cases[] = {
        {"yes", IDYES, false, false},
        {"yes, failed save", IDYES, true, true},
        {"no", IDNO, false, false},
        {"cancel", IDCANCEL, false, true},
    };
    for (const auto& c : cases) {
        OpenModifiedA();
        document.failSave = c.saveFails;
        prompts.answers = {c.answer};
        bool handled = false;
        Send(WM_CLOSE, 0, 0, &handled);
        EXPECT_EQ(handled, c.stopped) << c.name;
        document.failSave = false;
    }
    document.SetModified(0);
    bool handled = true;
    Send(WM_CLOSE, 0, 0, &handled);
    EXPECT_FALSE(handled);
}

TEST_F(DocumentTest, RecentEntriesOpenAndMoveToTheTop)
{
    ASSERT_TRUE(document.OpenPath(planA));
    ASSERT_TRUE(document.OpenPath(planB));
    EXPECT_EQ(StoredList(), (std::vector<EString>{planB, planA}));

    Command(ID_FILE_MRU_FIRST + 1);
    EXPECT_EQ(document.GetPathName(), planA);
    EXPECT_EQ(document.plan, "plan A");
    EXPECT_EQ(ShownList(document), (std::vector<EString>{planA, planB}));
    EXPECT_EQ(StoredList(), (std::vector<EString>{planA, planB}));

    // An id past the list does nothing, and asks nothing.
    document.SetModified(1);
    document.events.clear();
    Command(ID_FILE_MRU_FIRST + 5);
    EXPECT_TRUE(document.events.empty());
}

TEST_F(DocumentTest, RecentEntriesAskToSaveAndCancelStopsThem)
{
    const struct {
        const char* name;
        int answer;
        EString path;
        std::vector<std::string> events;
    } cases[] = {
        {"yes saves, then opens", IDYES, planB, {"save a", "open b"}},
        {"no opens without saving", IDNO, planB, {"open b"}},
        {"cancel opens nothing", IDCANCEL, planA, {}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(document.OpenPath(planB));
        OpenModifiedA(); // the list: a, b
        prompts.answers = {c.answer};
        Command(ID_FILE_MRU_FIRST + 1);
        EXPECT_EQ(document.events, c.events) << c.name;
        EXPECT_EQ(document.GetPathName(), c.path) << c.name;
        EXPECT_EQ(ShownList(document)[0], c.path) << c.name;
    }
}

TEST_F(DocumentTest, ARecentEntryWhoseFileIsGoneIsRemoved)
{
    WriteFileBytes(gone, "plan G");
    ASSERT_TRUE(document.OpenPath(gone));
    ASSERT_TRUE(document.OpenPath(planA));
    ::DeleteFileW(gone.c_str());
    const EString title = WindowTitle();

    Command(ID_FILE_MRU_FIRST + 1);
    EXPECT_EQ(document.GetPathName(), planA);
    EXPECT_EQ(document.plan, "plan A");
    EXPECT_EQ(WindowTitle(), title);
    EXPECT_EQ(ShownList(document), std::vector<EString>{planA});
    EXPECT_EQ(StoredList(), std::vector<EString>{planA});
}

TEST_F(DocumentTest, RecentListKeepsTheStoredCapacity)
{
    StoreList({L"C:\\x.qvr", L"C:\\y.qvr", L"C:\\z.qvr"}, 2);
    const HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, ID_FILE_MRU_FIRST, L"Recent");
    document.SetPathName(planA);
    Send(WM_PELQUORN_START_OPEN, reinterpret_cast<WPARAM>(menu));

    EXPECT_EQ(ShownList(document), (std::vector<EString>{planA, L"C:\\x.qvr"}));
    EXPECT_EQ(StoredList(), (std::vector<EString>{planA, L"C:\\x.qvr"}));
    RegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kListKey));
    DWORD count = 0;
    EXPECT_TRUE(key.QueryDword(L"DocumentCount", count));
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(::GetMenuItemCount(menu), 2);
    ::DestroyMenu(menu);
}

TEST_F(DocumentTest, StartupOpensTheGivenPathTheMostRecentOrANewDocument)
{
    const struct {
        const char* name;
        EString given;
        std::vector<EString> stored;
        std::vector<std::string> events;
        EString path;
        std::vector<EString> storedAfter;
    } cases[] = {
        {"given path", planB, {planA}, {"open b"}, planB, {planB, planA}},
        {"most recent", L"", {planA, planB}, {"open a"}, planA, {planA, planB}},
        {"most recent is gone", L"", {gone, planB}, {"open gone", "new"}, L"", {gone, planB}},
        {"nothing to open", L"", {}, {"new"}, L"", {}},
        // The plan that failed to load must not be saved over the file.
        {"given path fails", gone, {planA}, {"open gone", "new"}, L"", {planA}},
    };
    for (const auto& c : cases) {
        ClearProgramRegistry();
        if (!c.stored.empty()) {
            RegistryKey key;
            ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kListKey));
            for (size_t i = 0; i < c.stored.size(); ++i)
                key.SetString(EString::Formatted(L"Document%d", static_cast<int>(i + 1)).c_str(), c.stored[i]);
        }
        FakePlan plan;
        plan.SetPrompts(&prompts);
        plan.SetPathName(c.given);
        LRESULT result = 0;
        EXPECT_TRUE(plan.ProcessWindowMessage(mainWindow, WM_PELQUORN_START_OPEN, 0, 0, result)) << c.name;
        EXPECT_EQ(plan.events, c.events) << c.name;
        EXPECT_EQ(plan.GetPathName(), c.path) << c.name;
        EXPECT_EQ(plan.IsModified(), 0) << c.name;
        EXPECT_EQ(StoredList(), c.storedAfter) << c.name;
    }
}
