#include <gtest/gtest.h>

#include <functional>

#include "document/xml/ElementsTestSupport.h"
#include "document/xml/MsxmlRegistration.h"
#include "document/xml/XmlDoc.h"
#include "document/xml/XmlFileText.h"
#include "foundation/FileSystem.h"
#include "testing/TestSupport.h"

namespace {

constexpr HRESULT kLoadFailed = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);

EString Trimmed(EString text)
{
    return text.Trim(L"\r\n");
}

XmlNode Select(XmlDoc& doc, const wchar_t* xpath)
{
    return doc.GetDocument(false).SelectSingleNode(xpath);
}

// The reason it failed; empty when it did not.
EString FailureOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const ComError& error) {
        return error.Description();
    }
    return EString();
}

std::vector<EString> ChildNames(const XmlNode& node)
{
    std::vector<EString> names;
    for (const XmlNode& child : node.GetChildElements())
        names.push_back(child.GetName());
    return names;
}

} // namespace

TEST(XmlDocTest, FreshHolderHasOnlyAnEmptyRootAndSavesNothing)
{
    const EString folder = MakeScratchFolder(L"xmldoc-fresh");
    XmlDoc doc;
    doc.Save(FileSystem::JoinPath(folder, L"never.qvr"));
    EXPECT_FALSE(FileSystem::FileExists(FileSystem::JoinPath(folder, L"never.qvr")));

    EXPECT_EQ(Trimmed(doc.GetXml()), L"<ROOT/>");
    EXPECT_EQ(doc.GetRoot().GetName(), L"ROOT");
}

TEST(XmlDocTest, NewDocumentIsSavedAsAnEmptyRootNotAsAnEmptyFile)
{
    const EString path = FileSystem::JoinPath(MakeScratchFolder(L"xmldoc-new"), L"new.qvr");
    XmlDoc doc;
    doc.New();
    doc.Save(path);
    EXPECT_EQ(ReadFileBytes(path), "<ROOT/>\n");
    XmlDoc reread;
    reread.Load(path);
    EXPECT_EQ(reread.GetRoot().GetName(), L"ROOT");
}

TEST(XmlDocTest, EveryEncodingLoadsAndSavesAsTheProgramsOwnFile)
{
    const std::string ownFile = ReadFileBytes(TestFile(L"utf8.qvr"));
    const EString folder = MakeScratchFolder(L"xmldoc-encodings");
    for (const wchar_t* name : {L"utf8.qvr", L"utf8_bom.qvr", L"utf16le.qvr", L"utf16be.qvr"}) {
        XmlDoc doc;
        doc.Load(TestFile(name));
        const XmlNode category = Select(doc, L"/ROOT/CATEGORY[@ID=\"1\"]");
        EXPECT_EQ(XmlDoc::GetTextAttribute(category, L"NAME"), L"Caf\u00E9") << name;
        EXPECT_EQ(XmlDoc::GetText(XmlDoc::GetDescriptionElement(category)), L"a\r\nb") << name;
        EXPECT_EQ(XmlDoc::GetTextAttribute(Select(doc, L"//TASK"), L"NAME"), L"\u65E5\u672C") << name;

        // UTF-8, no declaration, whatever the file came in.
        const EString saved = FileSystem::JoinPath(folder, name);
        doc.Save(saved);
        EXPECT_EQ(ReadFileBytes(saved), ownFile) << name;
    }
}

