// CRefCounter: the IUnknown three of a mail interface over a plain count.
#pragma once

#include <windows.h>

template <class I>
class CRefCounter : public I {
public:
    CRefCounter() = default;
    CRefCounter(const CRefCounter&) = delete;
    CRefCounter& operator=(const CRefCounter&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
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
