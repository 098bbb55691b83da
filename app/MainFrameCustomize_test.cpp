#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "document/SilentPrompts.h"
#include "reports/CustomizeDialogIds.h"
#include "testing/DialogDriver.h"
#include "testing/WindowShot.h"

namespace {

class MainFrameCustomizeTest : public FrameTest {
protected:
    MainFrameCustomizeTest() : FrameTest(L"main_frame_customize") {}

    // The rows the dialog the command opens shows, with a picture of it.
    std::vector<EString> RowsOfDialogOpenedBy(UINT command, const wchar_t* shot, EString& title)
    {
        std::vector<EString> rows;
        RunModalSteps(
            [&] {
                SendCommand(command);
                return INT_PTR(0);
            },
            {[&](HWND dialog) {
                const HWND list = ::GetDlgItem(dialog, IDC_CUSTOMIZE_LIST);
                if (!list)
                    return false;
                wchar_t text[MAX_PATH] = {};
                ::GetWindowTextW(dialog, text, MAX_PATH);
                title = text;
                for (int row = 0; row < ListView_GetItemCount(list); ++row) {
                    ListView_GetItemText(list, row, 0, text, MAX_PATH);
                    rows.push_back(text);
                }
                EXPECT_FALSE(SaveWindowScreenshot(dialog, shot).empty());
                ClickButton(dialog, IDOK);
                return true;
            }});
        return rows;
    }

    // Nothing is asked: no plan here is ever saved.
    SilentPrompts m_prompts;
};

} // namespace

TEST_F(MainFrameCustomizeTest, ANewPlanStartsFromTheShippedTemplate)
{
    m_newPlansFromTemplate = true;
    OpenFrame(m_prompts);
    std::vector<Category> categories;
    Doc().GetSubCategories(0, categories);
    std::vector<EString> names;
    for (const Category& category : categories)
        names.push_back(category.GetName());
    EXPECT_EQ(names, (std::vector<EString>{L"Work", L"Home", L"Learning"}));
}

TEST_F(MainFrameCustomizeTest, TheCustomizeCommandsOpenTheirDialogsOverTheKindsFiles)
{
    CMainFrame& frame = OpenFrame(m_prompts);
    for (const UINT command : {ID_CUSTOMIZE_REPORTS, ID_CUSTOMIZE_TEMPLATES, ID_CUSTOMIZE_EXPORTS, ID_CUSTOMIZE_IMPORTS})
        EXPECT_TRUE(frame.CommandStates().IsEnabled(command)) << command;
    EString title;
    const std::vector<EString> templates =
        RowsOfDialogOpenedBy(ID_CUSTOMIZE_TEMPLATES, L"customize_templates_in_frame", title);
    EXPECT_EQ(title, L"Customize Templates");
    EXPECT_NE(std::find(templates.begin(), templates.end(), L"Personal plan"), templates.end());

    RowsOfDialogOpenedBy(ID_CUSTOMIZE_REPORTS, L"customize_reports_in_frame", title);
    EXPECT_EQ(title, L"Customize Reports");
    RowsOfDialogOpenedBy(ID_CUSTOMIZE_EXPORTS, L"customize_exports_in_frame", title);
    EXPECT_EQ(title, L"Customize Export Scripts");
    RowsOfDialogOpenedBy(ID_CUSTOMIZE_IMPORTS, L"customize_imports_in_frame", title);
    EXPECT_EQ(title, L"Customize Import Scripts");
}
