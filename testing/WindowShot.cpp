#include "testing/WindowShot.h"

#include <vector>

#include "foundation/FileSystem.h"
#include "testing/PngWriter.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

EString ScreenshotFolder()
{
    wchar_t configured[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"QUORVANE_SCREENSHOT_DIR", configured, MAX_PATH) > 0)
        return configured;
    EString binFolder = FileSystem::GetFolder(FileSystem::GetModuleFileName());
    binFolder.TrimRight(L"\\"); // so that its own folder is the build folder
    return FileSystem::JoinPath(FileSystem::GetFolder(binFolder), L"screenshots");
}

std::vector<std::uint8_t> CaptureWindowRgb(HWND window, int& width, int& height)
{
    width = height = 0;
    RECT rect = {};
    if (!::IsWindow(window) || !::GetWindowRect(window, &rect))
        return {};
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return {};

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const CCompatibleDC memory(nullptr);
    const CBitmap bitmap(::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::vector<std::uint8_t> rgb;
    if (!bitmap.IsNull() && bits) {
        {
            const CSelectObject selected(memory, bitmap);
            ::BitBlt(memory, 0, 0, width, height, CWindowDC(window), 0, 0, SRCCOPY);
            ::GdiFlush();
        }
        const auto* pixels = static_cast<const std::uint8_t*>(bits);
        rgb.reserve(static_cast<size_t>(width) * height * 3);
        for (int i = 0; i < width * height; ++i) {
            rgb.push_back(pixels[i * 4 + 2]);
            rgb.push_back(pixels[i * 4 + 1]);
            rgb.push_back(pixels[i * 4]);
        }
    }
    return rgb;
}

EString WriteScreenshot(const wchar_t* name, int width, int height, const std::vector<std::uint8_t>& rgb)
{
    if (rgb.empty())
        return EString();
    const EString folder = ScreenshotFolder();
    FileSystem::EnsureFolder(folder);
    const EString path = FileSystem::JoinPath(folder, EString(name) + L".png");
    // A name may hold a folder of its own ("day\\main_window").
    FileSystem::EnsureFolder(FileSystem::GetFolder(path));
    return WritePng(path, width, height, rgb) ? path : EString();
}

EString SaveWindowScreenshot(HWND window, const wchar_t* name)
{
    if (!::IsWindow(window))
        return EString();
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    int width = 0;
    int height = 0;
    const std::vector<std::uint8_t> rgb = CaptureWindowRgb(window, width, height);
    return WriteScreenshot(name, width, height, rgb);
}
