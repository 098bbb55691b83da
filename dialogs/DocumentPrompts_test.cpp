#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include "dialogs/DocumentPrompts.h"
#include "foundation/AppWindow.h"
#include "foundation/FileSystem.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"

namespace {

const wchar_t kFilterText[] = L"All Files (*.*)\0*.*\0Quorvane Files (*.qvr)\0*.qvr\0";
const EString kFilter(kFilterText, std::size(kFilterText) - 1);

BOOL CALLBACK FindText(HWND child, LPARAM found)
{
    wchar_t text[200] = {};
    ::GetWindowTextW(child, text, 200);
    if (EString(text) == L"Save changes to Untitled ?") {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

class DocumentPromptsTest : public testing::Test {
protected:
    void SetUp() override
    {
        mainWindow = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                       nullptr);
        SetMainWindow(mainWindow);
    }
    void TearDown() override
    {
        SetMainWindow(nullptr);
        ::DestroyWindow(mainWindow);
    }

    HWND mainWindow = nullptr;
    DocumentPrompts prompts;
};

} // namespace

TEST_F(DocumentPromptsTest, SaveQuestionOffersYesNoAndCancel)
{
    const INT_PTR answer = RunModalSteps([&] { return prompts.AskSaveChanges(L"Save changes to Untitled ?"); },
                                         {
                                             [&](HWND box) {
                                                 bool found = false;
                                                 ::EnumChildWindows(box, FindText, reinterpret_cast<LPARAM>(&found));
                                                 EXPECT_TRUE(found);
                                                 EXPECT_EQ(::GetWindow(box, GW_OWNER), mainWindow);
                                                 for (const int id : {IDYES, IDNO, IDCANCEL})
                                                     EXPECT_NE(::GetDlgItem(box, id), nullptr) << id;
                                                 ClickButton(box, IDNO);
                                                 return true;
                                             },
                                         });
    EXPECT_EQ(answer, IDNO);
}

TEST_F(DocumentPromptsTest, SaveDialogOffersUntitledAmongThePlanFiles)
{
    const EString folder = MakeScratchFolder(L"prompts");
    EString path;
    bool chosen = false;
    RunModalSteps(
        [&] {
            chosen = prompts.ChooseSavePath(L"qvr", kFilter, path);
            return INT_PTR(0);
        },
        {
            [&](HWND dialog) {
                EXPECT_EQ(ItemText(dialog, cmb13), L"untitled");
                const HWND types = ::GetDlgItem(dialog, cmb1);
                EXPECT_EQ(::SendMessageW(types, CB_GETCURSEL, 0, 0), 1) << "the plan files are preselected";
                SetItemText(dialog, cmb13, FileSystem::JoinPath(folder, L"untitled").c_str());
                ClickButton(dialog, IDOK);
                return true;
            },
        });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(path.CompareNoCase(FileSystem::JoinPath(folder, L"untitled.qvr").c_str()), 0);
}

TEST_F(DocumentPromptsTest, SaveDialogStartsInTheDocumentsFolderOrThePlansOwn)
{
    const EString folder = MakeScratchFolder(L"prompts_start");
    const struct {
        const char* name;
        EString path;
        EString start;
    } cases[] = {
        {"an unnamed plan", EString(), FileSystem::GetDocumentsFolder()},
        {"a named plan", FileSystem::JoinPath(folder, L"week.qvr"), folder},
    };
    for (const auto& test : cases) {
        EString path = test.path;
        RunModalSteps(
            [&] {
                prompts.ChooseSavePath(L"qvr", kFilter, path);
                return INT_PTR(0);
            },
            {
                [&](HWND dialog) {
                    wchar_t shown[MAX_PATH] = {};
                    ::SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(shown));
                    EXPECT_EQ(EString(shown).CompareNoCase(test.start.c_str()), 0)
                        << test.name << ": " << shown;
                    ClickButton(dialog, IDCANCEL);
                    return true;
                },
            });
    }
}
