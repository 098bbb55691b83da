#include "views/common/TreeDropTarget.h"

#include <new>
#include <utility>

#include "foundation/ComError.h"
#include "foundation/SystemEntry.h"

namespace {

// Ctrl asks for a copy, else a move; a source that allows only the other one
// gets that one rather than a drop it would refuse.
DWORD ChooseEffect(DWORD keyState, DWORD allowed)
{
    const DWORD wanted = (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    if (allowed & wanted)
        return wanted;
    if (allowed & DROPEFFECT_MOVE)
        return DROPEFFECT_MOVE;
    if (allowed & DROPEFFECT_COPY)
        return DROPEFFECT_COPY;
    return DROPEFFECT_NONE;
}

} // namespace

CTreeDropTarget::~CTreeDropTarget()
{
    Revoke();
}

HRESULT CTreeDropTarget::Register(HWND window, ISimpleDropCallback* callback)
{
    if (!window)
        return S_FALSE;
    if (m_window && m_window != window)
        Revoke();
    if (!m_target) {
        XDropTarget* target = new (std::nothrow) XDropTarget;
        if (!target)
            ThrowComError(E_OUTOFMEMORY);
        m_target = target;
    }
    m_target->Attach(window, callback);
    if (m_window == window)
        return S_OK;
    const HRESULT hr = ::RegisterDragDrop(window, m_target);
    if (SUCCEEDED(hr))
        m_window = window;
    return hr;
}

void CTreeDropTarget::Revoke()
{
    if (m_window) {
        ::RevokeDragDrop(m_window);
        m_window = nullptr;
    }
    if (m_target)
        m_target->Detach();
}

IDropTarget* CTreeDropTarget::GetDropTarget() const
{
    return m_target.Get();
}

void CTreeDropTarget::XDropTarget::Attach(HWND window, ISimpleDropCallback* callback)
{
    m_window = window;
    m_callback = callback;
}

HRESULT CTreeDropTarget::XDropTarget::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDropTarget) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CTreeDropTarget::XDropTarget::Release()
{
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

bool CTreeDropTarget::XDropTarget::IsWindowTakingInput() const
{
    // A modal dialog or the busy notice of an open disables the main window,
    // which owns every pane: what they work on must not change under them.
    const HWND top = m_window ? ::GetAncestor(m_window, GA_ROOTOWNER) : nullptr;
    return top && ::IsWindowEnabled(top);
}

HRESULT CTreeDropTarget::XDropTarget::DragEnter(IDataObject* dataObject, DWORD keyState, POINTL, DWORD* effect)
{
    if (!dataObject || !effect)
        return E_POINTER;
    const bool accepted = m_callback && IsWindowTakingInput() && AnswerSystem(L"a drag entering", false, [&] {
        return m_callback->CanAcceptData(dataObject);
    });
    m_effect = accepted ? ChooseEffect(keyState, *effect) : DROPEFFECT_NONE;
    *effect = m_effect;
    return S_OK;
}

HRESULT CTreeDropTarget::XDropTarget::DragOver(DWORD, POINTL point, DWORD* effect)
{
    if (!effect)
        return E_POINTER;
    if (m_callback) {
        const POINT client = ToClient(point);
        RunForSystem(L"a drag over", [&] { m_callback->OnDragOver(client.x, client.y); });
    }
    // The effect chosen on entering holds for the whole visit.
    *effect = m_effect;
    return S_OK;
}

HRESULT CTreeDropTarget::XDropTarget::DragLeave()
{
    if (m_callback)
        RunForSystem(L"a drag leaving", [&] { m_callback->OnDragLeave(); });
    m_effect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT CTreeDropTarget::XDropTarget::Drop(IDataObject* dataObject, DWORD, POINTL point, DWORD* effect)
{
    if (!dataObject || !effect)
        return E_POINTER;
    const DWORD chosen = std::exchange(m_effect, DROPEFFECT_NONE);
    bool taken = false;
    if (m_callback && chosen != DROPEFFECT_NONE) {
        const POINT client = ToClient(point);
        if (IsWindowTakingInput())
            taken = AnswerSystem(L"a drop", false, [&] { return m_callback->OnDrop(dataObject, client.x, client.y, chosen); });
        else
            RunForSystem(L"a drag leaving", [&] { m_callback->OnDragLeave(); });
    }
    *effect = taken ? chosen : DROPEFFECT_NONE;
    return S_OK;
}

POINT CTreeDropTarget::XDropTarget::ToClient(POINTL point) const
{
    POINT client = {point.x, point.y};
    if (m_window)
        ::ScreenToClient(m_window, &client);
    return client;
}
