// XmlNamedNodeMap: the attributes of an element (IXMLDOMNamedNodeMap).
#pragma once

#include "document/xml/XmlWrapper.h"
#include "foundation/EString.h"

class XmlNode;

class XmlNamedNodeMap : public XmlWrapper<IXMLDOMNamedNodeMap, IID_IXMLDOMNamedNodeMap> {
public:
    using XmlWrapper::XmlWrapper;

    long GetLength() const;
    XmlNode GetItem(long index) const;
    // Empty when there is no node of that name.
    XmlNode GetNamedItem(const EString& name) const;
};
