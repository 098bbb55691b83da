// CredentialText: a user name or password as the login call and the old settings carry it: Base64 of its UTF-16LE bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "foundation/EString.h"

namespace CredentialText {

// Two bytes per character, low byte first, no terminator.
std::vector<unsigned char> ToUtf16Bytes(const EString& text);
// Reads whole characters within the bytes and stops at a zero character: a
// stored value ends where its bytes end, whatever follows in memory.
EString FromUtf16Bytes(const std::vector<unsigned char>& bytes);

// Base64 on one line.
std::string Encode(const EString& text);
EString Decode(std::string_view base64);

} // namespace CredentialText
