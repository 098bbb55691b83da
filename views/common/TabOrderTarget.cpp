#include "views/common/TabOrderTarget.h"

#include <docobj.h>

#include "foundation/ComPtr.h"
#include "resources/EditCommandIds.h"

bool TextEditTarget::DoEditCommand(UINT commandId)
{
    const HWND edit = GetWindow();
    switch (commandId) {
    case ID_EDIT_COPY:
        ::SendMessageW(edit, WM_COPY, 0, 0);
        return true;
    case ID_EDIT_CUT:
        ::SendMessageW(edit, WM_CUT, 0, 0);
        return true;
    case ID_EDIT_PASTE:
        ::SendMessageW(edit, WM_PASTE, 0, 0);
        return true;
    case ID_EDIT_SELECT_ALL:
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        return true;
    case ID_EDIT_UNDO:
        ::SendMessageW(edit, EM_UNDO, 0, 0);
        return true;
    default:
        // An edit control has no redo.
        return false;
    }
}

namespace {

bool OleCommandOf(UINT commandId, OLECMDID& command)
{
    switch (commandId) {
    case ID_EDIT_COPY: command = OLECMDID_COPY; return true;
    case ID_EDIT_CUT: command = OLECMDID_CUT; return true;
    case ID_EDIT_PASTE: command = OLECMDID_PASTE; return true;
    case ID_EDIT_SELECT_ALL: command = OLECMDID_SELECTALL; return true;
    case ID_EDIT_UNDO: command = OLECMDID_UNDO; return true;
    case ID_EDIT_REDO: command = OLECMDID_REDO; return true;
    default: return false;
    }
}

bool IsWindowOfThisProcess(HWND window)
{
    DWORD process = 0;
    return ::GetWindowThreadProcessId(window, &process) != 0 && process == ::GetCurrentProcessId();
}

} // namespace

UINT ActiveXTarget::GetControlMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"WM_ATLGETCONTROL");
    return message;
}

bool ActiveXTarget::DoEditCommand(UINT commandId)
{
    OLECMDID command{};
    if (!OleCommandOf(commandId, command))
        return false;
    // The answer is a pointer into the host's address space: one from a
    // window of another process would be garbage here.
    const HWND host = GetWindow();
    if (!IsWindowOfThisProcess(host))
        return false;
    auto* control = reinterpret_cast<IUnknown*>(::SendMessageW(host, GetControlMessage(), 0, 0));
    if (!control)
        return false;
    ComPtr<IOleCommandTarget> target;
    if (FAILED(control->QueryInterface(IID_IOleCommandTarget, reinterpret_cast<void**>(&target))) || !target)
        return false;
    return SUCCEEDED(target->Exec(nullptr, command, OLECMDEXECOPT_DONTPROMPTUSER, nullptr, nullptr));
}
