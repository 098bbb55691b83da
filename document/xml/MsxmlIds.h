// MsxmlIds: the MSXML 4 names and interface ids that mingw's headers declare but its libraries lack.
#pragma once

#include <windows.h>
#include <msxml2.h>

// The apartment-threaded document every XmlDoc holds.
inline constexpr const wchar_t* kDomDocumentProgId = L"Msxml2.DOMDocument.4.0";
// Created only to probe that the XML component is registered.
inline constexpr const wchar_t* kFreeThreadedDomDocumentProgId = L"Msxml2.FreeThreadedDOMDocument.4.0";
