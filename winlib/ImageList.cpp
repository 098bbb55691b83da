#include "winlib/ImageList.h"

#include <cstddef>
#include <cstring>
#include <optional>
#include <vector>

#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

namespace {

// A loaded icon, destroyed with its holder.
class LoadedIcon {
public:
    explicit LoadedIcon(HICON icon) : m_icon(icon) {}
    LoadedIcon(const LoadedIcon&) = delete;
    LoadedIcon& operator=(const LoadedIcon&) = delete;
    ~LoadedIcon()
    {
        if (m_icon)
            ::DestroyIcon(m_icon);
    }
    operator HICON() const { return m_icon; }

private:
    HICON m_icon;
};

constexpr int kStripSize = 16;
constexpr size_t kColourRowBytes = kStripSize * 4;
constexpr size_t kColourBytes = kColourRowBytes * kStripSize;
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

// Empty for a missing icon or one of another size or form: LoadImage takes that one.
std::optional<IconRows> Rows32(HMODULE module, unsigned iconId)
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
                                                 kStripSize, kStripSize, LR_DEFAULTCOLOR);
    const std::byte* icon = id > 0 ? ResourceBytes(module, MAKEINTRESOURCEW(id), RT_ICON, size) : nullptr;
    if (!icon || size < sizeof(BITMAPINFOHEADER) + kColourBytes + kMaskRowBytes * kStripSize)
        return std::nullopt;
    BITMAPINFOHEADER header = {};
    std::memcpy(&header, icon, sizeof(header));
    if (header.biSize != sizeof(header) || header.biWidth != kStripSize || header.biHeight != 2 * kStripSize ||
        header.biPlanes != 1 || header.biBitCount != 32 || header.biCompression != BI_RGB)
        return std::nullopt;
    const std::byte* colour = icon + sizeof(header);
    return IconRows{colour, colour + kColourBytes};
}

// The pictures side by side in one bitmap and its mask, added to the list at
// once. False when the list did not take them.
bool AddStrip(HIMAGELIST images, const std::vector<IconRows>& icons)
{
    const int count = static_cast<int>(icons.size());
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kStripSize * count;
    info.bmiHeader.biHeight = kStripSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const CBitmap colour(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (colour.IsNull())
        return false;
    // The mask bitmap's rows run from the top, each a whole number of 16-bit words.
    const size_t maskStride = 2 * icons.size();
    std::vector<std::byte> mask(maskStride * kStripSize);
    const size_t stride = kColourRowBytes * icons.size();
    for (size_t i = 0; i < icons.size(); ++i) {
        for (size_t row = 0; row < kStripSize; ++row) {
            std::memcpy(static_cast<std::byte*>(bits) + row * stride + i * kColourRowBytes,
                        icons[i].colour + row * kColourRowBytes, kColourRowBytes);
            std::memcpy(mask.data() + (kStripSize - 1 - row) * maskStride + 2 * i,
                        icons[i].mask + row * kMaskRowBytes, 2);
        }
    }
    const CBitmap maskBitmap(::CreateBitmap(kStripSize * count, kStripSize, 1, 1, mask.data()));
    const int first = ::ImageList_GetImageCount(images);
    return !maskBitmap.IsNull() && ::ImageList_Add(images, colour, maskBitmap) == first &&
           ::ImageList_GetImageCount(images) == first + count;
}

} // namespace

int CImageList::AddIconResources(HINSTANCE module, std::span<const unsigned> iconIds)
{
    const int first = GetImageCount();
    const SIZE size = GetIconSize();
    const bool stripped = size.cx == kStripSize && size.cy == kStripSize;
    // Consecutive icons that go in as one strip, from iconIds[runStart] on.
    std::vector<IconRows> run;
    size_t runStart = 0;
    const auto addRun = [&] {
        if (!run.empty() && !AddStrip(m_list, run)) {
            for (size_t k = runStart; k < runStart + run.size(); ++k)
                AddIconResource(module, static_cast<int>(iconIds[k]));
        }
        run.clear();
    };
    for (size_t i = 0; i < iconIds.size(); ++i) {
        if (const std::optional<IconRows> rows = stripped ? Rows32(module, iconIds[i]) : std::nullopt) {
            if (run.empty())
                runStart = i;
            run.push_back(*rows);
            continue;
        }
        addRun();
        AddIconResource(module, static_cast<int>(iconIds[i]));
    }
    addRun();
    return GetImageCount() == first + static_cast<int>(iconIds.size()) ? first : -1;
}

int CImageList::AddIconResource(HINSTANCE module, int iconId)
{
    const SIZE size = GetIconSize();
    const LoadedIcon icon(static_cast<HICON>(
        ::LoadImageW(module, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size.cx, size.cy, LR_DEFAULTCOLOR)));
    if (icon)
        return AddIcon(icon);
    const CBitmap colour(::CreateCompatibleBitmap(CClientDC(nullptr), size.cx, size.cy));
    // A mask of ones, each row padded to whole words: every pixel transparent.
    const std::vector<WORD> ones(static_cast<size_t>(size.cy * ((size.cx + 15) / 16)), 0xFFFF);
    const CBitmap mask(::CreateBitmap(size.cx, size.cy, 1, 1, ones.data()));
    return ::ImageList_Add(m_list, colour, mask);
}
