#include "views/tasks/BlankView.h"

WindowClass CBlankView::GetWindowClass()
{
    return {.name = L"QuorvaneBlankView", .background = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))};
}

HWND CBlankView::Create(HWND parent)
{
    // The pane or the frame gives it its size.
    return CWindowImpl<CBlankView>::Create({
        .parent = parent,
        .style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
        .rect = {0, 0, 0, 0},
    });
}

void CBlankView::UpdateCommandUI(bool /*active*/) {}
