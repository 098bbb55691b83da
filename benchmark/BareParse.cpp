#include "benchmark/BareParse.h"

#include "document/xml/XmlDoc.h"
#include "foundation/ComError.h"

void BareParse(const Bstr& text)
{
    XmlDocument parsed = XmlDoc::CreateDocument(false);
    VARIANT_BOOL ok = VARIANT_FALSE;
    parsed->loadXML(text, &ok);
    if (ok != VARIANT_TRUE)
        ThrowComError(E_FAIL, L"the generated plan does not parse");
}
