// Copy, cut and paste in the real main window: the keys and the Edit commands reach the pane that has the focus, and tasks and categories land where the user pasted them, in the document and the saved file.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "document/Clipboard.h"
#include "document/SilentPrompts.h"
#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "foundation/OleDate.h"
#include "resources/EditCommandIds.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/common/TreeViewHandler.h"

namespace {

const double kDeadline = MakeOleDate(2026, 3, 18);
// Far from the day the tests run: no recurring occurrence is added on it.
const double kMonday = MakeOleDate(2030, 1, 7);

class ClipboardInFrameTest : public FrameTest {
protected:
    ClipboardInFrameTest() : FrameTest(L"clipboard_in_frame") {}

    void SetUp() override
    {
        FrameTest::SetUp();
        OpenFrame(m_prompts);
        ASSERT_TRUE(Categories().IsWindow());
        Doc().SetStatusFilter(0);
        m_home = AddCategory(L"Home");
        m_work = AddCategory(L"Work");
        Doc().SetCurrentCategoryId(m_home);
        m_stamps = AddTask(L"Buy stamps");
        m_bills = AddTask(L"Pay the bills");
        Doc().Notify(nullptr, NotifyCode::kAll);
        ASSERT_TRUE(::OpenClipboard(*m_frame) && ::EmptyClipboard() && ::CloseClipboard());
    }

    CCategoryTree& Tree() { return Categories(); }

    int AddCategory(const wchar_t* name) { return NewCategory(name); }
    int AddTask(const wchar_t* name) { return NewTask(name, 1, kDeadline); }

