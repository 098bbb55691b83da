// XSLProcessor: one XSLT run over an input document with a stylesheet and named parameters.
#pragma once

#include <windows.h>
#include <msxml2.h>

#include <deque>

#include "document/xml/XmlDocument.h"
#include "foundation/Bstr.h"
#include "foundation/ComPtr.h"
#include "foundation/EString.h"
#include "foundation/Variant.h"

// Load the input and the stylesheet, then add the parameters, then transform.
// The processor is made from the documents held at the first parameter or at
// the transformation: documents loaded later do not reach it, so each run
// takes a fresh object. Every failure raises a ComError: a text or file that
// does not parse E_INVALIDARG, a transformation that fails E_FAIL.
class XSLProcessor {
public:
    XSLProcessor() = default;
    XSLProcessor(const XSLProcessor&) = delete;
    XSLProcessor& operator=(const XSLProcessor&) = delete;
    virtual ~XSLProcessor() = default;

    void LoadInputXml(const EString& text);
    void LoadStylesheetXml(const EString& text);
    // Files are read and decoded by the program and parsed from their text,
    // many times faster than MSXML reading a large plan itself.
    void LoadInputFile(const EString& path);
    void LoadStylesheetFile(const EString& path);
    // A document already in memory, taken as it is: the live plan is searched
    // without turning it into text.
    void SetInputDocument(const XmlDocument& document);

    void AddParameterInt(const EString& name, int value);
    void AddParameterString(const EString& name, const EString& value);
    void AddParameter(const EString& name, const Variant& value);

    EString Transform();

private:
    IXSLTemplate* GetTemplate();
    IXSLProcessor* GetProcessor();

    // Names and values handed to the processor, kept until it is released.
    std::deque<Bstr> m_parameterTexts;
    std::deque<Variant> m_parameterValues;
    ComPtr<IXSLProcessor> m_processor;
    ComPtr<IXSLTemplate> m_template;
    XmlDocument m_input;
    XmlDocument m_stylesheet;
};

// A free-threaded document parsed from the text; E_INVALIDARG, with the
// parser's reason, when it does not parse.
XmlDocument ParseFreeThreadedXml(const EString& text);
