#include "reports/DependencyCopy.h"

#include <gtest/gtest.h>

#include "foundation/FileSystem.h"
#include "reports/CustomFilesTestSupport.h"
#include "reports/ReportFiles.h"
#include "testing/TestSupport.h"

namespace {

std::string Include(const char* href)
{
    return std::string("<xsl:include href=\"") + href + "\"/>";
}

// A source folder with stylesheets, and the destination in a folder of its
// own so that anything written beside or above it shows.
class DependencyCopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = MakeScratchFolder(L"DependencyCopy");
        m_source = FileSystem::JoinPath(m_root, L"source");
        m_outside = FileSystem::JoinPath(m_root, L"outside");
        m_destination = FileSystem::JoinPath(m_outside, L"user");
        for (const EString& folder : {m_source, m_outside, m_destination})
            FileSystem::EnsureFolder(folder);
    }
    EString Source(const wchar_t* name, const std::string& includes)
    {
        const EString path = FileSystem::JoinPath(m_source, name);
        WriteFileBytes(path, StylesheetText("r", "", includes));
        return path;
    }
    bool Copied(const wchar_t* relative) { return FileSystem::FileExists(FileSystem::JoinPath(m_destination, relative)); }

    Report m_reports;
    EString m_root;
    EString m_source;
    EString m_outside;
    EString m_destination;
};

} // namespace

TEST(DependencyReference, OnlyReferencesThatStayInTheirFolderOrBelowAreContained)
{
    const struct {
        const wchar_t* reference;
        bool contained;
    } cases[] = {
        {L"common.xsl", true},       {L"lib\\common.xsl", true}, {L"lib/deep/x.js", true},
        {L".\\here.xsl", true},      {L"", false},               {L"..\\up.xsl", false},
        {L"lib\\..\\..\\up.xsl", false}, {L"../up.xsl", false},  {L"\\root.xsl", false},
        {L"/root.xsl", false},       {L"C:\\abs.xsl", false},    {L"C:rel.xsl", false},
        {L"Z:/abs.xsl", false},      {L"\\\\server\\share\\x.xsl", false}, {L"a.xsl:stream", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsContainedReference(c.reference), c.contained) << c.reference;
}

TEST_F(DependencyCopyTest, IncludesAreCopiedWithTheirOwnIncludesIntoSubFoldersReplacingOlderCopies)
{
    FileSystem::EnsureFolder(FileSystem::JoinPath(m_source, L"lib"));
    FileSystem::EnsureFolder(FileSystem::JoinPath(m_source, L"lib\\deep"));
    Source(L"lib\\common.xsl", Include("deep/base.xsl"));
    Source(L"lib\\deep\\base.xsl", "");
    Source(L"plain.xsl", "");
    const EString report = Source(L"report.xsl", Include("lib\\common.xsl") + Include("plain.xsl"));
    WriteFileBytes(FileSystem::JoinPath(m_destination, L"plain.xsl"), "an older copy");

    CopyDependencies(m_reports, m_destination, report);

    EXPECT_TRUE(Copied(L"lib\\common.xsl"));
    EXPECT_TRUE(Copied(L"lib\\deep\\base.xsl"));
    EXPECT_EQ(ReadFileBytes(FileSystem::JoinPath(m_destination, L"plain.xsl")),
              ReadFileBytes(FileSystem::JoinPath(m_source, L"plain.xsl")));
    EXPECT_FALSE(Copied(L"report.xsl"));
}

TEST_F(DependencyCopyTest, AReferenceOutOfTheFolderOrByFullPathWritesNothingOutside)
{
    Source(L"secret.xsl", "");
    const EString outsideSource = FileSystem::JoinPath(m_root, L"elsewhere.xsl");
    WriteFileBytes(outsideSource, StylesheetText("r"));
    const EString secret = FileSystem::JoinPath(m_source, L"secret.xsl");
    std::string fullPath;
    for (const wchar_t c : secret)
        fullPath += static_cast<char>(c);
    const EString report = Source(L"report.xsl", Include("..\\elsewhere.xsl") + Include("../source/secret.xsl") +
                                                     Include(fullPath.c_str()));

    CopyDependencies(m_reports, m_destination, report);

    EXPECT_FALSE(FileSystem::FileExists(FileSystem::JoinPath(m_outside, L"elsewhere.xsl")));
    EXPECT_FALSE(FileSystem::FileExists(FileSystem::JoinPath(m_outside, L"source\\secret.xsl")));
    EXPECT_FALSE(Copied(L"secret.xsl"));
    EXPECT_FALSE(Copied(L"elsewhere.xsl"));
}

TEST_F(DependencyCopyTest, StylesheetsThatIncludeThemselvesOrEachOtherAreCopiedOnceAndTheCopyEnds)
{
    const EString self = Source(L"self.xsl", Include("self.xsl"));
    CopyDependencies(m_reports, m_destination, self);
    EXPECT_FALSE(Copied(L"self.xsl"));

    const EString first = Source(L"a.xsl", Include("b.xsl"));
    Source(L"b.xsl", Include("a.xsl") + Include("b.xsl"));
    CopyDependencies(m_reports, m_destination, first);
    EXPECT_TRUE(Copied(L"b.xsl"));
    EXPECT_FALSE(Copied(L"a.xsl"));
}
