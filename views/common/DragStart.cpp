#include "views/common/DragStart.h"

#include <new>

#include "document/Clipboard.h"
#include "foundation/ComPtr.h"
#include "foundation/ModalScope.h"
#include "views/common/AtlDropSource.h"
#include "views/common/ViewMessages.h"

bool PostDragStart(HWND view, const PelquornDragData& data)
{
    // A null window would post to the thread's queue, where nobody frees the source.
    if (!view || !::IsWindow(view))
        return false;
    const HGLOBAL block = data.CreateBlock();
    if (!block)
        return false;
    auto* source = new (std::nothrow) CAtlDropSource;
    if (!source) {
        ::GlobalFree(block);
        return false;
    }
    source->SetPayload(Clipboard::GetPrivateClipboardFormat(), block);
    if (!::PostMessageW(view, WM_PELQUORN_START_DRAG, reinterpret_cast<WPARAM>(source), 0)) {
        // Made with no reference: one taken and given back frees it.
        source->AddRef();
        source->Release();
        return false;
    }
    return true;
}

DWORD RunPostedDrag(WPARAM wParam)
{
    auto* posted = reinterpret_cast<CAtlDropSource*>(wParam);
    if (!posted)
        return DROPEFFECT_NONE;
    // The two references keep the source alive for the drag; their release
    // at the end frees it and its block.
    const ComPtr<IDataObject> dataObject(static_cast<IDataObject*>(posted));
    const ComPtr<IDropSource> dropSource(static_cast<IDropSource*>(posted));
    DWORD effect = DROPEFFECT_NONE;
    const ModalScope modal;
    if (::DoDragDrop(dataObject, dropSource, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect) != DRAGDROP_S_DROP)
        return DROPEFFECT_NONE;
    return effect;
}
