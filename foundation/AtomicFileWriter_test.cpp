#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "foundation/AtomicFileWriter.h"
#include "foundation/ComError.h"
#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "foundation/Log.h"
#include "foundation/UniqueHandle.h"
#include "testing/TestSupport.h"

namespace {

int FilesIn(const EString& folder)
{
    WIN32_FIND_DATAW found;
    const UniqueFindHandle search(::FindFirstFileW(FileSystem::JoinPath(folder, L"*").c_str(), &found));
    int count = 0;
    if (!search)
        return 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++count;
    } while (::FindNextFileW(search.Get(), &found));
    return count;
}

// A write either replaced the target or failed leaving it whole; either way
// no temporary file stays behind.
void ExpectReplacedOrKept(const EString& folder, const EString& target, bool raised, bool replaced, const char* name)
{
    EXPECT_EQ(raised, !replaced) << name;
    EXPECT_EQ(ReadFileBytes(target), replaced ? "<ROOT>new</ROOT>" : "<ROOT>old</ROOT>") << name;
    EXPECT_EQ(FilesIn(folder), 1) << name << ": the temporary file is gone";
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
        ExpectReplacedOrKept(folder, target, raised, c.replaced, c.name);
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

TEST(AtomicFileWriter, KeepsTheTargetsAttributes)
{
    const EString folder = MakeScratchFolder(L"atomicattributes");
    const EString target = FileSystem::JoinPath(folder, L"hidden.qvr");
    WriteFileBytes(target, "<ROOT>old</ROOT>");
    ASSERT_TRUE(::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    AtomicFileWriter::Write(target, [](const EString& path) { WriteFileBytes(path, "<ROOT>new</ROOT>"); });
    EXPECT_EQ(ReadFileBytes(target), "<ROOT>new</ROOT>");
    EXPECT_TRUE(::GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(AtomicFileWriter, RetriesATargetHeldOpenAndGivesUpLeavingIt)
{
    const EString folder = MakeScratchFolder(L"atomicheld");
    const EString target = FileSystem::JoinPath(folder, L"held.qvr");
    const struct {
        const char* name;
        int releaseAtWait;  // 0: never
        bool replaced;
    } cases[] = {
        {"released after the first attempt", 1, true},
        {"released before the last attempt", 3, true},
        {"held throughout", 0, false},
    };
    for (const auto& c : cases) {
        WriteFileBytes(target, "<ROOT>old</ROOT>");
        // Another program reading the file without letting it be replaced.
        UniqueHandle held(
            ::CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held) << c.name;
        int waits = 0;
        AtomicWriteRules rules;
        rules.renameAttempts = 4;
        rules.waitBeforeRetry = [&] {
            if (++waits == c.releaseAtWait)
                held.Reset();
        };
        bool raised = false;
        try {
            AtomicFileWriter::Write(target, [](const EString& path) { WriteFileBytes(path, "<ROOT>new</ROOT>"); },
                                    rules);
        } catch (const ComError&) {
            raised = true;
        }
        held.Reset();
        EXPECT_EQ(waits, c.replaced ? c.releaseAtWait : rules.renameAttempts - 1) << c.name;
        ExpectReplacedOrKept(folder, target, raised, c.replaced, c.name);
    }
}

TEST(AtomicFileWriter, NeverReplacesAnExistingFileWhenToldSo)
{
    const EString folder = MakeScratchFolder(L"atomicnoreplace");
    const EString target = FileSystem::JoinPath(folder, L"plan.qvr");
    WriteFileBytes(target, "<ROOT>someone's</ROOT>");
    AtomicWriteRules rules;
    rules.replaceExisting = false;
    EXPECT_THROW(
        AtomicFileWriter::Write(target, [](const EString& path) { WriteFileBytes(path, "<ROOT>new</ROOT>"); }, rules),
        ComError);
    EXPECT_EQ(ReadFileBytes(target), "<ROOT>someone's</ROOT>");
    EXPECT_EQ(FilesIn(folder), 1);
}

TEST(AtomicFileWriter, RemovesOnlyLeftoversOfSavesOfItsOwnTarget)
{
    const EString folder = MakeScratchFolder(L"atomicleftovers");
    const struct {
        const wchar_t* name;
        bool removed;
    } cases[] = {
        {L"plan.qvr.~qvsave-0123abcd.tmp", true},
        {L"plan.qvr.~qvsave-FFFFFFFF.TMP", true},
        {L"plan.qvr.auto.~qvsave-0123abcd.tmp", false},
        {L"other.qvr.~qvsave-0123abcd.tmp", false},
        {L"myplan.qvr.~qvsave-0123abcd.tmp", false},
        {L"notes.tmp", false},
        {L"qvr1A2B.tmp", false},
        {L"plan.qvr.~qvsave-0123abc.tmp", false},
        {L"plan.qvr.~qvsave-0123abcg.tmp", false},
        {L"plan.qvr.~qvsave-0123abcd.tmp.txt", false},
        {L".~qvsave-0123abcd.tmp", false},
        {L"~qv0123abcd0123abcd.tmp", false},
    };
    for (const auto& c : cases)
        WriteFileBytes(FileSystem::JoinPath(folder, c.name), "<ROOT><TA");
    // A save of the same file in progress elsewhere holds its file open.
    const EString inProgress = FileSystem::JoinPath(folder, L"plan.qvr.~qvsave-00000001.tmp");
    WriteFileBytes(inProgress, "<ROOT>");
    {
        const UniqueHandle open(::CreateFileW(inProgress.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
        AtomicFileWriter::Write(FileSystem::JoinPath(folder, L"plan.qvr"),
                                [](const EString& path) { WriteFileBytes(path, "<ROOT/>"); });
    }
    for (const auto& c : cases)
        EXPECT_EQ(FileSystem::FileExists(FileSystem::JoinPath(folder, c.name)), !c.removed) << WideToAnsi(c.name);
    EXPECT_TRUE(FileSystem::FileExists(inProgress));
    EXPECT_EQ(ReadFileBytes(FileSystem::JoinPath(folder, L"plan.qvr")), "<ROOT/>");
}

namespace {

// A new folder below the base whose full path is `length` characters long.
EString FolderOfLength(const EString& base, size_t length)
{
    EString folder = FileSystem::GetFullPath(base);
    while (folder.size() + 1 < length) {
        const size_t left = length - folder.size() - 1;
        folder = FileSystem::JoinPath(folder, EString(left <= 60 ? left : 50, L'd'));
        ::CreateDirectoryW(folder.c_str(), nullptr);
    }
    return folder;
}

// A target of that full length in the folder, its name ending in `last`.
EString TargetOfLength(const EString& folder, size_t length, wchar_t last)
{
    const size_t name = length - folder.size() - 1;
    return FileSystem::JoinPath(folder, EString(name - 5, L'p') + last + L".qvr");
}

// The temporary file of a save of the target killed before its rename, as it stays on disk.
EString LeftoverOfKilledSave(const EString& target)
{
    EString temporary;
    try {
        AtomicFileWriter::Write(target, [&](const EString& path) {
            temporary = path;
            ThrowComError(E_ABORT);
        });
    } catch (const ComError&) {
    }
    WriteFileBytes(temporary, "<ROOT><TA");
    return temporary;
}

} // namespace

TEST(AtomicFileWriter, RemovesTheLeftoversOfItsOwnSavesAtEveryPathLength)
{
    const struct {
        size_t folderLength;
        size_t length;
        bool shortened;
    } cases[] = {
        {200, 230, false}, {200, 237, false}, {200, 238, false}, {200, 239, true}, {200, 240, true},
        {200, 245, true},  {200, 250, true},  {200, 255, true},  {200, 259, true}, {235, 259, true},
    };
    for (const auto& c : cases) {
        const EString folder = FolderOfLength(MakeScratchFolder(L"atomiclong"), c.folderLength);
        const EString target = TargetOfLength(folder, c.length, L'a');
        const EString other = TargetOfLength(folder, c.length, L'b');
        ASSERT_EQ(target.size(), c.length);
        WriteFileBytes(target, "<ROOT>old</ROOT>");
        const EString leftover = LeftoverOfKilledSave(target);
        const EString othersLeftover = LeftoverOfKilledSave(other);
        const EString name = leftover.substr(folder.size() + 1);
        const bool named = name.find(target.substr(folder.size() + 1)) == 0;
        EXPECT_EQ(!named, c.shortened) << c.length << ": " << WideToAnsi(name);
        EXPECT_LT(leftover.size(), static_cast<size_t>(MAX_PATH)) << c.length;
        EXPECT_TRUE(AtomicFileWriter::IsTemporaryName(name)) << c.length;

        AtomicFileWriter::Write(target, [](const EString& path) { WriteFileBytes(path, "<ROOT>new</ROOT>"); });
        EXPECT_EQ(ReadFileBytes(target), "<ROOT>new</ROOT>") << c.length;
        EXPECT_FALSE(FileSystem::FileExists(leftover)) << c.length;
        EXPECT_TRUE(FileSystem::FileExists(othersLeftover)) << c.length << ": another target's";
        EXPECT_EQ(FileNamesIn(folder).size(), 2u) << c.length;
    }
}

// Earlier versions named the temporary files of every target near the limit
// alike; they are a target's only when no other file there could have made them.
TEST(AtomicFileWriter, RemovesTheEarlierShortenedLeftoversOnlyWhereNoOtherFileCouldOwnThem)
{
    const struct {
        const char* name;
        size_t targetLength;
        std::vector<const wchar_t*> besides;
        bool removed;
    } cases[] = {
        {"a long target alone", 250, {}, true},
        {"a long target beside its automatic copy", 250, {L".auto"}, true},
        {"a long target beside another long file", 250, {L"x.qvr"}, false},
        {"a long target beside a file named q", 250, {L"\\..\\q"}, false},
        {"a target whose names are not shortened", 230, {}, false},
    };
    for (const auto& c : cases) {
        const EString folder = FolderOfLength(MakeScratchFolder(L"atomicearlier"), 200);
        const EString target = TargetOfLength(folder, c.targetLength, L'a');
        WriteFileBytes(target, "<ROOT>old</ROOT>");
        for (const wchar_t* beside : c.besides)
            WriteFileBytes(FileSystem::GetFullPath(target + beside), "<ROOT/>");
        const EString earlier = FileSystem::JoinPath(folder, L"q.~qvsave-0badc0de.tmp");
        WriteFileBytes(earlier, "<ROOT><TA");
        AtomicFileWriter::Write(target, [](const EString& path) { WriteFileBytes(path, "<ROOT>new</ROOT>"); });
        EXPECT_EQ(FileSystem::FileExists(earlier), !c.removed) << c.name;
    }
}
