// WaitPumpingMessages: a wait on the user-interface thread that keeps the thread's windows answering.
#pragma once

#include <windows.h>

#include <functional>

// Waits until the object is signalled, dispatching the thread's messages
// meanwhile, so the windows repaint and never turn "not responding". A quit
// message that arrives during the wait is posted again afterwards for the
// main loop. False when the handle cannot be waited on, or when it was not
// signalled within the limit (in milliseconds).
bool WaitPumpingMessages(HANDLE object, DWORD limit = INFINITE);

// Runs the work on a thread of its own, with COM initialized there, and
// waits for it as above. What the work makes lives and dies on that thread;
// it must not touch the windows or objects of this one. An exception the work
// throws is thrown again here once the thread has ended.
void RunPumpingMessages(const std::function<void()>& work);
