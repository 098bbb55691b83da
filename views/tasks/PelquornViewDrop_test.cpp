// The task list's drag and drop through the system's drag loop: mail and plan entries dropped in, tasks dragged out, and its row pictures.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <vector>

#include "document/Clipboard.h"
#include "document/PelquornDoc.h"
#include "document/PelquornDragData.h"
#include "foundation/Clock.h"
#include "foundation/ComPtr.h"
#include "foundation/FileSystem.h"
#include "foundation/ResourceModule.h"
#include "mail/FakeMailDrop.h"
#include "mail/MsgFileBuilder.h"
#include "resources/IconIds.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/common/AtlDropSource.h"
#include "views/common/DragStart.h"
#include "views/tasks/PelquornView.h"
#include "views/tasks/TaskListTestSupport.h"

namespace {

// 2026-03-02, a Monday, as an OLE date.
constexpr double kMonday = 46083.0;
constexpr double kNineAm = 9.0 / 24.0;

using MailFile = FakeMailDrop::File;

std::string OutlookBytes(const EString& subject, const EString& body)
{
    MsgFileBuilder file;
    file.AddUnicodeProperty(L"", 0x0E1D, subject);
    file.AddUnicodeProperty(L"", 0x1000, body);
    return file.GetBytes();
}

// A drag source whose block is exactly these bytes, well formed or not.
ComPtr<CAtlDropSource> DragOfBytes(const std::vector<std::int32_t>& words, SIZE_T size)
{
    const HGLOBAL block = ::GlobalAlloc(GPTR, size);
    if (block && !words.empty())
        std::memcpy(block, words.data(), std::min(size, words.size() * sizeof(std::int32_t)));
    ComPtr<CAtlDropSource> source(new CAtlDropSource);
    source->SetPayload(Clipboard::GetPrivateClipboardFormat(), block);
    return source;
}

ComPtr<CAtlDropSource> DragOf(std::int32_t kind, std::vector<std::int32_t> ids)
{
    ComPtr<CAtlDropSource> source(new CAtlDropSource);
    source->SetPayload(Clipboard::GetPrivateClipboardFormat(), PelquornDragData(kind, std::move(ids)).CreateBlock());
    return source;
}

// Hears what the document tells every view.
class RecordingObserver : public IObserver {
public:
    void Update(ISubject*, DocNotifyCode code) override { codes.push_back(code); }
    void OnAttach(ITabOrderProvider*) override {}
    std::vector<DocNotifyCode> codes;
};

class TaskListDropTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateTaskListOnNewPlan(document, prompts, view, frame.m_hWnd, kMonday + kNineAm);
        if (HasFatalFailure())
            return;
        const RECT client = frame.GetClientRect();
        ::MoveWindow(view.m_hWnd, 0, 0, client.right, client.bottom, TRUE);
        view.SendViewMessage(WM_VIEW_DEFERRED_INIT, 0, 0);
        document.Attach(&view);
        document.Attach(&observer);
        document.Notify(nullptr, NotifyCode::kTasksChanged);
        ::SetForegroundWindow(frame.m_hWnd);
        ::UpdateWindow(frame.m_hWnd);
    }
    void TearDown() override
    {
        document.Detach(&observer);
        document.Detach(&view);
        Clock::ResetForTesting();
        ClearProgramRegistry();
    }

    int AddTask(const wchar_t* name, int status = TaskCard::kNew)
    {
        TaskCard task(name, L"", 2, kMonday + 3, 1, status, 0, 0, -1);
        EXPECT_TRUE(document.AddTask(task));
        return task.GetId();
    }
    std::vector<int> TaskIds()
    {
        std::vector<TaskCard> tasks;
        document.SelectTasks(tasks, false, false);
        std::vector<int> ids;
        for (const TaskCard& task : tasks)
            ids.push_back(task.GetId());
        return ids;
    }
    // The tasks that were not there before, in the order they were made in.
    std::vector<int> TaskIdsAddedSince(const std::vector<int>& before)
    {
        std::vector<int> added;
        for (int id : TaskIds())
            if (std::find(before.begin(), before.end(), id) == before.end())
                added.push_back(id);
        std::sort(added.begin(), added.end());
        return added;
    }
    std::vector<int> SelectedIds()
    {
        std::vector<int> ids;
        for (int row = ListView_GetNextItem(view.m_hWnd, -1, LVNI_SELECTED); row >= 0;
             row = ListView_GetNextItem(view.m_hWnd, row, LVNI_SELECTED))
            ids.push_back(view.GetRowTask(row)->GetId());
        return ids;
    }
    // The screen point of a client point of the list.
    POINT OnList(int x, int y)
    {
        POINT point = {x, y};
        ::ClientToScreen(view.m_hWnd, &point);
        return point;
    }
    // The system's drag loop with the button up: the data drops at once
    // where the cursor is, and the list answers as it would to a user.
    DWORD DropOnList(IDataObject* data)
    {
        const POINT at = OnList(60, 40);
        EXPECT_TRUE(::SetCursorPos(at.x, at.y));
        const ComPtr<CAtlDropSource> loop(new CAtlDropSource);
        DWORD effect = DROPEFFECT_NONE;
        const HRESULT result = ::DoDragDrop(data, loop.Get(), DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
        return result == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
    }

    ReflectingFrame frame;
    SilentPrompts prompts;
    CPelquornDoc document;
    CPelquornView view;
    RecordingObserver observer;
};

} // namespace

