#include "document/xml/XmlElement.h"

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
    ThrowIfFailed(Checked()->setAttribute(Bstr(name), Variant(value)));
}

void XmlElement::RemoveAttribute(const EString& name) const
{
    ThrowIfFailed(Checked()->removeAttribute(Bstr(name)));
}
