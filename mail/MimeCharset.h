// Turning MIME text (bytes in a named charset) into wide text.
#pragma once

#include <windows.h>

#include <string>

#include "foundation/EString.h"

// The code page of a MIME charset name ("UTF-8", "iso-8859-1", "windows-1251",
// ...); the ANSI code page for an empty or unknown name.
UINT CodePageOfCharset(const std::string& charset);

// Text without a charset, or said to be US-ASCII, is read as UTF-8 when it
// is valid UTF-8 (plain ASCII included), else in the ANSI code page or as
// US-ASCII.
EString MimeTextToWide(const std::string& bytes, const std::string& charset);
std::string MimeTextToUtf8(const std::string& bytes, const std::string& charset);
