#include <gtest/gtest.h>

#include <windows.h>
#include <docobj.h>

#include <vector>

#include "resources/EditCommandIds.h"
#include "testing/TestSupport.h"
#include "views/common/TabOrderTarget.h"

namespace {

struct ReceivedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<ReceivedMessage> g_received;

// Takes every edit message the way a control would, writing it down.
LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COPY:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case EM_SETSEL:
    case EM_UNDO:
        g_received.push_back({message, wParam, lParam});
        return 0;
    default:
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// A control of the program's own process as a host window holds it: the
// host answers the control message with the control's IUnknown.
LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == ActiveXTarget::GetControlMessage())
        return ::GetWindowLongPtrW(hwnd, GWLP_USERDATA);
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND MakeWindow(const wchar_t* className, WNDPROC proc)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    ::RegisterClassW(&windowClass); // a second registration fails harmlessly
    return ::CreateWindowExW(0, className, L"", WS_POPUP, 0, 0, 100, 30, nullptr, nullptr, ::GetModuleHandleW(nullptr),
                             nullptr);
}

class OwnedWindow {
public:
    explicit OwnedWindow(HWND window) : m_window(window) {}
    ~OwnedWindow() { ::DestroyWindow(m_window); }
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;
    operator HWND() const { return m_window; }

private:
    HWND m_window;
};

// An in-process control as strict as a real one about its interfaces and
// references.
class StubControl : public IOleCommandTarget {
public:
    StubControl(bool isCommandTarget, HRESULT execResult)
        : m_isCommandTarget(isCommandTarget), m_execResult(execResult)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (iid == IID_IUnknown || (m_isCommandTarget && iid == IID_IOleCommandTarget)) {
            *object = static_cast<IOleCommandTarget*>(this);
            AddRef();
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_references; }

