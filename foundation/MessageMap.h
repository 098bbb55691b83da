// Message maps: a class (a window, a dialog, the document) routes its messages to On... handlers, then chains to its bases.
//
//   BEGIN_MESSAGE_MAP(CMyWindow)
//       ON_MESSAGE(WM_CREATE, OnCreate)
//       ON_COMMAND_CODE(IDOK, BN_CLICKED, OnOK)
//       CHAIN_MESSAGE_MAP(CBase)
//   END_MESSAGE_MAP()
//
// Handlers:
//   message  LRESULT OnX(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
//   command  LRESULT OnX(WORD code, WORD id, HWND control, bool& handled)
//   notify   LRESULT OnX(int id, NMHDR* header, bool& handled)
// `handled` arrives true; a handler that clears it lets the entries after it,
// the chained maps and finally the default processing see the message too.
#pragma once

#include <windows.h>

#include "foundation/Reflection.h"

// The root of every class with a message map; the window and dialog
// templates dispatch through it.
class CMessageMap {
public:
    virtual bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

protected:
    ~CMessageMap() = default;
};

// The map of a class derived from CMessageMap: it overrides the root's, so a
// class with no message root behind it fails to compile.
#define BEGIN_MESSAGE_MAP(Class) WINLIB_MESSAGE_MAP_HEAD(override)
// The map of a mix-in (resizing, ...) that its user chains to.
#define BEGIN_MIXIN_MESSAGE_MAP(Class) WINLIB_MESSAGE_MAP_HEAD()

#define WINLIB_MESSAGE_MAP_HEAD(virt)                                                                              \
    bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) virt        \
    {                                                                                                              \
        bool handled = true;                                                                                       \
        static_cast<void>(hwnd);                                                                                   \
        static_cast<void>(message);                                                                                \
        static_cast<void>(wParam);                                                                                 \
        static_cast<void>(lParam);                                                                                 \
        static_cast<void>(result);                                                                                 \
        static_cast<void>(handled);

#define WINLIB_CALL_HANDLER(call)                                                                                  \
    {                                                                                                              \
        handled = true;                                                                                            \
        const LRESULT handlerResult = call;                                                                        \
        if (handled) {                                                                                             \
            result = handlerResult;                                                                                \
            return true;                                                                                           \
        }                                                                                                          \
    }

#define ON_MESSAGE(msg, handler)                                                                                   \
    if (message == static_cast<UINT>(msg))                                                                         \
        WINLIB_CALL_HANDLER(handler(message, wParam, lParam, handled))

#define ON_MESSAGE_RANGE(first, last, handler)                                                                     \
    if (message >= static_cast<UINT>(first) && message <= static_cast<UINT>(last))                                 \
        WINLIB_CALL_HANDLER(handler(message, wParam, lParam, handled))

#define WINLIB_COMMAND_CALL(handler)                                                                               \
    WINLIB_CALL_HANDLER(handler(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), handled))

// A command of one id, whatever its notification code.
#define ON_COMMAND(id, handler)                                                                                    \
    if (message == WM_COMMAND && LOWORD(wParam) == static_cast<WORD>(id))                                           \
        WINLIB_COMMAND_CALL(handler)

// A command of one id with one notification code.
#define ON_COMMAND_CODE(id, notifyCode, handler)                                                                         \
    if (message == WM_COMMAND && LOWORD(wParam) == static_cast<WORD>(id) && HIWORD(wParam) == static_cast<WORD>(notifyCode)) \
        WINLIB_COMMAND_CALL(handler)

#define ON_COMMAND_RANGE(first, last, handler)                                                                     \
    if (message == WM_COMMAND && LOWORD(wParam) >= static_cast<WORD>(first) && LOWORD(wParam) <= static_cast<WORD>(last)) \
        WINLIB_COMMAND_CALL(handler)

// One notification code from any control (EN_KILLFOCUS, CBN_SELENDOK, ...).
#define ON_CONTROL_CODE(notifyCode, handler)                                                                             \
    if (message == WM_COMMAND && HIWORD(wParam) == static_cast<WORD>(notifyCode))                                         \
        WINLIB_COMMAND_CALL(handler)

#define WINLIB_NOTIFY_HEADER reinterpret_cast<NMHDR*>(lParam)
#define WINLIB_NOTIFY_CALL(handler)                                                                                \
    WINLIB_CALL_HANDLER(handler(static_cast<int>(wParam), WINLIB_NOTIFY_HEADER, handled))

#define ON_NOTIFY(id, notifyCode, handler)                                                                               \
    if (message == WM_NOTIFY && WINLIB_NOTIFY_HEADER->idFrom == static_cast<UINT_PTR>(id) &&                        \
        WINLIB_NOTIFY_HEADER->code == static_cast<UINT>(notifyCode))                                                     \
        WINLIB_NOTIFY_CALL(handler)

#define ON_NOTIFY_CODE(notifyCode, handler)                                                                              \
    if (message == WM_NOTIFY && WINLIB_NOTIFY_HEADER->code == static_cast<UINT>(notifyCode))                              \
        WINLIB_NOTIFY_CALL(handler)

#define ON_NOTIFY_RANGE(first, last, handler)                                                                      \
    if (message == WM_NOTIFY && WINLIB_NOTIFY_HEADER->idFrom >= static_cast<UINT_PTR>(first) &&                     \
        WINLIB_NOTIFY_HEADER->idFrom <= static_cast<UINT_PTR>(last))                                                \
        WINLIB_NOTIFY_CALL(handler)

#define ON_NOTIFY_CODE_RANGE(first, last, notifyCode, handler)                                                           \
    if (message == WM_NOTIFY && WINLIB_NOTIFY_HEADER->idFrom >= static_cast<UINT_PTR>(first) &&                     \
        WINLIB_NOTIFY_HEADER->idFrom <= static_cast<UINT_PTR>(last) &&                                              \
        WINLIB_NOTIFY_HEADER->code == static_cast<UINT>(notifyCode))                                                     \
        WINLIB_NOTIFY_CALL(handler)

#define CHAIN_MESSAGE_MAP(Base)                                                                                    \
    if (Base::ProcessWindowMessage(hwnd, message, wParam, lParam, result))                                         \
        return true;

#define CHAIN_MESSAGE_MAP_MEMBER(member)                                                                           \
    if ((member).ProcessWindowMessage(hwnd, message, wParam, lParam, result))                                      \
        return true;

// Sends the notifications of child controls back to them as OCM_ messages.
#define REFLECT_NOTIFICATIONS()                                                                                    \
    if (IsReflectableMessage(message))                                                                             \
        WINLIB_CALL_HANDLER(ReflectNotification(hwnd, message, wParam, lParam, handled))

#define END_MESSAGE_MAP()                                                                                          \
    return false;                                                                                                  \
    }
