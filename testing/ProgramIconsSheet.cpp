// program_icons_sheet: draws every icon of the built program, four times enlarged beside its real size, on a light
// background into "program-icons.png", for a person to judge.
//
//   program_icons_sheet
//
// The program is the Quorvane.exe beside this executable; the picture goes to
// QUORVANE_SCREENSHOT_DIR (or build/screenshots). Exit code 0 when it was written.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "foundation/FileSystem.h"
#include "testing/WindowShot.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

namespace {

BOOL CALLBACK CollectIcon(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR ids)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<WORD>*>(ids)->push_back(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

} // namespace

int wmain()
{
    const EString program = FileSystem::GetProgramFolderPath(L"Quorvane.exe");
    const HMODULE module = ::LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        std::fwprintf(stderr, L"cannot load %ls\n", program.c_str());
        return 1;
    }
    std::vector<WORD> ids;
    ::EnumResourceNamesW(module, RT_GROUP_ICON, &CollectIcon, reinterpret_cast<LONG_PTR>(&ids));

    constexpr int kZoom = 4;
    constexpr int kCell = 16 * kZoom + 40;
    constexpr int kColumns = 8;
    const int width = kColumns * kCell;
    const int height = static_cast<int>((ids.size() + kColumns - 1) / kColumns) * kCell;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const CCompatibleDC dc(nullptr);
    const CBitmap sheet(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (ids.empty() || sheet.IsNull()) {
        std::fwprintf(stderr, L"no icons in %ls\n", program.c_str());
        return 1;
    }
    const CSelectObject selected(dc, sheet);
    const RECT all = {0, 0, width, height};
    ::FillRect(dc, &all, CBrush(::CreateSolidBrush(RGB(236, 236, 236))));
    for (size_t i = 0; i < ids.size(); ++i) {
        const int x = static_cast<int>(i % kColumns) * kCell + 8;
        const int y = static_cast<int>(i / kColumns) * kCell + 8;
        const auto icon = static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(ids[i]), IMAGE_ICON, 16, 16, 0));
        if (!icon) {
            std::fwprintf(stderr, L"icon %u does not load\n", ids[i]);
            continue;
        }
        ::DrawIconEx(dc, x, y, icon, 16 * kZoom, 16 * kZoom, 0, nullptr, DI_NORMAL);
        ::DrawIconEx(dc, x + 16 * kZoom + 6, y, icon, 16, 16, 0, nullptr, DI_NORMAL);
        ::DestroyIcon(icon);
    }
    ::GdiFlush();
    std::vector<std::uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    const auto* pixels = static_cast<const std::uint8_t*>(bits);
    for (size_t p = 0; p < static_cast<size_t>(width) * height; ++p) {
        rgb[p * 3] = pixels[p * 4 + 2];
        rgb[p * 3 + 1] = pixels[p * 4 + 1];
        rgb[p * 3 + 2] = pixels[p * 4];
    }
    ::FreeLibrary(module);
    const EString written = WriteScreenshot(L"program-icons", width, height, rgb);
    if (written.IsEmpty())
        return 1;
    std::fwprintf(stdout, L"%ls\n", written.c_str());
    return 0;
}
