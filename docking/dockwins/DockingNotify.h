// DockingNotify: the private message by which docking windows, boxes, rows and the frame negotiate a place.
#pragma once

#include <windows.h>

#include "foundation/PrivateMessages.h"

// DockingNotify's lParam points to a record on the sender's stack (DockingNotifyRecord,
// DockingPosition or DockingPinRequest); the answer is 0 when refused or not
// understood. Every record begins with the window, the container and the
// code, so a receiver reads the code before it knows which record came.

// The request code, field `code` of either record.
enum DockingNotifyCode : int {
    DockingAccept = 1,        // may the window dock here; the acceptor fills in target and rectangle
    DockingDock = 2,
    DockingUndock = 3,
    DockingGetPosition = 4,
    DockingAtPosition = 5,
    DockingLimitSize = 7,     // the frame keeps a floating rectangle within reason
    DockingReplace = 8,       // a row puts another window (a new box) in the place of one
    DockingIsBox = 9,         // sent through DockingBoxMessage: TRUE from docking boxes
    DockingActivate = 10,
    DockingIsPinned = 11,
    DockingPinUp = 12,
    DockingMinAlongRow = 13,  // a row's answer: the window's minimum size along the row
    DockingPinBox = 14,       // a boxed window pins itself (with its box)
};
