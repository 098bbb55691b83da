#include "dialogs/DeadlinePicker.h"

#include <commctrl.h>

#include <algorithm>

#include "foundation/Locale.h"
#include "foundation/Options.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"
#include "winlib/Window.h"

namespace {

// The picker's room left and right of its fields.
constexpr int kPickerTextMargins = 8;

// Each month with seven days in a row, so every weekday meets every month.
int WidestDateText(HDC dc, DWORD format)
{
    SYSTEMTIME today = {};
    ::GetLocalTime(&today);
    int widest = 0;
    for (WORD month = 1; month <= 12; ++month) {
        for (WORD day = 22; day <= 28; ++day) {
            SYSTEMTIME date = {};
            date.wYear = today.wYear;
            date.wMonth = month;
            date.wDay = day;
            FILETIME file = {};
            // The weekday follows from the date.
            if (!::SystemTimeToFileTime(&date, &file) || !::FileTimeToSystemTime(&file, &date))
                continue;
            wchar_t text[128] = {};
            const int length = ::GetDateFormatW(LOCALE_USER_DEFAULT, format, &date, nullptr, text, 128);
            SIZE size = {};
            if (length > 1 && ::GetTextExtentPoint32W(dc, text, length - 1, &size))
                widest = std::max(widest, static_cast<int>(size.cx));
        }
    }
    return widest;
}

} // namespace

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

int DatePickerWidth(HWND picker)
{
    const bool longDate = (CWindow(picker).GetStyle() & DTS_SHORTDATECENTURYFORMAT) == DTS_LONGDATEFORMAT;
    auto font = reinterpret_cast<HFONT>(::SendMessageW(picker, WM_GETFONT, 0, 0));
    if (!font)
        font = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    const CClientDC dc(picker);
    const CSelectObject selected(dc, font);
    return WidestDateText(dc, longDate ? DATE_LONGDATE : DATE_SHORTDATE) + kPickerTextMargins +
           ::GetSystemMetrics(SM_CXVSCROLL) + 2 * ::GetSystemMetrics(SM_CXEDGE);
}

void FitDatePickerToDates(HWND picker)
{
    // The picker keeps the format of the style it was made with until told to take its style's.
    ::SendMessageW(picker, DTM_SETFORMATW, 0, 0);
    const RECT rect = CWindow(picker).GetWindowRect();
    const int width = std::min(DatePickerWidth(picker), static_cast<int>(rect.right - rect.left));
    ::SetWindowPos(picker, nullptr, 0, 0, width, rect.bottom - rect.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
