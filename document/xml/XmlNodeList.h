// XmlNodeList: a list of DOM nodes (IXMLDOMNodeList), as XPath selections return them.
#pragma once

#include <vector>

#include "document/xml/XmlWrapper.h"

class XmlNode;

class XmlNodeList : public XmlWrapper<IXMLDOMNodeList, IID_IXMLDOMNodeList> {
public:
    using XmlWrapper::XmlWrapper;

    long GetLength() const;
    // Empty when the index is out of range.
    XmlNode GetItem(long index) const;
    // Every node in list order.
    std::vector<XmlNode> GetNodes() const;
    // Only the element nodes, in list order.
    std::vector<XmlNode> GetElements() const;
};
