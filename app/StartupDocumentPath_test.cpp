#include <gtest/gtest.h>

#include <windows.h>

#include "app/StartupDocumentPath.h"
#include "foundation/Options.h"
#include "foundation/UniqueHandle.h"
#include "testing/TestSupport.h"

namespace {

constexpr int kMissing = -1;

// Writes the file with its last-write time at that second (and millisecond)
// of a fixed minute; a missing one is removed.
void PlaceFile(const EString& path, int second, int millisecond)
{
    ::DeleteFileW(path.c_str());
    if (second == kMissing)
        return;
    WriteFileBytes(path, "<ROOT/>");
    const SYSTEMTIME system = {2024, 3, 2, 5, 10, 0, static_cast<WORD>(second), static_cast<WORD>(millisecond)};
    FILETIME time = {};
    ::SystemTimeToFileTime(&system, &time);
    const UniqueHandle file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    ::SetFileTime(file.Get(), nullptr, nullptr, &time);
}

enum class Chosen { CommandLine, Document, Copy, Nothing };

TEST(StartupDocumentPathTest, ChoosesTheCommandLineThenTheNewerOfCopyAndDocument)
{
    const EString folder = MakeScratchFolder(L"startup");
    const EString document = FileSystem::JoinPath(folder, L"plan.qvr");
    const EString copy = document + L".auto";
    const EString given = FileSystem::JoinPath(folder, L"given.qvr");
    struct Case {
        const char* name;
        const wchar_t* arguments;
        bool restorePathSet;
        int documentSecond, documentMillisecond;
        int copySecond, copyMillisecond;
        Chosen chosen;
    } cases[] = {
        {"command line over a newer copy", L"given", true, 0, 0, 5, 0, Chosen::CommandLine},
        {"copy a second newer", L"", true, 0, 0, 1, 0, Chosen::Copy},
        {"equal times", L"", true, 3, 0, 3, 0, Chosen::Document},
        {"copy newer within the same second", L"", true, 3, 100, 3, 900, Chosen::Document},
        {"document newer", L"", true, 4, 0, 3, 0, Chosen::Document},
        {"copy of an unnamed document", L"", true, kMissing, 0, 3, 0, Chosen::Copy},
        {"copy missing", L"", true, 3, 0, kMissing, 0, Chosen::Document},
        {"both missing", L"", true, kMissing, 0, kMissing, 0, Chosen::Document},
        {"closed normally, copy left over", L"", false, 0, 0, 5, 0, Chosen::Nothing},
    };
    for (const Case& c : cases) {
        PlaceFile(document, c.documentSecond, c.documentMillisecond);
        PlaceFile(copy, c.copySecond, c.copyMillisecond);
        Options::SetRestorePath(c.restorePathSet ? copy : EString());
        CommandLine commandLine;
        commandLine.Parse(*c.arguments ? EString(L"\"") + given + L"\"" : EString());

        const EString expected = c.chosen == Chosen::CommandLine ? given
                                 : c.chosen == Chosen::Document  ? document
                                 : c.chosen == Chosen::Copy      ? copy
                                                                 : EString();
        EXPECT_EQ(ChooseStartupDocumentPath(commandLine), expected) << c.name;
    }
    Options::SetRestorePath(EString());
}

} // namespace
