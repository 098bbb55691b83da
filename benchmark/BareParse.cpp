#include "benchmark/BareParse.h"

#include <windows.h>
#include <psapi.h>

#include "document/xml/XmlDoc.h"
#include "foundation/ComError.h"

namespace {

XmlDocument Parsed(const Bstr& text)
{
    XmlDocument parsed = XmlDoc::CreateDocument(false);
    VARIANT_BOOL ok = VARIANT_FALSE;
    parsed->loadXML(text, &ok);
    if (ok != VARIANT_TRUE)
        ThrowComError(E_FAIL, L"the generated plan does not parse");
    return parsed;
}

std::size_t WorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    return ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters)) ? counters.WorkingSetSize : 0;
}

} // namespace

void BareParse(const Bstr& text)
{
    Parsed(text);
}

std::size_t BareParsedWorkingSet(const Bstr& text)
{
    const std::size_t before = WorkingSet();
    const XmlDocument parsed = Parsed(text);
    const std::size_t after = WorkingSet();
    return after > before ? after - before : 0;
}
