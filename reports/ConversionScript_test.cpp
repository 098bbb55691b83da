#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "foundation/CTFile.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "foundation/UniqueHandle.h"
#include "reports/ConversionScript.h"
#include "testing/TestSupport.h"

namespace {

// Ends the script with 0 only after it wrote its arguments, one a line, to
// the file it was given as its output.
const char kArgumentsScript[] =
    "var files = new ActiveXObject(\"Scripting.FileSystemObject\");\n"
    "var out = files.CreateTextFile(WScript.Arguments(1), true, true);\n"
    "for (var i = 0; i < WScript.Arguments.length; ++i) out.Write(WScript.Arguments(i) + \"\\r\\n\");\n"
    "out.Close();\n"
    "WScript.Quit(0);\n";

EString ReadText(const EString& path)
{
    CTFile file;
    if (!file.Open(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING))
        return EString();
    return file.ReadAll();
}

std::vector<EString> Lines(const EString& text)
{
    std::vector<EString> lines;
    size_t start = 0;
    for (size_t end; (end = text.find(L"\r\n", start)) != EString::npos; start = end + 2)
        lines.emplace_back(text.substr(start, end - start));
    return lines;
}

// The names in the folder, the output's temporary siblings included.
std::vector<EString> FolderEntries(const EString& folder)
{
    std::vector<EString> names;
    WIN32_FIND_DATAW found = {};
    const UniqueFindHandle search(::FindFirstFileW(FileSystem::JoinPath(folder, L"*").c_str(), &found));
    if (!search)
        return names;
    do {
        const EString name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (::FindNextFileW(search.Get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

class ConversionScriptTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder = MakeScratchFolder(L"conversion-script");
        input = FileSystem::JoinPath(folder, L"in.xml");
        WriteFileBytes(input, "<ROOT/>");
    }
    EString Script(const char* name, const std::string& text)
    {
        const EString path = FileSystem::JoinPath(folder, EString(std::wstring(name, name + strlen(name))));
        WriteFileBytes(path, text);
        return path;
    }

    EString folder;
    EString input;
};

} // namespace

// A category name is the user's text: one holding a quote and a "/Filter:"
// must reach the script as the one argument it is.
TEST_F(ConversionScriptTest, TheScriptReceivesEachArgumentWhole)
{
    const EString script = Script("args.js", kArgumentsScript);
    const EString output = FileSystem::JoinPath(folder, L"out.txt");
    ConvertWithScript(script, input, output,
                      {{L"ProjectPath", L"x\" /Filter:\"4"}, {L"Filter", L"0"}, {L"TransparentCategories", L"1"}});
    const std::vector<EString> lines = Lines(ReadText(output));
    ASSERT_EQ(lines.size(), 5u) << ReadText(output).c_str();
    EXPECT_EQ(lines[0], input);
    EXPECT_EQ(lines[2], L"/Filter:0");
    EXPECT_EQ(lines[3], L"/ProjectPath:x\" /Filter:\"4");
    EXPECT_EQ(lines[4], L"/TransparentCategories:1");
    EXPECT_EQ(FolderEntries(folder), (std::vector<EString>{L"args.js", L"in.xml", L"out.txt"}));
}

TEST_F(ConversionScriptTest, AFailedScriptIsReportedAndTheOutputKeepsItsBytes)
{
    const struct {
        const char* name;
        const char* text;
        const wchar_t* reason;
    } cases[] = {
        {"fails.js", "WScript.Quit(3);", L"failed (exit code 3)"},
        // Its reason in words, the first line of what it wrote, in UTF-16 or ANSI.
        {"explains.js",
         "var f = new ActiveXObject('Scripting.FileSystemObject').CreateTextFile(WScript.Arguments(1), true, true);"
         "f.WriteLine('Row 3: the Importance \\u00ABhigh\\u00BB is none of 0, 1, 2 and 3.\\u0007');"
         "f.WriteLine('second line'); f.Close(); WScript.Quit(6);",
         L"failed: Row 3: the Importance \u00ABhigh\u00BB is none of 0, 1, 2 and 3."},
        {"explainsInAnsi.js",
         "var f = new ActiveXObject('Scripting.FileSystemObject').CreateTextFile(WScript.Arguments(1), true, false);"
         "f.Write('No column named Task.'); f.Close(); WScript.Quit(5);",
         L"failed: No column named Task."},
        {"silent.js", "WScript.Quit(0);", L"wrote nothing"},
        // A script host shows a script error in a message box and waits: a
        // script that never ends stands for it.
        {"endless.js", "for (;;) {}", L"did not end in time"},
    };
    for (const auto& c : cases) {
        const EString script = Script(c.name, c.text);
        const EString output = FileSystem::JoinPath(folder, L"kept.csv");
        WriteFileBytes(output, "mine");
        try {
            ConvertWithScript(script, input, output, {}, 3000);
            ADD_FAILURE() << c.name << " was taken for a success";
        } catch (const ComError& error) {
            EXPECT_NE(error.Description().find(c.reason), EString::npos) << error.Description().c_str();
            EXPECT_NE(error.Description().find(script), EString::npos) << "names the script";
        }
        EXPECT_EQ(ReadFileBytes(output), "mine") << c.name;
        std::vector<EString> expected{EString(std::wstring(c.name, c.name + strlen(c.name))), L"in.xml", L"kept.csv"};
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(FolderEntries(folder), expected) << c.name << ": no temporary file stays";
        ::DeleteFileW(script.c_str());
    }
}
