#include "winlib/WindowClass.h"

#include "foundation/EString.h"

RegisteredClass RegisterWindowClass(const WindowClass& info, WNDPROC procedure)
{
    RegisteredClass result;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    if (info.baseName) {
        if (!::GetClassInfoExW(nullptr, info.baseName, &wc) &&
            !::GetClassInfoExW(::GetModuleHandleW(nullptr), info.baseName, &wc))
            return result;
        result.baseProc = wc.lpfnWndProc;
    } else {
        wc.style = info.style;
        wc.hIcon = info.icon;
        wc.hIconSm = info.smallIcon;
        wc.hCursor = info.cursor ? info.cursor : ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = info.background;
    }
    result.slot = wc.cbWndExtra;
    wc.cbWndExtra += sizeof(LONG_PTR);
    wc.lpfnWndProc = procedure;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    // The procedure is a function of its own for every window template.
    const EString madeUpName = EString::Formatted(L"Winlib:%p", reinterpret_cast<void*>(procedure));
    wc.lpszClassName = info.name ? info.name : madeUpName.c_str();
    result.atom = ::RegisterClassExW(&wc);
    return result;
}
