#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "foundation/FileSystem.h"
#include "reports/Flow.h"
#include "reports/ScriptCommandLine.h"

namespace {

// The arguments the system's parsing reads from a command line.
std::vector<EString> ParsedArguments(const EString& commandLine)
{
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(commandLine.c_str(), &count);
    std::vector<EString> parsed;
    for (int i = 0; arguments && i < count; ++i)
        parsed.emplace_back(arguments[i]);
    ::LocalFree(arguments);
    return parsed;
}

} // namespace

TEST(ScriptCommandLineTest, AQuotedTextIsReadBackAsItself)
{
    const struct {
        const wchar_t* text;
        const wchar_t* quoted;
    } cases[] = {
        {L"Work", L"\"Work\""},
        {L"", L"\"\""},
        {L"two words", L"\"two words\""},
        {L"x\" /Filter:\"4", L"\"x\\\" /Filter:\\\"4\""},
        {L"a\\\"b", L"\"a\\\\\\\"b\""},
        {L"C:\\folder\\", L"\"C:\\folder\\\\\""},
        {L"Work\\Sub", L"\"Work\\Sub\""},
        {L"\\\\server\\share", L"\"\\\\server\\share\""},
    };
    for (const auto& c : cases) {
        const EString quoted = QuoteCommandLineArgument(c.text);
        EXPECT_EQ(quoted, c.quoted) << c.text;
        EXPECT_EQ(ParsedArguments(L"host.exe " + quoted), (std::vector<EString>{L"host.exe", c.text})) << c.text;
        EXPECT_EQ(ParsedArguments(L"host.exe" + Flow::FormatScriptArgument(L"Name", c.text)),
                  (std::vector<EString>{L"host.exe", EString(L"/Name:") + c.text}))
            << c.text;
    }
}

TEST(ScriptCommandLineTest, TheHostGetsScriptInputOutputThenTheArgumentsByName)
{
    const EString commandLine =
        BuildScriptCommandLine(L"C:\\Export\\Desc_csv.js", L"C:\\Temp\\zem1.tmp", L"D:\\out put.csv",
                               {{L"TransparentCategories", L"1"}, {L"Filter", L"4"}, {L"ProjectPath", L"Work\\Sub"}});
    const std::vector<EString> arguments = ParsedArguments(commandLine);
    ASSERT_EQ(arguments.size(), 7u) << commandLine.c_str();
    // The system's host by its full path, never one planted in the current folder.
    EXPECT_TRUE(FileSystem::IsFullPath(arguments[0])) << arguments[0].c_str();
    EXPECT_EQ(EString(arguments[0].substr(arguments[0].rfind(L'\\') + 1)).CompareNoCase(L"WScript.exe"), 0);
    EXPECT_EQ(std::vector<EString>(arguments.begin() + 1, arguments.end()),
              (std::vector<EString>{L"C:\\Export\\Desc_csv.js", L"C:\\Temp\\zem1.tmp", L"D:\\out put.csv",
                                    L"/Filter:4", L"/ProjectPath:Work\\Sub", L"/TransparentCategories:1"}));
}
