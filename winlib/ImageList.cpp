#include "winlib/ImageList.h"

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

} // namespace

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
