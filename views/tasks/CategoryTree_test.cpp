// The category tree on a real document: filling, choosing a category for the task list, its stored state, renaming, commands, drag and drop; its filling also on a stand-in of its face.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <optional>
#include <type_traits>
#include <vector>

#include "document/Clipboard.h"
#include "document/ICategoryTreeDocument.h"
#include "document/InertServices.h"
#include "document/PelquornDoc.h"
#include "document/PelquornDragData.h"
#include "document/SilentPrompts.h"
#include "foundation/ComPtr.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/common/AtlDropSource.h"
#include "views/common/FakeViewDocument.h"
#include "views/common/TreeViewHandler.h"
#include "views/common/ViewTestSupport.h"
#include "views/tasks/CategoryTree.h"
#include "views/tasks/PelquornView.h"

namespace {

class ScriptedCategoryDialogs : public ICategoryTreeDialogs {
public:
    bool EditCategory(HWND, CategoryDialogFields& fields) override
    {
        shown.push_back(fields);
        if (answers.empty() || !answers.front()) {
            if (!answers.empty())
                answers.pop_front();
            return false;
        }
        fields = *answers.front();
        answers.pop_front();
        return true;
    }
    bool ConfirmDelete(const EString& question) override
    {
        questions.push_back(question);
        return deleteAnswer;
    }

    std::deque<std::optional<CategoryDialogFields>> answers;
    std::vector<CategoryDialogFields> shown;
    std::vector<EString> questions;
    bool deleteAnswer = true;
};

// Hands its children's notifications back to them, as the panes do, and
// carries out a context menu by sending the view the command a user picks.
class MenuFrame : public RecordingFrame {
public:
    HWND view = nullptr;
    WORD chosenCommand = 0;
    std::vector<POINT> menuPoints;

    BEGIN_MESSAGE_MAP(MenuFrame)
        ON_MESSAGE(WM_PELQUORN_TRACK_MENU, OnTrack)
        REFLECT_NOTIFICATIONS()
        CHAIN_MESSAGE_MAP(RecordingFrame)
    END_MESSAGE_MAP()

private:
    LRESULT OnTrack(UINT, WPARAM, LPARAM lParam, bool&)
    {
        menuPoints.push_back(*reinterpret_cast<const POINT*>(lParam));
        if (chosenCommand)
            ::SendMessageW(view, WM_COMMAND, MAKEWPARAM(chosenCommand, 0), 0);
        return 0;
    }
};

ComPtr<CAtlDropSource> DragOf(const PelquornDragData& data)
{
    ComPtr<CAtlDropSource> source(new CAtlDropSource);
    source->SetPayload(Clipboard::GetPrivateClipboardFormat(), data.CreateBlock());
    return source;
}

// The categories of a plan, the current and the selected one and the
// tree's kept state, and nothing else: no tasks, no clipboard, no find hit.
class FakeCategoryTreeDocument : public FakeViewDocument, public FakeCategories, public ICategoryTreeDocument {
public:
    int GetCurrentCategoryId() const override { return m_currentId; }
    void SetCurrentCategoryId(int id) override { m_currentId = id; }
    void RecalculateTaskSummary() override {}
    bool AddCategory(int parentId, Category& category) override
    {
        categories.push_back({parentId, category});
        return true;
    }
    bool UpdateCategory(const Category& category) override
    {
        for (Entry& entry : categories)
            if (entry.category.GetId() == category.GetId()) {
                entry.category = category;
                return true;
            }
        return false;
    }
    void DeleteCategory(int id) override { Remove(id); }
    bool HasUncompletedTasks(int) override { return false; }
    double GetDefaultDeadline() const override { return 0; }
    void ResetOriginalEstimations(int) override {}
    bool MoveTasks(int, const std::vector<int>&) override { return false; }
    bool MoveCategory(int, int) override { return false; }
    bool CopyCategoryToClipboard(int, HWND) override { return false; }
    bool CutCategoryToClipboard(int, HWND) override { return false; }
    void InsertXml(int, const EString&, bool) override {}
    void ExportCategory(int) override {}
    bool ImportCategory(int) override { return false; }
    ISearchResults& GetSearchResults() override { return m_nothingFound; }
    void SetSelectedCategory(int id) override { m_selectedId = id; }
    int GetSelectedCategory() override { return m_selectedId; }
    void SaveCategoryTreeState(const std::vector<int>& expandedIds) override { m_expanded = expandedIds; }
    void LoadCategoryTreeState(std::vector<int>& expandedIds) override { expandedIds = m_expanded; }

private:
    int m_currentId = 0;
    int m_selectedId = 0;
    std::vector<int> m_expanded;
    InertServices m_nothingFound;
};

// The tree and its frame over a document: the program's, with a task list
// beside the tree as the frame links them, or a stand-in of the tree's face
// where only what the tree shows counts.
template <class Document>
class CategoryTreeFixture : public ::testing::Test {
protected:
    static constexpr bool kWithTaskList = std::is_same_v<Document, CPelquornDoc>;

