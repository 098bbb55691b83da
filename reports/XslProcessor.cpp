#include "reports/XslProcessor.h"

#include "document/xml/MsxmlClasses.h"
#include "document/xml/MsxmlIds.h"
#include "document/xml/XmlFileText.h"
#include "foundation/Bstr.h"

namespace {

// The stylesheet of a template must be free-threaded.
constexpr const wchar_t* kTemplateProgIds[] = {L"Msxml2.XSLTemplate.4.0", L"Msxml2.XSLTemplate.6.0"};
constexpr const wchar_t* kXslNamespace = L"http://www.w3.org/1999/XSL/Transform";

// A text as an XPath string literal; one holding both kinds of quote is joined with concat().
EString XPathStringLiteral(const EString& text)
{
    if (text.find(L'\'') == EString::npos)
        return L"'" + text + L"'";
    if (text.find(L'"') == EString::npos)
        return L"\"" + text + L"\"";
    EString joined = L"concat(''";
    for (const wchar_t c : text) {
        if (c == L'\'')
            joined += L", \"'\"";
        else
            joined += EString(L", '") + c + L"'";
    }
    return joined + L")";
}

// Parameters become the selected values of the stylesheet's own top-level
// parameters. Wine's processor takes parameters as texts only and keeps the
// very strings it is handed (freeing them with itself): written into the
// stylesheet, numbers stay numbers and nothing is shared.
void SetTopLevelParameter(const XmlDocument& stylesheet, const EString& name, const EString& literal)
{
    ComPtr<IXMLDOMElement> root;
    ThrowIfFailed(stylesheet->get_documentElement(&root));
    if (!root)
        return;
    ComPtr<IXMLDOMNode> child;
    ThrowIfFailed(root->get_firstChild(&child));
    while (child) {
        ComPtr<IXMLDOMNode> next;
        ThrowIfFailed(child->get_nextSibling(&next));
        Bstr space;
        Bstr baseName;
        DOMNodeType type = NODE_INVALID;
        child->get_nodeType(&type);
        child->get_namespaceURI(&space);
        child->get_baseName(&baseName);
        ComPtr<IXMLDOMElement> element;
        if (type == NODE_ELEMENT && space.ToString() == kXslNamespace && baseName.ToString() == L"param" &&
            SUCCEEDED(child->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&element)))) {
            Variant declared;
            element->getAttribute(Bstr(L"name"), declared.Out());
            if (declared.vt == VT_BSTR && declared.ToString() == name) {
                // A default given as content would clash with a select.
                ComPtr<IXMLDOMNode> content;
                while (SUCCEEDED(element->get_firstChild(&content)) && content) {
                    ComPtr<IXMLDOMNode> removed;
                    ThrowIfFailed(element->removeChild(content.Get(), &removed));
                    content = nullptr;
                }
                ThrowIfFailed(element->setAttribute(Bstr(L"select"), Variant(literal)));
            }
        }
        child = next;
    }
}

XmlDocument ParseFreeThreaded(const Bstr& text)
{
    const XmlDocument document = CreateDomDocument(kFreeThreadedDomDocumentProgIds);
    // Stylesheets and reports read as written: no blank text kept as nodes.
    ThrowIfFailed(document->put_preserveWhiteSpace(VARIANT_FALSE));
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const HRESULT hr = document->loadXML(text, &loaded);
    if (SUCCEEDED(hr) && loaded == VARIANT_TRUE)
        return document;
    EString reason;
    ComPtr<IXMLDOMParseError> error;
    if (SUCCEEDED(document->get_parseError(&error)) && error) {
        Bstr text;
        long line = 0;
        error->get_reason(&text);
        error->get_line(&line);
        reason = text.ToString().Trim(L" \t\r\n");
        if (line > 0)
            reason += EString::Formatted(L" (line %ld)", line);
    }
    ThrowComError(E_INVALIDARG, reason.IsEmpty() ? EString(L"The XML text is not well-formed.")
                                                 : L"The XML text is not well-formed: " + reason);
}

} // namespace

XmlDocument ParseFreeThreadedXml(const EString& text)
{
    return ParseFreeThreaded(Bstr(text));
}

void XSLProcessor::LoadInputXml(const EString& text)
{
    m_input = ParseFreeThreadedXml(text);
}

void XSLProcessor::LoadStylesheetXml(const EString& text)
{
    m_stylesheet = ParseFreeThreadedXml(text);
}

void XSLProcessor::LoadInputFile(const EString& path)
{
    m_input = ParseFreeThreaded(XmlFileText::ReadToBstr(path));
}

void XSLProcessor::LoadStylesheetFile(const EString& path)
{
    m_stylesheet = ParseFreeThreaded(XmlFileText::ReadToBstr(path));
}

void XSLProcessor::SetInputDocument(const XmlDocument& document)
{
    m_input = document;
}

void XSLProcessor::AddParameterInt(const EString& name, int value)
{
    AddParameter(name, Variant(static_cast<long>(value)));
}

void XSLProcessor::AddParameterString(const EString& name, const EString& value)
{
    AddParameter(name, Variant(value));
}

void XSLProcessor::AddParameter(const EString& name, const Variant& value)
{
    if (m_processor)
        ThrowComError(E_UNEXPECTED, L"Report parameters come before the transformation.");
    EString literal;
    if (value.vt == VT_BSTR) {
        literal = XPathStringLiteral(value.ToString());
    } else {
        Variant text;
        ThrowIfFailed(
            ::VariantChangeTypeEx(text.Out(), const_cast<Variant*>(&value), LOCALE_INVARIANT, 0, VT_BSTR));
        literal = text.ToString();
    }
    m_parameters.emplace_back(name, literal);
}

EString XSLProcessor::Transform()
{
    VARIANT_BOOL done = VARIANT_FALSE;
    ThrowIfFailed(GetProcessor()->transform(&done));
    if (done != VARIANT_TRUE)
        ThrowComError(E_FAIL, L"The report stylesheet could not be applied to the plan.");
    Variant output;
    ThrowIfFailed(m_processor->get_output(output.Out()));
    return output.ToString();
}

IXSLTemplate* XSLProcessor::GetTemplate()
{
    if (!m_template)
        CreateFirstAvailable(kTemplateProgIds, IID_IXSLTemplate, reinterpret_cast<void**>(&m_template));
    return m_template.Get();
}

IXSLProcessor* XSLProcessor::GetProcessor()
{
    if (m_processor)
        return m_processor.Get();
    IXSLTemplate* xslTemplate = GetTemplate();
    for (const auto& [name, literal] : m_parameters)
        SetTopLevelParameter(m_stylesheet, name, literal);
    ThrowIfFailed(xslTemplate->putref_stylesheet(m_stylesheet.Checked()));
    ComPtr<IXSLProcessor> processor;
    ThrowIfFailed(xslTemplate->createProcessor(&processor));
    ThrowIfFailed(processor->put_input(Variant(static_cast<IUnknown*>(m_input.Checked()))));
    m_processor = processor;
    return m_processor.Get();
}
