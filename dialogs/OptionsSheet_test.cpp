// The options sheet driven as a user drives it: tabs clicked, boxes ticked, numbers typed, OK and Cancel pressed.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <map>
#include <vector>

#include "dialogs/OptionsSheet.h"
#include "dialogs/testdata/TaskDialogTestSupport.h"
#include "foundation/Options.h"
#include "testing/DialogDriver.h"
#include "testing/WindowShot.h"

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
        const wchar_t* typed;     // then type this into the minutes and leave them
        const wchar_t* shownLeft; // what the minutes show after leaving
        DWORD written;
    } cases[] = {
        {"off shows ten, ticking stores ten", 0, false, L"10", true, nullptr, nullptr, 10},
        {"on, unticked stores none", 25, true, L"25", true, nullptr, nullptr, 0},
        {"forty typed", 25, true, L"25", false, L"40", L"40", 40},
        {"150 is refused", 25, true, L"25", false, L"150", L"25", 25},
        {"no number is refused", 25, true, L"25", false, L"", L"25", 25},
    };
    for (const auto& test : cases) {
        Options::SetAutoSave(test.stored);
        COptionsSheet sheet;
        HWND page = nullptr;
        RunModalSteps([&] { return sheet.DoModal(nullptr); },
                      {[&](HWND) {
                           page = sheet.General().m_hWnd;
                           if (!page)
                               return false;
                           EXPECT_EQ(IsChecked(page, IDC_OPTIONS_AUTOSAVE), test.shownTicked) << test.name;
                           EXPECT_EQ(ItemText(page, IDC_OPTIONS_AUTOSAVE_MINUTES), test.shownMinutes) << test.name;
                           EXPECT_EQ(IsItemEnabled(page, IDC_OPTIONS_AUTOSAVE_MINUTES), test.shownTicked)
                               << test.name;
                           EXPECT_EQ(IsItemEnabled(page, IDC_OPTIONS_AUTOSAVE_LABEL), test.shownTicked)
                               << test.name;
                           if (test.tick)
                               ClickCheck(page, IDC_OPTIONS_AUTOSAVE);
                           if (test.typed) {
                               TypeOver(page, IDC_OPTIONS_AUTOSAVE_MINUTES, test.typed);
                               PressKey(::GetDlgItem(page, IDC_OPTIONS_AUTOSAVE_MINUTES), VK_TAB);
                           }
                           return true;
                       },
                       [&](HWND) {
                           if (test.tick)
                               return IsChecked(page, IDC_OPTIONS_AUTOSAVE) != test.shownTicked &&
                                      IsItemEnabled(page, IDC_OPTIONS_AUTOSAVE_MINUTES) == !test.shownTicked;
                           return FocusedItemId(page) != IDC_OPTIONS_AUTOSAVE_MINUTES &&
                                  ItemText(page, IDC_OPTIONS_AUTOSAVE_MINUTES) == test.shownLeft;
                       },
                       Press(IDOK)});
        EXPECT_EQ(Options::GetAutoSave(), test.written) << test.name;
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
        HWND page = nullptr;
        RunModalSteps([&] { return sheet.DoModal(nullptr); },
                      {OpenPage(COptionsSheet::FormatPage),
                       [&](HWND sheetWindow) {
                           page = sheet.Format().m_hWnd;
                           if (!page || CurrentPage(sheetWindow) != page)
                               return false;
                           for (const int id : {IDC_FORMAT_TIME_SYSTEM, IDC_FORMAT_TIME_AMPM, IDC_FORMAT_TIME_24})
                               EXPECT_EQ(IsChecked(page, id), id == test.timeButton) << test.timeFormat << " " << id;
                           for (const int id : {IDC_FORMAT_WEEK_SYSTEM, IDC_FORMAT_WEEK_SUNDAY, IDC_FORMAT_WEEK_MONDAY})
                               EXPECT_EQ(IsChecked(page, id), id == test.weekButton) << test.startOfWeek << " " << id;
                           EXPECT_TRUE(IsChecked(page, IDC_FORMAT_DATE_LONG));
                           EXPECT_TRUE(IsChecked(page, IDC_FORMAT_HOLIDAYS_NONE));
                           // The other button of each two-way group, clicked.
                           ClickCheck(page, IDC_FORMAT_DATE_SHORT);
                           ClickCheck(page, IDC_FORMAT_HOLIDAYS_SAT_SUN);
                           return true;
                       },
                       [&](HWND) {
                           return IsChecked(page, IDC_FORMAT_DATE_SHORT) && IsChecked(page, IDC_FORMAT_HOLIDAYS_SAT_SUN);
                       },
                       Press(IDOK)});
        EXPECT_EQ(Options::GetTimeFormat(), test.timeWritten) << test.timeFormat;
        EXPECT_EQ(Options::GetStartOfWeek(), test.weekWritten) << test.startOfWeek;
        EXPECT_EQ(Options::GetIsLongDateFormat(), 0u) << test.timeFormat;
        EXPECT_EQ(Options::GetIsAutoSatSun(), 1u) << test.timeFormat;
    }
}

