// The people tree on a real document: its items, their order, the commands through scripted editors, and what it keeps in the file; what it shows also on a stand-in of its face.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <functional>
#include <optional>
#include <type_traits>
#include <vector>

#include "dialogs/PersonDialogIds.h"
#include "document/Clipboard.h"
#include "document/IPeopleDocument.h"
#include "document/PelquornDoc.h"
#include "document/PelquornDragData.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "document/SilentPrompts.h"
#include "views/common/AtlDropSource.h"
#include "views/common/FakeViewDocument.h"
#include "views/tasks/PeopleTreeView.h"
#include "views/tasks/PelquornView.h"
#include "views/common/ViewTestSupport.h"

namespace {

// Each editor answers with the next scripted answer, Cancel when none is left.
class ScriptedPeopleDialogs : public IPeopleTreeDialogs {
public:
    bool EditGroup(HWND, EString& name, EString& description) override
    {
        shownGroups.push_back({name, description});
        if (groupAnswers.empty())
            return false;
        const auto answer = groupAnswers.front();
        groupAnswers.pop_front();
        if (!answer)
            return false;
        name = answer->first;
        description = answer->second;
        return true;
    }
    bool EditPerson(HWND, PersonDialogFields& fields) override
    {
        shownPeople.push_back(fields);
        if (personAnswers.empty())
            return false;
        const auto answer = personAnswers.front();
        personAnswers.pop_front();
        if (!answer)
            return false;
        fields = *answer;
        return true;
    }
    bool ConfirmDelete(const EString& question) override
    {
        questions.push_back(question);
        return deleteAnswer;
    }

    std::deque<std::optional<std::pair<EString, EString>>> groupAnswers;
    std::deque<std::optional<PersonDialogFields>> personAnswers;
    std::vector<std::pair<EString, EString>> shownGroups;
    std::vector<PersonDialogFields> shownPeople;
    std::vector<EString> questions;
    bool deleteAnswer = true;
};

// Hands the tree its notifications back, as its docking pane does; a
// tracked menu is answered with the scripted choice, as the main frame does.
class PeopleFrame : public RecordingFrame {
public:
    HWND view = nullptr;
    UINT menuChoice = 0;

