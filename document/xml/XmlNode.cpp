#include "document/xml/XmlNode.h"

#include <utility>

#include "document/xml/StorableXmlText.h"
#include "document/xml/XmlDocument.h"
#include "document/xml/XmlNamedNodeMap.h"
#include "document/xml/XmlNodeList.h"
#include "foundation/Bstr.h"

namespace {

ComPtr<IUnknown> Identity(IXMLDOMNode* node)
{
    ComPtr<IUnknown> identity;
    if (node)
        ThrowIfFailed(node->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
    return identity;
}

long Position(const XmlNode& node)
{
    long position = 0;
    for (XmlNode sibling = node.GetPreviousSibling(); sibling; sibling = sibling.GetPreviousSibling())
        ++position;
    return position;
}

XmlNode FirstElementFrom(XmlNode node)
{
    while (node && !node.IsElement())
        node = node.GetNextSibling();
    return node;
}

} // namespace

EString XmlNode::GetName() const
{
    Bstr name;
    ThrowIfFailed(Checked()->get_nodeName(&name));
    return name.ToString();
}

bool XmlNode::HasName(std::wstring_view name) const
{
    Bstr own;
    ThrowIfFailed(Checked()->get_nodeName(&own));
    return std::wstring_view(own.Get() ? own.Get() : L"", own.Length()) == name;
}

DOMNodeType XmlNode::GetType() const
{
    DOMNodeType type = NODE_INVALID;
    ThrowIfFailed(Checked()->get_nodeType(&type));
    return type;
}

bool XmlNode::IsElement() const
{
    return !IsEmpty() && GetType() == NODE_ELEMENT;
}

bool XmlNode::IsSameNode(const XmlNode& other) const
{
    if (Identity(Checked()) == Identity(other.Get()))
        return true;
    if (!other)
        return false;
    // MSXML under Wine hands out a new object at every access to a node, so
    // nodes are compared by their place: the same position in the same parent.
    const DOMNodeType type = GetType();
    if (type != other.GetType())
        return false;
    const XmlNode parent = GetParent(), otherParent = other.GetParent();
    if (!parent || !otherParent)
        return !parent && !otherParent && type == NODE_DOCUMENT;
    return Position(*this) == Position(other) && parent.IsSameNode(otherParent);
}

XmlNode XmlNode::GetParent() const
{
    ComPtr<IXMLDOMNode> parent;
    ThrowIfFailed(Checked()->get_parentNode(&parent));
    return parent.Get();
}

XmlNode XmlNode::GetFirstChild() const
{
    ComPtr<IXMLDOMNode> child;
    ThrowIfFailed(Checked()->get_firstChild(&child));
    return child.Get();
}

XmlNode XmlNode::GetNextSibling() const
{
    ComPtr<IXMLDOMNode> sibling;
    ThrowIfFailed(Checked()->get_nextSibling(&sibling));
    return sibling.Get();
}

XmlNode XmlNode::GetPreviousSibling() const
{
    ComPtr<IXMLDOMNode> sibling;
    ThrowIfFailed(Checked()->get_previousSibling(&sibling));
    return sibling.Get();
}

XmlNode XmlNode::GetFirstChildElement() const
{
    return FirstElementFrom(GetFirstChild());
}

XmlNode XmlNode::GetNextElement() const
{
    return FirstElementFrom(GetNextSibling());
}

XmlNode XmlNode::GetPreviousElement() const
{
    XmlNode node = GetPreviousSibling();
    while (node && !node.IsElement())
        node = node.GetPreviousSibling();
    return node;
}

std::vector<XmlNode> XmlNode::GetChildElements() const
{
    std::vector<XmlNode> elements;
    for (XmlNode child = GetFirstChildElement(); child; child = child.GetNextElement())
        elements.push_back(child);
    return elements;
}

XmlNode XmlNode::SelectSingleNode(const EString& xpath) const
{
    ComPtr<IXMLDOMNode> node;
    ThrowIfFailed(Checked()->selectSingleNode(Bstr(xpath), &node));
    return node.Get();
}

XmlNodeList XmlNode::SelectNodes(const EString& xpath) const
{
    ComPtr<IXMLDOMNodeList> nodes;
    ThrowIfFailed(Checked()->selectNodes(Bstr(xpath), &nodes));
    return nodes.Get();
}

XmlNode XmlNode::AppendChild(const XmlNode& child) const
{
    // MSXML under Wine may crash, now or later, on an insert of a node that
    // still stands in the tree: a move takes it out first.
    if (const XmlNode parent = child.GetParent())
        parent.RemoveChild(child);
    ComPtr<IXMLDOMNode> added;
    ThrowIfFailed(Checked()->appendChild(child.Checked(), &added));
    return added.Get();
}

void XmlNode::RemoveChild(const XmlNode& child) const
{
    ComPtr<IXMLDOMNode> removed;
    ThrowIfFailed(Checked()->removeChild(child.Checked(), &removed));
}

void XmlNode::RemoveFromParent() const
{
    GetParent().RemoveChild(*this);
}

XmlDocument XmlNode::GetOwnerDocument() const
{
    ComPtr<IXMLDOMDocument> document;
    ThrowIfFailed(Checked()->get_ownerDocument(&document));
    return document.Get();
}

XmlNamedNodeMap XmlNode::GetAttributes() const
{
    ComPtr<IXMLDOMNamedNodeMap> attributes;
    ThrowIfFailed(Checked()->get_attributes(&attributes));
    return attributes.Get();
}

Variant XmlNode::GetValue() const
{
    Variant value;
    ThrowIfFailed(Checked()->get_nodeValue(value.Out()));
    return value;
}

void XmlNode::SetValue(const Variant& value) const
{
    // A character XML cannot hold would be written as it is, and the file would not read again.
    std::wstring cleaned;
    if (value.vt == VT_BSTR &&
        StorableXmlText({value.bstrVal, ::SysStringLen(value.bstrVal)}, cleaned).data() != value.bstrVal) {
        ThrowIfFailed(Checked()->put_nodeValue(Variant(EString(std::move(cleaned)))));
        return;
    }
    ThrowIfFailed(Checked()->put_nodeValue(value));
}

EString XmlNode::GetXml() const
{
    Bstr xml;
    ThrowIfFailed(Checked()->get_xml(&xml));
    return xml.ToString();
}
