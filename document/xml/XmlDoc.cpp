#include "document/xml/XmlDoc.h"

#include <windows.h>
#include <oleauto.h>

#include "document/xml/ElementDepth.h"
#include "document/xml/MsxmlClasses.h"
#include "document/xml/PlanReadAhead.h"
#include "document/xml/StorableXmlText.h"
#include "document/xml/XmlFileText.h"
#include "document/xml/XmlFileWriter.h"
#include "document/xml/XmlProlog.h"
#include "document/xml/XmlWellFormed.h"
#include "foundation/AtomicFileWriter.h"
#include "foundation/Bstr.h"
#include "foundation/Locale.h"

namespace {

// Every failed load is reported with this one code; the description says why.
constexpr HRESULT kLoadFailed = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
constexpr HRESULT kRefusedText = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);

// For calls that leave no error object behind: a stale one must not lend its text.
void Check(HRESULT hr)
{
    if (FAILED(hr))
        ThrowComError(hr, EString());
}

// The XML reader refuses elements nested deeper than this, with no word of why.
constexpr size_t kDeepestReadable = 256;

[[noreturn]] void ThrowParseError(const XmlDocument& document, std::wstring_view text)
{
    ComPtr<IXMLDOMParseError> error;
    ThrowIfFailed(document->get_parseError(&error));
    long code = 0, line = 0, column = 0;
    Bstr reason;
    error->get_errorCode(&code);
    error->get_line(&line);
    error->get_linepos(&column);
    error->get_reason(&reason);
    EString description = reason.ToString().Trim(L" \t\r\n");
    // MSXML under Wine gives the bare word "error" whatever the fault.
    if (description.IsEmpty() || description.CompareNoCase(L"error") == 0)
        description = L"The XML text is not well-formed.";
    if (const size_t depth = DeepestElement(text); depth > kDeepestReadable)
        description = EString::Formatted(L"The XML text nests its elements %u deep; no more than %u levels "
                                         L"can be read.",
                                         static_cast<unsigned>(depth), static_cast<unsigned>(kDeepestReadable));
    if (line > 0)
        description += EString::Formatted(L" (line %ld, column %ld)", line, column);
    ThrowComError(FAILED(code) ? static_cast<HRESULT>(code) : E_FAIL, description);
}

// A declaration names the encoding of the text it came in, but the document is
// always saved as UTF-8: kept, it would make the saved file lie about itself.
void RemoveXmlDeclaration(const XmlDocument& document)
{
    const XmlNode first = XmlNode(document.Get()).GetFirstChild();
    if (first && first.GetType() == NODE_PROCESSING_INSTRUCTION && first.GetName() == L"xml")
        first.RemoveFromParent();
}

// The reader takes a text longer than it holds as far as it holds it and
// drops the rest of the document without a word: such a document is refused
// before it is parsed. Below the limit in bytes none can be too long.
void RefuseTextsTooLong(std::string_view utf8)
{
    if (utf8.size() <= kLongestReadableText)
        return;
    const std::optional<XmlFault> fault = FindXmlFault(utf8);
    if (!fault || !fault->tooLong)
        return;
    EString reason = fault->reason;
    reason[0] = static_cast<wchar_t>(::towupper(reason[0]));
    ThrowComError(kRefusedText, reason + L"; the rest would be lost after it, so nothing was read.");
}

