#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "document/Clipboard.h"
#include "document/PelquornDragData.h"
#include "foundation/ComPtr.h"
#include "views/common/AtlDropSource.h"
#include "views/common/DragStart.h"
#include "views/common/TreeDropTarget.h"
#include "views/common/ViewMessages.h"

namespace {

// Writes down what the target tells the view.
class RecordingView : public ISimpleDropCallback {
public:
    bool accepts = true;
    bool takesDrop = true;
    // Each call throws after it is written down, as a view's fault would.
    bool throws = false;
    std::vector<std::string> calls;

    bool CanAcceptData(IDataObject*) override
    {
        Record("accept?");
        return accepts;
    }
    void OnDragLeave() override { Record("leave"); }
    void OnDragOver(int x, int y) override { Record("over " + std::to_string(x) + "," + std::to_string(y)); }
    bool OnDrop(IDataObject*, int x, int y, DWORD effect) override
    {
        Record("drop " + std::to_string(x) + "," + std::to_string(y) + " effect " + std::to_string(effect));
        return takesDrop;
    }

private:
    void Record(std::string call)
    {
        calls.push_back(std::move(call));
        if (throws)
            throw std::runtime_error("the view failed");
    }
};

constexpr DWORD CopyOrMove = DROPEFFECT_COPY | DROPEFFECT_MOVE;

class TreeDropTargetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_NOTIFY, 200, 150, 300, 200, nullptr, nullptr,
                                   nullptr, nullptr);
        ASSERT_TRUE(window);
        data = new CAtlDropSource;
        data->SetPayload(Clipboard::GetPrivateClipboardFormat(),
                         PelquornDragData(PelquornDragData::kTasks, {3}).CreateBlock());
    }
    void TearDown() override
    {
        ::DestroyWindow(window);
    }

    // The screen point of a client point of the window.
    POINTL Screen(int x, int y) const
    {
        POINT point = {x, y};
        ::ClientToScreen(window, &point);
        return {point.x, point.y};
    }

    HWND window = nullptr;
    ComPtr<CAtlDropSource> data;
    RecordingView view;
};

} // namespace

TEST_F(TreeDropTargetTest, TheEffectIsChosenOnEnteringFromTheViewsAnswerAndCtrl)
{
    const struct {
        const char* what;
        bool accepts;
        DWORD keys;
        DWORD allowed;
        DWORD effect;
    } cases[] = {
        {"a move by default", true, MK_LBUTTON, CopyOrMove, DROPEFFECT_MOVE},
        {"a copy with Ctrl", true, MK_LBUTTON | MK_CONTROL, CopyOrMove, DROPEFFECT_COPY},
        {"refused by the view", false, MK_LBUTTON, CopyOrMove, DROPEFFECT_NONE},
        {"refused with Ctrl", false, MK_CONTROL, CopyOrMove, DROPEFFECT_NONE},
        {"a source that only copies", true, MK_LBUTTON, DROPEFFECT_COPY, DROPEFFECT_COPY},
        {"a source that only moves, with Ctrl", true, MK_CONTROL, DROPEFFECT_MOVE, DROPEFFECT_MOVE},
        {"a source that only links", true, MK_LBUTTON, DROPEFFECT_LINK, DROPEFFECT_NONE},
    };
    CTreeDropTarget target;
    ASSERT_EQ(target.Register(window, &view), S_OK);
    IDropTarget* drop = target.GetDropTarget();
    for (const auto& c : cases) {
        view.accepts = c.accepts;
        DWORD effect = c.allowed;
        ASSERT_EQ(drop->DragEnter(data.Get(), c.keys, Screen(5, 5), &effect), S_OK) << c.what;
        EXPECT_EQ(effect, c.effect) << c.what;
        // Ctrl is read once: letting it go or pressing it over the view changes nothing.
        effect = c.allowed;
        ASSERT_EQ(drop->DragOver(c.keys ^ MK_CONTROL, Screen(6, 6), &effect), S_OK) << c.what;
        EXPECT_EQ(effect, c.effect) << c.what;
        EXPECT_EQ(drop->DragLeave(), S_OK);
    }
}

