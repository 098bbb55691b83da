#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include "foundation/FileSystem.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "winlib/FileDialog.h"

namespace {

const EString kFilter(L"All Files (*.*)\0*.*\0Plan Files (*.qvr)\0*.qvr\0", 44);

EString SelectedFilter(HWND dialog)
{
    const HWND combo = ::GetDlgItem(dialog, cmb1);
    const LRESULT index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    wchar_t text[100] = {};
    if (index >= 0 && ::SendMessageW(combo, CB_GETLBTEXTLEN, index, 0) < 100)
        ::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

} // namespace

TEST(FileDialogTest, OpenReturnsTheTypedPath)
{
    const EString folder = MakeScratchFolder(L"filedialog-open");
    const EString file = FileSystem::JoinPath(folder, L"plan.qvr");
    WriteFileBytes(file, "<ROOT/>");

    CFileDialog dialog(true, nullptr, L"", OFN_HIDEREADONLY, kFilter);
    dialog.SetFilterIndex(2);
    const INT_PTR result = RunModalSteps([&] { return dialog.DoModal(nullptr); },
                                         {
                                             [&](HWND d) {
                                                 EXPECT_EQ(SelectedFilter(d), L"Plan Files (*.qvr)");
                                                 SetItemText(d, cmb13, file.c_str());
                                                 ClickButton(d, IDOK);
                                                 return true;
                                             },
                                         });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.GetPathName().CompareNoCase(file.c_str()), 0) << dialog.GetPathName().c_str();
}

TEST(FileDialogTest, CancelReturnsNoPath)
{
    CFileDialog dialog(true, nullptr, L"", OFN_HIDEREADONLY, kFilter);
    const INT_PTR result = RunModalSteps([&] { return dialog.DoModal(nullptr); },
                                         {
                                             [](HWND d) {
                                                 ClickButton(d, IDCANCEL);
                                                 return true;
                                             },
                                         });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(dialog.GetPathName().IsEmpty());
}

TEST(FileDialogTest, SaveOffersTheNameAndAddsTheDefaultExtension)
{
    const EString folder = MakeScratchFolder(L"filedialog-save");
    CFileDialog dialog(false, L"qvr", L"untitled", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter);
    dialog.SetFilterIndex(2);
    const INT_PTR result = RunModalSteps([&] { return dialog.DoModal(nullptr); },
                                         {
                                             [&](HWND d) {
                                                 EXPECT_EQ(ItemText(d, cmb13), L"untitled");
                                                 SetItemText(d, cmb13, FileSystem::JoinPath(folder, L"week").c_str());
                                                 ClickButton(d, IDOK);
                                                 return true;
                                             },
                                         });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.GetPathName().CompareNoCase(FileSystem::JoinPath(folder, L"week.qvr").c_str()), 0)
        << dialog.GetPathName().c_str();
}