TEST_F(TaskListDropTest, DroppedMailBecomesNewSelectedTasksWithTheMessagesSubjectAndText)
{
    const std::string eml = ReadFileBytes(SourcePath(L"mail/testdata/meeting.eml"));
    ASSERT_FALSE(eml.empty());
    const ComPtr<FakeMailDrop> drop(new FakeMailDrop({
        {L"meeting.eml", eml},
        {L"notes.txt", "not a message"},
        {L"Budget.MSG", OutlookBytes(L"Budget \x2013 Q3", L"Figures attached."), FakeMailDrop::Medium::Storage},
    }));
    const std::vector<int> before = TaskIds();

    EXPECT_EQ(DropOnList(drop.Get()), static_cast<DWORD>(DROPEFFECT_MOVE));

    // Ids grow with each new task: this is the order they were made in.
    const std::vector<int> added = TaskIdsAddedSince(before);
    ASSERT_EQ(added.size(), 2u) << "one task per message, none for the text file";
    const struct {
        const wchar_t* name;
        const wchar_t* text;
    } expected[] = {
        {L"Caf\xE9 planning", L"Book the caf\xE9 for Friday.\r\nBring the minutes.\r\n"},
        {L"Budget \x2013 Q3", L"Figures attached."},
    };
    for (size_t i = 0; i < added.size(); ++i) {
        TaskCard task;
        ASSERT_TRUE(document.GetTask(added[i], task, false));
        EXPECT_EQ(task.GetName(), EString(expected[i].name));
        EXPECT_EQ(task.GetDescription(), EString(expected[i].text));
        EXPECT_EQ(task.GetEstimation(), 2);
        EXPECT_EQ(task.GetImportance(), 1);
        EXPECT_EQ(task.GetStatus(), TaskCard::kNew);
        EXPECT_DOUBLE_EQ(task.GetDeadline(), kMonday) << "due today; deadlines are days";
        EXPECT_FALSE(task.HasOriginalEstimation());
        EXPECT_GE(view.FindRow(added[i]), 0) << "the list shows the new task";
    }
    std::vector<int> selected = SelectedIds();
    std::sort(selected.begin(), selected.end());
    EXPECT_EQ(selected, added) << "exactly the new tasks are selected";
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(TaskListDropTest, AMailWhoseSubjectHoldsControlCharactersIsSavedWithoutThemAndThePlanReopens)
{
    const std::string eml = "From: ci@example.org\r\n"
                            "To: ann@example.org\r\n"
                            "Subject: Build =?utf-8?Q?log_=1B[31mFAILED=1B[0m?= today\r\n"
                            "Content-Type: text/plain; charset=utf-8\r\n"
                            "\r\n"
                            "Step 3 of 4\x07 failed.\r\n";
    const ComPtr<FakeMailDrop> drop(new FakeMailDrop({{L"build.eml", eml}}));
    const std::vector<int> before = TaskIds();

    EXPECT_EQ(DropOnList(drop.Get()), static_cast<DWORD>(DROPEFFECT_MOVE));
    const std::vector<int> added = TaskIdsAddedSince(before);
    ASSERT_EQ(added.size(), 1u);
    const EString path = FileSystem::JoinPath(MakeScratchFolder(L"mail-drop"), L"plan.qvr");
    ASSERT_TRUE(document.OnSaveDocument(path));

    ASSERT_TRUE(document.OpenPath(path)) << (prompts.errors.empty() ? L"" : prompts.errors.back().c_str());
    TaskCard task;
    ASSERT_TRUE(document.GetTask(added[0], task, false));
    EXPECT_EQ(task.GetName(), L"Build log [31mFAILED[0m today");
    EXPECT_EQ(task.GetDescription(), L"Step 3 of 4 failed.\r\n");
}

// A subject or text of ten million characters, which the XML reader would
// refuse once saved: held to what the plan keeps, and the user is told.
TEST_F(TaskListDropTest, AMailTooLongForThePlanIsCutToItsLimitsToldAndThePlanReopens)
{
    const EString subject = L"Minutes " + EString(10000001 - 8, L's');
    const EString body = EString(10000001, L'b');
    const ComPtr<FakeMailDrop> drop(
        new FakeMailDrop({{L"Minutes.msg", OutlookBytes(subject, body), FakeMailDrop::Medium::Storage}}));
    const std::vector<int> before = TaskIds();

    EXPECT_EQ(DropOnList(drop.Get()), static_cast<DWORD>(DROPEFFECT_MOVE));
    const std::vector<int> added = TaskIdsAddedSince(before);
    ASSERT_EQ(added.size(), 1u);
    ASSERT_TRUE(WaitFor([&] { return !prompts.errors.empty(); }));
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(prompts.errors[0],
              L"The name of the task \"Minutes ssssssssssssssssssssssssssssssss...\" was longer than 200 characters "
              L"and was cut there.\nThe description of \"Minutes ssssssssssssssssssssssssssssssss...\" was longer "
              L"than 1000000 characters and was cut there.");

    const EString path = FileSystem::JoinPath(MakeScratchFolder(L"mail-drop-long"), L"plan.qvr");
    ASSERT_TRUE(document.OnSaveDocument(path));
    ASSERT_TRUE(document.OpenPath(path)) << (prompts.errors.size() > 1 ? prompts.errors.back().c_str() : L"");
    TaskCard task;
    ASSERT_TRUE(document.GetTask(added[0], task, false));
    EXPECT_EQ(task.GetName(), subject.substr(0, 200));
    EXPECT_EQ(task.GetDescription(), body.substr(0, 1000000));
}

TEST_F(TaskListDropTest, MessagesThatCannotBeReadAreLeftOutAndNamedOnceAfterTheOthersBecomeTasks)
{
    const std::string eml = ReadFileBytes(SourcePath(L"mail/testdata/meeting.eml"));
    const ComPtr<FakeMailDrop> drop(new FakeMailDrop({
        {L"empty.eml", ""},
        {L"meeting.eml", eml},
        {L"broken.msg", "garbage"},
        {L"gone.eml", eml, FakeMailDrop::Medium::Refused},
        {L"Budget.msg", OutlookBytes(L"Budget", L"Figures attached.")},
    }));
    const std::vector<int> before = TaskIds();

    EXPECT_EQ(DropOnList(drop.Get()), static_cast<DWORD>(DROPEFFECT_MOVE));

    const std::vector<int> added = TaskIdsAddedSince(before);
    std::vector<EString> names;
    for (int id : added) {
        TaskCard task;
        ASSERT_TRUE(document.GetTask(id, task, false));
        names.push_back(task.GetName());
        EXPECT_GE(view.FindRow(id), 0) << "the list shows the new task";
    }
    EXPECT_EQ(names, (std::vector<EString>{L"Caf\xE9 planning", L"Budget"}));
    std::vector<int> selected = SelectedIds();
    std::sort(selected.begin(), selected.end());
    EXPECT_EQ(selected, added);
    ::UpdateWindow(frame.m_hWnd);
    EXPECT_FALSE(SaveWindowScreenshot(frame.m_hWnd, L"task-list-mail-left-out").IsEmpty());
    EXPECT_TRUE(prompts.errors.empty()) << "the message box waits until the drop is over";
    ASSERT_TRUE(WaitFor([&] { return !prompts.errors.empty(); }));
    ASSERT_EQ(prompts.errors.size(), 1u) << "one message for all the files left out";
    for (const wchar_t* name : {L"\"empty.eml\"", L"\"broken.msg\"", L"\"gone.eml\""})
        EXPECT_NE(prompts.errors[0].find(name), EString::npos) << prompts.errors[0].c_str();
    EXPECT_EQ(prompts.errors[0].find(L"meeting.eml"), EString::npos) << prompts.errors[0].c_str();
    EXPECT_EQ(prompts.errors[0].find(L"Budget.msg"), EString::npos) << prompts.errors[0].c_str();

    // A drop of nothing but unreadable messages adds nothing and says so.
    const ComPtr<FakeMailDrop> broken(new FakeMailDrop({{L"broken.msg", "garbage"}}));
    const std::vector<int> after = TaskIds();
    EXPECT_EQ(DropOnList(broken.Get()), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(TaskIds(), after);
    ASSERT_TRUE(WaitFor([&] { return prompts.errors.size() == 2; }));
    EXPECT_NE(prompts.errors[1].find(L"broken.msg"), EString::npos) << prompts.errors[1].c_str();
}

TEST_F(TaskListDropTest, PlanEntriesDroppedOnTheListLeaveThePlanWhateverTheEffect)
{
    const int task = AddTask(L"Pack");
    for (const DWORD effect : {DWORD(DROPEFFECT_MOVE), DWORD(DROPEFFECT_COPY)}) {
        TaskPlanEntry first(task, kNineAm, kNineAm + 1.0 / 24, L"", L"Pack", 0, 0);
        TaskPlanEntry second(task, kNineAm + 2.0 / 24, kNineAm + 3.0 / 24, L"", L"Pack", 0, 0);
        ASSERT_TRUE(document.AddPlanEntry(kMonday + 1, first));
        ASSERT_TRUE(document.AddPlanEntry(kMonday + 1, second));
        observer.codes.clear();
        const ComPtr<CAtlDropSource> drag = DragOf(PelquornDragData::kPlanEntries, {first.GetId(), second.GetId()});

        EXPECT_TRUE(view.CanAcceptData(drag.Get())) << effect;
        EXPECT_TRUE(view.OnDrop(drag.Get(), 10, 10, effect)) << effect;

        TaskPlanEntry stored;
        EXPECT_FALSE(document.GetPlanEntry(first.GetId(), stored)) << effect;
        EXPECT_FALSE(document.GetPlanEntry(second.GetId(), stored)) << effect;
        EXPECT_EQ(std::count(observer.codes.begin(), observer.codes.end(), NotifyCode::kTasksChanged), 1)
            << "every view hears it once";
    }
    // And once through the system's drag loop.
    TaskPlanEntry entry(task, kNineAm, kNineAm + 1.0 / 24, L"", L"Pack", 0, 0);
    ASSERT_TRUE(document.AddPlanEntry(kMonday + 2, entry));
    EXPECT_EQ(DropOnList(DragOf(PelquornDragData::kPlanEntries, {entry.GetId()}).Get()),
              static_cast<DWORD>(DROPEFFECT_MOVE));
    TaskPlanEntry stored;
    EXPECT_FALSE(document.GetPlanEntry(entry.GetId(), stored));
}

TEST_F(TaskListDropTest, TasksCategoriesAndMalformedRecordsAreRefusedAndChangeNothing)
{
    const int task = AddTask(L"Keep");
    TaskPlanEntry entry(task, kNineAm, kNineAm + 1.0 / 24, L"", L"Keep", 0, 0);
    ASSERT_TRUE(document.AddPlanEntry(kMonday + 1, entry));
    document.Notify(nullptr, NotifyCode::kTasksChanged);
    const std::vector<int> tasks = TaskIds();
    const std::int32_t planEntries = PelquornDragData::kPlanEntries;
    const struct {
        const char* what;
        ComPtr<CAtlDropSource> drag;
    } cases[] = {
        {"tasks of the list itself", DragOf(PelquornDragData::kTasks, {task})},
        {"a category", DragOf(PelquornDragData::kCategory, {0})},
        {"a count past the block's end", DragOfBytes({planEntries, 1000, entry.GetId()}, 12)},
        {"a negative count", DragOfBytes({planEntries, -1, entry.GetId()}, 12)},
        {"a block shorter than its header", DragOfBytes({planEntries}, 4)},
        {"an empty block", DragOfBytes({}, 0)},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(view.CanAcceptData(c.drag.Get())) << c.what;
        EXPECT_FALSE(view.OnDrop(c.drag.Get(), 10, 10, DROPEFFECT_MOVE)) << c.what;
        EXPECT_EQ(DropOnList(c.drag.Get()), static_cast<DWORD>(DROPEFFECT_NONE)) << c.what;
        TaskPlanEntry stored;
        EXPECT_TRUE(document.GetPlanEntry(entry.GetId(), stored)) << c.what;
        EXPECT_EQ(TaskIds(), tasks) << c.what;
    }
    EXPECT_FALSE(view.CanAcceptData(nullptr));
    EXPECT_TRUE(prompts.errors.empty());
}

// A press on a row and a move with the button down: the list starts a drag
// of its selected tasks, which the system's loop runs once the control is
// done with the mouse.
TEST_F(TaskListDropTest, DraggingSelectedRowsOffersTheirIdsAsGlobalMemoryOnly)
{
    const int first = AddTask(L"Alpha");
    AddTask(L"Beta");
    const int third = AddTask(L"Gamma");
    document.Notify(nullptr, NotifyCode::kTasksChanged);
    ListView_SetItemState(view.m_hWnd, -1, 0, LVIS_SELECTED);
    view.SelectRow(view.FindRow(first));
    view.SelectRow(view.FindRow(third));
    RECT row = {};
    ASSERT_TRUE(ListView_GetItemRect(view.m_hWnd, view.FindRow(third), &row, LVIR_LABEL));
    const int x = row.left + 10;
    const int y = (row.top + row.bottom) / 2;
    view.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    view.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 30, y + 30));
    // Only the mouse messages: the drag start stays in the queue to be looked at.
    for (MSG mouse = {}; ::PeekMessageW(&mouse, view.m_hWnd, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE);)
        ::DispatchMessageW(&mouse);

    MSG posted = {};
    ASSERT_TRUE(::PeekMessageW(&posted, view.m_hWnd, WM_PELQUORN_START_DRAG, WM_PELQUORN_START_DRAG, PM_REMOVE))
        << "no drag was started";
    ASSERT_TRUE(posted.wParam);
    // The posted source has no reference of its own: this one frees it.
    const ComPtr<IDataObject> data(static_cast<IDataObject*>(reinterpret_cast<CAtlDropSource*>(posted.wParam)));
    EXPECT_EQ(::GetFocus(), view.m_hWnd);

    const CLIPFORMAT own = Clipboard::GetPrivateClipboardFormat();
    const struct {
        const char* what;
        CLIPFORMAT format;
        DWORD media;
        HRESULT answer;
    } cases[] = {
        {"global memory", own, TYMED_HGLOBAL, S_OK},
        {"any medium, global memory among them", own, TYMED_HGLOBAL | TYMED_ISTREAM, S_OK},
        {"a stream only", own, TYMED_ISTREAM, DV_E_TYMED},
        {"a file only", own, TYMED_FILE, DV_E_TYMED},
        {"text", CF_UNICODETEXT, TYMED_HGLOBAL, DV_E_FORMATETC},
    };
    for (const auto& c : cases) {
        FORMATETC format = {c.format, nullptr, DVASPECT_CONTENT, -1, c.media};
        EXPECT_EQ(data->QueryGetData(&format), c.answer) << c.what;
        STGMEDIUM medium = {};
        const HRESULT got = data->GetData(&format, &medium);
        EXPECT_EQ(got, c.answer) << c.what;
        if (got == S_OK) {
            EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_HGLOBAL)) << c.what;
            ::ReleaseStgMedium(&medium);
        }
    }
    const PelquornDragData record = GetDragData(data.Get(), own);
    EXPECT_EQ(record.kind, PelquornDragData::kTasks);
    std::vector<std::int32_t> expected;
    for (int id : SelectedIds())
        expected.push_back(id);
    EXPECT_EQ(record.ids, expected) << "the selected tasks in row order";
    EXPECT_EQ(expected.size(), 2u);
    view.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(x + 30, y + 30));
}

