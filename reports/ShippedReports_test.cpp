// The report stylesheets shipped beside the program: their names, what they use, and the list users see.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "reports/ReportFiles.h"
#include "testing/TestSupport.h"

namespace {

// The shipped reports beside the test program, and the user's in a folder of the test's own.
class ScratchReports : public Report {
public:
    explicit ScratchReports(EString userFolder) : m_userFolder(std::move(userFolder)) {}
    EString GetUserFolder() override { return m_userFolder; }

private:
    EString m_userFolder;
};

class ShippedReportsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Text::Dictionary().Clear();
        ASSERT_TRUE(Text::LoadReportLanguageFile()) << "the shipped report texts are found";
        userFolder = MakeScratchFolder(L"UserReports");
    }
    void TearDown() override { Text::Dictionary().Clear(); }

    static EString Shipped(const wchar_t* file) { return FileSystem::GetProgramFolderPath(EString(L"Reports\\") + file); }

    EString userFolder;
};

TEST_F(ShippedReportsTest, EachShippedReportIsListedUnderItsTranslatedNameWithWhatItUses)
{
    const struct {
        const wchar_t* file;
        const wchar_t* name;
        bool usesCategory;
        bool usesPeriod;
    } cases[] = {
        {L"TasksByCategory.xsl", L"Tasks by category", true, false},
        {L"DailyPlan.xsl", L"Daily plan", false, true},
        {L"PlanAgainstReality.xsl", L"Plan against reality", false, true},
    };
    ScratchReports reports(userFolder);
    for (const auto& test : cases) {
        const EString path = Shipped(test.file);
        ASSERT_TRUE(FileSystem::FileExists(path)) << path.c_str();
        EXPECT_EQ(reports.GetDisplayName(path), test.name);
        const Feature feature = reports.GetFeature(path);
        EXPECT_EQ(feature.UsesCategory(), test.usesCategory) << path.c_str();
        EXPECT_EQ(feature.UsesPeriod(), test.usesPeriod) << path.c_str();
        EXPECT_FALSE(feature.IsUserFile()) << path.c_str();
    }
}

TEST_F(ShippedReportsTest, TheShippedReportsComeFirstThenTheUsersOwnWhichAloneAreEditable)
{
    WriteFileBytes(userFolder + L"\\Mine.xsl",
                   "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                   "<xsl:template match=\"/\"><HTML><HEAD><META NAME=\"Report\" CONTENT=\"{Mine} weekly\"/></HEAD>"
                   "</HTML></xsl:template></xsl:stylesheet>");
    WriteFileBytes(userFolder + L"\\notes.txt", "not a report");
    ScratchReports reports(userFolder);
    std::vector<EString> files;
    reports.EnumerateFiles(files);
    ASSERT_EQ(files.size(), 4u);
    const std::set<EString> shipped(files.begin(), files.begin() + 3);
    EXPECT_EQ(shipped, (std::set<EString>{Shipped(L"DailyPlan.xsl"), Shipped(L"PlanAgainstReality.xsl"),
                                          Shipped(L"TasksByCategory.xsl")}));
    EXPECT_EQ(files[3], userFolder + L"\\Mine.xsl");

    const std::vector<Feature> features = reports.GetFeatures(files);
    for (size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(features[i].IsUserFile(), i == 3) << files[i].c_str();
    EXPECT_EQ(reports.GetDisplayNames(files)[3], L"{Mine} weekly") << "a key the texts lack stays as written";
}

} // namespace
