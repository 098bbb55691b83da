// CAtlDropSource: the data object and drop source of a drag out of a view.
#pragma once

#include <windows.h>
#include <oleidl.h>

#include "foundation/ReadOnlyDataObject.h"

// Carries one memory block under one clipboard format. Made with no
// reference: whoever runs the drag holds it for the drag, and the last
// release frees it with its block.
class CAtlDropSource : public CReadOnlyDataObject, public IDropSource {
public:
    CAtlDropSource() = default;

    // Takes the block (fixed or moveable global memory) for good; given once.
    // False, and the block freed, when a block is already held.
    bool SetPayload(CLIPFORMAT format, HGLOBAL block);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override;

    // Hands out a fresh copy of the block, always as global memory.
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    virtual ~CAtlDropSource();

    ULONG m_references = 0;
    CLIPFORMAT m_format = 0;
    HGLOBAL m_block = nullptr;
};
