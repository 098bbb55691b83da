#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <iterator>
#include <vector>

#include "testing/DialogDriver.h"
#include "testing/MenuDriver.h"
#include "winlib/CommandStateMap.h"
#include "winlib/UniqueMenu.h"
#include "winlib/WindowImpl.h"

namespace {

constexpr UINT kFirst = 101;
constexpr UINT kSecond = 102;
constexpr UINT kThird = 103;
constexpr UINT kUnlisted = 104;

class CStateHost : public CWindowImpl<CStateHost> {
public:
    BEGIN_MESSAGE_MAP(CStateHost)
        CHAIN_MESSAGE_MAP_MEMBER(states)
    END_MESSAGE_MAP()

    CCommandStateMap states;
};

HWND MakeToolbar(HWND parent)
{
    const HWND toolbar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 0, 0,
                                           200, 24, parent, nullptr, nullptr, nullptr);
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBBUTTON buttons[3] = {};
    const UINT ids[] = {kFirst, kSecond, kThird};
    for (int i = 0; i < 3; ++i) {
        buttons[i].iBitmap = I_IMAGENONE;
        buttons[i].idCommand = static_cast<int>(ids[i]);
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON;
        buttons[i].iString = -1;
    }
    ::SendMessageW(toolbar, TB_ADDBUTTONSW, 3, reinterpret_cast<LPARAM>(buttons));
    return toolbar;
}

bool ButtonEnabled(HWND toolbar, UINT id)
{
    return ::SendMessageW(toolbar, TB_ISBUTTONENABLED, id, 0) != 0;
}

bool ButtonChecked(HWND toolbar, UINT id)
{
    return ::SendMessageW(toolbar, TB_ISBUTTONCHECKED, id, 0) != 0;
}

// Searches submenus too, as the popup's items are found by command.
UINT ItemState(HMENU menu, UINT id)
{
    return ::GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED);
}

class CommandStateMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&controls);
        ASSERT_TRUE(host.Create(CreateArgs{.title = L"States", .style = WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                           .rect = {40, 40, 440, 340}}));
    }
    void TearDown() override
    {
        if (::IsWindow(host.m_hWnd))
            ::DestroyWindow(host.m_hWnd);
    }

    // kFirst, a separator, a submenu holding kSecond, kThird and kUnlisted.
    HMENU MakePopup()
    {
        popup.Reset(::CreatePopupMenu());
        const HMENU submenu = ::CreatePopupMenu();
        ::AppendMenuW(popup, MF_STRING, kFirst, L"First");
        ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(submenu, MF_STRING, kSecond, L"Second");
        ::AppendMenuW(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), L"More");
        ::AppendMenuW(popup, MF_STRING, kThird, L"Third");
        ::AppendMenuW(popup, MF_STRING | MF_GRAYED, kUnlisted, L"Unlisted");
        return popup;
    }

    CStateHost host;
    CCommandStateMap& states = host.states;
    UniqueMenu popup;
};

