#include <gtest/gtest.h>

#include <vector>

#include "testing/DialogDriver.h"
#include "testing/MenuDriver.h"
#include "testing/TestMenus.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "winlib/CommandBar.h"
#include "winlib/CommandBarTestSupport.h"
#include "winlib/FrameWindowImpl.h"
#include "winlib/UniqueMenu.h"

namespace {

using namespace TestMenu;

// The bar straight in the frame, the test toolbar hidden.
class CBarFrame : public CCommandBarTestFrame<CBarFrame, CCommandBar> {
public:
    static CreateArgs Placement() { return {.title = L"Bar", .rect = {40, 40, 440, 240}}; }
    HWND BarParent() { return m_hWnd; }
    void PlaceBars()
    {
        ::ShowWindow(toolbar, SW_HIDE);
        m_hWndToolBar = bar;
    }
};

using CommandBarTest = CommandBarFixture<CBarFrame>;

} // namespace

TEST_F(CommandBarTest, TitlesAreThePopupsOfTheMenu)
{
    ASSERT_EQ(::SendMessageW(frame.bar, TB_BUTTONCOUNT, 0, 0), 3);
    const wchar_t* expected[] = {L"&File", L"&Edit", L"&View"};
    for (int i = 0; i < 3; ++i) {
        const WPARAM id = static_cast<WPARAM>(0xFF00 + i);
        const auto length = ::SendMessageW(frame.bar, TB_GETBUTTONTEXTW, id, 0);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        ::SendMessageW(frame.bar, TB_GETBUTTONTEXTW, id, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        EXPECT_EQ(text, expected[i]);
    }
}

TEST_F(CommandBarTest, ItemsTakeTheImagesOfTheToolbarButtons)
{
    EXPECT_EQ(frame.bar.Images().GetImageCount(), 4);
    EXPECT_EQ(frame.bar.ImageOf(kNew), 0);
    EXPECT_EQ(frame.bar.ImageOf(kPaste), 3); // a disabled button's image too
    EXPECT_EQ(frame.bar.ImageOf(kExit), -1);
}

TEST_F(CommandBarTest, AltMnemonicOpensRightMovesEscCloses)
{
    EXPECT_TRUE(RunMenuSteps({
        [&] {
            PressAltKey(frame, 'F');
            return true;
        },
        OpenIs(0),
        Key(VK_RIGHT),
        OpenIs(1),
        Key(VK_LEFT),
        OpenIs(0),
        Key(VK_LEFT), // round to the last title
        OpenIs(2),
        Key(VK_ESCAPE),
        OpenIs(-1),
    }));
    // Esc goes back to the title, as a menu bar does; a second Esc leaves the bar.
    ASSERT_FALSE(ActivationTaken());
    EXPECT_TRUE(frame.bar.InKeyboardMode());
    frame.bar.SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(frame.bar.InKeyboardMode());
    EXPECT_TRUE(frame.commands.empty());
}

TEST_F(CommandBarTest, LeftAndRightSkipADisabledTitle)
{
    ::SendMessageW(frame.bar, TB_ENABLEBUTTON, 0xFF01, FALSE);
    EXPECT_TRUE(RunMenuSteps({
        [&] {
            PressAltKey(frame, 'F');
            return true;
        },
        OpenIs(0),
        Key(VK_RIGHT),
        OpenIs(2),
        Key(VK_LEFT),
        OpenIs(0),
        Key(VK_ESCAPE),
        OpenIs(-1),
    }));
}

TEST_F(CommandBarTest, RightOnAnItemWithSubmenuOpensTheSubmenu)
{
    EXPECT_TRUE(RunMenuSteps({
        [&] {
            PressAltKey(frame, 'E');
            return true;
        },
        OpenIs(1),
        Key(VK_UP), // round to "More"
        [&] { return frame.selected == 2; },
        Key(VK_RIGHT),
        [&] { return OpenMenuWindows().size() == 2 && frame.bar.OpenMenuIndex() == 1; },
        Key(VK_LEFT), // closes the submenu only
        [&] { return OpenMenuWindows().size() == 1 && frame.bar.OpenMenuIndex() == 1; },
        Key(VK_ESCAPE),
        OpenIs(-1),
    }));
}

TEST_F(CommandBarTest, AltAloneMakesTheFirstTitleHot)
{
    // Alt or F10 alone, as the system reports it to the frame.
    frame.SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
    ASSERT_TRUE(frame.bar.InKeyboardMode());
    EXPECT_EQ(::SendMessageW(frame.bar, TB_GETHOTITEM, 0, 0), 0);
    EXPECT_TRUE(frame.bar.KeyboardCuesShown());
    const struct {
        UINT key;
        LRESULT hot;
    } moves[] = {{VK_RIGHT, 1}, {VK_RIGHT, 2}, {VK_RIGHT, 0}, {VK_LEFT, 2}, {VK_LEFT, 1}};
    for (const auto& move : moves) {
        frame.bar.SendMessage(WM_KEYDOWN, move.key);
        EXPECT_EQ(::SendMessageW(frame.bar, TB_GETHOTITEM, 0, 0), move.hot);
    }
    frame.bar.SendMessage(WM_KEYDOWN, VK_DOWN);
    EXPECT_TRUE(RunMenuSteps({OpenIs(1), Key(VK_ESCAPE), OpenIs(-1)}));
    ASSERT_FALSE(ActivationTaken());
    // Back on its title; Alt again leaves the bar.
    ASSERT_TRUE(frame.bar.InKeyboardMode());
    EXPECT_EQ(::SendMessageW(frame.bar, TB_GETHOTITEM, 0, 0), 1);
    frame.bar.SendMessage(WM_SYSKEYDOWN, VK_MENU, 1 << 29);
    EXPECT_FALSE(frame.bar.InKeyboardMode());
    EXPECT_EQ(::SendMessageW(frame.bar, TB_GETHOTITEM, 0, 0), -1);
}

TEST_F(CommandBarTest, ChosenItemsReachTheFrameAsCommands)
{
    EXPECT_TRUE(RunMenuSteps({
        [&] {
            PressAltKey(frame, 'F');
            return true;
        },
        OpenIs(0),
        [&] { return frame.selected == kNew; }, // opened from the keyboard: the first item is selected
        Key(VK_RETURN),
        OpenIs(-1),
        // The mnemonic of an item chooses it.
        [&] {
            PressAltKey(frame, 'V');
            return true;
        },
        OpenIs(2),
        Key('S'),
        OpenIs(-1),
    }));
    EXPECT_TRUE(WaitFor([&] { return frame.commands.size() == 2; }));
    EXPECT_EQ(frame.commands, (std::vector<UINT>{kNew, kStatusBar}));
}

// A letter typed in an open menu, answered as the system answers for its own
// menus: a single enabled item of the letter is chosen, of several the next
// after the selection is selected, disabled ones are passed over, and a
// letter of disabled items only closes the menu.
TEST_F(CommandBarTest, ALetterChoosesItsOnlyItemAndSelectsTheNextOfSeveral)
{
    const struct {
        const wchar_t* text;
        bool disabled;
    } items[] = {
        {L"E&xport...", true}, {L"E&xit", false},   {L"&Save\tCtrl+S", false}, {L"Save &As...", false},
        {L"&Send", false},     {L"&Print", true},   {L"&Sort", false},         {L"&Q&&A", false},
    };
    const UniqueMenu popup(::CreatePopupMenu());
    for (UINT i = 0; i < std::size(items); ++i)
        ::AppendMenuW(popup, MF_STRING | (items[i].disabled ? MF_GRAYED : 0), 500 + i, items[i].text);
    // The bar draws the items of a popup once it opens.
    frame.bar.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.Get()), 0);
    const struct {
        wchar_t key;
        int selected; // -1: none
        WORD answer;
        int position;
    } cases[] = {
        {L'x', -1, MNC_EXECUTE, 1}, // the disabled Export is passed over
        {L'X', -1, MNC_EXECUTE, 1},
        {L'a', 2, MNC_EXECUTE, 3},
        {L'q', -1, MNC_EXECUTE, 7},
        {L's', -1, MNC_SELECT, 2},
        {L's', 2, MNC_SELECT, 4},
        {L's', 3, MNC_SELECT, 4},
        {L's', 4, MNC_SELECT, 6}, // past the disabled Print
        {L's', 6, MNC_SELECT, 2}, // round to the first
        {L'S', 6, MNC_SELECT, 2},
        {L'p', -1, MNC_CLOSE, 0},
        {L'z', 1, MNC_IGNORE, 0},
        {L'&', -1, MNC_IGNORE, 0}, // "&&" is an ampersand, not a letter
    };
    for (const auto& c : cases) {
        for (UINT i = 0; i < std::size(items); ++i) {
            MENUITEMINFOW state = {};
            state.cbSize = sizeof(state);
            state.fMask = MIIM_STATE;
            state.fState = (items[i].disabled ? MFS_GRAYED : 0u) | (static_cast<int>(i) == c.selected ? MFS_HILITE : 0u);
            ::SetMenuItemInfoW(popup, i, TRUE, &state);
        }
        const LRESULT answer =
            frame.bar.SendMessage(WM_MENUCHAR, MAKEWPARAM(c.key, MF_POPUP), reinterpret_cast<LPARAM>(popup.Get()));
        EXPECT_EQ(HIWORD(answer), c.answer) << static_cast<char>(c.key) << " after " << c.selected;
        EXPECT_EQ(LOWORD(answer), c.position) << static_cast<char>(c.key) << " after " << c.selected;
    }
}