TEST_F(TreeDropTargetTest, TheViewHearsTheVisitInItsClientCoordinates)
{
    CTreeDropTarget target;
    ASSERT_EQ(target.Register(window, &view), S_OK);
    IDropTarget* drop = target.GetDropTarget();
    DWORD effect = CopyOrMove;
    drop->DragEnter(data.Get(), MK_LBUTTON | MK_CONTROL, Screen(1, 2), &effect);
    drop->DragOver(MK_LBUTTON, Screen(10, 20), &effect);
    drop->DragLeave();
    effect = CopyOrMove;
    drop->DragEnter(data.Get(), MK_LBUTTON, Screen(1, 2), &effect);
    drop->DragOver(MK_LBUTTON, Screen(40, 30), &effect);
    drop->Drop(data.Get(), 0, Screen(41, 31), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    const std::vector<std::string> expected = {
        "accept?", "over 10,20", "leave", "accept?", "over 40,30", "drop 41,31 effect 2",
    };
    EXPECT_EQ(view.calls, expected);
}

TEST_F(TreeDropTargetTest, TheDropsEffectSaysWhetherTheViewTookIt)
{
    const struct {
        const char* what;
        bool accepts;
        bool takes;
        DWORD keys;
        DWORD effect;
        bool viewAskedToDrop;
    } cases[] = {
        {"taken as a move", true, true, MK_LBUTTON, DROPEFFECT_MOVE, true},
        {"taken as a copy", true, true, MK_CONTROL, DROPEFFECT_COPY, true},
        {"not taken", true, false, MK_LBUTTON, DROPEFFECT_NONE, true},
        {"refused on entering", false, true, MK_LBUTTON, DROPEFFECT_NONE, false},
    };
    CTreeDropTarget target;
    ASSERT_EQ(target.Register(window, &view), S_OK);
    IDropTarget* drop = target.GetDropTarget();
    for (const auto& c : cases) {
        view.accepts = c.accepts;
        view.takesDrop = c.takes;
        view.calls.clear();
        DWORD effect = CopyOrMove;
        drop->DragEnter(data.Get(), c.keys, Screen(5, 5), &effect);
        effect = CopyOrMove;
        ASSERT_EQ(drop->Drop(data.Get(), 0, Screen(5, 5), &effect), S_OK) << c.what;
        EXPECT_EQ(effect, c.effect) << c.what;
        EXPECT_EQ(view.calls.size() == 2, c.viewAskedToDrop) << c.what;
    }
}

// A modal dialog or the busy notice of an open disables the window that owns
// the view: nothing dropped on it may change the plan they work on.
TEST_F(TreeDropTargetTest, AWindowThatTakesNoInputTakesNoDrop)
{
    const HWND owner =
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(owner);
    ::SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    CTreeDropTarget target;
    ASSERT_EQ(target.Register(window, &view), S_OK);
    IDropTarget* drop = target.GetDropTarget();
    const struct {
        const char* when;
        bool disabledOnEntering;
        bool disabledOnDropping;
        std::vector<std::string> calls;
        DWORD effect;
    } cases[] = {
        {"taking input", false, false, {"accept?", "drop 5,5 effect 2"}, DROPEFFECT_MOVE},
        {"disabled before the drag enters", true, true, {}, DROPEFFECT_NONE},
        {"disabled while the drag is over it", false, true, {"accept?", "leave"}, DROPEFFECT_NONE},
    };
    for (const auto& c : cases) {
        view.calls.clear();
        ::EnableWindow(owner, !c.disabledOnEntering);
        DWORD effect = CopyOrMove;
        drop->DragEnter(data.Get(), MK_LBUTTON, Screen(5, 5), &effect);
        ::EnableWindow(owner, !c.disabledOnDropping);
        effect = CopyOrMove;
        ASSERT_EQ(drop->Drop(data.Get(), 0, Screen(5, 5), &effect), S_OK) << c.when;
        EXPECT_EQ(effect, c.effect) << c.when;
        EXPECT_EQ(view.calls, c.calls) << c.when;
    }
    ::SetWindowLongPtrW(window, GWLP_HWNDPARENT, 0);
    ::DestroyWindow(owner);
}

TEST_F(TreeDropTargetTest, AViewThatThrowsEndsTheVisitWithoutADropAndNothingReachesTheDragLoop)
{
    CTreeDropTarget target;
    ASSERT_EQ(target.Register(window, &view), S_OK);
    IDropTarget* drop = target.GetDropTarget();
    view.throws = true;
    DWORD effect = CopyOrMove;
    EXPECT_EQ(drop->DragEnter(data.Get(), MK_LBUTTON, Screen(5, 5), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(drop->DragLeave(), S_OK);
    view.accepts = true;
    view.throws = false;
    effect = CopyOrMove;
    drop->DragEnter(data.Get(), MK_LBUTTON, Screen(5, 5), &effect);
    view.throws = true;
    EXPECT_EQ(drop->DragOver(MK_LBUTTON, Screen(6, 6), &effect), S_OK);
    effect = CopyOrMove;
    EXPECT_EQ(drop->Drop(data.Get(), 0, Screen(6, 6), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(view.calls, (std::vector<std::string>{"accept?", "leave", "accept?", "over 6,6", "drop 6,6 effect 2"}));
}

TEST_F(TreeDropTargetTest, NullPointersAreRefused)
{
    CTreeDropTarget target;
    ASSERT_EQ(target.Register(window, &view), S_OK);
    IDropTarget* drop = target.GetDropTarget();
    DWORD effect = CopyOrMove;
    EXPECT_EQ(drop->DragEnter(nullptr, 0, Screen(1, 1), &effect), E_POINTER);
    EXPECT_EQ(drop->DragEnter(data.Get(), 0, Screen(1, 1), nullptr), E_POINTER);
    EXPECT_EQ(drop->DragOver(0, Screen(1, 1), nullptr), E_POINTER);
    EXPECT_EQ(drop->Drop(nullptr, 0, Screen(1, 1), &effect), E_POINTER);
    EXPECT_EQ(drop->Drop(data.Get(), 0, Screen(1, 1), nullptr), E_POINTER);
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(TreeDropTargetTest, TheWindowIsADropTargetWhileTheHolderLives)
{
    ComPtr<IDropTarget> kept;
    {
        CTreeDropTarget target;
        EXPECT_EQ(target.Register(nullptr, &view), S_FALSE);
        EXPECT_EQ(target.GetWindow(), nullptr);
        ASSERT_EQ(target.Register(window, &view), S_OK);
        EXPECT_EQ(target.GetWindow(), window);
        ASSERT_EQ(target.Register(window, &view), S_OK) << "registering the same window again";
        EXPECT_EQ(::RegisterDragDrop(window, target.GetDropTarget()), DRAGDROP_E_ALREADYREGISTERED);
        kept = target.GetDropTarget();
    }
    EXPECT_EQ(::RevokeDragDrop(window), DRAGDROP_E_NOTREGISTERED);
    // A drag still holding the object reaches no view that is gone.
    DWORD effect = CopyOrMove;
    EXPECT_EQ(kept->DragEnter(data.Get(), 0, Screen(1, 1), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(kept->Drop(data.Get(), 0, Screen(1, 1), &effect), S_OK);
    EXPECT_TRUE(view.calls.empty());
}

// The whole way through the system's drag loop: the button is up, so the
// drag drops at once where the cursor is.
TEST_F(TreeDropTargetTest, APostedDragDropsItsRecordOnTheWindowUnderTheCursor)
{
    struct ReadingView : RecordingView {
        std::vector<std::int32_t> dropped;
        bool OnDrop(IDataObject* dataObject, int x, int y, DWORD effect) override
        {
            dropped = GetDragData(dataObject, Clipboard::GetPrivateClipboardFormat()).ids;
            return RecordingView::OnDrop(dataObject, x, y, effect);
        }
    } reader;
    CTreeDropTarget target;
    ASSERT_EQ(target.Register(window, &reader), S_OK);
    const POINTL at = Screen(50, 60);
    ASSERT_TRUE(::SetCursorPos(at.x, at.y));

    ASSERT_TRUE(PostDragStart(window, PelquornDragData(PelquornDragData::kTasks, {6, 1})));
    MSG message = {};
    ASSERT_TRUE(::PeekMessageW(&message, window, WM_PELQUORN_START_DRAG, WM_PELQUORN_START_DRAG, PM_REMOVE));
    EXPECT_EQ(RunPostedDrag(message.wParam), static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_EQ(reader.dropped, (std::vector<std::int32_t>{6, 1}));
    ASSERT_FALSE(reader.calls.empty());
    EXPECT_EQ(reader.calls.back(), "drop 50,60 effect 2");
}