    void SetUp() override
    {
        ClearProgramRegistry();
        ASSERT_TRUE(Resource::Load(SourcePath(L"resources/Language/English.txt")));
        const INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
        if constexpr (kWithTaskList) {
            document.SetPrompts(&prompts);
            ASSERT_TRUE(document.OnNewDocument());
            document.SetStatusFilter(0);
        }
        // A plan of this test's categories only.
        std::vector<Category> top;
        document.GetSubCategories(0, top);
        for (const Category& category : top)
            document.DeleteCategory(category.GetId());

        ASSERT_TRUE(tree.Create(frame.m_hWnd));
        ::MoveWindow(tree.m_hWnd, 0, 0, 240, 230, TRUE);
        frame.view = tree.m_hWnd;
        tree.SetDialogs(&dialogs);
        tree.SendViewMessage(WM_VIEW_DEFERRED_INIT, 0, 0);
        if constexpr (kWithTaskList) {
            taskList.SetLinks(&links);
            ASSERT_TRUE(taskList.Create(frame.m_hWnd));
            ::MoveWindow(taskList.m_hWnd, 240, 0, 150, 230, TRUE);
            taskList.SendViewMessage(WM_VIEW_DEFERRED_INIT, 0, 0);
        }
        document.Attach(&tree);
        if constexpr (kWithTaskList)
            document.Attach(&taskList);
        document.Notify(nullptr, NotifyCode::kDocumentLoaded);
    }
    void TearDown() override
    {
        document.Detach(&tree);
        if constexpr (kWithTaskList)
            document.Detach(&taskList);
        ClearProgramRegistry();
    }

    // Added to the document without a notification.
    int AddCategory(int parentId, const wchar_t* name, int status = 0)
    {
        Category category(name, L"", 0, status);
        EXPECT_TRUE(document.AddCategory(parentId, category));
        return category.GetId();
    }
    int AddTask(int categoryId, const wchar_t* name, int status = TaskCard::kNew)
    {
        const int current = document.GetCurrentCategoryId();
        document.SetCurrentCategoryId(categoryId);
        TaskCard task(name, L"", 2, 46083, 1, status, 0, 0, -1);
        EXPECT_TRUE(document.AddTask(task));
        document.SetCurrentCategoryId(current);
        return task.GetId();
    }
    void Refill() { document.Notify(nullptr, NotifyCode::kAll); }

