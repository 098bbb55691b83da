// WindowClass: what a window template registers, its own class or an extension of an existing one.
#pragma once

#include <windows.h>

struct WindowClass {
    // Null: a name is made up; an extended class must carry its own name.
    const wchar_t* name = nullptr;
    // An existing class (a common control, "BUTTON", ...) whose procedure
    // then does the default processing; null for a class of our own.
    const wchar_t* baseName = nullptr;
    UINT style = CS_DBLCLKS;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HCURSOR cursor = nullptr; // null: the arrow
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
};

struct RegisteredClass {
    ATOM atom = 0;
    // Byte offset of the object pointer in the window's extra bytes: the last slot.
    int slot = 0;
    WNDPROC baseProc = ::DefWindowProcW;
};

// Registers the class once per procedure; atom 0 when the system refused.
RegisteredClass RegisterWindowClass(const WindowClass& info, WNDPROC procedure);