TEST(XmlDocTest, AFileReadsAsItsDecodedTextWouldParse)
{
    using namespace std::string_literals;
    std::string deep;
    for (int i = 0; i < 300; ++i)
        deep.insert(deep.size() / 2, "<A></A>");
    const std::pair<const char*, std::string> files[] = {
        {"UTF-8", "<ROOT N=\"Z\xC3\xBCrich\">caf\xC3\xA9 &#49;&amp;<!--c--></ROOT>"s},
        {"mark", "\xEF\xBB\xBF<ROOT>caf\xC3\xA9</ROOT>"s},
        {"two marks", "\xEF\xBB\xBF\xEF\xBB\xBF<ROOT/>"s},
        {"layout", "\n<ROOT>\n\t<A>  </A>\n\t<B><![CDATA[ x ]]></B>\n</ROOT>\n<!--end-->\n"s},
        {"declaration", "<?xml version=\"1.0\"?>\n<ROOT>caf\xC3\xA9</ROOT>"s},
        {"declared UTF-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><ROOT>caf\xC3\xA9</ROOT>"s},
        {"declared Latin-1", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><ROOT>caf\xC3\xA9</ROOT>"s},
        {"declared UTF-16", "<?xml version=\"1.0\" encoding=\"UTF-16\"?><ROOT>caf\xC3\xA9</ROOT>"s},
        {"CR LF and CR", "<ROOT>\r\n<D A=\"x\ry\">a\rb\r\n</D></ROOT>"s},
        {"NUL", "<ROOT/>\0"s},
        {"document type", "<!DOCTYPE ROOT><ROOT/>"s},
        {"document type as text", "<ROOT><![CDATA[<!DOCTYPE ROOT>]]></ROOT>"s},
        {"malformed", "<ROOT><A></ROOT>"s},
        {"cut UTF-8", "<ROOT>\xC3</ROOT>"s},
        {"too deep", deep},
        {"empty", ""s},
    };
    const EString path = FileSystem::JoinPath(MakeScratchFolder(L"xmldoc-as-text"), L"file.qvr");
    for (const auto& [name, bytes] : files) {
        WriteFileBytes(path, bytes);
        XmlDoc fromFile, fromText;
        const EString failure = FailureOf([&] { fromFile.Load(path); });
        EXPECT_EQ(failure, FailureOf([&] { fromText.LoadXml(XmlFileText::Decode(bytes)); })) << name;
        EXPECT_EQ(fromFile.GetXml(), fromText.GetXml()) << name;
    }
}

TEST(XmlDocTest, EditCyclesNeverAddCarriageReturns)
{
    const EString folder = MakeScratchFolder(L"xmldoc-linebreaks");
    const std::string original = ReadFileBytes(TestFile(L"utf8.qvr"));
    EString path = TestFile(L"utf8.qvr");
    for (int cycle = 0; cycle < 3; ++cycle) {
        XmlDoc doc;
        doc.Load(path);
        const XmlNode description = XmlDoc::GetDescriptionElement(Select(doc, L"//CATEGORY"));
        const EString text = XmlDoc::GetText(description);
        ASSERT_EQ(text, L"a\r\nb") << "cycle " << cycle;
        XmlDoc::SetText(description, text);
        EXPECT_EQ(XmlDoc::GetText(description), L"a\r\nb") << "cycle " << cycle;
        path = FileSystem::JoinPath(folder, EString::Formatted(L"cycle%d.qvr", cycle));
        doc.Save(path);
        EXPECT_EQ(ReadFileBytes(path), original) << "cycle " << cycle;
    }
}

TEST(XmlDocTest, LongTextsKeepTheirLineBreaksAndEnds)
{
    // A CR that an earlier save kept as a character reference is read once.
    const EString folder = MakeScratchFolder(L"xmldoc-texts");
    const EString keptCr = FileSystem::JoinPath(folder, L"kept-cr.qvr");
    WriteFileBytes(keptCr, "<ROOT><DESCRIPTION>a&#13;\nb</DESCRIPTION></ROOT>\n");
    XmlDoc doc;
    doc.Load(keptCr);
    EXPECT_EQ(XmlDoc::GetText(Select(doc, L"//DESCRIPTION")), L"a\r\nb");
    const EString unchanged = FileSystem::JoinPath(folder, L"unchanged.qvr");
    doc.Save(unchanged);
    EXPECT_EQ(ReadFileBytes(unchanged), ReadFileBytes(keptCr));

    const wchar_t* texts[] = {
        L"  indented first line\r\n\r\n  - item\r\n",
        L"\r\nstarts with a break",
        L"tab\tand a lone \r carriage return",
        L"<tags> & \"quotes\" ]]> stay text",
        L"",
    };
    for (const wchar_t* text : texts) {
        const XmlNode description = XmlDoc::GetDescriptionElement(doc.GetRoot());
        XmlDoc::SetText(description, text);
        EXPECT_EQ(XmlDoc::GetText(description), text);
        const EString path = FileSystem::JoinPath(folder, L"text.qvr");
        doc.Save(path);
        XmlDoc reread;
        reread.Load(path);
        EXPECT_EQ(XmlDoc::GetText(XmlDoc::GetDescriptionElement(reread.GetRoot())), text);
    }
}

TEST(XmlDocTest, FailedLoadKeepsTheDocumentInMemory)
{
    XmlDoc doc;
    doc.LoadXml(L"<ROOT><TASK ID=\"1\" NAME=\"kept\"/></ROOT>");
    const EString before = doc.GetXml();

    const struct {
        const wchar_t* name;
        std::function<void()> load;
        HRESULT code;
    } failures[] = {
        {L"malformed file", [&] { doc.Load(TestFile(L"malformed.qvr")); }, kLoadFailed},
        {L"missing file", [&] { doc.Load(TestFile(L"missing.qvr")); }, kLoadFailed},
        {L"file with a DTD", [&] { doc.Load(TestFile(L"doctype.qvr")); }, kLoadFailed},
        {L"malformed text", [&] { doc.LoadXml(L"<ROOT><TASK></ROOT>"); }, S_OK},
        {L"empty text", [&] { doc.LoadXml(L""); }, S_OK},
        {L"text with a NUL", [&] { doc.LoadXml(EString(L"<ROOT/>\0junk", 11)); }, S_OK},
    };
    for (const auto& failure : failures) {
        const ComError error = RaisedError(failure.load);
        if (failure.code != S_OK) {
            EXPECT_EQ(error.Error(), failure.code) << failure.name;
        }
        EXPECT_TRUE(FAILED(error.Error())) << failure.name;
        EXPECT_FALSE(error.Description().IsEmpty()) << failure.name;
        EXPECT_EQ(doc.GetXml(), before) << failure.name;
    }
    EXPECT_EQ(RaisedError([&] { doc.Load(TestFile(L"missing.qvr")); }).Description(),
              SystemErrorText(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)));

    // The document that stayed is the one saved, never an empty file.
    const EString path = FileSystem::JoinPath(MakeScratchFolder(L"xmldoc-failed"), L"kept.qvr");
    doc.Save(path);
    EXPECT_EQ(ReadFileBytes(path), "<ROOT><TASK ID=\"1\" NAME=\"kept\"/></ROOT>\n");
}

