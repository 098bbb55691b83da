#include "mail/CompoundFileCheck.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

const uint32_t EndOfChain = 0xFFFFFFFE;
const uint32_t NoStream = 0xFFFFFFFF;
const uint32_t MaxRegularSector = 0xFFFFFFFA;
const size_t HeaderDifatCount = 109;
const size_t DirectoryEntrySize = 128;
const size_t MiniSectorSize = 64;
const uint32_t MiniStreamCutoff = 4096;

enum EntryType { EntryStorage = 1, EntryStream = 2, EntryRoot = 5 };

class CompoundFile {
public:
    explicit CompoundFile(const std::string& bytes)
        : m_data(reinterpret_cast<const unsigned char*>(bytes.data())), m_size(bytes.size()) {}

    bool Check();

private:
    uint32_t Read32(size_t offset) const
    {
        uint32_t value;
        std::memcpy(&value, m_data + offset, 4);
        return value;
    }
    size_t SectorOffset(uint32_t sector) const { return (static_cast<size_t>(sector) + 1) << m_shift; }
    // Version 3 files may carry anything in a size's high 32 bits; readers ignore them.
    uint64_t StreamSize(size_t entryOffset) const
    {
        const uint64_t high = m_major == 3 ? 0 : Read32(entryOffset + 124);
        return Read32(entryOffset + 120) | (high << 32);
    }

    bool ReadFat(uint32_t fatSectors, uint32_t firstDifat, uint32_t difatSectors);
    // The sectors of a chain; false when it leaves the table, meets a free
    // or special sector, or runs longer than the table (a loop).
    static bool Follow(const std::vector<uint32_t>& table, uint32_t start, std::vector<uint32_t>& chain);
    bool CheckTree(uint32_t rootChild);
    bool CheckStream(size_t entry);

    const unsigned char* m_data;
    size_t m_size;
    unsigned m_major = 3;
    unsigned m_shift = 9;
    size_t m_sectorSize = 512;
    uint32_t m_sectors = 0;
    std::vector<uint32_t> m_fat;
    std::vector<uint32_t> m_miniFat;
    size_t m_miniSectors = 0;
    std::vector<size_t> m_entries; // offsets of the directory entries
};

bool CompoundFile::Follow(const std::vector<uint32_t>& table, uint32_t start, std::vector<uint32_t>& chain)
{
    chain.clear();
    for (uint32_t sector = start; sector != EndOfChain; sector = table[sector]) {
        if (sector >= table.size() || chain.size() >= table.size())
            return false;
        chain.push_back(sector);
    }
    return true;
}

bool CompoundFile::ReadFat(uint32_t fatSectors, uint32_t firstDifat, uint32_t difatSectors)
{
    if (fatSectors > m_sectors || difatSectors > m_sectors)
        return false;
    std::vector<uint32_t> fatSectorList;
    for (size_t i = 0; i < HeaderDifatCount && fatSectorList.size() < fatSectors; ++i)
        fatSectorList.push_back(Read32(76 + 4 * i));
    const size_t perDifat = m_sectorSize / 4 - 1;
    uint32_t difat = firstDifat;
    for (uint32_t count = 0; count < difatSectors && fatSectorList.size() < fatSectors; ++count) {
        if (difat >= m_sectors)
            return false;
        const size_t offset = SectorOffset(difat);
        for (size_t i = 0; i < perDifat && fatSectorList.size() < fatSectors; ++i)
            fatSectorList.push_back(Read32(offset + 4 * i));
        difat = Read32(offset + 4 * perDifat);
    }
    if (fatSectorList.size() < fatSectors)
        return false;
    for (const uint32_t sector : fatSectorList) {
        if (sector >= m_sectors)
            return false;
        const size_t offset = SectorOffset(sector);
        for (size_t i = 0; i < m_sectorSize / 4; ++i)
            m_fat.push_back(Read32(offset + 4 * i));
    }
    // Entries past the file's last sector can never be followed.
    if (m_fat.size() > m_sectors)
        m_fat.resize(m_sectors);
    return true;
}

