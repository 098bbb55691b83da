// Reading the property streams of an Outlook message storage.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <string>

#include "foundation/EString.h"

const WORD PropertyTypeUnicode = 0x001F;

// The property id is the high word of a tag, the type its low word.
inline WORD PropertyId(DWORD tag) { return HIWORD(tag); }
inline WORD PropertyType(DWORD tag) { return LOWORD(tag); }

// The tag in the last 8 characters of a stream name ("__substg1.0_0E1D001F");
// 0 when the name is not longer than 8 or they are not all hexadecimal.
DWORD PropertyTagOfStreamName(const wchar_t* name);

// The stream from its current position, read in chunks until it ends, fails
// or would pass the limit (a stream cannot be larger than its file).
std::string ReadStreamWhole(IStream* stream, size_t limit);

// UTF-16LE for type 001F (an odd last byte is dropped), else text in the
// ANSI code page; either ends at its first NUL.
EString PropertyText(const std::string& bytes, WORD type);

// Every byte as two lower-case hexadecimal digits.
EString HexText(const std::string& bytes);
