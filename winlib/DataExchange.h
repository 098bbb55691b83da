// CWinDataExchange<T>: moves values between a dialog's members and its controls, with failure hooks.
//
//   BEGIN_DDX_MAP(CMyDialog)
//       DDX_TEXT_LEN(IDC_NAME, m_name, 260)
//       DDX_INT_RANGE(IDC_DAYS, m_days, -10, 100)
//       DDX_CHECK(IDC_DONE, m_done)
//   END_DDX_MAP()
//
// DoDataExchange(save, id) runs the entries in their order (only the entry of
// `id` unless it is -1), stops at the first that fails and returns false. It
// refuses to run while the same class's exchange is running (a control
// notification raised by a value being set), again returning false.
// A failed save leaves its member as it was; a number whose text is still
// the one its member shows is kept as it is.
#pragma once

#include <windows.h>

#include <climits>
#include <utility>

#include "foundation/BoolSwitch.h"
#include "foundation/EString.h"

// A whole number written in a control: blanks around it, a sign where
// allowed; false for anything else or a number that does not fit.
bool ParseWholeNumber(const EString& text, bool allowSign, long long& value);

// What a field takes, so that the refusal of a text it cannot take can say so.
struct FieldRule {
    enum class Kind { kWholeNumber, kDecimal, kTimeOfDay, kColour };
    Kind kind = Kind::kWholeNumber;
    // The limits of a number, both inclusive.
    double minimum = 0;
    double maximum = 0;
};

template <class T>
class CWinDataExchange {
public:
    // Hooks T may hide: a value that cannot be read, one that breaks its
    // limits, and a text longer than its field keeps (one that breaks its limits).
    void OnDataExchangeError(int id, bool /*save*/) { FocusFailedControl(id); }
    void OnDataValidateError(int id, bool /*save*/) { FocusFailedControl(id); }
    void OnTextTooLong(int id, int /*maxLength*/, bool save) { static_cast<T*>(this)->OnDataValidateError(id, save); }
    // A text that is no value of the field (readable false), or a value
    // outside the field's limits. True goes on as if the field were taken,
    // its member as it was.
    bool OnValueRefused(int id, const FieldRule& /*rule*/, bool readable, bool save)
    {
        if (readable)
            static_cast<T*>(this)->OnDataValidateError(id, save);
        else
            static_cast<T*>(this)->OnDataExchangeError(id, save);
        return false;
    }

    bool DDX_Text(int id, EString& value, int maxLength, bool save)
    {
        if (!save)
            return ::SetDlgItemTextW(Dialog(), id, value.c_str()) != FALSE || Failed(id, save);
        EString text = ControlText(id);
        if (maxLength > 0 && text.GetLength() > maxLength) {
            static_cast<T*>(this)->OnTextTooLong(id, maxLength, save);
            return false;
        }
        value = std::move(text);
        return true;
    }

    bool DDX_Int(int id, int& value, bool save) { return ExchangeNumber(id, value, true, INT_MIN, INT_MAX, false, save); }
    bool DDX_Int(int id, int& value, int minimum, int maximum, bool save)
    {
        return ExchangeNumber(id, value, true, minimum, maximum, true, save);
    }
    bool DDX_UInt(int id, unsigned& value, bool save)
    {
        return ExchangeNumber(id, value, false, 0, UINT_MAX, false, save);
    }
    bool DDX_UInt(int id, unsigned& value, unsigned minimum, unsigned maximum, bool save)
    {
        return ExchangeNumber(id, value, false, minimum, maximum, true, save);
    }

    // 0 unchecked, 1 checked, 2 indeterminate; any other member shows unchecked.
    bool DDX_Check(int id, int& value, bool save)
    {
        if (save)
            value = static_cast<int>(::IsDlgButtonChecked(Dialog(), id));
        else
            ::CheckDlgButton(Dialog(), id, (value >= 0 && value <= 2) ? static_cast<UINT>(value) : BST_UNCHECKED);
        return true;
    }
    // A two-state box: checked or not.
    bool DDX_Check(int id, bool& value, bool save)
    {
        if (save)
            value = ::IsDlgButtonChecked(Dialog(), id) != BST_UNCHECKED;
        else
            ::CheckDlgButton(Dialog(), id, value ? BST_CHECKED : BST_UNCHECKED);
        return true;
    }

