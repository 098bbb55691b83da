// The keyboard in the real main window: the keyboard table reaching the focused view, Enter, Next Pane and the keys the frame swallows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

#include "app/AppCommandIds.h"
#include "app/FrameKeys.h"
#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "foundation/Clock.h"
#include "foundation/Language.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/tasks/CategoryTree.h"
#include "views/tasks/SilentPrompts.h"

namespace {

bool HoldsFocus(HWND window)
{
    const HWND focus = ::GetFocus();
    return focus && (focus == window || ::IsChild(window, focus));
}

class KeysInFrameTest : public FrameTest {
protected:
    KeysInFrameTest() : FrameTest(L"keys_in_frame") {}

    void SetUp() override
    {
        FrameTest::SetUp();
        OpenFrame(m_prompts);
        Doc().SetStatusFilter(0);
        m_garden = NewCategory(L"Garden");
        m_kitchen = NewCategory(L"Kitchen");
        m_hedge = NewTask(L"Cut the hedge", 1, Clock::Today() + 2);
        m_roses = NewTask(L"Plant the roses", 1, Clock::Today() + 3);
        Person ann(0, L"Ann", L"", L"Ann Smith", L"", 0);
        ASSERT_TRUE(Doc().AddPerson(0, ann));
        m_ann = ann.GetId();
        Person bob(0, L"Bob", L"", L"Bob Jones", L"", 0);
        ASSERT_TRUE(Doc().AddPerson(0, bob));
        m_bob = bob.GetId();
        Person neighbours(1, L"Neighbours", L"", L"", L"", 0);
        ASSERT_TRUE(Doc().AddPerson(0, neighbours));
        m_neighbours = neighbours.GetId();
        MoodItem calm(L"Calm", RGB(0, 128, 255));
        Doc().AddMood(calm);
        m_calm = calm.GetId();
        MoodItem busy(L"Busy", RGB(255, 64, 0));
        Doc().AddMood(busy);
        m_busy = busy.GetId();
        Doc().Notify(nullptr, NotifyCode::kAll);
        ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return TaskList().GetRowCount() == 2; }));
    }

    CPelquornView& TaskList() { return m_frame->GetTaskList(); }
    HWND PaneView(CMainFrame::Pane pane) { return m_frame->GetPane(pane)->Client(); }
    HWND CategoryTree() { return PaneView(CMainFrame::CategoriesPane); }
    HWND PeopleTree() { return PaneView(CMainFrame::PeoplePane); }
    HWND MoodList() { return PaneView(CMainFrame::MoodsPane); }

    // As a click on the window: the focus goes there and its view becomes the document's window.
    void Focus(HWND window)
    {
        ::SetFocus(window);
        ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return HoldsFocus(window); }));
    }
    void SelectTask(int taskId)
    {
        TaskList().SelectRow(-1);
        TaskList().SelectRow(TaskList().FindRow(taskId));
        Focus(TaskList());
    }
    void SelectCategory(int categoryId)
    {
        ASSERT_TRUE(GetCategoryTree()->SelectCategory(categoryId));
        Focus(CategoryTree());
    }
    void SelectPerson(int personId)
    {
        const HWND tree = PeopleTree();
        const HTREEITEM item = FindTreeItem(tree, personId);
        ASSERT_NE(item, nullptr) << "no item of person " << personId;
        TreeView_SelectItem(tree, item);
        Focus(tree);
    }

    // The moods' tab brought forward, as a click on it does; it covers the people.
    void SelectMood(const wchar_t* name)
    {
        ASSERT_TRUE(m_frame->GetPane(CMainFrame::MoodsPane)->Show());
        const HWND list = MoodList();
        ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return ::IsWindowVisible(list) != FALSE; }));
        LVFINDINFOW find = {};
        find.flags = LVFI_STRING;
        find.psz = name;
        const int row = ListView_FindItem(list, -1, &find);
        ASSERT_GE(row, 0) << "no mood row";
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
        ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        Focus(list);
    }

    // The key pressed in the focused window; the captions of the dialogs it
    // opened, each answered Yes when it asks, else cancelled.
    std::vector<EString> DialogsOfKey(UINT key, unsigned modifiers = kNoModifiers)
    {
        std::vector<EString> captions;
        DialogAnswerer answerer([&](HWND dialog) {
            captions.push_back(WindowText(dialog));
            const bool asks = ::GetDlgItem(dialog, IDYES) != nullptr;
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(asks ? IDYES : IDCANCEL, BN_CLICKED), 0);
        });
        EXPECT_TRUE(PressKeyThroughLoop(m_loop, key, modifiers));
        // Whatever the key posted has run, and every dialog it opened is gone.
        EXPECT_TRUE(WaitThroughLoop(m_loop, [&] {
            MSG pending;
            return !::PeekMessageW(&pending, nullptr, WM_COMMAND, WM_COMMAND, PM_NOREMOVE) && !FindThreadDialog();
        }));
        return captions;
    }

    SilentPrompts m_prompts;
    int m_garden = 0;
    int m_kitchen = 0;
    int m_hedge = 0;
    int m_roses = 0;
    int m_ann = 0;
    int m_bob = 0;
    int m_neighbours = 0;
    int m_calm = 0;
    int m_busy = 0;
};

