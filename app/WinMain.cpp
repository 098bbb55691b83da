// Entry of the program.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "app/Run.h"
#include "foundation/ResourceModule.h"
#include "foundation/StepTimer.h"
#include "foundation/SystemLibrary.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int)
{
    // Before any library is loaded on demand.
    SearchLibrariesInSystemFolderOnly();
    // What the loader took before the program's own code runs.
    StepTimer::LogSinceProcessStart(L"winmain");
    if (FAILED(::OleInitialize(nullptr)))
        return 0;
    // Binds the wide window functions before any window exists.
    ::DefWindowProcW(nullptr, 0, 0, 0);
    INITCOMMONCONTROLSEX controls = {
        sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_COOL_CLASSES | ICC_NATIVEFNTCTL_CLASS};
    ::InitCommonControlsEx(&controls);
    SetResourceModule(instance);
    const int exitCode = Run(commandLine ? commandLine : L"");
    ::OleUninitialize();
    return exitCode;
}
