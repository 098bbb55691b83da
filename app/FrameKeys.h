// FrameKeys: keys typed into the real main frame, taken through the registered loop's filters as the program's loop takes them.
#pragma once

#include <windows.h>

#include <functional>

#include "winlib/MessageLoop.h"

enum KeyModifiers : unsigned { kNoModifiers = 0, kShiftKey = 1, kControlKey = 2, kAltKey = 4 };

// Waits until the condition holds or the time runs out, each message offered
// to the loop's filters before it is translated and dispatched.
bool WaitThroughLoop(CMessageLoop& loop, const std::function<bool()>& condition, unsigned timeoutMs = 5000);

// Presses and releases the key in the window holding the focus, the
// modifiers held down until the loop has taken the key and the characters it
// made. False when nothing has the focus or the key was not taken in time.
bool PressKeyThroughLoop(CMessageLoop& loop, UINT key, unsigned modifiers = kNoModifiers);

// Types the characters into the window holding the focus.
bool TypeThroughLoop(CMessageLoop& loop, const wchar_t* text);
