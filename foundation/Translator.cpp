#include "foundation/Translator.h"

#include "foundation/EString.h"
#include "foundation/Language.h"

namespace {

constexpr int kMenuTextChars = 260;

void TranslateDescendants(HWND parent)
{
    for (HWND child = ::GetTopWindow(parent); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
        if (!(style & (WS_VSCROLL | WS_HSCROLL)))
            Translator::TranslateText(child);
        TranslateDescendants(child);
    }
}

} // namespace

void Translator::TranslateMenu(HMENU menu)
{
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        wchar_t text[kMenuTextChars] = {};
        MENUITEMINFOW item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = kMenuTextChars;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item) || text[0] == L'\0')
            continue;
        if (item.hSubMenu)
            TranslateMenu(item.hSubMenu);
        const EString translation = Resource::Translate(text);
        if (translation.empty())
            continue;
        MENUITEMINFOW update = {};
        update.cbSize = sizeof(update);
        update.fMask = MIIM_FTYPE | MIIM_STRING;
        update.fType = MFT_STRING;
        update.dwTypeData = const_cast<wchar_t*>(translation.c_str());
        ::SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &update);
    }
}

void Translator::TranslateWindow(HWND window)
{
    TranslateText(window);
    TranslateDescendants(window);
}

void Translator::TranslateText(HWND window)
{
    const int length = ::GetWindowTextLengthW(window);
    if (length <= 0)
        return;
    EString text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    const EString translation = Resource::Translate(text);
    if (!translation.empty())
        ::SetWindowTextW(window, translation.c_str());
}
