#include "mail/FakeMailDrop.h"

#include <shlobj.h>

#include <cstring>

#include "foundation/ComPtr.h"

namespace {

HGLOBAL GlobalCopy(const std::string& bytes)
{
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory)
        return nullptr;
    if (!bytes.empty()) {
        void* data = ::GlobalLock(memory);
        std::memcpy(data, bytes.data(), bytes.size());
        ::GlobalUnlock(memory);
    }
    return memory;
}

CLIPFORMAT Format(const wchar_t* name)
{
    return static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(name));
}

} // namespace

FakeMailDrop::FakeMailDrop(std::vector<File> files)
    : contentRequests(files.size()), m_files(std::move(files)), m_descriptor(DescriptorOf(m_files))
{
}

std::string FakeMailDrop::DescriptorOf(const std::vector<File>& files)
{
    std::string bytes(sizeof(UINT) + sizeof(FILEDESCRIPTORW) * files.size(), '\0');
    const UINT count = static_cast<UINT>(files.size());
    std::memcpy(bytes.data(), &count, sizeof(count));
    for (size_t i = 0; i < files.size(); ++i) {
        FILEDESCRIPTORW record = {};
        record.dwFlags = FD_FILESIZE;
        record.nFileSizeLow = static_cast<DWORD>(files[i].bytes.size());
        files[i].name.copy(record.cFileName, MAX_PATH - 1);
        std::memcpy(bytes.data() + sizeof(UINT) + sizeof(record) * i, &record, sizeof(record));
    }
    return bytes;
}

HRESULT FakeMailDrop::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDataObject) {
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG FakeMailDrop::Release()
{
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

HRESULT FakeMailDrop::QueryGetData(FORMATETC* format)
{
    if (!format)
        return E_POINTER;
    if (format->dwAspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (format->cfFormat == Format(CFSTR_FILEDESCRIPTORW) && offersDescriptor)
        return format->lindex == -1 ? ((format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_TYMED) : DV_E_LINDEX;
    if (format->cfFormat == Format(CFSTR_FILECONTENTS))
        return format->lindex >= 0 && static_cast<size_t>(format->lindex) < m_files.size() ? S_OK : DV_E_LINDEX;
    return DV_E_FORMATETC;
}

HRESULT FakeMailDrop::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    if (!format || !medium)
        return E_POINTER;
    *medium = {};
    const HRESULT query = QueryGetData(format);
    if (query != S_OK)
        return query;
    if (format->cfFormat == Format(CFSTR_FILEDESCRIPTORW)) {
        medium->hGlobal = GlobalCopy(m_descriptor);
        if (!medium->hGlobal)
            return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        return S_OK;
    }
    const size_t index = static_cast<size_t>(format->lindex);
    ++contentRequests[index];
    const File& file = m_files[index];
    const DWORD offered = file.medium == Medium::Stream    ? TYMED_ISTREAM
                          : file.medium == Medium::Storage ? TYMED_ISTORAGE
                          : file.medium == Medium::Global  ? TYMED_HGLOBAL
                                                           : 0;
    if (!(format->tymed & offered))
        return DV_E_TYMED;
    return FileContents(file, medium);
}

HRESULT FakeMailDrop::FileContents(const File& file, STGMEDIUM* medium) const
{
    switch (file.medium) {
    case Medium::Global:
        medium->hGlobal = GlobalCopy(file.bytes);
        if (!medium->hGlobal)
            return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        return S_OK;
    case Medium::Stream: {
        const HGLOBAL memory = GlobalCopy(file.bytes);
        if (!memory)
            return E_OUTOFMEMORY;
        const HRESULT hr = ::CreateStreamOnHGlobal(memory, TRUE, &medium->pstm);
        if (FAILED(hr)) {
            ::GlobalFree(memory);
            return hr;
        }
        medium->tymed = TYMED_ISTREAM;
        return S_OK;
    }
    case Medium::Storage: {
        const HRESULT hr = OpenStorageOnBytes(file.bytes, &medium->pstg);
        if (FAILED(hr))
            return hr;
        medium->tymed = TYMED_ISTORAGE;
        return S_OK;
    }
    default:
        return DV_E_FORMATETC;
    }
}

HRESULT OpenStorageOnBytes(const std::string& bytes, IStorage** storage)
{
    const HGLOBAL memory = GlobalCopy(bytes);
    if (!memory)
        return E_OUTOFMEMORY;
    ComPtr<ILockBytes> lockBytes;
    HRESULT hr = ::CreateILockBytesOnHGlobal(memory, TRUE, &lockBytes);
    if (FAILED(hr)) {
        ::GlobalFree(memory);
        return hr;
    }
    return ::StgOpenStorageOnILockBytes(lockBytes, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, storage);
}
