#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "dialogs/testdata/EveryFieldDialog.h"
#include "foundation/Clock.h"
#include "foundation/Language.h"
#include "foundation/Log.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "foundation/RegistryKey.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "winlib/MessageLoop.h"
#include "winlib/Window.h"

namespace {

const wchar_t kName[] = L"EveryFieldDialog";

class ZemDialogImplTest : public testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&controls);
        ClearProgramRegistry();
        Options::SetTimeFormat(1); // a 24-hour clock whatever the machine's locale
        Resource::Dictionary().Clear();
        ASSERT_TRUE(Resource::Load(SourcePath(L"dialogs/testdata/Language/Test.txt")));
        dialog.name = L"DaysLabel"; // a key, and still no text to translate
        dialog.days = 12;
        dialog.done = 1;
        dialog.deadline = MakeOleDateTime(2024, 3, 1, 9, 30);
        dialog.start = MakeOleTime(14, 5);
        dialog.hours = 7.5;
        dialog.kind = 20;
        dialog.level = 2;
        dialog.colour = RGB(0x12, 0x34, 0x56);
    }
    void TearDown() override
    {
        Resource::Dictionary().Clear();
        ClearProgramRegistry();
    }

    CEveryFieldDialog dialog;
};

SYSTEMTIME PickedTime(HWND dialog)
{
    SYSTEMTIME time = {};
    ::SendDlgItemMessageW(dialog, IDC_DEADLINE, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return time;
}

LRESULT Selection(HWND dialog, int id)
{
    return ::SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void StoreRect(const RECT& rect)
{
    Options::WriteDword(kName, L"Left", static_cast<DWORD>(rect.left));
    Options::WriteDword(kName, L"Top", static_cast<DWORD>(rect.top));
    Options::WriteDword(kName, L"Right", static_cast<DWORD>(rect.right));
    Options::WriteDword(kName, L"Bottom", static_cast<DWORD>(rect.bottom));
}

// A dialog whose own map still claims WM_INITDIALOG, as dialogs once had to.
class CClaimingDialog : public CEveryFieldDialog {
public:
    BEGIN_MESSAGE_MAP(CClaimingDialog)
        ON_MESSAGE(WM_INITDIALOG, OnInitMessage)
        CHAIN_MESSAGE_MAP(CEveryFieldDialog)
    END_MESSAGE_MAP()
    LRESULT OnInitMessage(UINT, WPARAM, LPARAM, bool&) { return TRUE; }
};

// Counts the keys the loop offers it.
class CCountingDialog : public CEveryFieldDialog {
public:
    bool PreTranslateMessage(MSG* message) override
    {
        ++offered;
        return CEveryFieldDialog::PreTranslateMessage(message);
    }
    int offered = 0;
};

// Tab from the control, through the loop as the program's loop runs it: whether the loop took it.
bool TabThroughLoop(CMessageLoop& loop, HWND control)
{
    ::SetFocus(control);
    EXPECT_TRUE(WaitFor([&] { return ::GetFocus() == control; }));
    MSG tab = {control, WM_KEYDOWN, VK_TAB, 1, 0, {}};
    return loop.PreTranslateMessage(&tab);
}

RECT SavedRect()
{
    return {static_cast<LONG>(Options::ReadDword(kName, L"Left", 0)), static_cast<LONG>(Options::ReadDword(kName, L"Top", 0)),
            static_cast<LONG>(Options::ReadDword(kName, L"Right", 0)),
            static_cast<LONG>(Options::ReadDword(kName, L"Bottom", 0))};
}

} // namespace

TEST_F(ZemDialogImplTest, EveryKindOfFieldGoesIntoItsControlAndBack)
{
    const INT_PTR result = RunModalSteps(
        [&] { return dialog.DoModal(nullptr); },
        {[&](HWND hwnd) {
             EXPECT_EQ(ItemText(hwnd, IDC_NAME), L"DaysLabel");
             EXPECT_EQ(ItemText(hwnd, IDC_DAYS), L"12");
             EXPECT_EQ(::IsDlgButtonChecked(hwnd, IDC_DONE), BST_CHECKED);
             const SYSTEMTIME picked = PickedTime(hwnd);
             EXPECT_EQ(picked.wYear, 2024);
             EXPECT_EQ(picked.wMonth, 3);
             EXPECT_EQ(picked.wDay, 1);
             EXPECT_EQ(ItemText(hwnd, IDC_START), L"14:05");
             EXPECT_EQ(ItemText(hwnd, IDC_HOURS), L"7.5");
             EXPECT_EQ(Selection(hwnd, IDC_KIND), 1);
             EXPECT_EQ(Selection(hwnd, IDC_LEVEL), 2);
             EXPECT_EQ(ItemText(hwnd, IDC_COLOUR), L"123456");
             EXPECT_TRUE(::SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0) != 0);

             SetItemText(hwnd, IDC_NAME, L"Renamed");
             SetItemText(hwnd, IDC_DAYS, L"-10");
             ::CheckDlgButton(hwnd, IDC_DONE, BST_UNCHECKED);
             SYSTEMTIME newDate = {2025, 12, 0, 31, 16, 45, 0, 0};
             ::SendDlgItemMessageW(hwnd, IDC_DEADLINE, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&newDate));
             SetItemText(hwnd, IDC_START, L"7.30");
             SetItemText(hwnd, IDC_HOURS, L"23,5");
             ::SendDlgItemMessageW(hwnd, IDC_KIND, CB_SETCURSEL, 2, 0);
             ::SendDlgItemMessageW(hwnd, IDC_LEVEL, CB_SETCURSEL, 0, 0);
             SetItemText(hwnd, IDC_COLOUR, L"ff0000");
             return true;
         },
         [&](HWND hwnd) {
             EXPECT_FALSE(SaveWindowScreenshot(hwnd, L"EveryFieldDialog").empty());
             // Enter in a field presses the default button.
             PressKey(::GetDlgItem(hwnd, IDC_NAME), VK_RETURN);
             return true;
         }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.name, L"Renamed");
    EXPECT_EQ(dialog.days, -10);
    EXPECT_EQ(dialog.done, 0);
    EXPECT_DOUBLE_EQ(dialog.deadline, MakeOleDateTime(2025, 12, 31, 16, 45));
    EXPECT_DOUBLE_EQ(dialog.start, MakeOleTime(7, 30));
    EXPECT_DOUBLE_EQ(dialog.hours, 23.5);
    EXPECT_EQ(dialog.kind, 30);
    EXPECT_EQ(dialog.level, 0);
    EXPECT_EQ(dialog.colour, RGB(255, 0, 0));
}

