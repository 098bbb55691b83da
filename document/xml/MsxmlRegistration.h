// MsxmlRegistration: the start-up check that the XML component can create its documents.
#pragma once

#include <windows.h>

// Registers "msxml4.dll" when its document classes cannot be created; silent.
void EnsureMsxmlRegistered();
// Both a DOMDocument40 and a FreeThreadedDOMDocument40 can be created.
bool CanCreateMsxmlDocuments();
// Calls "DllRegisterServer" of "msxml4.dll": its result, or 0 when the library
// or the export is missing. The library stays loaded.
HRESULT RegisterMsxml4();