    BEGIN_MESSAGE_MAP(PeopleFrame)
        ON_MESSAGE(WM_PELQUORN_TRACK_MENU, OnTrack)
        REFLECT_NOTIFICATIONS()
        CHAIN_MESSAGE_MAP(RecordingFrame)
    END_MESSAGE_MAP()

private:
    LRESULT OnTrack(UINT, WPARAM, LPARAM, bool& handled)
    {
        if (menuChoice)
            ::SendMessageW(view, WM_COMMAND, MAKEWPARAM(menuChoice, 0), 0);
        handled = false;
        return 0;
    }
};

PersonDialogFields PersonFields(const wchar_t* name, const wchar_t* fullName = L"", const wchar_t* email = L"")
{
    return {name, L"", fullName, email, 0};
}

// The people and groups of a plan, each group's members after it in the
// order added, and the tree's kept state; a change marks it modified, and an
// expansion stored differently too, as the document's do.
class FakePeopleDocument : public FakeViewDocument, public IPeopleDocument {
public:
    bool AddPerson(int groupId, Person& person) override
    {
        m_modified = 1;
        m_entries.push_back({groupId, person});
        return true;
    }
    bool UpdatePerson(const Person& person) override
    {
        m_modified = 1;
        for (Entry& entry : m_entries)
            if (entry.person.GetId() == person.GetId()) {
                entry.person = person;
                return true;
            }
        return false;
    }
    // A group goes with its members.
    void DeletePerson(int id) override
    {
        m_modified = 1;
        std::vector<int> gone = {id};
        for (size_t next = 0; next < gone.size(); ++next)
            for (const Entry& entry : m_entries)
                if (entry.groupId == gone[next])
                    gone.push_back(entry.person.GetId());
        std::erase_if(m_entries, [&](const Entry& entry) {
            return std::find(gone.begin(), gone.end(), entry.person.GetId()) != gone.end();
        });
    }
    bool GetPerson(int id, Person& person) override
    {
        for (const Entry& entry : m_entries)
            if (entry.person.GetId() == id) {
                person = entry.person;
                return true;
            }
        return false;
    }
    bool GetPeople(int groupId, std::vector<Person>& people) override
    {
        people.clear();
        for (const Entry& entry : m_entries)
            if (entry.groupId == groupId)
                people.push_back(entry.person);
        return true;
    }
    void SetSelectedPerson(int id) override { m_selected = id; }
    int GetSelectedPerson() override { return m_selected; }
    void SavePeopleTreeState(const std::vector<int>& expandedIds) override
    {
        if (expandedIds == m_expanded)
            return;
        m_modified = 1;
        m_expanded = expandedIds;
    }
    void LoadPeopleTreeState(std::vector<int>& expandedIds) override { expandedIds = m_expanded; }
    int IsModified() const override { return m_modified; }
    void SetModified(int modified) override { m_modified = modified; }

private:
    struct Entry {
        int groupId = 0;
        Person person;
    };
    std::vector<Entry> m_entries;
    std::vector<int> m_expanded;
    int m_selected = 0;
    int m_modified = 0;
};

// The tree, its frame and its editors over a document: the program's, or a
// stand-in of the people tree's face where only what the tree shows counts.
template <class Document>
class PeopleTreeFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        Resource::Dictionary().Clear();
        ASSERT_TRUE(Resource::Load(SourcePath(L"resources/Language/English.txt")));
        ASSERT_TRUE(tree.Create(frame.m_hWnd));
        tree.MoveWindow(RECT{0, 0, 260, 240});
        tree.SetDialogs(&dialogs);
        frame.view = tree.m_hWnd;
        if constexpr (std::is_same_v<Document, CPelquornDoc>) {
            document.SetPrompts(&prompts);
            ASSERT_TRUE(document.OnNewDocument());
        }
        document.Attach(&tree);
        document.Notify(nullptr, NotifyCode::kDocumentLoaded);
        ASSERT_TRUE(WaitFor([&] { return TreeView_GetImageList(tree.m_hWnd, TVSIL_NORMAL) != nullptr; }));
        // Our own people in place of the defaults the first fill wrote.
        std::vector<Person> defaults;
        ASSERT_TRUE(document.GetPeople(0, defaults));
        family = AddEntry(0, true, L"Family");
        work = AddEntry(0, true, L"Work");
        ann = AddEntry(family, false, L"ann", L"Ann Smith");
        bob = AddEntry(family, false, L"bob");
        carl = AddEntry(work, false, L"", L"", L"carl@example.org");
        dora = AddEntry(0, false, L"Dora");
        for (const Person& person : defaults)
            document.DeletePerson(person.GetId());
        document.Notify(nullptr, NotifyCode::kAll);
        document.SetModified(0);
    }
    void TearDown() override
    {
        EXPECT_TRUE(prompts.errors.empty()) << prompts.errors.front().c_str();
        document.Detach(&tree);
        tree.DestroyWindow();
        Resource::Dictionary().Clear();
        ClearProgramRegistry();
    }

    int AddEntry(int groupId, bool group, const wchar_t* name, const wchar_t* fullName = L"",
                 const wchar_t* email = L"")
    {
        Person person(group ? 1 : 0, name, L"", fullName, email, 0);
        EXPECT_TRUE(document.AddPerson(groupId, person));
        return person.GetId();
    }
    EString Text(HTREEITEM item) const
    {
        wchar_t text[128] = {};
        TVITEMW tvItem = {};
        tvItem.mask = TVIF_TEXT | TVIF_HANDLE;
        tvItem.hItem = item;
        tvItem.pszText = text;
        tvItem.cchTextMax = 128;
        TreeView_GetItem(tree.m_hWnd, &tvItem);
        return text;
    }
    // Groups as "Name[members]", people by their text, siblings in control
    // order; a group's image differs from a person's, or the text says "?".
    EString Describe(HTREEITEM first) const
    {
        EString out;
        for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree.m_hWnd, item)) {
            TVITEMW tvItem = {};
            tvItem.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
            tvItem.hItem = item;
            TreeView_GetItem(tree.m_hWnd, &tvItem);
            if (!out.empty())
                out += L",";
            out += Text(item);
            if (tvItem.iImage != tvItem.iSelectedImage)
                out += L"?";
            if (tvItem.iImage == CPeopleTreeView::kGroupImage)
                out += L"[" + Describe(TreeView_GetChild(tree.m_hWnd, item)) + L"]";
            else if (tvItem.iImage != CPeopleTreeView::kPersonImage)
                out += L"?";
        }
        return out;
    }
    EString Shown() const { return Describe(TreeView_GetRoot(tree.m_hWnd)); }
    HTREEITEM Item(int id) const { return tree.FindPerson(id); }
    void Select(int id) { TreeView_SelectItem(tree.m_hWnd, Item(id)); }
    int SelectedId() const { return tree.GetItemId(TreeView_GetSelection(tree.m_hWnd)); }
    bool Expanded(int id) const
    {
        return (TreeView_GetItemState(tree.m_hWnd, Item(id), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    }
    void Command(WORD id) { tree.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // The posted selection of a new item has arrived.
    void WaitForSelection(int id)
    {
        EXPECT_TRUE(WaitFor([&] { return SelectedId() == id; })) << id;
    }
    Person Entry(int id)
    {
        Person person;
        EXPECT_TRUE(document.GetPerson(id, person)) << id;
        return person;
    }
    bool Exists(int id) { return document.GetDataManager().FindPerson(id).IsElement(); }
    int NewestId()
    {
        const int next = Person::NextId();
        Person::SetIdCounter(next - 1);
        return next - 1;
    }

    PeopleFrame frame;
    SilentPrompts prompts;
    ScriptedPeopleDialogs dialogs;
    Document document;
    CPeopleTreeView tree;
    int family = 0, work = 0, ann = 0, bob = 0, carl = 0, dora = 0;
};

using PeopleTreeTest = PeopleTreeFixture<CPelquornDoc>;
using PeopleTreeOnFakeTest = PeopleTreeFixture<FakePeopleDocument>;

TEST_F(PeopleTreeOnFakeTest, EveryEntryIsShownByItsDisplayNameNestedAndSortedAmongItsSiblings)
{
    TreeView_Expand(tree.m_hWnd, Item(family), TVE_EXPAND);
    TreeView_Expand(tree.m_hWnd, Item(work), TVE_EXPAND);
    // Full name first, then the name, then the e-mail; groups and people
    // sorted together by their text.
    EXPECT_EQ(Shown(), EString(L"Dora,Family[Ann Smith,bob],Work[carl@example.org]"));
    EXPECT_EQ(TreeView_GetCount(tree.m_hWnd), 6u);
    EXPECT_EQ(document.IsModified(), 0) << "showing the people is no edit";
    EXPECT_FALSE(SaveWindowScreenshot(frame.m_hWnd, L"people_tree").IsEmpty());
}

TEST_F(PeopleTreeTest, ALongLabelSelectedInANarrowPaneLeavesTheTreeAtItsLeftEdge)
{
    const int longName = AddEntry(family, false, L"Somebody with a very long name indeed");
    tree.MoveWindow(RECT{0, 0, 90, 200});
    struct Case {
        const char* name;
        std::function<void()> select;
    };
    const Case cases[] = {
        {"refill", [&] {
             Select(longName);
             document.Notify(nullptr, NotifyCode::kAll);
         }},
        {"opened plan", [&] {
             document.SetSelectedPerson(longName);
             document.Notify(nullptr, NotifyCode::kDocumentLoaded);
         }},
        {"new entry", [&] {
             Select(family);
             dialogs.personAnswers = {PersonFields(L"Another person with a very long name")};
             Command(ID_TASK_ADD);
             WaitForSelection(NewestId());
         }},
    };
    for (const Case& test : cases) {
        tree.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
        test.select();
        EXPECT_EQ(::GetScrollPos(tree.m_hWnd, SB_HORZ), 0) << test.name;
    }
    EXPECT_FALSE(SaveWindowScreenshot(tree.m_hWnd, L"people_tree_narrow").IsEmpty());
}

TEST_F(PeopleTreeOnFakeTest, ARefillKeepsTheExpandedGroupsAndTheSelectionOrFallsBackToTheParent)
{
    TreeView_Expand(tree.m_hWnd, Item(work), TVE_EXPAND);
    Select(bob);
    AddEntry(work, false, L"Eve");
    document.Notify(nullptr, NotifyCode::kAll);
    EXPECT_EQ(Shown(), EString(L"Dora,Family[Ann Smith,bob],Work[carl@example.org,Eve]"));
    EXPECT_EQ(SelectedId(), bob);
    EXPECT_TRUE(Expanded(work));
    EXPECT_TRUE(Expanded(family)) << "the way to the selection is open";

    // Another view removed the selected person: its group is selected.
    document.DeletePerson(bob);
    document.Notify(nullptr, NotifyCode::kReload);
    EXPECT_EQ(SelectedId(), family);
    EXPECT_EQ(tree.GetCurrentItem(), Item(family));
}

TEST_F(PeopleTreeTest, AFilterChangeKeepsTheItemsAsTheyAre)
{
    // A mark of the control's own that a refill would not keep.
    TreeView_SetItemState(tree.m_hWnd, Item(ann), TVIS_BOLD, TVIS_BOLD);
    document.SetStatusFilter(2);
    EXPECT_EQ(TreeView_GetItemState(tree.m_hWnd, Item(ann), TVIS_BOLD), static_cast<UINT>(TVIS_BOLD));
}

TEST_F(PeopleTreeTest, SelectingSomeoneLeavesTheTaskListAndThePlanAlone)
{
    CPelquornView taskList;
    ASSERT_TRUE(taskList.Create(frame.m_hWnd));
    taskList.SendViewMessage(WM_VIEW_DEFERRED_INIT, 0, 0);
    document.Attach(&taskList);
    TaskCard task(L"Call the plumber", L"", 1, 46083.0, 1, 0, 0, 0, -1);
    ASSERT_TRUE(document.AddTask(task));
    document.Notify(nullptr, NotifyCode::kTasksChanged);
    taskList.SelectRow(taskList.FindRow(task.GetId()));
    const int rows = taskList.GetRowCount();
    const int category = document.GetCurrentCategoryId();
    document.SetModified(0);
    frame.Clear();

    for (int id : {ann, work, dora}) {
        Select(id);
        EXPECT_EQ(tree.GetCurrentItem(), Item(id)) << "the commands follow the selection";
        EXPECT_EQ(document.GetSelectedPerson(), id);
    }
    EXPECT_EQ(taskList.GetRowCount(), rows);
    EXPECT_EQ(taskList.FindRow(task.GetId()), 0);
    EXPECT_EQ(ListView_GetNextItem(taskList.m_hWnd, -1, LVNI_SELECTED), 0) << "the task stays selected";
    EXPECT_EQ(document.GetCurrentCategoryId(), category);
    EXPECT_EQ(document.IsModified(), 0);
    EXPECT_TRUE(frame.messages.empty()) << "an inactive tree pushes no command states";
    document.Detach(&taskList);
    taskList.DestroyWindow();
}

TEST_F(PeopleTreeTest, AddIsOfferedAtTheTopAndInsideGroupsEditAndDeleteOnAnyItem)
{
    struct Case {
        const char* name;
        int selected; // 0: nothing selected
        int editAndDelete;
        int add;
    };
    const Case cases[] = {
        {"nothing", 0, 0, 1},
        {"a group", family, 1, 1},
        {"a person in a group", ann, 1, 0},
        {"a person at the top", dora, 1, 0},
    };
    for (const Case& test : cases) {
        if (test.selected)
            Select(test.selected);
        else
            TreeView_SelectItem(tree.m_hWnd, nullptr);
        frame.Clear();
        tree.UpdateCommandUI(true);
        const std::vector<CommandUiState> expected = {
            {.checked = 0, .enabled = test.editAndDelete, .commandId = ID_TASK_DELETE},
            {.checked = 0, .enabled = test.editAndDelete, .commandId = ID_TASK_EDIT},
            {.checked = 0, .enabled = test.add, .commandId = ID_TASK_ADD},
            {.checked = 0, .enabled = test.add, .commandId = ID_ADD_GROUP},
        };
        EXPECT_EQ(frame.states, expected) << test.name;
        frame.Clear();
        tree.UpdateCommandUI(false);
        ASSERT_EQ(frame.states.size(), 4u) << test.name;
        for (const CommandUiState& state : frame.states)
            EXPECT_EQ(state.enabled + state.checked, 0) << test.name << " inactive " << state.commandId;
    }
}

TEST_F(PeopleTreeTest, AddingAGroupOrAPersonPutsItUnderTheCurrentGroupAndSelectsIt)
{
    struct Case {
        const char* name;
        int selected; // 0: nothing selected
        WORD command;
        int parent;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {"a group at the top", 0, ID_ADD_GROUP, 0, L"Clients"},
        {"a group in a group", work, ID_ADD_GROUP, work, L"Clients"},
        {"a person at the top", 0, ID_TASK_ADD, 0, L"Fay Wong"},
        {"a person in a group", family, ID_TASK_ADD, family, L"Fay Wong"},
    };
    for (const Case& test : cases) {
        if (test.selected)
            Select(test.selected);
        else
            TreeView_SelectItem(tree.m_hWnd, nullptr);
        dialogs.groupAnswers = {std::pair<EString, EString>{L"Clients", L"who pays"}};
        dialogs.personAnswers = {PersonFields(L"fay", L"Fay Wong", L"fay@example.org")};
        Command(test.command);
        const int id = NewestId();
        WaitForSelection(id);
        const HTREEITEM item = Item(id);
        ASSERT_NE(item, nullptr) << test.name;
        EXPECT_EQ(Text(item), EString(test.shown)) << test.name;
        EXPECT_EQ(tree.GetItemId(TreeView_GetParent(tree.m_hWnd, item)), test.parent) << test.name;
        std::vector<Person> members;
        ASSERT_TRUE(document.GetPeople(test.parent, members));
        EXPECT_EQ(members.back().GetId(), id) << test.name;
        EXPECT_EQ(members.back().IsGroup(), test.command == ID_ADD_GROUP) << test.name;
        EXPECT_EQ(document.IsModified(), 1) << test.name;
    }
    EXPECT_EQ(Entry(NewestId()).GetEmail(), EString(L"fay@example.org"));
    EXPECT_EQ(dialogs.shownGroups.front(), (std::pair<EString, EString>{L"", L""})) << "a new group starts empty";
}

// The group editor does not exist yet: the program's own Add Group adds nothing.
TEST_F(PeopleTreeTest, TheProgramsOwnEditorsAddAPersonThroughThePersonDialogButNoGroup)
{
    tree.SetDialogs(nullptr);
    Select(family);
    bool okAtFirst = true;
    RunModalSteps(
        [&] {
            Command(ID_TASK_ADD);
            return INT_PTR{0};
        },
        {[&](HWND dialog) {
            okAtFirst = ::IsWindowEnabled(::GetDlgItem(dialog, IDOK)) != FALSE;
            SetItemText(dialog, IDC_PERSON_NAME, L"hal");
            SetItemText(dialog, IDC_PERSON_FULL_NAME, L"Hal Jordan");
            ClickButton(dialog, IDOK);
            return true;
        }});
    EXPECT_FALSE(okAtFirst) << "a new person has no name yet";
    const int hal = NewestId();
    WaitForSelection(hal);
    EXPECT_EQ(Text(Item(hal)), EString(L"Hal Jordan"));
    EXPECT_EQ(tree.GetItemId(TreeView_GetParent(tree.m_hWnd, Item(hal))), family);

    const EString before = Shown();
    RunModalExpectingNoDialog([&] {
        Command(ID_ADD_GROUP);
        return INT_PTR{0};
    });
    EXPECT_EQ(Shown(), before);
}

TEST_F(PeopleTreeTest, ACancelledEditorOrAPersonAsParentAddsNothing)
{
    struct Case {
        const char* name;
        int selected;
        WORD command;
        size_t editorsShown;
    };
    const Case cases[] = {
        {"cancelled group", family, ID_ADD_GROUP, 1},
        {"cancelled person", family, ID_TASK_ADD, 1},
        {"group under a person", ann, ID_ADD_GROUP, 0},
        {"person under a person", dora, ID_TASK_ADD, 0},
    };
    for (const Case& test : cases) {
        Select(test.selected);
        dialogs.shownGroups.clear();
        dialogs.shownPeople.clear();
        if (test.editorsShown == 0) {
            dialogs.groupAnswers = {std::pair<EString, EString>{L"Clients", L""}};
            dialogs.personAnswers = {PersonFields(L"fay")};
        }
        const EString before = Shown();
        Command(test.command);
        EXPECT_EQ(dialogs.shownGroups.size() + dialogs.shownPeople.size(), test.editorsShown) << test.name;
        EXPECT_EQ(Shown(), before) << test.name;
        EXPECT_EQ(document.IsModified(), 0) << test.name;
        dialogs.groupAnswers.clear();
        dialogs.personAnswers.clear();
    }
}

TEST_F(PeopleTreeTest, EditShowsTheEntryAndWritesWhatTheEditorGivesBack)
{
    Select(ann);
    dialogs.personAnswers = {PersonDialogFields{L"annie", L"met at school", L"", L"ann@example.org", 1}};
    Command(ID_TASK_EDIT);
    ASSERT_EQ(dialogs.shownPeople.size(), 1u);
    EXPECT_EQ(dialogs.shownPeople[0].name, EString(L"ann"));
    EXPECT_EQ(dialogs.shownPeople[0].fullName, EString(L"Ann Smith"));
    EXPECT_EQ(dialogs.shownPeople[0].requireInvitation, 0);
    const Person person = Entry(ann);
    EXPECT_EQ(person.GetName(), EString(L"annie"));
    EXPECT_EQ(person.GetDescription(), EString(L"met at school"));
    EXPECT_EQ(person.GetFullName(), EString(L""));
    EXPECT_EQ(person.GetEmail(), EString(L"ann@example.org"));
    EXPECT_EQ(Text(Item(ann)), EString(L"annie")) << "without a full name the name is shown";

    Select(work);
    dialogs.groupAnswers = {std::pair<EString, EString>{L"Office", L"nine to five"}};
    Command(ID_TASK_EDIT);
    ASSERT_EQ(dialogs.shownGroups.size(), 1u);
    EXPECT_EQ(dialogs.shownGroups[0].first, EString(L"Work"));
    EXPECT_EQ(Entry(work).GetName(), EString(L"Office"));
    EXPECT_EQ(Entry(work).GetDescription(), EString(L"nine to five"));
    EXPECT_EQ(Text(Item(work)), EString(L"Office"));

    // Cancel changes nothing.
    document.SetModified(0);
    Command(ID_TASK_EDIT);
    EXPECT_EQ(Entry(work).GetName(), EString(L"Office"));
    EXPECT_EQ(document.IsModified(), 0);
}

// A translation is no format to trust: conversions beyond the name read no argument.
TEST_F(PeopleTreeTest, ADeleteQuestionTranslatedWithMoreConversionsShowsTheNameOnly)
{
    Resource::Dictionary().Parse(L"ConfirmDeletePerson=Delete %s (%d, %s%n)?\n");
    Select(carl);
    dialogs.deleteAnswer = false;
    Command(ID_TASK_DELETE);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0], EString(L"Delete carl@example.org (, )?"));
    EXPECT_TRUE(Exists(carl));
}

