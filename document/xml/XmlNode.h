// XmlNode: a DOM node (IXMLDOMNode); the handle the element layer passes around.
#pragma once

#include <string_view>
#include <vector>

#include "document/xml/XmlWrapper.h"
#include "foundation/EString.h"
#include "foundation/Variant.h"

class XmlDocument;
class XmlNamedNodeMap;
class XmlNodeList;

class XmlNode : public XmlWrapper<IXMLDOMNode, IID_IXMLDOMNode> {
public:
    using XmlWrapper::XmlWrapper;

    EString GetName() const;
    // Compares without making a text of the name.
    bool HasName(std::wstring_view name) const;
    DOMNodeType GetType() const;
    // False for an empty wrapper as well.
    bool IsElement() const;
    // Within one document: any two document nodes count as the same.
    bool IsSameNode(const XmlNode& other) const;

    // Empty when there is no such node.
    XmlNode GetParent() const;
    XmlNode GetFirstChild() const;
    XmlNode GetNextSibling() const;
    XmlNode GetPreviousSibling() const;

    // Element-only navigation: hand-edited files carry comments and processing
    // instructions between the elements, and none of those is ever an entry.
    XmlNode GetFirstChildElement() const;
    XmlNode GetNextElement() const;
    XmlNode GetPreviousElement() const;
    std::vector<XmlNode> GetChildElements() const;

    XmlNode SelectSingleNode(const EString& xpath) const;
    XmlNodeList SelectNodes(const EString& xpath) const;

    XmlNode AppendChild(const XmlNode& child) const;
    void RemoveChild(const XmlNode& child) const;
    // A node without a parent raises E_POINTER.
    void RemoveFromParent() const;

    XmlDocument GetOwnerDocument() const;
    XmlNamedNodeMap GetAttributes() const;
    Variant GetValue() const;
    // A text loses the characters XML cannot hold (StorableXmlText).
    void SetValue(const Variant& value) const;
    EString GetXml() const;
};
