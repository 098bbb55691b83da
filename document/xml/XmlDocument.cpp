#include "document/xml/XmlDocument.h"

#include "document/xml/XmlElement.h"
#include "document/xml/XmlNode.h"
#include "document/xml/XmlNodeList.h"
#include "foundation/Bstr.h"

XmlElement XmlDocument::CreateElement(const EString& name) const
{
    ComPtr<IXMLDOMElement> element;
    ThrowIfFailed(Checked()->createElement(Bstr(name), &element));
    return element.Get();
}

XmlNode XmlDocument::GetDocumentElement() const
{
    ComPtr<IXMLDOMElement> element;
    ThrowIfFailed(Checked()->get_documentElement(&element));
    return XmlNode(element.Get());
}

XmlNode XmlDocument::SelectSingleNode(const EString& xpath) const
{
    return XmlNode(Checked()).SelectSingleNode(xpath);
}

XmlNodeList XmlDocument::SelectNodes(const EString& xpath) const
{
    return XmlNode(Checked()).SelectNodes(xpath);
}
