#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/common/YellowTip.h"

namespace {

// An owner that answers the tip's request as the task list does; T may
// extend the list-view class.
template <class T>
class CTipOwner : public CWindowImpl<T> {
public:
    BEGIN_MESSAGE_MAP(CTipOwner)
        ON_MESSAGE(WM_YELLOWTIP_NEEDTEXT, OnNeedText)
    END_MESSAGE_MAP()

    LRESULT OnNeedText(UINT, WPARAM, LPARAM, bool&)
    {
        ++requests;
        if (answer)
            tip->SetText(answer);
        return 0;
    }

    CYellowTip* tip = nullptr;
    const wchar_t* answer = L"Write the quarterly report";
    int requests = 0;
};

class COwner : public CTipOwner<COwner> {};

class CListOwner : public CTipOwner<CListOwner> {
public:
    static WindowClass GetWindowClass() { return {.name = L"YellowTipTestList", .baseName = WC_LISTVIEWW}; }
};

class YellowTipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.Create(CreateArgs{.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, .rect = {100, 100, 500, 400}}));
    }

    CYellowTip& MakeTip(const YellowTipOptions& options = {})
    {
        tip = std::make_unique<CYellowTip>(options);
        owner.tip = tip.get();
        EXPECT_TRUE(tip->Create(owner));
        return *tip;
    }
    // The rest timer's tick, at once.
    void ShowNow(CYellowTip& hint) { hint.SendMessage(WM_TIMER, CYellowTip::kShowTimer); }

    COwner owner;
    std::unique_ptr<CYellowTip> tip;
};

} // namespace

TEST_F(YellowTipTest, ARestingPointerShowsTheOwnersTextBelowItUntilHidden)
{
    CYellowTip& hint = MakeTip();
    hint.OnMouseMove({40, 60});
    EXPECT_FALSE(hint.IsWindowVisible());
    ASSERT_TRUE(WaitFor([&] { return hint.IsWindowVisible(); }));
    EXPECT_EQ(owner.requests, 1);
    POINT expected = {40, 60 + 21};
    ::ClientToScreen(owner, &expected);
    EXPECT_EQ(hint.GetWindowRect().left, expected.x);
    EXPECT_EQ(hint.GetWindowRect().top, expected.y);
    SaveWindowScreenshot(hint, L"yellow-tip");

    hint.Hide();
    EXPECT_FALSE(hint.IsWindowVisible());
    // Hide also drops a show still pending: no rest timer is left to kill.
    hint.OnMouseMove({41, 60});
    hint.Hide();
    EXPECT_FALSE(::KillTimer(hint, CYellowTip::kShowTimer));
}

TEST_F(YellowTipTest, TheTipGoesBelowOrAboveThePointAndStaysInTheWorkArea)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT work = monitor.rcWork;
    struct Case {
        bool above;
        POINT point; // on the screen
        bool atWorkAreaCorner;
    };
    const Case cases[] = {
        {false, {300, 300}, false},
        {true, {300, 300}, false},
        {false, {work.right - 3, work.bottom - 3}, true},
    };
    for (const Case& c : cases) {
        CYellowTip& hint = MakeTip({.above = c.above, .screenCoordinates = true});
        hint.OnMouseMove(c.point);
        ShowNow(hint);
        ASSERT_TRUE(hint.IsWindowVisible());
        const RECT rect = hint.GetWindowRect();
        if (c.atWorkAreaCorner) {
            EXPECT_EQ(rect.right, work.right);
            EXPECT_EQ(rect.bottom, work.bottom);
        } else {
            EXPECT_EQ(rect.left, c.point.x);
            EXPECT_EQ(rect.top, c.above ? c.point.y - (rect.bottom - rect.top) - 3 : c.point.y + 21);
        }
    }
}

TEST_F(YellowTipTest, NoTextNoTip)
{
    // null: the owner does not answer, and the last tip's text is not shown again
    for (const wchar_t* answer : {L"", static_cast<const wchar_t*>(nullptr)}) {
        CYellowTip& hint = MakeTip();
        hint.SetText(L"an older tip");
        owner.answer = answer;
        owner.requests = 0;
        hint.OnMouseMove({30, 30});
        ShowNow(hint);
        EXPECT_EQ(owner.requests, 1);
        EXPECT_FALSE(hint.IsWindowVisible());
    }
}

TEST_F(YellowTipTest, OverAListsHeaderOrBorderThereIsNoTip)
{
    CListOwner list;
    ASSERT_TRUE(list.Create(CreateArgs{.parent = owner, .style = WS_CHILD | WS_VISIBLE | LVS_REPORT,
                                       .rect = {0, 0, 300, 200}, .id = 5}));
    LVCOLUMNW column = {LVCF_WIDTH, 0, 200, nullptr, 0, 0, 0, 0, 0, 0, 0};
    ListView_InsertColumn(list, 0, &column);
    RECT header = {};
    ::GetWindowRect(ListView_GetHeader(list), &header);
    const int headerHeight = header.bottom - header.top;
    ASSERT_GT(headerHeight, 0);
    CYellowTip hint;
    list.tip = &hint;
    ASSERT_TRUE(hint.Create(list));
    struct Case {
        POINT pointer; // in the list's client area
        bool expectedTip;
    };
    const Case cases[] = {
        {{50, headerHeight / 2}, false},  // the header
        {{50, headerHeight + 2}, false},  // the border below the header
        {{2, headerHeight + 30}, false},  // the left border
        {{50, headerHeight + 30}, true},  // the rows
    };
    for (const Case& c : cases) {
        POINT screen = c.pointer;
        ::ClientToScreen(list, &screen);
        ASSERT_TRUE(::SetCursorPos(screen.x, screen.y));
        ASSERT_TRUE(WaitFor([&] {
            POINT now = {};
            return ::GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
        }));
        list.requests = 0;
        hint.OnMouseMove(c.pointer);
        ShowNow(hint);
        EXPECT_EQ(list.requests, c.expectedTip ? 1 : 0) << c.pointer.y;
        EXPECT_EQ(hint.IsWindowVisible(), c.expectedTip) << c.pointer.y;
        hint.Hide();
    }
}
