#include "mail/MessageStorage.h"

#include <cstring>

#include "mail/CompoundFileCheck.h"

ComPtr<IStorage> OpenStorageOnMemory(const std::string& bytes)
{
    if (!IsSoundCompoundFile(bytes))
        ThrowComError(STG_E_DOCFILECORRUPT);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.empty() ? 1 : bytes.size());
    if (!memory)
        ThrowComError(E_OUTOFMEMORY);
    if (void* target = ::GlobalLock(memory)) {
        std::memcpy(target, bytes.data(), bytes.size());
        ::GlobalUnlock(memory);
    }
    ComPtr<ILockBytes> lockBytes;
    const HRESULT hr = ::CreateILockBytesOnHGlobal(memory, TRUE, &lockBytes);
    if (FAILED(hr)) {
        ::GlobalFree(memory);
        ThrowComError(hr);
    }
    ComPtr<IStorage> storage;
    ThrowIfFailed(::StgOpenStorageOnILockBytes(lockBytes, nullptr, STGM_SHARE_EXCLUSIVE, nullptr, 0, &storage));
    return storage;
}
