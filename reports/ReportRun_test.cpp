#include "reports/ReportRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "document/FaultyStreams.h"
#include "foundation/ComError.h"
#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "testing/TestSupport.h"

namespace {

// Echoes every parameter and two placeholders, one the report texts know.
constexpr const char* kEchoReport =
    "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
    "<xsl:output method=\"html\"/>"
    "<xsl:param name=\"AffectedCategory\"/><xsl:param name=\"StartOfWeek\"/><xsl:param name=\"Is24HoursFormat\"/>"
    "<xsl:param name=\"ReportingPeriodStart\"/><xsl:param name=\"ReportingPeriodEnd\"/>"
    "<xsl:param name=\"RegularHours\"/>"
    "<xsl:template match=\"/\"><HTML><BODY><P>{Known} {NotAKey} \xC3\xA9t\xC3\xA9 <xsl:value-of select=\"count(//TASK)\"/>|"
    "<xsl:value-of select=\"$AffectedCategory\"/>|<xsl:value-of select=\"$StartOfWeek\"/>|"
    "<xsl:value-of select=\"$Is24HoursFormat\"/>|<xsl:value-of select=\"$ReportingPeriodStart\"/>|"
    "<xsl:value-of select=\"$ReportingPeriodEnd - $ReportingPeriodStart\"/>|<xsl:value-of select=\"$RegularHours * 2\"/>"
    "</P></BODY></HTML></xsl:template></xsl:stylesheet>";

constexpr const char* kOpen = "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">";

constexpr const char* kPlan = "<ROOT><CATEGORY ID=\"4\" NAME=\"Home\"><TASK ID=\"1\"/><TASK ID=\"2\"/></CATEGORY></ROOT>";

class ReportRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = MakeScratchFolder(L"ReportRun");
        stylesheet = folder + L"\\echo.xsl";
        plan = folder + L"\\plan.qvr";
        output = folder + L"\\Report.htm";
        WriteFileBytes(stylesheet, kEchoReport);
        WriteFileBytes(plan, kPlan);
        Text::Dictionary().Clear();
        Text::Dictionary().Parse(L"Known = Filled in");
    }
    void TearDown() override { Text::Dictionary().Clear(); }

    static ReportParameters Parameters()
    {
        ReportParameters parameters;
        parameters.affectedCategory = 4;
        parameters.startOfWeek = 1;
        parameters.is24HoursFormat = false;
        parameters.periodStart = 45355;
        parameters.periodEnd = 45361;
        parameters.regularHours = 7.5;
        return parameters;
    }

    static HRESULT CodeOf(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const ComError& error) {
            return error.Error();
        }
        return S_OK;
    }

    EString folder;
    EString stylesheet;
    EString plan;
    EString output;
};

