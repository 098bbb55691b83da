// MsxmlIds: the MSXML interface ids that mingw's headers declare but its libraries lack.
#pragma once

#include <windows.h>
#include <msxml2.h>
