// A library that lies beside the test program, as a planted one would lie beside the planner.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