    HTREEITEM Root() const { return TreeView_GetRoot(tree.m_hWnd); }
    HTREEITEM Item(int categoryId) const
    {
        return categoryId ? CTreeViewHandler(tree.m_hWnd).FindChildByData(Root(), categoryId) : Root();
    }
    EString Text(HTREEITEM item) const
    {
        wchar_t text[256] = {};
        TVITEMW info = {};
        info.mask = TVIF_TEXT | TVIF_HANDLE;
        info.hItem = item;
        info.pszText = text;
        info.cchTextMax = 256;
        TreeView_GetItem(tree.m_hWnd, &info);
        return text;
    }
    std::vector<EString> ChildTexts(HTREEITEM item) const
    {
        std::vector<EString> texts;
        for (HTREEITEM child = TreeView_GetChild(tree.m_hWnd, item); child;
             child = TreeView_GetNextSibling(tree.m_hWnd, child))
            texts.push_back(Text(child));
        return texts;
    }
    bool IsExpanded(int categoryId) const { return CTreeViewHandler(tree.m_hWnd).IsExpanded(Item(categoryId)); }
    int SelectedId() const { return static_cast<int>(CTreeViewHandler(tree.m_hWnd).GetSelectedData()); }
    void Select(int categoryId) { TreeView_SelectItem(tree.m_hWnd, Item(categoryId)); }
    void Command(WORD id) { tree.SendViewMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // Lets the tree's posted messages arrive.
    void Pump()
    {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    Category CategoryOf(int id)
    {
        Category category;
        EXPECT_TRUE(document.GetCategory(id, category)) << id;
        return category;
    }
    // A missing category is an error the silent prompts keep.
    bool HasCategory(int id)
    {
        Category category;
        return document.GetCategory(id, category);
    }
    // What the tree answers when the control asks whether an item has children.
    int ChildrenFlag(HTREEITEM item)
    {
        NMTVDISPINFOW info = {};
        info.hdr = {tree.m_hWnd, 0, TVN_GETDISPINFOW};
        info.item.mask = TVIF_CHILDREN;
        info.item.hItem = item;
        info.item.cChildren = 7;
        tree.SendViewMessage(OCM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return info.item.cChildren;
    }
    std::vector<EString> TaskNames()
    {
        std::vector<EString> names;
        for (int row = 0; row < taskList.GetRowCount(); ++row)
            names.push_back(taskList.GetRowTask(row)->GetName());
        return names;
    }
    POINT ScreenPointOf(HTREEITEM item)
    {
        RECT text = {};
        TreeView_GetItemRect(tree.m_hWnd, item, &text, TRUE);
        POINT point = {text.left + 2, (text.top + text.bottom) / 2};
        ::ClientToScreen(tree.m_hWnd, &point);
        return point;
    }
    POINT ClientPointOf(HTREEITEM item)
    {
        RECT text = {};
        TreeView_GetItemRect(tree.m_hWnd, item, &text, TRUE);
        return {text.left + 2, (text.top + text.bottom) / 2};
    }

    MenuFrame frame;
    SilentPrompts prompts;
    Document document;
    CCategoryTree tree;
    // As the frame links its views: the list chooses a new task's category in the tree.
    class TreeLinks : public IViewLinks {
    public:
        explicit TreeLinks(CategoryTreeFixture& test) : m_test(test) {}
        void SelectTask(int) override {}
        void OpenTask(int) override {}
        bool SelectCategory(int categoryId) override { return m_test.tree.SelectCategory(categoryId); }

    private:
        CategoryTreeFixture& m_test;
    } links{*this};
    CPelquornView taskList;
    ScriptedCategoryDialogs dialogs;
};

using CategoryTreeTest = CategoryTreeFixture<CPelquornDoc>;
using CategoryTreeOnFakeTest = CategoryTreeFixture<FakeCategoryTreeDocument>;

TEST_F(CategoryTreeOnFakeTest, AnEmptyPlanShowsOnlyTheRootWithoutAButton)
{
    ASSERT_NE(Root(), nullptr);
    EXPECT_EQ(Text(Root()), L"All categories");
    EXPECT_EQ(TreeView_GetCount(tree.m_hWnd), 1u);
    EXPECT_EQ(ChildrenFlag(Root()), 0);
}

TEST_F(CategoryTreeOnFakeTest, CategoriesStandSortedUnderTheirParentsWithButtonsWhereTheyHaveChildren)
{
    const int zeta = AddCategory(0, L"Zeta");
    const int beta = AddCategory(0, L"beta");
    const int alpha = AddCategory(0, L"Alpha");
    AddCategory(beta, L"Second");
    AddCategory(beta, L"First");
    Refill();

    EXPECT_EQ(ChildTexts(Root()), (std::vector<EString>{L"Alpha", L"beta", L"Zeta"}));
    EXPECT_EQ(ChildTexts(Item(beta)), (std::vector<EString>{L"First", L"Second"}));
    const struct {
        int id;
        int children;
    } cases[] = {{0, 1}, {alpha, 0}, {beta, 1}, {zeta, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(ChildrenFlag(Item(c.id)), c.children) << c.id;
    Select(beta);
    TreeView_Expand(tree.m_hWnd, Item(beta), TVE_EXPAND);
    EXPECT_FALSE(SaveWindowScreenshot(frame.m_hWnd, L"category-tree").empty());
}

TEST_F(CategoryTreeTest, ACompletedCategoryAndItsBranchShowOnlyUnderAFilterThatShowsCompletedItems)
{
    const int done = AddCategory(0, L"Done", 1);
    AddCategory(done, L"Inside");
    AddCategory(0, L"Open");
    const struct {
        int statusFilter;
        bool shown;
    } cases[] = {{0, true}, {4, true}, {1, false}, {2, false}};
    for (const auto& c : cases) {
        document.SetStatusFilter(c.statusFilter);
        Refill();
        EXPECT_EQ(Item(done) != nullptr, c.shown) << c.statusFilter;
        EXPECT_EQ(TreeView_GetCount(tree.m_hWnd), c.shown ? 4u : 2u) << c.statusFilter;
    }
}

TEST_F(CategoryTreeTest, ChoosingACategoryMakesItCurrentAndTheTaskListShowsItsTasks)
{
    const int home = AddCategory(0, L"Home");
    const int work = AddCategory(0, L"Work");
    AddTask(home, L"Paint the fence");
    AddTask(work, L"Write the report");
    Refill();

    Select(work);
    EXPECT_EQ(document.GetCurrentCategoryId(), work);
    EXPECT_EQ(TaskNames(), std::vector<EString>{L"Write the report"});
    EXPECT_EQ(document.GetSelectedCategory(), work) << "kept with the document";

    Select(home);
    EXPECT_EQ(document.GetCurrentCategoryId(), home);
    EXPECT_EQ(TaskNames(), std::vector<EString>{L"Paint the fence"});
}

TEST_F(CategoryTreeTest, TheExpandedItemsAndTheSelectionComeBackWithTheSavedPlan)
{
    const int outer = AddCategory(0, L"Outer");
    const int middle = AddCategory(outer, L"Middle");
    const int inner = AddCategory(middle, L"Inner");
    const int other = AddCategory(0, L"Other");
    AddCategory(other, L"Other child");
    Refill();
    TreeView_Expand(tree.m_hWnd, Item(outer), TVE_EXPAND);
    TreeView_Expand(tree.m_hWnd, Item(middle), TVE_EXPAND);
    TreeView_Expand(tree.m_hWnd, Item(other), TVE_COLLAPSE);
    Select(inner);
    TreeView_Expand(tree.m_hWnd, Item(other), TVE_COLLAPSE);

    const EString path = MakeScratchFolder(L"CategoryTreeState") + L"\\state.qvr";
    ASSERT_TRUE(document.OnSaveDocument(path));
    ASSERT_TRUE(document.OnOpenDocument(path));

    std::vector<int> stored;
    document.LoadCategoryTreeState(stored);
    EXPECT_EQ(stored, (std::vector<int>{0, outer, middle}));
    EXPECT_TRUE(IsExpanded(outer));
    EXPECT_TRUE(IsExpanded(middle));
    EXPECT_FALSE(IsExpanded(other));
    EXPECT_EQ(SelectedId(), inner);
    EXPECT_EQ(document.GetCurrentCategoryId(), inner);
}

TEST_F(CategoryTreeTest, APlanWithoutStoredStateOpensWithTheRootSelectedAndNoError)
{
    const EString path = MakeScratchFolder(L"CategoryTreeBare") + L"\\bare.qvr";
    WriteFileBytes(path, "<ROOT><AVAILABLEGOALS/></ROOT>");
    ASSERT_TRUE(document.OnOpenDocument(path));
    EXPECT_EQ(prompts.errors, std::vector<EString>{});
    EXPECT_EQ(Text(Root()), L"All categories");
    EXPECT_EQ(TreeView_GetSelection(tree.m_hWnd), Root());
}

TEST_F(CategoryTreeTest, ARefillKeepsTheSelectionOrFallsBackToTheParent)
{
    const int parent = AddCategory(0, L"Parent");
    const int child = AddCategory(parent, L"Child");
    Refill();
    Select(child);
    document.SetModified(0);
    document.SetStatusFilter(2);
    EXPECT_EQ(SelectedId(), child);
    EXPECT_TRUE(IsExpanded(parent));
    EXPECT_EQ(document.IsModified(), 0) << "a filter change is no change of the plan";
    document.DeleteCategory(child);
    Refill();
    EXPECT_EQ(SelectedId(), parent);
    EXPECT_EQ(document.GetCurrentCategoryId(), parent);
}

// Counts the choices of a category the other views hear of, and the requests to store their state.
class CategoryChoices : public IObserver {
public:
    void Update(ISubject*, DocNotifyCode code) override
    {
        count += code == NotifyCode::kCategorySelected;
        stores += code == NotifyCode::kStoreViewState;
    }
    void OnAttach(ITabOrderProvider*) override {}
    int count = 0;
    int stores = 0;
};

TEST_F(CategoryTreeTest, ExpandingOrChoosingACategoryStoresTheTreesStateWithoutAskingTheOtherViews)
{
    const int parent = AddCategory(0, L"Parent");
    const int child = AddCategory(parent, L"Child");
    Refill();
    CategoryChoices choices;
    document.Attach(&choices);
    TreeView_Expand(tree.m_hWnd, Item(parent), TVE_EXPAND);
    Select(child);
    document.Detach(&choices);
    std::vector<int> stored;
    document.LoadCategoryTreeState(stored);
    EXPECT_EQ(stored, (std::vector<int>{0, parent}));
    EXPECT_EQ(document.GetSelectedCategory(), child);
    EXPECT_EQ(choices.stores, 0);
}

TEST_F(CategoryTreeTest, AFilterChangeThatShowsTheSameCategoriesKeepsTheItemsAndTheTaskListAsTheyAre)
{
    const int parent = AddCategory(0, L"Parent");
    const int child = AddCategory(parent, L"Child");
    Refill();
    Select(child);
    // A mark of the control's own that a refill would not keep.
    TreeView_SetItemState(tree.m_hWnd, Item(parent), TVIS_BOLD, TVIS_BOLD);
    CategoryChoices choices;
    document.Attach(&choices);
    document.SetStatusFilter(2);
    document.Detach(&choices);
    EXPECT_EQ(TreeView_GetItemState(tree.m_hWnd, Item(parent), TVIS_BOLD), static_cast<UINT>(TVIS_BOLD));
    EXPECT_EQ(choices.count, 0);
    EXPECT_EQ(SelectedId(), child);
}

TEST_F(CategoryTreeTest, OpeningAPlanChoosesItsStoredCategoryOnce)
{
    const int home = AddCategory(0, L"Home");
    Refill();
    Select(home);
    const EString path = MakeScratchFolder(L"CategoryTreeOpenOnce") + L"\\plan.qvr";
    ASSERT_TRUE(document.OnSaveDocument(path));
    CategoryChoices choices;
    document.Attach(&choices);
    // As the program opens a file: the plan loaded, then every view told of it.
    ASSERT_TRUE(document.OnOpenDocument(path));
    Refill();
    document.Detach(&choices);
    EXPECT_EQ(choices.count, 1);
    EXPECT_EQ(document.GetCurrentCategoryId(), home);
}

TEST_F(CategoryTreeTest, APositiveCodeOrAFindHitSelectsThatCategory)
{
    class FoundCategory : public InertServices {
    public:
        int GetFoundCategoryId() override { return id; }
        int id = 0;
    } search;
    document.SetFindServices(&search, &search, &search);
    const int parent = AddCategory(0, L"Parent");
    const int child = AddCategory(parent, L"Child");
    const int other = AddCategory(0, L"Other");
    Refill();
    document.Notify(nullptr, child);
    EXPECT_EQ(SelectedId(), child);
    EXPECT_EQ(document.GetCurrentCategoryId(), child);

    search.id = other;
    document.Notify(nullptr, NotifyCode::kFindHit);
    EXPECT_EQ(SelectedId(), other);
    document.SetFindServices(nullptr, nullptr, nullptr);
}

TEST_F(CategoryTreeTest, ATaskAddedToAnotherCategoryMakesTheTreeSelectThatCategory)
{
    class AnswerInCategory : public InertTaskListDialogs {
    public:
        bool EditTask(HWND, bool, ICategoryReader&, TaskDialogFields& fields) override
        {
            fields.name = L"Elsewhere";
            fields.categoryId = categoryId;
            return true;
        }
        int categoryId = 0;
    } taskDialogs;
    const int parent = AddCategory(0, L"Parent");
    taskDialogs.categoryId = AddCategory(parent, L"Chosen in the editor");
    Refill();
    taskList.SetDialogs(&taskDialogs);
    taskList.SendViewMessage(WM_COMMAND, MAKEWPARAM(ID_TASK_ADD, 0), 0);
    taskList.SetDialogs(nullptr);
    EXPECT_EQ(SelectedId(), taskDialogs.categoryId);
    EXPECT_EQ(document.GetCurrentCategoryId(), taskDialogs.categoryId);
    EXPECT_EQ(TaskNames(), std::vector<EString>{L"Elsewhere"});
}

// A name of blanks would leave the item without a label: the old one stays.
TEST_F(CategoryTreeTest, RenamingInPlaceStoresTheNewNameAndTheRootCannotBeRenamed)
{
    const int id = AddCategory(0, L"Typo nmae");
    Refill();
    ::SetFocus(tree.m_hWnd);
    EXPECT_EQ(TreeView_EditLabel(tree.m_hWnd, Root()), nullptr) << "the root refuses the editor";

    const struct {
        const wchar_t* typed;
        const wchar_t* stored;
    } cases[] = {{L"Typo name", L"Typo name"}, {L"", L"Typo name"}, {L"  \t", L"Typo name"}, {L" Fixed", L" Fixed"}};
    for (const auto& c : cases) {
        const HWND editor = TreeView_EditLabel(tree.m_hWnd, Item(id));
        ASSERT_NE(editor, nullptr);
        ::SetWindowTextW(editor, c.typed);
        TreeView_EndEditLabelNow(tree.m_hWnd, FALSE);
        EXPECT_EQ(CategoryOf(id).GetName(), c.stored);
        EXPECT_EQ(Text(Item(id)), c.stored);
    }
    const HWND editor = TreeView_EditLabel(tree.m_hWnd, Item(id));
    ASSERT_NE(editor, nullptr);
    ::SetWindowTextW(editor, L"Cancelled");
    ::SendMessageW(editor, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(CategoryOf(id).GetName(), L" Fixed");
}

TEST_F(CategoryTreeTest, CommandStatesFollowTheCurrentItemInTheirFixedOrder)
{
    const int empty = AddCategory(0, L"Empty");
    const int busy = AddCategory(0, L"Busy");
    AddTask(busy, L"Open task");
    Refill();
    const int order[] = {ID_TASK_DELETE, ID_TASK_EDIT,  ID_TASK_ADD, ID_TASK_COMPLETE, ID_EDIT_COPY,
                         ID_EDIT_CUT,    ID_EDIT_PASTE, ID_EXPORT,   ID_IMPORT,        ID_TASK_REBASE_ESTIMATE};
    ::OpenClipboard(nullptr);
    ::EmptyClipboard();
    ::CloseClipboard();
    const struct {
        const char* what;
        int select;
        bool active;
        std::vector<int> enabled;
    } cases[] = {
        {"root", 0, true, {ID_TASK_ADD, ID_IMPORT}},
        {"category without open tasks", empty, true,
         {ID_TASK_DELETE, ID_TASK_EDIT, ID_TASK_ADD, ID_TASK_COMPLETE, ID_EDIT_COPY, ID_EDIT_CUT, ID_EXPORT, ID_IMPORT,
          ID_TASK_REBASE_ESTIMATE}},
        {"category with an open task", busy, true,
         {ID_TASK_DELETE, ID_TASK_EDIT, ID_TASK_ADD, ID_EDIT_COPY, ID_EDIT_CUT, ID_EXPORT, ID_IMPORT,
          ID_TASK_REBASE_ESTIMATE}},
        {"inactive", empty, false, {}},
    };
    for (const auto& c : cases) {
        Select(c.select);
        frame.Clear();
        tree.UpdateCommandUI(c.active);
        ASSERT_EQ(frame.states.size(), std::size(order)) << c.what;
        for (size_t i = 0; i < std::size(order); ++i) {
            const bool enabled = std::find(c.enabled.begin(), c.enabled.end(), order[i]) != c.enabled.end();
            EXPECT_EQ(frame.states[i].commandId, order[i]) << c.what;
            EXPECT_EQ(frame.states[i].enabled, enabled ? 1 : 0) << c.what << " command " << order[i];
            EXPECT_EQ(frame.states[i].checked, 0) << c.what;
        }
    }
}

TEST_F(CategoryTreeTest, AddPutsTheEditedCategoryUnderTheCurrentOneAndSelectsIt)
{
    const int parent = AddCategory(0, L"Parent");
    Refill();
    Select(parent);
    CategoryDialogFields answer;
    answer.name = L"Garden";
    answer.description = L"Outside";
    answer.deadline = 46090;
    dialogs.answers = {std::nullopt, answer};
    Command(ID_TASK_ADD);
    Pump();
    EXPECT_EQ(ChildTexts(Item(parent)).size(), 0u) << "Cancel adds nothing";

    Command(ID_TASK_ADD);
    Pump();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].name, L"New category");
    EXPECT_TRUE(dialogs.shown[0].hasUncompletedTasks);
    // The default deadline counts from now: a second may pass between the two readings.
    EXPECT_NEAR(dialogs.shown[0].deadline, document.GetDefaultDeadline(), 1.0 / 1440);
    std::vector<Category> children;
    document.GetSubCategories(parent, children);
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(children[0].GetName(), L"Garden");
    EXPECT_EQ(children[0].GetDescription(), L"Outside");
    EXPECT_EQ(SelectedId(), children[0].GetId());
    EXPECT_EQ(document.GetCurrentCategoryId(), children[0].GetId());
}

TEST_F(CategoryTreeTest, EditShowsTheCategoryAndStoresWhatTheEditorGivesBack)
{
    const int id = AddCategory(0, L"Old");
    Refill();
    Select(id);
    CategoryDialogFields answer;
    answer.name = L"New";
    answer.description = L"Text";
    answer.completed = true;
    answer.deadline = 46100;
    dialogs.answers = {answer};
    Command(ID_TASK_EDIT);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].name, L"Old");
    EXPECT_FALSE(dialogs.shown[0].hasUncompletedTasks);
    const Category category = CategoryOf(id);
    EXPECT_EQ(category.GetName(), L"New");
    EXPECT_EQ(category.GetDescription(), L"Text");
    EXPECT_NE(category.GetStatus(), 0);
    EXPECT_EQ(Text(Item(id)), L"New");

    Select(0);
    Command(ID_TASK_EDIT);
    EXPECT_EQ(dialogs.shown.size(), 1u) << "the root has no editor";
}

TEST_F(CategoryTreeTest, DeletingOrCuttingACategoryTakesItsTasksOffTheListAtOnce)
{
    for (const WORD command : {ID_TASK_DELETE, ID_EDIT_CUT}) {
        const int garden = AddCategory(0, L"Garden");
        AddTask(garden, L"Mow the lawn");
        Refill();
        Select(garden);
        ASSERT_EQ(TaskNames(), std::vector<EString>{L"Mow the lawn"}) << command;
        dialogs.deleteAnswer = true;
        Command(command);
        EXPECT_FALSE(HasCategory(garden)) << command;
        EXPECT_TRUE(TaskNames().empty()) << command;
    }
}

TEST_F(CategoryTreeTest, DeleteFromTheContextMenuDeletesTheItemUnderThePointerNotTheSelectedOne)
{
    const int kept = AddCategory(0, L"Kept");
    const int gone = AddCategory(0, L"Gone");
    AddCategory(gone, L"Gone child");
    Refill();
    Select(kept);
    frame.chosenCommand = ID_TASK_DELETE;
    dialogs.deleteAnswer = false;
    const POINT point = ScreenPointOf(Item(gone));
    tree.SendViewMessage(WM_CONTEXTMENU, 0, MAKELPARAM(point.x, point.y));
    EXPECT_TRUE(HasCategory(gone)) << "No keeps it";

    dialogs.deleteAnswer = true;
    tree.SendViewMessage(WM_CONTEXTMENU, 0, MAKELPARAM(point.x, point.y));
    EXPECT_EQ(dialogs.questions.size(), 2u);
    EXPECT_FALSE(HasCategory(gone));
    EXPECT_EQ(Item(gone), nullptr);
    EXPECT_EQ(SelectedId(), kept);
    EXPECT_EQ(tree.GetCurrentItem(), Item(kept));
}

TEST_F(CategoryTreeTest, TheKeyboardsContextMenuShowsBelowTheSelectedItem)
{
    const int id = AddCategory(0, L"Chosen");
    Refill();
    Select(id);
    frame.chosenCommand = 0;
    tree.SendViewMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree.m_hWnd), -1);
    ASSERT_EQ(frame.menuPoints.size(), 1u);
    RECT text = {};
    TreeView_GetItemRect(tree.m_hWnd, Item(id), &text, TRUE);
    POINT expected = {text.left, text.bottom};
    ::ClientToScreen(tree.m_hWnd, &expected);
    EXPECT_EQ(frame.menuPoints[0].x, expected.x);
    EXPECT_EQ(frame.menuPoints[0].y, expected.y);
    EXPECT_EQ(frame.preparedMenus.size(), 1u);
}

TEST_F(CategoryTreeTest, WhileALabelIsEditedItsKeysReachTheEditorAndNotTheAccelerators)
{
    const int id = AddCategory(0, L"Label");
    Refill();
    ::SetFocus(tree.m_hWnd);
    const HWND editor = TreeView_EditLabel(tree.m_hWnd, Item(id));
    ASSERT_NE(editor, nullptr);
    MSG key = {editor, WM_KEYDOWN, VK_DELETE, 0, 0, {0, 0}};
    EXPECT_TRUE(tree.PreTranslateMessage(&key));
    EXPECT_TRUE(HasCategory(id)) << "Delete is the editor's";
    MSG letter = {editor, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
    EXPECT_FALSE(tree.PreTranslateMessage(&letter));
    TreeView_EndEditLabelNow(tree.m_hWnd, TRUE);
}

TEST_F(CategoryTreeTest, CompleteUnderAFilterOfOpenItemsRemovesTheItemAndCompletesAgainToReopen)
{
    const int id = AddCategory(0, L"Finish");
    Refill();
    Select(id);
    Command(ID_TASK_COMPLETE);
    EXPECT_NE(CategoryOf(id).GetStatus(), 0);
    EXPECT_NE(Item(id), nullptr) << "all items are shown";
    Select(id);
    Command(ID_TASK_COMPLETE);
    EXPECT_EQ(CategoryOf(id).GetStatus(), 0);

    document.SetStatusFilter(2);
    Refill();
    Select(id);
    Command(ID_TASK_COMPLETE);
    EXPECT_NE(CategoryOf(id).GetStatus(), 0);
    EXPECT_EQ(Item(id), nullptr);
}

TEST_F(CategoryTreeTest, CutAndPasteMoveABranchUnderAnotherCategory)
{
    const int source = AddCategory(0, L"Source");
    AddCategory(source, L"Leaf");
    const int target = AddCategory(0, L"Target");
    Refill();
    Select(source);
    Command(ID_EDIT_CUT);
    EXPECT_FALSE(HasCategory(source));
    EXPECT_TRUE(Clipboard::IsPrivateFormatOnClipboard());

    Select(target);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(ChildTexts(Item(target)), std::vector<EString>{L"Source"});
    TreeView_Expand(tree.m_hWnd, TreeView_GetChild(tree.m_hWnd, Item(target)), TVE_EXPAND);
    EXPECT_EQ(ChildTexts(TreeView_GetChild(tree.m_hWnd, Item(target))), std::vector<EString>{L"Leaf"});
}

TEST(NavigationHelperTest, ThePointsBandIsTheFirstOfLeftRightTopBottom)
{
    class Recorder : public NavigationHelper {
    public:
        void OnDragLeave() override {}
        void OnDragOver(int, int) override {}
        void OnScrollTimer() override {}
        void StartScrollTimer() override { ++starts; }
        void StopScrollTimer() override { ++stops; }
        int starts = 0, stops = 0;
    };
    const RECT rect = {0, 0, 200, 100};
    const struct {
        POINT point;
        int zone;
    } cases[] = {
        {{0, 50}, NavigationHelper::kLeft},    {{13, 50}, NavigationHelper::kLeft},
        {{14, 50}, NavigationHelper::kNone},   {{186, 50}, NavigationHelper::kRight},
        {{199, 50}, NavigationHelper::kRight}, {{100, 0}, NavigationHelper::kTop},
        {{100, 13}, NavigationHelper::kTop},   {{100, 86}, NavigationHelper::kBottom},
        {{5, 5}, NavigationHelper::kLeft},     {{195, 95}, NavigationHelper::kRight},
        {{100, 100}, NavigationHelper::kNone},
    };
    for (const auto& c : cases) {
        Recorder helper;
        EXPECT_EQ(helper.TrackPoint(rect, c.point), c.zone != NavigationHelper::kNone) << c.point.x << "," << c.point.y;
        EXPECT_EQ(helper.GetZone(), c.zone) << c.point.x << "," << c.point.y;
        EXPECT_EQ(helper.starts, c.zone != NavigationHelper::kNone ? 1 : 0);
        EXPECT_EQ(helper.TrackPoint(rect, c.point), c.zone != NavigationHelper::kNone);
        EXPECT_EQ(helper.starts + helper.stops, 1) << "the same point again changes nothing";
    }
}

TEST_F(CategoryTreeTest, TheTreeTakesDraggedCategoriesAndTasksOnly)
{
    const struct {
        std::int32_t kind;
        bool accepted;
    } cases[] = {{PelquornDragData::kCategory, true}, {PelquornDragData::kTasks, true},
                 {PelquornDragData::kPlanEntries, false}};
    for (const auto& c : cases) {
        const ComPtr<CAtlDropSource> source = DragOf(PelquornDragData(c.kind, {1, 2}));
        EXPECT_EQ(tree.CanAcceptData(source.Get()), c.accepted) << c.kind;
    }
    EXPECT_FALSE(tree.CanAcceptData(nullptr));
}

TEST_F(CategoryTreeTest, DroppingMovesTasksAndCategoriesButNeverUnderTheirOwnBranch)
{
    const int outer = AddCategory(0, L"Outer");
    const int inner = AddCategory(outer, L"Inner");
    const int target = AddCategory(0, L"Target");
    const int task = AddTask(outer, L"Moving task");
    Refill();
    TreeView_Expand(tree.m_hWnd, Item(outer), TVE_EXPAND);

    POINT at = ClientPointOf(Item(0));
    EXPECT_TRUE(tree.OnDrop(DragOf(PelquornDragData(PelquornDragData::kTasks, {task})).Get(), at.x, at.y,
                            DROPEFFECT_COPY));
    EXPECT_EQ(document.GetTaskCategory(task), 0) << "onto the root, and a copy still moves";

    TreeView_Expand(tree.m_hWnd, Item(outer), TVE_EXPAND);
    at = ClientPointOf(Item(inner));
    tree.OnDrop(DragOf(PelquornDragData(PelquornDragData::kCategory, {outer})).Get(), at.x, at.y, DROPEFFECT_MOVE);
    std::vector<Category> children;
    document.GetSubCategories(inner, children);
    EXPECT_TRUE(children.empty()) << "not under its own branch";
    EXPECT_TRUE(HasCategory(outer));

    at = ClientPointOf(Item(target));
    EXPECT_TRUE(tree.OnDrop(DragOf(PelquornDragData(PelquornDragData::kCategory, {outer})).Get(), at.x, at.y,
                            DROPEFFECT_MOVE));
    document.GetSubCategories(target, children);
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(children[0].GetId(), outer);
    EXPECT_NE(Item(outer), nullptr) << "the tree shows where it went";
    EXPECT_EQ(TreeView_GetDropHilight(tree.m_hWnd), nullptr);
}

TEST_F(CategoryTreeTest, DraggingOverAnItemHighlightsItAndTheExpandTimerOpensIt)
{
    const int parent = AddCategory(0, L"Parent");
    AddCategory(parent, L"Child");
    Refill();
    ASSERT_FALSE(IsExpanded(parent));
    const POINT at = ClientPointOf(Item(parent));
    tree.OnDragOver(at.x, at.y);
    EXPECT_EQ(TreeView_GetDropHilight(tree.m_hWnd), Item(parent));
    EXPECT_EQ(tree.GetZone(), NavigationHelper::kNone);
    tree.SendViewMessage(WM_TIMER, CCategoryTree::kExpandTimer, 0);
    EXPECT_TRUE(IsExpanded(parent));

    tree.OnDragOver(at.x, 3);
    EXPECT_EQ(tree.GetZone(), NavigationHelper::kTop);
    tree.OnDragLeave();
    EXPECT_EQ(TreeView_GetDropHilight(tree.m_hWnd), nullptr);
    EXPECT_EQ(tree.GetZone(), NavigationHelper::kNone);
}

TEST_F(CategoryTreeTest, TasksDraggedOverTheirOwnCategoryHighlightAndOpenItToReachItsSubcategory)
{
    const int own = AddCategory(0, L"Own");
    const int sub = AddCategory(own, L"Sub");
    const int other = AddCategory(0, L"Other");
    const int task = AddTask(own, L"Moving task");
    Refill();
    // The task list shows the tasks of the selected category: they come from there.
    Select(own);
    Pump();
    ASSERT_EQ(SelectedId(), own);
    ASSERT_FALSE(IsExpanded(own));
    const auto highlighted = [&](int id) {
        return (TreeView_GetItemState(tree.m_hWnd, Item(id), TVIS_DROPHILITED) & TVIS_DROPHILITED) != 0;
    };
    const auto over = [&](int id) {
        const POINT at = ClientPointOf(Item(id));
        tree.OnDragOver(at.x, at.y);
    };
    const PelquornDragData tasks(PelquornDragData::kTasks, {task});

    over(other);
    over(own);
    EXPECT_TRUE(highlighted(own));
    EXPECT_FALSE(highlighted(other)) << "the highlight follows the pointer";
    EXPECT_FALSE(SaveWindowScreenshot(tree.m_hWnd, L"category-tree-drag-over-own").empty());
    tree.SendViewMessage(WM_TIMER, CCategoryTree::kExpandTimer, 0);
    EXPECT_TRUE(IsExpanded(own));
    over(sub);
    EXPECT_TRUE(highlighted(sub));
    EXPECT_FALSE(highlighted(own));

    POINT at = ClientPointOf(Item(own));
    tree.OnDrop(DragOf(tasks).Get(), at.x, at.y, DROPEFFECT_MOVE);
    EXPECT_EQ(document.GetTaskCategory(task), own) << "a drop on its own category changes nothing";
    EXPECT_FALSE(highlighted(own));
    at = ClientPointOf(Item(sub));
    EXPECT_TRUE(tree.OnDrop(DragOf(tasks).Get(), at.x, at.y, DROPEFFECT_MOVE));
    EXPECT_EQ(document.GetTaskCategory(task), sub);
}

TEST_F(CategoryTreeTest, ThePointerRestingInTheTopBandScrollsUpALineAtEachTick)
{
    for (int i = 0; i < 30; ++i)
        AddCategory(0, EString::Formatted(L"Category %02d", i).c_str());
    Refill();
    TreeView_EnsureVisible(tree.m_hWnd, TreeView_GetLastVisible(tree.m_hWnd));
    const HTREEITEM bottomFirst = TreeView_GetFirstVisible(tree.m_hWnd);
    ASSERT_NE(bottomFirst, Root()) << "the tree has scrolled";
    tree.OnDragOver(60, 3);
    EXPECT_EQ(tree.GetZone(), NavigationHelper::kTop);
    tree.SendViewMessage(WM_TIMER, CCategoryTree::kScrollTimer, 0);
    EXPECT_EQ(TreeView_GetFirstVisible(tree.m_hWnd), TreeView_GetPrevVisible(tree.m_hWnd, bottomFirst));
    tree.OnDragLeave();
}

TEST_F(CategoryTreeTest, ACategoryDraggedOntoAnotherMovesUnderIt)
{
    const int dragged = AddCategory(0, L"Dragged");
    const int target = AddCategory(0, L"Target");
    Refill();
    Pump();
    const POINT at = ScreenPointOf(Item(target));
    ASSERT_TRUE(::SetCursorPos(at.x, at.y));
    // As the control reports a drag begun on the item; with no button held,
    // the drag drops at once where the cursor is.
    NMTREEVIEWW info = {};
    info.hdr = {tree.m_hWnd, 0, TVN_BEGINDRAGW};
    info.itemNew.hItem = Item(dragged);
    tree.SendViewMessage(OCM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    Pump();
    std::vector<Category> children;
    document.GetSubCategories(target, children);
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(children[0].GetId(), dragged);
    EXPECT_EQ(ChildTexts(Item(target)), std::vector<EString>{L"Dragged"});
}

TEST_F(CategoryTreeTest, TheRootIsNeverDragged)
{
    const int id = AddCategory(0, L"Dragged");
    Refill();
    const struct {
        int id;
        bool posted;
    } cases[] = {{0, false}, {id, true}};
    for (const auto& c : cases) {
        NMTREEVIEWW info = {};
        info.hdr = {tree.m_hWnd, 0, TVN_BEGINDRAGW};
        info.itemNew.hItem = Item(c.id);
        tree.SendViewMessage(OCM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        MSG message;
        const bool posted =
            ::PeekMessageW(&message, tree.m_hWnd, WM_PELQUORN_START_DRAG, WM_PELQUORN_START_DRAG, PM_REMOVE) != FALSE;
        EXPECT_EQ(posted, c.posted) << c.id;
        if (posted) {
            // Not run: the source goes as an unrun drag's would.
            auto* source = reinterpret_cast<CAtlDropSource*>(message.wParam);
            source->AddRef();
            source->Release();
        }
    }
}

} // namespace

namespace {

// The import dialog answered with a file chosen in advance.
class ChosenImport : public InertServices {
public:
    explicit ChosenImport(EString path) : m_path(std::move(path)) {}
    bool ChooseImportFile(ExchangeChoice& choice) override
    {
        choice.path = m_path;
        return !m_path.IsEmpty();
    }

private:
    EString m_path;
};

} // namespace

// The menu opened on another category than the selected one: an import that
// brings nothing in leaves the selection, which the plan keeps, and so the
// plan unmarked.
TEST_F(CategoryTreeTest, AnImportFromTheMenuThatBringsNothingLeavesTheSelectionAndThePlanAsTheyWere)
{
    const EString folder = MakeScratchFolder(L"category-tree-import");
    const EString broken = FileSystem::JoinPath(folder, L"broken.xml");
    WriteFileBytes(broken, "<ROOT><CATEGORY>");
    const EString branch = FileSystem::JoinPath(folder, L"branch.xml");
    WriteFileBytes(branch, "<ROOT><CATEGORY ID=\"1\" NAME=\"Imported\"/></ROOT>");
    const int kept = AddCategory(0, L"Kept");
    const int other = AddCategory(0, L"Other");
    Refill();
    const struct {
        const char* name;
        EString chosen;
        bool imported;
    } cases[] = {
        {"cancelled", EString(), false},
        {"refused", broken, false},
        {"imported", branch, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Select(kept);
        document.SetModified(0);
        ChosenImport services(c.chosen);
        document.SetReportServices(&services);
        frame.chosenCommand = ID_IMPORT;
        const POINT point = ScreenPointOf(Item(other));
        tree.SendViewMessage(WM_CONTEXTMENU, 0, MAKELPARAM(point.x, point.y));
        document.SetReportServices(nullptr);
        EXPECT_EQ(SelectedId(), c.imported ? other : kept);
        EXPECT_EQ(document.IsModified(), c.imported ? 1 : 0);
        EXPECT_EQ(ChildTexts(Item(other)).size(), c.imported ? 1u : 0u);
    }
}
