#include "reports/XslProcessor.h"

#include <algorithm>
#include <set>
#include <vector>

#include "document/xml/MsxmlClasses.h"
#include "document/xml/MsxmlIds.h"
#include "document/xml/XmlElement.h"
#include "document/xml/XmlFileText.h"
#include "document/xml/XmlProlog.h"
#include "foundation/Bstr.h"
#include "foundation/FileSystem.h"

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

// Calls `visit` with the stylesheet's root, each of its top-level elements in
// the XSLT namespace and that element's local name.
template <class Visit>
void ForEachTopLevelXslElement(const XmlDocument& stylesheet, Visit&& visit)
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
        if (type == NODE_ELEMENT && space.ToString() == kXslNamespace &&
            SUCCEEDED(child->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&element))))
            visit(*root.Get(), *element.Get(), baseName.ToString());
        child = next;
    }
}

// Parameters become the selected values of the stylesheet's own top-level
// parameters. Wine's processor takes parameters as texts only and keeps the
// very strings it is handed (freeing them with itself): written into the
// stylesheet, numbers stay numbers and nothing is shared.
void SetTopLevelParameter(const XmlDocument& stylesheet, const EString& name, const EString& literal)
{
    ForEachTopLevelXslElement(stylesheet, [&](IXMLDOMElement&, IXMLDOMElement& element, const EString& baseName) {
        if (baseName != L"param")
            return;
        Variant declared;
        element.getAttribute(Bstr(L"name"), declared.Out());
        if (declared.vt != VT_BSTR || declared.ToString() != name)
            return;
        // A default given as content would clash with a select.
        ComPtr<IXMLDOMNode> content;
        while (SUCCEEDED(element.get_firstChild(&content)) && content) {
            ComPtr<IXMLDOMNode> removed;
            ThrowIfFailed(element.removeChild(content.Get(), &removed));
            content = nullptr;
        }
        ThrowIfFailed(element.setAttribute(Bstr(L"select"), Variant(literal)));
    });
}

// The mark template: for the root, above every template the stylesheet can
// hold (it comes last, so it wins a tie too).
void AppendMarkTemplate(const XmlDocument& stylesheet)
{
    ComPtr<IXMLDOMElement> root;
    ThrowIfFailed(stylesheet->get_documentElement(&root));
    ComPtr<IXMLDOMNode> created;
    ThrowIfFailed(stylesheet->createNode(Variant(static_cast<long>(NODE_ELEMENT)), Bstr(L"xsl:template"),
                                         Bstr(kXslNamespace), &created));
    const XmlElement mark(created.Get());
    mark.SetAttribute(L"match", L"/");
    mark.SetAttribute(L"priority", L"999999999");
    ComPtr<IXMLDOMText> text;
    ThrowIfFailed(stylesheet->createTextNode(Bstr(L"mark"), &text));
    ComPtr<IXMLDOMNode> added;
    ThrowIfFailed(created->appendChild(text.Get(), &added));
    added = nullptr;
    ThrowIfFailed(root->appendChild(created.Get(), &added));
}

XmlDocument CreateFreeThreaded()
{
    const XmlDocument document = CreateDomDocument(kFreeThreadedDomDocumentProgIds);
    // Stylesheets and reports read as written: no blank text kept as nodes.
    ThrowIfFailed(document->put_preserveWhiteSpace(VARIANT_FALSE));
    return document;
}