TEST(XmlDocTest, DocumentTypesAreRefusedWhereverTheTextComesFrom)
{
    const EString folder = MakeScratchFolder(L"xmldoc-dtd");
    const EString secret = FileSystem::JoinPath(folder, L"secret.txt");
    WriteFileBytes(secret, "SECRET");
    EString url = L"file:///" + secret;
    url.Replace(L"\\", L"/");
    const EString texts[] = {
        L"<!DOCTYPE ROOT [<!ENTITY a \"aaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]><ROOT N=\"&b;\"/>",
        L"<!DOCTYPE ROOT [<!ENTITY s SYSTEM \"" + url + L"\">]><ROOT>&s;</ROOT>",
        L"<?xml version=\"1.0\"?><!-- pasted --><!DOCTYPE ROOT SYSTEM \"" + url + L"\"><ROOT/>",
    };
    XmlDoc doc;
    doc.LoadXml(L"<ROOT/>");
    for (const EString& text : texts) {
        const ComError error = RaisedError([&] { doc.LoadXml(text); });
        EXPECT_EQ(error.Error(), HRESULT_FROM_WIN32(ERROR_INVALID_DATA)) << text.c_str();
        EXPECT_NE(doc.GetXml().find(L"<ROOT/>"), EString::npos);
        EXPECT_EQ(doc.GetXml().find(L"SECRET"), EString::npos);
    }
    EXPECT_NE(RaisedError([&] { doc.Load(TestFile(L"doctype.qvr")); }).Description().find(L"DTD"), EString::npos);

    const EString exported = FileSystem::JoinPath(folder, L"export.qvr");
    EXPECT_THROW(WriteXmlFile(texts[0], exported), ComError);
    EXPECT_FALSE(FileSystem::FileExists(exported));
}

