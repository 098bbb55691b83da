#include <gtest/gtest.h>

#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "foundation/Options.h"
#include "reports/Flow.h"
#include "testing/TestSupport.h"

namespace {

// An export flow over a fixed list of scripts instead of the folders.
class ListedExport : public Export {
public:
    explicit ListedExport(std::vector<EString> scripts) : m_scripts(std::move(scripts)) {}
    void EnumerateFiles(std::vector<EString>& files) override
    {
        files.insert(files.end(), m_scripts.begin(), m_scripts.end());
    }

private:
    std::vector<EString> m_scripts;
};

} // namespace

TEST(TransformerTest, NameGivesDescriptionExtensionAndFilter)
{
    const struct {
        const wchar_t* script;
        const wchar_t* description;
        const wchar_t* extension;
        const wchar_t* filter;
    } cases[] = {
        {L"C:\\Export\\Desc_csv.js", L"Desc", L"csv", L"Desc (*.csv)|*.csv|"},
        {L"C:\\Export\\Tab separated_values_txt.wsf", L"Tab separated_values", L"txt",
         L"Tab separated_values (*.txt)|*.txt|"},
        {L"C:\\Export\\Plain.vbs", L"Plain", L"*", L"Plain (*.*)|*.*|"},
        {L"C:\\Export\\Trailing_.js", L"Trailing", L"*", L"Trailing (*.*)|*.*|"},
        {kPlainXmlTransformer, L"XML Files.xml", L"*", L"XML Files.xml (*.*)|*.*|"},
    };
    for (const auto& c : cases) {
        const Transformer transformer(c.script);
        EXPECT_EQ(transformer.GetDescription(), c.description) << c.script;
        EXPECT_EQ(transformer.GetExtension(), c.extension) << c.script;
        EXPECT_EQ(transformer.GetFilterEntry(), c.filter) << c.script;
    }
}

TEST(FlowTest, TypesAreThePlanXmlThenOnePerScript)
{
    ListedExport flow({L"C:\\Export\\Desc_csv.js", L"C:\\Export\\Any.vbs"});
    EXPECT_EQ(flow.GetFilter(), L"XML Files.xml (*.*)|*.*|Desc (*.csv)|*.csv|Any (*.*)|*.*||");
    const struct {
        int index;
        const wchar_t* script;
        const wchar_t* extension;
    } cases[] = {
        {1, L"", L"xml"},
        {2, L"C:\\Export\\Desc_csv.js", L"csv"},
        {3, L"C:\\Export\\Any.vbs", L""},
        {0, L"", L"xml"},
        {4, L"", L"xml"},
        {-1, L"", L"xml"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(flow.GetTransformer(c.index), c.script) << c.index;
        EXPECT_EQ(flow.GetDefaultExtension(c.index), c.extension) << c.index;
    }
}

TEST(FlowTest, AChosenTypeIsRememberedPerDirection)
{
    ClearProgramRegistry();
    Export exportFlow;
    Import importFlow;
    EXPECT_EQ(exportFlow.GetRecentTypeIndex(), 1);
    EXPECT_EQ(exportFlow.OnTypeChosen(2), L"csv") << "the shipped CSV script is the second type";
    EXPECT_EQ(exportFlow.GetRecentTypeIndex(), 2);
    EXPECT_EQ(Options::ReadDword(L"RecentExportType", 0), 2u);
    EXPECT_EQ(importFlow.GetRecentTypeIndex(), 1);
    ClearProgramRegistry();
}

TEST(FlowTest, TheShippedScriptsAreOffered)
{
    Export exportFlow;
    Import importFlow;
    for (Flow* flow : {static_cast<Flow*>(&exportFlow), static_cast<Flow*>(&importFlow)})
        EXPECT_NE(flow->GetFilter().find(L"|Comma separated values (*.csv)|*.csv|"), EString::npos)
            << flow->GetFolderName().c_str();
}

TEST(FlowTest, DependenciesAreTheSourcesAWsfFileNames)
{
    const EString folder = MakeScratchFolder(L"flow-dependencies");
    const EString wsf = FileSystem::JoinPath(folder, L"Both_txt.wsf");
    WriteFileBytes(wsf, "<job><script language=\"JScript\" src=\"common.js\"/>"
                        "<script language=\"JScript\">Main();</script></job>");
    ListedExport flow({});
    std::vector<EString> dependencies{L"kept"};
    flow.GetDependencies(wsf, dependencies);
    EXPECT_EQ(dependencies, (std::vector<EString>{L"kept", L"common.js"}));
    flow.GetDependencies(FileSystem::JoinPath(folder, L"gone.wsf"), dependencies);
    EXPECT_EQ(dependencies.size(), 2u) << "a file that cannot be read names nothing";
}