TEST_F(ZemDialogImplTest, ADialogsOwnMapCannotKeepTheInitialisationFromTheBase)
{
    CClaimingDialog claiming;
    claiming.days = 12;
    claiming.kind = 20;
    RunModalSteps([&] { return claiming.DoModal(nullptr); },
                  {[&](HWND hwnd) {
                      EXPECT_EQ(CWindow(hwnd).GetWindowText(), L"Every field, translated");
                      EXPECT_EQ(ItemText(hwnd, IDC_DAYS), L"12");
                      EXPECT_EQ(Selection(hwnd, IDC_KIND), 1); // filled by the hook before the load
                      EXPECT_TRUE(::SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0) != 0);
                      EXPECT_TRUE(CWindow(hwnd).GetStyle() & WS_CLIPCHILDREN);
                      EXPECT_FALSE(SaveWindowScreenshot(hwnd, L"ClaimingDialog").empty());
                      ClickButton(hwnd, IDCANCEL);
                      return true;
                  }});
}

TEST_F(ZemDialogImplTest, ADialogThatCannotFillItsControlsDoesNotOpenAndKeepsItsSavedRectangle)
{
    const RECT stored = {100, 120, 100 + 500, 120 + 400};
    StoreRect(stored);
    const size_t logStart = ReadFileBytes(GetLogFilePath()).size();
    dialog.failToFill = true;
    EXPECT_EQ(RunModalExpectingNoDialog([&] { return dialog.DoModal(nullptr); }), -1);
    EXPECT_TRUE(SameRect(SavedRect(), stored));
    EXPECT_NE(ReadFileBytes(GetLogFilePath()).find("EXCEPTION in WM_INITDIALOG: 0x80004005: The kinds could not be read.",
                                                   logStart),
              std::string::npos);
}

