#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/Options.h"
#include "reports/ExportDialog.h"
#include "resources/ExportDialogIds.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"

namespace {

// The control of that id anywhere in the dialog: the extra controls sit in
// a child dialog of the system's.
HWND FindControl(HWND dialog, int id)
{
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    ::EnumChildWindows(
        dialog,
        [](HWND child, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            if (::GetDlgCtrlID(child) != s->id)
                return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Picks a file type as the user does in the type list.
void ChooseType(HWND dialog, int filterIndex)
{
    const HWND types = ::GetDlgItem(dialog, cmb1);
    ::SendMessageW(types, CB_SETCURSEL, static_cast<WPARAM>(filterIndex - 1), 0);
    // Windows acts on the change, Wine on the end of the choice: a user's pick sends both.
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
}

EString SelectedType(HWND dialog)
{
    return ItemText(dialog, cmb1);
}

class ExportDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        Resource::Load(FileSystem::GetProgramFolderPath(L"Language\\English.txt"));
        folder = MakeScratchFolder(L"export-dialog");
    }
    void TearDown() override { ClearProgramRegistry(); }

    EString folder;
};

} // namespace

TEST_F(ExportDialogTest, ChangingTheTypeIsRememberedAtOnceEvenWhenCancelled)
{
    CExportDialog dialog(false, nullptr, L"", OFN_PATHMUSTEXIST);
    const INT_PTR result = RunModalSteps([&] { return dialog.DoModal(nullptr); },
                                         {
                                             [&](HWND d) {
                                                 EXPECT_EQ(SelectedType(d), L"XML Files.xml (*.*)");
                                                 SaveWindowScreenshot(d, L"export-dialog");
                                                 ChooseType(d, 2);
                                                 return true;
                                             },
                                             [&](HWND d) {
                                                 if (Options::ReadDword(L"RecentExportType", 0) != 2)
                                                     return false;
                                                 ClickButton(d, IDCANCEL);
                                                 return true;
                                             },
                                         });
    EXPECT_EQ(result, IDCANCEL);

    CExportDialog again(false, nullptr, L"", OFN_PATHMUSTEXIST);
    RunModalSteps([&] { return again.DoModal(nullptr); },
                  {
                      [&](HWND d) {
                          EXPECT_EQ(SelectedType(d), L"Comma separated values (*.csv)") << "opens on the kept type";
                          ClickButton(d, IDCANCEL);
                          return true;
                      },
                  });
}

TEST_F(ExportDialogTest, ABareNameGetsTheChosenTypesExtension)
{
    const struct {
        int type;
        const wchar_t* file;
        const wchar_t* script;
    } cases[] = {
        {2, L"tasks.csv", L"Comma separated values_csv.js"},
        {1, L"tasks.xml", L""},
    };
    for (const auto& c : cases) {
        CExportDialog dialog(false, nullptr, L"", OFN_PATHMUSTEXIST);
        const INT_PTR result =
            RunModalSteps([&] { return dialog.DoModal(nullptr); },
                          {
                              [&](HWND d) {
                                  ChooseType(d, c.type);
                                  return true;
                              },
                              [&](HWND d) {
                                  SetItemText(d, cmb13, FileSystem::JoinPath(folder, L"tasks").c_str());
                                  ClickButton(d, IDOK);
                                  return true;
                              },
                          });
        ASSERT_EQ(result, IDOK) << c.file;
        EXPECT_EQ(dialog.GetPathName().CompareNoCase(FileSystem::JoinPath(folder, c.file).c_str()), 0)
            << dialog.GetPathName().c_str();
        EXPECT_EQ(FileSystem::GetFileTitle(dialog.GetSelectedTransformer()) +
                      (dialog.GetSelectedTransformer().IsEmpty() ? L"" : L".js"),
                  c.script);
    }
}

TEST_F(ExportDialogTest, TheImportDialogShowsAndReturnsTheHistoryBox)
{
    const EString file = FileSystem::JoinPath(folder, L"plan.xml");
    WriteFileBytes(file, "<ROOT/>");
    for (const bool preset : {true, false}) {
        CExportDialog dialog(true, nullptr, L"", OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
        dialog.SetIncludeActivitiesHistory(preset);
        const INT_PTR result =
            RunModalSteps([&] { return dialog.DoModal(nullptr); },
                          {
                              [&](HWND d) {
                                  const HWND box = FindControl(d, IDC_INCLUDE_ACTIVITIES_HISTORY);
                                  if (!box)
                                      return false;
                                  wchar_t text[100] = {};
                                  ::GetWindowTextW(box, text, 100);
                                  EXPECT_EQ(EString(text), L"Include the plan entries and the tasks' progress");
                                  EXPECT_EQ(::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED, preset);
                                  if (preset)
                                      SaveWindowScreenshot(d, L"import-dialog");
                                  // The user turns it over.
                                  ::SendMessageW(box, BM_SETCHECK, preset ? BST_UNCHECKED : BST_CHECKED, 0);
                                  SetItemText(d, cmb13, file.c_str());
                                  ClickButton(d, IDOK);
                                  return true;
                              },
                          });
        ASSERT_EQ(result, IDOK);
        EXPECT_EQ(dialog.GetIncludeActivitiesHistory(), !preset);
        EXPECT_EQ(dialog.GetPathName().CompareNoCase(file.c_str()), 0);
    }
}

TEST_F(ExportDialogTest, ANameWhosePathWouldBeTooLongIsRefusedInWordsOnExportAndImport)
{
    // The system's dialog under Wine ran past its own buffers and ended the program.
    const EString name(400, L'x');
    for (const bool import : {false, true}) {
        CExportDialog dialog(import, nullptr, L"", OFN_PATHMUSTEXIST);
        EString told;
        const INT_PTR result = RunModalSteps([&] { return dialog.DoModal(nullptr); },
                                             {[&](HWND d) {
                                                  SetItemText(d, cmb13, FileSystem::JoinPath(folder, name).c_str());
                                                  ClickButton(d, IDOK);
                                                  return true;
                                              },
                                              AnswerMessageBox(told, nullptr),
                                              [&](HWND d) {
                                                  ClickButton(d, IDCANCEL);
                                                  return true;
                                              }});
        EXPECT_EQ(result, IDCANCEL) << import;
        EXPECT_EQ(told.find(L"The name is too long"), 0u) << import << ": " << told.c_str();
    }
}
