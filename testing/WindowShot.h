// WindowShot: writes what a window shows to a PNG file in the test screenshot folder.
#pragma once

#include <windows.h>

#include "foundation/EString.h"

// QUORVANE_SCREENSHOT_DIR when set, else "screenshots" beside the folder of
// the test executable (build/screenshots for build/bin/x_tests.exe).
EString ScreenshotFolder();

// Repaints the window, copies it from its own window DC (Wine keeps a surface
// per top-level window, so windows of other test processes over it do not
// show) and writes "<name>.png"; the file's path, or an empty text when
// nothing could be written.
EString SaveWindowScreenshot(HWND window, const wchar_t* name);
