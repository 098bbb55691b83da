#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/CategoryDialog.h"
#include "dialogs/DeadlinePicker.h"
#include "dialogs/ManyTasksDialog.h"
#include "dialogs/ScheduleTasksDialog.h"
#include "dialogs/TaskDialog.h"
#include "dialogs/testdata/TaskDialogTestSupport.h"
#include "foundation/Options.h"
#include "testing/DialogDriver.h"
#include "testing/WindowShot.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

namespace {

using DeadlinePickerTest = TaskDialogsTest;
using RunWithDate = std::function<void(double date, std::vector<DialogStep> steps)>;

template <class Dialog, class... Arguments>
RunWithDate Runner(double Dialog::*member, Arguments... arguments)
{
    return [=](double date, std::vector<DialogStep> steps) {
        Dialog dialog(arguments...);
        dialog.*member = date;
        RunModalSteps([&] { return dialog.DoModal(nullptr); }, std::move(steps));
    };
}

// A date among the fields the dialog exchanges.
template <class Dialog, class Fields, class... Arguments>
RunWithDate Runner(Fields Dialog::*fields, double Fields::*member, Arguments... arguments)
{
    return [=](double date, std::vector<DialogStep> steps) {
        Dialog dialog(arguments...);
        (dialog.*fields).*member = date;
        RunModalSteps([&] { return dialog.DoModal(nullptr); }, std::move(steps));
    };
}

// What the picker's fields take beyond the long date's own text.
int RoomBeyondTheDate(HWND picker)
{
    SIZE ideal = {};
    EXPECT_TRUE(::SendMessageW(picker, DTM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
    SYSTEMTIME date = {};
    ::SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date));
    wchar_t text[128] = {};
    const int length = ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, &date, nullptr, text, 128);
    const CClientDC dc(picker);
    const CSelectObject font(dc, reinterpret_cast<HFONT>(::SendMessageW(picker, WM_GETFONT, 0, 0)));
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text, std::max(length - 1, 0), &size);
    return static_cast<int>(ideal.cx - size.cx);
}

} // namespace

// A Friday in May, then the next day as the arrow keys make it (the first field,
// one up): names of different lengths, in a picker as wide as its widest date.
TEST_F(DeadlinePickerTest, TheLongDateShowsWholeWithNoGapAfterTheNamesOfTheDayAsOpenedOrChanged)
{
    const struct {
        const wchar_t* name;
        int picker;
        RunWithDate run;
    } cases[] = {
        {L"Task", IDC_TASK_DEADLINE, Runner(&CTaskDialog::fields, &TaskDialogFields::deadline, 0)},
        {L"Category", IDC_CATEGORY_DEADLINE, Runner(&CCategoryDialog::fields, &CategoryDialogFields::deadline)},
        {L"ManyTasks", IDC_MANY_DEADLINE, Runner(&CManyTasksDialog::deadline)},
        {L"ScheduleTasks", IDC_SCHEDULE_START, Runner(&CScheduleTasksDialog::startDate)},
    };
    Options::SetIsLongDateFormat(1);
    for (const auto& test : cases) {
        SCOPED_TRACE(std::wstring(test.name));
        int opened = 0;
        int changed = 0;
        test.run(DateTime(2026, 5, 15, 0, 0),
                 {[&](HWND d) {
                      const HWND picker = ::GetDlgItem(d, test.picker);
                      opened = RoomBeyondTheDate(picker);
                      const RECT shown = CWindow(picker).GetWindowRect();
                      EXPECT_GE(shown.right - shown.left, DatePickerWidth(picker));
                      ::SendMessageW(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(picker), TRUE);
                      PressKey(picker, VK_RIGHT);
                      PressKey(picker, VK_UP);
                      return true;
                  },
                  [&](HWND d) {
                      if (PickedDate(d, test.picker).wDay == 15)
                          return false;
                      changed = RoomBeyondTheDate(::GetDlgItem(d, test.picker));
                      const std::wstring shot = std::wstring(test.name) + L"LongDeadline";
                      EXPECT_FALSE(SaveWindowScreenshot(d, shot.c_str()).empty());
                      ClickButton(d, IDCANCEL);
                      return true;
                  }});
        EXPECT_NEAR(opened, changed, 2);
    }
    Options::SetIsLongDateFormat(0);
}