    HRESULT STDMETHODCALLTYPE QueryStatus(const GUID*, ULONG, OLECMD*, OLECMDTEXT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Exec(const GUID* group, DWORD command, DWORD option, VARIANT* in, VARIANT* out) override
    {
        m_calls.push_back({group == nullptr && in == nullptr && out == nullptr, command, option});
        return m_execResult;
    }

    struct Call {
        bool plain; // no command group, no arguments
        DWORD command;
        DWORD option;
    };
    std::vector<Call> m_calls;
    ULONG m_references = 1;

private:
    bool m_isCommandTarget;
    HRESULT m_execResult;
};

TEST(TextEditTarget, EachEditCommandBecomesTheEditControlsOwnMessage)
{
    struct Case {
        UINT command;
        bool taken;
        UINT message; // 0: nothing is sent
        WPARAM wParam;
        LPARAM lParam;
    };
    const Case cases[] = {
        {ID_EDIT_COPY, true, WM_COPY, 0, 0},
        {ID_EDIT_CUT, true, WM_CUT, 0, 0},
        {ID_EDIT_PASTE, true, WM_PASTE, 0, 0},
        {ID_EDIT_SELECT_ALL, true, EM_SETSEL, 0, -1},
        {ID_EDIT_UNDO, true, EM_UNDO, 0, 0},
        {ID_EDIT_REDO, false, 0, 0, 0},
        {ID_EDIT_CLEAR, false, 0, 0, 0},
        {ID_EDIT_FIND, false, 0, 0, 0},
    };
    const OwnedWindow control(MakeWindow(L"TabOrderRecordingControl", RecordingProc));
    ASSERT_TRUE(control);
    TextEditTarget target(control);
    for (const Case& c : cases) {
        g_received.clear();
        EXPECT_EQ(target.DoEditCommand(c.command), c.taken) << c.command;
        if (c.message == 0) {
            EXPECT_TRUE(g_received.empty()) << c.command;
            continue;
        }
        ASSERT_EQ(g_received.size(), 1u) << c.command;
        EXPECT_EQ(g_received[0].message, c.message) << c.command;
        EXPECT_EQ(g_received[0].wParam, c.wParam) << c.command;
        EXPECT_EQ(g_received[0].lParam, c.lParam) << c.command;
    }
}

TEST(TextEditTarget, ARealEditSelectsCutsPastesAndUndoes)
{
    const OwnedWindow edit(::CreateWindowExW(0, L"EDIT", L"planner", WS_POPUP, 0, 0, 200, 30, nullptr, nullptr,
                                             ::GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(edit);
    TextEditTarget target(edit);
    const auto text = [&] {
        wchar_t buffer[64] = {};
        ::GetWindowTextW(edit, buffer, 64);
        return EString(buffer);
    };

    ASSERT_TRUE(target.DoEditCommand(ID_EDIT_SELECT_ALL));
    DWORD first = 1, last = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(last, 7u);

    ASSERT_TRUE(target.DoEditCommand(ID_EDIT_CUT));
    EXPECT_EQ(text(), L"");
    ASSERT_TRUE(target.DoEditCommand(ID_EDIT_PASTE));
    ASSERT_TRUE(target.DoEditCommand(ID_EDIT_PASTE));
    EXPECT_EQ(text(), L"plannerplanner");
    ASSERT_TRUE(target.DoEditCommand(ID_EDIT_UNDO));
    EXPECT_EQ(text(), L"planner");
}

TEST(ActiveXTarget, EachEditCommandIsExecutedAsItsOleCommandWithoutPrompting)
{
    struct Case {
        UINT command;
        DWORD oleCommand; // 0: nothing is executed
    };
    const Case cases[] = {
        {ID_EDIT_COPY, OLECMDID_COPY},          {ID_EDIT_CUT, OLECMDID_CUT},
        {ID_EDIT_PASTE, OLECMDID_PASTE},        {ID_EDIT_SELECT_ALL, OLECMDID_SELECTALL},
        {ID_EDIT_UNDO, OLECMDID_UNDO},          {ID_EDIT_REDO, OLECMDID_REDO},
        {ID_EDIT_CLEAR, 0},                     {ID_EDIT_REPLACE, 0},
    };
    StubControl control(true, S_OK);
    const OwnedWindow host(MakeWindow(L"TabOrderControlHost", HostProc));
    ASSERT_TRUE(host);
    ::SetWindowLongPtrW(host, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<IUnknown*>(&control)));
    ActiveXTarget target(host);
    for (const Case& c : cases) {
        control.m_calls.clear();
        EXPECT_EQ(target.DoEditCommand(c.command), c.oleCommand != 0) << c.command;
        if (c.oleCommand == 0) {
            EXPECT_TRUE(control.m_calls.empty()) << c.command;
            continue;
        }
        ASSERT_EQ(control.m_calls.size(), 1u) << c.command;
        EXPECT_TRUE(control.m_calls[0].plain) << c.command;
        EXPECT_EQ(control.m_calls[0].command, c.oleCommand) << c.command;
        EXPECT_EQ(control.m_calls[0].option, static_cast<DWORD>(OLECMDEXECOPT_DONTPROMPTUSER)) << c.command;
    }
    EXPECT_EQ(control.m_references, 1u) << "every interface asked for is released again";
}

TEST(ActiveXTarget, FailsWhenTheHostHasNoControlOrTheControlCannotExecute)
{
    struct Case {
        const char* what;
        bool hasControl;
        bool isCommandTarget;
        HRESULT execResult;
        bool taken;
        size_t executions;
    };
    const Case cases[] = {
        {"no control", false, true, S_OK, false, 0},
        {"not a command target", true, false, S_OK, false, 0},
        {"command refused", true, true, OLECMDERR_E_DISABLED, false, 1},
        {"command done", true, true, S_OK, true, 1},
    };
    const OwnedWindow host(MakeWindow(L"TabOrderControlHost", HostProc));
    ASSERT_TRUE(host);
    for (const Case& c : cases) {
        StubControl control(c.isCommandTarget, c.execResult);
        ::SetWindowLongPtrW(host, GWLP_USERDATA,
                            c.hasControl ? reinterpret_cast<LONG_PTR>(static_cast<IUnknown*>(&control)) : 0);
        ActiveXTarget target(host);
        EXPECT_EQ(target.DoEditCommand(ID_EDIT_COPY), c.taken) << c.what;
        EXPECT_EQ(control.m_calls.size(), c.executions) << c.what;
        EXPECT_EQ(control.m_references, 1u) << c.what;
    }
}

TEST(WindowTarget, TakesNoEditCommand)
{
    const OwnedWindow control(MakeWindow(L"TabOrderRecordingControl", RecordingProc));
    ASSERT_TRUE(control);
    WindowTarget target(control);
    g_received.clear();
    for (UINT command = ID_EDIT_CLEAR; command <= ID_EDIT_REDO; ++command)
        EXPECT_FALSE(target.DoEditCommand(command)) << command;
    EXPECT_TRUE(g_received.empty());
}

} // namespace
