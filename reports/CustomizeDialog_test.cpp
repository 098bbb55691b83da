#include "reports/CustomizeDialog.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "reports/CustomFilesTestSupport.h"
#include "reports/CustomizeKindDialogs.h"
#include "reports/Flow.h"
#include "reports/XslManager.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"

namespace {

constexpr const wchar_t* kReportsFolder = L"CustomizeTestReports";
constexpr const wchar_t* kScriptsFolder = L"CustomizeTestScripts";
constexpr const wchar_t* kTemplatesFolder = L"CustomizeTestTemplates";

// The reports dialog over folders of its own; Add takes the file the test chose.
class TestReportsDialog : public CCustomizeReportsDialog {
public:
    std::unique_ptr<CustomFiles> CreateCustomFiles() override { return std::make_unique<TestReportKind>(kReportsFolder); }
    EString ChooseFileToAdd() override { return chosen; }
    EString chosen;
};

// Export scripts whose ".wsf" files name two sources: one beside them, one
// outside the folder.
class TestScriptKindWithSources : public Export {
public:
    EString GetFolderName() override { return kScriptsFolder; }
    void GetDependencies(const EString& path, std::vector<EString>& dependencies) override
    {
        if (FileSystem::GetExtension(path) == L"wsf")
            dependencies.insert(dependencies.end(), {L"lib\\helper.js", L"..\\escape.js"});
    }
};

class TestScriptsDialog : public CCustomizeExportDialog {
public:
    std::unique_ptr<CustomFiles> CreateCustomFiles() override
    {
        return std::make_unique<TestScriptKindWithSources>();
    }
    EString ChooseFileToAdd() override { return chosen; }
    EString chosen;
};

class TestTemplateKind : public Template {
public:
    EString GetFolderName() override { return kTemplatesFolder; }
};

class TestTemplatesDialog : public CCustomizeTemplatesDialog {
public:
    std::unique_ptr<CustomFiles> CreateCustomFiles() override { return std::make_unique<TestTemplateKind>(); }
};

HWND ListOf(HWND dialog)
{
    return ::GetDlgItem(dialog, IDC_CUSTOMIZE_LIST);
}

int RowCount(HWND dialog)
{
    return ListView_GetItemCount(ListOf(dialog));
}

EString RowText(HWND dialog, int row)
{
    wchar_t text[MAX_PATH] = {};
    ListView_GetItemText(ListOf(dialog), row, 0, text, MAX_PATH);
    return text;
}

int FindRow(HWND dialog, const wchar_t* text)
{
    for (int row = 0; row < RowCount(dialog); ++row)
        if (RowText(dialog, row) == text)
            return row;
    return -1;
}

// As a click on the row does: it alone is selected and focused.
void SelectRow(HWND dialog, int row)
{
    const HWND list = ListOf(dialog);
    ::SetFocus(list);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// Types a new label into the row's editor and presses Enter, as a user does.
void EditLabel(HWND dialog, int row, const wchar_t* text)
{
    SelectRow(dialog, row);
    const HWND edit = ListView_EditLabel(ListOf(dialog), row);
    ASSERT_NE(edit, nullptr);
    ::SetWindowTextW(edit, text);
    PressKey(edit, VK_RETURN);
}

bool Enabled(HWND dialog, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

// Folders of the test kinds emptied before and after; "COPY_OF" translated
// so that the prefix shows it went through the language file.
class CustomizeDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
        CleanKindFolders();
        Resource::Load(SourcePath(L"resources/Language/English.txt"));
        Resource::Dictionary().Parse(L"COPY_OF=Kopie von\n");
        TestReportKind reports{kReportsFolder};
        m_shipped = reports.GetProgramFolder();
        m_user = reports.GetUserFolder();
    }
    void TearDown() override
    {
        CleanKindFolders();
        Resource::Dictionary().Clear();
    }
    static void CleanKindFolders()
    {
        for (const wchar_t* folder : {kReportsFolder, kScriptsFolder, kTemplatesFolder}) {
            RemoveFolderTree(FileSystem::GetProgramFolderPath(folder));
            RemoveFolderTree(FileSystem::JoinPath(FileSystem::GetAppDataFolder(), folder));
        }
    }
    EString WriteReport(const EString& folder, const wchar_t* file, const char* name)
    {
        const EString path = FileSystem::JoinPath(folder, file);
        WriteFileBytes(path, StylesheetText(name));
        return path;
    }

    EString m_shipped;
    EString m_user;
};

EString ReportNameIn(const EString& path)
{
    return XslManager(path).GetReportName();
}

} // namespace

