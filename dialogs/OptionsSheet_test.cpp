// The options sheet driven as a user drives it: tabs clicked, boxes ticked, numbers typed, OK and Cancel pressed.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <prsht.h>

#include <functional>
#include <map>
#include <vector>

#include "dialogs/OptionsSheet.h"
#include "dialogs/testdata/TaskDialogTestSupport.h"
#include "foundation/Options.h"
#include "testing/DialogDriver.h"
#include "testing/WindowShot.h"
#include "winlib/Window.h"

namespace {

// The sheet's own Apply button.
constexpr int kApplyButton = 0x3021;

class OptionsSheetTest : public TaskDialogsTest {};

HWND CurrentPage(HWND sheet)
{
    return reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// A mouse click on the page's tab.
void ClickTab(HWND sheet, int index)
{
    const HWND tabs = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    RECT rect = {};
    ::SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ::PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(tabs, WM_LBUTTONUP, 0, at);
}

// Over the field's selected text from the clipboard, as Ctrl+V puts it: the
// field takes only digits typed, but any text pasted.
void PasteOver(HWND page, int id, const wchar_t* text)
{
    const HWND edit = ::GetDlgItem(page, id);
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    ASSERT_NE(block, nullptr);
    memcpy(::GlobalLock(block), text, bytes);
    ::GlobalUnlock(block);
    ASSERT_TRUE(::OpenClipboard(page));
    ::EmptyClipboard();
    ASSERT_NE(::SetClipboardData(CF_UNICODETEXT, block), nullptr);
    ::CloseClipboard();
    ::SendMessageW(edit, WM_PASTE, 0, 0);
}

// Into the field with its text selected, as a click and a select-all leave it, then typed over.
void TypeOver(HWND page, int id, const wchar_t* text)
{
    const HWND edit = ::GetDlgItem(page, id);
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    TypeText(edit, text);
}

bool IsChecked(HWND page, int id)
{
    return ::IsDlgButtonChecked(page, id) == BST_CHECKED;
}

// Steps that open a page by its tab and wait until it shows.
DialogStep OpenPage(int index)
{
    return [index](HWND sheet) {
        ClickTab(sheet, index);
        return true;
    };
}
// Waits until `page` (a page's window member, set when the sheet makes it) is
// the one shown, then acts on it.
DialogStep OnPage(const HWND& page, std::function<void(HWND)> act)
{
    return [&page, act](HWND sheet) {
        if (!page || CurrentPage(sheet) != page)
            return false;
        act(page);
        return true;
    };
}
// Waits for a condition on the page.
DialogStep Until(const HWND& page, std::function<bool(HWND)> holds)
{
    return [&page, holds](HWND) { return holds(page); };
}
DialogStep Press(int id)
{
    return [id](HWND sheet) {
        ClickCheck(sheet, id);
        return true;
    };
}

// Every value of the settings key, with its type and bytes.
std::map<EString, std::pair<DWORD, std::vector<BYTE>>> ExportOptions()
{
    std::map<EString, std::pair<DWORD, std::vector<BYTE>>> values;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Options::OptionsKeyPath(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256] = {};
        DWORD nameLength = 256;
        BYTE data[2048] = {};
        DWORD dataLength = sizeof(data);
        DWORD type = 0;
        if (::RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &dataLength) != ERROR_SUCCESS)
            break;
        values[name] = {type, std::vector<BYTE>(data, data + dataLength)};
    }
    ::RegCloseKey(key);
    return values;
}

} // namespace

