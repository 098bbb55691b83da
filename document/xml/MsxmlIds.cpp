// The interface ids of MSXML that mingw's import libraries do not define. Every
// missing id is defined here and nowhere else, so the linker sees each one once.
#include "document/xml/MsxmlIds.h"

extern "C" const IID IID_IXMLDOMDocument2 = {0x2933BF95, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