TEST_F(OptionsSheetTest, ThePlanPageKeepsValuesItCannotTakeAndWritesTheWorkingDay)
{
    const struct {
        const char* name;
        const wchar_t* hours;
        const wchar_t* dayBegin;
        double hoursWritten;
        const wchar_t* dayBeginWritten;
    } cases[] = {
        {"a decimal comma", L"7,5", L"7:30", 7.5, L"07:30"},
        {"tenths of an hour", L"6.25", L"14:05", 6.3, L"14:05"},
        {"more than a day", L"30", L"7.30", 8, L"07:30"},
        {"no number", L"abc", L"soon", 8, L"00:00"},
    };
    for (const auto& test : cases) {
        Options::SetRegularHours(8);
        Options::SetDayBegin(L"09:00");
        COptionsSheet sheet;
        HWND page = nullptr;
        RunModalSteps([&] { return sheet.DoModal(nullptr); },
                      {OpenPage(COptionsSheet::PlanPage),
                       [&](HWND sheetWindow) {
                           page = sheet.Plan().m_hWnd;
                           if (!page || CurrentPage(sheetWindow) != page)
                               return false;
                           EXPECT_EQ(ItemText(page, IDC_PLAN_REGULAR_HOURS), L"8") << test.name;
                           TypeOver(page, IDC_PLAN_REGULAR_HOURS, test.hours);
                           PressKey(::GetDlgItem(page, IDC_PLAN_REGULAR_HOURS), VK_TAB);
                           return true;
                       },
                       [&](HWND) {
                           if (FocusedItemId(page) == IDC_PLAN_REGULAR_HOURS)
                               return false;
                           TypeOver(page, IDC_PLAN_DAY_BEGIN, test.dayBegin);
                           return true;
                       },
                       [&](HWND) { return ItemText(page, IDC_PLAN_DAY_BEGIN) == test.dayBegin; },
                       Press(IDOK)});
        EXPECT_DOUBLE_EQ(Options::GetRegularHours(), test.hoursWritten) << test.name;
        EXPECT_EQ(Options::GetDayBegin(), test.dayBeginWritten) << test.name;
    }
}

