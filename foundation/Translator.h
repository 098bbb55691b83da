// Translator: puts the UI language's texts on menus and windows.
#pragma once

#include <windows.h>

class Translator {
public:
    virtual ~Translator() = default;

    static void TranslateMenu(HMENU menu);
    // The window and every descendant but those with scroll bars (edit boxes, lists).
    static void TranslateWindow(HWND window);
    static void TranslateText(HWND window);
};
