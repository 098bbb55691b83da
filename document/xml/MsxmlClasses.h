// MsxmlClasses: MSXML objects created from the first version of their class that the system has.
#pragma once

#include <windows.h>

#include <span>

#include "document/xml/XmlDocument.h"

using ProgIdList = std::span<const wchar_t* const>;

// MSXML 4 first, the version the program was made with; Windows 10 and 11 no
// longer carry it, and MSXML 6 offers the same interfaces.
inline constexpr const wchar_t* kDomDocumentProgIds[] = {L"Msxml2.DOMDocument.4.0", L"Msxml2.DOMDocument.6.0"};
// Created only to probe that the XML component is registered.
inline constexpr const wchar_t* kFreeThreadedDomDocumentProgIds[] = {L"Msxml2.FreeThreadedDOMDocument.4.0",
                                                                     L"Msxml2.FreeThreadedDOMDocument.6.0"};

// Creates the first class of the list that can be created and returns its
// ProgID. Throws ComError with the answer for the last one when none can.
const wchar_t* CreateFirstAvailable(ProgIdList progIds, REFIID iid, void** object);

// A document of the first available class, set up as every parse of the
// program needs it.
XmlDocument CreateDomDocument(ProgIdList progIds);
