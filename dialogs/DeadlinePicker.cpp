#include "dialogs/DeadlinePicker.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "foundation/EString.h"
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

bool ShowsLongDate(HWND picker)
{
    return (CWindow(picker).GetStyle() & DTS_SHORTDATECENTURYFORMAT) == DTS_LONGDATEFORMAT;
}

EString QuotedForPicker(const EString& text)
{
    EString quoted = L"'";
    for (const wchar_t c : text) {
        // A quote within quoted text is written twice.
        if (c == L'\'')
            quoted += c;
        quoted += c;
    }
    return quoted + L"'";
}

EString DateText(const SYSTEMTIME& date, const wchar_t* picture)
{
    wchar_t text[128] = {};
    const int length = ::GetDateFormatW(LOCALE_USER_DEFAULT, 0, &date, picture, text, 128);
    return length > 1 ? EString(text, static_cast<size_t>(length - 1)) : EString();
}

// The locale's long date with the names of the given day as quoted text. The
// picker pads a name field to the longest name of its kind, which left a gap
// after "Thursday" and "December"; the numbers stay fields the keys change.
EString LongDateWithNames(const SYSTEMTIME& date)
{
    wchar_t format[128] = {};
    if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLONGDATE, format, 128) <= 1)
        return EString();
    const std::wstring_view text(format);
    EString result;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == L'\'') {
            // Quoted text goes through as it is, up to its closing quote.
            const size_t close = text.find(L'\'', i + 1);
            const size_t end = close == std::wstring_view::npos ? text.size() : close + 1;
            result.append(text.substr(i, end - i));
            i = end;
            continue;
        }
        size_t run = 1;
        while (i + run < text.size() && text[i + run] == text[i])
            ++run;
        const std::wstring_view letters = text.substr(i, run);
        if ((text[i] == L'd' || text[i] == L'M') && run >= 3)
            result += QuotedForPicker(DateText(date, std::wstring(letters).c_str()));
        else
            result.append(letters);
        i += run;
    }
    return result;
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
    const bool longDate = ShowsLongDate(picker);
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

void ShowDayNames(HWND picker)
{
    SYSTEMTIME time = {};
    if (!ShowsLongDate(picker) ||
        ::SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID)
        return;
    const EString format = LongDateWithNames(time);
    // An empty text would give the picker its style's format back.
    if (!format.IsEmpty())
        ::SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(format.c_str()));
}

LRESULT ShowDayNamesOfChange(int, NMHDR* header, bool&)
{
    ShowDayNames(header->hwndFrom);
    return 0;
}
