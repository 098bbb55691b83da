#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/FileSystem.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "winlib/FileDialog.h"
#include "winlib/FileNameLengthGuard.h"

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

TEST(FileDialogTest, ThePathOfATypedNameIsCountedAsTheDialogFormsIt)
{
    const struct {
        const wchar_t* folder;
        const wchar_t* typed;
        const wchar_t* extension;
        size_t length;
    } cases[] = {
        {L"C:\\plans", L"week", L"qvr", 17},         // C:\plans\week.qvr
        {L"C:\\plans", L"week.QVR", L"qvr", 17},     // its extension already
        {L"C:\\plans", L"week.txt", L"qvr", 21},     // another one: the default still follows
        {L"C:\\plans", L"week", L"", 13},            // none to add
        {L"C:\\", L"week", L"qvr", 11},              // a folder ending with its separator
        {L"C:\\plans", L"D:\\x\\week", L"qvr", 13}, // a drive of its own
        {L"C:\\plans", L"\\\\server\\week", L"qvr", 17},
        {L"C:\\plans", L"\\week", L"qvr", 11},      // from the folder's drive's root
        {L"C:\\plans", L"sub\\week", L"qvr", 21},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormedPathLength(c.folder, c.typed, c.extension), c.length) << c.typed;
}

TEST(FileDialogTest, ANameWhosePathWouldBeTooLongIsRefusedInWordsAndTheDialogStaysOnIt)
{
    // Wine's dialog copies the path into buffers of MAX_PATH characters: a
    // longer one ran past them and ended the program.
    const EString folder = MakeScratchFolder(L"filedialog-long");
    const EString base = FileSystem::JoinPath(folder, L"");
    const auto name = [&](size_t pathLength) { return EString(pathLength - base.size() - 4, L'a'); };
    const struct {
        const char* name;
        EString typed;
        bool refused;
        size_t length; // of the path told or chosen
    } cases[] = {
        {"the longest path taken", name(kMaxDialogPathLength), false, kMaxDialogPathLength},
        {"one character more", name(kMaxDialogPathLength + 1), true, kMaxDialogPathLength + 1},
        {"a name of 400 characters", EString(400, L'a'), true, base.size() + 404},
        {"a whole path of 400 characters", base + EString(400, L'a'), true, base.size() + 404},
    };
    for (const auto& c : cases) {
        CFileDialog dialog(false, L"qvr", L"untitled", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter);
        dialog.SetInitialFolder(folder);
        EString told;
        std::vector<DialogStep> steps = {[&](HWND d) {
            SetItemText(d, cmb13, c.typed.c_str());
            ClickButton(d, IDOK);
            return true;
        }};
        if (c.refused)
            steps.insert(steps.end(), {AnswerMessageBox(told, nullptr),
                                       [&](HWND d) {
                                           EXPECT_EQ(ItemText(d, cmb13), c.typed) << c.name << ": left as typed";
                                           SetItemText(d, cmb13, L"short");
                                           ClickButton(d, IDOK);
                                           return true;
                                       }});
        const INT_PTR result = RunModalSteps([&] { return dialog.DoModal(nullptr); }, steps);
        EXPECT_EQ(result, IDOK) << c.name;
        if (c.refused) {
            EXPECT_EQ(told, L"The name is too long: the file's path would have " + std::to_wstring(c.length) +
                                L" characters, and a path has at most 259. Choose a shorter name or a folder "
                                L"nearer the top of the drive.")
                << c.name;
            EXPECT_EQ(dialog.GetPathName().CompareNoCase(FileSystem::JoinPath(folder, L"short.qvr").c_str()), 0)
                << c.name;
        } else {
            EXPECT_EQ(dialog.GetPathName().size(), c.length) << c.name;
        }
    }
}
