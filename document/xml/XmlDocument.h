// XmlDocument: a DOM document (IXMLDOMDocument).
#pragma once

#include "document/xml/XmlWrapper.h"
#include "foundation/EString.h"

class XmlElement;
class XmlNode;
class XmlNodeList;

class XmlDocument : public XmlWrapper<IXMLDOMDocument, IID_IXMLDOMDocument> {
public:
    using XmlWrapper::XmlWrapper;

    // A new element, not yet in the tree.
    XmlElement CreateElement(const EString& name) const;
    // Empty while the document has no element.
    XmlNode GetDocumentElement() const;
    XmlNode SelectSingleNode(const EString& xpath) const;
    XmlNodeList SelectNodes(const EString& xpath) const;
};
