#include "document/xml/XmlNodeList.h"

#include "document/xml/XmlNode.h"

long XmlNodeList::GetLength() const
{
    long length = 0;
    ThrowIfFailed(Checked()->get_length(&length));
    return length;
}

XmlNode XmlNodeList::GetItem(long index) const
{
    ComPtr<IXMLDOMNode> node;
    ThrowIfFailed(Checked()->get_item(index, &node));
    return node.Get();
}

std::vector<XmlNode> XmlNodeList::GetNodes() const
{
    // nextNode walks the list in one pass; item(i) may start from the front each time.
    std::vector<XmlNode> nodes;
    IXMLDOMNodeList* list = Checked();
    ThrowIfFailed(list->reset());
    for (;;) {
        ComPtr<IXMLDOMNode> node;
        ThrowIfFailed(list->nextNode(&node));
        if (!node)
            break;
        nodes.emplace_back(node.Get());
    }
    return nodes;
}

std::vector<XmlNode> XmlNodeList::GetElements() const
{
    std::vector<XmlNode> elements;
    for (XmlNode& node : GetNodes())
        if (node.IsElement())
            elements.push_back(std::move(node));
    return elements;
}
