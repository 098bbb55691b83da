#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

#include "document/ISubjectImpl.h"
#include "document/PelquornDoc.h"
#include "resources/AppCommandIds.h"
#include "testing/TestSupport.h"
#include "views/common/ViewBase.h"
#include "views/common/ViewTestSupport.h"
#include "views/common/testdata/views_common_tests_rc.h"
#include "winlib/WindowImpl.h"

namespace {

constexpr int kAlwaysEnabled = 40001;
constexpr int kChecked = 40002;
constexpr int kNeverEnabled = 40003;
constexpr WORD kZeroResultCommand = 40010;
constexpr WORD kNonZeroResultCommand = 40011;
constexpr WORD kUnknownCommand = 40012;
// Posted after the messages under test: once it arrives, they have too.
constexpr UINT kSentinel = WM_APP + 1;

// A report-style list view, as the task list is, with three commands of its own;
// it sees the document as every view does, whatever else it shows.
class TestListView : public CWindowImpl<TestListView>, public CViewBase<TestListView, IViewDocument> {
public:
    static WindowClass GetWindowClass() { return {.name = L"QuorvaneTestListView", .baseName = WC_LISTVIEWW}; }

    HWND Create(HWND parent) override
    {
        return CWindowImpl<TestListView>::Create(
            {.parent = parent, .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT, .rect = {10, 10, 210, 110}});
    }
    void UpdateCommandUI(bool active)
    {
        SendCommandState(active, kAlwaysEnabled);
        SendCommandState(active, kChecked, true, true);
        SendCommandState(active, kNeverEnabled, false);
    }

    int edits = 0;
    int zeroResultCalls = 0;
    bool sentinelSeen = false;

    BEGIN_MESSAGE_MAP(TestListView)
        ON_COMMAND(ID_TASK_EDIT, OnEdit)
        ON_COMMAND(kZeroResultCommand, OnZeroResult)
        ON_COMMAND(kNonZeroResultCommand, OnNonZeroResult)
        ON_MESSAGE(kSentinel, OnSentinel)
        ON_MESSAGE(WM_CHAR, OnChar)
        CHAIN_MESSAGE_MAP(ViewBase)
    END_MESSAGE_MAP()

private:
    // An editor of the view takes its keys.
    LRESULT OnChar(UINT, WPARAM, LPARAM, bool&) { return 1; }
    LRESULT OnEdit(WORD, WORD, HWND, bool&)
    {
        ++edits;
        return 0;
    }
    LRESULT OnZeroResult(WORD, WORD, HWND, bool&)
    {
        ++zeroResultCalls;
        return 0;
    }
    LRESULT OnNonZeroResult(WORD, WORD, HWND, bool&) { return 7; }
    LRESULT OnSentinel(UINT, WPARAM, LPARAM, bool&)
    {
        sentinelSeen = true;
        return 0;
    }
};

const std::vector<CommandUiState> kActiveViewStates = {
    {.checked = 0, .enabled = 1, .commandId = kAlwaysEnabled},
    {.checked = 1, .enabled = 1, .commandId = kChecked},
    {.checked = 0, .enabled = 0, .commandId = kNeverEnabled},
};

// What the frame hears when the view becomes active: its commands reset, the
// document's refresh and state, then the view's states.
const std::vector<UINT> kActivationMessages = {
    WM_PELQUORN_RESET_COMMANDS, WM_PELQUORN_DOC_CHANGED,   WM_PELQUORN_COMMAND_STATE,
    WM_PELQUORN_COMMAND_STATE,  WM_PELQUORN_COMMAND_STATE, WM_PELQUORN_COMMAND_STATE,
};

std::vector<CommandUiState> ViewStates(const RecordingFrame& frame)
{
    const size_t count = kActiveViewStates.size();
    if (frame.states.size() < count)
        return frame.states;
    return {frame.states.end() - static_cast<std::ptrdiff_t>(count), frame.states.end()};
}

class ViewBaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
        ASSERT_TRUE(frame.IsWindow());
        ASSERT_TRUE(view.Create(frame.m_hWnd));
        frame.Clear();
    }

    // Waits until everything posted to the view so far has been handled.
    void DrainView()
    {
        view.sentinelSeen = false;
        view.PostViewMessage(kSentinel, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return view.sentinelSeen; }));
    }

    RecordingFrame frame;
    CPelquornDoc document;
    TestListView view;
};

