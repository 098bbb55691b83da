// XmlElement: a DOM element (IXMLDOMElement) with its attributes.
#pragma once

#include "document/xml/XmlWrapper.h"
#include "foundation/EString.h"
#include "foundation/Variant.h"

class XmlElement : public XmlWrapper<IXMLDOMElement, IID_IXMLDOMElement> {
public:
    using XmlWrapper::XmlWrapper;

    EString GetTagName() const;
    // The attribute's text, or an empty VARIANT (VT_EMPTY) when it is missing.
    Variant GetAttribute(const EString& name) const;
    // Creates the attribute when missing. The characters XML cannot hold are
    // left out of the value (StorableXmlText).
    void SetAttribute(const EString& name, const EString& value) const;
    // Nothing happens when it is missing.
    void RemoveAttribute(const EString& name) const;
};