TEST_F(PeopleTreeTest, DeleteAsksByNameAndRemovesAGroupWithItsMembersOnlyOnYes)
{
    struct Case {
        const char* name;
        int id;
        bool answer;
        const wchar_t* question;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {"no", family, false, L"Delete the group \"Family\" with everyone in it?",
         L"Dora,Family[Ann Smith,bob],Work[carl@example.org]"},
        {"a person", carl, true, L"Delete \"carl@example.org\" from the people?", L"Dora,Family[Ann Smith,bob],Work[]"},
        {"a group", family, true, L"Delete the group \"Family\" with everyone in it?", L"Dora,Work[]"},
    };
    for (const Case& test : cases) {
        Select(test.id);
        dialogs.questions.clear();
        dialogs.deleteAnswer = test.answer;
        Command(ID_TASK_DELETE);
        ASSERT_EQ(dialogs.questions.size(), 1u) << test.name;
        EXPECT_EQ(dialogs.questions[0], EString(test.question)) << test.name;
        EXPECT_EQ(Shown(), EString(test.shown)) << test.name;
        EXPECT_EQ(Exists(test.id), !test.answer) << test.name;
    }
    EXPECT_FALSE(Exists(ann)) << "the members went with their group";
    EXPECT_FALSE(Exists(bob));
}

