#include "dialogs/DeadlinePicker.h"

#include <commctrl.h>

#include "foundation/Locale.h"
#include "foundation/Options.h"
#include "winlib/Window.h"

void ShowDeadlineFormat(HWND picker)
{
    CWindow window(picker);
    if (Options::GetIsLongDateFormat())
        window.ModifyStyle(DTS_SHORTDATEFORMAT, DTS_LONGDATEFORMAT);
    else
        window.ModifyStyle(DTS_LONGDATEFORMAT, DTS_SHORTDATEFORMAT);
}

void StartWeeksOnConfiguredDay(HWND picker)
{
    if (const HWND calendar = reinterpret_cast<HWND>(::SendMessageW(picker, DTM_GETMONTHCAL, 0, 0)))
        ::SendMessageW(calendar, MCM_SETFIRSTDAYOFWEEK, 0, Locale::GetMonthCalFirstDay());
}
