#include "winlib/ToolbarItems.h"

#include <commctrl.h>

#include <cstddef>
#include <vector>

#include "foundation/ResourceModule.h"
#include "winlib/ImageList.h"

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

// The list index of each item's picture, or I_IMAGENONE.
std::vector<int> AddPictures(HIMAGELIST images, const ToolbarItem* items, int count)
{
    std::vector<int> indices(static_cast<size_t>(count), I_IMAGENONE);
    // A missing icon leaves its button without a picture rather than with a blank one.
    std::vector<unsigned> iconIds;
    std::vector<size_t> pictured;
    for (size_t i = 0; i < indices.size(); ++i) {
        if (items[i].commandId != 0 &&
            ::FindResourceW(GetResourceModule(), MAKEINTRESOURCEW(items[i].iconId), RT_GROUP_ICON)) {
            iconIds.push_back(items[i].iconId);
            pictured.push_back(i);
        }
    }
    const int first = CImageList(images, false).AddIconResources(GetResourceModule(), iconIds);
    if (first >= 0) {
        for (size_t k = 0; k < pictured.size(); ++k)
            indices[pictured[k]] = first + static_cast<int>(k);
    }
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