TEST_F(PeopleTreeTest, RenamingInPlaceWritesTheNameAndKeepsTheTypedLabel)
{
    struct Case {
        const char* name;
        int id;
        const wchar_t* typed;
        const wchar_t* label;          // until the next refill
        const wchar_t* labelAfterRefill;
    };
    const Case cases[] = {
        {"a person with a full name", ann, L"Annie", L"Annie", L"Ann Smith"},
        {"a group", work, L"Office", L"Office", L"Office"},
        // A name of blanks would leave the item without a label: the old one stays.
        {"an empty name", bob, L"", nullptr, nullptr},
        {"blanks", bob, L"   ", nullptr, nullptr},
    };
    for (const Case& test : cases) {
        Select(test.id);
        ::SetFocus(tree.m_hWnd);
        const EString nameBefore = Entry(test.id).GetName();
        const EString labelBefore = Text(Item(test.id));
        const HWND editor = TreeView_EditLabel(tree.m_hWnd, Item(test.id));
        ASSERT_NE(editor, nullptr) << test.name;
        ::SetWindowTextW(editor, test.typed);
        TreeView_EndEditLabelNow(tree.m_hWnd, FALSE);
        if (!test.label) {
            EXPECT_EQ(Entry(test.id).GetName(), nameBefore) << test.name;
            EXPECT_EQ(Text(Item(test.id)), labelBefore) << test.name;
            EXPECT_FALSE(labelBefore.empty()) << test.name;
            continue;
        }
        EXPECT_EQ(Entry(test.id).GetName(), EString(test.typed)) << test.name;
        EXPECT_EQ(Text(Item(test.id)), EString(test.label)) << test.name;
        document.Notify(nullptr, NotifyCode::kAll);
        EXPECT_EQ(Text(Item(test.id)), EString(test.labelAfterRefill)) << test.name;
    }
}

