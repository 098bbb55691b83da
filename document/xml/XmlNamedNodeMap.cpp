#include "document/xml/XmlNamedNodeMap.h"

#include "document/xml/XmlNode.h"
#include "foundation/Bstr.h"

long XmlNamedNodeMap::GetLength() const
{
    long length = 0;
    ThrowIfFailed(Checked()->get_length(&length));
    return length;
}

XmlNode XmlNamedNodeMap::GetItem(long index) const
{
    ComPtr<IXMLDOMNode> node;
    ThrowIfFailed(Checked()->get_item(index, &node));
    return node.Get();
}

XmlNode XmlNamedNodeMap::GetNamedItem(const EString& name) const
{
    ComPtr<IXMLDOMNode> node;
    ThrowIfFailed(Checked()->getNamedItem(Bstr(name), &node));
    return node.Get();
}
