// CWinDataExchangeEx<T>: the program's own exchanges: dates, times as text, bounded decimals, combo item data, colours.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "foundation/EString.h"
#include "winlib/DataExchange.h"

// A COLORREF (0x00BBGGRR) as the text users read: RRGGBB in upper-case hexadecimal.
EString FormatColourText(COLORREF colour);
// That text back; reading stops at the first character that is no
// hexadecimal digit, and only the six digits of a colour count.
COLORREF ParseColourText(const EString& text);
// A decimal typed with "." or ","; true (and the value) only inside minimum..maximum.
bool ParseDecimalInRange(const EString& text, double minimum, double maximum, double& value);
// The time of day of a typed time, midnight for a text that is no time. With
// appendAmPm, a text without an AM/PM part is read in the current half of
// the day, as a 12-hour clock shows it.
double ParseTimeText(const EString& text, bool appendAmPm);
// The time-of-day part of a date as the user's clock writes it.
EString FormatTimeOfDayText(double date);
// One decimal at most, in the user's decimal separator.
EString FormatDecimalForEdit(double value);

template <class T>
class CWinDataExchangeEx : public CWinDataExchange<T> {
public:
    // A date-time picker and an OLE date (its date and its time).
    bool DDX_Date(int id, double& value, bool save)
    {
        SYSTEMTIME time = {};
        if (!save) {
            if (!::VariantTimeToSystemTime(value, &time) ||
                !::SendDlgItemMessageW(this->Dialog(), id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time)))
                return this->Failed(id, save);
            return true;
        }
        double picked = 0;
        if (::SendDlgItemMessageW(this->Dialog(), id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) !=
                GDT_VALID ||
            !::SystemTimeToVariantTime(&time, &picked))
            return this->Failed(id, save);
        value = picked;
        return true;
    }

    // An edit (or an editable combo) holding a time of day; never fails.
    bool DDX_TimeText(int id, double& value, bool appendAmPm, bool save)
    {
        if (save)
            value = ParseTimeText(this->ControlText(id, 18), appendAmPm);
        else
            ::SetDlgItemTextW(this->Dialog(), id, FormatTimeOfDayText(value).c_str());
        return true;
    }

    // A decimal kept inside minimum..maximum: a typed value outside the range
    // (or no number) leaves the member as it was, without complaint.
    bool DDX_DoubleRange(int id, double& value, double minimum, double maximum, bool save)
    {
        if (!save)
            return ::SetDlgItemTextW(this->Dialog(), id, FormatDecimalForEdit(value).c_str()) != FALSE ||
                   this->Failed(id, save);
        double typed = 0;
        if (ParseDecimalInRange(this->ControlText(id, 31), minimum, maximum, typed))
            value = typed;
        return true;
    }

    // The combo item whose item data is the value. Loading a value no item
    // carries leaves the selection; saving with nothing selected leaves the member.
    template <class Integer>
    bool DDX_ComboItemData(int id, Integer& value, bool save)
    {
        const HWND combo = ::GetDlgItem(this->Dialog(), id);
        if (save) {
            const LRESULT selected = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
            if (selected != CB_ERR)
                value = static_cast<Integer>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
            return true;
        }
        const LRESULT count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
        for (LRESULT item = 0; item < count; ++item) {
            if (static_cast<Integer>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(item), 0)) == value) {
                ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
                break;
            }
        }
        return true;
    }

    // An edit holding a colour as RRGGBB; never fails.
    bool DDX_Colour(int id, COLORREF& value, bool save)
    {
        if (save)
            value = ParseColourText(this->ControlText(id));
        else
            ::SetDlgItemTextW(this->Dialog(), id, FormatColourText(value).c_str());
        return true;
    }
};

#define DDX_DATE(id, member) DDX_ENTRY(id, DDX_Date(id, member, save))
#define DDX_TIME_TEXT(id, member, appendAmPm) DDX_ENTRY(id, DDX_TimeText(id, member, appendAmPm, save))
#define DDX_DOUBLE_RANGE(id, member, minimum, maximum) DDX_ENTRY(id, DDX_DoubleRange(id, member, minimum, maximum, save))
#define DDX_COMBO_ITEM_DATA(id, member) DDX_ENTRY(id, DDX_ComboItemData(id, member, save))
#define DDX_COLOUR(id, member) DDX_ENTRY(id, DDX_Colour(id, member, save))