TEST_F(OptionsSheetTest, APageWhoseFieldCannotBeReadKeepsTheSheetOpenOnItAndWritesNothingOfIt)
{
    const EString tooLong(300, L'x');
    const struct {
        const char* name;
        int pageIndex;
        int field;
        const wchar_t* typed;
        const wchar_t* mended;
    } cases[] = {
        {"days out of range", COptionsSheet::PlanPage, IDC_PLAN_DEADLINE_DAYS, L"150", L"5"},
        {"a path too long", COptionsSheet::TemplatesPage, IDC_TEMPLATES_SCRIPT_EDITOR, tooLong.c_str(),
         L"C:\\editor.exe"},
    };
    for (const auto& test : cases) {
        Options::SetDeadlinePeriod(2);
        Options::SetPlanSound(L"C:\\old.wav");
        Options::SetReportEditor(L"C:\\old.exe");
        Options::SetOpenRecentOnStartup(0);
        COptionsSheet sheet;
        auto pageOf = [&]() -> HWND {
            return test.pageIndex == COptionsSheet::PlanPage ? sheet.Plan().m_hWnd : sheet.Templates().m_hWnd;
        };
        HWND page = nullptr;
        HWND general = nullptr;
        const INT_PTR result = RunModalSteps(
            [&] { return sheet.DoModal(nullptr); },
            {OpenPage(test.pageIndex),
             [&](HWND sheetWindow) {
                 page = pageOf();
                 if (!page || CurrentPage(sheetWindow) != page)
                     return false;
                 SetItemText(page, IDC_PLAN_SOUND, L"C:\\new.wav"); // on the Plan page only
                 SetItemText(page, IDC_TEMPLATES_REPORT_EDITOR, L"C:\\new.exe"); // on the Templates page only
                 TypeOver(page, test.field, test.typed);
                 return true;
             },
             // OK pressed from another page: the sheet turns back to the page at fault.
             OpenPage(COptionsSheet::GeneralPage),
             [&](HWND sheetWindow) {
                 general = sheet.General().m_hWnd;
                 if (!general || CurrentPage(sheetWindow) != general)
                     return false;
                 ClickCheck(general, IDC_OPTIONS_OPEN_RECENT);
                 return true;
             },
             [&](HWND sheetWindow) {
                 if (!IsChecked(general, IDC_OPTIONS_OPEN_RECENT))
                     return false;
                 ClickCheck(sheetWindow, IDOK);
                 return true;
             },
             [&](HWND sheetWindow) {
                 if (CurrentPage(sheetWindow) != page)
                     return false;
                 EXPECT_EQ(FocusedItemId(page), test.field) << test.name;
                 EXPECT_EQ(Options::GetDeadlinePeriod(), 2u) << test.name;
                 EXPECT_EQ(Options::GetPlanSound(), L"C:\\old.wav") << test.name;
                 EXPECT_EQ(Options::GetReportEditor(), L"C:\\old.exe") << test.name;
                 TypeOver(page, test.field, test.mended);
                 return true;
             },
             [&](HWND) { return ItemText(page, test.field) == test.mended; },
             Press(IDOK)});
        EXPECT_EQ(result, 1) << test.name;
        EXPECT_EQ(Options::GetOpenRecentOnStartup(), 1u) << test.name;
        if (test.pageIndex == COptionsSheet::PlanPage) {
            EXPECT_EQ(Options::GetDeadlinePeriod(), 5u) << test.name;
            EXPECT_EQ(Options::GetPlanSound(), L"C:\\new.wav") << test.name;
        } else {
            EXPECT_EQ(Options::GetScriptEditor(), L"C:\\editor.exe") << test.name;
            EXPECT_EQ(Options::GetReportEditor(), L"C:\\new.exe") << test.name;
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
    HWND page = nullptr;
    const INT_PTR result = RunModalSteps(
        [&] { return sheet.DoModal(nullptr); },
        {[&](HWND) {
             page = sheet.General().m_hWnd;
             if (!page)
                 return false;
             ClickCheck(page, IDC_OPTIONS_AUTOSAVE);
             ClickCheck(page, IDC_OPTIONS_MINIMIZE_TO_TRAY);
             return true;
         },
         [&](HWND) { return IsChecked(page, IDC_OPTIONS_AUTOSAVE); }, OpenPage(COptionsSheet::FormatPage),
         [&](HWND sheetWindow) {
             page = sheet.Format().m_hWnd;
             if (!page || CurrentPage(sheetWindow) != page)
                 return false;
             ClickCheck(page, IDC_FORMAT_TIME_AMPM);
             return true;
         },
         [&](HWND) { return IsChecked(page, IDC_FORMAT_TIME_AMPM); }, OpenPage(COptionsSheet::PlanPage),
         [&](HWND sheetWindow) {
             page = sheet.Plan().m_hWnd;
             if (!page || CurrentPage(sheetWindow) != page)
                 return false;
             TypeOver(page, IDC_PLAN_REGULAR_HOURS, L"4");
             return true;
         },
         [&](HWND) { return ItemText(page, IDC_PLAN_REGULAR_HOURS) == L"4"; },
         OpenPage(COptionsSheet::TemplatesPage),
         [&](HWND sheetWindow) {
             page = sheet.Templates().m_hWnd;
             if (!page || CurrentPage(sheetWindow) != page)
                 return false;
             TypeOver(page, IDC_TEMPLATES_SCRIPT_EDITOR, L"C:\\other.exe");
             return true;
         },
         [&](HWND) { return ItemText(page, IDC_TEMPLATES_SCRIPT_EDITOR) == L"C:\\other.exe"; }, Press(IDCANCEL)});
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ExportOptions(), before);
}

TEST_F(OptionsSheetTest, OnlyTheUsersEditsEnableApply)
{
    COptionsSheet sheet;
    HWND page = nullptr;
    RunModalSteps([&] { return sheet.DoModal(nullptr); },
                  {OpenPage(COptionsSheet::PlanPage), OpenPage(COptionsSheet::TemplatesPage),
                   OpenPage(COptionsSheet::FormatPage),
                   [&](HWND sheetWindow) {
                       // Every page has filled its fields by now.
                       if (!sheet.Format().m_hWnd || CurrentPage(sheetWindow) != sheet.Format().m_hWnd)
                           return false;
                       EXPECT_TRUE(sheet.Plan().m_hWnd && sheet.Templates().m_hWnd);
                       EXPECT_FALSE(IsItemEnabled(sheetWindow, kApplyButton));
                       page = sheet.Plan().m_hWnd;
                       TypeText(::GetDlgItem(page, IDC_PLAN_DAY_BEGIN), L"1");
                       return true;
                   },
                   [&](HWND sheetWindow) { return IsItemEnabled(sheetWindow, kApplyButton); }, Press(IDCANCEL)});
}

TEST_F(OptionsSheetTest, TheLanguageListStartsWithAutomaticAndSelectsTheStoredLanguageWhenItHasAFile)
{
    const struct {
        const char* name;
        DWORD stored;
        const wchar_t* shown;
    } cases[] = {
        {"automatic", 0, L"Automatic"},
        {"English in the high word's company", 0x04090009, L"English"},
        {"a language without a file", 0x19, L""},
    };
    for (const auto& test : cases) {
        Options::SetUiLanguage(test.stored);
        COptionsSheet sheet;
        RunModalSteps([&] { return sheet.DoModal(nullptr); },
                      {[&](HWND) {
                           const HWND page = sheet.General().m_hWnd;
                           if (!page)
                               return false;
                           EXPECT_EQ(ItemText(page, IDC_OPTIONS_LANGUAGE), test.shown) << test.name;
                           const HWND list = ::GetDlgItem(page, IDC_OPTIONS_LANGUAGE);
                           wchar_t first[64] = {};
                           ::SendMessageW(list, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
                           EXPECT_EQ(EString(first), L"Automatic") << test.name;
                           EXPECT_EQ(::SendMessageW(list, CB_GETITEMDATA, 0, 0), 0) << test.name;
                           return true;
                       },
                       Press(IDOK)});
        EXPECT_EQ(Options::GetUiLanguage(), test.stored & 0xFFFF) << test.name;
    }
}

TEST_F(OptionsSheetTest, EachPageLooksRight)
{
    COptionsSheet sheet;
    HWND pages[4] = {};
    const wchar_t* names[4] = {L"OptionsGeneral", L"OptionsFormat", L"OptionsPlan", L"OptionsTemplates"};
    std::vector<DialogStep> steps;
    for (int index = 0; index < 4; ++index) {
        steps.push_back(OpenPage(index));
        steps.push_back([&, index](HWND sheetWindow) {
            const HWND page = CurrentPage(sheetWindow);
            if (!page || ::SendMessageW(sheetWindow, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0) != index)
                return false;
            pages[index] = page;
            EXPECT_FALSE(SaveWindowScreenshot(sheetWindow, names[index]).empty());
            return true;
        });
    }
    steps.push_back(Press(IDCANCEL));
    RunModalSteps([&] { return sheet.DoModal(nullptr); }, steps);
    for (const HWND page : pages)
        EXPECT_NE(page, nullptr);
}
