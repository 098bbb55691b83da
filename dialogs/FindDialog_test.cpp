#include <gtest/gtest.h>

#include "dialogs/FindDialog.h"
#include "dialogs/testdata/TaskDialogTestSupport.h"
#include "document/PelquornDoc.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"

namespace {

// The document's search engine, keeping what it was asked to look for.
class RecordingSearch : public ISearchResults {
public:
    void SetDocument(const XmlDocument&) override {}
    void SetCriteria(const EString& text) override { criteria = text; }
    EString GetCriteria() override { return criteria; }
    void SetStatusFilter(int) override {}
    void SetSelection(int, int) override {}
    void SetOptions(const FindOptions& given) override { options = given; }
    void SetSort(int, int) override {}
    bool Run() override
    {
        ++runs;
        return false;
    }
    bool IsTaskFound() override { return false; }
    int GetFoundTaskId() override { return 0; }
    int GetFoundCategoryId() override { return 0; }

    EString criteria;
    FindOptions options;
    int runs = 0;
};

class FindDialogTest : public TaskDialogsTest {
protected:
    void SetUp() override
    {
        TaskDialogsTest::SetUp();
        ASSERT_TRUE(document.OnNewDocument());
        document.SetFindServices(&search, nullptr, &dialog);
    }
    void TearDown() override
    {
        if (dialog.IsWindow())
            dialog.DestroyWindow();
        document.SetFindServices(nullptr, nullptr, nullptr);
        TaskDialogsTest::TearDown();
    }

    void Click(int id) { ::SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }
    bool IsChecked(int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

    CPelquornDoc document;
    RecordingSearch search;
    CFindDialog dialog;
};

} // namespace

TEST_F(FindDialogTest, FindNextIsEnabledOnlyWhileThereIsAText)
{
    dialog.ShowFor(document);
    ASSERT_TRUE(dialog.IsWindow());
    EXPECT_FALSE(IsItemEnabled(dialog, IDC_FIND_NEXT));
    SetItemText(dialog, IDC_FIND_TEXT, L"passport");
    EXPECT_TRUE(IsItemEnabled(dialog, IDC_FIND_NEXT));
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(dialog) != FALSE; }));
    EXPECT_FALSE(SaveWindowScreenshot(dialog, L"FindDialog").empty());
    SetItemText(dialog, IDC_FIND_TEXT, L"");
    EXPECT_FALSE(IsItemEnabled(dialog, IDC_FIND_NEXT));
}

TEST_F(FindDialogTest, CancelHidesTheWindowAndTheNextFindShowsTheSameOne)
{
    dialog.ShowFor(document);
    const HWND first = dialog;
    EXPECT_TRUE(::IsWindowVisible(first));
    EXPECT_TRUE(::IsChild(first, ::GetFocus())) << "it takes the focus";
    Click(IDCANCEL);
    EXPECT_TRUE(::IsWindow(first));
    EXPECT_FALSE(::IsWindowVisible(first));
    dialog.ShowFor(document);
    EXPECT_EQ(static_cast<HWND>(dialog), first);
    EXPECT_TRUE(::IsWindowVisible(first));
}

TEST_F(FindDialogTest, TheTextAndTheFourOptionsStayBetweenOpenings)
{
    dialog.ShowFor(document);
    EXPECT_TRUE(IsChecked(IDC_FIND_DOWN)) << "a search goes down at first";
    SetItemText(dialog, IDC_FIND_TEXT, L"offer");
    for (const int id : {IDC_FIND_MATCH_CASE, IDC_FIND_WHOLE_WORD, IDC_FIND_REGULAR_EXPRESSION, IDC_FIND_UP})
        Click(id);
    Click(IDCANCEL);
    dialog.ShowFor(document);
    EXPECT_EQ(ItemText(dialog, IDC_FIND_TEXT), L"offer");
    for (const int id : {IDC_FIND_MATCH_CASE, IDC_FIND_WHOLE_WORD, IDC_FIND_REGULAR_EXPRESSION, IDC_FIND_UP})
        EXPECT_TRUE(IsChecked(id)) << id;
    EXPECT_FALSE(IsChecked(IDC_FIND_DOWN));
    EXPECT_TRUE(IsItemEnabled(dialog, IDC_FIND_NEXT));
}

TEST_F(FindDialogTest, FindNextSearchesTheDocumentWithTheTextAndOptionsShown)
{
    const struct {
        const char* name;
        std::vector<int> clicked;
        FindOptions expected;
    } cases[] = {
        {"as it opens", {}, {}},
        {"match case, up", {IDC_FIND_MATCH_CASE, IDC_FIND_UP}, {.matchCase = true, .up = true}},
        {"whole words", {IDC_FIND_WHOLE_WORD}, {.wholeWord = true}},
        {"an expression, down again", {IDC_FIND_REGULAR_EXPRESSION, IDC_FIND_UP, IDC_FIND_DOWN},
         {.regularExpression = true}},
    };
    for (const auto& test : cases) {
        CFindDialog fresh;
        document.SetFindServices(&search, nullptr, &fresh);
        fresh.ShowFor(document);
        SetItemText(fresh, IDC_FIND_TEXT, L"renew");
        for (const int id : test.clicked)
            ::SendDlgItemMessageW(fresh, id, BM_CLICK, 0, 0);
        search = RecordingSearch();
        ::SendDlgItemMessageW(fresh, IDC_FIND_NEXT, BM_CLICK, 0, 0);
        EXPECT_EQ(search.runs, 1) << test.name;
        EXPECT_EQ(search.criteria, L"renew") << test.name;
        EXPECT_EQ(search.options.matchCase, test.expected.matchCase) << test.name;
        EXPECT_EQ(search.options.wholeWord, test.expected.wholeWord) << test.name;
        EXPECT_EQ(search.options.regularExpression, test.expected.regularExpression) << test.name;
        EXPECT_EQ(search.options.up, test.expected.up) << test.name;
        EXPECT_TRUE(::IsWindowVisible(fresh)) << "it stays open";
        fresh.DestroyWindow();
        document.SetFindServices(&search, nullptr, &dialog);
    }
}
