#include "winlib/ToolbarButtonText.h"

#include <commctrl.h>

#include <algorithm>

EString ToolbarButtonText(HWND toolbar, UINT commandId)
{
    const LRESULT length = ::SendMessageW(toolbar, TB_GETBUTTONTEXTW, commandId, 0);
    if (length <= 0)
        return EString();
    EString text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        ::SendMessageW(toolbar, TB_GETBUTTONTEXTW, commandId, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return text;
}