// The reader takes a text longer than it holds as far as it holds it and
// drops the rest of the plan without a word.
TEST(XmlDocTest, APlanTheReaderWouldCutShortIsRefusedAndNotReadInPart)
{
    const EString folder = MakeScratchFolder(L"xmldoc-too-long");
    const std::string plan = "<ROOT><CATEGORY ID=\"1\" NAME=\"Home\"><TASK ID=\"2\" NAME=\"Notes\"><DESCRIPTION>" +
                             std::string(6000000, 'x') + "&amp;" + std::string(6000000, 'y') +
                             "</DESCRIPTION></TASK></CATEGORY><CATEGORY ID=\"3\" NAME=\"After\"/></ROOT>";
    const EString utf8 = FileSystem::JoinPath(folder, L"utf8.qvr");
    WriteFileBytes(utf8, plan);
    // The same in UTF-16, which is parsed from its decoded text.
    const EString utf16 = FileSystem::JoinPath(folder, L"utf16.qvr");
    std::string wide = "\xFF\xFE";
    for (const char ch : plan)
        wide += std::string{ch, '\0'};
    WriteFileBytes(utf16, wide);
    const struct {
        const char* name;
        std::function<void(XmlDoc&)> load;
    } roads[] = {
        {"a plan's file", [&](XmlDoc& doc) { doc.Load(utf8); }},
        {"a file in UTF-16", [&](XmlDoc& doc) { doc.Load(utf16); }},
        {"a pasted text", [&](XmlDoc& doc) { doc.LoadXml(XmlFileText::Read(utf8)); }},
    };
    for (const auto& road : roads) {
        XmlDoc doc;
        doc.LoadXml(L"<ROOT><TASK ID=\"1\" NAME=\"kept\"/></ROOT>");
        const EString reason = FailureOf([&] { road.load(doc); });
        EXPECT_NE(reason.find(L"The task \"Notes\" holds a text too long to be read back"), EString::npos)
            << road.name << ": " << testing::PrintToString(reason.substr(0, 300));
        EXPECT_TRUE(Select(doc, L"//TASK[@NAME=\"kept\"]")) << road.name;
    }
}

TEST(XmlDocTest, WriteXmlFileNeverReplacesAFileWithNothing)
{
    const EString path = FileSystem::JoinPath(MakeScratchFolder(L"xmldoc-export"), L"branch.qvr");
    WriteXmlFile(L"<ROOT><CATEGORY ID=\"4\"/></ROOT>", path);
    const std::string written = ReadFileBytes(path);
    EXPECT_EQ(written, "<ROOT><CATEGORY ID=\"4\"/></ROOT>\n");

    EXPECT_THROW(WriteXmlFile(L"<ROOT><CATEGORY></ROOT>", path), ComError);
    EXPECT_EQ(ReadFileBytes(path), written);
    EXPECT_EQ(Trimmed(ReadXmlFile(path)), L"<ROOT>\r\n\t<CATEGORY ID=\"4\"/>\r\n</ROOT>");
}

TEST(XmlDocTest, HandEditedFileKeepsCommentsThatNoLoopSeesAsEntries)
{
    XmlDoc doc;
    doc.Load(TestFile(L"comments.qvr"));
    const XmlNode root = doc.GetRoot();
    ASSERT_EQ(root.GetName(), L"ROOT");
    EXPECT_EQ(ChildNames(root), (std::vector<EString>{L"CATEGORY", L"\u00DCBUNG"}));

    const XmlNode category = root.GetFirstChildElement();
    EXPECT_EQ(XmlDoc::GetTextAttribute(category, L"NAME"), L"B\u00FCro \u2013 \u00DCbersicht");
    EXPECT_EQ(ChildNames(category), (std::vector<EString>{L"DESCRIPTION", L"TASK"}));
    EXPECT_EQ(XmlDoc::GetText(XmlDoc::GetDescriptionElement(category)), L"Erste Zeile\r\nZweite Zeile");
    EXPECT_EQ(XmlDoc::GetIntAttribute(Select(doc, L"//\u00DCBUNG[@ID=\"3\"]"), L"ID"), 3);
    EXPECT_EQ(XmlDoc::GetTextAttribute(Select(doc, L"//TASK[@ID=\"7\"]"), L"NAME"), L"\u00C4rger");
    EXPECT_EQ(root.SelectNodes(L"node()").GetElements().size(), 2u);

    const EString path = FileSystem::JoinPath(MakeScratchFolder(L"xmldoc-comments"), L"saved.qvr");
    doc.Save(path);
    // Everything but the declaration comes back as it was, the layout included;
    // line ends are read as XML reads them, a bare LF.
    std::string original = ReadFileBytes(TestFile(L"comments.qvr"));
    original.erase(0, original.find('\n') + 1);
    std::string expected;
    for (const char ch : original)
        if (ch != '\r')
            expected += ch;
    EXPECT_EQ(ReadFileBytes(path), expected);
}

