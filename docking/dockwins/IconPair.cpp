#include "docking/dockwins/IconPair.h"

#include <cstring>

namespace dockwins {

namespace {

constexpr int kColourRowBytes = 8; // 11 pixels of 4 bits, padded to 32 bits
constexpr int kMaskRowBytes = 4;

constexpr const char* kLyingPin[CIconPair::size] = {
    "...........",
    "...........",
    "....#......",
    "....#######",
    "....#+....#",
    "#####+....#",
    "....#+....#",
    "....#######",
    "....#######",
    "....#......",
    "...........",
};

constexpr const char* kUprightPin[CIconPair::size] = {
    "..#######..",
    "..#+..##...",
    "..#+..##...",
    "..#+..##...",
    "..#+..##...",
    ".#########.",
    ".....#.....",
    ".....#.....",
    ".....#.....",
    ".....#.....",
    "...........",
};

} // namespace

CIconPair::Image CIconPair::MakeImage(const char* const rows[size])
{
    Image image = {};
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = size;
    header.biHeight = 2 * size;
    header.biPlanes = 1;
    header.biBitCount = 4;
    header.biClrUsed = 16;
    std::memcpy(image.data(), &header, sizeof(header));
    RGBQUAD* palette = reinterpret_cast<RGBQUAD*>(image.data() + sizeof(header));
    palette[1] = RGBQUAD{128, 128, 128, 0};
    BYTE* colours = image.data() + sizeof(header) + 16 * sizeof(RGBQUAD);
    BYTE* mask = colours + size * kColourRowBytes;
    for (int y = 0; y < size; ++y) {
        // Bottom-up rows.
        const char* row = rows[size - 1 - y];
        const size_t length = ::strnlen(row, size);
        for (int x = 0; x < size; ++x) {
            // A short row ends in transparent pixels.
            const char pixel = static_cast<size_t>(x) < length ? row[x] : '.';
            const bool ink = pixel == '#' || pixel == '+';
            if (pixel == '+')
                colours[y * kColourRowBytes + x / 2] |= static_cast<BYTE>(x % 2 ? 0x01 : 0x10);
            if (!ink)
                mask[y * kMaskRowBytes + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        }
    }
    return image;
}

CIconPair::CIconPair(const Image& first, const Image& second)
{
    const Image* images[2] = {&first, &second};
    for (int i = 0; i < 2; ++i)
        m_icons[i] = ::CreateIconFromResourceEx(const_cast<BYTE*>(images[i]->data()), imageSize, TRUE, 0x30000, size,
                                                size, LR_DEFAULTCOLOR);
}

CIconPair::~CIconPair()
{
    for (HICON icon : m_icons)
        if (icon)
            ::DestroyIcon(icon);
}

const CIconPair& CIconPair::PinIcons()
{
    static const CIconPair icons(MakeImage(kLyingPin), MakeImage(kUprightPin));
    return icons;
}

} // namespace dockwins
