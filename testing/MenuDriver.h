// MenuDriver: drives the system's menu loop in tests: steps on timer ticks, posted keys, the open popup windows.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// One step: called on timer ticks (the menu loop dispatches them) until it answers true.
using MenuStep = std::function<bool()>;

// Runs the steps one after the other, also while a menu loop runs: the one a
// posted key opens, or the one `track` runs (a context menu) once the steps
// have started. A step that does not succeed within timeoutMs fails the test
// and closes any open menu. True when every step succeeded.
bool RunMenuSteps(std::vector<MenuStep> steps, const std::function<void()>& track = {}, unsigned timeoutMs = 5000);

// The visible popup-menu windows of this thread, the newest first.
std::vector<HWND> OpenMenuWindows();

// Posts a key with Alt held (WM_SYSKEYDOWN, WM_SYSKEYUP), as the system sends it.
void PressAltKey(HWND window, UINT virtualKey);
// Posts Alt pressed and released alone.
void PressAlt(HWND window);
