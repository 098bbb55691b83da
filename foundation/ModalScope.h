// ModalScope: marks work that pumps messages while it holds the document in hand.
#pragma once

#include <windows.h>

#include "foundation/PrivateMessages.h"

// A modal dialog, a message box, a file dialog, a menu, a drag or a wait for
// a script runs a message loop of its own inside a command. Whatever arrives
// through that loop must not replace or close the document the command is
// working on: the main window asks IsActive and keeps such a request for
// WM_MODAL_WORK_ENDED.
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

    static bool IsActive();

private:
    static int s_depth;
};
