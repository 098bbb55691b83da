// CImageList: an image list, owned (destroyed with the holder) or borrowed from a control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <span>
#include <utility>

class CImageList {
public:
    CImageList() = default;
    explicit CImageList(HIMAGELIST list, bool owned = true) : m_list(list), m_owned(owned) {}
    CImageList(CImageList&& other) noexcept : m_list(std::exchange(other.m_list, nullptr)), m_owned(other.m_owned) {}
    CImageList& operator=(CImageList&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_list = std::exchange(other.m_list, nullptr);
            m_owned = other.m_owned;
        }
        return *this;
    }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    ~CImageList() { Reset(); }

    operator HIMAGELIST() const { return m_list; }
    bool IsNull() const { return m_list == nullptr; }
    HIMAGELIST Detach() { return std::exchange(m_list, nullptr); }
    void Reset()
    {
        if (m_list && m_owned)
            ::ImageList_Destroy(m_list);
        m_list = nullptr;
    }

    // A list of 32-bit images with a mask, of `width` by `height` pixels.
    bool Create(int width, int height, int initial = 0, int grow = 4)
    {
        Reset();
        m_list = ::ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, initial, grow);
        m_owned = true;
        return m_list != nullptr;
    }
    // The strip of images of a bitmap resource, `width` pixels each; `mask` is the transparent colour.
    bool LoadStrip(HINSTANCE module, UINT bitmapId, int width, COLORREF mask)
    {
        Reset();
        m_list = ::ImageList_LoadImageW(module, MAKEINTRESOURCEW(bitmapId), width, 4, mask, IMAGE_BITMAP,
                                        LR_CREATEDIBSECTION);
        m_owned = true;
        return m_list != nullptr;
    }

    int GetImageCount() const { return m_list ? ::ImageList_GetImageCount(m_list) : 0; }
    SIZE GetIconSize() const
    {
        int width = 0, height = 0;
        if (m_list)
            ::ImageList_GetIconSize(m_list, &width, &height);
        return {width, height};
    }
    int AddIcon(HICON icon) { return ::ImageList_ReplaceIcon(m_list, -1, icon); }
    // The icon resource at the list's size; a missing one adds a transparent
    // blank, so the later images keep their indexes.
    int AddIconResource(HINSTANCE module, int iconId);
    // The icon resources in order, each as AddIconResource adds it; the index
    // of the first, or -1 when the list did not take them all. Under Wine each
    // icon added alone costs milliseconds: 16 x 16 32-bit ones go in as strips.
    int AddIconResources(HINSTANCE module, std::span<const unsigned> iconIds);
    int AddMasked(HBITMAP bitmap, COLORREF mask) { return ::ImageList_AddMasked(m_list, bitmap, mask); }
    bool Draw(int index, HDC dc, int x, int y, UINT style = ILD_TRANSPARENT) const
    {
        return ::ImageList_Draw(m_list, index, dc, x, y, style) != FALSE;
    }

private:
    HIMAGELIST m_list = nullptr;
    bool m_owned = true;
};
