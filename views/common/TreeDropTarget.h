// CTreeDropTarget: makes a view's window an OLE drop target that reports to the view.
#pragma once

#include <windows.h>
#include <oleidl.h>

#include "foundation/ComPtr.h"
#include "views/common/ISimpleDropCallback.h"

class CTreeDropTarget {
public:
    class XDropTarget;

    CTreeDropTarget() = default;
    ~CTreeDropTarget();
    CTreeDropTarget(const CTreeDropTarget&) = delete;
    CTreeDropTarget& operator=(const CTreeDropTarget&) = delete;

    // Nothing for a null window. Otherwise the window's drops go to the
    // callback from now on; returns RegisterDragDrop's answer (a view
    // without drops still works). OLE must be initialised on the thread.
    HRESULT Register(HWND window, ISimpleDropCallback* callback);
    // Called by the destructor; the callback hears nothing more, even from
    // a drag that still holds the object.
    void Revoke();

    HWND GetWindow() const { return m_window; }
    IDropTarget* GetDropTarget() const;

private:
    ComPtr<XDropTarget> m_target;
    HWND m_window = nullptr;
};

class CTreeDropTarget::XDropTarget : public IDropTarget {
public:
    XDropTarget() = default;

    void Attach(HWND window, ISimpleDropCallback* callback);
    void Detach() { Attach(nullptr, nullptr); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* dataObject, DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* dataObject, DWORD keyState, POINTL point, DWORD* effect) override;

private:
    virtual ~XDropTarget() = default;
    POINT ToClient(POINTL point) const;
    bool IsWindowTakingInput() const;

    ULONG m_references = 0;
    ISimpleDropCallback* m_callback = nullptr;
    HWND m_window = nullptr;
    DWORD m_effect = DROPEFFECT_NONE;
};
