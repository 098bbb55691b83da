#include <windows.h>

#include <gtest/gtest.h>

#include <array>

#include "dialogs/TrayPopupWindow.h"
#include "document/model/TimeRange.h"
#include "foundation/Locale.h"
#include "foundation/OleDate.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"

namespace {

using Edges = std::array<LONG, 4>;

Edges EdgesOf(const RECT& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

TEST(PlaceTrayNoticeTest, AboveAShownTaskbarElseInTheWorkAreaCorner)
{
    const RECT screen = {0, 0, 1280, 1024};
    const RECT aboveBottomBar = {0, 0, 1280, 994};
    const struct {
        const char* name;
        bool taskbarShown;
        RECT taskbar;
        RECT workArea;
        RECT notice;
    } cases[] = {
        {"bottom taskbar", true, {0, 994, 1280, 1024}, aboveBottomBar, {1100, 874, 1280, 994}},
        {"hidden taskbar", false, {0, 994, 1280, 1024}, screen, {1100, 904, 1280, 1024}},
        {"taskbar of no size", true, {0, 0, 0, 0}, screen, {1100, 904, 1280, 1024}},
        {"taskbar of no height", true, {0, 1024, 1280, 1024}, screen, {1100, 904, 1280, 1024}},
        {"top taskbar", true, {0, 0, 1280, 30}, {0, 30, 1280, 1024}, {1100, 30, 1280, 150}},
        {"taskbar beyond the screen", true, {0, 1100, 1600, 1130}, screen, {1100, 904, 1280, 1024}},
        {"work area smaller than the notice", false, {}, {0, 0, 100, 100}, {0, 0, 180, 120}},
    };
    for (const auto& test : cases)
        EXPECT_EQ(EdgesOf(PlaceTrayNotice(test.taskbarShown, test.taskbar, test.workArea)), EdgesOf(test.notice))
            << test.name;
}

TEST(TrayNoticeTextTest, HoursAreSingularOnlyWhenTheyRoundToOne)
{
    const EString one = Locale::FormatDecimal(1.0);
    const struct {
        double hours;
        EString text;
    } cases[] = {
        {1.0, L"Call Anna\n " + one + L" hour"},
        {1.04, L"Call Anna\n " + one + L" hour"},
        {1.5, L"Call Anna\n " + Locale::FormatDecimal(1.5) + L" hours"},
        {0.5, L"Call Anna\n " + Locale::FormatDecimal(0.5) + L" hours"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(TrayNoticeText(L"Call Anna", test.hours), test.text) << test.hours;
}

class TrayPopupWindowTest : public testing::Test {
protected:
    void TearDown() override { TrayPopupWindow::Destroy(); }

    static void Tick(UINT_PTR timer) { ::SendMessageW(*TrayPopupWindow::Current(), WM_TIMER, timer, 0); }
};

TEST_F(TrayPopupWindowTest, ShowsAfterTheDelayHidesLaterAndIsReused)
{
    ShowTrayPopup(TimeRange(MakeOleTime(9, 0), MakeOleTime(10, 30), L"Weekly review", L"", 0));
    TrayPopupWindow* notice = TrayPopupWindow::Current();
    ASSERT_NE(notice, nullptr);
    EXPECT_FALSE(notice->IsWindowVisible());
    EXPECT_EQ(notice->Text(), TrayNoticeText(L"Weekly review", 1.5));

    Tick(TrayPopupWindow::kShowTimer);
    EXPECT_TRUE(notice->IsWindowVisible());
    EXPECT_NE(notice->GetExStyle() & WS_EX_TOPMOST, 0u);
    EXPECT_NE(::GetForegroundWindow(), static_cast<HWND>(*notice));
    RECT workArea = {};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const RECT placed = notice->GetWindowRect();
    EXPECT_TRUE(placed.left >= workArea.left && placed.top >= workArea.top && placed.right <= workArea.right &&
                placed.bottom <= workArea.bottom)
        << testing::PrintToString(EdgesOf(placed));
    EXPECT_FALSE(SaveWindowScreenshot(*notice, L"TrayNotice").empty());

    Tick(TrayPopupWindow::kHideTimer);
    EXPECT_FALSE(notice->IsWindowVisible());

    ShowTrayPopup(TimeRange(MakeOleTime(11, 0), MakeOleTime(12, 0), L"Lunch", L"", 0));
    EXPECT_EQ(TrayPopupWindow::Current(), notice);
    Tick(TrayPopupWindow::kShowTimer);
    ::SendMessageW(*notice, WM_CLOSE, 0, 0);
    EXPECT_FALSE(notice->IsWindowVisible());
    EXPECT_EQ(TrayPopupWindow::Current(), notice);
    EXPECT_EQ(notice->Text(), TrayNoticeText(L"Lunch", 1.0));
}

} // namespace
