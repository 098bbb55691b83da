#include <gtest/gtest.h>

#include "testing/DialogDriver.h"
#include "winlib/DialogImpl.h"
#include "winlib/DialogResize.h"
#include "winlib/testdata/winlib_tests_rc.h"

namespace {

class CResizeDialog : public CDialogImpl<CResizeDialog>, public CDialogResize<CResizeDialog> {
public:
    enum { IDD = IDD_RESIZE };

    BEGIN_MESSAGE_MAP(CResizeDialog)
        CHAIN_MESSAGE_MAP(CDialogResize<CResizeDialog>)
    END_MESSAGE_MAP()

    BEGIN_RESIZE_MAP(CResizeDialog)
        RESIZE_CONTROL(IDC_LABEL, ResizeSizeX)
        RESIZE_CONTROL(IDC_NOTES, ResizeSizeX | ResizeSizeY)
        RESIZE_CONTROL(IDC_SIDE_BUTTON, ResizeMoveX)
        RESIZE_CONTROL(IDOK, ResizeMoveX | ResizeMoveY)
        RESIZE_CONTROL(12345, ResizeMoveX) // no such control: skipped
    END_RESIZE_MAP()

    void OnInitDialog()
    {
        DlgResize_Init();
    }
};

} // namespace

TEST(DialogResizeTest, AnchorsMoveAndStretchControls)
{
    const RECT start = {10, 20, 110, 70};
    struct Case {
        unsigned flags;
        int dx, dy;
        RECT expected;
    } cases[] = {
        {0, 30, 40, {10, 20, 110, 70}},
        {ResizeMoveX, 30, 40, {40, 20, 140, 70}},
        {ResizeMoveY, 30, 40, {10, 60, 110, 110}},
        {ResizeSizeX, 30, 40, {10, 20, 140, 70}},
        {ResizeSizeY, 30, 40, {10, 20, 110, 110}},
        {ResizeSizeX | ResizeSizeY, -20, -10, {10, 20, 90, 60}},
        {ResizeMoveX | ResizeSizeX, 30, 0, {40, 20, 140, 70}}, // moving wins
        {ResizeSizeX | ResizeSizeY, -500, -500, {10, 20, 10, 20}}, // never inside out
    };
    for (const Case& c : cases) {
        const RECT r = ResizedControlRect(start, c.flags, c.dx, c.dy);
        EXPECT_EQ(r.left, c.expected.left) << c.flags;
        EXPECT_EQ(r.top, c.expected.top) << c.flags;
        EXPECT_EQ(r.right, c.expected.right) << c.flags;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.flags;
    }
}

TEST(DialogResizeTest, ResizingADialogKeepsItsControlsAnchoredAboveTheMinimum)
{
    CResizeDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    dialog.ShowWindow(SW_SHOW);
    EXPECT_TRUE(dialog.GetStyle() & WS_CLIPCHILDREN);
    const RECT window = dialog.GetWindowRect();
    const RECT notes = ItemRect(dialog, IDC_NOTES);
    const RECT ok = ItemRect(dialog, IDOK);
    const RECT side = ItemRect(dialog, IDC_SIDE_BUTTON);
    const RECT fixed = ItemRect(dialog, IDC_FIXED);

    ::SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left + 60, window.bottom - window.top + 40,
                   SWP_NOMOVE | SWP_NOZORDER);
    const RECT notesAfter = ItemRect(dialog, IDC_NOTES);
    EXPECT_EQ(notesAfter.left, notes.left);
    EXPECT_EQ(notesAfter.right, notes.right + 60);
    EXPECT_EQ(notesAfter.bottom, notes.bottom + 40);
    const RECT okAfter = ItemRect(dialog, IDOK);
    EXPECT_EQ(okAfter.left, ok.left + 60);
    EXPECT_EQ(okAfter.top, ok.top + 40);
    EXPECT_EQ(okAfter.right - okAfter.left, ok.right - ok.left);
    const RECT sideAfter = ItemRect(dialog, IDC_SIDE_BUTTON);
    EXPECT_EQ(sideAfter.left, side.left + 60);
    EXPECT_EQ(sideAfter.top, side.top);
    const RECT fixedAfter = ItemRect(dialog, IDC_FIXED);
    EXPECT_EQ(fixedAfter.left, fixed.left);
    EXPECT_EQ(fixedAfter.top, fixed.top);

    // The size it opened with is the smallest the user can drag it to.
    MINMAXINFO info = {};
    dialog.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, window.right - window.left);
    EXPECT_EQ(info.ptMinTrackSize.y, window.bottom - window.top);
}
