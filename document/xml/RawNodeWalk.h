// RawNodeWalk: the bare DOM steps of the walks that visit every node of a plan,
// where the wrappers' extra checks would cost more than the walk itself.
#pragma once

#include <msxml2.h>

#include "foundation/ComPtr.h"

namespace RawNodeWalk {

inline ComPtr<IXMLDOMNode> FirstChild(IXMLDOMNode* node)
{
    ComPtr<IXMLDOMNode> child;
    ThrowIfFailed(node->get_firstChild(&child));
    return child;
}

inline ComPtr<IXMLDOMNode> NextSibling(IXMLDOMNode* node)
{
    ComPtr<IXMLDOMNode> sibling;
    ThrowIfFailed(node->get_nextSibling(&sibling));
    return sibling;
}

inline bool IsElement(IXMLDOMNode* node)
{
    DOMNodeType type = NODE_INVALID;
    ThrowIfFailed(node->get_nodeType(&type));
    return type == NODE_ELEMENT;
}

} // namespace RawNodeWalk
