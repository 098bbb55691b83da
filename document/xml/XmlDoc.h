// XmlDoc: owns the plan's one DOM over MSXML 4 and the node operations built on it.
#pragma once

#include <string_view>

#include "document/xml/XmlDocument.h"
#include "document/xml/XmlElement.h"
#include "document/xml/XmlNamedNodeMap.h"
#include "document/xml/XmlNode.h"
#include "document/xml/XmlNodeList.h"
#include "foundation/EString.h"
#include "foundation/Variant.h"

class XmlDoc {
public:
    XmlDoc() = default;
    XmlDoc(const XmlDoc&) = delete;
    XmlDoc& operator=(const XmlDoc&) = delete;
    virtual ~XmlDoc() = default;

    // Replaces the document with an empty one (no ROOT yet).
    virtual void New();
    // Reads the file; any failure raises 0x80070002 and keeps the document as it was.
    virtual void Load(const EString& path);
    // Writes the document (UTF-8, no declaration); nothing happens while there
    // is none. Raises when the disk did not take every byte, when the file may
    // hold part of it: callers write to a temporary file.
    virtual void Save(const EString& path);
    virtual void AfterLoad() {}
    // Replaces the document by the parse of the text; a text that does not parse
    // raises and keeps the document as it was.
    virtual void LoadXml(const EString& text);
    virtual EString GetXml();

    // An MSXML document (version 4, else 6) set up as every parse of the
    // program needs it; the free-threaded class for a document made on one
    // thread and used on another.
    static XmlDocument CreateDocument(bool freeThreaded);
    // The file's document, checked and parsed as Load does; raises as Load does.
    static XmlDocument ParseFile(const EString& path, bool freeThreaded);
    // Creates the document on first use; with ensureRoot, also a ROOT element
    // when it has none.
    XmlDocument GetDocument(bool ensureRoot);
    XmlNode GetRoot();

    // Attributes: values are texts in the file; numbers are written and read
    // with "." whatever the user's locale.
    static Variant GetAttribute(const XmlNode& element, const EString& name);
    static Variant GetIdAttribute(const XmlNode& element);
    // Missing gives the empty text.
    static EString GetTextAttribute(const XmlNode& element, const EString& name);
    // Missing gives 0; a text that is not a number raises DISP_E_TYPEMISMATCH.
    static long GetIntAttribute(const XmlNode& element, const EString& name);
    static unsigned long GetUnsignedAttribute(const XmlNode& element, const EString& name);
    // The leading number of the text; missing or no number gives 0.
    static double GetDoubleAttribute(const XmlNode& element, const EString& name);

    // Creates the attribute when missing. Numbers in the VARIANT become their
    // invariant text, a string is stored without the characters XML cannot
    // hold (StorableXmlText), as every text of the plan is.
    static void SetAttribute(const XmlNode& element, const EString& name, const Variant& value);
    static void SetAttribute(const XmlNode& element, const EString& name, const EString& value);
    static void SetAttribute(const XmlNode& element, const EString& name, const wchar_t* value);
    static void SetIntAttribute(const XmlNode& element, const EString& name, long value);
    static void SetUnsignedAttribute(const XmlNode& element, const EString& name, unsigned long value);
    static void SetDoubleAttribute(const XmlNode& element, const EString& name, double value, int decimals);

    // Long texts. The document keeps line breaks as LF, as XML does; callers
    // see CR LF. The characters XML cannot hold are left out.
    static void SetText(const XmlNode& node, const EString& text);
    static EString GetText(const XmlNode& node);

    // The first child element of that name, created and appended when missing.
    static XmlNode GetChildElement(const XmlNode& node, std::wstring_view name);
    static XmlNode GetDescriptionElement(const XmlNode& node);
    // A new element appended under the parent; an empty parent raises E_POINTER.
    static XmlNode AddChildElement(const XmlNode& parent, const EString& name);

    // The neighbouring element (comments and other nodes between are skipped);
    // empty for an empty node or when there is none.
    static XmlNode NextSibling(const XmlNode& node);
    static XmlNode PreviousSibling(const XmlNode& node);
    // Moves the node directly after the reference, which must share its parent.
    static void MoveAfter(const XmlNode& node, const XmlNode& reference);

protected:
    XmlDocument m_document;
};

// The XML text of a file (category import).
EString ReadXmlFile(const EString& path);
// Writes an XML text to a file in one replacement; a text that does not
// parse, or a failed write, raises and leaves the file as it was.
void WriteXmlFile(const EString& text, const EString& path);
