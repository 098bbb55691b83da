#include <gtest/gtest.h>

#include <stdexcept>

#include "document/AtomicFileWriter.h"
#include "foundation/ComError.h"
#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "foundation/Log.h"
#include "testing/TestSupport.h"

namespace {

int FilesIn(const EString& folder)
{
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW(FileSystem::JoinPath(folder, L"*").c_str(), &found);
    int count = 0;
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++count;
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return count;
}

} // namespace

TEST(AtomicFileWriter, ReplacesTheFileOrLeavesItByteForByte)
{
    const EString folder = MakeScratchFolder(L"atomic");
    const EString target = FileSystem::JoinPath(folder, L"plan.qvr");
    const struct {
        const char* name;
        std::function<void(const EString&)> write;
        bool replaced;
    } cases[] = {
        {"whole new content", [](const EString& path) { WriteFileBytes(path, "<ROOT>new</ROOT>"); }, true},
        {"fails half way",
         [](const EString& path) {
             WriteFileBytes(path, "<ROOT><TA");
             ThrowComError(E_OUTOFMEMORY);
         },
         false},
        {"writes nothing", [](const EString&) {}, false},
        {"raises something else", [](const EString&) { throw 1; }, false},
    };
    for (const auto& c : cases) {
        WriteFileBytes(target, "<ROOT>old</ROOT>");
        bool raised = false;
        try {
            AtomicFileWriter::Write(target, c.write);
        } catch (const ComError& error) {
            raised = true;
            EXPECT_NE(error.Description().find(target), EString::npos) << c.name;
        }
        EXPECT_EQ(raised, !c.replaced) << c.name;
        EXPECT_EQ(ReadFileBytes(target), c.replaced ? "<ROOT>new</ROOT>" : "<ROOT>old</ROOT>") << c.name;
        EXPECT_EQ(FilesIn(folder), 1) << c.name << ": the temporary file is gone";
    }
}

TEST(AtomicFileWriter, AForeignExceptionIsLoggedAndNamedInTheError)
{
    const EString folder = MakeScratchFolder(L"atomicforeign");
    const EString target = FileSystem::JoinPath(folder, L"plan.qvr");
    WriteFileBytes(target, "<ROOT>old</ROOT>");
    const size_t logStart = ReadFileBytes(GetLogFilePath()).size();
    EString description;
    try {
        AtomicFileWriter::Write(target, [](const EString&) { throw std::runtime_error("the disk driver failed"); });
    } catch (const ComError& error) {
        description = error.Description();
    }
    EXPECT_NE(description.find(L"the disk driver failed"), EString::npos) << WideToAnsi(description);
    EXPECT_NE(ReadFileBytes(GetLogFilePath()).find("EXCEPTION in writing a file: the disk driver failed", logStart),
              std::string::npos);
    EXPECT_EQ(ReadFileBytes(target), "<ROOT>old</ROOT>");
}

TEST(AtomicFileWriter, CreatesAMissingFileAndRefusesAMissingFolder)
{
    const EString folder = MakeScratchFolder(L"atomicnew");
    const EString target = FileSystem::JoinPath(folder, L"first.qvr");
    AtomicFileWriter::Write(target, [](const EString& path) { WriteFileBytes(path, "<ROOT/>"); });
    EXPECT_EQ(ReadFileBytes(target), "<ROOT/>");

    const EString nowhere = FileSystem::JoinPath(folder, L"no such folder\\plan.qvr");
    EXPECT_THROW(AtomicFileWriter::Write(nowhere, [](const EString& path) { WriteFileBytes(path, "x"); }), ComError);
    EXPECT_FALSE(FileSystem::FileExists(nowhere));
}
