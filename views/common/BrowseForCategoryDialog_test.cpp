#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "foundation/Language.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/common/BrowseForCategoryDialog.h"
#include "views/common/FakeViewDocument.h"

namespace {

class BrowseForCategoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        ASSERT_TRUE(Resource::Load(SourcePath(L"resources/Language/English.txt")));
        const INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TREEVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
        // The dialog reads nothing of a plan but its categories.
        home = categories.Add(0, L"Home");
        garden = categories.Add(home, L"Garden");
        work = categories.Add(0, L"Work");
    }
    void TearDown() override { ClearProgramRegistry(); }

    static int SelectedId(HWND dialog)
    {
        const HWND tree = ::GetDlgItem(dialog, IDC_BROWSE_CATEGORY_TREE);
        TVITEMW item = {};
        item.mask = TVIF_PARAM;
        item.hItem = TreeView_GetSelection(tree);
        return item.hItem && TreeView_GetItem(tree, &item) ? static_cast<int>(item.lParam) : -1;
    }
    static void SelectRoot(HWND dialog)
    {
        const HWND tree = ::GetDlgItem(dialog, IDC_BROWSE_CATEGORY_TREE);
        TreeView_SelectItem(tree, TreeView_GetRoot(tree));
    }

    FakeCategories categories;
    int home = 0;
    int garden = 0;
    int work = 0;
};

TEST_F(BrowseForCategoryTest, OpensOnTheCurrentCategoryAndTheRootGivesNoCategory)
{
    const struct {
        const char* name;
        int currentId;
        bool chooseRoot;
        int button;
        bool confirmed;
        std::optional<int> chosen;
    } cases[] = {
        {"kept", 0, false, IDOK, true, std::nullopt},
        {"root chosen", 0, true, IDOK, true, std::nullopt},
        {"cancelled", 0, true, IDCANCEL, false, 42},
    };
    for (const auto& test : cases) {
        std::optional<int> chosen = 42;
        bool confirmed = false;
        RunModalSteps([&] { return INT_PTR(confirmed = BrowseForCategory(nullptr, &categories, garden, chosen)); },
                      {[&](HWND dialog) {
                          EXPECT_EQ(SelectedId(dialog), garden) << test.name << ": opened on the current one";
                          if (!test.chooseRoot) {
                              EXPECT_FALSE(SaveWindowScreenshot(dialog, L"BrowseForCategoryDialog").empty());
                          }
                          if (test.chooseRoot)
                              SelectRoot(dialog);
                          ClickButton(dialog, test.button);
                          return true;
                      }});
        EXPECT_EQ(confirmed, test.confirmed) << test.name;
        EXPECT_EQ(chosen, test.name == std::string("kept") ? std::optional<int>(garden) : test.chosen) << test.name;
    }
}

} // namespace
