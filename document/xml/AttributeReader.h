// AttributeReader: the attributes of one element, asked through one element interface by names made once.
#pragma once

#include <string_view>

#include "document/xml/XmlNode.h"
#include "foundation/EString.h"
#include "foundation/Variant.h"

// For the reads that run over thousands of elements: a task list, the plan's
// tables. Each read asks the DOM once; the text stays until the next read.
class AttributeReader {
public:
    explicit AttributeReader(const XmlNode& element);
    AttributeReader(const AttributeReader&) = delete;
    AttributeReader& operator=(const AttributeReader&) = delete;
    virtual ~AttributeReader() = default;

    // False, and an empty text, when the element has none.
    bool Read(BSTR name);
    std::wstring_view Text() const;

    // Missing gives the empty text.
    EString Text(BSTR name);
    // Missing gives 0; a text that is no whole number raises DISP_E_TYPEMISMATCH.
    long Int(BSTR name);
    // The text just read as Int reads it.
    long IntOfText(BSTR name) const;
    // The leading number; missing, or no finite number, gives 0.
    double Hours(BSTR name);
    double HoursOfText() const;

    // DISP_E_TYPEMISMATCH naming the element, the attribute and the text just read.
    [[noreturn]] void ThrowNotANumber(BSTR name) const;

private:
    const XmlNode& m_node;
    ComPtr<IXMLDOMElement> m_element;
    Variant m_value;
};
