#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <climits>
#include <vector>

#include "foundation/Color.h"
#include "foundation/Options.h"
#include "foundation/WindowState.h"
#include "testing/TestSupport.h"

namespace {

const wchar_t kDialogKey[] = L"TestDialogState";

RECT MakeRect(LONG left, LONG top, LONG right, LONG bottom)
{
    return RECT{left, top, right, bottom};
}

RECT PrimaryMonitorArea()
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcMonitor;
}

RECT WindowRect(HWND window)
{
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    return rect;
}

void ExpectRect(const RECT& actual, const RECT& expected, const char* what)
{
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.right, expected.right) << what;
    EXPECT_EQ(actual.bottom, expected.bottom) << what;
}

void StoreRect(const RECT& rect)
{
    Options::WriteDword(kDialogKey, L"Left", static_cast<DWORD>(rect.left));
    Options::WriteDword(kDialogKey, L"Top", static_cast<DWORD>(rect.top));
    Options::WriteDword(kDialogKey, L"Right", static_cast<DWORD>(rect.right));
    Options::WriteDword(kDialogKey, L"Bottom", static_cast<DWORD>(rect.bottom));
}

RECT StoredRect()
{
    return MakeRect(static_cast<LONG>(Options::ReadDword(kDialogKey, L"Left", 0)),
                    static_cast<LONG>(Options::ReadDword(kDialogKey, L"Top", 0)),
                    static_cast<LONG>(Options::ReadDword(kDialogKey, L"Right", 0)),
                    static_cast<LONG>(Options::ReadDword(kDialogKey, L"Bottom", 0)));
}

class WindowStateTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        m_window = ::CreateWindowExW(0, L"STATIC", L"placement", WS_OVERLAPPED | WS_CAPTION, 100, 120, 300, 200,
                                     nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(m_window, nullptr);
    }

    void TearDown() override
    {
        ::DestroyWindow(m_window);
        ClearProgramRegistry();
    }

    HWND m_window = nullptr;
};

} // namespace

TEST_F(WindowStateTest, SavedRectangleComesBack)
{
    WindowState::SaveWindowRect(kDialogKey, m_window);
    ExpectRect(StoredRect(), MakeRect(100, 120, 400, 320), "saved");

    ::SetWindowPos(m_window, nullptr, 10, 20, 50, 60, SWP_NOZORDER | SWP_NOACTIVATE);
    WindowState::RestoreWindowRect(kDialogKey, m_window);
    ExpectRect(WindowRect(m_window), MakeRect(100, 120, 400, 320), "restored");
}

TEST_F(WindowStateTest, RestoreWithoutSavedValuesKeepsTheWindowWhereItIs)
{
    WindowState::RestoreWindowRect(kDialogKey, m_window);
    ExpectRect(WindowRect(m_window), MakeRect(100, 120, 400, 320), "unchanged");

    // Only some sides stored: the others stay.
    Options::WriteDword(kDialogKey, L"Left", 50);
    WindowState::RestoreWindowRect(kDialogKey, m_window);
    ExpectRect(WindowRect(m_window), MakeRect(50, 120, 400, 320), "left side only");
}

TEST_F(WindowStateTest, RectangleFromAMissingMonitorReturnsWithItsSize)
{
    const RECT monitor = PrimaryMonitorArea();
    struct Case {
        const char* what;
        RECT stored, expected;
    } cases[] = {
        {"right of the screen", MakeRect(monitor.right + 500, 100, monitor.right + 800, 300),
         MakeRect(monitor.right - 300, 100, monitor.right, 300)},
        {"left of the screen", MakeRect(-2000, 50, -1700, 250), MakeRect(monitor.left, 50, monitor.left + 300, 250)},
        {"below the screen", MakeRect(10, monitor.bottom + 40, 310, monitor.bottom + 240),
         MakeRect(10, monitor.bottom - 200, 310, monitor.bottom)},
    };
    for (const Case& c : cases) {
        StoreRect(c.stored);
        WindowState::RestoreWindowRect(kDialogKey, m_window);
        ExpectRect(WindowRect(m_window), c.expected, c.what);
    }
}

TEST_F(WindowStateTest, AStoredSizeThatCannotBeShownLeavesTheWindowWhereItOpened)
{
    const LONG screenWidth = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const LONG screenHeight = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const struct {
        const char* what;
        RECT stored;
    } cases[] = {
        {"no width", MakeRect(50, 60, 50, 300)},
        {"no height", MakeRect(50, 60, 300, 60)},
        {"negative width", MakeRect(300, 60, 50, 300)},
        {"negative height", MakeRect(50, 300, 300, 60)},
        {"wider than the screens", MakeRect(0, 10, screenWidth + 1, 210)},
        {"taller than the screens", MakeRect(10, 0, 310, screenHeight + 1)},
        {"sides far apart", MakeRect(LONG_MIN, 10, LONG_MAX, 210)},
    };
    for (const auto& c : cases) {
        StoreRect(c.stored);
        WindowState::RestoreWindowRect(kDialogKey, m_window);
        ExpectRect(WindowRect(m_window), MakeRect(100, 120, 400, 320), c.what);
    }
}

