// XmlFileText: the text of an XML file, decoded by the program before MSXML parses it.
#pragma once

#include <string>

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
    static Bstr DecodeToBstr(const std::string& bytes);
    // The whole file, decoded; a file that cannot be read raises its system error.
    static EString Read(const EString& path);
    static Bstr ReadToBstr(const EString& path);
};
