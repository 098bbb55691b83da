#include "app/FrameKeys.h"

#include "testing/TestSupport.h"

namespace {

// Posted keys change no key state: the modifiers are set as a user holds them,
// so that accelerators and the views read them with GetKeyState.
void SetModifiers(unsigned modifiers, bool down)
{
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    const struct {
        unsigned modifier;
        int keys[3];
    } table[] = {
        {kShiftKey, {VK_SHIFT, VK_LSHIFT, 0}},
        {kControlKey, {VK_CONTROL, VK_LCONTROL, 0}},
        {kAltKey, {VK_MENU, VK_LMENU, 0}},
    };
    for (const auto& entry : table) {
        if (!(modifiers & entry.modifier))
            continue;
        for (const int key : entry.keys)
            if (key)
                state[key] = down ? 0x80 : 0;
    }
    ::SetKeyboardState(state);
}

bool IsExtendedKey(UINT key)
{
    switch (key) {
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}

bool KeyMessagesPending()
{
    MSG pending;
    return ::PeekMessageW(&pending, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE) != FALSE;
}

} // namespace

bool WaitThroughLoop(CMessageLoop& loop, const std::function<bool()>& condition, unsigned timeoutMs)
{
    return WaitFor(condition, timeoutMs, [&](MSG* message) { return loop.PreTranslateMessage(message); });
}

bool PressKeyThroughLoop(CMessageLoop& loop, UINT key, unsigned modifiers)
{
    const HWND focus = ::GetFocus();
    if (!focus)
        return false;
    const bool alt = (modifiers & kAltKey) != 0;
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    const LPARAM down = 1 | scan | (IsExtendedKey(key) ? 1 << 24 : 0) | (alt ? 1 << 29 : 0);
    const LPARAM up = down | (1 << 30) | (1u << 31);
    SetModifiers(modifiers, true);
    ::PostMessageW(focus, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, down);
    ::PostMessageW(focus, alt ? WM_SYSKEYUP : WM_KEYUP, key, up);
    const bool taken = WaitThroughLoop(loop, [] { return !KeyMessagesPending(); });
    SetModifiers(modifiers, false);
    return taken;
}

bool TypeThroughLoop(CMessageLoop& loop, const wchar_t* text)
{
    const HWND focus = ::GetFocus();
    if (!focus)
        return false;
    for (; *text; ++text)
        ::PostMessageW(focus, WM_CHAR, *text, 1);
    return WaitThroughLoop(loop, [] { return !KeyMessagesPending(); });
}
