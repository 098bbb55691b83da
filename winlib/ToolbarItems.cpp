#include "winlib/ToolbarItems.h"

#include <commctrl.h>

#include <cstddef>
#include <cstring>
#include <optional>
#include <vector>

#include "foundation/ResourceModule.h"

namespace {

constexpr int kImageSize = 16;
constexpr UINT_PTR kImageOwnerId = 0x51A7;
// The toolbar keeps its image list only by handle; the list we gave it rides
// in this property until the toolbar goes.
constexpr wchar_t kImagesProperty[] = L"QuorvaneToolbarImages";

void DestroyGivenImageList(HWND toolbar)
{
    if (const HANDLE images = ::RemovePropW(toolbar, kImagesProperty))
        ::ImageList_Destroy(static_cast<HIMAGELIST>(images));
}

LRESULT CALLBACK ImageOwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR)
{
    if (message != WM_NCDESTROY)
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    ::RemoveWindowSubclass(hwnd, ImageOwnerProc, id);
    const LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
    DestroyGivenImageList(hwnd);
    return result;
}

// Hands the list to the toolbar and frees the one an earlier fill gave it.
void GiveImageList(HWND toolbar, HIMAGELIST images)
{
    ::SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    DestroyGivenImageList(toolbar);
    // Without the hook or the property nobody would free it: no pictures then.
    if (!::SetWindowSubclass(toolbar, ImageOwnerProc, kImageOwnerId, 0) ||
        !::SetPropW(toolbar, kImagesProperty, images)) {
        ::SendMessageW(toolbar, TB_SETIMAGELIST, 0, 0);
        ::ImageList_Destroy(images);
    }
}

// The list index of the icon, or I_IMAGENONE when it cannot be loaded.
int AddIcon(HIMAGELIST images, UINT iconId)
{
    const auto icon = static_cast<HICON>(
        ::LoadImageW(GetResourceModule(), MAKEINTRESOURCEW(iconId), IMAGE_ICON, kImageSize, kImageSize, 0));
    if (!icon)
        return I_IMAGENONE;
    const int index = ::ImageList_ReplaceIcon(images, -1, icon);
    ::DestroyIcon(icon);
    return index < 0 ? I_IMAGENONE : index;
}

constexpr size_t kColourRowBytes = kImageSize * 4;
constexpr size_t kColourBytes = kColourRowBytes * kImageSize;
// A mask row of 16 bits is padded to 32.
constexpr size_t kMaskRowBytes = 4;

// A 32-bit 16 x 16 picture as an icon resource holds it: rows from the
// bottom, the colours with their alpha, then the mask's.
struct IconRows {
    const std::byte* colour = nullptr;
    const std::byte* mask = nullptr;
};

const std::byte* ResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type, DWORD& size)
{
    const HRSRC found = ::FindResourceW(module, name, type);
    const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    size = found ? ::SizeofResource(module, found) : 0;
    return loaded ? static_cast<const std::byte*>(::LockResource(loaded)) : nullptr;
}

// Empty for an icon of another size or form: LoadImage takes that one.
std::optional<IconRows> Rows32(HMODULE module, UINT iconId)
{
    DWORD size = 0;
    const std::byte* group = ResourceBytes(module, MAKEINTRESOURCEW(iconId), RT_GROUP_ICON, size);
    constexpr DWORD kGroupHeader = 6;
    constexpr DWORD kGroupEntry = 14;
    if (!group || size < kGroupHeader)
        return std::nullopt;
    WORD count = 0;
    std::memcpy(&count, group + 4, sizeof(count));
    if (size < kGroupHeader + kGroupEntry * DWORD{count})
        return std::nullopt;
    const int id = ::LookupIconIdFromDirectoryEx(reinterpret_cast<PBYTE>(const_cast<std::byte*>(group)), TRUE,
                                                 kImageSize, kImageSize, LR_DEFAULTCOLOR);
    const std::byte* icon = id > 0 ? ResourceBytes(module, MAKEINTRESOURCEW(id), RT_ICON, size) : nullptr;
    if (!icon || size < sizeof(BITMAPINFOHEADER) + kColourBytes + kMaskRowBytes * kImageSize)
        return std::nullopt;
    BITMAPINFOHEADER header = {};
    std::memcpy(&header, icon, sizeof(header));
    if (header.biSize != sizeof(header) || header.biWidth != kImageSize || header.biHeight != 2 * kImageSize ||
        header.biPlanes != 1 || header.biBitCount != 32 || header.biCompression != BI_RGB)
        return std::nullopt;
    const std::byte* colour = icon + sizeof(header);
    return IconRows{colour, colour + kColourBytes};
}

