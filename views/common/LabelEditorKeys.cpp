#include "views/common/LabelEditorKeys.h"

namespace {

bool IsEditorKey(WPARAM key)
{
    switch (key) {
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_DELETE:
    case VK_INSERT:
        return true;
    default:
        return ::GetKeyState(VK_CONTROL) < 0;
    }
}

} // namespace

bool DispatchLabelEditorKey(HWND editor, MSG* message)
{
    const bool isKey = message->message >= WM_KEYDOWN && message->message <= WM_SYSDEADCHAR;
    if (!isKey || !editor || !IsEditorKey(message->wParam))
        return false;
    ::TranslateMessage(message);
    ::DispatchMessageW(message);
    return true;
}
