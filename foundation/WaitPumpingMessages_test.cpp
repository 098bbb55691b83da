#include <gtest/gtest.h>

#include <functional>

#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "foundation/UniqueHandle.h"
#include "foundation/WaitPumpingMessages.h"

namespace {

constexpr UINT kOpenGate = WM_APP + 1;

// Sets the event its message carries: the message opens the gate only when
// something dispatches it.
LRESULT CALLBACK GateProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kOpenGate) {
        ::SetEvent(reinterpret_cast<HANDLE>(lParam));
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

struct Sender {
    HWND window;
    HANDLE gate;
    bool answered;
};

// Sends the gate's message from another thread; the send returns only when
// the window's thread answers it (or, so a blocking wait fails rather than
// hangs, after 30 s).
DWORD WINAPI SendOpenGate(void* parameter)
{
    auto& sender = *static_cast<Sender*>(parameter);
    DWORD_PTR result = 0;
    sender.answered = ::SendMessageTimeoutW(sender.window, kOpenGate, 0, reinterpret_cast<LPARAM>(sender.gate),
                                            SMTO_NORMAL, 30000, &result) != 0;
    return 0;
}

class WaitTest : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = GateProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"QuorvaneWaitTestGate";
        ::RegisterClassW(&windowClass);
        window = ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   windowClass.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
        gateName = EString::Formatted(L"QuorvaneWaitTestGate-%lu", ::GetCurrentProcessId());
        gate.Reset(::CreateEventW(nullptr, TRUE, FALSE, gateName.c_str()));
        ASSERT_TRUE(gate);
    }
    void TearDown() override
    {
        gate.Reset();
        ::DestroyWindow(window);
    }

    bool IsOpen() const { return ::WaitForSingleObject(gate.Get(), 0) == WAIT_OBJECT_0; }

    HWND window = nullptr;
    EString gateName;
    UniqueHandle gate;
};

} // namespace

// The started program ends only when the gate opens, and only the message
// posted before the wait opens it: a wait that blocks messages never returns
// with the gate open.
TEST_F(WaitTest, MessagesAreDispatchedWhileAStartedProgramRuns)
{
    const EString peer = FileSystem::GetProgramFolderPath(L"foundation_wait_peer.exe");
    const struct {
        const char* name;
        std::function<bool()> startAndWait;
    } starts[] = {
        {"a started process", [&] { return RunProcessAndWait(L"\"" + peer + L"\" " + gateName, true); }},
        {"a shell-opened file", [&] { return FileSystem::OpenWithShell(peer, gateName, true); }},
    };
    for (const auto& start : starts) {
        ::ResetEvent(gate.Get());
        ASSERT_TRUE(::PostMessageW(window, kOpenGate, 0, reinterpret_cast<LPARAM>(gate.Get())));
        EXPECT_TRUE(start.startAndWait()) << start.name;
        EXPECT_TRUE(IsOpen()) << start.name;
    }
}

// Another program's SendMessage to a window (a clipboard or shell
// notification) blocks it until the window's thread answers.
TEST_F(WaitTest, MessagesSentDuringTheWaitAreAnswered)
{
    Sender sender{window, gate.Get(), false};
    const UniqueHandle thread(::CreateThread(nullptr, 0, SendOpenGate, &sender, 0, nullptr));
    ASSERT_TRUE(thread);
    EXPECT_TRUE(WaitPumpingMessages(thread.Get()));
    EXPECT_TRUE(sender.answered);
    EXPECT_TRUE(IsOpen());
}

TEST_F(WaitTest, AQuitDuringTheWaitIsLeftForTheMainLoop)
{
    ::PostQuitMessage(7);
    // The sender ends only after the wait has looked at the queue.
    Sender sender{window, gate.Get(), false};
    const UniqueHandle thread(::CreateThread(nullptr, 0, SendOpenGate, &sender, 0, nullptr));
    ASSERT_TRUE(thread);
    EXPECT_TRUE(WaitPumpingMessages(thread.Get()));
    MSG message = {};
    ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

TEST_F(WaitTest, AHandleThatCannotBeWaitedOnEndsTheWait)
{
    EXPECT_FALSE(WaitPumpingMessages(nullptr));
}

// A posted message keeps waking the wait; the limit still ends it.
TEST_F(WaitTest, AnObjectNeverSignalledEndsTheWaitAtItsLimit)
{
    ASSERT_TRUE(::PostMessageW(window, kOpenGate, 0, reinterpret_cast<LPARAM>(gate.Get())));
    const UniqueHandle never(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    EXPECT_FALSE(WaitPumpingMessages(never.Get(), 50));
    EXPECT_TRUE(IsOpen()) << "messages were dispatched until the limit";
    EXPECT_TRUE(WaitPumpingMessages(gate.Get(), 50)) << "a signalled object ends it at once";
}

// The work of a report runs beside the windows: a message it sends to a
// window of the waiting thread is answered before it ends, and COM is ready
// for it on its own thread.
TEST_F(WaitTest, WorkOnItsOwnThreadIsAnsweredByTheWaitingThread)
{
    const DWORD waiting = ::GetCurrentThreadId();
    DWORD working = waiting;
    HRESULT comOnTheWorker = E_FAIL;
    Sender sender{window, gate.Get(), false};
    RunPumpingMessages([&] {
        working = ::GetCurrentThreadId();
        // Already initialized there: S_FALSE.
        comOnTheWorker = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(comOnTheWorker))
            ::CoUninitialize();
        SendOpenGate(&sender);
    });
    EXPECT_NE(working, waiting);
    EXPECT_EQ(comOnTheWorker, S_FALSE);
    EXPECT_TRUE(sender.answered);
    EXPECT_TRUE(IsOpen());
}

TEST_F(WaitTest, AFailureOfTheWorkIsThrownToTheWaitingThread)
{
    try {
        RunPumpingMessages([] { ThrowComError(E_INVALIDARG, L"The report cannot be written."); });
        ADD_FAILURE() << "no error";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Error(), E_INVALIDARG);
        EXPECT_EQ(error.Description(), L"The report cannot be written.");
    }
}
