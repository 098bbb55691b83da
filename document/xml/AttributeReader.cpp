#include "document/xml/AttributeReader.h"

#include <cmath>

#include "document/xml/DecimalText.h"
#include "document/xml/IdText.h"

namespace {

// Enough of a hostile text to recognise it in a message box.
EString Excerpt(std::wstring_view text)
{
    return text.size() <= 40 ? EString(std::wstring(text)) : EString(std::wstring(text.substr(0, 40)) + L"...");
}

} // namespace

AttributeReader::AttributeReader(const XmlNode& element) : m_node(element)
{
    ThrowIfFailed(element.Checked()->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&m_element)));
}

bool AttributeReader::Read(BSTR name)
{
    ThrowIfFailed(m_element->getAttribute(name, m_value.Out()));
    return m_value.vt == VT_BSTR;
}

std::wstring_view AttributeReader::Text() const
{
    if (m_value.vt != VT_BSTR || !m_value.bstrVal)
        return L"";
    return {m_value.bstrVal, ::SysStringLen(m_value.bstrVal)};
}

EString AttributeReader::Text(BSTR name)
{
    Read(name);
    return EString(std::wstring(Text()));
}

long AttributeReader::Int(BSTR name)
{
    return Read(name) ? IntOfText(name) : 0;
}

long AttributeReader::IntOfText(BSTR name) const
{
    const std::wstring_view text = Text();
    long number = 0;
    if (IdText::Parse(text.data(), text.size(), number) == IdText::kNotANumber)
        ThrowNotANumber(name);
    return number;
}

double AttributeReader::Hours(BSTR name)
{
    return Read(name) ? HoursOfText() : 0;
}

double AttributeReader::HoursOfText() const
{
    const std::wstring_view text = Text();
    const double hours = DecimalText::Parse(text.data(), text.size());
    return std::isfinite(hours) ? hours : 0;
}

void AttributeReader::ThrowNotANumber(BSTR name) const
{
    ThrowComError(DISP_E_TYPEMISMATCH,
                  EString::Formatted(L"The %s attribute of a %s element holds \"%s\", which is not a whole number.",
                                     name, m_node.GetName().c_str(), Excerpt(Text()).c_str()));
}
