// dockwins::CIconPair: the two 11 x 11 poses of the pin on the Outlook-like caption's pin button.
#pragma once

#include <windows.h>

#include <array>

namespace dockwins {

class CIconPair {
public:
    static constexpr int size = 11;
    // An icon image as icon resources hold it: the header (height doubled
    // for the mask), 16 palette entries, 4-bit colours and the mask.
    static constexpr size_t imageSize = sizeof(BITMAPINFOHEADER) + 16 * sizeof(RGBQUAD) + 11 * 8 + 11 * 4;
    static_assert(imageSize == 236);
    using Image = std::array<BYTE, imageSize>;

    // Rows of up to 11 characters: '#' black, '+' dark grey, anything else transparent.
    static Image MakeImage(const char* const rows[size]);

    CIconPair(const Image& first, const Image& second);
    CIconPair(const CIconPair&) = delete;
    CIconPair& operator=(const CIconPair&) = delete;
    ~CIconPair();

    // 0: the pin lying on its side (pinned to a bar), 1: the upright pin (docked).
    HICON Icon(int index) const { return m_icons[index ? 1 : 0]; }

    // The shared pin icons, made at the first use and destroyed at exit.
    static const CIconPair& PinIcons();

private:
    HICON m_icons[2] = {};
};

} // namespace dockwins
