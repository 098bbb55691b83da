#include "foundation/AppWindow.h"

#include "foundation/ModalScope.h"

namespace {
HWND g_mainWindow = nullptr;
constexpr unsigned kProductNameId = 128;
} // namespace

HWND GetMainWindow()
{
    return g_mainWindow;
}

void SetMainWindow(HWND window)
{
    g_mainWindow = window;
}

int AppMessageBox(const EString& text, UINT type)
{
    if (!g_mainWindow)
        return IDCANCEL;
    EString caption;
    if (!caption.LoadString(kProductNameId))
        caption = L"Quorvane";
    const ModalScope modal;
    return ::MessageBoxW(g_mainWindow, text.c_str(), caption.c_str(), type);
}
