#include <gtest/gtest.h>

#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "reports/WsfFile.h"
#include "testing/TestSupport.h"

TEST(WsfFileTest, ScriptSourcesAreTheDoubleQuotedSrcOfLowerCaseScriptTags)
{
    const struct {
        const char* name;
        const wchar_t* text;
        std::vector<EString> sources;
    } cases[] = {
        {"language then src", L"<job><script language=\"JScript\" src=\"lib\\common.js\"/></job>", {L"lib\\common.js"}},
        {"no src", L"<job><script language=\"JScript\">var src = \"x\";</script></job>", {}},
        {"single quotes", L"<script language='JScript' src='common.js'/>", {}},
        {"upper case tag", L"<SCRIPT language=\"JScript\" src=\"common.js\"/>", {}},
        {"empty value", L"<script src=\"\"/>", {}},
        {"quotes after the tag", L"<script language=\"JScript\"> src=\"x.js\"", {}},
        {"two scripts", L"<script src=\"a.js\"></script><script language=\"VBScript\" src=\"b.vbs\"/>",
         {L"a.js", L"b.vbs"}},
        {"unclosed tag", L"<script src=\"a.js\"", {}},
    };
    for (const auto& c : cases) {
        std::vector<EString> sources;
        WsfFile::FromText(c.text).GetScriptSources(sources);
        EXPECT_EQ(sources, c.sources) << c.name;
    }
}

TEST(WsfFileTest, AFileIsReadWholeAndAMissingOneRaises)
{
    const EString folder = MakeScratchFolder(L"wsf-file");
    const EString path = FileSystem::JoinPath(folder, L"job.wsf");
    WriteFileBytes(path, "\xEF\xBB\xBF<job><script language=\"JScript\" src=\"Zürich.js\"/></job>");
    std::vector<EString> sources;
    WsfFile(path).GetScriptSources(sources);
    EXPECT_EQ(sources, std::vector<EString>{L"Z\u00fcrich.js"});
    EXPECT_THROW(WsfFile(FileSystem::JoinPath(folder, L"gone.wsf")), ComError);
}
