// XmlProlog: what stands before the first element of an XML text.
#pragma once

#include <string_view>

class XmlProlog {
public:
    virtual ~XmlProlog() = default;

    // True when the text declares a document type. The program never writes one,
    // and a DTD is how a hostile text expands entities or reaches for other files;
    // MSXML under Wine accepts "ProhibitDTD" without honouring it.
    static bool HasDocumentType(std::wstring_view text);
};
