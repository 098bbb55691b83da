#include "foundation/AppWindow.h"

#include "foundation/ModalScope.h"
#include "resources/DocumentCommandIds.h"

namespace {
HWND g_mainWindow = nullptr;
} // namespace

HWND GetMainWindow()
{
    return g_mainWindow;
}

void SetMainWindow(HWND window)
{
    g_mainWindow = window;
}

EString AppProductName()
{
    EString name;
    if (!name.LoadString(IDS_PRODUCT_NAME))
        name = L"Quorvane";
    return name;
}

int AppMessageBox(const EString& text, UINT type)
{
    if (!g_mainWindow)
        return IDCANCEL;
    const EString caption = AppProductName();
    const ModalScope modal;
    return ::MessageBoxW(g_mainWindow, text.c_str(), caption.c_str(), type);
}
