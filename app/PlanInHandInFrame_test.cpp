// A hand-over, Exit or a recent file that arrives while a dialog, a prompt or a wait holds the plan waits for it to end.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <functional>
#include <optional>
#include <cstring>
#include <thread>

#include "app/FrameKeys.h"
#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "app/OpenFileHandover.h"
#include "dialogs/ReminderDialogIds.h"
#include "dialogs/TaskDialogIds.h"
#include "dialogs/TrackingDialogIds.h"
#include "document/xml/PlanReadAhead.h"
#include "foundation/Clock.h"
#include "foundation/FileSystem.h"
#include "foundation/Options.h"
#include "foundation/UniqueHandle.h"
#include "foundation/WaitPumpingMessages.h"
#include "resources/AppCommandIds.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"

namespace {

class PlanInHandTest : public FrameTest {
protected:
    PlanInHandTest() : FrameTest(L"plan_in_hand") {}

    void SetUp() override
    {
        FrameTest::SetUp();
        OpenFrame(m_prompts);
        // Two plans whose first tasks share the id 1.
        m_b = SavePlanWith(L"b.qvr", L"Beta");
        {
            DialogAnswerer declineGoals(&CancelDialog);
            SendCommand(ID_FILE_NEW);
        }
        m_a = SavePlanWith(L"a.qvr", L"Alpha");
        Doc().SetStatusFilter(0);
        Doc().Notify(nullptr, NotifyCode::kAll);
        ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return TaskList().GetRowCount() == 1; }));
        TaskList().SelectRow(0);
        Doc().SetDocumentWindow(m_frame->GetTaskView());
    }

    // The plan a with its task listed and selected, unchanged; a frame closed by the case before is made again.
    void BackOnPlanA()
    {
        m_prompts.whileShown = nullptr;
        if (!m_frame->IsWindow())
            OpenFrame(m_prompts);
        if (Doc().GetPathName() != m_a) {
            Doc().SetModified(0);
            HandOver(m_a);
            ASSERT_TRUE(Opened(m_a));
        }
        Doc().SetModified(0);
        Doc().SetStatusFilter(0);
        Doc().Notify(nullptr, NotifyCode::kAll);
        ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return TaskList().GetRowCount() == 1; }));
        TaskList().SelectRow(0);
        Doc().SetDocumentWindow(m_frame->GetTaskView());
        m_prompts.asked = 0;
        m_prompts.answers.clear();
        m_prompts.questions.clear();
    }
    // The plan saved as `source` with a note as large as a large plan inside its root.
    EString WriteLargePlanLike(const EString& source, const wchar_t* fileName)
    {
        const EString large = FileSystem::JoinPath(m_folder, fileName);
        std::string bytes = ReadFileBytes(source);
        const size_t rootEnd = bytes.rfind("</");
        EXPECT_NE(rootEnd, std::string::npos);
        bytes.insert(rootEnd, "<!--" + std::string(CPelquornDoc::kLargePlanBytes, 'x') + "-->");
        WriteFileBytes(large, bytes);
        return large;
    }
    // Nothing waits for the frame: what was posted to it has been handled.
    bool FrameIdle()
    {
        MSG message;
        return !::PeekMessageW(&message, *m_frame, 0, 0, PM_NOREMOVE);
    }
    EString SavePlanWith(const wchar_t* fileName, const wchar_t* taskName)
    {
        NewTask(taskName, 1, Clock::Today() + 2);
        const EString path = FileSystem::JoinPath(m_folder, fileName);
        Doc().SetPathName(path);
        EXPECT_TRUE(Doc().Save());
        Doc().UpdateRecentList();
        return path;
    }
    // As a second start of the program hands its file over.
    void HandOver(const EString& path)
    {
        COPYDATASTRUCT record = MakeOpenFileRecord(path);
        EXPECT_EQ(m_frame->SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record)), 1);
    }
    bool Opened(const EString& path)
    {
        return WaitThroughLoop(m_loop, [&] { return Doc().GetPathName() == path; });
    }
    EString TaskName(int id)
    {
        TaskCard task;
        return Doc().GetTask(id, task, false) ? task.GetName() : EString();
    }
    std::function<INT_PTR()> Command(UINT id)
    {
        return [this, id] {
            SendCommand(id);
            return INT_PTR(0);
        };
    }

    ScriptedPrompts m_prompts;
    EString m_a;
    EString m_b;
};

