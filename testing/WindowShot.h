// WindowShot: writes what a window shows to a PNG file in the test screenshot folder.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "foundation/EString.h"

// QUORVANE_SCREENSHOT_DIR when set, else "screenshots" beside the folder of
// the test executable (build/screenshots for build/bin/x_tests.exe).
EString ScreenshotFolder();

// Repaints the window, copies it from its own window DC (Wine keeps a surface
// per top-level window, so windows of other test processes over it do not
// show) and writes "<name>.png"; the file's path, or an empty text when
// nothing could be written.
EString SaveWindowScreenshot(HWND window, const wchar_t* name);

// The window's pixels from its own window DC, as RGB rows from the top, and
// its size; empty when it has none. It repaints nothing first.
std::vector<std::uint8_t> CaptureWindowRgb(HWND window, int& width, int& height);
// Writes the pixels as "<name>.png" in the screenshot folder; its path, or an
// empty text when nothing could be written.
EString WriteScreenshot(const wchar_t* name, int width, int height, const std::vector<std::uint8_t>& rgb);
