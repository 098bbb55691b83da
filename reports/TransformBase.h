// TransformBase: the plan a query transforms, as text or as the live document.
#pragma once

#include "document/xml/XmlDocument.h"
#include "foundation/EString.h"

class TransformBase {
public:
    virtual ~TransformBase() = default;

    virtual void SetXml(const EString& xml) { m_xml = xml; }
    virtual EString GetXml() { return m_xml; }

protected:
    // The live document, when the caller handed it instead of a text: making a
    // text of a large plan costs seconds.
    void SetInput(const XmlDocument& document) { m_document = document; }
    bool HasInput() const { return !m_document.IsEmpty() || !m_xml.IsEmpty(); }
    // Empty when the input was handed as text.
    const XmlDocument& GetInputDocument() const { return m_document; }
    // Loads the held input into the processor.
    template <class Processor>
    void LoadInputInto(Processor& processor) const
    {
        if (!m_document.IsEmpty())
            processor.SetInputDocument(m_document);
        else
            processor.LoadInputXml(m_xml);
    }

private:
    EString m_xml;
    XmlDocument m_document;
};
