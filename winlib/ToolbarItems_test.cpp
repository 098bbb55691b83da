#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <iterator>
#include <utility>
#include <vector>

#include "foundation/ResourceModule.h"
#include "resources/DocumentCommandIds.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"
#include "winlib/ImageList.h"
#include "winlib/ToolbarItems.h"
#include "winlib/testdata/winlib_tests_rc.h"

namespace {

class ToolbarItemsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&controls);
        parent = ::CreateWindowExW(0, L"STATIC", L"Bars", WS_OVERLAPPEDWINDOW, 0, 0, 400, 200, nullptr, nullptr,
                                   nullptr, nullptr);
        ASSERT_TRUE(parent);
        toolbar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                    WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN |
                                        CCS_NORESIZE | CCS_NODIVIDER,
                                    0, 0, 100, 100, parent, nullptr, nullptr, nullptr);
        ASSERT_TRUE(toolbar);
    }
    void TearDown() override { ::DestroyWindow(parent); }

    int ButtonCount() const { return static_cast<int>(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0)); }
    TBBUTTON Button(int index) const
    {
        TBBUTTON button = {};
        ::SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
        return button;
    }
    HIMAGELIST Images() const { return reinterpret_cast<HIMAGELIST>(::SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0)); }

    HWND parent = nullptr;
    HWND toolbar = nullptr;
};

const ToolbarItem kItems[] = {
    {IDI_TOOL_NEW, ID_FILE_NEW, L"New"},
    {IDI_TOOL_OPEN, ID_FILE_OPEN, L"Open"},
    {0, 0, nullptr},
    {IDI_TOOL_SAVE, ID_FILE_SAVE, L"Save"},
    {IDI_TOOL_MISSING, ID_PREPARE_REPORT, L"PrepareReport"},
};

TEST_F(ToolbarItemsTest, OneButtonPerCommandASeparatorForTheRest)
{
    ToolbarBuildFromItems(toolbar, kItems, static_cast<int>(std::size(kItems)));

    const struct {
        int command;
        bool separator;
        int image;
    } expected[] = {
        {ID_FILE_NEW, false, 0}, {ID_FILE_OPEN, false, 1}, {0, true, 0}, {ID_FILE_SAVE, false, 2},
        {ID_PREPARE_REPORT, false, I_IMAGENONE}, // its picture is missing
    };
    ASSERT_EQ(ButtonCount(), static_cast<int>(std::size(expected)));
    for (int i = 0; i < ButtonCount(); ++i) {
        const auto& e = expected[i];
        const TBBUTTON button = Button(i);
        EXPECT_EQ((button.fsStyle & BTNS_SEP) != 0, e.separator) << i;
        if (e.separator)
            continue;
        EXPECT_EQ(button.idCommand, e.command) << i;
        EXPECT_EQ(button.iBitmap, e.image) << i;
        EXPECT_TRUE(button.fsState & TBSTATE_ENABLED) << i;
    }

    const HIMAGELIST images = Images();
    ASSERT_TRUE(images);
    EXPECT_EQ(::ImageList_GetImageCount(images), 3);
    int width = 0, height = 0;
    ::ImageList_GetIconSize(images, &width, &height);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
}

// The picture drawn on a coloured ground, pixel by pixel.
std::vector<DWORD> Drawn(HIMAGELIST list, int index, UINT style)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -16;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const CBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const CCompatibleDC dc(nullptr);
    const CSelectObject selected(dc, bitmap);
    const RECT all = {0, 0, 16, 16};
    ::FillRect(dc, &all, CBrush(::CreateSolidBrush(RGB(0x33, 0x66, 0x99))));
    ::ImageList_Draw(list, index, dc, 0, 0, style);
    ::GdiFlush();
    return std::vector<DWORD>(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + 256);
}

// Whichever way a list is filled, the picture at each index draws as its icon
// added alone does to a list of the same kind, a missing one as a blank.
TEST_F(ToolbarItemsTest, EachPictureDrawsAsItsIconDoesAlone)
{
    ToolbarBuildFromItems(toolbar, kItems, static_cast<int>(std::size(kItems)));
    const unsigned ids[] = {IDI_TOOL_NEW, IDI_TOOL_OPEN, IDI_TOOL_OTHER_FORM, IDI_TOOL_MISSING, IDI_TOOL_SAVE};
    CImageList lists[2];
    const UINT kinds[] = {ILC_COLOR8 | ILC_MASK, ILC_COLOR32 | ILC_MASK};
    for (size_t k = 0; k < std::size(kinds); ++k) {
        lists[k] = CImageList(::ImageList_Create(16, 16, kinds[k], 0, 4));
        ::ImageList_SetBkColor(lists[k], CLR_NONE);
        ASSERT_EQ(lists[k].AddIconResources(GetResourceModule(), ids), 0) << k;
    }
    const struct {
        const char* fill;
        HIMAGELIST list;
        UINT kind;
        std::vector<std::pair<int, unsigned>> pictures; // index, icon
    } cases[] = {
        {"toolbar", Images(), ILC_COLOR32 | ILC_MASK,
         {{Button(0).iBitmap, kItems[0].iconId}, {Button(1).iBitmap, kItems[1].iconId},
          {Button(3).iBitmap, kItems[3].iconId}}},
        {"8-bit list", lists[0], kinds[0], {{0, ids[0]}, {1, ids[1]}, {2, ids[2]}, {3, ids[3]}, {4, ids[4]}}},
        {"32-bit list", lists[1], kinds[1], {{0, ids[0]}, {1, ids[1]}, {2, ids[2]}, {3, ids[3]}, {4, ids[4]}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(::ImageList_GetImageCount(c.list), static_cast<int>(c.pictures.size())) << c.fill;
        for (const auto& [index, icon] : c.pictures) {
            CImageList alone(::ImageList_Create(16, 16, c.kind, 1, 1));
            ::ImageList_SetBkColor(alone, CLR_NONE);
            ASSERT_EQ(alone.AddIconResource(GetResourceModule(), static_cast<int>(icon)), 0) << c.fill;
            for (const UINT style : {ILD_TRANSPARENT, ILD_MASK})
                EXPECT_EQ(Drawn(c.list, index, style), Drawn(alone, 0, style))
                    << c.fill << " index " << index << " style " << style;
        }
    }
}

TEST_F(ToolbarItemsTest, FillingAgainReplacesTheButtonsAndThePictures)
{
    ToolbarBuildFromItems(toolbar, kItems, static_cast<int>(std::size(kItems)));
    const HIMAGELIST first = Images();
    ToolbarBuildFromItems(toolbar, kItems, 2);
    EXPECT_EQ(ButtonCount(), 2);
    EXPECT_NE(Images(), first);
    EXPECT_EQ(::ImageList_GetImageCount(Images()), 2);
}

TEST_F(ToolbarItemsTest, ANullTableLeavesTheToolbarEmpty)
{
    ToolbarBuildFromItems(toolbar, nullptr, 3);
    ToolbarBuildFromItems(toolbar, kItems, 0);
    ToolbarBuildFromItems(nullptr, kItems, 2);
    EXPECT_EQ(ButtonCount(), 0);
    EXPECT_FALSE(Images());
}

} // namespace