TEST_F(CommandStateMapTest, StatesReachTheButtonsOfEveryRegisteredToolbar)
{
    const HWND early = MakeToolbar(host);
    const HWND late = MakeToolbar(host);
    states.AddEntry(kFirst, CCommandStateMap::MenuItem | CCommandStateMap::ToolBarButton);
    states.AddEntry(kSecond, CCommandStateMap::ToolBarButton);
    states.AddEntry(kThird, CCommandStateMap::MenuItem); // not a button: its buttons stay as they are
    states.AddToolBar(early);
    const struct {
        UINT id;
        bool enable;
        bool check;
        bool buttonEnabled;
        bool buttonChecked;
    } cases[] = {
        {kFirst, false, true, false, true},
        {kSecond, true, true, true, true},
        {kThird, false, true, true, false},
    };
    for (const auto& c : cases) {
        states.Enable(c.id, c.enable);
        states.SetCheck(c.id, c.check);
        EXPECT_EQ(states.IsEnabled(c.id), c.enable) << c.id;
        EXPECT_EQ(states.IsChecked(c.id), c.check) << c.id;
    }
    states.UpdateToolBars();
    // A toolbar registered after the push still gets every state.
    states.AddToolBar(late);
    states.UpdateToolBars();
    for (const HWND toolbar : {early, late}) {
        for (const auto& c : cases) {
            EXPECT_EQ(ButtonEnabled(toolbar, c.id), c.buttonEnabled) << c.id;
            EXPECT_EQ(ButtonChecked(toolbar, c.id), c.buttonChecked) << c.id;
        }
    }

    // A change after the push reaches the buttons at the next push.
    states.Enable(kFirst, true);
    states.SetCheck(kSecond, false);
    states.UpdateToolBars();
    for (const HWND toolbar : {early, late}) {
        EXPECT_TRUE(ButtonEnabled(toolbar, kFirst));
        EXPECT_FALSE(ButtonChecked(toolbar, kSecond));
    }

    // Unknown commands are ignored.
    states.Enable(kUnlisted, true);
    states.SetCheck(kUnlisted, true);
    EXPECT_FALSE(states.HasEntry(kUnlisted));
    EXPECT_FALSE(states.IsEnabled(kUnlisted));
    EXPECT_FALSE(states.IsChecked(kUnlisted));
}

TEST_F(CommandStateMapTest, RuntimeEntriesAreDisabledTogetherAndBuiltInsAreNot)
{
    const HWND toolbar = MakeToolbar(host);
    states.AddToolBar(toolbar);
    const unsigned both = CCommandStateMap::MenuItem | CCommandStateMap::ToolBarButton;
    states.AddEntry(kFirst, both);
    states.AddRuntimeEntry(kFirst, both); // already there: stays built in
    states.AddRuntimeEntry(kSecond, both);
    states.AddRuntimeEntry(kThird, both);
    states.SetCheck(kThird, true);
    states.UpdateToolBars();
    EXPECT_TRUE(ButtonEnabled(toolbar, kSecond));

    states.DisableRuntimeEntries();
    states.UpdateToolBars();
    const struct {
        UINT id;
        bool enabled;
    } cases[] = {{kFirst, true}, {kSecond, false}, {kThird, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(states.IsEnabled(c.id), c.enabled) << c.id;
        EXPECT_EQ(ButtonEnabled(toolbar, c.id), c.enabled) << c.id;
    }
    EXPECT_TRUE(states.IsChecked(kThird)); // only the enabled state goes
}

// Each view's refresh disables its commands and names them again: what the
// buttons already show is not sent again, and what changed back after a push
// is; a toolbar without the button is sent nothing.
TEST_F(CommandStateMapTest, APushSendsOnlyWhatDiffersFromTheButtons)
{
    const HWND toolbar = MakeToolbar(host);
    const HWND stranger = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 30, 200, 24,
                                            host, nullptr, nullptr, nullptr);
    int sent = 0;
    int sentToStranger = 0;
    const SUBCLASSPROC counter = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data) -> LRESULT {
        if (message == TB_ENABLEBUTTON || message == TB_CHECKBUTTON)
            ++*reinterpret_cast<int*>(data);
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    };
    ASSERT_TRUE(::SetWindowSubclass(toolbar, counter, 1, reinterpret_cast<DWORD_PTR>(&sent)));
    ASSERT_TRUE(::SetWindowSubclass(stranger, counter, 1, reinterpret_cast<DWORD_PTR>(&sentToStranger)));
    const unsigned both = CCommandStateMap::MenuItem | CCommandStateMap::ToolBarButton;
    states.AddEntry(kFirst, both);
    states.AddRuntimeEntry(kSecond, both);
    states.AddToolBar(toolbar);
    states.AddToolBar(stranger);
    states.UpdateToolBars();

    const struct {
        const char* change;
        std::function<void()> make;
        int messages;
        bool firstEnabled, firstChecked, secondEnabled;
    } cases[] = {
        {"changed and changed back", [&] { states.Enable(kFirst, false); states.Enable(kFirst, true); }, 0, true,
         false, true},
        {"a refresh naming the same states", [&] { states.DisableRuntimeEntries(); states.Enable(kSecond, true); }, 0,
         true, false, true},
        {"checked", [&] { states.SetCheck(kFirst, true); }, 1, true, true, true},
        {"unchecked after the push", [&] { states.SetCheck(kFirst, false); }, 1, true, false, true},
        {"a refresh that no longer names it", [&] { states.DisableRuntimeEntries(); }, 1, true, false, false},
    };
    for (const auto& c : cases) {
        sent = 0;
        c.make();
        states.UpdateToolBars();
        EXPECT_EQ(sent, c.messages) << c.change;
        EXPECT_EQ(ButtonEnabled(toolbar, kFirst), c.firstEnabled) << c.change;
        EXPECT_EQ(ButtonChecked(toolbar, kFirst), c.firstChecked) << c.change;
        EXPECT_EQ(ButtonEnabled(toolbar, kSecond), c.secondEnabled) << c.change;
    }
    EXPECT_EQ(sentToStranger, 0);
    ::RemoveWindowSubclass(toolbar, counter, 1);
    ::RemoveWindowSubclass(stranger, counter, 1);
}

