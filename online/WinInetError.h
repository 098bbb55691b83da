// WinInetError: the text of a failed WinInet call, "<call> : <reason>".
#pragma once

#include <windows.h>

#include <string>

// Known WinInet codes get a short reason, others the system's message or "Error %d".
std::string WinInetErrorText(const char* call, DWORD code);
