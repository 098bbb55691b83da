// Turning MIME text (bytes in a named charset) into wide text.
#pragma once

#include <windows.h>

#include <string>

#include "foundation/EString.h"

// The code page of a MIME charset name ("UTF-8", "iso-8859-1", "windows-1251",
// ...); the ANSI code page for an empty or unknown name.
UINT CodePageOfCharset(const std::string& charset);

EString MimeTextToWide(const std::string& bytes, const std::string& charset);