EString Caption(const wchar_t* key)
{
    return Resource::Translate(key);
}

// Delete, pressed where the focus is, asks once and deletes that view's item only.
TEST_F(KeysInFrameTest, DeleteDeletesTheSelectedItemOfTheFocusedView)
{
    TaskCard task;
    Category category;
    Person person;
    MoodItem mood;
    const struct {
        const char* view;
        std::function<void()> select;
        std::function<bool()> deleted;
        std::function<bool()> kept;
    } cases[] = {
        {"task list", [&] { SelectTask(m_hedge); }, [&] { return !Doc().GetTask(m_hedge, task, false); },
         [&] { return Doc().GetTask(m_roses, task, false) && Doc().GetCategory(m_garden, category); }},
        {"category tree", [&] { SelectCategory(m_kitchen); }, [&] { return !Doc().GetCategory(m_kitchen, category); },
         [&] { return Doc().GetCategory(m_garden, category) && Doc().GetTask(m_roses, task, false); }},
        {"people tree", [&] { SelectPerson(m_bob); }, [&] { return !Doc().GetPerson(m_bob, person); },
         [&] { return Doc().GetPerson(m_ann, person) && Doc().GetCategory(m_garden, category); }},
        {"mood list", [&] { SelectMood(L"Busy"); }, [&] { return !Doc().GetMood(m_busy, mood); },
         [&] { return Doc().GetMood(m_calm, mood) && Doc().GetPerson(m_ann, person); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view);
        c.select();
        EXPECT_EQ(DialogsOfKey(VK_DELETE).size(), 1u) << "one question";
        EXPECT_TRUE(c.deleted());
        EXPECT_TRUE(c.kept());
    }
}

// Ctrl+I adds in the focused view: each view opens its own editor, once.
TEST_F(KeysInFrameTest, CtrlIOpensTheAddEditorOfTheFocusedView)
{
    const struct {
        const char* view;
        std::function<void()> select;
        const wchar_t* caption;
    } cases[] = {
        {"task list", [&] { SelectTask(m_hedge); }, L"TaskCard"},
        {"category tree", [&] { SelectCategory(m_garden); }, L"DlgCategory"},
        // People are added into a group.
        {"people tree", [&] { SelectPerson(m_neighbours); }, L"DlgPerson"},
        {"mood list", [&] { SelectMood(L"Calm"); }, L"MoodDescription"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view);
        c.select();
        EXPECT_EQ(DialogsOfKey('I', kControlKey), std::vector<EString>{Caption(c.caption)});
    }
}

// Enter edits the selected item of the focused view with one editor.
TEST_F(KeysInFrameTest, EnterOpensOneEditorOfTheSelectedItem)
{
    const struct {
        const char* view;
        std::function<void()> select;
        const wchar_t* caption;
    } cases[] = {
        {"task list", [&] { SelectTask(m_roses); }, L"TaskCard"},
        {"category tree", [&] { SelectCategory(m_garden); }, L"DlgCategory"},
        {"people tree", [&] { SelectPerson(m_ann); }, L"DlgPerson"},
        {"mood list", [&] { SelectMood(L"Busy"); }, L"MoodDescription"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view);
        c.select();
        EXPECT_EQ(DialogsOfKey(VK_RETURN), std::vector<EString>{Caption(c.caption)});
    }
}

// F6 walks the shown panes, and the view it enters takes the next commands.
TEST_F(KeysInFrameTest, F6MovesTheFocusThroughTheShownPanesInTurn)
{
    const HWND dailyPlan = DailyPlan().GetHwnd();
    const struct {
        const char* name;
        HWND view;
    } turns[] = {
        {"categories", CategoryTree()},
        {"daily plan", dailyPlan},
        {"people", PeopleTree()},
        {"task list", TaskList()},
    };
    Focus(TaskList());
    for (const auto& turn : turns) {
        SCOPED_TRACE(turn.name);
        ASSERT_TRUE(PressKeyThroughLoop(m_loop, VK_F6));
        EXPECT_TRUE(HoldsFocus(turn.view));
        EXPECT_EQ(Doc().GetDocumentWindow(), turn.view);
    }
    EXPECT_FALSE(SaveWindowScreenshot(*m_frame, L"keys_in_frame_f6").IsEmpty());
}

// Tab, Shift+F6 and Ctrl+P are taken by the keyboard table and do nothing.
TEST_F(KeysInFrameTest, KeysWithoutACommandLeaveTheFocusWhereItIs)
{
    const struct {
        const char* name;
        UINT key;
        unsigned modifiers;
    } keys[] = {
        {"Tab", VK_TAB, kNoModifiers},
        {"Shift+F6", VK_F6, kShiftKey},
        {"Ctrl+P", 'P', kControlKey},
    };
    SelectTask(m_hedge);
    for (const auto& key : keys) {
        SCOPED_TRACE(key.name);
        EXPECT_TRUE(DialogsOfKey(key.key, key.modifiers).empty());
        EXPECT_EQ(::GetFocus(), TaskList().m_hWnd);
        EXPECT_EQ(Doc().GetFirstSelectedTaskId(), m_hedge);
    }
}

} // namespace
