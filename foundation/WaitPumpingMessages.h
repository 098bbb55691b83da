// WaitPumpingMessages: a wait on the user-interface thread that keeps the thread's windows answering.
#pragma once

#include <windows.h>

// Waits until the object is signalled, dispatching the thread's messages
// meanwhile, so the windows repaint and never turn "not responding". A quit
// message that arrives during the wait is posted again afterwards for the
// main loop. False when the handle cannot be waited on, or when it was not
// signalled within the limit (in milliseconds).
bool WaitPumpingMessages(HANDLE object, DWORD limit = INFINITE);