// Other readings of the fields (a field left, a button of the dialog's own)
// stand in no user's way with a message.
TEST_F(ZemDialogImplTest, ATextTooLongIsToldInWordsWhenOkReadsTheFieldsAndOnlyThen)
{
    EString told;
    const INT_PTR result = RunModalSteps([&] { return dialog.DoModal(nullptr); },
                                         {[&](HWND hwnd) {
                                              SetItemText(hwnd, IDC_NAME, EString(21, L'n').c_str());
                                              EXPECT_FALSE(dialog.DoDataExchange(true));
                                              EXPECT_EQ(FindThreadDialog(), hwnd) << "no message";
                                              EXPECT_EQ(dialog.name, L"DaysLabel");
                                              ClickButton(hwnd, IDOK);
                                              return true;
                                          },
                                          AnswerMessageBox(told, nullptr),
                                          [&](HWND hwnd) {
                                              if (FindThreadDialog() != hwnd || FocusedItemId(hwnd) != IDC_NAME)
                                                  return false;
                                              SetItemText(hwnd, IDC_NAME, L"Short");
                                              ClickButton(hwnd, IDOK);
                                              return true;
                                          }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(told, L"The field \"Name\" holds 21 characters, but it keeps at most 20. Nothing was saved: shorten "
                    L"the text and try again.");
    EXPECT_EQ(dialog.name, L"Short");
}

// A value that cannot be read is never stored as 0, midnight or black: OK
// keeps the dialog open on its field, says in words what it holds and what
// it takes, and the text stays as typed for the user to mend.
TEST_F(ZemDialogImplTest, AValueThatCannotBeTakenIsRefusedInWordsOnOkAndKeptAsTyped)
{
    // A long paste: the readers' own tables take one of 100,000 characters,
    // which Wine's edit control needs seconds for each time it is shown.
    const EString pasted(2000, L'7');
    const wchar_t kTimeTakes[] = L"It takes a time of day, such as 09:30. Nothing was saved: correct it and try again.";
    const wchar_t kHoursTakes[] = L"It takes a number from 0 to 24. Nothing was saved: correct it and try again.";
    const wchar_t kDaysTakes[] = L"It takes a whole number from -10 to 100. Nothing was saved: correct it and try again.";
    const struct {
        int field;
        EString typed;
        EString told;
        const wchar_t* mended;
    } cases[] = {
        {IDC_START, L"10:5358 PM", EString(L"This field holds \"10:5358 PM\". ") + kTimeTakes, L"22:15"},
        {IDC_START, L"25:00", EString(L"This field holds \"25:00\". ") + kTimeTakes, L"22:15"},
        {IDC_START, L"abc", EString(L"This field holds \"abc\". ") + kTimeTakes, L"22:15"},
        {IDC_START, L"", EString(L"This field is empty. ") + kTimeTakes, L"22:15"},
        {IDC_START, L"9:30\x01\x1B", EString(L"This field holds \"9:30??\". ") + kTimeTakes, L"22:15"},
        {IDC_START, pasted, L"This field holds \"" + EString(40, L'7') + L"\u2026\". " + kTimeTakes, L"22:15"},
        {IDC_HOURS, L"25", EString(L"This field holds \"25\". ") + kHoursTakes, L"5"},
        {IDC_HOURS, L"letters", EString(L"This field holds \"letters\". ") + kHoursTakes, L"5"},
        {IDC_HOURS, L"3.25h", EString(L"This field holds \"3.25h\". ") + kHoursTakes, L"5"},
        {IDC_HOURS, L"", EString(L"This field is empty. ") + kHoursTakes, L"5"},
        {IDC_DAYS, L"abc", EString(L"The field \"Days\" holds \"abc\". ") + kDaysTakes, L"50"},
        {IDC_DAYS, L"101", EString(L"The field \"Days\" holds \"101\". ") + kDaysTakes, L"50"},
        {IDC_COLOUR, L"zz", L"This field holds \"zz\". It takes a colour as six hexadecimal digits of red, green and "
                            L"blue, such as FF0000 for red. Nothing was saved: correct it and try again.",
         L"FF0000"},
    };
    bool firstShot = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.field << " " << c.typed.Left(20).c_str());
        CEveryFieldDialog refusing;
        refusing.days = 12;
        refusing.start = MakeOleTime(14, 5);
        refusing.hours = 7.5;
        refusing.colour = RGB(0x12, 0x34, 0x56);
        EString told;
        const INT_PTR result = RunModalSteps(
            [&] { return refusing.DoModal(nullptr); },
            {[&](HWND hwnd) {
                 SetItemText(hwnd, IDC_NAME, L"Kept");
                 SetItemText(hwnd, c.field, c.typed.c_str());
                 ClickButton(hwnd, IDOK);
                 return true;
             },
             AnswerMessageBox(told, firstShot ? L"EveryFieldDialogValueRefused" : nullptr),
             [&](HWND hwnd) {
                 if (FindThreadDialog() != hwnd || FocusedItemId(hwnd) != c.field)
                     return false;
                 EXPECT_TRUE(CWindow(::GetDlgItem(hwnd, c.field)).GetWindowText() == c.typed) << "the typed text stays";
                 EXPECT_EQ(refusing.days, 12);
                 EXPECT_DOUBLE_EQ(refusing.start, MakeOleTime(14, 5));
                 EXPECT_DOUBLE_EQ(refusing.hours, 7.5);
                 EXPECT_EQ(refusing.colour, RGB(0x12, 0x34, 0x56));
                 if (firstShot) {
                     EXPECT_FALSE(SaveWindowScreenshot(hwnd, L"EveryFieldDialogRefused").empty());
                 }
                 // The refused text is selected: typing replaces it.
                 const HWND field = ::GetDlgItem(hwnd, c.field);
                 TypeText(field, c.mended);
                 PressKey(field, VK_RETURN);
                 return true;
             }});
        firstShot = false;
        EXPECT_EQ(result, IDOK);
        EXPECT_TRUE(told == c.told) << told.c_str();
        EXPECT_EQ(refusing.name, L"Kept");
        EXPECT_EQ(refusing.days, c.field == IDC_DAYS ? 50 : 12);
        EXPECT_DOUBLE_EQ(refusing.start, c.field == IDC_START ? MakeOleTime(22, 15) : MakeOleTime(14, 5));
        EXPECT_DOUBLE_EQ(refusing.hours, c.field == IDC_HOURS ? 5.0 : 7.5);
        EXPECT_EQ(refusing.colour, c.field == IDC_COLOUR ? RGB(255, 0, 0) : RGB(0x12, 0x34, 0x56));
    }
}

