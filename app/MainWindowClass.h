// MainWindowClass: the window class of the main frame, by which a second start finds the running one.
#pragma once

// One instance per logged-on user: the class name alone finds it, with no
// title and no mutex, so the frame must register exactly this name.
inline constexpr wchar_t kMainWindowClassName[] = L"QuorvaneMainWndClass";
