#include "foundation/ResourceModule.h"

namespace {
HINSTANCE g_resourceModule = nullptr;
}

HINSTANCE GetResourceModule()
{
    return g_resourceModule;
}

void SetResourceModule(HINSTANCE module)
{
    g_resourceModule = module;
}

HICON LoadAppIcon(unsigned id)
{
    if (!g_resourceModule)
        return nullptr;
    return ::LoadIconW(g_resourceModule, MAKEINTRESOURCEW(id));
}
