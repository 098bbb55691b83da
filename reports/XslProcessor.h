// XSLProcessor: one XSLT run over an input document with a stylesheet and named parameters.
#pragma once

#include <windows.h>
#include <msxml2.h>

#include <utility>
#include <vector>

#include "document/xml/XmlDocument.h"
#include "foundation/ComPtr.h"
#include "foundation/EString.h"
#include "foundation/Variant.h"

// Load the input and the stylesheet, then add the parameters, then transform.
// The parameters become the values of the stylesheet's own top-level
// parameters (one it does not declare is ignored); the processor is made at
// the transformation, so each run takes a fresh object. Every failure raises
// a ComError: a text or file that does not parse E_INVALIDARG, a
// transformation that fails E_FAIL.
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
    // A stylesheet is loaded by its path, so the files its xsl:include and
    // xsl:import name are found beside it. Each of those must be named by a
    // plain path relative to the file that names it, exist, declare no
    // document type and name none of the stylesheets that lead to it; else
    // E_INVALIDARG, or the system's code for one missing.
    void LoadStylesheetFile(const EString& path);
    // A document already in memory, taken as it is: the live plan is searched
    // without turning it into text.
    void SetInputDocument(const XmlDocument& document);

    void AddParameterInt(const EString& name, int value);
    void AddParameterString(const EString& name, const EString& value);
    void AddParameter(const EString& name, const Variant& value);

    EString Transform();
    // Whether the processor compiles the stylesheet as it stands: a copy,
    // given a template of its own that writes a mark whatever the
    // stylesheet's own templates do, is run over an input of one element.
    // Wine's processor answers a stylesheet it cannot compile with no output
    // rather than an error, as it answers one that ran and wrote nothing.
    bool CompilesStylesheet();

private:
    IXSLTemplate* GetTemplate();
    IXSLProcessor* GetProcessor();

    // Each name with its value as an XPath expression.
    std::vector<std::pair<EString, EString>> m_parameters;
    ComPtr<IXSLProcessor> m_processor;
    ComPtr<IXSLTemplate> m_template;
    XmlDocument m_input;
    XmlDocument m_stylesheet;
};

// A free-threaded document parsed from the text; E_INVALIDARG, with the
// parser's reason, when it does not parse.
XmlDocument ParseFreeThreadedXml(const EString& text);
