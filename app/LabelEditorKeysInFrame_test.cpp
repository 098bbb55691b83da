// Renaming in place in the real main window: the label editors of the trees and the task list get the editing keys before the keyboard table.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "app/FrameKeys.h"
#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "foundation/Clock.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/tasks/SilentPrompts.h"

namespace {

EString ClipboardText()
{
    EString text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

class LabelEditorKeysTest : public FrameTest {
protected:
    LabelEditorKeysTest() : FrameTest(L"label_editor_keys") {}

    void SetUp() override
    {
        FrameTest::SetUp();
        OpenFrame(m_prompts);
        Category garden(L"Garden", L"", 0, 0);
        ASSERT_TRUE(Doc().AddCategory(0, garden));
        m_garden = garden.GetId();
        // No full name: the label shows the name.
        Person morgan(0, L"Morgan", L"", L"", L"", 0);
        ASSERT_TRUE(Doc().AddPerson(0, morgan));
        m_morgan = morgan.GetId();
        Doc().SetStatusFilter(0);
        TaskCard hedge(L"Hedges", L"", 1, Clock::Today() + 2, 1, 0, 0, 0, -1);
        ASSERT_TRUE(Doc().AddTask(hedge));
        m_hedges = hedge.GetId();
        Doc().Notify(nullptr, NotifyCode::kAll);
        ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return TaskList().FindRow(m_hedges) >= 0; }));
    }

    HWND PaneView(CMainFrame::Pane pane) { return m_frame->GetPane(pane)->Client(); }
    EString CategoryName()
    {
        Category category;
        return Doc().GetCategory(m_garden, category) ? category.GetName() : EString(L"(gone)");
    }
    EString PersonName()
    {
        Person person;
        return Doc().GetPerson(m_morgan, person) ? person.GetName() : EString(L"(gone)");
    }
    EString TaskName()
    {
        TaskCard task;
        return Doc().GetTask(m_hedges, task, false) ? task.GetName() : EString(L"(gone)");
    }
    CPelquornView& TaskList() { return m_frame->GetTaskList(); }

    // As a click on the selected item's label: its editor opens with the focus.
    HWND StartRenaming(HWND tree, int id)
    {
        const HTREEITEM item = FindTreeItem(tree, id);
        EXPECT_NE(item, nullptr);
        TreeView_SelectItem(tree, item);
        ::SetFocus(tree);
        TreeView_EditLabel(tree, item);
        return EditorWithFocus(TreeView_GetEditControl(tree));
    }
    HWND StartRenamingTask()
    {
        const int row = TaskList().FindRow(m_hedges);
        TaskList().SelectRow(row);
        ::SetFocus(TaskList());
        ListView_EditLabel(TaskList(), row);
        return EditorWithFocus(ListView_GetEditControl(TaskList()));
    }
    HWND EditorWithFocus(HWND editor)
    {
        EXPECT_TRUE(editor && WaitThroughLoop(m_loop, [&] { return ::GetFocus() == editor; }));
        return editor;
    }

    SilentPrompts m_prompts;
    int m_garden = 0;
    int m_morgan = 0;
    int m_hedges = 0;
};

// Cut, copy, paste and Delete edit the label's text; Escape leaves the name
// as it was and Enter renames; none of them acts on the item itself.
TEST_F(LabelEditorKeysTest, TheEditingKeysEditTheLabelAndNeverTheItem)
{
    const HWND categories = PaneView(CMainFrame::CategoriesPane);
    const HWND people = PaneView(CMainFrame::PeoplePane);
    const struct {
        const char* view;
        std::function<HWND()> startRenaming;
        std::function<HWND()> editor;
        std::function<int()> items;
        std::function<EString()> name;
    } views[] = {
        // First: choosing a category in the tree filters the list.
        {"task list", [&] { return StartRenamingTask(); }, [&] { return ListView_GetEditControl(TaskList()); },
         [&] { return TaskList().GetRowCount(); }, [&] { return TaskName(); }},
        {"category tree", [&] { return StartRenaming(categories, m_garden); },
         [&] { return TreeView_GetEditControl(categories); }, [&] { return int(TreeView_GetCount(categories)); },
         [&] { return CategoryName(); }},
        {"people tree", [&] { return StartRenaming(people, m_morgan); },
         [&] { return TreeView_GetEditControl(people); }, [&] { return int(TreeView_GetCount(people)); },
         [&] { return PersonName(); }},
    };
    for (const auto& view : views) {
        SCOPED_TRACE(view.view);
        const EString name = view.name();
        const int items = view.items();
        std::vector<EString> opened;
        DialogAnswerer answerer([&](HWND dialog) {
            opened.push_back(WindowText(dialog));
            CancelDialog(dialog);
        });
        const HWND editor = view.startRenaming();
        ASSERT_NE(editor, nullptr);
        ASSERT_EQ(WindowText(editor), name);
        const EString head = name.substr(0, 3);
        const EString tail = name.substr(3);
        const struct {
            const char* keys;
            int from, to;
            UINT key;
            unsigned modifiers;
            EString text;
            EString clipboard;
        } steps[] = {
            {"Ctrl+C", 0, -1, 'C', kControlKey, name, name},
            {"Ctrl+X", 0, 3, 'X', kControlKey, tail, head},
            {"Ctrl+V", 99, 99, 'V', kControlKey, tail + head, head},
            {"Delete", 0, 1, VK_DELETE, kNoModifiers, tail.substr(1) + head, head},
            {"Shift+Insert", 0, 0, VK_INSERT, kShiftKey, head + tail.substr(1) + head, head},
        };
        for (const auto& step : steps) {
            SCOPED_TRACE(step.keys);
            ::SendMessageW(editor, EM_SETSEL, step.from, step.to);
            ASSERT_TRUE(PressKeyThroughLoop(m_loop, step.key, step.modifiers));
            EXPECT_EQ(WindowText(editor), step.text);
            EXPECT_EQ(ClipboardText(), step.clipboard);
            EXPECT_EQ(view.editor(), editor) << "the editor stays open";
            EXPECT_EQ(view.items(), items);
        }
        EXPECT_FALSE(SaveWindowScreenshot(*m_frame, L"label_editor_keys").IsEmpty());
        ASSERT_TRUE(PressKeyThroughLoop(m_loop, VK_ESCAPE));
        EXPECT_EQ(view.editor(), nullptr);
        EXPECT_EQ(view.name(), name);

        const HWND again = view.startRenaming();
        ASSERT_NE(again, nullptr);
        ::SendMessageW(again, EM_SETSEL, 0, -1);
        ASSERT_TRUE(TypeThroughLoop(m_loop, L"Orchard"));
        ASSERT_TRUE(PressKeyThroughLoop(m_loop, VK_RETURN));
        EXPECT_TRUE(WaitThroughLoop(m_loop, [&] { return view.name() == L"Orchard"; }));
        EXPECT_EQ(view.editor(), nullptr);
        EXPECT_EQ(view.items(), items);
        EXPECT_TRUE(opened.empty()) << "a key reached a command of the view";
    }
}

} // namespace