// Through the system's menu loop: the bar's answer, not the first item of
// the letter, decides.
TEST_F(CommandBarTest, ADisabledItemOfTheLetterIsPassedOverInTheMenuLoop)
{
    const UINT exportCommand = 104;
    const HMENU file = ::GetSubMenu(frame.bar.GetMenu(), 0);
    ::InsertMenuW(file, 2, MF_BYPOSITION | MF_STRING | MF_GRAYED, exportCommand, L"E&xport...");
    EXPECT_TRUE(RunMenuSteps({
        [&] {
            PressAltKey(frame, 'F');
            return true;
        },
        OpenIs(0),
        [&] {
            EXPECT_FALSE(SaveWindowScreenshot(OpenMenuWindows().front(), L"commandbar_menu_shared_letter").IsEmpty());
            return true;
        },
        Key('X'),
        OpenIs(-1),
    }));
    EXPECT_TRUE(WaitFor([&] { return frame.commands == std::vector<UINT>{kExit}; }));
    // The items have their texts back.
    wchar_t text[32] = {};
    ::GetMenuStringW(file, kExit, text, 32, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"E&xit");
}

TEST_F(CommandBarTest, ContextMenuReturnsTheChosenCommand)
{
    const HMENU edit = ::GetSubMenu(frame.bar.GetMenu(), 1);
    UINT chosen = 0;
    EXPECT_TRUE(RunMenuSteps(
        {
            [&] { return OpenMenuWindows().size() == 1; },
            Key(VK_DOWN),
            [&] { return frame.selected == kCopy; },
            Key(VK_RETURN),
            [&] { return OpenMenuWindows().empty(); },
        },
        [&] { chosen = frame.bar.TrackPopupMenu(edit, TPM_RETURNCMD | TPM_RIGHTBUTTON, 100, 100); }));
    EXPECT_EQ(chosen, kCopy);
    // Returned, not sent: a marker posted now is the first command to arrive.
    const UINT marker = 999;
    frame.PostMessage(WM_COMMAND, marker);
    EXPECT_TRUE(WaitFor([&] { return !frame.commands.empty(); }));
    EXPECT_EQ(frame.commands, std::vector<UINT>{marker});
    // The items are the menu's own again.
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoW(edit, 0, TRUE, &info);
    EXPECT_EQ(info.fType & MFT_OWNERDRAW, 0u);
}

