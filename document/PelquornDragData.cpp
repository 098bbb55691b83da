#include "document/PelquornDragData.h"

#include <cstring>
#include <limits>

#include "document/Clipboard.h"
#include "foundation/ComError.h"

namespace {

constexpr SIZE_T kHeaderSize = 8;
constexpr SIZE_T kIdSize = sizeof(std::int32_t);

std::int32_t ReadInt32(const BYTE* at)
{
    std::int32_t value = 0;
    std::memcpy(&value, at, sizeof(value));
    return value;
}

void WriteInt32(BYTE* at, std::int32_t value)
{
    std::memcpy(at, &value, sizeof(value));
}

[[noreturn]] void ThrowMalformed(const wchar_t* why)
{
    ThrowComError(HRESULT_FROM_WIN32(ERROR_INVALID_DATA), why);
}

// Unlocks the medium's memory and releases the medium when the read is over.
class LockedMedium {
public:
    explicit LockedMedium(STGMEDIUM& medium) : m_medium(medium), m_data(::GlobalLock(medium.hGlobal)) {}
    ~LockedMedium()
    {
        if (m_data)
            ::GlobalUnlock(m_medium.hGlobal);
        ::ReleaseStgMedium(&m_medium);
    }
    LockedMedium(const LockedMedium&) = delete;
    LockedMedium& operator=(const LockedMedium&) = delete;

    const void* Data() const { return m_data; }
    SIZE_T Size() const { return ::GlobalSize(m_medium.hGlobal); }

private:
    STGMEDIUM& m_medium;
    void* m_data;
};

} // namespace

SIZE_T DragDataSize(SIZE_T count)
{
    return kHeaderSize + kIdSize * count;
}

const void* DragDataIds(const void* block)
{
    return block ? static_cast<const BYTE*>(block) + kHeaderSize : nullptr;
}

PelquornDragData::PelquornDragData(const void* block, SIZE_T size)
{
    if (!block)
        ThrowComError(E_OUTOFMEMORY);
    // The record may come from another program: its count is believed only
    // as far as the block really reaches.
    if (size < kHeaderSize)
        ThrowMalformed(L"The drag record is shorter than its header.");
    const auto* bytes = static_cast<const BYTE*>(block);
    kind = ReadInt32(bytes);
    const std::int32_t count = ReadInt32(bytes + 4);
    if (count < 0 || static_cast<SIZE_T>(count) > (size - kHeaderSize) / kIdSize)
        ThrowMalformed(L"The drag record holds fewer ids than it counts.");
    const auto* at = static_cast<const BYTE*>(DragDataIds(block));
    ids.reserve(static_cast<size_t>(count));
    for (std::int32_t i = 0; i < count; ++i, at += kIdSize)
        ids.push_back(ReadInt32(at));
}

HGLOBAL PelquornDragData::CreateBlock() const
{
    if (ids.size() > static_cast<size_t>(std::numeric_limits<std::int32_t>::max()))
        return nullptr;
    const HGLOBAL block = ::GlobalAlloc(GPTR, DragDataSize(ids.size()));
    if (!block)
        return nullptr;
    auto* bytes = static_cast<BYTE*>(block); // fixed memory: the handle is the address
    WriteInt32(bytes, kind);
    WriteInt32(bytes + 4, static_cast<std::int32_t>(ids.size()));
    BYTE* at = bytes + kHeaderSize;
    for (const std::int32_t id : ids) {
        WriteInt32(at, id);
        at += kIdSize;
    }
    return block;
}

PelquornDragData GetDragData(IDataObject* dataObject, CLIPFORMAT format)
{
    if (!dataObject)
        ThrowComError(E_POINTER);
    FORMATETC request = GlobalMemoryRequest(format);
    STGMEDIUM medium = {};
    ThrowIfFailed(dataObject->GetData(&request, &medium));
    if (medium.tymed != TYMED_HGLOBAL) {
        ::ReleaseStgMedium(&medium);
        ThrowComError(DV_E_TYMED);
    }
    LockedMedium locked(medium);
    if (!locked.Data())
        ThrowComError(E_OUTOFMEMORY);
    return PelquornDragData(locked.Data(), locked.Size());
}
