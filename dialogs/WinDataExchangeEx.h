// CWinDataExchangeEx<T>: the program's own exchanges: dates, times as text, bounded decimals, combo item data, colours.
//
// A time or a number that cannot be taken is never replaced by another value:
// the member keeps its value and the field its text. When OK (or Apply)
// reads the fields (ReadFieldsForOk), the dialog stays open on that field
// and a message box says what it holds and what it takes. Any other reading
// (a field left, a button of the dialog's own) is no answer yet and says
// nothing.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "dialogs/DayTimeRules.h"
#include "dialogs/TextLimitNotice.h"
#include "dialogs/ValueRefusalNotice.h"
#include "foundation/BoolSwitch.h"
#include "foundation/EString.h"
#include "foundation/TimeParser.h"
#include "winlib/DataExchange.h"

// A COLORREF (0x00BBGGRR) as the text users read: RRGGBB in upper-case hexadecimal.
EString FormatColourText(COLORREF colour);
// That text back: one to six hexadecimal digits, blanks around them; false
// for anything else.
bool ParseColourText(const EString& text, COLORREF& colour);
// A decimal typed with "." or ","; true (and the value) only for a text that
// is a number and only inside minimum..maximum.
bool ParseDecimalInRange(const EString& text, double minimum, double maximum, double& value);
// The time of day of a typed time; false for a text that is no time. With
// appendAmPm, a text without an AM/PM part is read in the current half of
// the day, as a 12-hour clock shows it (an hour past twelve reads as itself).
bool ParseTimeText(const EString& text, bool appendAmPm, double& time);
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

    // An edit (or an editable combo) holding a time of day. A text that is
    // still the one the member shows leaves the member as it is (the clock
    // shows no seconds); one that is no time is refused.
    bool DDX_TimeText(int id, double& value, bool appendAmPm, bool save)
    {
        if (!save) {
            ::SetDlgItemTextW(this->Dialog(), id, FormatTimeOfDayText(value).c_str());
            return true;
        }
        const EString text = this->ControlText(id);
        double typed = 0;
        if (text == FormatTimeOfDayText(value))
            typed = TimeParser::GetTimeOfDay(value);
        else if (!ParseTimeText(text, appendAmPm, typed))
            return this->Refused(id, FieldRule{FieldRule::Kind::kTimeOfDay}, false, save);
        value = typed;
        return true;
    }

    // A decimal inside minimum..maximum, shown with one decimal.
    bool DDX_DoubleRange(int id, double& value, double minimum, double maximum, bool save)
    {
        return ExchangeDecimal(id, value, minimum, maximum, FormatDecimalForEdit, save);
    }
    // Hours inside 0..maximum, shown with the two decimals of the duration rule.
    bool DDX_Hours(int id, double& value, double maximum, bool save)
    {
        return ExchangeDecimal(id, value, 0, maximum, FormatHoursText, save);
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

    // An edit holding a colour as RRGGBB.
    bool DDX_Colour(int id, COLORREF& value, bool save)
    {
        if (!save) {
            ::SetDlgItemTextW(this->Dialog(), id, FormatColourText(value).c_str());
            return true;
        }
        COLORREF typed = 0;
        if (!ParseColourText(this->ControlText(id), typed))
            return this->Refused(id, FieldRule{FieldRule::Kind::kColour}, false, save);
        value = typed;
        return true;
    }

    // A text longer than its field keeps: OK tells the user in words once the
    // fields are read; any other reading of the fields only beeps.
    void OnTextTooLong(int id, int maxLength, bool save)
    {
        if (!m_readingForOk) {
            static_cast<T*>(this)->OnDataValidateError(id, save);
            return;
        }
        m_refusal = {id, maxLength, {}};
        this->FocusControl(id);
    }
    // A value that cannot be taken: OK tells the user in words; any other
    // reading leaves the text as typed, without a sound. A field the user
    // cannot reach now (hidden or greyed by another choice) is not refused:
    // its member stays as it was.
    bool OnValueRefused(int id, const FieldRule& rule, bool /*readable*/, bool /*save*/)
    {
        const HWND field = ::GetDlgItem(this->Dialog(), id);
        if (!(::GetWindowLongW(field, GWL_STYLE) & WS_VISIBLE) || !::IsWindowEnabled(field))
            return true;
        if (m_readingForOk) {
            m_refusal = {id, 0, rule};
            this->FocusControl(id);
        }
        return false;
    }

protected:
    // Every field into its member, as OK reads them: the first field that
    // cannot be taken keeps the focus and is told in words; false then.
    bool ReadFieldsForOk()
    {
        m_refusal = {};
        bool saved = false;
        {
            const BoolSwitch reading(m_readingForOk);
            saved = static_cast<T*>(this)->DoDataExchange(true);
        }
        if (!saved && m_refusal.id) {
            if (m_refusal.maxLength)
                TellTextTooLong(this->Dialog(), m_refusal.id, m_refusal.maxLength);
            else
                TellValueRefused(this->Dialog(), m_refusal.id, m_refusal.rule);
            // The message box gave the focus back to the window that had it,
            // which a property sheet may have moved meanwhile.
            this->FocusControl(m_refusal.id);
        }
        return saved;
    }

private:
    // A text still the one the member shows leaves the member as it is: only
    // what is shown is rounded.
    bool ExchangeDecimal(int id, double& value, double minimum, double maximum, EString (*format)(double), bool save)
    {
        if (!save)
            return ::SetDlgItemTextW(this->Dialog(), id, format(value).c_str()) != FALSE || this->Failed(id, save);
        const EString text = this->ControlText(id);
        if (text == format(value))
            return true;
        double typed = 0;
        if (!ParseDecimalInRange(text, minimum, maximum, typed))
            return this->Refused(id, FieldRule{FieldRule::Kind::kDecimal, minimum, maximum}, false, save);
        value = typed;
        return true;
    }

    int m_readingForOk = 0;
    // The field that OK's reading refused; id 0 for none, a length limit for
    // a text too long.
    struct {
        int id = 0;
        int maxLength = 0;
        FieldRule rule;
    } m_refusal;
};

#define DDX_DATE(id, member) DDX_ENTRY(id, DDX_Date(id, member, save))
#define DDX_TIME_TEXT(id, member, appendAmPm) DDX_ENTRY(id, DDX_TimeText(id, member, appendAmPm, save))
#define DDX_DOUBLE_RANGE(id, member, minimum, maximum) DDX_ENTRY(id, DDX_DoubleRange(id, member, minimum, maximum, save))
#define DDX_HOURS(id, member, maximum) DDX_ENTRY(id, DDX_Hours(id, member, maximum, save))
#define DDX_COMBO_ITEM_DATA(id, member) DDX_ENTRY(id, DDX_ComboItemData(id, member, save))
#define DDX_COLOUR(id, member) DDX_ENTRY(id, DDX_Colour(id, member, save))