void RefuseTextsTooLong(std::wstring_view text)
{
    // A UTF-16 unit is at most 3 bytes of UTF-8.
    if (text.size() * 3 <= kLongestReadableText)
        return;
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    if (size <= 0)
        return;
    std::string utf8(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
    RefuseTextsTooLong(std::string_view(utf8));
}

// Parses into a fresh document, so a text that does not parse never touches
// the one in use.
XmlDocument ParseText(const Bstr& source, bool freeThreaded = false)
{
    const std::wstring_view text(source.Get() ? source.Get() : L"", source.Length());
    if (text.find(L'\0') != std::wstring_view::npos)
        ThrowComError(kRefusedText, L"The XML text contains a NUL character.");
    RefuseTextsTooLong(text);
    if (XmlProlog::HasDocumentType(text))
        ThrowComError(kRefusedText, L"The XML text declares a document type (DTD), which is not accepted.");
    // The line-end handling every XML parser does first, done here because
    // MSXML under Wine drops a CR LF that ends a text. The program's own
    // files hold no CR, and are parsed as they were read.
    const size_t firstReturn = text.find(L'\r');
    Bstr normalized;
    if (firstReturn != std::wstring_view::npos) {
        EString lines;
        lines.reserve(text.size());
        lines.assign(text.substr(0, firstReturn));
        for (size_t i = firstReturn; i < text.size(); ++i) {
            if (text[i] != L'\r')
                lines += text[i];
            else if (i + 1 == text.size() || text[i + 1] != L'\n')
                lines += L'\n';
        }
        normalized = Bstr(lines);
    }
    XmlDocument document = XmlDoc::CreateDocument(freeThreaded);
    VARIANT_BOOL parsed = VARIANT_FALSE;
    ThrowIfFailed(document->loadXML(firstReturn == std::wstring_view::npos ? source.Get() : normalized.Get(), &parsed));
    if (parsed != VARIANT_TRUE)
        ThrowParseError(document, text);
    RemoveXmlDeclaration(document);
    return document;
}

// The parse of UTF-8 bytes as MSXML reads them from an array: no decoded copy
// of a plan of many megabytes, and no conversion inside the parser. Empty
// when they do not parse.
XmlDocument ParseBytes(std::string_view bytes, bool freeThreaded)
{
    XmlDocument document = XmlDoc::CreateDocument(freeThreaded);
    SAFEARRAY* array = nullptr;
    Check(::SafeArrayAllocDescriptor(1, &array));
    // An array over the bytes where they are, which destroying it leaves alone.
    array->cbElements = 1;
    array->fFeatures = FADF_AUTO | FADF_FIXEDSIZE;
    array->pvData = const_cast<char*>(bytes.data());
    array->rgsabound[0].cElements = static_cast<ULONG>(bytes.size());
    array->rgsabound[0].lLbound = 0;
    VARIANT source;
    ::VariantInit(&source);
    source.vt = VT_ARRAY | VT_UI1;
    source.parray = array;
    VARIANT_BOOL parsed = VARIANT_FALSE;
    const HRESULT hr = document.Get()->load(source, &parsed);
    ::SafeArrayDestroyDescriptor(array);
    if (FAILED(hr) || parsed != VARIANT_TRUE)
        return XmlDocument();
    RemoveXmlDeclaration(document);
    return document;
}

void AppendText(const XmlNode& node, EString& text)
{
    for (XmlNode child = node.GetFirstChild(); child; child = child.GetNextSibling()) {
        switch (child.GetType()) {
        case NODE_TEXT:
        case NODE_CDATA_SECTION:
            // Most descriptions are one text node.
            if (text.empty())
                text = child.GetValue().ToString();
            else
                text += child.GetValue().ToString();
            break;
        case NODE_ELEMENT:
        case NODE_ENTITY_REFERENCE:
            AppendText(child, text);
            break;
        default:
            break;
        }
    }
}

} // namespace

XmlDocument XmlDoc::CreateDocument(bool freeThreaded)
{
    return CreateDomDocument(freeThreaded ? ProgIdList(kFreeThreadedDomDocumentProgIds) : kDomDocumentProgIds);
}

XmlDocument XmlDoc::GetDocument(bool ensureRoot)
{
    if (!m_document)
        m_document = CreateDocument(false);
    if (ensureRoot && !m_document.GetDocumentElement())
        XmlNode(m_document.Get()).AppendChild(XmlNode(m_document.CreateElement(L"ROOT")));
    return m_document;
}

XmlNode XmlDoc::GetRoot()
{
    // The document element, not the first child: a hand-edited file may start
    // with a comment or a declaration.
    return GetDocument(true).GetDocumentElement();
}

