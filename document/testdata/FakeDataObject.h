// FakeDataObject: a data object offering one block of bytes under one format, for drop and clipboard tests.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstring>
#include <string>

class FakeDataObject : public IDataObject {
public:
    FakeDataObject(CLIPFORMAT format, std::string bytes) : m_format(format), m_bytes(std::move(bytes)) {}
    virtual ~FakeDataObject() = default;

    // Lives on the test's stack: reference counting is not needed.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid != IID_IUnknown && iid != IID_IDataObject) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IDataObject*>(this);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* request, STGMEDIUM* medium) override
    {
        lastRequest = *request;
        if (request->cfFormat != m_format)
            return DV_E_FORMATETC;
        const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, m_bytes.size());
        if (!block)
            return E_OUTOFMEMORY;
        if (!m_bytes.empty()) {
            std::memcpy(::GlobalLock(block), m_bytes.data(), m_bytes.size());
            ::GlobalUnlock(block);
        }
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = nullptr;
        ++handedOut;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* request) override
    {
        lastRequest = *request;
        return request->cfFormat == m_format ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

    FORMATETC lastRequest = {};
    int handedOut = 0;

private:
    CLIPFORMAT m_format;
    std::string m_bytes;
};
