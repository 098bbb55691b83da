#include "document/xml/MsxmlClasses.h"

#include "document/xml/MsxmlIds.h"
#include "foundation/Bstr.h"
#include "foundation/ComPtr.h"
#include "foundation/Variant.h"

namespace {

void SetProperty(IXMLDOMDocument2* document, const wchar_t* name, const Variant& value)
{
    ThrowIfFailed(document->setProperty(Bstr(name), value));
}

} // namespace

const wchar_t* CreateFirstAvailable(ProgIdList progIds, REFIID iid, void** object)
{
    *object = nullptr;
    HRESULT failure = REGDB_E_CLASSNOTREG;
    EString tried;
    for (const wchar_t* progId : progIds) {
        CLSID clsid = {};
        failure = ::CLSIDFromProgID(progId, &clsid);
        if (SUCCEEDED(failure))
            failure = ::CoCreateInstance(clsid, nullptr, CLSCTX_ALL, iid, object);
        if (SUCCEEDED(failure))
            return progId;
        if (!tried.empty())
            tried += L", ";
        tried += progId;
    }
    ThrowComError(failure, EString::Formatted(L"The XML component cannot be created (%s): %s", tried.c_str(),
                                              SystemErrorText(failure).c_str()));
}

XmlDocument CreateDomDocument(ProgIdList progIds)
{
    ComPtr<IXMLDOMDocument2> document;
    CreateFirstAvailable(progIds, IID_IXMLDOMDocument2, reinterpret_cast<void**>(&document));
    ThrowIfFailed(document->put_async(VARIANT_FALSE));
    ThrowIfFailed(document->put_validateOnParse(VARIANT_FALSE));
    ThrowIfFailed(document->put_resolveExternals(VARIANT_FALSE));
    // Dropped, a description of only spaces or line breaks would be lost on the
    // next load, and a hand-indented file would lose its layout.
    ThrowIfFailed(document->put_preserveWhiteSpace(VARIANT_TRUE));
    SetProperty(document, L"SelectionLanguage", Variant(L"XPath"));
    // Not every MSXML 4 knows this property; the program's own check of the
    // prolog refuses document types in any case.
    document->setProperty(Bstr(L"ProhibitDTD"), Variant(true));
    return XmlDocument(document.Get());
}
