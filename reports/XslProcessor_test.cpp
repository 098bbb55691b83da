#include "reports/XslProcessor.h"

#include <gtest/gtest.h>

#include "foundation/ComError.h"
#include "reports/XslManager.h"
#include "testing/TestSupport.h"

namespace {

constexpr const wchar_t* kEchoStylesheet =
    L"<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
    L"<xsl:output method=\"text\"/>"
    L"<xsl:param name=\"Who\">nobody</xsl:param><xsl:param name=\"Count\"/><xsl:param name=\"Hours\"/>"
    L"<xsl:template match=\"/\"><xsl:value-of select=\"$Who\"/>,<xsl:value-of select=\"$Count + 1\"/>,"
    L"<xsl:value-of select=\"$Hours * 2\"/>,<xsl:value-of select=\"count(//TASK)\"/></xsl:template>"
    L"</xsl:stylesheet>";

HRESULT CodeOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ComError& error) {
        return error.Error();
    }
    return S_OK;
}

} // namespace

TEST(XSLProcessor, PassedParametersOfEachTypeReachTheOutput)
{
    XSLProcessor processor;
    processor.LoadInputXml(L"<ROOT><TASK/><TASK/></ROOT>");
    processor.LoadStylesheetXml(kEchoStylesheet);
    processor.AddParameterString(L"Who", L"Ann O'Neil \"Jr\"");
    processor.AddParameterInt(L"Count", 41);
    processor.AddParameter(L"Hours", Variant(7.5));
    EXPECT_EQ(processor.Transform(), L"Ann O'Neil \"Jr\",42,15,2");
}

TEST(XSLProcessor, NumberParametersLeaveTheProcessorWholeRunAfterRun)
{
    // Offered as numbers, Wine's processor refused them and was left damaged:
    // the second run crashed or lost its parameters.
    for (int run = 0; run < 6; ++run) {
        XSLProcessor processor;
        processor.LoadInputXml(L"<ROOT><TASK/></ROOT>");
        processor.LoadStylesheetXml(kEchoStylesheet);
        processor.AddParameterString(L"Who", L"Bo");
        processor.AddParameterInt(L"Count", run);
        processor.AddParameter(L"Hours", Variant(0.25 * run));
        EXPECT_EQ(processor.Transform(), EString::Formatted(L"Bo,%d,%g,1", run + 1, 0.5 * run)) << run;
    }
}

TEST(XSLProcessor, TextsThatDoNotParseAreRefusedAsInvalidArguments)
{
    XSLProcessor processor;
    EXPECT_EQ(CodeOf([&] { processor.LoadStylesheetXml(L"<xsl:stylesheet"); }), E_INVALIDARG);
    EXPECT_EQ(CodeOf([&] { processor.LoadInputXml(L"<ROOT>"); }), E_INVALIDARG);
    EXPECT_NE(CodeOf([&] { processor.LoadInputFile(L"C:\\no\\such\\plan.qvr"); }), S_OK);
}

TEST(XslManager, TheReportNameIsWrittenIntoTheHeadAndReadBackAfterSaving)
{
    const EString folder = MakeScratchFolder(L"XslManager");
    const EString path = folder + L"\\report.xsl";
    WriteFileBytes(path, "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                         "<xsl:include href=\"common.xsl\"/><xsl:param name=\"AffectedCategory\"/>"
                         "<xsl:template match=\"/\"><HTML><HEAD><TITLE>t</TITLE></HEAD></HTML></xsl:template>"
                         "</xsl:stylesheet>");
    {
        XslManager stylesheet(path);
        EXPECT_EQ(stylesheet.GetReportName(), L"");
        EXPECT_TRUE(stylesheet.HasNode(L"//xsl:param[@name=\"AffectedCategory\"]"));
        std::vector<EString> includes;
        stylesheet.GetIncludes(includes);
        EXPECT_EQ(includes, std::vector<EString>{L"common.xsl"});
        stylesheet.SetReportName(L"Tasks by category");
        stylesheet.Save(path);
    }
    EXPECT_EQ(XslManager(path).GetReportName(), L"Tasks by category");
}
