#include "winlib/MessageName.h"

namespace {

// The messages whose handlers do real work; the rest are written in hex.
struct NamedMessage {
    UINT message;
    const wchar_t* name;
};

#define WINLIB_NAMED(message) {message, L"" #message}
constexpr NamedMessage kNames[] = {
    WINLIB_NAMED(WM_NCCREATE),     WINLIB_NAMED(WM_CREATE),        WINLIB_NAMED(WM_INITDIALOG),
    WINLIB_NAMED(WM_DESTROY),      WINLIB_NAMED(WM_NCDESTROY),     WINLIB_NAMED(WM_CLOSE),
    WINLIB_NAMED(WM_COMMAND),      WINLIB_NAMED(WM_NOTIFY),        WINLIB_NAMED(WM_TIMER),
    WINLIB_NAMED(WM_PAINT),        WINLIB_NAMED(WM_ERASEBKGND),    WINLIB_NAMED(WM_SIZE),
    WINLIB_NAMED(WM_MOVE),         WINLIB_NAMED(WM_GETMINMAXINFO), WINLIB_NAMED(WM_SHOWWINDOW),
    WINLIB_NAMED(WM_ACTIVATE),     WINLIB_NAMED(WM_SETFOCUS),      WINLIB_NAMED(WM_KILLFOCUS),
    WINLIB_NAMED(WM_KEYDOWN),      WINLIB_NAMED(WM_CHAR),          WINLIB_NAMED(WM_LBUTTONDOWN),
    WINLIB_NAMED(WM_LBUTTONUP),    WINLIB_NAMED(WM_LBUTTONDBLCLK), WINLIB_NAMED(WM_RBUTTONDOWN),
    WINLIB_NAMED(WM_MOUSEMOVE),    WINLIB_NAMED(WM_CONTEXTMENU),   WINLIB_NAMED(WM_DRAWITEM),
    WINLIB_NAMED(WM_MEASUREITEM),  WINLIB_NAMED(WM_COPYDATA),      WINLIB_NAMED(WM_SETTEXT),
    WINLIB_NAMED(WM_HSCROLL),      WINLIB_NAMED(WM_VSCROLL),       WINLIB_NAMED(WM_DROPFILES),
    WINLIB_NAMED(WM_QUERYENDSESSION),
};
#undef WINLIB_NAMED

} // namespace

EString MessageName(UINT message)
{
    for (const NamedMessage& named : kNames) {
        if (named.message == message)
            return named.name;
    }
    // The program's private messages count from these two.
    if (message >= WM_APP && message < 0xC000)
        return EString::Formatted(L"WM_APP+%u", message - WM_APP);
    if (message >= WM_USER && message < WM_APP)
        return EString::Formatted(L"WM_USER+%u", message - WM_USER);
    return EString::Formatted(L"0x%04X", message);
}