TEST_F(OptionsSheetTest, TheAutomaticCopyIsShownTickedAndStoredInWholeMinutes)
{
    const struct {
        const char* name;
        DWORD stored;
        bool shownTicked;
        const wchar_t* shownMinutes;
        bool tick;                // click the box
        const wchar_t* typed;     // or type this into the minutes and leave them
        const wchar_t* shownLeft; // what the minutes show after leaving
        DWORD written;
        const wchar_t* told; // what OK says of minutes it refuses
    } cases[] = {
        {"off shows ten, ticking stores ten", 0, false, L"10", true, nullptr, nullptr, 10, nullptr},
        {"on, unticked stores none", 25, true, L"25", true, nullptr, nullptr, 0, nullptr},
        {"forty typed", 25, true, L"25", false, L"40", L"40", 40, nullptr},
        {"150 is refused", 25, true, L"25", false, L"150", L"150", 25,
         L"This field holds \"150\". It takes a whole number from 1 to 100. Nothing was saved: correct it and try "
         L"again."},
        {"a fraction pasted is refused, not cut to whole minutes", 25, true, L"25", false, L"1.5", L"1.5", 25,
         L"This field holds \"1.5\". It takes a whole number from 1 to 100. Nothing was saved: correct it and try "
         L"again."},
        {"no number is refused", 25, true, L"25", false, L"", L"", 25,
         L"This field is empty. It takes a whole number from 1 to 100. Nothing was saved: correct it and try again."},
    };
    for (const auto& test : cases) {
        Options::SetAutoSave(test.stored);
        COptionsSheet sheet;
        const HWND& page = sheet.General().m_hWnd;
        EString told;
        std::vector<DialogStep> answer;
        if (test.told)
            answer = {AnswerMessageBox(told, nullptr),
                      Until(page, [](HWND page) { return FocusedItemId(page) == IDC_OPTIONS_AUTOSAVE_MINUTES; }),
                      Press(IDCANCEL)};
        std::vector<DialogStep> steps = {OnPage(page,
                              [&](HWND page) {
                                  EXPECT_EQ(IsChecked(page, IDC_OPTIONS_AUTOSAVE), test.shownTicked) << test.name;
                                  EXPECT_EQ(ItemText(page, IDC_OPTIONS_AUTOSAVE_MINUTES), test.shownMinutes);
                                  for (const int id : {IDC_OPTIONS_AUTOSAVE_MINUTES, IDC_OPTIONS_AUTOSAVE_LABEL})
                                      EXPECT_EQ(IsItemEnabled(page, id), test.shownTicked) << test.name;
                                  if (test.tick)
                                      ClickCheck(page, IDC_OPTIONS_AUTOSAVE);
                                  else {
                                      if (wcschr(test.typed, L'.'))
                                          PasteOver(page, IDC_OPTIONS_AUTOSAVE_MINUTES, test.typed);
                                      else
                                          TypeOver(page, IDC_OPTIONS_AUTOSAVE_MINUTES, test.typed);
                                      // Nothing typed over the selection: Delete empties the field.
                                      if (!test.typed[0])
                                          PressKey(::GetDlgItem(page, IDC_OPTIONS_AUTOSAVE_MINUTES), VK_DELETE);
                                      PressKey(::GetDlgItem(page, IDC_OPTIONS_AUTOSAVE_MINUTES), VK_TAB);
                                  }
                              }),
                       Until(page,
                             [&](HWND page) {
                                 if (test.tick)
                                     return IsItemEnabled(page, IDC_OPTIONS_AUTOSAVE_MINUTES) == !test.shownTicked;
                                 return FocusedItemId(page) != IDC_OPTIONS_AUTOSAVE_MINUTES &&
                                        ItemText(page, IDC_OPTIONS_AUTOSAVE_MINUTES) == test.shownLeft;
                             }),
                       Press(IDOK)};
        steps.insert(steps.end(), answer.begin(), answer.end());
        RunModalSteps([&] { return sheet.DoModal(nullptr); }, steps);
        EXPECT_EQ(Options::GetAutoSave(), test.written) << test.name;
        EXPECT_EQ(told, test.told ? test.told : L"") << test.name;
    }
}