TEST(XmlDocTest, AttributesAreTextsWithInvariantNumbers)
{
    XmlDoc doc;
    doc.LoadXml(L"<ROOT><TASK ID=\"12\" NAME=\"n\" BAD=\"twelve\" HOURS=\"2.5h\" COLORDEF=\"14540287\"/></ROOT>");
    const XmlNode task = Select(doc, L"//TASK");

    EXPECT_EQ(XmlDoc::GetAttribute(task, L"MISSING").vt, VT_EMPTY);
    EXPECT_EQ(XmlDoc::GetIdAttribute(task).ToString(), L"12");
    EXPECT_EQ(XmlDoc::GetIntAttribute(task, L"ID"), 12);
    EXPECT_EQ(XmlDoc::GetIntAttribute(task, L"MISSING"), 0);
    EXPECT_EQ(XmlDoc::GetTextAttribute(task, L"MISSING"), L"");
    EXPECT_EQ(XmlDoc::GetUnsignedAttribute(task, L"COLORDEF"), 14540287u);
    EXPECT_EQ(XmlDoc::GetDoubleAttribute(task, L"HOURS"), 2.5);
    EXPECT_EQ(XmlDoc::GetDoubleAttribute(task, L"BAD"), 0.0);
    EXPECT_EQ(RaisedError([&] { XmlDoc::GetIntAttribute(task, L"BAD"); }).Error(), DISP_E_TYPEMISMATCH);

    const struct {
        std::function<void(const wchar_t*)> set;
        const wchar_t* text;
    } writes[] = {
        {[&](const wchar_t* name) { XmlDoc::SetIntAttribute(task, name, -5); }, L"-5"},
        {[&](const wchar_t* name) { XmlDoc::SetUnsignedAttribute(task, name, 4294967295u); }, L"4294967295"},
        {[&](const wchar_t* name) { XmlDoc::SetDoubleAttribute(task, name, 2.5, 1); }, L"2.5"},
        {[&](const wchar_t* name) { XmlDoc::SetDoubleAttribute(task, name, 39814, 0); }, L"39814"},
        {[&](const wchar_t* name) { XmlDoc::SetAttribute(task, name, Variant(0.25)); }, L"0.25"},
        {[&](const wchar_t* name) { XmlDoc::SetAttribute(task, name, Variant(7L)); }, L"7"},
        {[&](const wchar_t* name) { XmlDoc::SetAttribute(task, name, Variant(L" as \"is\" ")); }, L" as \"is\" "},
        {[&](const wchar_t* name) { XmlDoc::SetAttribute(task, name, L"a\r\nb"); }, L"a\r\nb"},
    };
    for (const auto& write : writes) {
        write.set(L"VALUE");
        EXPECT_EQ(XmlDoc::GetTextAttribute(task, L"VALUE"), write.text);
    }
    // Every write changed the one attribute, created by the first.
    EXPECT_EQ(task.GetAttributes().GetLength(), 6);
    EXPECT_EQ(XmlDoc::GetTextAttribute(task, L"NAME"), L"n");

    // Attribute texts survive the file, line breaks included.
    const EString path = FileSystem::JoinPath(MakeScratchFolder(L"xmldoc-attributes"), L"a.qvr");
    doc.Save(path);
    XmlDoc reread;
    reread.Load(path);
    EXPECT_EQ(XmlDoc::GetTextAttribute(Select(reread, L"//TASK"), L"VALUE"), L"a\r\nb");
}

