// FakeDataObject: a data object offering one block of bytes under one format, for drop and clipboard tests.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstring>
#include <string>

// As strict as the system's data objects: Wine's clipboard object refuses an
// aspect other than the content or an index other than -1 (DV_E_FORMATETC),
// and a request that admits no global memory (DV_E_TYMED); a target device
// is refused as well, since the block was made for none.
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
        if (!request || !medium)
            return E_INVALIDARG;
        *medium = {};
        if (request->cfFormat != m_format)
            return DV_E_FORMATETC;
        if (const HRESULT refused = Check(*request); refused != S_OK)
            return refused;
        const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, m_bytes.size());
        if (!block)
            return E_OUTOFMEMORY;
        if (!m_bytes.empty()) {
            std::memcpy(::GlobalLock(block), m_bytes.data(), m_bytes.size());
            ::GlobalUnlock(block);
        }
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* request) override
    {
        if (!request)
            return E_INVALIDARG;
        if (request->cfFormat != m_format)
            return DV_E_CLIPFORMAT;
        return Check(*request);
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    // OLE lists the formats when the object is put on the clipboard.
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override
    {
        if (!formats)
            return E_INVALIDARG;
        *formats = nullptr;
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        const FORMATETC offered = {m_format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return ::SHCreateStdEnumFmtEtc(1, &offered, formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    static HRESULT Check(const FORMATETC& request)
    {
        if (request.dwAspect != DVASPECT_CONTENT || request.lindex != -1 || request.ptd)
            return DV_E_FORMATETC;
        return (request.tymed & TYMED_HGLOBAL) ? S_OK : DV_E_TYMED;
    }

    CLIPFORMAT m_format;
    std::string m_bytes;
};