TEST_F(PlanInHandTest, AHandOverUnderTheTaskDialogWaitsAndTheDialogWritesIntoItsOwnPlan)
{
    const struct {
        UINT command;
        const wchar_t* typed;
    } cases[] = {{ID_TASK_EDIT, L"Alpha edited"}, {ID_TASK_ADD, L"Gamma"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ASSERT_EQ(Doc().GetPathName(), m_a);
        TaskList().SelectRow(0);
        m_prompts.answers = {IDYES};
        const DialogStep handOver = [&](HWND) {
            HandOver(m_b);
            return true;
        };
        const DialogStep typeAndConfirm = [&](HWND dialog) {
            EXPECT_EQ(Doc().GetPathName(), m_a);
            EXPECT_FALSE(SaveWindowScreenshot(*m_frame, L"hand_over_waits_for_dialog").IsEmpty());
            SetItemText(dialog, IDC_TASK_NAME, c.typed);
            ClickButton(dialog, IDOK);
            return true;
        };
        RunModalSteps(Command(c.command), {handOver, typeAndConfirm});
        // Asked about the dialog's change, saved, then the other plan opens.
        ASSERT_TRUE(Opened(m_b));
        const std::string typed(c.typed, c.typed + std::wcslen(c.typed));
        EXPECT_NE(ReadFileBytes(m_a).find(typed), std::string::npos);
        EXPECT_EQ(ReadFileBytes(m_b).find(typed), std::string::npos);
        EXPECT_EQ(TaskName(1), L"Beta");
        EXPECT_FALSE(Doc().IsModified());
        HandOver(m_a);
        ASSERT_TRUE(Opened(m_a));
    }
}

TEST_F(PlanInHandTest, ExitUnderADialogClosesTheProgramOnceTheDialogIsDone)
{
    const DialogStep exit = [&](HWND) {
        SendCommand(ID_APP_EXIT);
        return true;
    };
    const DialogStep cancel = [&](HWND dialog) {
        EXPECT_TRUE(m_frame->IsWindow());
        ClickButton(dialog, IDCANCEL);
        return true;
    };
    RunModalSteps(Command(ID_TASK_EDIT), {exit, cancel});
    EXPECT_TRUE(WaitThroughLoop(m_loop, [&] { return !m_frame->IsWindow(); }));
}

// Exit asked for under a dialog, a sheet or a script's wait is carried out
// once the work ends, through the save prompt, whatever plan a second start
// hands over before or after it. Cancelling that prompt keeps the plan it asked
// about, and nothing handed over meanwhile asks again.
TEST_F(PlanInHandTest, ExitUnderModalWorkIsCarriedOutWhateverIsHandedOverAroundIt)
{
    using Request = std::function<void(HWND frame)>;
    const Request exit = [](HWND frame) { ::SendMessageW(frame, WM_COMMAND, ID_APP_EXIT, 0); };
    const Request trayExit = [](HWND frame) { ::SendMessageW(frame, WM_COMMAND, ID_TRAY_EXIT, 0); };
    const Request handOverB = [&](HWND frame) {
        COPYDATASTRUCT record = MakeOpenFileRecord(m_b);
        EXPECT_EQ(::SendMessageW(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record)), 1);
    };
    const struct {
        const char* name;
        UINT modalCommand; // 0: a script's wait, the requests from another thread
        std::vector<Request> requests;
        int answer;
        bool closes;
    } cases[] = {
        {"task dialog: Exit, then a hand-over", ID_TASK_EDIT, {exit, handOverB}, IDNO, true},
        {"options sheet: a hand-over, tray Exit, a hand-over", ID_OPTIONS, {handOverB, trayExit, handOverB}, IDNO, true},
        {"script: Exit, then a hand-over", 0, {exit, handOverB}, IDYES, true},
        {"task dialog: Exit, a hand-over, the prompt cancelled", ID_TASK_EDIT, {exit, handOverB}, IDCANCEL, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BackOnPlanA();
        Doc().SetModified(1);
        m_prompts.answers = {c.answer};
        const HWND frame = *m_frame;
        const auto sendRequests = [&] {
            for (const Request& request : c.requests)
                request(frame);
        };
        if (c.modalCommand) {
            const DialogStep askMeanwhile = [&](HWND dialog) {
                sendRequests();
                const wchar_t* shot =
                    c.modalCommand == ID_OPTIONS ? L"exit_kept_under_options" : L"exit_kept_under_task_dialog";
                EXPECT_FALSE(SaveWindowScreenshot(dialog, shot).IsEmpty());
                return true;
            };
            const DialogStep cancel = [&](HWND dialog) {
                EXPECT_EQ(m_prompts.asked, 0) << "nothing is carried out under the dialog";
                CancelDialog(dialog);
                return true;
            };
            RunModalSteps(Command(c.modalCommand), {askMeanwhile, cancel});
        } else {
            const UniqueHandle scriptEnded(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
            std::thread secondStarts([&] {
                sendRequests();
                ::SetEvent(scriptEnded.Get());
            });
            EXPECT_TRUE(WaitPumpingMessages(scriptEnded.Get(), 10000));
            secondStarts.join();
        }
        if (c.closes) {
            EXPECT_TRUE(WaitThroughLoop(m_loop, [&] { return !m_frame->IsWindow(); }));
        } else {
            EXPECT_TRUE(WaitThroughLoop(m_loop, [&] { return m_prompts.asked > 0 && FrameIdle(); }));
            EXPECT_EQ(Doc().GetPathName(), m_a);
            EXPECT_TRUE(Doc().IsModified());
        }
        EXPECT_EQ(m_prompts.asked, 1);
        ASSERT_FALSE(m_prompts.questions.empty());
        EXPECT_NE(m_prompts.questions.front().find(m_a), EString::npos) << "asked about the plan in hand";
    }
}

TEST_F(PlanInHandTest, HandOversDuringTheSavePromptAskOnceAndOpenTheLastFileAskedFor)
{
    const EString c = FileSystem::JoinPath(m_folder, L"c.qvr");
    ASSERT_TRUE(FileSystem::CopyFileChecked(c, m_b, true));
    Doc().SetModified(1);
    m_prompts.answers = {IDNO};
    m_prompts.whileShown = [&] {
        m_prompts.whileShown = nullptr;
        HandOver(c);
    };
    HandOver(m_b);
    ASSERT_TRUE(Opened(c));
    WaitThroughLoop(m_loop, [] { return false; }, 100);
    EXPECT_EQ(Doc().GetPathName(), c);
    EXPECT_EQ(m_prompts.asked, 1);
}

// A plan of many megabytes is parsed beside the window: a hand-over that
// arrives meanwhile opens its file after the large plan is in place.
TEST_F(PlanInHandTest, AHandOverDuringTheParseOfALargePlanOpensAfterIt)
{
    const EString large = WriteLargePlanLike(m_a, L"large.qvr");
    m_prompts.whileShown = [&] {
        m_prompts.whileShown = nullptr;
        EXPECT_TRUE(m_frame->IsWindow());
        HandOver(m_b);
        EXPECT_NE(Doc().GetPathName(), m_b) << "not while the large plan is read";
    };
    HandOver(large);
    ASSERT_TRUE(Opened(m_b));
    EXPECT_EQ(m_prompts.progress, std::vector<EString>{L"Opening the plan..."});
    EXPECT_EQ(TaskName(1), L"Beta");
    HandOver(large);
    ASSERT_TRUE(Opened(large));
    EXPECT_EQ(TaskName(1), L"Alpha") << "the large plan opens whole";
    EXPECT_EQ(m_prompts.progress.size(), 2u);
}

// The automatic copy's tick comes through whatever pumps messages. While a
// plan is opened or replaced it waits for the plan in place, so the copy the
// next start would restore holds the plan of its name, on every road.
TEST_F(PlanInHandTest, TheAutomaticCopyHoldsThePlanOfItsName)
{
    const EString large = WriteLargePlanLike(m_b, L"large_b.qvr");
    const EString notAPlan = FileSystem::JoinPath(m_folder, L"not_a_plan.qvr");
    WriteFileBytes(notAPlan, "not a plan");
    // A save cannot replace a folder.
    const EString folder = FileSystem::JoinPath(m_folder, L"folder.qvr");
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const auto tick = [&] { m_frame->PostMessage(WM_TIMER, kAutoSaveTimer, 0); };
    const auto recentFileId = [&](const EString& path) {
        const std::vector<EString>& entries = Doc().GetRecentList().GetEntries();
        const auto found = std::find(entries.begin(), entries.end(), path);
        EXPECT_NE(found, entries.end());
        return static_cast<UINT>(ID_FILE_MRU_FIRST + (entries.end() - 1 - found));
    };
    const struct {
        const char* name;
        std::function<void()> road;
        // The first task's name in the plan the road leaves; empty: none.
        const wchar_t* planAfter;
    } cases[] = {
        {"hand-over of a large plan", [&] { HandOver(large); }, L"Beta"},
        {"File Open of a large plan",
         [&] {
             m_prompts.paths = {large};
             SendCommand(ID_FILE_OPEN);
         },
         L"Beta"},
        {"recent file of a large plan", [&] { SendCommand(recentFileId(large)); }, L"Beta"},
        {"an open that fails", [&] { HandOver(notAPlan); }, L"Alpha"},
        {"New, its goals shown",
         [&] {
             DialogAnswerer goals([&](HWND dialog) {
                 tick();
                 CancelDialog(dialog);
             });
             SendCommand(ID_FILE_NEW);
         },
         L""},
        {"Save As that fails",
         [&] {
             m_prompts.paths = {folder};
             SendCommand(ID_FILE_SAVE_AS);
         },
         L"Alpha"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BackOnPlanA();
        Options::SetRestorePath(EString());
        m_prompts.whileShown = tick;
        c.road();
        EXPECT_TRUE(WaitThroughLoop(m_loop, [&] { return !Options::GetRestorePath().IsEmpty() && FrameIdle(); }));
        m_prompts.whileShown = nullptr;
        EXPECT_EQ(TaskName(1), c.planAfter);
        const EString copy = Options::GetRestorePath();
        EXPECT_EQ(copy, Doc().GetAutoCopyPath());
        const std::string bytes = ReadFileBytes(copy);
        for (const wchar_t* name : {L"Alpha", L"Beta"}) {
            const std::string narrow(name, name + std::wcslen(name));
            EXPECT_EQ(bytes.find(narrow) != std::string::npos, EString(c.planAfter) == name) << narrow;
        }
        if (Doc().GetPathName().IsEmpty())
            ::DeleteFileW(copy.c_str());
    }
    ::RemoveDirectoryW(folder.c_str());
}

// The start-up reads its plan beside the window's making; a large one is then
// waited for as any open of a large plan is: the window shows and answers, and
// what arrives meanwhile (a hand-over, the automatic copy's tick) comes after.
TEST_F(PlanInHandTest, TheStartUpWaitsForALargePlanAsAnyOpenDoes)
{
    const EString large = WriteLargePlanLike(m_b, L"large_b.qvr");
    CloseFrame();
    Options::SetRestorePath(EString());
    m_startupPath = large;
    // As Run starts it, before the window.
    const PlanReadAhead readAhead(large);
    bool shownMeanwhile = false;
    m_prompts.whileShown = [&] {
        m_prompts.whileShown = nullptr;
        shownMeanwhile = m_frame->IsWindowVisible() != FALSE;
        EXPECT_FALSE(SaveWindowScreenshot(*m_frame, L"startup_waits_for_large_plan").IsEmpty());
        m_frame->PostMessage(WM_TIMER, kAutoSaveTimer, 0);
        HandOver(m_a);
    };
    OpenFrame(m_prompts);
    EXPECT_EQ(m_prompts.progress, std::vector<EString>{L"Opening the plan..."});
    EXPECT_TRUE(shownMeanwhile);
    ASSERT_TRUE(Opened(m_a));
    EXPECT_EQ(TaskName(1), L"Alpha");
    EXPECT_NE(ReadFileBytes(large + L".auto").find("Beta"), std::string::npos) << "the copy of the large plan";
    EXPECT_EQ(Options::GetRestorePath(), L"") << "the plan handed over replaced the one the copy is of";
}

// Save, Save As, a paste and Add Task that reach the window while a large
// plan is read in place of another (a hand-over, the start-up) wait for it:
// no file is written and no dialog shows meanwhile, the plan opens whole, and
// then each is carried out on it, one after the other, in the order they came.
TEST_F(PlanInHandTest, CommandsDuringAnOpenWaitForItAndActOnThePlanOpened)
{
    const EString large = WriteLargePlanLike(m_b, L"large_b.qvr");
    const std::string largeBytes = ReadFileBytes(large);
    const std::string aBytes = ReadFileBytes(m_a);
    std::optional<PlanReadAhead> readAhead;
    const struct {
        const char* name;
        std::function<void()> open;
    } roads[] = {
        {"a hand-over", [&] { HandOver(large); }},
        {"the start-up",
         [&] {
             CloseFrame();
             m_startupPath = large;
             readAhead.emplace(large);
             OpenFrameUnanswered(m_prompts);
         }},
    };
    for (const auto& road : roads) {
        SCOPED_TRACE(road.name);
        BackOnPlanA();
        SelectTask(1);
        SendCommand(ID_EDIT_COPY);
        Options::SetRestorePath(EString());
        const EString savedAs = FileSystem::JoinPath(m_folder, L"saved_as.qvr");
        ::DeleteFileW(savedAs.c_str());
        m_prompts.paths = {savedAs};
        m_prompts.errors.clear();
        m_prompts.progress.clear();
        bool askedMeanwhile = false;
        m_prompts.whileShown = [&] {
            m_prompts.whileShown = nullptr;
            askedMeanwhile = true;
            EXPECT_TRUE(Doc().IsOpeningPlan());
            for (const UINT command : {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_EDIT_PASTE, ID_TASK_ADD})
                m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(command, 0), 0);
            m_frame->SendMessage(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
            m_frame->SendMessage(WM_TIMER, kAutoSaveTimer, 0);
            EXPECT_EQ(FindThreadDialog(), nullptr) << "no dialog over the busy window";
            EXPECT_EQ(ReadFileBytes(large), largeBytes);
            EXPECT_EQ(ReadFileBytes(m_a), aBytes);
            EXPECT_FALSE(FileSystem::FileExists(savedAs));
            EXPECT_TRUE(m_prompts.errors.empty());
        };
        int addedTaskDialogs = 0;
        DialogAnswerer addTask([&](HWND dialog) {
            if (!::GetDlgItem(dialog, IDC_TASK_NAME))
                return;
            ++addedTaskDialogs;
            SetItemText(dialog, IDC_TASK_NAME, L"Added after the open");
            ClickButton(dialog, IDOK);
        });
        road.open();
        ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return addedTaskDialogs == 1 && FrameIdle(); }));
        ASSERT_TRUE(askedMeanwhile);
        EXPECT_EQ(m_prompts.progress, std::vector<EString>{L"Opening the plan..."});
        EXPECT_TRUE(m_prompts.errors.empty());
        EXPECT_EQ(ReadFileBytes(m_a), aBytes) << "the plan that went";
        EXPECT_NE(ReadFileBytes(large).find("Beta"), std::string::npos) << "saved as it was opened";
        EXPECT_EQ(ReadFileBytes(large).find("Alpha"), std::string::npos);
        // Save As came before the paste and the new task.
        EXPECT_EQ(Doc().GetPathName(), savedAs);
        EXPECT_EQ(ReadFileBytes(savedAs).find("Alpha"), std::string::npos);
        EXPECT_TRUE(Doc().IsModified());
        ASSERT_TRUE(Doc().Save());
        const std::string saved = ReadFileBytes(savedAs);
        for (const char* name : {"Beta", "Alpha", "Added after the open"})
            EXPECT_NE(saved.find(name), std::string::npos) << name;
        // The copy's tick came after the open, before the commands held.
        EXPECT_TRUE(Options::GetRestorePath() == large + L".auto");
        EXPECT_NE(ReadFileBytes(large + L".auto").find("Beta"), std::string::npos);
        ::DeleteFileW((large + L".auto").c_str());
        readAhead.reset();
        m_startupPath.clear();
        ::DeleteFileW(large.c_str());
        WriteFileBytes(large, largeBytes);
    }
}