TEST(XmlDocTest, ChildElementsAreFoundOrAddedAndNeverUnderNothing)
{
    XmlDoc doc;
    const XmlNode root = doc.GetRoot();
    const XmlNode daily = XmlDoc::GetChildElement(root, L"DAILY");
    EXPECT_TRUE(XmlDoc::GetChildElement(root, L"DAILY").IsSameNode(daily));
    const XmlNode day = XmlDoc::AddChildElement(daily, L"DAY");
    XmlDoc::AddChildElement(daily, L"DAY");
    EXPECT_EQ(daily.GetChildElements().size(), 2u);
    EXPECT_TRUE(XmlDoc::GetDescriptionElement(day).IsSameNode(XmlDoc::GetDescriptionElement(day)));
    EXPECT_EQ(Trimmed(doc.GetXml()),
              L"<ROOT>\r\n\t<DAILY>\r\n\t\t<DAY>\r\n\t\t\t<DESCRIPTION/>\r\n\t\t</DAY>\r\n\t\t<DAY/>\r\n\t</DAILY>\r\n</ROOT>");

    // A lookup that found nothing hands on an empty node: using it is an error.
    const XmlNode missing = Select(doc, L"//CATEGORY[@ID=\"99\"]");
    ASSERT_TRUE(missing.IsEmpty());
    const std::pair<const char*, std::function<void()>> uses[] = {
        {"AddChildElement", [&] { XmlDoc::AddChildElement(missing, L"TASK"); }},
        {"GetChildElement", [&] { XmlDoc::GetChildElement(missing, L"TASK"); }},
        {"GetDescriptionElement", [&] { XmlDoc::GetDescriptionElement(missing); }},
        {"SetAttribute", [&] { XmlDoc::SetAttribute(missing, L"NAME", L"x"); }},
        {"GetAttribute", [&] { XmlDoc::GetAttribute(missing, L"NAME"); }},
        {"SetText", [&] { XmlDoc::SetText(missing, L"x"); }},
        {"GetText", [&] { XmlDoc::GetText(missing); }},
        {"MoveAfter", [&] { XmlDoc::MoveAfter(missing, day); }},
        {"RemoveFromParent", [&] { missing.RemoveFromParent(); }},
        {"AppendChild", [&] { root.AppendChild(missing); }},
        {"SelectNodes", [&] { missing.SelectNodes(L"*"); }},
    };
    const EString before = doc.GetXml();
    for (const auto& [name, use] : uses)
        EXPECT_EQ(RaisedError(use).Error(), E_POINTER) << name;
    EXPECT_EQ(doc.GetXml(), before);
}

TEST(XmlDocTest, SiblingMovesStepOverCommentsAndStayInTheirParent)
{
    XmlDoc doc;
    doc.LoadXml(L"<ROOT><DAY><A/><!--note--><B/><C/></DAY><OTHER><D/></OTHER></ROOT>");
    const XmlNode a = Select(doc, L"//A"), b = Select(doc, L"//B"), c = Select(doc, L"//C");
    const XmlNode day = Select(doc, L"//DAY");
    EXPECT_TRUE(XmlDoc::NextSibling(a).IsSameNode(b));
    EXPECT_TRUE(XmlDoc::PreviousSibling(b).IsSameNode(a));
    EXPECT_TRUE(XmlDoc::NextSibling(c).IsEmpty());
    EXPECT_TRUE(XmlDoc::PreviousSibling(a).IsEmpty());
    EXPECT_TRUE(XmlDoc::NextSibling(XmlNode()).IsEmpty());

    const struct {
        XmlNode node, reference;
        const wchar_t* xml;
    } moves[] = {
        {a, c, L"<DAY><!--note--><B/><C/><A/></DAY>"}, // after the last child: to the end
        {b, a, L"<DAY><!--note--><C/><A/><B/></DAY>"},
        {b, a, L"<DAY><!--note--><C/><A/><B/></DAY>"}, // already there
        {c, c, L"<DAY><!--note--><C/><A/><B/></DAY>"},
        {c, b, L"<DAY><!--note--><A/><B/><C/></DAY>"},
    };
    for (const auto& move : moves) {
        XmlDoc::MoveAfter(move.node, move.reference);
        EString xml = day.GetXml();
        xml.Replace(L"\r\n", L"");
        xml.Replace(L"\t", L"");
        EXPECT_EQ(xml, move.xml);
    }

    const EString before = doc.GetXml();
    EXPECT_EQ(RaisedError([&] { XmlDoc::MoveAfter(a, Select(doc, L"//D")); }).Error(), E_INVALIDARG);
    EXPECT_EQ(RaisedError([&] { XmlDoc::MoveAfter(a, day); }).Error(), E_INVALIDARG);
    EXPECT_EQ(doc.GetXml(), before);
}