bool CompoundFile::CheckStream(size_t entry)
{
    const size_t offset = m_entries[entry];
    const uint32_t start = Read32(offset + 116);
    const uint64_t size = StreamSize(offset);
    if (size == 0)
        return true;
    std::vector<uint32_t> chain;
    if (size < MiniStreamCutoff)
        return Follow(m_miniFat, start, chain) && chain.size() * MiniSectorSize >= size;
    return Follow(m_fat, start, chain) && static_cast<uint64_t>(chain.size()) * m_sectorSize >= size;
}

bool CompoundFile::CheckTree(uint32_t rootChild)
{
    std::vector<bool> seen(m_entries.size(), false);
    seen[0] = true;
    std::vector<uint32_t> pending{rootChild};
    while (!pending.empty()) {
        const uint32_t entry = pending.back();
        pending.pop_back();
        if (entry == NoStream)
            continue;
        if (entry >= m_entries.size() || seen[entry])
            return false;
        seen[entry] = true;
        const size_t offset = m_entries[entry];
        const unsigned nameLength = m_data[offset + 64] | (m_data[offset + 65] << 8);
        const unsigned type = m_data[offset + 66];
        if (nameLength < 2 || nameLength > 64 || nameLength % 2 || (type != EntryStorage && type != EntryStream))
            return false;
        if (type == EntryStream && !CheckStream(entry))
            return false;
        pending.push_back(Read32(offset + 68));
        pending.push_back(Read32(offset + 72));
        if (type == EntryStorage)
            pending.push_back(Read32(offset + 76));
    }
    return true;
}

bool CompoundFile::Check()
{
    static const unsigned char signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    if (m_size < 512 || std::memcmp(m_data, signature, 8) != 0)
        return false;
    m_major = m_data[26] | (m_data[27] << 8);
    const unsigned byteOrder = m_data[28] | (m_data[29] << 8);
    m_shift = m_data[30] | (m_data[31] << 8);
    const unsigned miniShift = m_data[32] | (m_data[33] << 8);
    if (byteOrder != 0xFFFE || miniShift != 6 || !((m_major == 3 && m_shift == 9) || (m_major == 4 && m_shift == 12)))
        return false;
    m_sectorSize = size_t(1) << m_shift;
    if (m_size < m_sectorSize || Read32(56) != MiniStreamCutoff)
        return false;
    // Whole sectors only: a cut last sector counts as missing.
    const size_t sectors = m_size / m_sectorSize - 1;
    m_sectors = sectors < MaxRegularSector ? static_cast<uint32_t>(sectors) : MaxRegularSector;

    if (!ReadFat(Read32(44), Read32(68), Read32(72)))
        return false;

    std::vector<uint32_t> directory;
    if (!Follow(m_fat, Read32(48), directory) || directory.empty())
        return false;
    for (const uint32_t sector : directory)
        for (size_t i = 0; i < m_sectorSize / DirectoryEntrySize; ++i)
            m_entries.push_back(SectorOffset(sector) + i * DirectoryEntrySize);

    const size_t root = m_entries[0];
    if (m_data[root + 66] != EntryRoot)
        return false;

    std::vector<uint32_t> chain;
    if (Read32(64) > 0) {
        if (!Follow(m_fat, Read32(60), chain))
            return false;
        for (const uint32_t sector : chain)
            for (size_t i = 0; i < m_sectorSize / 4; ++i)
                m_miniFat.push_back(Read32(SectorOffset(sector) + 4 * i));
    }
    const uint64_t miniStreamSize = StreamSize(root);
    if (miniStreamSize > 0) {
        if (!Follow(m_fat, Read32(root + 116), chain) || static_cast<uint64_t>(chain.size()) * m_sectorSize < miniStreamSize)
            return false;
        m_miniSectors = static_cast<size_t>((miniStreamSize + MiniSectorSize - 1) / MiniSectorSize);
    }
    if (m_miniFat.size() > m_miniSectors)
        m_miniFat.resize(m_miniSectors);

    return CheckTree(Read32(root + 76));
}

} // namespace

bool IsSoundCompoundFile(const std::string& bytes)
{
    return CompoundFile(bytes).Check();
}