void XmlDoc::New()
{
    m_document = CreateDocument(false);
}

XmlDocument XmlDoc::ParseFile(const EString& path, bool freeThreaded)
{
    try {
        const std::string bytes = XmlFileText::ReadBytes(path);
        if (const std::optional<std::string_view> plain = XmlFileText::PlainUtf8(bytes)) {
            RefuseTextsTooLong(*plain);
            if (XmlDocument document = ParseBytes(*plain, freeThreaded))
                return document;
        }
        // Every other text, and every failure with its reason, as the decoded text gives it.
        return ParseText(XmlFileText::DecodeToBstr(bytes), freeThreaded);
    } catch (const ComError& error) {
        ThrowComError(kLoadFailed, error.Description());
    }
}

void XmlDoc::Load(const EString& path)
{
    XmlDocument loaded = PlanReadAhead::Take(path);
    if (!loaded)
        loaded = ParseFile(path, false);
    m_document = loaded;
}

void XmlDoc::Save(const EString& path)
{
    if (!m_document)
        return;
    // A document without an element would be written as an empty file that no
    // reader accepts; an empty plan is saved as an empty ROOT instead.
    GetDocument(true);
    XmlFileWriter::Write(m_document.Get(), path);
}

void XmlDoc::LoadXml(const EString& text)
{
    m_document = ParseText(text);
}

EString XmlDoc::GetXml()
{
    return XmlNode(GetDocument(true).Get()).GetXml();
}

Variant XmlDoc::GetAttribute(const XmlNode& element, const EString& name)
{
    return XmlElement(element).GetAttribute(name);
}

Variant XmlDoc::GetIdAttribute(const XmlNode& element)
{
    return GetAttribute(element, L"ID");
}

EString XmlDoc::GetTextAttribute(const XmlNode& element, const EString& name)
{
    return GetAttribute(element, name).ToString();
}

long XmlDoc::GetIntAttribute(const XmlNode& element, const EString& name)
{
    const Variant value = GetAttribute(element, name);
    if (value.IsEmpty())
        return 0;
    LONG number = 0;
    Check(::VarI4FromStr(value.bstrVal, LOCALE_INVARIANT, 0, &number));
    return number;
}

unsigned long XmlDoc::GetUnsignedAttribute(const XmlNode& element, const EString& name)
{
    const Variant value = GetAttribute(element, name);
    if (value.IsEmpty())
        return 0;
    ULONG number = 0;
    Check(::VarUI4FromStr(value.bstrVal, LOCALE_INVARIANT, 0, &number));
    return number;
}

double XmlDoc::GetDoubleAttribute(const XmlNode& element, const EString& name)
{
    return ParseInvariantNumber(GetTextAttribute(element, name));
}

void XmlDoc::SetAttribute(const XmlNode& element, const EString& name, const Variant& value)
{
    if (value.vt == VT_BSTR) {
        SetAttribute(element, name, value.ToString());
        return;
    }
    // The DOM would convert numbers in the user's locale ("2,5" in German).
    Variant text;
    Check(::VariantChangeTypeEx(text.Out(), const_cast<Variant*>(&value), LOCALE_INVARIANT, 0, VT_BSTR));
    SetAttribute(element, name, text.ToString());
}

void XmlDoc::SetAttribute(const XmlNode& element, const EString& name, const EString& value)
{
    XmlElement(element).SetAttribute(name, value);
}

void XmlDoc::SetAttribute(const XmlNode& element, const EString& name, const wchar_t* value)
{
    SetAttribute(element, name, EString(value));
}

void XmlDoc::SetIntAttribute(const XmlNode& element, const EString& name, long value)
{
    SetAttribute(element, name, EString::Formatted(L"%ld", value));
}

void XmlDoc::SetUnsignedAttribute(const XmlNode& element, const EString& name, unsigned long value)
{
    SetAttribute(element, name, EString::Formatted(L"%lu", value));
}

