#include "foundation/WaitPumpingMessages.h"

#include <optional>

bool WaitPumpingMessages(HANDLE object)
{
    std::optional<int> quitCode;
    bool signalled = false;
    for (;;) {
        // MWMO_INPUTAVAILABLE: messages that arrived before the wait, and
        // were only looked at, wake it too.
        const DWORD result = ::MsgWaitForMultipleObjectsEx(1, &object, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (result == WAIT_OBJECT_0) {
            signalled = true;
            break;
        }
        if (result != WAIT_OBJECT_0 + 1)
            break;
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quitCode = static_cast<int>(message.wParam);
                continue;
            }
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    if (quitCode)
        ::PostQuitMessage(*quitCode);
    return signalled;
}
