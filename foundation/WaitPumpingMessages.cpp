#include "foundation/WaitPumpingMessages.h"

#include <optional>

#include "foundation/ModalScope.h"

bool WaitPumpingMessages(HANDLE object, DWORD limit)
{
    const ModalScope modal;
    std::optional<int> quitCode;
    bool signalled = false;
    const ULONGLONG deadline = ::GetTickCount64() + limit;
    for (;;) {
        DWORD remaining = INFINITE;
        if (limit != INFINITE) {
            const ULONGLONG now = ::GetTickCount64();
            remaining = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
        }
        // MWMO_INPUTAVAILABLE: messages that arrived before the wait, and
        // were only looked at, wake it too.
        const DWORD result = ::MsgWaitForMultipleObjectsEx(1, &object, remaining, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
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
