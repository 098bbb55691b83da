#include <gtest/gtest.h>

#include <vector>

#include "document/xml/MsxmlClasses.h"
#include "document/xml/MsxmlIds.h"
#include "document/xml/XmlNode.h"
#include "document/xml/XmlNodeList.h"
#include "foundation/Bstr.h"
#include "foundation/ComError.h"
#include "foundation/ComPtr.h"
#include "foundation/EString.h"

namespace {

constexpr const wchar_t* kDom4 = L"Msxml2.DOMDocument.4.0";
constexpr const wchar_t* kDom6 = L"Msxml2.DOMDocument.6.0";
constexpr const wchar_t* kFreeThreaded6 = L"Msxml2.FreeThreadedDOMDocument.6.0";
constexpr const wchar_t* kMissing = L"Quorvane.NoSuchClass.1";

} // namespace

// Against the classes Wine really registers: it has both versions, as a
// Windows with MSXML 4 installed would.
TEST(MsxmlClassesTest, TheFirstClassTheSystemHasIsCreated)
{
    const struct {
        const char* name;
        std::vector<const wchar_t*> progIds;
        const wchar_t* created;
    } cases[] = {
        {"version 4 is preferred", {kDom4, kDom6}, kDom4},
        {"a class the system lacks is passed over", {kMissing, kDom6}, kDom6},
        {"free-threaded", {kMissing, kFreeThreaded6}, kFreeThreaded6},
    };
    for (const auto& c : cases) {
        ComPtr<IXMLDOMDocument2> document;
        EXPECT_STREQ(CreateFirstAvailable(c.progIds, IID_IXMLDOMDocument2, reinterpret_cast<void**>(&document)),
                     c.created)
            << c.name;
        EXPECT_TRUE(document) << c.name;
    }
}

TEST(MsxmlClassesTest, NoClassTheSystemHasRaisesItsAnswer)
{
    const std::vector<const wchar_t*> missing = {kMissing, L"Quorvane.NoSuchClass.2"};
    ComPtr<IXMLDOMDocument2> document;
    try {
        CreateFirstAvailable(missing, IID_IXMLDOMDocument2, reinterpret_cast<void**>(&document));
        ADD_FAILURE() << "no error";
    } catch (const ComError& error) {
        EXPECT_TRUE(FAILED(error.Error()));
        EXPECT_NE(error.Description().find(L"Quorvane.NoSuchClass.2"), EString::npos) << "names what was tried";
    }
    EXPECT_FALSE(document);
}

// Version 6 must parse and select as the program's version 4 documents do.
TEST(MsxmlClassesTest, EitherVersionIsSetUpTheSameWay)
{
    for (const wchar_t* progId : {kDom4, kDom6}) {
        const std::vector<const wchar_t*> only = {progId};
        const XmlDocument document = CreateDomDocument(only);
        VARIANT_BOOL parsed = VARIANT_FALSE;
        ASSERT_EQ(document->loadXML(Bstr(L"<ROOT>\n  <TASK ID=\"1\"/><TASK ID=\"2\"> </TASK></ROOT>"), &parsed), S_OK);
        ASSERT_EQ(parsed, VARIANT_TRUE) << progId;
        EXPECT_EQ(document.SelectNodes(L"/ROOT/TASK[last()]/@ID").GetNodes().at(0).GetValue().ToString(), L"2")
            << progId << ": XPath positions";
        EXPECT_EQ(document.SelectNodes(L"/ROOT/node()").GetLength(), 3) << progId << ": white space kept";
        VARIANT_BOOL resolves = VARIANT_TRUE;
        document->get_resolveExternals(&resolves);
        EXPECT_EQ(resolves, VARIANT_FALSE) << progId;
    }
}
