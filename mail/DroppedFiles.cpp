#include "mail/DroppedFiles.h"

#include <shlobj.h>

#include <cstring>
#include <cwchar>
#include <new>

#include "foundation/ComError.h"
#include "foundation/ComPtr.h"
#include "mail/MessageStorageCopy.h"

namespace {

constexpr size_t DescriptorCountSize = sizeof(UINT);
constexpr size_t DescriptorRecordSize = sizeof(FILEDESCRIPTORW);
static_assert(DescriptorRecordSize == 592, "the shell's file descriptor record");

CLIPFORMAT ShellFormat(const wchar_t* name)
{
    return static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(name));
}

// Releases a medium, and unlocks its memory, when the read is over.
class HeldMedium {
public:
    HeldMedium() = default;
    ~HeldMedium()
    {
        if (m_locked)
            ::GlobalUnlock(medium.hGlobal);
        ::ReleaseStgMedium(&medium);
    }
    HeldMedium(const HeldMedium&) = delete;
    HeldMedium& operator=(const HeldMedium&) = delete;

    const BYTE* Lock()
    {
        m_locked = static_cast<const BYTE*>(::GlobalLock(medium.hGlobal));
        return m_locked;
    }

    STGMEDIUM medium = {};

private:
    const BYTE* m_locked = nullptr;
};

DroppedFile UnreadableFile(const EString& name, const EString& why)
{
    return DroppedFile{name, {}, L"The dropped file \"" + name + L"\" cannot be read: " + why};
}

void CheckRoom(size_t held, size_t count)
{
    if (count > MaxDroppedFileSize || held > MaxDroppedFileSize - count)
        ThrowComError(E_OUTOFMEMORY, L"A dropped file is larger than 64 MB.");
}

EString DescriptorName(const FILEDESCRIPTORW& record)
{
    // The name comes from another program: it need not end inside the record.
    const size_t length = ::wcsnlen(record.cFileName, MAX_PATH);
    return EString(record.cFileName, length);
}

void AddDroppedFile(const EString& name, const STGMEDIUM& medium, std::vector<DroppedFile>& files)
{
    DroppedFile file{name, {}, {}};
    try {
        ReadMediumBytes(medium, file.bytes);
    } catch (const ComError& error) {
        file = UnreadableFile(name, error.Description());
    }
    files.push_back(std::move(file));
}

} // namespace

bool GetFileGroupDescriptor(IDataObject* dataObject, STGMEDIUM& medium)
{
    medium = {};
    if (!dataObject)
        return false;
    FORMATETC request = {ShellFormat(CFSTR_FILEDESCRIPTORW), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (dataObject->GetData(&request, &medium) != S_OK)
        return false;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal)
        return true;
    ::ReleaseStgMedium(&medium);
    medium = {};
    return false;
}

bool HasFileGroupDescriptor(IDataObject* dataObject)
{
    STGMEDIUM medium = {};
    if (!GetFileGroupDescriptor(dataObject, medium))
        return false;
    ::ReleaseStgMedium(&medium);
    return true;
}