TEST_F(WindowStateTest, AMinimisedOrMaximisedWindowSavesItsNormalRectangle)
{
    for (const int state : {SW_MINIMIZE, SW_MAXIMIZE}) {
        ClearProgramRegistry();
        ::ShowWindow(m_window, state);
        ASSERT_TRUE(state == SW_MINIMIZE ? ::IsIconic(m_window) : ::IsZoomed(m_window)) << state;
        WindowState::SaveWindowRect(kDialogKey, m_window);
        ::ShowWindow(m_window, SW_RESTORE);
        ::ShowWindow(m_window, SW_HIDE);
        ExpectRect(StoredRect(), MakeRect(100, 120, 400, 320), state == SW_MINIMIZE ? "minimised" : "maximised");
    }
}

TEST_F(WindowStateTest, NullWindowIsIgnored)
{
    WindowState::SaveWindowRect(kDialogKey, nullptr);
    WindowState::RestoreWindowRect(kDialogKey, nullptr);
    EXPECT_EQ(Options::ReadDword(kDialogKey, L"Left", 12345), 12345u);
}

TEST(FitRectToMonitorTest, MovesWithoutResizing)
{
    const RECT monitor = PrimaryMonitorArea();
    const LONG width = monitor.right - monitor.left;
    const LONG height = monitor.bottom - monitor.top;
    struct Case {
        const char* what;
        RECT rect, expected;
    } cases[] = {
        {"inside", MakeRect(10, 10, 110, 60), MakeRect(10, 10, 110, 60)},
        {"past the right edge", MakeRect(width - 50, 10, width + 50, 60), MakeRect(width - 100, 10, width, 60)},
        {"past the top", MakeRect(10, -30, 110, 20), MakeRect(10, 0, 110, 50)},
        {"wider than the screen", MakeRect(200, 10, 200 + width + 100, 60), MakeRect(0, 10, width + 100, 60)},
        {"taller than the screen", MakeRect(10, 100, 110, 100 + height + 10), MakeRect(10, 0, 110, height + 10)},
        {"far away", MakeRect(50000, 50000, 50100, 50040),
         MakeRect(monitor.right - 100, monitor.bottom - 40, monitor.right, monitor.bottom)},
    };
    for (const Case& c : cases)
        ExpectRect(FitRectToMonitor(c.rect), c.expected, c.what);
}

class ColumnWidthsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&classes);
        m_parent = ::CreateWindowExW(0, L"STATIC", L"list parent", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr,
                                     nullptr, ::GetModuleHandleW(nullptr), nullptr);
        m_list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 500, 300, m_parent,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(m_list, nullptr);
        const int widths[] = {50, 60, 70};
        for (int column = 0; column < 3; ++column) {
            LVCOLUMNW info = {};
            info.mask = LVCF_WIDTH | LVCF_TEXT;
            info.cx = widths[column];
            info.pszText = const_cast<wchar_t*>(L"column");
            ListView_InsertColumn(m_list, column, &info);
        }
    }

    void TearDown() override
    {
        ::DestroyWindow(m_parent);
        ClearProgramRegistry();
    }

    std::vector<int> Widths() const
    {
        std::vector<int> widths;
        for (int column = 0; column < 3; ++column)
            widths.push_back(ListView_GetColumnWidth(m_list, column));
        return widths;
    }

    HWND m_parent = nullptr;
    HWND m_list = nullptr;
};

TEST_F(ColumnWidthsTest, NothingChangesUntilWidthsWereSaved)
{
    WindowState::RestoreColumnWidths(L"TasksList", m_list, 3);
    EXPECT_EQ(Widths(), (std::vector<int>{50, 60, 70}));

    for (int column = 0; column < 3; ++column)
        Options::WriteDword(L"PaneState", Options::FormatIndexedKey(L"ColTasksList_", column).c_str(), 0);
    WindowState::RestoreColumnWidths(L"TasksList", m_list, 3);
    EXPECT_EQ(Widths(), (std::vector<int>{50, 60, 70}));
}

TEST_F(ColumnWidthsTest, SavedWidthsComeBackPerList)
{
    WindowState::SaveColumnWidths(L"TasksList", m_list, 3);
    EXPECT_EQ(Options::ReadDword(L"PaneState", L"ColTasksList_0", 0), 50u);
    EXPECT_EQ(Options::ReadDword(L"PaneState", L"ColTasksList_2", 0), 70u);

    for (int column = 0; column < 3; ++column)
        ListView_SetColumnWidth(m_list, column, 100);
    WindowState::RestoreColumnWidths(L"TasksList", m_list, 3);
    EXPECT_EQ(Widths(), (std::vector<int>{50, 60, 70}));

    // Another list's widths and a partly saved list.
    Options::WriteDword(L"PaneState", L"ColPlanEntriesList_1", 90);
    WindowState::RestoreColumnWidths(L"PlanEntriesList", m_list, 3);
    EXPECT_EQ(Widths(), (std::vector<int>{50, 90, 70}));
}

TEST(ColorTest, DarkBelowAComponentSumOf444)
{
    struct Case {
        COLORREF color;
        bool dark;
    } cases[] = {
        {Color::SelectedItemFill(), true},   // 32 + 96 + 144 = 272
        {Color::HolidayBackground(), false}, // 612
        {RGB(148, 148, 148), false},         // 444
        {RGB(148, 148, 147), true},          // 443
        {RGB(0, 0, 0), true},
        {Color::White(), false},
        {RGB(255, 0, 0), true},
        {Color::GridGray(), false}, // 468
        {Color::LightRed(), false}, // 573
    };
    for (const Case& c : cases)
        EXPECT_EQ(Color::IsDark(c.color), c.dark) << std::hex << c.color;
}
