#include "reports/XslProcessor.h"

#include "document/xml/MsxmlClasses.h"
#include "document/xml/MsxmlIds.h"
#include "document/xml/XmlFileText.h"
#include "foundation/Bstr.h"

namespace {

// The stylesheet of a template must be free-threaded.
constexpr const wchar_t* kTemplateProgIds[] = {L"Msxml2.XSLTemplate.4.0", L"Msxml2.XSLTemplate.6.0"};

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
    IXSLProcessor* processor = GetProcessor();
    // The processor may hold on to the texts it is given until it runs (Wine's
    // lost some when they were freed at once): they live as long as this object.
    const Bstr& kept = m_parameterTexts.emplace_back(name);
    HRESULT hr = processor->addParameter(kept, value, m_parameterTexts.emplace_back(L""));
    // Wine's processor takes parameters as texts only. XPath turns a text
    // into a number wherever a stylesheet computes with it, so a number
    // passed as its invariant text behaves the same.
    if (hr == E_NOTIMPL && value.vt != VT_BSTR) {
        Variant& text = m_parameterValues.emplace_back();
        hr = ::VariantChangeTypeEx(text.Out(), const_cast<Variant*>(&value), LOCALE_INVARIANT, 0, VT_BSTR);
        if (SUCCEEDED(hr))
            hr = processor->addParameter(kept, text, m_parameterTexts.back());
    }
    ThrowIfFailed(hr);
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
    ThrowIfFailed(xslTemplate->putref_stylesheet(m_stylesheet.Checked()));
    ComPtr<IXSLProcessor> processor;
    ThrowIfFailed(xslTemplate->createProcessor(&processor));
    ThrowIfFailed(processor->put_input(Variant(static_cast<IUnknown*>(m_input.Checked()))));
    m_processor = processor;
    return m_processor.Get();
}