void ReadDroppedFiles(IDataObject* dataObject, std::vector<DroppedFile>& files)
{
    HeldMedium descriptor;
    if (!GetFileGroupDescriptor(dataObject, descriptor.medium))
        return;
    const BYTE* block = descriptor.Lock();
    if (!block)
        ThrowComError(E_OUTOFMEMORY);
    // The count is the other program's word: believe it only as far as the
    // block really reaches.
    const SIZE_T size = ::GlobalSize(descriptor.medium.hGlobal);
    if (size < DescriptorCountSize)
        ThrowComError(HRESULT_FROM_WIN32(ERROR_INVALID_DATA), L"The dropped files' descriptor is empty.");
    UINT count = 0;
    std::memcpy(&count, block, sizeof(count));
    if (count > (size - DescriptorCountSize) / DescriptorRecordSize)
        ThrowComError(HRESULT_FROM_WIN32(ERROR_INVALID_DATA),
                      L"The dropped files' descriptor holds fewer files than it counts.");

    std::vector<DroppedFile> read;
    const CLIPFORMAT contents = ShellFormat(CFSTR_FILECONTENTS);
    for (UINT i = 0; i < count; ++i) {
        FILEDESCRIPTORW record;
        std::memcpy(&record, block + DescriptorCountSize + DescriptorRecordSize * i, sizeof(record));
        const EString name = DescriptorName(record);
        FORMATETC request = {contents, nullptr, DVASPECT_CONTENT, static_cast<LONG>(i),
                             TYMED_ISTREAM | TYMED_ISTORAGE | TYMED_HGLOBAL};
        HeldMedium file;
        const HRESULT fetched = dataObject->GetData(&request, &file.medium);
        if (fetched != S_OK)
            read.push_back(UnreadableFile(name, L"the program it comes from did not hand it over."));
        else
            AddDroppedFile(name, file.medium, read);
    }
    files.insert(files.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
}

void ReadMediumBytes(const STGMEDIUM& medium, std::string& bytes)
{
    bytes.clear();
    switch (medium.tymed) {
    case TYMED_ISTREAM:
        if (!medium.pstm)
            ThrowComError(E_POINTER);
        ReadStreamBytes(medium.pstm, bytes);
        return;
    case TYMED_ISTORAGE:
        if (!medium.pstg)
            ThrowComError(E_POINTER);
        ReadStorageBytes(medium.pstg, bytes);
        return;
    case TYMED_HGLOBAL: {
        // An empty file's block has no memory to lock: it is no failure.
        if (medium.hGlobal && ::GlobalSize(medium.hGlobal) == 0)
            return;
        const void* data = medium.hGlobal ? ::GlobalLock(medium.hGlobal) : nullptr;
        if (!data)
            ThrowComError(E_OUTOFMEMORY);
        try {
            AppendBytes(data, ::GlobalSize(medium.hGlobal), bytes);
        } catch (...) {
            ::GlobalUnlock(medium.hGlobal);
            throw;
        }
        ::GlobalUnlock(medium.hGlobal);
        return;
    }
    default:
        ThrowComError(DV_E_TYMED);
    }
}

void ReadStreamBytes(IStream* stream, std::string& bytes)
{
    // Read to the end rather than trust Stat: a virtual file may not know its
    // size, or may give a wrong one.
    char chunk[64 * 1024];
    for (;;) {
        ULONG got = 0;
        const HRESULT hr = stream->Read(chunk, sizeof(chunk), &got);
        if (FAILED(hr))
            ThrowComError(hr);
        if (got == 0)
            return;
        AppendBytes(chunk, got, bytes);
    }
}

void ReadStorageBytes(IStorage* storage, std::string& bytes)
{
    ComPtr<ILockBytes> lockBytes;
    ThrowIfFailed(::CreateILockBytesOnHGlobal(nullptr, TRUE, &lockBytes));
    ComPtr<IStorage> copy;
    ThrowIfFailed(::StgCreateDocfileOnILockBytes(lockBytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &copy));
    // Not the storage's own CopyTo: a mail program's storage answers across
    // processes, and that copy crosses them for every 128 bytes of every
    // attachment, where the task needs a few of the message's own streams.
    CopyMessageStreams(storage, copy, MaxDroppedFileSize);
    ThrowIfFailed(copy->Commit(STGC_DEFAULT));
    ThrowIfFailed(lockBytes->Flush());
    STATSTG stat = {};
    ThrowIfFailed(lockBytes->Stat(&stat, STATFLAG_NONAME));
    HGLOBAL memory = nullptr;
    ThrowIfFailed(::GetHGlobalFromILockBytes(lockBytes, &memory));
    if (stat.cbSize.QuadPart > ::GlobalSize(memory))
        ThrowComError(HRESULT_FROM_WIN32(ERROR_INVALID_DATA));
    const void* data = ::GlobalLock(memory);
    if (!data)
        ThrowComError(E_OUTOFMEMORY);
    try {
        AppendBytes(data, static_cast<size_t>(stat.cbSize.QuadPart), bytes);
    } catch (...) {
        ::GlobalUnlock(memory);
        throw;
    }
    ::GlobalUnlock(memory);
}

void AppendBytes(const void* data, size_t count, std::string& bytes)
{
    CheckRoom(bytes.size(), count);
    try {
        bytes.append(static_cast<const char*>(data), count);
    } catch (const std::bad_alloc&) {
        ThrowComError(E_OUTOFMEMORY);
    }
}