TEST_F(OptionsSheetTest, TheFormatPageChecksTheButtonOfEachStoredFormAndWritesItBack)
{
    const struct {
        DWORD timeFormat;
        int timeButton;
        DWORD timeWritten;
        DWORD startOfWeek;
        int weekButton;
        DWORD weekWritten;
    } cases[] = {
        {0, IDC_FORMAT_TIME_SYSTEM, 0, 0, IDC_FORMAT_WEEK_SYSTEM, 0},
        {1, IDC_FORMAT_TIME_24, 1, 1, IDC_FORMAT_WEEK_SUNDAY, 1},
        {2, IDC_FORMAT_TIME_AMPM, 2, 2, IDC_FORMAT_WEEK_MONDAY, 2},
        {7, IDC_FORMAT_TIME_AMPM, 2, 5, IDC_FORMAT_WEEK_MONDAY, 2},
    };
    for (const auto& test : cases) {
        Options::SetTimeFormat(test.timeFormat);
        Options::SetStartOfWeek(test.startOfWeek);
        Options::SetIsLongDateFormat(1);
        Options::SetIsAutoSatSun(0);
        COptionsSheet sheet;
        const HWND& page = sheet.Format().m_hWnd;
        RunModalSteps(
            [&] { return sheet.DoModal(nullptr); },
            {OpenPage(COptionsSheet::FormatPage),
             OnPage(page,
                    [&](HWND page) {
                        for (const int id : {IDC_FORMAT_TIME_SYSTEM, IDC_FORMAT_TIME_AMPM, IDC_FORMAT_TIME_24})
                            EXPECT_EQ(IsChecked(page, id), id == test.timeButton) << test.timeFormat << " " << id;
                        for (const int id : {IDC_FORMAT_WEEK_SYSTEM, IDC_FORMAT_WEEK_SUNDAY, IDC_FORMAT_WEEK_MONDAY})
                            EXPECT_EQ(IsChecked(page, id), id == test.weekButton) << test.startOfWeek << " " << id;
                        EXPECT_TRUE(IsChecked(page, IDC_FORMAT_DATE_LONG));
                        EXPECT_TRUE(IsChecked(page, IDC_FORMAT_HOLIDAYS_NONE));
                        // The other button of each two-way group, clicked.
                        ClickCheck(page, IDC_FORMAT_DATE_SHORT);
                        ClickCheck(page, IDC_FORMAT_HOLIDAYS_SAT_SUN);
                    }),
             Until(page,
                   [](HWND page) {
                       return IsChecked(page, IDC_FORMAT_DATE_SHORT) && IsChecked(page, IDC_FORMAT_HOLIDAYS_SAT_SUN);
                   }),
             Press(IDOK)});
        EXPECT_EQ(Options::GetTimeFormat(), test.timeWritten) << test.timeFormat;
        EXPECT_EQ(Options::GetStartOfWeek(), test.weekWritten) << test.startOfWeek;
        EXPECT_EQ(Options::GetIsLongDateFormat(), 0u) << test.timeFormat;
        EXPECT_EQ(Options::GetIsAutoSatSun(), 1u) << test.timeFormat;
    }
}