// The list's own tasks dropped back onto it: refused, nothing moves.
TEST_F(TaskListDropTest, ADragOfTheListsTasksOntoItselfIsRefused)
{
    const int task = AddTask(L"Stay");
    document.Notify(nullptr, NotifyCode::kTasksChanged);
    view.SelectRow(view.FindRow(task));
    const POINT at = OnList(60, 40);
    ASSERT_TRUE(::SetCursorPos(at.x, at.y));
    ASSERT_TRUE(PostDragStart(view.m_hWnd, PelquornDragData(PelquornDragData::kTasks, {task})));
    MSG posted = {};
    ASSERT_TRUE(::PeekMessageW(&posted, view.m_hWnd, WM_PELQUORN_START_DRAG, WM_PELQUORN_START_DRAG, PM_NOREMOVE));
    const std::vector<int> before = TaskIds();

    EXPECT_EQ(view.SendViewMessage(WM_PELQUORN_START_DRAG, 0, 0), 0) << "a null source runs nothing";
    // The view runs the posted drag from its own message.
    ASSERT_TRUE(::PeekMessageW(&posted, view.m_hWnd, WM_PELQUORN_START_DRAG, WM_PELQUORN_START_DRAG, PM_REMOVE));
    ::DispatchMessageW(&posted);

    EXPECT_EQ(TaskIds(), before);
    EXPECT_GE(view.FindRow(task), 0);
}