TEST_F(ZemDialogImplTest, CancelTakesNoFieldAndTextsAreTranslatedButNotTheData)
{
    const INT_PTR result = RunModalSteps([&] { return dialog.DoModal(nullptr); },
                                         {[&](HWND hwnd) {
                                              EXPECT_EQ(CWindow(hwnd).GetWindowText(), L"Every field, translated");
                                              EXPECT_EQ(ItemText(hwnd, IDC_NAME_LABEL), L"Name:");
                                              EXPECT_EQ(ItemText(hwnd, IDC_DONE), L"Done");
                                              EXPECT_EQ(ItemText(hwnd, IDCANCEL), L"Drop");
                                              EXPECT_EQ(ItemText(hwnd, IDOK), L"OK"); // no line for it
                                              EXPECT_EQ(ItemText(hwnd, IDC_NOTES), L"NotesKey");
                                              EXPECT_EQ(ItemText(hwnd, IDC_NAME), L"DaysLabel");
                                              SetItemText(hwnd, IDC_NAME, L"Dropped");
                                              ClickButton(hwnd, IDCANCEL);
                                              return true;
                                          }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dialog.name, L"DaysLabel");
}

TEST_F(ZemDialogImplTest, ResizingKeepsTheAnchorsAndTheOpeningSizeIsTheMinimum)
{
    RunModalSteps([&] { return dialog.DoModal(nullptr); },
                  {[&](HWND hwnd) {
                      const RECT window = CWindow(hwnd).GetWindowRect();
                      const RECT name = ItemRect(hwnd, IDC_NAME);
                      const RECT notes = ItemRect(hwnd, IDC_NOTES);
                      const RECT ok = ItemRect(hwnd, IDOK);
                      const RECT days = ItemRect(hwnd, IDC_DAYS);
                      ::SetWindowPos(hwnd, nullptr, 0, 0, window.right - window.left + 80, window.bottom - window.top + 60,
                                     SWP_NOMOVE | SWP_NOZORDER);
                      EXPECT_EQ(ItemRect(hwnd, IDC_NAME).right, name.right + 80);
                      EXPECT_EQ(ItemRect(hwnd, IDC_NAME).bottom, name.bottom);
                      EXPECT_EQ(ItemRect(hwnd, IDC_NOTES).right, notes.right + 80);
                      EXPECT_EQ(ItemRect(hwnd, IDC_NOTES).bottom, notes.bottom + 60);
                      EXPECT_EQ(ItemRect(hwnd, IDOK).left, ok.left + 80);
                      EXPECT_EQ(ItemRect(hwnd, IDOK).top, ok.top);
                      EXPECT_TRUE(SameRect(ItemRect(hwnd, IDC_DAYS), days));
                      EXPECT_FALSE(SaveWindowScreenshot(hwnd, L"EveryFieldDialogResized").empty());

                      MINMAXINFO info = {};
                      ::SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
                      EXPECT_EQ(info.ptMinTrackSize.x, window.right - window.left);
                      EXPECT_EQ(info.ptMinTrackSize.y, window.bottom - window.top);
                      EXPECT_TRUE(CWindow(hwnd).GetStyle() & WS_CLIPCHILDREN);
                      ClickButton(hwnd, IDCANCEL);
                      return true;
                  }});
}

TEST_F(ZemDialogImplTest, ReopensAtItsSavedRectangle)
{
    RECT opened = {};
    const RECT moved = {100, 120, 100 + 500, 120 + 400};
    RunModalSteps([&] { return dialog.DoModal(nullptr); },
                  {[&](HWND hwnd) {
                      opened = CWindow(hwnd).GetWindowRect();
                      CWindow(hwnd).SetWindowPos(nullptr, moved, SWP_NOZORDER);
                      ClickButton(hwnd, IDCANCEL);
                      return true;
                  }});
    EXPECT_TRUE(SameRect(SavedRect(), moved));

    CEveryFieldDialog again;
    RunModalSteps([&] { return again.DoModal(nullptr); },
                  {[&](HWND hwnd) {
                      if (!SameRect(CWindow(hwnd).GetWindowRect(), moved))
                          return false;
                      ClickButton(hwnd, IDOK);
                      return true;
                  }});

    // A caller may keep the dialog where its resource puts it.
    CEveryFieldDialog unrestored;
    unrestored.m_restoreRect = false;
    // A posted restore runs before the first step's timer tick: none came.
    RunModalSteps([&] { return unrestored.DoModal(nullptr); },
                  {[&](HWND hwnd) {
                      EXPECT_TRUE(SameRect(CWindow(hwnd).GetWindowRect(), opened));
                      ClickButton(hwnd, IDCANCEL);
                      return true;
                  }});
    // It still saves where it was at the close.
    EXPECT_TRUE(SameRect(SavedRect(), opened));

    // Only the stored sides are taken: without "Left" the current left edge stays.
    StoreRect(moved);
    {
        RegistryKey key;
        ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, (EString(Options::AppKeyPath()) + L"\\" + kName).c_str(),
                             KEY_READ | KEY_WRITE));
        key.DeleteValue(L"Left");
    }
    CEveryFieldDialog partly;
    RunModalSteps([&] { return partly.DoModal(nullptr); },
                  {[&](HWND hwnd) {
                      const RECT now = CWindow(hwnd).GetWindowRect();
                      if (now.top != moved.top)
                          return false;
                      EXPECT_EQ(now.left, opened.left);
                      EXPECT_EQ(now.right, moved.right);
                      EXPECT_EQ(now.bottom, moved.bottom);
                      ClickButton(hwnd, IDCANCEL);
                      return true;
                  }});
}