TEST(XmlDocTest, WrappersConvertBetweenInterfacesOrStayEmpty)
{
    XmlDoc doc;
    doc.LoadXml(L"<ROOT><!--c--><TASK ID=\"1\"/><TASK ID=\"2\"/></ROOT>");
    const XmlNode comment = doc.GetRoot().GetFirstChild();
    ASSERT_EQ(comment.GetType(), NODE_COMMENT);
    EXPECT_TRUE(XmlElement(comment).IsEmpty());
    EXPECT_FALSE(XmlElement(comment.GetNextSibling()).IsEmpty());
    EXPECT_EQ(XmlElement(comment.GetNextSibling()).GetTagName(), L"TASK");
    EXPECT_TRUE(XmlNode(XmlElement(doc.GetRoot())).IsSameNode(doc.GetRoot()));
    EXPECT_TRUE(XmlNode(XmlElement()).IsEmpty());

    // The selection language is XPath: its functions and positions work.
    EXPECT_EQ(doc.GetDocument(false).SelectNodes(L"//*[local-name()='TASK']").GetLength(), 2);
    EXPECT_EQ(XmlDoc::GetIntAttribute(Select(doc, L"/ROOT/TASK[last()]"), L"ID"), 2);
    EXPECT_EQ(RaisedError([&] { doc.GetDocument(false).SelectNodes(L"//TASK[["); }).Error(), E_FAIL);

    const XmlNodeList ids = doc.GetDocument(false).SelectNodes(L"//TASK/@ID");
    ASSERT_EQ(ids.GetNodes().size(), 2u);
    EXPECT_EQ(ids.GetNodes()[1].GetValue().ToString(), L"2");
    EXPECT_TRUE(ids.GetElements().empty());
    EXPECT_TRUE(ids.GetItem(5).IsEmpty());
    EXPECT_EQ(doc.GetRoot().GetFirstChildElement().GetAttributes().GetNamedItem(L"ID").GetValue().ToString(), L"1");
}

TEST(XmlDocTest, ClipboardTextOfOneDocumentPastesIntoAnother)
{
    XmlDoc source;
    source.LoadXml(L"<ROOT><TASK ID=\"3\"><DESCRIPTION>one\ntwo</DESCRIPTION></TASK></ROOT>");
    XmlDoc::SetText(XmlDoc::GetDescriptionElement(Select(source, L"//TASK")), L"one\r\ntwo\r\n");
    XmlDoc target;
    target.LoadXml(source.GetXml());
    EXPECT_EQ(XmlDoc::GetText(XmlDoc::GetDescriptionElement(Select(target, L"//TASK"))), L"one\r\ntwo\r\n");
    EXPECT_EQ(target.GetXml(), source.GetXml());
}

TEST(MsxmlRegistrationTest, DocumentsCanBeCreatedAndRegistrationSucceeds)
{
    EXPECT_TRUE(CanCreateMsxmlDocuments());
    EXPECT_EQ(RegisterMsxml4(), S_OK);
    EnsureMsxmlRegistered();
    EXPECT_TRUE(CanCreateMsxmlDocuments());
    EXPECT_FALSE(XmlDoc::CreateDocument(true).IsEmpty());
}
