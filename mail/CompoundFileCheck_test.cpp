#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "mail/CompoundFileCheck.h"
#include "foundation/ComPtr.h"
#include "mail/MsgFileBuilder.h"
#include "mail/OulookMessage.h"

namespace {

uint32_t Read32(const std::string& bytes, size_t offset)
{
    uint32_t value;
    memcpy(&value, bytes.data() + offset, 4);
    return value;
}

void Write32(std::string& bytes, size_t offset, uint32_t value)
{
    memcpy(&bytes[offset], &value, 4);
}

size_t SectorOffset(uint32_t sector) { return (sector + 1) * 512; }

// Offset of a FAT entry, through the first FAT sector.
size_t FatEntry(const std::string& bytes, uint32_t sector) { return SectorOffset(Read32(bytes, 76)) + 4 * sector; }

size_t DirectoryEntry(const std::string& bytes, uint32_t entry)
{
    return SectorOffset(Read32(bytes, 48)) + 128 * entry;
}

// The entries reachable from the root, in tree order (the directory may hold
// stale entries beside them).
std::vector<uint32_t> ReachableEntries(const std::string& bytes)
{
    std::vector<uint32_t> entries;
    std::vector<uint32_t> pending{Read32(bytes, DirectoryEntry(bytes, 0) + 76)};
    while (!pending.empty() && entries.size() < 4) {
        const uint32_t entry = pending.back();
        pending.pop_back();
        if (entry == 0xFFFFFFFF)
            continue;
        entries.push_back(entry);
        for (const size_t field : {68, 72, 76})
            pending.push_back(Read32(bytes, DirectoryEntry(bytes, entry) + field));
    }
    return entries;
}

uint32_t FirstStream(const std::string& bytes)
{
    for (const uint32_t entry : ReachableEntries(bytes))
        if (bytes[DirectoryEntry(bytes, entry) + 66] == 2 && Read32(bytes, DirectoryEntry(bytes, entry) + 120) > 0)
            return entry;
    return 0;
}

} // namespace

TEST(CompoundFileCheckTest, RefusesLoopsAndMissingSectors)
{
    MsgFileBuilder file;
    file.AddUnicodeProperty(L"", 0x0E1D, L"subject");
    file.AddBinaryProperty(L"", 0x1000, std::string(5000, 'b'));
    file.AddUnicodeProperty(RecipientStorage(0), 0x3001, L"name");
    const std::string good = file.GetBytes();
    ASSERT_TRUE(IsSoundCompoundFile(good));

    const uint32_t directory = Read32(good, 48);
    const uint32_t first = ReachableEntries(good).at(0);
    const uint32_t stream = FirstStream(good);
    ASSERT_NE(stream, 0u);
    struct Case {
        const char* what;
        size_t offset;
        uint32_t value;
    } cases[] = {
        {"directory chain loops", FatEntry(good, directory), directory},
        {"directory chain leaves the file", FatEntry(good, directory), 0x00FFFFFF},
        {"directory chain meets a free sector", FatEntry(good, directory), 0xFFFFFFFF},
        {"first entry loops to itself", DirectoryEntry(good, first) + 68, first},
        {"child points back to the root", DirectoryEntry(good, 0) + 76, 0},
        {"stream larger than its chain", DirectoryEntry(good, stream) + 120, 0x7FFFFFFF},
        {"mini stream beyond its chain", DirectoryEntry(good, 0) + 120, 0x7FFFFFFF},
        {"too many FAT sectors", 44, 0x10000},
        {"sector size", 30, 10},
        {"cut-off size", 56, 0},
    };
    for (const Case& c : cases) {
        std::string bad = good;
        Write32(bad, c.offset, c.value);
        EXPECT_FALSE(IsSoundCompoundFile(bad)) << c.what << " " << c.offset;
    }
    for (const size_t size : {size_t(0), size_t(511), size_t(512), SectorOffset(directory) + 511})
        EXPECT_FALSE(IsSoundCompoundFile(good.substr(0, size))) << size;
}

TEST(CompoundFileCheckTest, Version3SizesIgnoreTheirHighBits)
{
    MsgFileBuilder file;
    file.AddUnicodeProperty(L"", 0x0E1D, L"kept subject");
    file.AddAnsiProperty(L"", 0x1000, std::string(5000, 'b'));
    std::string bytes = file.GetBytes();
    ASSERT_EQ(bytes[26], 3);
    Write32(bytes, DirectoryEntry(bytes, 0) + 124, 0xFFFFFFFF);
    for (const uint32_t entry : ReachableEntries(bytes))
        Write32(bytes, DirectoryEntry(bytes, entry) + 124, 0x00000001);
    ASSERT_TRUE(IsSoundCompoundFile(bytes));

    const ComPtr<IEmailMessage> message(new OulookMessage(bytes));
    EXPECT_EQ(message->GetSubject(), L"kept subject");
    EXPECT_EQ(message->GetBody(), EString(5000, L'b'));
}
