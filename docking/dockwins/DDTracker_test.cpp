#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "docking/dockwins/DDTracker.h"
#include "docking/dockwins/DockingTestSupport.h"
#include "winlib/WindowImpl.h"

using namespace docking_test;

namespace {

class CRecordingTracker : public IDDTracker {
public:
    void BeginDrag() override { events.push_back("begin"); }
    void EndDrag(bool canceled) override { events.push_back(canceled ? "end canceled" : "end"); }
    void OnMove(int x, int y) override { events.push_back("move " + std::to_string(x) + "," + std::to_string(y)); }
    void OnCancelDrag(int, int) override { events.push_back("cancel"); }
    void OnDrop(int x, int) override { events.push_back("drop " + std::to_string(x)); }
    std::vector<std::string> events;
};

// Notes the keys that reach it.
class CDragWindow : public CWindowImpl<CDragWindow> {
public:
    BEGIN_MESSAGE_MAP(CDragWindow)
        ON_MESSAGE(WM_KEYDOWN, OnKey)
        ON_MESSAGE(WM_SYSKEYDOWN, OnKey)
    END_MESSAGE_MAP()
    LRESULT OnKey(UINT message, WPARAM, LPARAM, bool&)
    {
        keys.push_back(message == WM_KEYDOWN ? "key" : "syskey");
        return 0;
    }
    std::vector<std::string> keys;
};

} // namespace

TEST(TrackDragAndDropTest, ReleaseDropsAndEscAltOrASecondButtonCancel)
{
    struct Case {
        const char* name;
        std::vector<Posted> posted;
        bool result;
        std::vector<std::string> events;
        std::vector<std::string> keysDelivered;
    };
    const Case cases[] = {
        {"moves then release",
         {{WM_MOUSEMOVE, 0, At(10, 5)}, {WM_MOUSEMOVE, 0, At(-3, 7)}, {WM_LBUTTONUP, 0, At(12, 5)}},
         true,
         {"begin", "move 10,5", "move -3,7", "drop 12", "end"},
         {}},
        {"other keys are swallowed",
         {{WM_KEYDOWN, 'A', 0}, {WM_LBUTTONUP, 0, At(1, 1)}},
         true,
         {"begin", "drop 1", "end"},
         {}},
        {"Esc", {{WM_KEYDOWN, VK_ESCAPE, 0}}, false, {"begin", "cancel", "end canceled"}, {}},
        {"Alt, still delivered", {{WM_SYSKEYDOWN, VK_MENU, 0}}, false, {"begin", "cancel", "end canceled"}, {"syskey"}},
        {"right button down", {{WM_RBUTTONDOWN, 0, At(1, 1)}}, false, {"begin", "cancel", "end canceled"}, {}},
        {"right button up drops", {{WM_RBUTTONUP, 0, At(4, 1)}}, true, {"begin", "drop 4", "end"}, {}},
    };
    for (const Case& c : cases) {
        CDragWindow window;
        ASSERT_TRUE(window.Create(CreateArgs{.style = WS_POPUP | WS_VISIBLE, .rect = {0, 0, 100, 100}}));
        PostAll(window.m_hWnd, c.posted);
        CRecordingTracker tracker;
        EXPECT_EQ(TrackDragAndDrop(tracker, window.m_hWnd), c.result) << c.name;
        EXPECT_EQ(tracker.events, c.events) << c.name;
        EXPECT_EQ(window.keys, c.keysDelivered) << c.name;
        EXPECT_EQ(::GetCapture(), nullptr) << c.name;
    }
}

TEST(TrackDragAndDropTest, AQuitTakenDuringTheDragIsPostedAgain)
{
    CDragWindow window;
    ASSERT_TRUE(window.Create(CreateArgs{.style = WS_POPUP | WS_VISIBLE, .rect = {0, 0, 100, 100}}));
    ::PostQuitMessage(7);
    CRecordingTracker tracker;
    EXPECT_TRUE(TrackDragAndDrop(tracker, window.m_hWnd));
    EXPECT_EQ(tracker.events, (std::vector<std::string>{"begin", "end"}));
    MSG quit = {};
    ASSERT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
    EXPECT_EQ(::GetCapture(), nullptr);
}

