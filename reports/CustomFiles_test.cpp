#include "reports/CustomFiles.h"

#include <gtest/gtest.h>

#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "reports/CustomFilesTestSupport.h"
#include "reports/ReportFiles.h"
#include "testing/TestSupport.h"

namespace {

constexpr const wchar_t* kKindFolder = L"CustomFilesTestReports";

// A report kind with its shipped and user folders emptied before and after.
class CustomFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_shipped = m_kind.GetProgramFolder();
        m_user = m_kind.GetUserFolder();
        Clean();
        m_shipped = m_kind.GetProgramFolder();
        m_user = m_kind.GetUserFolder();
    }
    void TearDown() override
    {
        Clean();
        Text::Dictionary().Clear();
    }
    void Clean()
    {
        RemoveFolderTree(m_shipped);
        RemoveFolderTree(m_user);
        RemoveFolderTree(m_user + L"2");
    }
    EString Write(const EString& folder, const wchar_t* name, const std::string& text)
    {
        const EString path = FileSystem::JoinPath(folder, name);
        WriteFileBytes(path, text);
        return path;
    }

    TestReportKind m_kind{kKindFolder};
    EString m_shipped;
    EString m_user;
};

std::vector<EString> Listed(CustomFiles& kind)
{
    std::vector<EString> files;
    kind.EnumerateFiles(files);
    return files;
}

} // namespace

TEST_F(CustomFilesTest, TheShippedFilesAreListedBeforeTheUsersOwnAndOnlyTheUsersCount)
{
    EXPECT_TRUE(Listed(m_kind).empty());

    const EString shipped = Write(m_shipped, L"shipped.xsl", StylesheetText("Shipped"));
    Write(m_shipped, L"notes.txt", "not a stylesheet");
    EXPECT_EQ(Listed(m_kind), std::vector<EString>{shipped});

    const EString own = Write(m_user, L"own.xsl", StylesheetText("Own"));
    EXPECT_EQ(Listed(m_kind), (std::vector<EString>{shipped, own}));
    const std::vector<Feature> features = m_kind.GetFeatures(Listed(m_kind));
    ASSERT_EQ(features.size(), 2u);
    EXPECT_FALSE(features[0].IsUserFile());
    EXPECT_TRUE(features[1].IsUserFile());
}

TEST_F(CustomFilesTest, AFileIsTheUsersOwnOnlyInsideTheWholeUserFolderInAnyCase)
{
    EString upper = m_user;
    ::CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    const struct {
        EString path;
        bool own;
    } cases[] = {
        {FileSystem::JoinPath(m_user, L"a.xsl"), true},
        {FileSystem::JoinPath(upper, L"A.XSL"), true},
        {FileSystem::JoinPath(m_user, L"German\\a.xsl"), true},
        {m_user + L"2\\a.xsl", false},
        {m_user, false},
        {FileSystem::JoinPath(m_shipped, L"a.xsl"), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(m_kind.IsUserFile(c.path), c.own) << c.path.c_str();
}

TEST_F(CustomFilesTest, AReportIsListedUnderItsReportNameWithItsKeysTranslated)
{
    Text::Dictionary().Parse(L"TasksByCategory=Tasks by category\n");
    const struct {
        const wchar_t* file;
        std::string reportName;
        const wchar_t* shown;
    } cases[] = {
        {L"named.xsl", "Weekly review", L"Weekly review"},
        {L"keyed.xsl", "{TasksByCategory}", L"Tasks by category"},
        {L"unknown_key.xsl", "{NoSuchKey} (draft)", L"{NoSuchKey} (draft)"},
        {L"unnamed.xsl", "", L"unnamed"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(m_kind.GetDisplayName(Write(m_user, c.file, StylesheetText(c.reportName))), c.shown) << c.file;
    const EString broken = Write(m_user, L"broken.xsl", "<xsl:stylesheet");
    EXPECT_EQ(m_kind.GetDisplayName(broken), L"broken");
}

TEST_F(CustomFilesTest, AReportUsesACategoryOrAPeriodOnlyWhenItDeclaresTheirParameters)
{
    const auto param = [](const char* name) { return std::string("<xsl:param name=\"") + name + "\"/>"; };
    const struct {
        const wchar_t* file;
        std::string parameters;
        bool category;
        bool period;
    } cases[] = {
        {L"none.xsl", "", false, false},
        {L"category.xsl", param("AffectedCategory"), true, false},
        {L"period.xsl", param("ReportingPeriodStart") + param("ReportingPeriodEnd"), false, true},
        {L"start_only.xsl", param("ReportingPeriodStart"), false, false},
        {L"end_only.xsl", param("ReportingPeriodEnd"), false, false},
        {L"both.xsl", param("ReportingPeriodEnd") + param("AffectedCategory") + param("ReportingPeriodStart"), true,
         true},
    };
    for (const auto& c : cases) {
        const Feature shipped = m_kind.GetFeature(Write(m_shipped, c.file, StylesheetText("r", c.parameters)));
        EXPECT_EQ(shipped.UsesCategory(), c.category) << c.file;
        EXPECT_EQ(shipped.UsesPeriod(), c.period) << c.file;
        EXPECT_FALSE(shipped.IsUserFile()) << c.file;
    }
    EXPECT_TRUE(m_kind.GetFeature(Write(m_user, L"mine.xsl", StylesheetText("r"))).IsUserFile());
}

TEST_F(CustomFilesTest, ARenamedScriptMovesWithinItsFolderAndABadOrTakenNameMovesNothing)
{
    TestScriptKind scripts{kKindFolder};
    const EString script = Write(m_user, L"export.js", "// a script");
    Write(m_user, L"taken.js", "// another");
    const wchar_t* refused[] = {L"", L".", L"..", L"a\\b", L"a/b", L"..\\up", L"C:x", L"a?", L"a*", L"a<b",
                                L"a|b", L"a\"b", L"trailing.", L"trailing ", L"taken"};
    for (const wchar_t* name : refused) {
        EXPECT_EQ(scripts.Rename(script, name), L"") << name;
        EXPECT_TRUE(FileSystem::FileExists(script)) << name;
    }
    EXPECT_FALSE(FileSystem::FileExists(FileSystem::JoinPath(FileSystem::GetFolder(m_user), L"up.js")));

    const EString renamed = scripts.Rename(script, L"Comma separated_csv");
    EXPECT_EQ(renamed, FileSystem::JoinPath(m_user, L"Comma separated_csv.js"));
    EXPECT_TRUE(FileSystem::FileExists(renamed));
    EXPECT_FALSE(FileSystem::FileExists(script));
}

TEST_F(CustomFilesTest, ARenamedReportKeepsItsPathAndARenameThatWroteNothingFails)
{
    const EString report = Write(m_user, L"report.xsl", StylesheetText("Old"));
    EXPECT_EQ(m_kind.Rename(report, L"New name"), report);
    EXPECT_EQ(m_kind.GetDisplayName(report), L"New name");
    EXPECT_EQ(m_kind.Rename(report, L""), L"");

    // No HTML head to hold the name: nothing is written, and nothing is claimed.
    const std::string headless = "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\"/>";
    const EString bare = Write(m_user, L"bare.xsl", headless);
    EXPECT_EQ(m_kind.Rename(bare, L"Named"), L"");
    EXPECT_EQ(ReadFileBytes(bare), headless);
    EXPECT_EQ(m_kind.Rename(FileSystem::JoinPath(m_user, L"missing.xsl"), L"Named"), L"");
}