// The pictures side by side in one bitmap and its mask, added to the list at
// once: under Wine each icon added alone costs some milliseconds.
void AddStrip(HIMAGELIST images, const std::vector<IconRows>& icons)
{
    const int count = static_cast<int>(icons.size());
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kImageSize * count;
    info.bmiHeader.biHeight = kImageSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP colour = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!colour)
        return;
    // The mask bitmap's rows run from the top, each a whole number of 16-bit words.
    const size_t maskStride = 2 * icons.size();
    std::vector<std::byte> mask(maskStride * kImageSize);
    const size_t stride = kColourRowBytes * icons.size();
    for (size_t i = 0; i < icons.size(); ++i) {
        for (size_t row = 0; row < kImageSize; ++row) {
            std::memcpy(static_cast<std::byte*>(bits) + row * stride + i * kColourRowBytes,
                        icons[i].colour + row * kColourRowBytes, kColourRowBytes);
            std::memcpy(mask.data() + (kImageSize - 1 - row) * maskStride + 2 * i,
                        icons[i].mask + row * kMaskRowBytes, 2);
        }
    }
    const HBITMAP maskBitmap = ::CreateBitmap(kImageSize * count, kImageSize, 1, 1, mask.data());
    if (maskBitmap)
        ::ImageList_Add(images, colour, maskBitmap);
    ::DeleteObject(maskBitmap);
    ::DeleteObject(colour);
}

// The list index of each item's picture, or I_IMAGENONE.
std::vector<int> AddPictures(HIMAGELIST images, const ToolbarItem* items, int count)
{
    std::vector<int> indices(static_cast<size_t>(count), I_IMAGENONE);
    std::vector<IconRows> strip;
    std::vector<size_t> stripItems;
    std::vector<size_t> others;
    for (size_t i = 0; i < indices.size(); ++i) {
        if (items[i].commandId == 0)
            continue;
        if (const std::optional<IconRows> rows = Rows32(GetResourceModule(), items[i].iconId)) {
            strip.push_back(*rows);
            stripItems.push_back(i);
        } else {
            others.push_back(i);
        }
    }
    if (!strip.empty()) {
        const int first = ::ImageList_GetImageCount(images);
        AddStrip(images, strip);
        if (::ImageList_GetImageCount(images) == first + static_cast<int>(strip.size())) {
            for (size_t k = 0; k < stripItems.size(); ++k)
                indices[stripItems[k]] = first + static_cast<int>(k);
        } else {
            others.insert(others.end(), stripItems.begin(), stripItems.end());
        }
    }
    for (const size_t i : others)
        indices[i] = AddIcon(images, items[i].iconId);
    return indices;
}

} // namespace

void ToolbarBuildFromItems(HWND toolbar, const ToolbarItem* items, int count)
{
    if (!items || count <= 0 || !::IsWindow(toolbar))
        return;
    const HIMAGELIST images = ::ImageList_Create(kImageSize, kImageSize, ILC_COLOR32 | ILC_MASK, count, 4);
    const std::vector<int> pictures = images ? AddPictures(images, items, count) : std::vector<int>();
    std::vector<TBBUTTON> buttons(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        TBBUTTON& button = buttons[static_cast<size_t>(i)];
        button.iString = -1;
        if (items[i].commandId == 0) {
            button.fsStyle = BTNS_SEP;
            continue;
        }
        button.iBitmap = images ? pictures[static_cast<size_t>(i)] : I_IMAGENONE;
        button.idCommand = static_cast<int>(items[i].commandId);
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON;
    }
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // Buttons of an earlier fill would point into the list about to be freed.
    for (LRESULT left = ::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0); left > 0; --left)
        ::SendMessageW(toolbar, TB_DELETEBUTTON, 0, 0);
    if (images)
        GiveImageList(toolbar, images);
    ::SendMessageW(toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    ::SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
}
