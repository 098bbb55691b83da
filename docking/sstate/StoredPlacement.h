// sstate: the main window's placement as stored ("placement", a 44-byte WINDOWPLACEMENT).
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

namespace sstate {

// The same 44 bytes in 32-bit and 64-bit programs: no pointer inside.
static_assert(sizeof(WINDOWPLACEMENT) == 44);

// The window's placement as it should come back: maximized when it is
// maximized now, never minimized. Null when the system gives none.
std::optional<WINDOWPLACEMENT> PlacementToStore(HWND window);

// A stored placement that can be applied on this screen: its own length,
// known flags, a show command that shows the window (a minimized one comes
// back normal), and a normal rectangle on the screen.
std::optional<WINDOWPLACEMENT> LoadPlacement(const std::byte* bytes, size_t size, const RECT& screen);

} // namespace sstate
