#include "dialogs/ValueRefusalNotice.h"

#include <climits>

#include "dialogs/FieldLabel.h"
#include "dialogs/TranslatedOrKey.h"
#include "foundation/AppWindow.h"
#include "foundation/Locale.h"
#include "foundation/ModalScope.h"
#include "foundation/OleDate.h"
#include "winlib/Window.h"

namespace {

constexpr size_t kQuotedCharacters = 40;

// What the field holds as the notice quotes it: the start of a long text,
// control characters as "?", no surrogate pair cut in two.
EString Quoted(const EString& held)
{
    size_t length = held.size() > kQuotedCharacters ? kQuotedCharacters : held.size();
    if (length < held.size() && length > 0 && held[length - 1] >= 0xD800 && held[length - 1] <= 0xDBFF)
        --length;
    EString quoted = held.substr(0, length);
    for (wchar_t& ch : quoted)
        if (ch < L' ' || ch == 0x7F)
            ch = L'?';
    if (length < held.size())
        quoted += L"\u2026";
    return quoted;
}

EString WholeNumberText(double value)
{
    return EString::Formatted(L"%lld", static_cast<long long>(value));
}

EString WhatItTakes(const FieldRule& rule)
{
    EString text;
    switch (rule.kind) {
    case FieldRule::Kind::kTimeOfDay:
        text = TranslatedOrKey(L"It takes a time of day, such as %3.");
        text.Replace(L"%3", Locale::FormatTime(MakeOleTime(9, 30)).c_str());
        return text;
    case FieldRule::Kind::kDecimal:
        text = TranslatedOrKey(L"It takes a number from %3 to %4.");
        text.Replace(L"%3", Locale::FormatDecimal(rule.minimum).c_str());
        text.Replace(L"%4", Locale::FormatDecimal(rule.maximum).c_str());
        return text;
    case FieldRule::Kind::kColour:
        return TranslatedOrKey(L"It takes a colour as six hexadecimal digits of red, green and blue, such as FF0000 "
                               L"for red.");
    case FieldRule::Kind::kWholeNumber:
        break;
    }
    // The largest numbers of a field's type are no limit a user has to know.
    const bool unbounded = rule.maximum >= static_cast<double>(INT_MAX);
    text = TranslatedOrKey(unbounded ? L"It takes a whole number of at least %3." : L"It takes a whole number from %3 to %4.");
    text.Replace(L"%3", WholeNumberText(rule.minimum).c_str());
    text.Replace(L"%4", WholeNumberText(rule.maximum).c_str());
    return text;
}

} // namespace

EString ValueRefusalText(const EString& label, const EString& held, const FieldRule& rule)
{
    EString field = label.empty() ? TranslatedOrKey(L"This field") : TranslatedOrKey(L"The field \"%1\"");
    field.Replace(L"%1", label.c_str());
    EString what = TranslatedOrKey(held.empty() ? L"%1 is empty." : L"%1 holds \"%2\".");
    // The typed text goes in last: nothing in it is read as a placeholder.
    what.Replace(L"%1", field.c_str());
    what.Replace(L"%2", Quoted(held).c_str());
    return what + L" " + WhatItTakes(rule) + L" " + TranslatedOrKey(L"Nothing was saved: correct it and try again.");
}

void TellValueRefused(HWND dialog, int fieldId, const FieldRule& rule)
{
    const HWND field = ::GetDlgItem(dialog, fieldId);
    const EString text = ValueRefusalText(FieldLabel(field), CWindow(field).GetWindowText(), rule);
    const ModalScope modal;
    ::MessageBoxW(dialog, text.c_str(), AppProductName().c_str(), MB_OK | MB_ICONEXCLAMATION);
}