// The frame offers keys to the tree before its accelerators: while a label
// is edited, Delete, Enter and Escape belong to the editor.
TEST_F(PeopleTreeTest, WhileALabelIsEditedItsEditorTakesTheKeysTheFrameWouldTranslate)
{
    struct Case {
        const char* name;
        bool editing;
        WPARAM key;
        bool taken;
        bool editorLeft;
    };
    const Case cases[] = {
        {"no editor", false, VK_DELETE, false, false},
        {"delete", true, VK_DELETE, true, true},
        {"a letter", true, 'A', false, true},
        {"enter", true, VK_RETURN, true, false},
    };
    Select(dora);
    for (const Case& test : cases) {
        ::SetFocus(tree.m_hWnd);
        HWND editor = nullptr;
        if (test.editing) {
            editor = TreeView_EditLabel(tree.m_hWnd, Item(dora));
            ASSERT_NE(editor, nullptr) << test.name;
            ::SetWindowTextW(editor, L"Doris");
        }
        MSG message = {editor ? editor : tree.m_hWnd, WM_KEYDOWN, test.key, 0, 0, {0, 0}};
        EXPECT_EQ(tree.PreTranslateMessage(&message), test.taken) << test.name;
        EXPECT_EQ(TreeView_GetEditControl(tree.m_hWnd) != nullptr, test.editorLeft) << test.name;
        if (TreeView_GetEditControl(tree.m_hWnd))
            TreeView_EndEditLabelNow(tree.m_hWnd, TRUE);
    }
    EXPECT_EQ(Entry(dora).GetName(), EString(L"Doris")) << "Enter ended the editing with the typed name";
}

