// Entry of the program.
#include <windows.h>

#include "foundation/ResourceModule.h"
#include "foundation/SystemLibrary.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    // Before any library is loaded on demand.
    SearchLibrariesInSystemFolderOnly();
    SetResourceModule(instance);
    // The main window does not exist yet.
    return 1;
}
