// DockingBoxMessage: the registered message that docking boxes and boxed docking windows answer like DockingNotify.
#pragma once

#include <windows.h>

#include "foundation/EString.h"

namespace dockwins {

// "DockingBoxMessage-" and the process id: the message stays private to the process.
EString DockingBoxMessageName(DWORD processId);
UINT RegisterDockingBoxMessage();

} // namespace dockwins

// Any other window leaves it unhandled and answers 0, so the box query
// (DockingIsBox) sent through it tells boxes from everything else.
inline const UINT DockingBoxMessage = dockwins::RegisterDockingBoxMessage();