TEST_F(PeopleTreeTest, TheContextMenuActsOnTheItemUnderTheClickThenOnTheSelectionAgain)
{
    Select(dora);
    TreeView_Expand(tree.m_hWnd, Item(family), TVE_EXPAND);
    RECT row = {};
    ASSERT_TRUE(TreeView_GetItemRect(tree.m_hWnd, Item(bob), &row, TRUE));
    POINT click = {(row.left + row.right) / 2, (row.top + row.bottom) / 2};
    ::ClientToScreen(tree.m_hWnd, &click);
    frame.menuChoice = ID_TASK_DELETE;
    dialogs.deleteAnswer = true;
    frame.Clear();
    tree.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree.m_hWnd), MAKELPARAM(click.x, click.y));
    ASSERT_EQ(frame.trackedMenus.size(), 1u);
    EXPECT_EQ(frame.trackedMenus[0].commandIds,
              (std::vector<UINT>{ID_TASK_ADD, ID_ADD_GROUP, ID_TASK_EDIT, ID_TASK_DELETE}));
    EXPECT_EQ(frame.trackedMenus[0].point.x, click.x);
    EXPECT_FALSE(Exists(bob)) << "the item under the click was deleted";
    EXPECT_TRUE(Exists(dora));
    EXPECT_EQ(tree.GetCurrentItem(), Item(dora));

    // From the keyboard the menu opens below the selected item.
    frame.menuChoice = 0;
    frame.Clear();
    tree.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree.m_hWnd), static_cast<LPARAM>(-1));
    ASSERT_EQ(frame.trackedMenus.size(), 1u);
    ASSERT_TRUE(TreeView_GetItemRect(tree.m_hWnd, Item(dora), &row, TRUE));
    POINT below = {row.left, row.bottom};
    ::ClientToScreen(tree.m_hWnd, &below);
    EXPECT_EQ(frame.trackedMenus[0].point.x, below.x);
    EXPECT_EQ(frame.trackedMenus[0].point.y, below.y);
}