    // Posted as the mouse sends them; done once the control has taken them.
    void ClickAt(HWND control, POINT point, WPARAM keys = 0)
    {
        ::PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(point.x, point.y));
        ::PostMessageW(control, WM_LBUTTONUP, keys, MAKELPARAM(point.x, point.y));
        WaitForMouseTaken(control);
    }
    // A click on the category's name: the tree takes the focus and the task list shows its tasks.
    void ClickCategory(int categoryId)
    {
        const CTreeViewHandler tree(Tree().m_hWnd);
        const HTREEITEM item = tree.FindByData(TreeView_GetRoot(Tree().m_hWnd), categoryId);
        ASSERT_NE(item, nullptr) << "category " << categoryId << " is not in the tree";
        TreeView_EnsureVisible(Tree().m_hWnd, item);
        RECT text = {};
        TreeView_GetItemRect(Tree().m_hWnd, item, &text, TRUE);
        // On the folder picture: a click on the name of the selected item would start renaming it.
        ClickAt(Tree().m_hWnd, {text.left - 8, (text.top + text.bottom) / 2});
        ASSERT_EQ(Doc().GetCurrentCategoryId(), categoryId);
        ASSERT_EQ(::GetFocus(), Tree().m_hWnd);
    }
    // Clicks on the rows of the tasks, Ctrl held from the second on: the list has the focus.
    void ClickRows(const std::vector<int>& tasks)
    {
        const HWND list = TaskList().m_hWnd;
        ClickListBackground();
        for (size_t i = 0; i < tasks.size(); ++i) {
            const int row = TaskList().FindRow(tasks[i]);
            ASSERT_GE(row, 0) << "task " << tasks[i] << " is not listed";
            // On the row's picture, clear of the label that a click would rename.
            RECT icon = {};
            ListView_GetItemRect(list, row, &icon, LVIR_ICON);
            ClickAt(list, {(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2}, i == 0 ? 0 : MK_CONTROL);
        }
        ASSERT_EQ(ListView_GetSelectedCount(list), static_cast<UINT>(tasks.size()));
        ASSERT_EQ(::GetFocus(), list);
    }
    // A click below the last row.
    void ClickListBackground()
    {
        RECT client = {};
        ::GetClientRect(TaskList().m_hWnd, &client);
        ClickAt(TaskList().m_hWnd, {client.right / 2, client.bottom - 4});
        ASSERT_EQ(::GetFocus(), TaskList().m_hWnd);
    }

    // Ctrl and the key, from the focused window through the program's message loop.
    void PressCtrl(char key)
    {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        ::SetKeyboardState(keys);
        MSG down = {::GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(key), 1, 0, {}};
        if (!m_loop.PreTranslateMessage(&down)) {
            ::TranslateMessage(&down);
            ::DispatchMessageW(&down);
        }
        keys[VK_CONTROL] = 0;
        ::SetKeyboardState(keys);
    }

    std::vector<EString> ListedNames()
    {
        std::vector<EString> names;
        for (int row = 0; row < TaskList().GetRowCount(); ++row)
            names.push_back(TaskList().GetRowTask(row)->GetName());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::vector<EString> TaskNamesOf(CPelquornDoc& document, int categoryId)
    {
        const int current = document.GetCurrentCategoryId();
        document.SetCurrentCategoryId(categoryId);
        std::vector<TaskCard> tasks;
        document.SelectTasks(tasks, false, false);
        document.SetCurrentCategoryId(current);
        std::vector<EString> names;
        for (const TaskCard& task : tasks)
            names.push_back(task.GetName());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::vector<EString> SubCategoryNames(CPelquornDoc& document, int parentId)
    {
        std::vector<Category> children;
        document.GetSubCategories(parentId, children);
        std::vector<EString> names;
        for (const Category& child : children)
            names.push_back(child.GetName());
        std::sort(names.begin(), names.end());
        return names;
    }
    int SubCategoryNamed(CPelquornDoc& document, int parentId, const wchar_t* name)
    {
        std::vector<Category> children;
        document.GetSubCategories(parentId, children);
        for (const Category& child : children)
            if (child.GetName() == name)
                return child.GetId();
        return 0;
    }
    void SaveAndReopen(CPelquornDoc& saved) { FrameTest::SaveAndReopen(L"clipboard.qvr", saved, m_prompts); }
    int TaskNamed(CPelquornDoc& document, int categoryId, const wchar_t* name)
    {
        document.SetCurrentCategoryId(categoryId);
        std::vector<TaskCard> tasks;
        document.SelectTasks(tasks, false, false);
        for (const TaskCard& task : tasks)
            if (task.GetName() == name)
                return task.GetId();
        return 0;
    }

    // The stamps are planned and reminded of; the bills recur weekly, one occurrence done.
    void PlanAndRemind()
    {
        NewPlanEntry(kMonday, m_stamps, 9.0 / 24, 10.0 / 24);
        RecurrenceInfo weekly;
        weekly.SetPatternPeriod(RecurrenceInfo::kWeekly);
        weekly.SetMonday(1);
        weekly.SetStartDate(kMonday);
        Doc().SetRecurrence(weekly, m_bills);
        TaskPlanEntry done;
        ASSERT_TRUE(Doc().GetPlanEntry(NewPlanEntry(kMonday + 7, m_bills, 14.0 / 24, 15.5 / 24), done));
        done.SetCompleted(true);
        ASSERT_TRUE(Doc().UpdatePlanEntry(done));
        Doc().AddReminder(ReminderInfo(m_stamps, kMonday - 1, 8.5 / 24));
    }
    // What belongs to a task beside its card, as text.
    static std::vector<std::string> LinksOf(CPelquornDoc& document, int taskId)
    {
        TaskCard task;
        if (!document.GetTask(taskId, task, false))
            return {"no task"};
        std::vector<std::string> links = {"status " + std::to_string(task.GetStatus())};
        for (const double day : {kMonday, kMonday + 7}) {
            std::vector<TaskPlanEntry> entries;
            document.GetDayPlanEntries(day, entries);
            for (const TaskPlanEntry& entry : entries)
                if (entry.GetTaskId() == taskId)
                    links.push_back(WideToAnsi(EString::Formatted(L"entry %.0f %s-%s%s", day - kMonday,
                                                                  entry.GetStartTimeXmlText().c_str(),
                                                                  entry.GetEndTimeXmlText().c_str(),
                                                                  entry.IsCompleted() ? L" done" : L"")));
        }
        RecurrenceInfo rule;
        if (document.GetRecurrence(taskId, rule))
            links.push_back(WideToAnsi(EString::Formatted(L"recurs %d from %s", rule.GetPatternPeriod(),
                                                          rule.GetStartDateXmlText().c_str())));
        ReminderInfo reminder;
        if (document.GetReminder(taskId, reminder))
            links.push_back(WideToAnsi(L"reminder " + reminder.GetAlarmDateXmlText() + L" " +
                                       reminder.GetAlarmTimeXmlText()));
        return links;
    }
    // Plan entries, recurrences and reminders left behind under the ids of tasks that went.
    static int ElementsOf(CPelquornDoc& document, int taskId)
    {
        const XmlNode root = document.GetDataManager().GetDocument(true).GetDocumentElement();
        return static_cast<int>(
            root.SelectNodes(EString::Formatted(L"//PLANENTRY[@TASKID=\"%d\"] | //RECURRENCE[@ID=\"%d\"] | "
                                                L"//REMINDER[@ID=\"%d\"]",
                                                taskId, taskId, taskId))
                .GetNodes()
                .size());
    }

    SilentPrompts m_prompts;
    int m_home = 0;
    int m_work = 0;
    int m_stamps = 0;
    int m_bills = 0;
};

TEST_F(ClipboardInFrameTest, TasksCopiedFromOneCategoryArePastedIntoAnotherByKeysAndByCommands)
{
    const struct {
        const char* name;
        std::function<void()> copy;
        std::function<void()> paste;
        bool pasteInList;
    } cases[] = {
        {"Ctrl+C and Ctrl+V", [&] { PressCtrl('C'); }, [&] { PressCtrl('V'); }, true},
        {"the Edit menu's Copy and Paste", [&] { SendCommand(ID_EDIT_COPY); }, [&] { SendCommand(ID_EDIT_PASTE); },
         true},
        {"Ctrl+V on the category just clicked", [&] { PressCtrl('C'); }, [&] { PressCtrl('V'); }, false},
    };
    const std::vector<EString> both = {L"Buy stamps", L"Pay the bills"};
    std::vector<EString> inWork;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClickCategory(m_home);
        ClickRows({m_stamps, m_bills});
        c.copy();
        ClickCategory(m_work);
        if (c.pasteInList)
            ClickListBackground();
        c.paste();
        inWork.insert(inWork.end(), both.begin(), both.end());
        std::sort(inWork.begin(), inWork.end());
        EXPECT_TRUE(WaitFor([&] { return ListedNames() == inWork; })) << "the list of Work shows the pasted tasks";
        EXPECT_EQ(TaskNamesOf(Doc(), m_work), inWork);
        EXPECT_EQ(TaskNamesOf(Doc(), m_home), both) << "a copy leaves the tasks where they were";
    }
    EXPECT_FALSE(SaveWindowScreenshot(*m_frame, L"clipboard_tasks_pasted").IsEmpty());
    CPelquornDoc saved;
    SaveAndReopen(saved);
    EXPECT_EQ(TaskNamesOf(saved, m_work), inWork);
    EXPECT_EQ(TaskNamesOf(saved, m_home), both);
    EXPECT_TRUE(m_prompts.errors.empty());
}

TEST_F(ClipboardInFrameTest, ACategoryCutAndPastedMovesUnderTheOtherWithItsTasks)
{
    ClickCategory(m_home);
    PressCtrl('X');
    EXPECT_EQ(SubCategoryNames(Doc(), 0), std::vector<EString>{L"Work"}) << "the cut category left the plan";
    EXPECT_EQ(CTreeViewHandler(Tree().m_hWnd).FindByData(TreeView_GetRoot(Tree().m_hWnd), m_home), nullptr);
    ClickCategory(m_work);
    PressCtrl('V');
    const int pasted = SubCategoryNamed(Doc(), m_work, L"Home");
    ASSERT_NE(pasted, 0) << "Home is not under Work";
    EXPECT_EQ(TaskNamesOf(Doc(), pasted), (std::vector<EString>{L"Buy stamps", L"Pay the bills"}));
    // Opened, as a click on its plus sign does, Work shows it.
    const CTreeViewHandler tree(Tree().m_hWnd);
    const HTREEITEM work = tree.FindByData(TreeView_GetRoot(Tree().m_hWnd), m_work);
    ASSERT_NE(work, nullptr);
    TreeView_Expand(Tree().m_hWnd, work, TVE_EXPAND);
    EXPECT_TRUE(WaitFor([&] { return tree.FindByData(work, pasted) != nullptr; })) << "the tree shows it";
    EXPECT_FALSE(SaveWindowScreenshot(*m_frame, L"clipboard_category_pasted").IsEmpty());
    CPelquornDoc saved;
    SaveAndReopen(saved);
    EXPECT_EQ(SubCategoryNames(saved, 0), std::vector<EString>{L"Work"});
    const int savedHome = SubCategoryNamed(saved, m_work, L"Home");
    ASSERT_NE(savedHome, 0);
    EXPECT_EQ(TaskNamesOf(saved, savedHome), (std::vector<EString>{L"Buy stamps", L"Pay the bills"}));
}

TEST_F(ClipboardInFrameTest, ACutCategoryComesBackWithWhatItsTasksHadAndACopyLeavesTheOriginalsTheirs)
{
    PlanAndRemind();
    const std::vector<std::string> stamps = LinksOf(Doc(), m_stamps);
    const std::vector<std::string> bills = LinksOf(Doc(), m_bills);
    ASSERT_EQ(stamps.size(), 3u);
    ASSERT_EQ(bills.size(), 3u);
    const int archive = AddCategory(L"Archive");
    Doc().Notify(nullptr, NotifyCode::kAll);
    const struct {
        const char* name;
        char key;
        int target;
    } cases[] = {
        {"copy", 'C', m_work},
        {"cut", 'X', archive},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClickCategory(m_home);
        PressCtrl(c.key);
        ClickCategory(c.target);
        PressCtrl('V');
        CPelquornDoc saved;
        SaveAndReopen(saved);
        if (c.target == m_work) {
            EXPECT_EQ(LinksOf(saved, m_stamps), stamps);
            EXPECT_EQ(LinksOf(saved, m_bills), bills);
            continue;
        }
        // Read before the day's entries are: reading them drops those of tasks that are gone.
        EXPECT_EQ(ElementsOf(saved, m_stamps) + ElementsOf(saved, m_bills), 0) << "nothing is left under the old ids";
        const int home = SubCategoryNamed(saved, archive, L"Home");
        ASSERT_NE(home, 0);
        EXPECT_EQ(LinksOf(saved, TaskNamed(saved, home, L"Buy stamps")), stamps);
        EXPECT_EQ(LinksOf(saved, TaskNamed(saved, home, L"Pay the bills")), bills);
    }
    EXPECT_TRUE(m_prompts.errors.empty());
}

TEST_F(ClipboardInFrameTest, APasteThatAddsNothingLeavesThePlanUnmodified)
{
    const struct {
        const char* name;
        std::function<void()> hold;
        // Refused with the reason shown.
        size_t errors = 0;
    } clipboards[] = {
        {"text of another program",
         [&] {
             ASSERT_TRUE(::OpenClipboard(*m_frame) && ::EmptyClipboard());
             const HGLOBAL text = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(L"<ROOT/>"));
             ::memcpy(::GlobalLock(text), L"<ROOT/>", sizeof(L"<ROOT/>"));
             ::GlobalUnlock(text);
             ::SetClipboardData(CF_UNICODETEXT, text);
             ::CloseClipboard();
         }},
        {"an empty fragment", [&] { Clipboard::SetPrivateClipboardText(L"<ROOT></ROOT>", *m_frame); }},
        {"a fragment of nothing to paste", [&] { Clipboard::SetPrivateClipboardText(L"<ROOT><DAILY/></ROOT>", *m_frame); }},
        {"no XML", [&] { Clipboard::SetPrivateClipboardText(L"<ROOT><TASK", *m_frame); }},
        {"no plan's fragment", [&] { Clipboard::SetPrivateClipboardText(L"<TASK ID=\"1\"/>", *m_frame); }, 1},
        {"an id that is no number",
         [&] { Clipboard::SetPrivateClipboardText(L"<ROOT><TASK ID=\"one\"/></ROOT>", *m_frame); }, 1},
        {"a number that is none",
         [&] { Clipboard::SetPrivateClipboardText(L"<ROOT><TASK ID=\"1\" STATUS=\"done\"/></ROOT>", *m_frame); }, 1},
    };
    const struct {
        const char* name;
        std::function<void()> focus;
    } panes[] = {
        {"the tree", [&] { ClickCategory(m_work); }},
        {"the list", [&] { ClickListBackground(); }},
    };
    Doc().SetPathName(FileSystem::JoinPath(m_folder, L"clipboard.qvr"));
    for (const auto& clipboard : clipboards) {
        for (const auto& pane : panes) {
            SCOPED_TRACE(std::string(clipboard.name) + " pasted in " + pane.name);
            // Choosing a category is a change of the plan: the paste starts after it is saved.
            pane.focus();
            ASSERT_TRUE(Doc().Save());
            const std::string saved = ReadFileBytes(Doc().GetPathName());
            m_prompts.errors.clear();
            clipboard.hold();
            PressCtrl('V');
            // What the paste posted is handled.
            WaitFor([] {
                MSG pending;
                return !::PeekMessageW(&pending, nullptr, 0, 0, PM_NOREMOVE);
            });
            EXPECT_EQ(Doc().IsModified(), 0);
            wchar_t title[MAX_PATH] = {};
            ::GetWindowTextW(*m_frame, title, MAX_PATH);
            EXPECT_EQ(EString(title).find(L'*'), EString::npos) << WideToAnsi(title);
            EXPECT_EQ(m_prompts.errors.size(), clipboard.errors);
            EXPECT_EQ(ReadFileBytes(Doc().GetPathName()), saved);
        }
    }
}

// Tasks stay selected in the list while the tree has the focus: Copy takes what the focused pane shows.
TEST_F(ClipboardInFrameTest, CopyTakesTheFocusedPanesItemNotAnotherPanesSelection)
{
    const struct {
        const char* name;
        std::function<void()> focus;
        bool category;
    } cases[] = {
        {"the tree focused", [&] { ClickCategory(m_home); }, true},
        {"the list focused", [&] { ClickRows({m_bills}); }, false},
    };
    ClickCategory(m_home);
    ClickRows({m_stamps});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.focus();
        PressCtrl('C');
        const EString held = Clipboard::GetPrivateClipboardText(*m_frame);
        EXPECT_EQ(held.find(L"<CATEGORY") != EString::npos, c.category) << held.c_str();
        EXPECT_NE(held.find(L"Pay the bills"), EString::npos) << held.c_str();
        if (!c.category) {
            EXPECT_EQ(held.find(L"Buy stamps"), EString::npos) << "only the selected task: " << held.c_str();
        }
    }
}

// Another program holding the clipboard open makes Cut fail: what it would cut stays in the plan.
TEST_F(ClipboardInFrameTest, CutWhileAnotherWindowHoldsTheClipboardKeepsWhatItWouldCut)
{
    const HWND holder = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(holder, nullptr);
    const struct {
        const char* name;
        std::function<void()> focus;
    } cases[] = {
        {"tasks in the list", [&] { ClickRows({m_stamps, m_bills}); }},
        {"a category in the tree", [&] { ClickCategory(m_work); }},
    };
    ClickCategory(m_home);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.focus();
        ASSERT_TRUE(::OpenClipboard(holder));
        PressCtrl('X');
        ::CloseClipboard();
        EXPECT_EQ(TaskNamesOf(Doc(), m_home), (std::vector<EString>{L"Buy stamps", L"Pay the bills"}));
        EXPECT_EQ(SubCategoryNames(Doc(), 0), (std::vector<EString>{L"Home", L"Work"}));
    }
    ::DestroyWindow(holder);
}

} // namespace
