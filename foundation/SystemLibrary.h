// SystemLibrary: the system's own libraries, loaded from the system folder only, and which system this is.
#pragma once

#include <windows.h>

// Makes the system folder the only place libraries are looked for: a library
// planted beside the program or in the current folder is never loaded. Called
// first thing at start-up.
void SearchLibrariesInSystemFolderOnly();

// Loads a library of the system by file name from the system folder; null
// when it is not there.
HMODULE LoadSystemLibrary(const wchar_t* fileName);

// True under Wine, whose ntdll exports wine_get_version.
bool IsRunningOnWine();
