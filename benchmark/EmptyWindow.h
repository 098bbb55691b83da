// EmptyWindow: the window class of empty_window.exe, by which the start-up benchmark finds its window.
#pragma once

inline constexpr wchar_t kEmptyWindowClassName[] = L"QuorvaneEmptyWindowClass";