TEST_F(ZemDialogImplTest, AModelessDialogHidesOnOkAndCancelAndKeepsItsValues)
{
    ASSERT_TRUE(dialog.Create(nullptr));
    dialog.ShowWindow(SW_SHOW);
    SetItemText(dialog, IDC_NAME, L"Typed");
    ClickButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return !dialog.IsWindowVisible(); }));
    EXPECT_TRUE(dialog.IsWindow());
    EXPECT_EQ(dialog.name, L"DaysLabel");
    EXPECT_TRUE(SameRect(SavedRect(), dialog.GetWindowRect())); // written at every hide

    dialog.ShowWindow(SW_SHOW);
    EXPECT_EQ(ItemText(dialog, IDC_NAME), L"Typed");
    ClickButton(dialog, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !dialog.IsWindowVisible(); }));
    EXPECT_EQ(dialog.name, L"Typed");

    // Escape reaches it through the message loop's filter, as in the program.
    dialog.ShowWindow(SW_SHOW);
    CMessageLoop loop;
    loop.AddMessageFilter(&dialog);
    PressKey(::GetDlgItem(dialog, IDC_DAYS), VK_ESCAPE);
    ::PostQuitMessage(0);
    loop.Run();
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_TRUE(dialog.IsWindow());
}

TEST_F(ZemDialogImplTest, ModelessDialogsTakeTheirOwnKeysFromTheLoopOnlyWhileFocused)
{
    CMessageLoop loop;
    loop.Register();
    CEveryFieldDialog other;
    ASSERT_TRUE(dialog.Create(nullptr));
    ASSERT_TRUE(other.Create(nullptr));
    dialog.ShowWindow(SW_SHOW);
    other.ShowWindow(SW_SHOW);
    for (CEveryFieldDialog* shown : {&dialog, &other}) {
        const HWND name = ::GetDlgItem(*shown, IDC_NAME);
        EXPECT_TRUE(TabThroughLoop(loop, name));
        EXPECT_NE(::GetFocus(), name) << "Tab moves on";
        EXPECT_TRUE(::IsChild(*shown, ::GetFocus())) << "within the window of the key";
    }
    MSG stray = {::GetDlgItem(dialog, IDC_NAME), WM_KEYDOWN, VK_TAB, 1, 0, {}};
    EXPECT_FALSE(loop.PreTranslateMessage(&stray)) << "shown, the focus in the other";
    other.DestroyWindow();
    dialog.DestroyWindow();
}