TEST_F(PeopleTreeTest, ExpandedGroupsAndTheSelectionAreSavedWithThePlanAndShownAfterItOpens)
{
    const EString path = FileSystem::JoinPath(MakeScratchFolder(L"people_tree"), L"people.qvr");
    dialogs.personAnswers = {PersonFields(L"gus", L"Gus Grant")};
    Select(work);
    Command(ID_TASK_ADD);
    const int gus = NewestId();
    WaitForSelection(gus);
    // The user opens a group with the keyboard, then picks someone.
    Select(family);
    TreeView_Expand(tree.m_hWnd, Item(family), TVE_COLLAPSE);
    ::SetFocus(tree.m_hWnd);
    tree.SendMessage(WM_KEYDOWN, VK_ADD, 0);
    ASSERT_TRUE(Expanded(family));
    Select(gus);
    ASSERT_TRUE(document.OnSaveDocument(path));

    CPelquornDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(path));
    std::vector<Person> members;
    ASSERT_TRUE(saved.GetPeople(work, members));
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(members[1].GetFullName(), EString(L"Gus Grant"));
    EXPECT_EQ(saved.GetSelectedPerson(), gus);
    std::vector<int> expanded;
    saved.LoadPeopleTreeState(expanded);
    EXPECT_EQ(expanded, (std::vector<int>{family, work}));

    TreeView_Expand(tree.m_hWnd, Item(family), TVE_COLLAPSE);
    TreeView_Expand(tree.m_hWnd, Item(work), TVE_COLLAPSE);
    ASSERT_TRUE(document.OnOpenDocument(path));
    EXPECT_EQ(Shown(), EString(L"Dora,Family[Ann Smith,bob],Work[carl@example.org,Gus Grant]"));
    EXPECT_TRUE(Expanded(family));
    EXPECT_TRUE(Expanded(work));
    EXPECT_EQ(SelectedId(), gus);
    EXPECT_EQ(document.IsModified(), 0) << "showing the opened plan changes nothing";
}