// What is typed is written as typed: leaving a field shows it as understood
// (one decimal of hours, the clock's form of a time), which changes nothing.
TEST_F(OptionsSheetTest, ThePlanPageWritesTheHoursAndTheWorkingDayAsTyped)
{
    const struct {
        const char* name;
        const wchar_t* hours;
        const wchar_t* dayBegin;
        const wchar_t* hoursShown;
        double hoursWritten;
        const wchar_t* dayBeginWritten;
    } cases[] = {
        {"a decimal comma", L"7,5", L"7:30", L"7.5", 7.5, L"07:30"},
        {"hundredths of an hour are kept", L"6.25", L"14:05", L"6.3", 6.25, L"14:05"},
        {"a time with a point", L"9", L"7.30", L"9", 9, L"07:30"},
        {"a short time", L"24", L"745", L"24", 24, L"07:45"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        Options::SetRegularHours(8);
        Options::SetDayBegin(L"09:00");
        COptionsSheet sheet;
        const HWND& page = sheet.Plan().m_hWnd;
        RunModalSteps([&] { return sheet.DoModal(nullptr); },
                      {OpenPage(COptionsSheet::PlanPage),
                       OnPage(page,
                              [&](HWND page) {
                                  EXPECT_EQ(ItemText(page, IDC_PLAN_REGULAR_HOURS), L"8");
                                  TypeOver(page, IDC_PLAN_REGULAR_HOURS, test.hours);
                                  PressKey(::GetDlgItem(page, IDC_PLAN_REGULAR_HOURS), VK_TAB);
                              }),
                       Until(page, [](HWND page) { return FocusedItemId(page) != IDC_PLAN_REGULAR_HOURS; }),
                       OnPage(page,
                              [&](HWND page) {
                                  EXPECT_EQ(ItemText(page, IDC_PLAN_REGULAR_HOURS), test.hoursShown);
                                  TypeOver(page, IDC_PLAN_DAY_BEGIN, test.dayBegin);
                              }),
                       Until(page, [&](HWND page) { return ItemText(page, IDC_PLAN_DAY_BEGIN) == test.dayBegin; }),
                       Press(IDOK)});
        EXPECT_DOUBLE_EQ(Options::GetRegularHours(), test.hoursWritten);
        EXPECT_EQ(Options::GetDayBegin(), test.dayBeginWritten);
    }
}

// A value that cannot be taken is refused in words, whichever page OK was
// pressed on: nothing of its page is written, and the field keeps its text.
TEST_F(OptionsSheetTest, APageWhoseFieldCannotBeReadKeepsTheSheetOpenOnItSaysWhyAndWritesNothingOfIt)
{
    const EString tooLong(300, L'x');
    const struct {
        const char* name;
        int pageIndex;
        int field;
        int otherField; // changed beside it
        const wchar_t* typed;
        const wchar_t* mended;
        const wchar_t* told;
    } cases[] = {
        {"days out of range", COptionsSheet::PlanPage, IDC_PLAN_DEADLINE_DAYS, IDC_PLAN_SOUND, L"150", L"5",
         L"The field \"Deadline of a new task, in days from today\" holds \"150\". It takes a whole number from -10 "
         L"to 100. Nothing was saved: correct it and try again."},
        {"hours more than a day", COptionsSheet::PlanPage, IDC_PLAN_REGULAR_HOURS, IDC_PLAN_SOUND, L"30", L"6",
         L"The field \"Regular working hours per day\" holds \"30\". It takes a number from 0.1 to 24. Nothing was "
         L"saved: correct it and try again."},
        {"hours that are no number", COptionsSheet::PlanPage, IDC_PLAN_REGULAR_HOURS, IDC_PLAN_SOUND, L"abc", L"6",
         L"The field \"Regular working hours per day\" holds \"abc\". It takes a number from 0.1 to 24. Nothing was "
         L"saved: correct it and try again."},
        {"a beginning that is no time", COptionsSheet::PlanPage, IDC_PLAN_DAY_BEGIN, IDC_PLAN_SOUND, L"soon", L"8:15",
         L"The field \"The working day begins at\" holds \"soon\". It takes a time of day, such as 09:30. Nothing "
         L"was saved: correct it and try again."},
        {"a beginning past the day", COptionsSheet::PlanPage, IDC_PLAN_DAY_BEGIN, IDC_PLAN_SOUND, L"25:00", L"8:15",
         L"The field \"The working day begins at\" holds \"25:00\". It takes a time of day, such as 09:30. Nothing "
         L"was saved: correct it and try again."},
        {"a path too long", COptionsSheet::TemplatesPage, IDC_TEMPLATES_SCRIPT_EDITOR, IDC_TEMPLATES_REPORT_EDITOR,
         tooLong.c_str(), L"C:\\editor.exe",
         L"The field \"Program that edits scripts\" holds 300 characters, but it keeps at most 260. Nothing was saved: shorten "
         L"the text and try again."},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        Options::SetDeadlinePeriod(2);
        Options::SetPlanSound(L"C:\\old");
        Options::SetReportEditor(L"C:\\old");
        Options::SetOpenRecentOnStartup(0);
        Options::SetRegularHours(8);
        Options::SetDayBegin(L"09:00");
        COptionsSheet sheet;
        const HWND& page = test.pageIndex == COptionsSheet::PlanPage ? sheet.Plan().m_hWnd : sheet.Templates().m_hWnd;
        const HWND& general = sheet.General().m_hWnd;
        EString told;
        const INT_PTR result = RunModalSteps(
            [&] { return sheet.DoModal(nullptr); },
            {OpenPage(test.pageIndex),
             OnPage(page,
                    [&](HWND page) {
                        SetItemText(page, test.otherField, L"C:\\new");
                        TypeOver(page, test.field, test.typed);
                    }),
             // OK pressed on another page: the sheet turns back to the page at fault.
             OpenPage(COptionsSheet::GeneralPage),
             OnPage(general, [](HWND page) { ClickCheck(page, IDC_OPTIONS_OPEN_RECENT); }),
             Until(general, [](HWND page) { return IsChecked(page, IDC_OPTIONS_OPEN_RECENT); }), Press(IDOK),
             AnswerMessageBox(told, test.field == IDC_PLAN_DAY_BEGIN ? L"OptionsPlanPageRefused" : nullptr),
             OnPage(page,
                    [&](HWND page) {
                        EXPECT_EQ(FocusedItemId(page), test.field);
                        EXPECT_TRUE(CWindow(::GetDlgItem(page, test.field)).GetWindowText() == test.typed);
                        EXPECT_EQ(Options::GetDeadlinePeriod(), 2u);
                        EXPECT_EQ(Options::GetPlanSound(), L"C:\\old");
                        EXPECT_EQ(Options::GetReportEditor(), L"C:\\old");
                        EXPECT_DOUBLE_EQ(Options::GetRegularHours(), 8);
                        EXPECT_EQ(Options::GetDayBegin(), L"09:00");
                        TypeOver(page, test.field, test.mended);
                    }),
             Until(page, [&](HWND page) { return ItemText(page, test.field) == test.mended; }), Press(IDOK)});
        EXPECT_EQ(result, 1);
        EXPECT_EQ(told, test.told);
        EXPECT_EQ(Options::GetOpenRecentOnStartup(), 1u);
        if (test.pageIndex == COptionsSheet::PlanPage) {
            EXPECT_EQ(Options::GetPlanSound(), L"C:\\new");
            EXPECT_EQ(Options::GetDeadlinePeriod(), test.field == IDC_PLAN_DEADLINE_DAYS ? 5u : 2u);
            EXPECT_DOUBLE_EQ(Options::GetRegularHours(), test.field == IDC_PLAN_REGULAR_HOURS ? 6 : 8);
            EXPECT_EQ(Options::GetDayBegin(), test.field == IDC_PLAN_DAY_BEGIN ? L"08:15" : L"09:00");
        } else {
            EXPECT_EQ(Options::GetScriptEditor(), L"C:\\editor.exe");
            EXPECT_EQ(Options::GetReportEditor(), L"C:\\new");
        }
    }
}

TEST_F(OptionsSheetTest, CancelAfterEditsOnEveryPageLeavesTheSettingsAsTheyWere)
{
    Options::SetAutoSave(0);
    Options::SetPlanSound(L"C:\\bell.wav");
    Options::SetRegularHours(7.5);
    Options::SetScriptEditor(L"C:\\notes.exe");
    const auto before = ExportOptions();
    COptionsSheet sheet;
    const HWND& general = sheet.General().m_hWnd;
    const HWND& format = sheet.Format().m_hWnd;
    const HWND& plan = sheet.Plan().m_hWnd;
    const HWND& templates = sheet.Templates().m_hWnd;
    const INT_PTR result = RunModalSteps(
        [&] { return sheet.DoModal(nullptr); },
        {OnPage(general, [](HWND page) { ClickCheck(page, IDC_OPTIONS_AUTOSAVE); }),
         Until(general, [](HWND page) { return IsChecked(page, IDC_OPTIONS_AUTOSAVE); }),
         OpenPage(COptionsSheet::FormatPage), OnPage(format, [](HWND page) { ClickCheck(page, IDC_FORMAT_TIME_AMPM); }),
         Until(format, [](HWND page) { return IsChecked(page, IDC_FORMAT_TIME_AMPM); }),
         OpenPage(COptionsSheet::PlanPage), OnPage(plan, [](HWND page) { TypeOver(page, IDC_PLAN_REGULAR_HOURS, L"4"); }),
         Until(plan, [](HWND page) { return ItemText(page, IDC_PLAN_REGULAR_HOURS) == L"4"; }),
         OpenPage(COptionsSheet::TemplatesPage),
         OnPage(templates, [](HWND page) { TypeOver(page, IDC_TEMPLATES_SCRIPT_EDITOR, L"C:\\other.exe"); }),
         Until(templates, [](HWND page) { return ItemText(page, IDC_TEMPLATES_SCRIPT_EDITOR) == L"C:\\other.exe"; }),
         Press(IDCANCEL)});
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ExportOptions(), before);
}

