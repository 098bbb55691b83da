#include "foundation/ModalScope.h"

#include "foundation/AppWindow.h"

int ModalScope::s_depth = 0;

ModalScope::ModalScope()
{
    ++s_depth;
}

ModalScope::~ModalScope()
{
    if (--s_depth == 0)
        if (const HWND mainWindow = GetMainWindow())
            ::PostMessageW(mainWindow, WM_MODAL_WORK_ENDED, 0, 0);
}

bool ModalScope::IsActive()
{
    return s_depth > 0;
}
