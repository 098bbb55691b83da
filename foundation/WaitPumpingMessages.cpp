#include "foundation/WaitPumpingMessages.h"

#include <objbase.h>

#include <exception>
#include <optional>

#include "foundation/ComError.h"
#include "foundation/ModalScope.h"
#include "foundation/UniqueHandle.h"

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

namespace {

struct WorkOnThread {
    const std::function<void()>& work;
    std::exception_ptr failure;
};

DWORD WINAPI RunWork(void* parameter)
{
    auto& run = *static_cast<WorkOnThread*>(parameter);
    const HRESULT initialized = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    try {
        if (FAILED(initialized))
            ThrowComError(initialized);
        run.work();
    } catch (...) {
        run.failure = std::current_exception();
    }
    if (SUCCEEDED(initialized))
        ::CoUninitialize();
    return 0;
}

} // namespace

void RunPumpingMessages(const std::function<void()>& work)
{
    WorkOnThread run{work, nullptr};
    const UniqueHandle thread(::CreateThread(nullptr, 0, RunWork, &run, 0, nullptr));
    if (!thread)
        ThrowLastWin32Error();
    // The work holds this frame's objects: it is waited for whatever the wait says.
    if (!WaitPumpingMessages(thread.Get()))
        ::WaitForSingleObject(thread.Get(), INFINITE);
    if (run.failure)
        std::rethrow_exception(run.failure);
}
