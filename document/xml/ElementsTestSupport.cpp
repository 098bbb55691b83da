#include "document/xml/ElementsTestSupport.h"

#include <gtest/gtest.h>

#include "document/xml/XmlFileText.h"
#include "foundation/FileSystem.h"
#include "testing/TestSupport.h"

EString TestFile(const wchar_t* name)
{
    return SourcePath((EString(L"document/xml/testdata/") + name).c_str());
}

ComError RaisedError(const std::function<void()>& call)
{
    try {
        call();
    } catch (const ComError& error) {
        return error;
    }
    ADD_FAILURE() << "no ComError raised";
    return ComError(S_OK);
}

XmlNode Select(XmlDoc& doc, const EString& xpath)
{
    return doc.GetDocument(false).SelectSingleNode(xpath);
}

EString Attribute(const XmlNode& element, const wchar_t* name)
{
    return XmlDoc::GetTextAttribute(element, name);
}

EString SavedText(XmlDoc& doc)
{
    const EString path = FileSystem::JoinPath(MakeScratchFolder(L"elements-saved"), L"saved.qvr");
    doc.Save(path);
    return XmlFileText::Read(path);
}

EString SavedContent(XmlDoc& doc)
{
    const EString text = SavedText(doc);
    const EString head = L"<ROOT>", tail = L"</ROOT>\n";
    if (text.compare(0, head.size(), head) != 0 || text.size() < head.size() + tail.size() ||
        text.compare(text.size() - tail.size(), tail.size(), tail) != 0) {
        ADD_FAILURE() << "not a ROOT with content";
        return text;
    }
    return text.substr(head.size(), text.size() - head.size() - tail.size());
}

void SaveAndReload(XmlDataElements& doc, XmlDataElements& reloaded, const wchar_t* folder)
{
    const EString path = FileSystem::JoinPath(MakeScratchFolder(folder), L"saved.qvr");
    doc.Save(path);
    reloaded.Load(path);
}
