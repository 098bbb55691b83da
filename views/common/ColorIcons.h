// ColorIcons: an image list of 16x16 colour swatches, one per colour, made when first asked for.
#pragma once

#include <windows.h>

#include <map>

#include "winlib/ImageList.h"

class ColorIcons {
public:
    ColorIcons();

    // The image index of the colour's swatch; -1 when it cannot be made.
    int GetIcon(COLORREF colour);
    // Owned by this object: a list view must share it (LVS_SHAREIMAGELISTS).
    HIMAGELIST GetImageList() const { return m_images; }

    static constexpr int kSize = 16;

private:
    CImageList m_images;
    std::map<COLORREF, int> m_indexes;
};