TEST_F(CustomizeDialogTest, AShippedReportCanBeCopiedButNotEditedRemovedOrRenamed)
{
    const EString shipped = WriteReport(m_shipped, L"weekly.xsl", "Weekly review");
    TestReportsDialog dialog;
    RunModalSteps([&] { return dialog.DoModal(); },
                  {[&](HWND window) {
                       if (RowCount(window) != 1)
                           return false;
                       EXPECT_FALSE(Enabled(window, IDC_CUSTOMIZE_COPY));
                       SelectRow(window, 0);
                       EXPECT_TRUE(Enabled(window, IDC_CUSTOMIZE_COPY));
                       EXPECT_FALSE(Enabled(window, IDC_CUSTOMIZE_EDIT));
                       EXPECT_FALSE(Enabled(window, IDC_CUSTOMIZE_REMOVE));
                       EXPECT_EQ(ListView_EditLabel(ListOf(window), 0), nullptr);
                       EXPECT_FALSE(SaveWindowScreenshot(window, L"customize_reports_shipped").empty());
                       // A click that slips through a disabled button still removes nothing.
                       ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_CUSTOMIZE_REMOVE, BN_CLICKED), 0);
                       ClickButton(window, IDOK);
                       return true;
                   }});
    EXPECT_TRUE(FileSystem::FileExists(shipped));
    EXPECT_EQ(ReportNameIn(shipped), L"Weekly review");
}

TEST_F(CustomizeDialogTest, CopiesOfAShippedReportAreNumberedAndPrefixedOnceMoreEachTimeThenRemoved)
{
    WriteReport(m_shipped, L"weekly.xsl", "Weekly review");
    const EString firstCopy = FileSystem::JoinPath(m_user, L"weekly.xsl");
    const EString secondCopy = FileSystem::JoinPath(m_user, L"weekly1.xsl");
    TestReportsDialog dialog;
    RunModalSteps([&] { return dialog.DoModal(); },
                  {[&](HWND window) {
                       if (RowCount(window) != 1)
                           return false;
                       SelectRow(window, FindRow(window, L"Weekly review"));
                       ClickButton(window, IDC_CUSTOMIZE_COPY);
                       return true;
                   },
                   [&](HWND window) {
                       if (RowCount(window) != 2)
                           return false;
                       EXPECT_NE(FindRow(window, L"Kopie von Weekly review"), -1);
                       // The copy is selected, and it is the user's own.
                       EXPECT_TRUE(Enabled(window, IDC_CUSTOMIZE_EDIT));
                       EXPECT_TRUE(Enabled(window, IDC_CUSTOMIZE_REMOVE));
                       SelectRow(window, FindRow(window, L"Weekly review"));
                       ClickButton(window, IDC_CUSTOMIZE_COPY);
                       return true;
                   },
                   [&](HWND window) {
                       if (RowCount(window) != 3)
                           return false;
                       EXPECT_NE(FindRow(window, L"Kopie von Kopie von Weekly review"), -1);
                       // Long names are shown whole, not cut short.
                       EXPECT_GT(ListView_GetColumnWidth(ListOf(window), 0),
                                 ListView_GetStringWidth(ListOf(window), L"Kopie von Kopie von Weekly review") + 20);
                       EXPECT_FALSE(SaveWindowScreenshot(window, L"customize_reports_copies").empty());
                       SelectRow(window, FindRow(window, L"Kopie von Weekly review"));
                       ClickButton(window, IDC_CUSTOMIZE_REMOVE);
                       return true;
                   },
                   [&](HWND window) {
                       if (RowCount(window) != 2)
                           return false;
                       EXPECT_EQ(FindRow(window, L"Kopie von Weekly review"), -1);
                       ClickButton(window, IDOK);
                       return true;
                   }});
    EXPECT_FALSE(FileSystem::FileExists(firstCopy));
    ASSERT_TRUE(FileSystem::FileExists(secondCopy));
    EXPECT_EQ(ReportNameIn(secondCopy), L"Kopie von Kopie von Weekly review");
}

TEST_F(CustomizeDialogTest, AUsersReportIsRenamedByEditingItsLabel)
{
    const EString own = WriteReport(m_user, L"mine.xsl", "Mine");
    TestReportsDialog dialog;
    RunModalSteps([&] { return dialog.DoModal(); },
                  {[&](HWND window) {
                       if (RowCount(window) != 1)
                           return false;
                       EditLabel(window, 0, L"Monthly totals");
                       return true;
                   },
                   [&](HWND window) {
                       if (RowText(window, 0) != L"Monthly totals")
                           return false;
                       ClickButton(window, IDOK);
                       return true;
                   }});
    EXPECT_EQ(ReportNameIn(own), L"Monthly totals");
}