TEST_F(ReportRunTest, TheReportIsWrittenAsUtf16WithItsTextsAndParameters)
{
    RunReport(stylesheet, plan, output, Parameters());
    const std::string bytes = ReadFileBytes(output);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE", 2)) << "the byte order mark";
    ASSERT_EQ(bytes.size() % 2, 0u);
    const EString text(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    EXPECT_NE(text.find(L"<P>Filled in {NotAKey} \u00E9t\u00E9 2|4|1|0|45355|6|15</P>"), EString::npos) << text.c_str();
}

TEST_F(ReportRunTest, ParametersComeFromTheSettingsWithTheChosenCategoryAndWholeDays)
{
    const ReportParameters parameters = ReportParameters::FromSettings(7, 45355.75, 45361.25);
    EXPECT_EQ(parameters.affectedCategory, 7);
    EXPECT_EQ(parameters.periodStart, 45355);
    EXPECT_EQ(parameters.periodEnd, 45361);
    EXPECT_TRUE(parameters.startOfWeek == 1 || parameters.startOfWeek == 2) << "the locale's week, never 0";
}

TEST_F(ReportRunTest, AnOutputThatIsThePlanOrTheStylesheetIsRefusedAndBothStayAsTheyWere)
{
    const struct {
        const char* name;
        EString target;
    } cases[] = {
        {"the plan", plan},
        {"the plan in other letters", folder + L"\\PLAN.QVR"},
        {"the plan by a longer way", folder + L"\\..\\" + FileSystem::GetFileTitle(folder) + L"\\plan.qvr"},
        {"the stylesheet", stylesheet},
        {"the stylesheet with forward slashes", folder + L"/echo.xsl"},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(CodeOf([&] { RunReport(stylesheet, plan, test.target, Parameters()); }), E_INVALIDARG) << test.name;
        EXPECT_EQ(ReadFileBytes(plan), kPlan) << test.name;
        EXPECT_EQ(ReadFileBytes(stylesheet), kEchoReport) << test.name;
    }
}

TEST_F(ReportRunTest, AFailedRunWritesNoOutput)
{
    WriteFileBytes(folder + L"\\broken.xsl", "<xsl:stylesheet");
    WriteFileBytes(folder + L"\\broken.qvr", "<ROOT>");
    const struct {
        const char* name;
        EString stylesheet;
        EString plan;
        EString output;
    } cases[] = {
        {"stylesheet does not parse", folder + L"\\broken.xsl", plan, output},
        {"stylesheet missing", folder + L"\\missing.xsl", plan, output},
        {"plan does not parse", stylesheet, folder + L"\\broken.qvr", output},
        {"output folder missing", stylesheet, plan, folder + L"\\no\\such\\folder\\Report.htm"},
    };
    for (const auto& test : cases) {
        EXPECT_TRUE(FAILED(CodeOf([&] { RunReport(test.stylesheet, test.plan, test.output, Parameters()); })))
            << test.name;
        EXPECT_FALSE(FileSystem::FileExists(output)) << test.name;
    }
}

TEST_F(ReportRunTest, AReportWhoseWritingFailsLeavesTheOldOneAndNoStrayFile)
{
    const struct {
        const char* name;
        XmlFileWriter::StreamFilter disk;
    } disks[] = {
        {"full from the start", FailAfterBytes(0)},
        {"fills half way", FailAfterBytes(100)},
        {"takes less than offered and says it took all", AcceptLessThanOffered()},
    };
    for (const auto& disk : disks) {
        WriteFileBytes(output, "<HTML>the last report</HTML>");
        HRESULT code = S_OK;
        {
            const ScopedStreamFilter failing(disk.disk);
            code = CodeOf([&] { RunReport(stylesheet, plan, output, Parameters()); });
        }
        EXPECT_TRUE(FAILED(code)) << disk.name;
        EXPECT_EQ(ReadFileBytes(output), "<HTML>the last report</HTML>") << disk.name;
        EXPECT_EQ(FileNamesIn(folder), (std::vector<EString>{L"Report.htm", L"echo.xsl", L"plan.qvr"})) << disk.name;
    }
}

// Wine's processor gives no output for a stylesheet it cannot compile as
// for one that runs and writes nothing; the user is told which it was.
TEST_F(ReportRunTest, AStylesheetWithNoOutputIsAFailureThatSaysWhyAndLeavesTheOutputAsItWas)
{
    const wchar_t* const compiles = L"ran but produced no output";
    const wchar_t* const doesNotCompile = L"could not be compiled";
    const struct {
        const char* name;
        std::string text;
        const wchar_t* told;
    } cases[] = {
        {"an include missing",
         std::string(kOpen) + "<xsl:include href=\"missing.xsl\"/><xsl:template match=\"/\"><HTML/></xsl:template>"
                              "</xsl:stylesheet>",
         L"which does not exist"},
        {"not a stylesheet", "<ROOT><TASK ID=\"1\"/></ROOT>", doesNotCompile},
        {"an expression that does not compile",
         std::string(kOpen) + "<xsl:template match=\"/\"><HTML><xsl:value-of select=\"((\"/></HTML></xsl:template>"
                              "</xsl:stylesheet>",
         doesNotCompile},
        {"a template that writes nothing",
         std::string(kOpen) + "<xsl:output method=\"html\"/><xsl:template match=\"/\"/></xsl:stylesheet>", compiles},
        {"endless recursion",
         std::string(kOpen) + "<xsl:template match=\"/\"><HTML><xsl:call-template name=\"again\"/></HTML>"
                              "</xsl:template><xsl:template name=\"again\"><xsl:call-template name=\"again\"/>"
                              "</xsl:template></xsl:stylesheet>",
         compiles},
        {"terminated by a message",
         std::string(kOpen) + "<xsl:template match=\"/\"><HTML><xsl:message terminate=\"yes\">stop</xsl:message>"
                              "</HTML></xsl:template></xsl:stylesheet>",
         compiles},
    };
    const EString broken = folder + L"\\broken.xsl";
    const std::string earlier = "an earlier report";
    for (const auto& test : cases) {
        WriteFileBytes(broken, test.text);
        ::DeleteFileW(output.c_str());
        EString told;
        try {
            RunReport(broken, plan, output, Parameters());
            ADD_FAILURE() << test.name << " wrote a report";
        } catch (const ComError& error) {
            EXPECT_TRUE(FAILED(error.Error())) << test.name;
            told = error.Description();
        }
        EXPECT_NE(told.find(test.told), EString::npos)
            << test.name << ": " << told.c_str();
        EXPECT_NE(told.find(broken), EString::npos) << test.name << ": " << told.c_str();
        EXPECT_FALSE(FileSystem::FileExists(output)) << test.name;

        WriteFileBytes(output, earlier);
        EXPECT_TRUE(FAILED(CodeOf([&] { RunReport(broken, plan, output, Parameters()); }))) << test.name;
        EXPECT_EQ(ReadFileBytes(output), earlier) << test.name;
    }
}

TEST_F(ReportRunTest, IncludedAndImportedStylesheetsAreReadFromBesideTheFileThatNamesThemAndNoOtherWay)
{
    const auto write = [](const EString& path, const std::string& content, const std::string& prolog = "") {
        WriteFileBytes(path, prolog + kOpen + content + "</xsl:stylesheet>");
    };
    const auto part = [](const char* text) {
        return "<xsl:template name=\"part\">" + std::string(text) + "</xsl:template>";
    };
    // The user's documents may lie in a folder named with blanks, accents and
    // signs that mean something in an address.
    const EString accented = folder + L"\\Mes rapports \u00E9t\u00E9 #1 %41";
    ::CreateDirectoryW(accented.c_str(), nullptr);
    ::CreateDirectoryW((folder + L"\\parts").c_str(), nullptr);
    write(folder + L"\\common.xsl", part("common"));
    write(accented + L"\\common.xsl", part("common"));
    write(folder + L"\\imported.xsl", part("imported"));
    write(folder + L"\\parts\\sub.xsl", "<xsl:include href=\"nested.xsl\"/>");
    write(folder + L"\\parts\\nested.xsl", part("nested"));
    write(folder + L"\\parts\\broken.xsl", "<xsl:include href=\"gone.xsl\"/>");
    write(folder + L"\\parts\\back.xsl", "<xsl:include href=\"../report.xsl\"/>");
    // Through a document type an included file would pull any file into the report.
    WriteFileBytes(folder + L"\\secret.txt", "SECRET");
    std::string folderUrl = "file:///" + WideToUtf8(folder);
    std::replace(folderUrl.begin(), folderUrl.end(), '\\', '/');
    write(folder + L"\\entity.xsl", part("&e;"),
          "<!DOCTYPE xsl:stylesheet [<!ENTITY e SYSTEM \"" + folderUrl + "/secret.txt\">]>");
    write(accented + L"\\entity.xsl", part("harmless"));
    const struct {
        const char* name;
        EString place;
        std::string references;
        const wchar_t* paragraph; // none: the run fails and writes nothing
    } cases[] = {
        {"an include beside it", folder, "<xsl:include href=\"common.xsl\"/>", L"<P>common</P>"},
        {"an import beside it", folder, "<xsl:import href=\"imported.xsl\"/>", L"<P>imported</P>"},
        {"an include in a sub folder that includes one beside itself", folder, "<xsl:include href=\"parts/sub.xsl\"/>",
         L"<P>nested</P>"},
        {"an include in a folder with blanks, accents and signs", accented, "<xsl:include href=\"common.xsl\"/>",
         L"<P>common</P>"},
        {"an include whose own include is missing", folder, "<xsl:include href=\"parts/broken.xsl\"/>", nullptr},
        {"an include that includes the report back", folder, "<xsl:include href=\"parts/back.xsl\"/>", nullptr},
        {"an include that declares a document type", folder, "<xsl:include href=\"entity.xsl\"/>", nullptr},
        {"an include by its address", accented, "<xsl:include href=\"" + folderUrl + "/entity.xsl\"/>", nullptr},
        {"an include under a base of its own", accented, "<xsl:include xml:base=\"../\" href=\"entity.xsl\"/>",
         nullptr},
    };
    for (const auto& test : cases) {
        const EString report = test.place + L"\\report.xsl";
        write(report, test.references + "<xsl:output method=\"html\"/><xsl:template match=\"/\"><HTML><BODY><P>"
                                        "<xsl:call-template name=\"part\"/></P></BODY></HTML></xsl:template>");
        ::DeleteFileW(output.c_str());
        const HRESULT code = CodeOf([&] { RunReport(report, plan, output, Parameters()); });
        if (!test.paragraph) {
            EXPECT_TRUE(FAILED(code)) << test.name;
            EXPECT_FALSE(FileSystem::FileExists(output)) << test.name;
            continue;
        }
        EXPECT_EQ(code, S_OK) << test.name;
        const std::string bytes = ReadFileBytes(output);
        const EString text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
        EXPECT_NE(text.find(test.paragraph), EString::npos) << test.name << ": " << WideToUtf8(text);
    }
}

} // namespace
