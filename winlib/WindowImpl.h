// CWindowImpl<T>: a window of T's own class (or of an extended control class) created with T as its object.
#pragma once

#include <windows.h>

#include "winlib/WindowClass.h"
#include "winlib/WindowImplRoot.h"

// What Create needs; the rest of CreateWindowEx's arguments follow from the class.
struct CreateArgs {
    HWND parent = nullptr;
    const wchar_t* title = nullptr;
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    RECT rect = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0}; // right and bottom ignored while left is CW_USEDEFAULT
    // The control id of a child window, else the menu of a top-level window.
    UINT id = 0;
    HMENU menu = nullptr;
};

template <class T>
class CWindowImpl : public CWindowImplRoot {
public:
    // T hides this to name its class or to extend a control class.
    static WindowClass GetWindowClass() { return WindowClass(); }

    HWND Create(const CreateArgs& args)
    {
        const RegisteredClass& registered = Registration();
        if (m_hWnd || !registered.atom)
            return nullptr;
        const bool useDefault = args.rect.left == CW_USEDEFAULT;
        const int width = useDefault ? CW_USEDEFAULT : args.rect.right - args.rect.left;
        const int height = useDefault ? CW_USEDEFAULT : args.rect.bottom - args.rect.top;
        const HMENU menu =
            (args.style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(args.id)) : args.menu;
        const PendingBinding binding(this, registered.atom);
        ::CreateWindowExW(args.exStyle, MAKEINTATOM(registered.atom), args.title, args.style, args.rect.left,
                          useDefault ? CW_USEDEFAULT : args.rect.top, width, height, args.parent, menu,
                          ::GetModuleHandleW(nullptr), nullptr);
        return m_hWnd;
    }

private:
    static const RegisteredClass& Registration()
    {
        static const RegisteredClass registered = RegisterWindowClass(T::GetWindowClass(), &WindowProc);
        return registered;
    }

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        return RouteClassMessage(Registration(), hwnd, message, wParam, lParam);
    }
};