TEST_F(ZemDialogImplTest, AModelessDialogGoneIsNoLongerOfferedKeys)
{
    CMessageLoop loop;
    loop.Register();
    CCountingDialog counted;
    ASSERT_TRUE(counted.Create(nullptr));
    MSG key = {nullptr, WM_KEYDOWN, VK_TAB, 1, 0, {}};
    loop.PreTranslateMessage(&key);
    EXPECT_EQ(counted.offered, 1) << "while its window exists";
    counted.DestroyWindow();
    loop.PreTranslateMessage(&key);
    EXPECT_EQ(counted.offered, 1) << "after its window went";
}

TEST_F(ZemDialogImplTest, OneExchangeOfADialogClassRunsAtATime)
{
    CEveryFieldDialog other;
    ASSERT_TRUE(other.Create(nullptr));
    ASSERT_TRUE(dialog.Create(nullptr));
    dialog.exchangeOnChange = &other;
    dialog.name = L"Changed";
    EXPECT_TRUE(dialog.DoDataExchange(false, IDC_NAME));
    // The other dialog's exchange was refused while this one ran.
    EXPECT_EQ(dialog.nestedResults, std::vector<bool>{false});
    dialog.exchangeOnChange = nullptr;
    EXPECT_TRUE(other.DoDataExchange(true));
}
