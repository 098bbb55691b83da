// Starting a drag out of a view: after the control's own begin-drag handling, on a posted message.
#pragma once

#include <windows.h>

#include "document/PelquornDragData.h"

// Posts WM_PELQUORN_START_DRAG to the view with a drop source carrying the
// record under the private format. False, with nothing left behind, when
// the record cannot be made or the view takes no more messages.
bool PostDragStart(HWND view, const PelquornDragData& data);

// The view's WM_PELQUORN_START_DRAG: runs the modal OLE drag of the posted
// source, copy or move allowed, then lets the source go. Returns the
// effect the target chose; DROPEFFECT_NONE for a null source.
DWORD RunPostedDrag(WPARAM source);