[[noreturn]] void ThrowParseError(const XmlDocument& document)
{
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

XmlDocument ParseFreeThreaded(const Bstr& text)
{
    const XmlDocument document = CreateFreeThreaded();
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const HRESULT hr = document->loadXML(text, &loaded);
    if (FAILED(hr) || loaded != VARIANT_TRUE)
        ThrowParseError(document);
    return document;
}

// A path as a file address: the signs that would end or escape a path in an
// address are escaped, anything else the loader takes as it is.
EString FileUrl(const EString& path)
{
    // A shared folder's path starts with its server's name, after two backslashes.
    EString url = path.starts_with(L"\\\\") ? L"file:" : L"file:///";
    for (const wchar_t c : path) {
        if (c == L'\\')
            url += L'/';
        else if (c == L'%' || c == L'#' || c == L'?')
            url += EString::Formatted(L"%%%02X", static_cast<unsigned>(c));
        else
            url += c;
    }
    return url;
}

EString CaseFolded(EString path)
{
    ::CharLowerBuffW(path.data(), static_cast<DWORD>(path.size()));
    return path;
}

bool HasBaseOfItsOwn(IXMLDOMElement* element)
{
    Variant base;
    element->getAttribute(Bstr(L"xml:base"), base.Out());
    return base.vt == VT_BSTR;
}

// A path relative to the stylesheet, which the processor resolves as the
// checks below do: no drive, root, web address or escapes.
bool IsPlainRelativePath(const EString& reference)
{
    return !reference.IsEmpty() && reference.front() != L'/' && reference.front() != L'\\' &&
           reference.find_first_of(L":%?#") == EString::npos;
}

// The hrefs of the stylesheet's top-level xsl:include and xsl:import
// elements. One under a base of its own is refused: the processor would
// resolve it elsewhere than the checks below.
std::vector<EString> NamedStylesheets(const XmlDocument& stylesheet, const EString& path)
{
    std::vector<EString> references;
    ForEachTopLevelXslElement(stylesheet, [&](IXMLDOMElement& root, IXMLDOMElement& element, const EString& baseName) {
        Variant href;
        if ((baseName != L"include" && baseName != L"import") ||
            FAILED(element.getAttribute(Bstr(L"href"), href.Out())) || href.vt != VT_BSTR)
            return;
        const EString reference = href.ToString();
        if (!IsPlainRelativePath(reference) || HasBaseOfItsOwn(&root) || HasBaseOfItsOwn(&element))
            ThrowComError(E_INVALIDARG,
                          EString::Formatted(L"The stylesheet %s names \"%s\": a report's stylesheet includes "
                                             L"and imports other files only by their path relative to itself.",
                                             path.c_str(), reference.c_str()));
        references.push_back(reference);
    });
    return references;
}

// The processor reads the files that xsl:include and xsl:import name by
// itself, expanding document types and external entities as it goes. So each
// one is read here first, as the program reads any file, and refused when it
// is missing or declares a document type. One that names a stylesheet it is
// named by is refused too: the processor would follow the circle for ever.
void CheckNamedStylesheets(const XmlDocument& stylesheet, const EString& path, std::vector<EString>& chain,
                           std::set<EString>& checked)
{
    for (const EString& reference : NamedStylesheets(stylesheet, path)) {
        const EString target = FileSystem::GetFullPath(FileSystem::JoinPath(FileSystem::GetFolder(path), reference));
        const EString key = CaseFolded(target);
        if (std::find(chain.begin(), chain.end(), key) != chain.end())
            ThrowComError(E_INVALIDARG, EString::Formatted(L"The stylesheet %s names %s, which leads back to it.",
                                                           path.c_str(), target.c_str()));
        if (!checked.insert(key).second)
            continue;
        if (!FileSystem::FileExists(target))
            ThrowComError(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND),
                          EString::Formatted(L"The stylesheet %s names %s, which does not exist.", path.c_str(),
                                             target.c_str()));
        const Bstr text = XmlFileText::ReadToBstr(target);
        if (XmlProlog::HasDocumentType(std::wstring_view(text.Get(), text.Length())))
            ThrowComError(E_INVALIDARG,
                          EString::Formatted(L"The stylesheet %s, which %s names, declares a document type, which "
                                             L"a stylesheet that a report includes or imports may not.",
                                             target.c_str(), path.c_str()));
        chain.push_back(key);
        CheckNamedStylesheets(ParseFreeThreaded(text), target, chain, checked);
        chain.pop_back();
    }
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
    // Read first, so a file that cannot be read or decoded says why.
    XmlFileText::ReadToBstr(path);
    // Loaded by its path, not from its text: that path is the base against
    // which the processor finds the files its includes and imports name.
    const EString fullPath = FileSystem::GetFullPath(path);
    const XmlDocument document = CreateFreeThreaded();
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const HRESULT hr = document->load(Variant(FileUrl(fullPath)), &loaded);
    if (FAILED(hr) || loaded != VARIANT_TRUE)
        ThrowParseError(document);
    std::vector<EString> chain{CaseFolded(fullPath)};
    std::set<EString> checked(chain.begin(), chain.end());
    CheckNamedStylesheets(document, fullPath, chain, checked);
    m_stylesheet = document;
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

bool XSLProcessor::CompilesStylesheet()
{
    ComPtr<IXMLDOMNode> copy;
    ThrowIfFailed(m_stylesheet->cloneNode(VARIANT_TRUE, &copy));
    XSLProcessor check;
    check.m_stylesheet = XmlDocument(copy.Get());
    // A stylesheet whose root is no xsl:stylesheet is one template itself,
    // which writes its root element whenever it compiles.
    bool standsAlone = true;
    ComPtr<IXMLDOMElement> root;
    ThrowIfFailed(check.m_stylesheet->get_documentElement(&root));
    Bstr space;
    Bstr baseName;
    if (root) {
        root->get_namespaceURI(&space);
        root->get_baseName(&baseName);
        standsAlone = space.ToString() != kXslNamespace ||
                      (baseName.ToString() != L"stylesheet" && baseName.ToString() != L"transform");
    }
    if (!standsAlone)
        AppendMarkTemplate(check.m_stylesheet);
    check.LoadInputXml(L"<ROOT/>");
    return !check.Transform().IsEmpty();
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
