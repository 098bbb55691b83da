#include "document/xml/XmlElement.h"

#include "document/xml/StorableXmlText.h"
#include "foundation/Bstr.h"

EString XmlElement::GetTagName() const
{
    Bstr name;
    ThrowIfFailed(Checked()->get_tagName(&name));
    return name.ToString();
}

Variant XmlElement::GetAttribute(const EString& name) const
{
    Variant value;
    ThrowIfFailed(Checked()->getAttribute(Bstr(name), value.Out()));
    // A missing attribute comes back as VT_NULL.
    if (value.vt == VT_NULL)
        value.Clear();
    return value;
}

void XmlElement::SetAttribute(const EString& name, const EString& value) const
{
    // A character XML cannot hold would be written as it is, and the file would not read again.
    std::wstring cleaned;
    const std::wstring_view text = StorableXmlText(value, cleaned);
    Variant stored;
    stored.vt = VT_BSTR;
    stored.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    ThrowIfFailed(Checked()->setAttribute(Bstr(name), stored));
}

void XmlElement::RemoveAttribute(const EString& name) const
{
    ThrowIfFailed(Checked()->removeAttribute(Bstr(name)));
}
