#include "reports/XslManager.h"

#include "document/xml/MsxmlIds.h"
#include "foundation/Bstr.h"

namespace {

constexpr const wchar_t* kMetaElement = L"META";
constexpr const wchar_t* kNameAttribute = L"NAME";
constexpr const wchar_t* kContentAttribute = L"CONTENT";
constexpr const wchar_t* kHeadElement = L"HEAD";

} // namespace

XslManager::XslManager(const EString& path)
{
    Load(path);
}

void XslManager::Load(const EString& path)
{
    XmlDoc::Load(path);
    ComPtr<IXMLDOMDocument2> document;
    ThrowIfFailed(m_document->QueryInterface(IID_IXMLDOMDocument2, reinterpret_cast<void**>(&document)));
    ThrowIfFailed(document->setProperty(Bstr(L"SelectionNamespaces"),
                                        Variant(L"xmlns:xsl='http://www.w3.org/1999/XSL/Transform'")));
    ThrowIfFailed(document->setProperty(Bstr(L"SelectionLanguage"), Variant(L"XPath")));
}

bool XslManager::HasNode(const EString& xpath)
{
    return static_cast<bool>(GetDocument(false).SelectSingleNode(xpath));
}

void XslManager::GetIncludes(std::vector<EString>& includes)
{
    for (const XmlNode& include : GetDocument(false).SelectNodes(L"//xsl:include").GetElements())
        includes.push_back(GetTextAttribute(include, L"href"));
}

XmlNode XslManager::FindReportNameElement()
{
    return GetDocument(false).SelectSingleNode(
        EString::Formatted(L"//%s[@%s=\"Report\"]", kMetaElement, kNameAttribute));
}

EString XslManager::GetReportName()
{
    const XmlNode element = FindReportNameElement();
    return element ? GetTextAttribute(element, kContentAttribute) : EString();
}

void XslManager::SetReportName(const EString& name)
{
    XmlNode element = FindReportNameElement();
    if (!element) {
        const XmlNode head = GetDocument(false).SelectSingleNode(EString::Formatted(L"//%s", kHeadElement));
        if (!head)
            return;
        element = AddChildElement(head, kMetaElement);
        SetAttribute(element, kNameAttribute, L"Report");
    }
    SetAttribute(element, kContentAttribute, name);
}
