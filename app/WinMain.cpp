// Entry of the program.
#include <windows.h>

#include "foundation/ResourceModule.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    SetResourceModule(instance);
    // The main window does not exist yet.
    return 1;
}