// From the window's making to its start-up open the plan is not read yet:
// a command that comes first waits for it.
TEST_F(PlanInHandTest, ACommandBeforeTheStartUpOpenWaitsForTheOpen)
{
    const std::string aBytes = ReadFileBytes(m_a);
    CloseFrame();
    m_startupPath = m_a;
    m_prompts.errors.clear();
    OpenFrameUnanswered(m_prompts, [&] {
        EXPECT_TRUE(Doc().IsOpeningPlan());
        m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE, 0), 0);
        m_frame->SendMessage(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
        EXPECT_EQ(ReadFileBytes(m_a), aBytes);
    });
    ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return !Doc().IsOpeningPlan() && FrameIdle(); }));
    EXPECT_TRUE(m_prompts.errors.empty());
    EXPECT_EQ(TaskName(1), L"Alpha");
    EXPECT_NE(ReadFileBytes(m_a).find("Alpha"), std::string::npos) << "saved once it was open";
    EXPECT_FALSE(Doc().IsModified());
    m_startupPath.clear();
}

// A rename in place still open when another plan is handed over ends on its
// own plan, which the save prompt then asks about; nothing typed for it
// reaches the plan that comes.
TEST_F(PlanInHandTest, ARenameInPlaceEndsOnItsOwnPlanBeforeAnotherOpens)
{
    const int category = NewCategory(L"Errands");
    ASSERT_TRUE(Doc().Save());
    std::vector<Person> people;
    Doc().GetPeople(0, people);
    ASSERT_FALSE(people.empty());
    const int person = people.front().GetId();
    // The plan handed over holds the same ids.
    const EString c = FileSystem::JoinPath(m_folder, L"c.qvr");
    ASSERT_TRUE(FileSystem::CopyFileChecked(c, m_a, true));
    const std::string cBytes = ReadFileBytes(c);
    const auto tree = [&](const wchar_t* className) { return FindChildOfClass(*m_frame, className); };
    const struct {
        const char* name;
        // Opens the editor and answers it.
        std::function<HWND()> edit;
        const char* typed;
    } editors[] = {
        {"task list",
         [&] {
             Focus(TaskList());
             return ListView_EditLabel(TaskList(), 0);
         },
         "Alpha renamed"},
        {"category tree",
         [&] {
             const HWND window = tree(L"QuorvaneCategoryTree");
             ::SetFocus(window);
             return TreeView_EditLabel(window, FindTreeItem(window, category));
         },
         "Errands renamed"},
        {"people tree",
         [&] {
             const HWND window = tree(L"QuorvanePeopleTree");
             ::SetFocus(window);
             return TreeView_EditLabel(window, FindTreeItem(window, person));
         },
         "Someone renamed"},
    };
    for (const auto& editor : editors) {
        SCOPED_TRACE(editor.name);
        BackOnPlanA();
        const HWND edit = editor.edit();
        ASSERT_NE(edit, nullptr);
        const std::wstring typed(editor.typed, editor.typed + std::strlen(editor.typed));
        ::SetWindowTextW(edit, typed.c_str());
        m_prompts.answers = {IDYES};
        HandOver(c);
        ASSERT_TRUE(Opened(c));
        EXPECT_EQ(m_prompts.asked, 1) << "asked about the rename";
        EXPECT_NE(ReadFileBytes(m_a).find(editor.typed), std::string::npos) << "kept on its own plan";
        EXPECT_EQ(ReadFileBytes(c), cBytes);
        EXPECT_FALSE(::IsWindow(edit)) << "no editor stays open over the plan that came";
        EXPECT_FALSE(Doc().IsModified());
        ASSERT_TRUE(Doc().Save());
        EXPECT_EQ(ReadFileBytes(c).find(editor.typed), std::string::npos);
    }
}