TEST_F(CustomizeDialogTest, ATemplateThatCannotBeRenamedKeepsItsLabelAndTheDialogStaysOpen)
{
    const EString broken = FileSystem::JoinPath(TestTemplateKind().GetUserFolder(), L"Broken.qvr");
    WriteFileBytes(broken, "<ROOT><CATEGORY");
    TestTemplatesDialog dialog;
    const INT_PTR result = RunModalSteps([&] { return dialog.DoModal(); },
                                         {[&](HWND window) {
                                              if (RowCount(window) != 1)
                                                  return false;
                                              EditLabel(window, 0, L"Renamed");
                                              return true;
                                          },
                                          [&](HWND window) {
                                              if (ListView_GetEditControl(ListOf(window)))
                                                  return false;
                                              EXPECT_EQ(RowText(window, 0), L"Broken");
                                              ClickButton(window, IDOK);
                                              return true;
                                          }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(ReadFileBytes(broken), "<ROOT><CATEGORY");
}

TEST_F(CustomizeDialogTest, AnAddedWsfScriptBringsItsSourcesButNothingFromOutsideItsFolder)
{
    const EString source = MakeScratchFolder(L"CustomizeAddScript");
    const EString outside = FileSystem::JoinPath(source, L"outside");
    FileSystem::EnsureFolder(outside);
    FileSystem::EnsureFolder(FileSystem::JoinPath(outside, L"lib"));
    WriteFileBytes(FileSystem::JoinPath(source, L"escape.js"), "// beside, not below");
    WriteFileBytes(FileSystem::JoinPath(outside, L"lib\\helper.js"), "// helper");
    const EString script = FileSystem::JoinPath(outside, L"tool.wsf");
    WriteFileBytes(script, "<job/>");
    const EString user = FileSystem::JoinPath(FileSystem::GetAppDataFolder(), kScriptsFolder);

    TestScriptsDialog dialog;
    dialog.chosen = script;
    RunModalSteps([&] { return dialog.DoModal(); },
                  {[&](HWND window) {
                       ClickButton(window, IDC_CUSTOMIZE_ADD);
                       return true;
                   },
                   [&](HWND window) {
                       if (RowCount(window) != 1)
                           return false;
                       EXPECT_EQ(RowText(window, 0), L"tool");
                       EXPECT_EQ(ListView_GetNextItem(ListOf(window), -1, LVNI_SELECTED), 0);
                       ClickButton(window, IDOK);
                       return true;
                   }});
    EXPECT_TRUE(FileSystem::FileExists(FileSystem::JoinPath(user, L"tool.wsf")));
    EXPECT_EQ(ReadFileBytes(FileSystem::JoinPath(user, L"lib\\helper.js")), "// helper");
    EXPECT_FALSE(FileSystem::FileExists(FileSystem::JoinPath(FileSystem::GetAppDataFolder(), L"escape.js")));
}

TEST_F(CustomizeDialogTest, TheListStaysSortedByNameAfterEachAddCopyRenameAndRemove)
{
    WriteReport(m_shipped, L"daily.xsl", "Daily plan");
    WriteReport(m_shipped, L"reality.xsl", "Plan against reality");
    WriteReport(m_shipped, L"tasks.xsl", "Tasks by category");
    const EString outside = MakeScratchFolder(L"CustomizeSortedAdd");
    TestReportsDialog dialog;
    dialog.chosen = WriteReport(outside, L"mine.xsl", "Mine");
    const auto rows = [](HWND window) {
        std::vector<EString> texts;
        for (int row = 0; row < RowCount(window); ++row)
            texts.push_back(RowText(window, row));
        return texts;
    };
    const auto selected = [](HWND window) { return RowText(window, ListView_GetNextItem(ListOf(window), -1, LVNI_SELECTED)); };
    using Rows = std::vector<EString>;
    RunModalSteps(
        [&] { return dialog.DoModal(); },
        {[&](HWND window) {
             if (RowCount(window) != 3)
                 return false;
             SelectRow(window, FindRow(window, L"Tasks by category"));
             ClickButton(window, IDC_CUSTOMIZE_COPY);
             return true;
         },
         [&](HWND window) {
             if (RowCount(window) != 4)
                 return false;
             EXPECT_EQ(rows(window), (Rows{L"Daily plan", L"Kopie von Tasks by category", L"Plan against reality",
                                           L"Tasks by category"}))
                 << "after the copy";
             EXPECT_EQ(selected(window), L"Kopie von Tasks by category");
             EditLabel(window, FindRow(window, L"Kopie von Tasks by category"), L"Weekly totals");
             return true;
         },
         [&](HWND window) {
             if (FindRow(window, L"Weekly totals") < 0)
                 return false;
             EXPECT_EQ(rows(window),
                       (Rows{L"Daily plan", L"Plan against reality", L"Tasks by category", L"Weekly totals"}))
                 << "after the rename";
             ClickButton(window, IDC_CUSTOMIZE_ADD);
             return true;
         },
         [&](HWND window) {
             if (RowCount(window) != 5)
                 return false;
             EXPECT_EQ(rows(window), (Rows{L"Daily plan", L"Mine", L"Plan against reality", L"Tasks by category",
                                           L"Weekly totals"}))
                 << "after the add";
             EXPECT_EQ(selected(window), L"Mine");
             SelectRow(window, FindRow(window, L"Mine"));
             ClickButton(window, IDC_CUSTOMIZE_REMOVE);
             return true;
         },
         [&](HWND window) {
             if (RowCount(window) != 4)
                 return false;
             EXPECT_EQ(rows(window),
                       (Rows{L"Daily plan", L"Plan against reality", L"Tasks by category", L"Weekly totals"}))
                 << "after the removal";
             EXPECT_FALSE(SaveWindowScreenshot(window, L"customize_reports_sorted").empty());
             ClickButton(window, IDOK);
             return true;
         }});
}
