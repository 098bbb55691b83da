// XmlFileText: the text of an XML file, decoded by the program, or the UTF-8 bytes MSXML may parse as they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "foundation/Bstr.h"
#include "foundation/EString.h"

class XmlFileText {
public:
    virtual ~XmlFileText() = default;

    // UTF-8 (the program's own files, with or without a byte order mark) or
    // UTF-16 in either byte order (with a mark, or starting with "<"). Bytes that
    // are neither raise a ComError; nothing is guessed.
    static EString Decode(const std::string& bytes);
    // Decoded straight into the BSTR that MSXML parses: a plan of many
    // megabytes is not copied once more.
    static Bstr DecodeToBstr(std::string_view bytes);
    // The bytes MSXML may parse as they are, to the document the decoded text
    // gives: UTF-8 that the checks before the parse would neither refuse nor
    // change (no NUL, no CR, no document type) and that declares no encoding.
    // Without the byte order mark; none when only the decoded text will do.
    static std::optional<std::string_view> PlainUtf8(std::string_view bytes);
    // The whole file as it is on disk; a file that cannot be read raises its system error.
    static std::string ReadBytes(const EString& path);
    // The whole file, decoded.
    static EString Read(const EString& path);
    static Bstr ReadToBstr(const EString& path);
};