// A script run waits for its process and keeps the window answering: what the
// second start, the tray or the recent files ask meanwhile comes after it.
TEST_F(PlanInHandTest, RequestsDuringAWaitForAScriptComeAfterIt)
{
    const struct {
        const char* name;
        std::function<void(HWND frame)> request;
        std::function<bool()> done;
    } cases[] = {
        {"hand-over",
         [&](HWND frame) {
             COPYDATASTRUCT record = MakeOpenFileRecord(m_b);
             ::SendMessageW(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record));
         },
         [&] { return Doc().GetPathName() == m_b; }},
        {"recent file", [](HWND frame) { ::SendMessageW(frame, WM_COMMAND, ID_FILE_MRU_FIRST + 1, 0); },
         [&] { return Doc().GetPathName() == m_b; }},
        {"exit", [](HWND frame) { ::SendMessageW(frame, WM_COMMAND, ID_APP_EXIT, 0); },
         [&] { return !m_frame->IsWindow(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!m_frame->IsWindow())
            OpenFrame(m_prompts);
        if (Doc().GetPathName() != m_a) {
            HandOver(m_a);
            ASSERT_TRUE(Opened(m_a));
        }
        const UniqueHandle scriptEnded(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        const HWND frame = *m_frame;
        std::thread secondStart([&] {
            c.request(frame);
            ::SetEvent(scriptEnded.Get());
        });
        EXPECT_TRUE(WaitPumpingMessages(scriptEnded.Get(), 10000));
        secondStart.join();
        EXPECT_TRUE(m_frame->IsWindow());
        EXPECT_EQ(Doc().GetPathName(), m_a);
        EXPECT_TRUE(WaitThroughLoop(m_loop, c.done));
    }
}

// The alert, the tracking clock and the plan-entry dialog hold ids of the plan
// they were opened on; another plan takes their place without them.
TEST_F(PlanInHandTest, TheModelessWindowsOfAPlanCloseWhenAnotherOpens)
{
    Doc().AddReminder(ReminderInfo(1, Clock::Today(), 0));
    TaskList().CheckReminders();
    ASSERT_TRUE(TaskList().IsReminderShown());
    SendCommand(ID_TRACK_TIME);
    const HWND tracking = FindShownDialogWith(IDC_TRACKING_TOGGLE);
    ASSERT_NE(tracking, nullptr);
    const HWND reminder = FindShownDialogWith(IDC_REMINDER_SNOOZE);
    ASSERT_NE(reminder, nullptr);
    ::SetFocus(DailyPlan().GetHwnd());
    ASSERT_TRUE(PressKeyThroughLoop(m_loop, 'I', kControlKey));
    const HWND planEntry = DailyPlan().GetPlanDialog().m_hWnd;
    ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return ::IsWindowVisible(planEntry) != FALSE; }));

    m_prompts.answers = {IDNO};
    HandOver(m_b);
    ASSERT_TRUE(Opened(m_b));
    EXPECT_FALSE(::IsWindowVisible(reminder));
    EXPECT_FALSE(TaskList().IsReminderShown());
    EXPECT_FALSE(::IsWindowVisible(tracking));
    EXPECT_FALSE(::IsWindowVisible(planEntry));
    // Stopped now, the clock would have renamed the other plan's task 1.
    SendCommand(ID_TRACK_TIME);
    EXPECT_EQ(TaskName(1), L"Beta");
}

TEST_F(PlanInHandTest, AReminderDueUnderADialogWaitsForTheDialog)
{
    Doc().AddReminder(ReminderInfo(1, Clock::Today(), 0));
    RunModalSteps(Command(ID_TASK_EDIT),
                  {[&](HWND) {
                       TaskList().PostMessage(WM_TIMER, CPelquornView::kReminderTimer, 0);
                       return true;
                   },
                   [&](HWND dialog) {
                       EXPECT_FALSE(TaskList().IsReminderShown());
                       ClickButton(dialog, IDCANCEL);
                       return true;
                   }});
    TaskList().PostMessage(WM_TIMER, CPelquornView::kReminderTimer, 0);
    EXPECT_TRUE(WaitThroughLoop(m_loop, [&] { return TaskList().IsReminderShown(); }));
}

} // namespace