void XmlDoc::SetDoubleAttribute(const XmlNode& element, const EString& name, double value, int decimals)
{
    SetAttribute(element, name, FormatInvariantNumber(value, decimals));
}

void XmlDoc::SetText(const XmlNode& node, const EString& text)
{
    // Stored with the CR taken out, the DOM would write it as "&#13;" and give
    // it back on the next read, where GetText's CR LF would double it.
    std::wstring cleaned;
    const std::wstring_view storable = StorableXmlText(text, cleaned);
    EString stored(storable.data(), storable.size());
    stored.Replace(L"\r\n", L"\n");
    ThrowIfFailed(node->put_text(Bstr(stored)));
}

EString XmlDoc::GetText(const XmlNode& node)
{
    // Read from the text nodes: the DOM's text property trims the ends, and a
    // description that begins with an indented line would lose its indent.
    EString stored;
    const DOMNodeType type = node.GetType();
    if (type == NODE_TEXT || type == NODE_CDATA_SECTION)
        stored = node.GetValue().ToString();
    else
        AppendText(node, stored);
    if (stored.find(L'\n') == EString::npos)
        return stored;
    // Only bare line feeds gain a CR: a CR the text already holds is kept once.
    EString text;
    text.reserve(stored.size());
    for (size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == L'\n' && (i == 0 || stored[i - 1] != L'\r'))
            text += L'\r';
        text += stored[i];
    }
    return text;
}

XmlNode XmlDoc::GetChildElement(const XmlNode& node, std::wstring_view name)
{
    for (XmlNode child = node.GetFirstChildElement(); child; child = child.GetNextElement())
        if (child.HasName(name))
            return child;
    return AddChildElement(node, EString(std::wstring(name)));
}

XmlNode XmlDoc::GetDescriptionElement(const XmlNode& node)
{
    return GetChildElement(node, L"DESCRIPTION");
}

XmlNode XmlDoc::AddChildElement(const XmlNode& parent, const EString& name)
{
    const XmlDocument owner =
        parent.GetType() == NODE_DOCUMENT ? XmlDocument(parent.Get()) : parent.GetOwnerDocument();
    return parent.AppendChild(XmlNode(owner.CreateElement(name)));
}

XmlNode XmlDoc::NextSibling(const XmlNode& node)
{
    return node ? node.GetNextElement() : XmlNode();
}

XmlNode XmlDoc::PreviousSibling(const XmlNode& node)
{
    return node ? node.GetPreviousElement() : XmlNode();
}

void XmlDoc::MoveAfter(const XmlNode& node, const XmlNode& reference)
{
    reference.Checked();
    if (node.IsSameNode(reference))
        return;
    // Checked before anything moves: a reference elsewhere in the tree would
    // take the node into another parent, or lose it once removed.
    const XmlNode parent = node.GetParent();
    if (!parent || !parent.IsSameNode(reference.GetParent()))
        ThrowComError(E_INVALIDARG, L"The node and the reference node do not share a parent.");
    const XmlNode next = reference.GetNextSibling();
    // Inserting a node before itself crashes MSXML under Wine; it is in place anyway.
    if (next && next.IsSameNode(node))
        return;
    Variant before;
    if (next)
        before = Variant(static_cast<IUnknown*>(next.Get()));
    else
        before.vt = VT_NULL;
    // Taken out first: MSXML under Wine may crash on an insert of a node still in the tree.
    parent.RemoveChild(node);
    ComPtr<IXMLDOMNode> moved;
    ThrowIfFailed(parent->insertBefore(node.Checked(), before, &moved));
}

EString ReadXmlFile(const EString& path)
{
    XmlDoc document;
    document.Load(path);
    return document.GetXml();
}

void WriteXmlFile(const EString& text, const EString& path)
{
    XmlDoc document;
    document.LoadXml(text);
    AtomicFileWriter::Write(path, [&](const EString& temporaryPath) { document.Save(temporaryPath); });
}