TEST_F(ViewBaseTest, UpdateKeepsTheDocumentWhenTheSubjectIsNoneOrAnotherKind)
{
    ISubjectImpl otherSubject;
    for (ISubject* subject : std::vector<ISubject*>{nullptr, &otherSubject}) {
        view.Update(&document, NotifyCode::kAll);
        view.Update(subject, NotifyCode::kDocumentLoaded);
        EXPECT_EQ(view.GetDocument(), &document) << (subject ? "another subject" : "null subject");
    }
}

TEST_F(ViewBaseTest, ActivationMakesTheViewTheDocumentWindowAndPushesStates)
{
    struct Case {
        const char* name;
        std::function<void(TestListView&)> activate;
    };
    const Case cases[] = {
        {"Activate", [](TestListView& v) { v.Activate(); }},
        {"WM_VIEW_ACTIVATE", [](TestListView& v) { v.SendViewMessage(WM_VIEW_ACTIVATE, 0, 0); }},
        {"focus", [this](TestListView& v) {
             ::SetForegroundWindow(frame.m_hWnd);
             v.SetFocus();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        document.SetDocumentWindow(nullptr);
        ::SetFocus(nullptr);
        view.Update(&document, NotifyCode::kAll);
        frame.Clear();

        c.activate(view);

        EXPECT_EQ(document.GetDocumentWindow(), view.m_hWnd);
        EXPECT_EQ(frame.messages, kActivationMessages);
        ASSERT_EQ(frame.states.size(), 4u);
        EXPECT_EQ(frame.states[0].commandId, ID_TRANSPARENT_CATEGORIES);
        EXPECT_EQ(ViewStates(frame), kActiveViewStates);
    }
}

TEST_F(ViewBaseTest, WithoutADocumentActivationSendsNothing)
{
    view.SendViewMessage(WM_VIEW_ACTIVATE, 0, 0);

    EXPECT_TRUE(frame.messages.empty());
    EXPECT_EQ(document.GetDocumentWindow(), nullptr);
}

TEST_F(ViewBaseTest, ANotificationRefreshesTheActiveViewsStates)
{
    document.Attach(&view);
    document.Notify(nullptr, NotifyCode::kAll);
    ASSERT_EQ(view.GetDocument(), &document);
    view.Activate();
    DrainView();
    frame.Clear();

    document.Notify(nullptr, NotifyCode::kTasksChanged);
    DrainView();

    EXPECT_EQ(frame.messages, kActivationMessages);
    EXPECT_EQ(ViewStates(frame), kActiveViewStates);
    document.Detach(&view);
}

TEST_F(ViewBaseTest, AnInactiveViewPushesEveryCommandDisabledAndUnchecked)
{
    view.Update(&document, NotifyCode::kAll);

    view.RefreshCommandUI(false);

    // The document stays silent: only the active view lets it push.
    const std::vector<UINT> expectedMessages = {WM_PELQUORN_RESET_COMMANDS, WM_PELQUORN_COMMAND_STATE,
                                                WM_PELQUORN_COMMAND_STATE, WM_PELQUORN_COMMAND_STATE};
    EXPECT_EQ(frame.messages, expectedMessages);
    const std::vector<CommandUiState> expectedStates = {
        {.checked = 0, .enabled = 0, .commandId = kAlwaysEnabled},
        {.checked = 0, .enabled = 0, .commandId = kChecked},
        {.checked = 0, .enabled = 0, .commandId = kNeverEnabled},
    };
    EXPECT_EQ(frame.states, expectedStates);
}

TEST_F(ViewBaseTest, EnterPostsOneEditCommandAndTheListStillGetsTheKey)
{
    struct Case {
        WORD key;
        int edits;
    };
    for (const Case& c : {Case{VK_RETURN, 1}, Case{VK_DOWN, 0}, Case{VK_SPACE, 0}}) {
        SCOPED_TRACE(c.key);
        view.edits = 0;
        frame.Clear();

        view.SendViewMessage(WM_KEYDOWN, c.key, 1);
        DrainView();

        EXPECT_EQ(view.edits, c.edits);
        EXPECT_EQ(frame.listKeys, std::vector<WORD>{c.key});
    }
}

TEST_F(ViewBaseTest, AForwardedCommandCountsAsTakenOnlyWithANonZeroResult)
{
    struct Case {
        const char* name;
        UINT message;
        WORD command;
        LRESULT answer;
        int zeroResultCalls;
    };
    const Case cases[] = {
        {"handled with result 0", WM_COMMAND, kZeroResultCommand, 0, 1},
        {"handled with result 7", WM_COMMAND, kNonZeroResultCommand, 1, 0},
        {"not handled", WM_COMMAND, kUnknownCommand, 0, 0},
        {"not a command", WM_SYSCOMMAND, kZeroResultCommand, 0, 0},
        {"a key the view takes, forwarded by its pane", WM_CHAR, 'x', 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        view.zeroResultCalls = 0;
        ForwardedMessage forwarded = {};
        forwarded.hwnd = frame.m_hWnd;
        forwarded.message = c.message;
        forwarded.wParam = MAKEWPARAM(c.command, 0);

        EXPECT_EQ(view.SendViewMessage(WM_PELQUORN_FORWARD_COMMAND, 0, reinterpret_cast<LPARAM>(&forwarded)),
                  c.answer);
        EXPECT_EQ(view.zeroResultCalls, c.zeroResultCalls);
    }
    EXPECT_EQ(view.SendViewMessage(WM_PELQUORN_FORWARD_COMMAND, 0, 0), 0);
}

TEST_F(ViewBaseTest, AContextMenuIsPreparedThenTrackedByTheFrameAndThenDestroyed)
{
    for (const POINT point : {POINT{100, 200}, POINT{-5, -30}}) {
        SCOPED_TRACE(testing::Message() << point.x << "," << point.y);
        frame.Clear();

        view.SendViewMessage(WM_VIEW_CONTEXT_MENU, IDR_TEST_CONTEXT,
                             MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));

        const std::vector<UINT> expectedMessages = {WM_PELQUORN_RESET_COMMANDS, WM_PELQUORN_COMMAND_STATE,
                                                    WM_PELQUORN_COMMAND_STATE,  WM_PELQUORN_COMMAND_STATE,
                                                    WM_PELQUORN_PREPARE_MENU,   WM_PELQUORN_TRACK_MENU};
        EXPECT_EQ(frame.messages, expectedMessages);
        EXPECT_EQ(frame.states, kActiveViewStates);
        ASSERT_EQ(frame.trackedMenus.size(), 1u);
        const RecordingFrame::TrackedMenu& tracked = frame.trackedMenus[0];
        EXPECT_EQ(frame.preparedMenus, std::vector<HMENU>{tracked.popup});
        EXPECT_EQ(tracked.point.x, point.x);
        EXPECT_EQ(tracked.point.y, point.y);
        EXPECT_EQ(tracked.commandIds, (std::vector<UINT>{ID_TASK_EDIT, ID_TASK_DELETE}));
        EXPECT_FALSE(::IsMenu(tracked.popup));
    }
}

TEST_F(ViewBaseTest, NoContextMenuWithoutAPointOrAMenuResource)
{
    const POINT point = {10, 10};
    view.ShowContextMenu(nullptr, IDR_TEST_CONTEXT);
    view.ShowContextMenu(&point, IDR_MISSING_MENU);

    EXPECT_TRUE(frame.messages.empty());
}

} // namespace
