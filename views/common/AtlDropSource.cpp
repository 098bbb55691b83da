#include "views/common/AtlDropSource.h"

#include <cstring>

CAtlDropSource::~CAtlDropSource()
{
    if (m_block)
        ::GlobalFree(m_block);
}

bool CAtlDropSource::SetPayload(CLIPFORMAT format, HGLOBAL block)
{
    if (m_block) {
        if (block && block != m_block)
            ::GlobalFree(block);
        return false;
    }
    m_format = format;
    m_block = block;
    return true;
}

HRESULT CAtlDropSource::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDataObject)
        *object = static_cast<IDataObject*>(this);
    else if (iid == IID_IDropSource)
        *object = static_cast<IDropSource*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG CAtlDropSource::Release()
{
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

HRESULT CAtlDropSource::QueryGetData(FORMATETC* format)
{
    if (!format)
        return E_POINTER;
    if (format->cfFormat != m_format)
        return DV_E_FORMATETC;
    // The block exists only as global memory; a reader that cannot take
    // that must not be told yes.
    return (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_TYMED;
}

HRESULT CAtlDropSource::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    if (!format || !medium)
        return E_POINTER;
    const HRESULT query = QueryGetData(format);
    if (query != S_OK)
        return query;
    if (!m_block)
        return E_UNEXPECTED;
    const SIZE_T size = ::GlobalSize(m_block);
    const void* source = ::GlobalLock(m_block);
    if (!source)
        return E_OUTOFMEMORY;
    const HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    void* target = copy ? ::GlobalLock(copy) : nullptr;
    if (!target) {
        ::GlobalUnlock(m_block);
        if (copy)
            ::GlobalFree(copy);
        return E_OUTOFMEMORY;
    }
    std::memcpy(target, source, size);
    ::GlobalUnlock(copy);
    ::GlobalUnlock(m_block);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT CAtlDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState)
{
    if (escapePressed)
        return DRAGDROP_S_CANCEL;
    if (!(keyState & MK_LBUTTON))
        return DRAGDROP_S_DROP;
    return S_OK;
}