TEST_F(OptionsSheetTest, OnlyTheUsersEditsEnableApply)
{
    COptionsSheet sheet;
    const HWND& plan = sheet.Plan().m_hWnd;
    RunModalSteps([&] { return sheet.DoModal(nullptr); },
                  {OpenPage(COptionsSheet::TemplatesPage), OpenPage(COptionsSheet::PlanPage),
                   // Every page but Format has filled its fields by now.
                   OnPage(plan,
                          [](HWND page) {
                              EXPECT_FALSE(IsItemEnabled(::GetParent(page), kApplyButton));
                              TypeText(::GetDlgItem(page, IDC_PLAN_DAY_BEGIN), L"1");
                          }),
                   Until(plan, [](HWND page) { return IsItemEnabled(::GetParent(page), kApplyButton); }),
                   Press(IDCANCEL)});
}

TEST_F(OptionsSheetTest, TheLanguageListStartsWithAutomaticAndSelectsTheStoredLanguageWhenItHasAFile)
{
    const struct {
        DWORD stored;
        const wchar_t* shown;
    } cases[] = {{0, L"Automatic"}, {0x04090009, L"English"}, {0x19, L"" /* no file */}};
    for (const auto& test : cases) {
        Options::SetUiLanguage(test.stored);
        COptionsSheet sheet;
        RunModalSteps([&] { return sheet.DoModal(nullptr); },
                      {OnPage(sheet.General().m_hWnd,
                              [&](HWND page) {
                                  EXPECT_EQ(ItemText(page, IDC_OPTIONS_LANGUAGE), test.shown) << test.stored;
                                  EXPECT_EQ(::SendDlgItemMessageW(page, IDC_OPTIONS_LANGUAGE, CB_GETITEMDATA, 0, 0), 0);
                              }),
                       Press(IDOK)});
        EXPECT_EQ(Options::GetUiLanguage(), test.stored & 0xFFFF) << test.stored;
    }
}

