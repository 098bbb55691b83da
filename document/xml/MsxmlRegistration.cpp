#include "document/xml/MsxmlRegistration.h"

#include "document/xml/XmlDoc.h"
#include "foundation/SystemLibrary.h"

void EnsureMsxmlRegistered()
{
    if (IsRunningOnWine() && !CanCreateMsxmlDocuments())
        RegisterMsxml4();
}

bool CanCreateMsxmlDocuments()
{
    try {
        XmlDocument document = XmlDoc::CreateDocument(false);
        document = XmlDoc::CreateDocument(true);
        return true;
    } catch (const ComError&) {
        return false;
    }
}

HRESULT RegisterMsxml4()
{
    const HMODULE library = LoadSystemLibrary(L"msxml4.dll");
    if (!library)
        return 0;
    using RegisterServer = HRESULT(STDAPICALLTYPE*)();
    const auto registerServer =
        reinterpret_cast<RegisterServer>(reinterpret_cast<void*>(::GetProcAddress(library, "DllRegisterServer")));
    return registerServer ? registerServer() : 0;
}