// A tick of a timer, as the window's own timer would deliver it.
void Tick(CPeopleTreeView& tree, UINT_PTR timer)
{
    tree.SendMessage(WM_TIMER, timer, 0);
}

TEST_F(PeopleTreeTest, ADragRestingNearAnEdgeScrollsALineAtEachTickUntilItMovesAway)
{
    for (int i = 0; i < 30; ++i)
        AddEntry(0, false, EString::Formatted(L"Person %02d", i).c_str());
    document.Notify(nullptr, NotifyCode::kAll);
    const RECT client = tree.GetClientRect();
    const HTREEITEM top = TreeView_GetFirstVisible(tree.m_hWnd);
    struct Case {
        const char* name;
        POINT point;
        int linesDown; // the first visible item moves so many lines
    };
    const Case cases[] = {
        {"bottom band", {client.right / 2, client.bottom - 3}, 1},
        {"bottom band again", {client.right / 2, client.bottom - 5}, 2},
        {"top band", {client.right / 2, 2}, 1},
        {"top left corner scrolls sideways", {3, 3}, 1},
        {"middle", {client.right / 2, client.bottom / 2}, 1},
    };
    for (const Case& test : cases) {
        tree.OnDragOver(test.point.x, test.point.y);
        Tick(tree, CPeopleTreeView::kScrollTimer);
        HTREEITEM expected = top;
        for (int line = 0; line < test.linesDown; ++line)
            expected = TreeView_GetNextVisible(tree.m_hWnd, expected);
        EXPECT_EQ(TreeView_GetFirstVisible(tree.m_hWnd), expected) << test.name;
    }
    // Resting in the band, the tree goes on scrolling by itself.
    tree.OnDragOver(client.right / 2, client.bottom - 2);
    EXPECT_TRUE(WaitFor([&] {
        return TreeView_GetFirstVisible(tree.m_hWnd) !=
               TreeView_GetNextVisible(tree.m_hWnd, top);
    }));
    tree.OnDragLeave();
    const HTREEITEM left = TreeView_GetFirstVisible(tree.m_hWnd);
    Tick(tree, CPeopleTreeView::kScrollTimer);
    EXPECT_EQ(TreeView_GetFirstVisible(tree.m_hWnd), left) << "after the drag left nothing scrolls";
}

// Nothing is ever dropped on the tree, but a drag over it shows where it is.
TEST_F(PeopleTreeTest, ADragRestingOnAGroupOpensItAndThenWhateverItRestsOnButDropsNothing)
{
    CAtlDropSource* source = new CAtlDropSource;
    source->AddRef();
    ASSERT_TRUE(source->SetPayload(Clipboard::GetPrivateClipboardFormat(),
                                   PelquornDragData(PelquornDragData::kTasks, {1}).CreateBlock()));
    EXPECT_TRUE(tree.CanAcceptData(source));
    EXPECT_FALSE(tree.CanAcceptData(nullptr));
    RECT row = {};
    ASSERT_TRUE(TreeView_GetItemRect(tree.m_hWnd, Item(family), &row, TRUE));
    tree.OnDragOver(row.left + 4, (row.top + row.bottom) / 2);
    ASSERT_FALSE(Expanded(family));
    Tick(tree, CPeopleTreeView::kExpandTimer);
    EXPECT_TRUE(Expanded(family));
    ASSERT_TRUE(TreeView_GetItemRect(tree.m_hWnd, Item(work), &row, TRUE));
    tree.OnDragOver(row.left + 4, (row.top + row.bottom) / 2);
    Tick(tree, CPeopleTreeView::kExpandTimer);
    EXPECT_TRUE(Expanded(work));
    EXPECT_EQ(document.IsModified(), 0);
    EXPECT_EQ(TreeView_GetDropHilight(tree.m_hWnd), Item(work));
    const EString before = Shown();
    EXPECT_FALSE(tree.OnDrop(source, row.left + 4, (row.top + row.bottom) / 2, DROPEFFECT_MOVE));
    EXPECT_EQ(TreeView_GetDropHilight(tree.m_hWnd), nullptr);
    EXPECT_EQ(Shown(), before);
    source->Release();
}

} // namespace
