#include "document/xml/WriteOnlyStream.h"

HRESULT WriteOnlyStream::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_ISequentialStream || iid == IID_IStream) {
        *object = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG WriteOnlyStream::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_references));
}

ULONG WriteOnlyStream::Release()
{
    const LONG left = ::InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT WriteOnlyStream::Read(void*, ULONG, ULONG* read)
{
    if (read)
        *read = 0;
    return STG_E_ACCESSDENIED;
}
