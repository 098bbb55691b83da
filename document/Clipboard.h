// Clipboard: the program's private clipboard format, carrying plan fragments as XML text.
#pragma once

#include <windows.h>
#include <objidl.h>

#include "foundation/EString.h"

// The name the format is registered under, the same in every running copy of
// the program, so a copy in one pastes in another.
constexpr wchar_t PelquornClipboardFormat[] = L"Pelquorn";

// What a data object is asked for: global memory under the format, the
// content aspect and index -1 (the whole of it). The system's data objects
// refuse any other aspect or index.
FORMATETC GlobalMemoryRequest(CLIPFORMAT format);

class Clipboard {
public:
    virtual ~Clipboard() = default;

    // Registered on first use and kept for the life of the process.
    static CLIPFORMAT GetPrivateClipboardFormat();
    static bool IsPrivateFormatOnClipboard();
    // Drop targets accept or refuse a drag with it.
    static bool IsPrivateFormatInDataObject(IDataObject* dataObject);

    // Replaces whatever the clipboard held by the UTF-16 text under the
    // private format. False when the clipboard could not be taken.
    static bool SetPrivateClipboardText(const EString& text, HWND owner);
    // The text under the private format; empty when there is none. A block
    // without a terminator is read no further than its size.
    static EString GetPrivateClipboardText(HWND owner);
};
