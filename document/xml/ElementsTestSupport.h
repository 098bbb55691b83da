// Helpers of the element-layer tests: a fixed "now", the corpus files and looks into the DOM.
#pragma once

#include <functional>

#include "document/model/ModelTestSupport.h"
#include "document/xml/XmlDataElements.h"
#include "foundation/ComError.h"

// The element layer with its index hooks in reach.
class TestElements : public XmlDataElements {
public:
    using XmlDataElements::Index;
    using XmlDataElements::IndexElement;
    using XmlDataElements::InvalidateIndex;
    using XmlDataElements::RemoveElement;
};

// Now is Wednesday 2024-05-15 10:30 (ModelTest), "DayBegin" unset.
using ElementsTest = ModelTest;

// A file of document/xml/testdata.
EString TestFile(const wchar_t* name);
// The ComError the call raises; a call that raises nothing fails the test.
ComError RaisedError(const std::function<void()>& call);
XmlNode Select(XmlDoc& doc, const EString& xpath);
EString Attribute(const XmlNode& element, const wchar_t* name);
// The document as its file holds it (Wine's text of a node is laid out differently).
EString SavedText(XmlDoc& doc);
// The saved text between "<ROOT>" and "</ROOT>".
EString SavedContent(XmlDoc& doc);
// Saves the document and loads the file into a new one.
void SaveAndReload(XmlDataElements& doc, XmlDataElements& reloaded, const wchar_t* folder);
