// MsxmlRegistration: the start-up check that the XML component can create its documents.
#pragma once

#include <windows.h>

// Under Wine only, registers "msxml4.dll" when no version of the document
// classes can be created; silent. On Windows a library is never registered
// by the program: MSXML 6 is part of the system.
void EnsureMsxmlRegistered();
// Both an apartment-threaded and a free-threaded document (MSXML 4 or 6) can
// be created.
bool CanCreateMsxmlDocuments();
// Calls "DllRegisterServer" of the system folder's "msxml4.dll": its result,
// or 0 when the library or the export is missing. The library stays loaded.
HRESULT RegisterMsxml4();