TEST_F(CommandBarTest, ContextMenuWithoutReturnSendsTheCommand)
{
    const HMENU file = ::GetSubMenu(frame.bar.GetMenu(), 0);
    EXPECT_TRUE(RunMenuSteps({[&] { return OpenMenuWindows().size() == 1; }, Key('O'),
                              [&] { return OpenMenuWindows().empty(); }},
                             [&] { frame.bar.TrackPopupMenu(file, 0, 100, 100); }));
    EXPECT_TRUE(WaitFor([&] { return frame.commands == std::vector<UINT>{kOpen}; }));
}

TEST_F(CommandBarTest, KeysOfAFocusedChildReachTheBarThroughTheMessageFilter)
{
    const HWND child = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 40, 100, 20, frame, nullptr,
                                         nullptr, nullptr);
    ::SetFocus(child);
    MSG altDown = {child, WM_SYSKEYDOWN, VK_MENU, 1 << 29, 0, {0, 0}};
    MSG altUp = {child, WM_SYSKEYUP, VK_MENU, (1 << 29) | (3u << 30), 0, {0, 0}};
    EXPECT_FALSE(frame.bar.PreTranslateMessage(&altDown));
    EXPECT_TRUE(frame.bar.PreTranslateMessage(&altUp));
    EXPECT_TRUE(frame.bar.InKeyboardMode());
    frame.bar.LeaveKeyboardMode();
    EXPECT_EQ(::GetFocus(), child);

    // F10 as well; its press is kept from the system, which would beep.
    MSG f10Down = {child, WM_SYSKEYDOWN, VK_F10, 0, 0, {0, 0}};
    MSG f10Up = {child, WM_SYSKEYUP, VK_F10, 3u << 30, 0, {0, 0}};
    EXPECT_TRUE(frame.bar.PreTranslateMessage(&f10Down));
    EXPECT_TRUE(frame.bar.PreTranslateMessage(&f10Up));
    EXPECT_TRUE(frame.bar.InKeyboardMode());
    frame.bar.LeaveKeyboardMode();

    // Alt that came with another key is no menu key.
    MSG otherKey = {child, WM_SYSKEYDOWN, 'A', 1 << 29, 0, {0, 0}};
    EXPECT_FALSE(frame.bar.PreTranslateMessage(&altDown));
    EXPECT_FALSE(frame.bar.PreTranslateMessage(&otherKey));
    EXPECT_FALSE(frame.bar.PreTranslateMessage(&altUp));
    EXPECT_FALSE(frame.bar.InKeyboardMode());

    // Alt with a letter that is no title's mnemonic is left to the system.
    MSG other = {child, WM_SYSCHAR, 'q', 1 << 29, 0, {0, 0}};
    EXPECT_FALSE(frame.bar.PreTranslateMessage(&other));
    // A window outside the frame is none of the bar's business.
    MSG outside = {::GetDesktopWindow(), WM_SYSCHAR, 'e', 1 << 29, 0, {0, 0}};
    EXPECT_FALSE(frame.bar.PreTranslateMessage(&outside));

    MSG mnemonic = {child, WM_SYSCHAR, 'E', 1 << 29, 0, {0, 0}};
    EXPECT_TRUE(frame.bar.PreTranslateMessage(&mnemonic));
    EXPECT_TRUE(RunMenuSteps({OpenIs(1), Key(VK_ESCAPE), OpenIs(-1)}));
}