    // The index of the selected item, -1 for none.
    bool DDX_ComboIndex(int id, int& value, bool save)
    {
        if (save)
            value = static_cast<int>(::SendDlgItemMessageW(Dialog(), id, CB_GETCURSEL, 0, 0));
        else
            ::SendDlgItemMessageW(Dialog(), id, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
        return true;
    }

protected:
    HWND Dialog() const { return static_cast<const T*>(this)->m_hWnd; }
    EString ControlText(int id, int maxCharacters = -1) const
    {
        const HWND control = ::GetDlgItem(Dialog(), id);
        int length = ::GetWindowTextLengthW(control);
        if (maxCharacters >= 0 && length > maxCharacters)
            length = maxCharacters;
        EString text(static_cast<size_t>(length) + 1, L'\0');
        text.resize(static_cast<size_t>(::GetWindowTextW(control, text.data(), length + 1)));
        return text;
    }
    bool Failed(int id, bool save)
    {
        static_cast<T*>(this)->OnDataExchangeError(id, save);
        return false;
    }
    bool Refused(int id, const FieldRule& rule, bool readable, bool save)
    {
        return static_cast<T*>(this)->OnValueRefused(id, rule, readable, save);
    }

    // The dialog's own focus move: it also keeps the default button right
    // and selects an edit's (or an editable combo box's) text for retyping.
    void FocusControl(int id)
    {
        const HWND control = ::GetDlgItem(Dialog(), id);
        if (!control)
            return;
        ::SendMessageW(Dialog(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        // The dialog manager selects an edit's text, not that of a combo box's edit.
        wchar_t className[16] = {};
        if (::GetClassNameW(control, className, 16) && lstrcmpiW(className, L"ComboBox") == 0)
            ::SendMessageW(control, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    }

private:
    void FocusFailedControl(int id)
    {
        ::MessageBeep(static_cast<UINT>(-1));
        FocusControl(id);
    }

    template <class Number>
    bool ExchangeNumber(int id, Number& value, bool isSigned, long long minimum, long long maximum, bool validate,
                        bool save)
    {
        const EString shown = isSigned ? EString::Formatted(L"%lld", static_cast<long long>(value))
                                       : EString::Formatted(L"%llu", static_cast<unsigned long long>(value));
        if (!save)
            return ::SetDlgItemTextW(Dialog(), id, shown.c_str()) != FALSE || Failed(id, save);
        const EString text = ControlText(id);
        // A text still the one the member shows keeps the member, inside its
        // limits or not: nothing the user did not touch is refused or changed.
        if (text == shown)
            return true;
        if (!validate) {
            minimum = isSigned ? INT_MIN : 0;
            maximum = isSigned ? INT_MAX : static_cast<long long>(UINT_MAX);
        }
        const FieldRule rule{FieldRule::Kind::kWholeNumber, static_cast<double>(minimum), static_cast<double>(maximum)};
        long long number = 0;
        if (!ParseWholeNumber(text, isSigned, number) || number < (isSigned ? INT_MIN : 0) ||
            number > (isSigned ? INT_MAX : static_cast<long long>(UINT_MAX)))
            return Refused(id, rule, false, save);
        if (number < minimum || number > maximum)
            return Refused(id, rule, true, save);
        value = static_cast<Number>(number);
        return true;
    }
};

#define BEGIN_DDX_MAP(Class)                                                                                       \
    bool DoDataExchange(bool save = false, int only = -1)                                                          \
    {                                                                                                              \
        static int exchanging = 0;                                                                                 \
        if (exchanging)                                                                                            \
            return false;                                                                                          \
        BoolSwitch exchangeGuard(exchanging);                                                                      \
        static_cast<void>(save);

#define DDX_ENTRY(id, call)                                                                                        \
    if ((only == -1 || only == (id)) && !(call))                                                                   \
        return false;

#define DDX_TEXT(id, member) DDX_ENTRY(id, DDX_Text(id, member, 0, save))
#define DDX_TEXT_LEN(id, member, maxLength) DDX_ENTRY(id, DDX_Text(id, member, maxLength, save))
#define DDX_INT(id, member) DDX_ENTRY(id, DDX_Int(id, member, save))
#define DDX_INT_RANGE(id, member, minimum, maximum) DDX_ENTRY(id, DDX_Int(id, member, minimum, maximum, save))
#define DDX_UINT(id, member) DDX_ENTRY(id, DDX_UInt(id, member, save))
#define DDX_UINT_RANGE(id, member, minimum, maximum) DDX_ENTRY(id, DDX_UInt(id, member, minimum, maximum, save))
#define DDX_CHECK(id, member) DDX_ENTRY(id, DDX_Check(id, member, save))
#define DDX_COMBO_INDEX(id, member) DDX_ENTRY(id, DDX_ComboIndex(id, member, save))

#define END_DDX_MAP()                                                                                              \
    return true;                                                                                                   \
    }
