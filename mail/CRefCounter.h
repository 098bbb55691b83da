// CRefCounter: the IUnknown three of a mail interface over a plain count.
#pragma once

#include <windows.h>

template <class I>
class CRefCounter : public I {
public:
    CRefCounter() = default;
    CRefCounter(const CRefCounter&) = delete;
    CRefCounter& operator=(const CRefCounter&) = delete;

    // IUnknown only, for COM identity: the mail interfaces have no ids of their own.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (iid != IID_IUnknown) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++m_count); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG count = --m_count;
        if (count == 0)
            delete this;
        return static_cast<ULONG>(count);
    }

private:
    // Not interlocked: mail objects never leave the UI thread.
    LONG m_count = 0;
};