// The states are set when the menu loop opens the popup, not before, and reach
// the items of its submenus; items of other kinds or without entry stay as they are.
TEST_F(CommandStateMapTest, OpeningAPopupSetsTheStatesOfItsItems)
{
    const HMENU menu = MakePopup();
    states.AddEntry(kFirst, CCommandStateMap::MenuItem);
    states.AddRuntimeEntry(kSecond, CCommandStateMap::MenuItem);
    states.AddEntry(kThird, CCommandStateMap::ToolBarButton);
    states.SetCheck(kFirst, true);
    states.Enable(kSecond, false);
    states.Enable(kThird, false);
    states.UpdateMenu(nullptr);
    EXPECT_EQ(ItemState(menu, kFirst), 0u);

    const struct {
        UINT id;
        UINT state;
    } cases[] = {{kFirst, MF_CHECKED}, {kSecond, MF_GRAYED}, {kThird, 0}, {kUnlisted, MF_GRAYED}};
    std::vector<UINT> whileOpen;
    EXPECT_TRUE(RunMenuSteps(
        {
            [&] {
                if (OpenMenuWindows().size() != 1)
                    return false;
                for (const auto& c : cases)
                    whileOpen.push_back(ItemState(menu, c.id));
                PressKey(host, VK_ESCAPE);
                return true;
            },
            [&] { return OpenMenuWindows().empty(); },
        },
        [&] {
            ::SetForegroundWindow(host);
            ::TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, host, nullptr);
        }));
    ASSERT_EQ(whileOpen.size(), std::size(cases));
    for (size_t i = 0; i < whileOpen.size(); ++i)
        EXPECT_EQ(whileOpen[i], cases[i].state) << cases[i].id;
}

TEST_F(CommandStateMapTest, PaneEntriesSetTheTextsOfTheirPanes)
{
    const HWND statusBar = ::CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                                             0, 0, host, nullptr, nullptr, nullptr);
    const int edges[] = {100, 250, -1};
    ::SendMessageW(statusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    ::SendMessageW(statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"Ready"));
    states.SetStatusBar(statusBar);
    states.AddEntry(1, CCommandStateMap::StatusBarPane);
    states.AddEntry(2, CCommandStateMap::StatusBarPane);
    states.SetText(1, L"Tasks: 3");
    states.SetText(2, L"9:41 AM");
    states.SetText(7, L"nowhere"); // no entry
    states.UpdateStatusBar();

    const struct {
        int pane;
        const wchar_t* text;
    } cases[] = {{0, L"Ready"}, {1, L"Tasks: 3"}, {2, L"9:41 AM"}};
    for (const auto& c : cases) {
        wchar_t text[64] = {};
        ::SendMessageW(statusBar, SB_GETTEXTW, static_cast<WPARAM>(c.pane), reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, c.text) << c.pane;
        EXPECT_EQ(states.GetText(static_cast<UINT>(c.pane)), c.pane == 0 ? L"" : c.text);
    }
    EXPECT_EQ(states.GetText(7), L"");
}

} // namespace
