#include <gtest/gtest.h>

#include "document/xml/XmlDoc.h"
#include "document/xml/XmlFileWriter.h"
#include "foundation/FileSystem.h"
#include "testing/TestSupport.h"

// The stream writes the bytes MSXML's own file writer wrote: files saved
// before and after read the same.
TEST(XmlFileWriter, WritesWhatMsxmlWritesToAPath)
{
    const EString folder = MakeScratchFolder(L"xmlfilewriter");
    const wchar_t* texts[] = {
        L"<ROOT><TASK ID=\"1\" NAME=\"\u00c4 &amp; \u00f6 \u20ac\"/></ROOT>",
        L"<?xml version=\"1.0\" encoding=\"UTF-16\"?><ROOT><CATEGORY ID=\"2\"/></ROOT>",
        L"<?xml version=\"1.0\" standalone=\"yes\"?><ROOT/>",
        L"<!-- kept --><ROOT>\n\t<TASK ID=\"3\"><DESCRIPTION>two\nlines</DESCRIPTION></TASK>\n</ROOT>",
    };
    for (const wchar_t* text : texts) {
        XmlDoc document;
        document.LoadXml(text);
        const EString streamed = FileSystem::JoinPath(folder, L"streamed.xml");
        const EString direct = FileSystem::JoinPath(folder, L"direct.xml");
        XmlFileWriter::Write(document.GetDocument(false).Get(), streamed);
        ASSERT_EQ(document.GetDocument(false)->save(Variant(direct)), S_OK);
        EXPECT_EQ(ReadFileBytes(streamed), ReadFileBytes(direct)) << testing::PrintToString(EString(text));
    }
}