TEST_F(TaskListDropTest, EachRowShowsThePictureOfItsTasksState)
{
    const struct {
        const wchar_t* name;
        int status;
        bool recurring;
        int image;
    } cases[] = {
        {L"New task", TaskCard::kNew, false, 0},
        {L"Task in progress", TaskCard::kInProgress, false, 1},
        {L"Completed task", TaskCard::kCompleted, false, 2},
        {L"Recurring new task", TaskCard::kNew, true, 3},
        // A completed task keeps no recurrence.
        {L"Recurring task in progress", TaskCard::kInProgress, true, 3},
    };
    std::vector<int> ids;
    for (const auto& c : cases) {
        ids.push_back(AddTask(c.name, c.status));
        if (c.recurring)
            document.SetRecurrence(RecurrenceInfo(), ids.back());
    }
    document.Notify(nullptr, NotifyCode::kTasksChanged);
    for (size_t i = 0; i < std::size(cases); ++i) {
        LVITEMW item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = view.FindRow(ids[i]);
        ASSERT_TRUE(ListView_GetItem(view.m_hWnd, &item)) << i;
        EXPECT_EQ(item.iImage, cases[i].image) << cases[i].status << (cases[i].recurring ? " recurring" : "");
    }
    // Every picture is the program's own, none a blank stand-in.
    const HIMAGELIST images = ListView_GetImageList(view.m_hWnd, LVSIL_SMALL);
    ASSERT_TRUE(images);
    EXPECT_EQ(::ImageList_GetImageCount(images), 6);
    for (int id : {IDI_TASK_NEW, IDI_TASK_IN_PROGRESS, IDI_TASK_COMPLETED, IDI_TASK_RECURRING, IDI_TASK_DRAG_MOVE,
                   IDI_TASK_DRAG_COPY}) {
        const HANDLE icon = ::LoadImageW(GetResourceModule(), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0);
        EXPECT_TRUE(icon) << id;
        ::DestroyIcon(static_cast<HICON>(icon));
    }
    EXPECT_FALSE(SaveWindowScreenshot(frame.m_hWnd, L"task-list-icons").IsEmpty());
}
