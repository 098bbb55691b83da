#include "reports/HtmlResource.h"

#include <windows.h>

#include <string>

#include "foundation/ResourceModule.h"

EString LoadResourceText(unsigned id)
{
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_HTML);
    if (!found && GetResourceModule()) {
        module = GetResourceModule();
        found = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_HTML);
    }
    if (!found)
        return EString();
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    const DWORD size = ::SizeofResource(module, found);
    if (!bytes || size == 0)
        return EString();
    const std::string text(static_cast<const char*>(bytes), size);
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    EString wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}