TEST_F(OptionsSheetTest, EachPageLooksRight)
{
    COptionsSheet sheet;
    const wchar_t* names[] = {L"OptionsGeneral", L"OptionsFormat", L"OptionsPlan", L"OptionsTemplates"};
    const HWND* pages[] = {&sheet.General().m_hWnd, &sheet.Format().m_hWnd, &sheet.Plan().m_hWnd,
                           &sheet.Templates().m_hWnd};
    std::vector<DialogStep> steps;
    for (int index = 0; index < 4; ++index) {
        steps.push_back(OpenPage(index));
        steps.push_back(OnPage(*pages[index], [&, index](HWND page) {
            EXPECT_FALSE(SaveWindowScreenshot(::GetParent(page), names[index]).empty());
        }));
    }
    steps.push_back(Press(IDCANCEL));
    RunModalSteps([&] { return sheet.DoModal(nullptr); }, steps);
}

TEST_F(OptionsSheetTest, ASoundChosenWithBrowseFillsItsFieldAndLeavesWhatWasTypedInTheOthers)
{
    const EString sound = MakeScratchFolder(L"options_sound") + L"\\bell.wav";
    WriteFileBytes(sound, "RIFF");
    COptionsSheet sheet;
    const HWND& plan = sheet.Plan().m_hWnd;
    RunModalSteps([&] { return sheet.DoModal(nullptr); },
                  {OpenPage(COptionsSheet::PlanPage),
                   OnPage(plan,
                          [](HWND page) {
                              TypeOver(page, IDC_PLAN_DEADLINE_DAYS, L"7");
                              ClickCheck(page, IDC_PLAN_SOUND_BROWSE);
                          }),
                   [&](HWND sheetWindow) {
                       // The open-file dialog over the sheet: its file name typed, then Open.
                       const HWND chooser = FindThreadDialog();
                       if (!chooser || chooser == sheetWindow)
                           return false;
                       HWND name = ::GetDlgItem(chooser, cmb13);
                       if (!name)
                           name = ::GetDlgItem(chooser, edt1);
                       ::SetWindowTextW(name, sound.c_str());
                       ClickCheck(chooser, IDOK);
                       return true;
                   },
                   Until(plan, [&](HWND page) { return ItemText(page, IDC_PLAN_SOUND) == sound; }),
                   OnPage(plan, [](HWND page) { EXPECT_EQ(ItemText(page, IDC_PLAN_DEADLINE_DAYS), L"7"); }),
                   Press(IDOK)});
    EXPECT_EQ(Options::GetPlanSound(), sound);
    EXPECT_EQ(Options::GetDeadlinePeriod(), 7u);
}