namespace {

// Records how the bar asks the system to track, and answers with a command.
class CRecordingBar : public CCommandBar {
public:
    UINT RunTracking(HMENU, UINT flags, int, int, const TPMPARAMS*, int titleIndex) override
    {
        trackedFlags = flags;
        trackedTitle = titleIndex;
        ::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &animationWhileTracking, 0);
        return answer;
    }
    UINT trackedFlags = 0;
    int trackedTitle = 0;
    BOOL animationWhileTracking = FALSE;
    UINT answer = 0;
};

} // namespace

TEST_F(CommandBarTest, MenusNeverAnimateAndTheSystemSettingIsLeftAlone)
{
    CRecordingBar bar;
    ASSERT_TRUE(bar.Create(frame));
    BOOL animation = FALSE;
    ::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &animation, 0);
    const UniqueMenu popup(::CreatePopupMenu());
    ::AppendMenuW(popup, MF_STRING, kCopy, L"&Copy");
    bar.answer = kCopy;

    EXPECT_EQ(bar.TrackPopupMenu(popup, TPM_RETURNCMD | TPM_VERPOSANIMATION | TPM_RIGHTBUTTON, 0, 0), kCopy);
    EXPECT_EQ(bar.trackedFlags, static_cast<UINT>(TPM_RETURNCMD | TPM_NOANIMATION | TPM_RIGHTBUTTON));
    EXPECT_EQ(bar.trackedTitle, -1);
    EXPECT_EQ(bar.animationWhileTracking, animation);

    // Without TPM_RETURNCMD the command goes to the frame.
    EXPECT_EQ(bar.TrackPopupMenu(popup, TPM_HORNEGANIMATION, 0, 0), 1u);
    EXPECT_EQ(bar.trackedFlags, static_cast<UINT>(TPM_RETURNCMD | TPM_NOANIMATION));
    EXPECT_TRUE(WaitFor([&] { return frame.commands == std::vector<UINT>{kCopy}; }));
}

TEST_F(CommandBarTest, ClickOpensATitleAndTheMouseMovesToAnother)
{
    auto titleCentre = [&](int index) {
        RECT rect = {};
        ::SendMessageW(frame.bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    };
    auto moveTo = [&](int index, UINT message) {
        const POINT client = titleCentre(index);
        POINT screen = client;
        ::ClientToScreen(frame.bar, &screen);
        ::SetCursorPos(screen.x, screen.y);
        ::PostMessageW(frame.bar, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                       MAKELPARAM(client.x, client.y));
    };
    EXPECT_TRUE(RunMenuSteps({
        [&] {
            moveTo(0, WM_LBUTTONDOWN);
            moveTo(0, WM_LBUTTONUP);
            return true;
        },
        OpenIs(0),
        [&] {
            moveTo(2, WM_MOUSEMOVE);
            return true;
        },
        OpenIs(2),
        Key(VK_ESCAPE),
        OpenIs(-1),
    }));
    // Opened by the mouse: Esc leaves the bar altogether.
    EXPECT_FALSE(frame.bar.InKeyboardMode());
    EXPECT_TRUE(frame.commands.empty());
}

TEST_F(CommandBarTest, FrameClosedThroughItsOwnMessagesTakesTheBarAlong)
{
    // WM_CLOSE passes the bar's hook on the frame while the frame and the bar are destroyed.
    const HWND window = frame;
    const HWND bar = frame.bar;
    frame.SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_FALSE(::IsWindow(bar));
}
