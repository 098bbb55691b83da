#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "document/IMoodDocument.h"
#include "document/PelquornDoc.h"
#include "foundation/Language.h"
#include "resources/AppCommandIds.h"
#include "resources/MoodDialogIds.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/common/FakeViewDocument.h"
#include "views/common/ListHandler.h"
#include "views/common/ViewTestSupport.h"
#include "views/tasks/MoodListCtrl.h"
#include "winlib/WindowImpl.h"

namespace {

// Hands the list its own notifications back, as a docking pane does.
class ReflectingHost : public CWindowImpl<ReflectingHost> {
public:
    BEGIN_MESSAGE_MAP(ReflectingHost)
        REFLECT_NOTIFICATIONS()
    END_MESSAGE_MAP()
};

// The moods of a plan and its current mood, and nothing else of a document;
// each change of the moods is told as the document tells it.
class FakeMoodDocument : public FakeViewDocument, public IMoodDocument {
public:
    void AddMood(MoodItem& mood) override
    {
        moods.push_back(mood);
        SetCurrentMood(mood.GetId());
        Notify(nullptr, NotifyCode::kMoodsChanged);
    }
    void DeleteMood(int id) override
    {
        std::erase_if(moods, [&](const MoodItem& mood) { return mood.GetId() == id; });
        Notify(nullptr, NotifyCode::kMoodsChanged);
    }
    void UpdateMood(const MoodItem& mood) override
    {
        ReplaceById(moods, mood);
        Notify(nullptr, NotifyCode::kMoodsChanged);
    }
    bool GetMood(int id, MoodItem& mood) override { return FindById(moods, id, mood); }
    void GetMoods(std::vector<MoodItem>& out) override { out = moods; }
    void SetCurrentMood(int moodId) override { currentMoodId = moodId; }
    int GetCurrentMoodId() override { return currentMoodId; }

    std::vector<MoodItem> moods = {{L"Calm", RGB(0, 128, 255)}, {L"Cheerful", RGB(255, 200, 0)},
                                   {L"Tired", RGB(128, 128, 128)}, {L"Angry", RGB(255, 0, 0)}};
    int currentMoodId = moods.front().GetId();
};

// The list in a host that hands it its notifications back, over a document of the fixture's choice.
class MoodListHost : public testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        Resource::Dictionary().Clear();
        ASSERT_TRUE(Resource::Load(SourcePath(L"resources/Language/English.txt")));
        ASSERT_TRUE(host.Create({.parent = frame.m_hWnd,
                                 .style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                 .rect = {0, 0, 380, 240}}));
        ASSERT_TRUE(list.Create(host.m_hWnd));
        list.MoveWindow(RECT{0, 0, 380, 240});
    }
    void TearDown() override
    {
        list.DestroyWindow();
        host.DestroyWindow();
        Resource::Dictionary().Clear();
        ClearProgramRegistry();
    }

    void Open(ISubject& document)
    {
        document.Attach(&list);
        document.Notify(nullptr, NotifyCode::kDocumentLoaded);
        // The swatches come with the deferred set-up after creation.
        ASSERT_TRUE(WaitFor([&] { return ListView_GetImageList(list.m_hWnd, LVSIL_SMALL) != nullptr; }));
    }
    int Rows() const { return ListView_GetItemCount(list.m_hWnd); }
    int SelectedRow() const { return ListHandler(list.m_hWnd).GetFirstSelected(); }
    int RowId(int row) const
    {
        LVITEMW item = {};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        ListView_GetItem(list.m_hWnd, &item);
        return static_cast<int>(item.lParam);
    }
    EString RowText(int row) const
    {
        wchar_t text[128] = {};
        ListView_GetItemText(list.m_hWnd, row, 0, text, 128);
        return text;
    }
    // Runs the command; its dialog or question is driven by the steps.
    INT_PTR RunCommand(WORD command, std::vector<DialogStep> steps)
    {
        return RunModalSteps(
            [&] {
                list.SendMessage(WM_COMMAND, MAKEWPARAM(command, 0), 0);
                return INT_PTR{0};
            },
            std::move(steps));
    }

    RecordingFrame frame;
    ReflectingHost host;
    CMoodListCtrl list;
};

class MoodListCtrlTest : public MoodListHost {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(MoodListHost::SetUp());
        ASSERT_TRUE(document.OnNewDocument());
        ASSERT_NO_FATAL_FAILURE(Open(document));
        // The default moods were written by the first fill.
        document.SetModified(0);
    }
    void TearDown() override
    {
        document.Detach(&list);
        MoodListHost::TearDown();
    }

    std::vector<MoodItem> Moods()
    {
        std::vector<MoodItem> moods;
        document.GetMoods(moods);
        return moods;
    }
    size_t MoodRecords()
    {
        return document.GetDataManager().GetDocument(true).SelectNodes(L"//MOODSDAILY/DAY/MOODSTATE").GetNodes().size();
    }

    CPelquornDoc document;
};

// What the list shows and when it refills are the list's own: a few moods are all it needs.
class MoodListOnFakeTest : public MoodListHost {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(MoodListHost::SetUp());
        ASSERT_NO_FATAL_FAILURE(Open(document));
    }
    void TearDown() override
    {
        document.Detach(&list);
        MoodListHost::TearDown();
    }

    std::vector<MoodItem> Moods() const { return document.moods; }

    FakeMoodDocument document;
};

TEST_F(MoodListOnFakeTest, TheListShowsTheDocumentsMoodsWithTheCurrentOneSelected)
{
    const std::vector<MoodItem> moods = Moods();
    ASSERT_GE(moods.size(), 3u);
    document.SetCurrentMood(moods[2].GetId());
    document.Notify(nullptr, NotifyCode::kMoodsChanged);
    ASSERT_EQ(Rows(), static_cast<int>(moods.size()));
    for (int row = 0; row < Rows(); ++row) {
        EXPECT_EQ(RowText(row), moods[row].GetName()) << row;
        EXPECT_EQ(RowId(row), moods[row].GetId()) << row;
    }
    EXPECT_EQ(SelectedRow(), 2);
    EXPECT_FALSE(SaveWindowScreenshot(frame.m_hWnd, L"mood_list").IsEmpty());
}

TEST_F(MoodListCtrlTest, OnlyPickingAnotherMoodRecordsIt)
{
    ASSERT_GE(Rows(), 4);
    ListHandler(list.m_hWnd).SelectItem(1);
    ASSERT_EQ(document.GetCurrentMoodId(), RowId(1));
    document.SetModified(0);
    const size_t before = MoodRecords();
    struct Case {
        const char* name;
        int row;            // -1: reload with the code instead
        DocNotifyCode code;
        size_t recorded;
    };
    const Case cases[] = {
        {"another row", 3, 0, 1},
        {"the same row again", 3, 0, 0},
        {"reload after a load", -1, NotifyCode::kDocumentLoaded, 0},
        {"reload after a mood change", -1, NotifyCode::kMoodsChanged, 0},
        {"reload on request", -1, NotifyCode::kReload, 0},
        {"reload of everything", -1, NotifyCode::kAll, 0},
        {"back to the first", 1, 0, 1},
    };
    size_t expected = before;
    for (const Case& test : cases) {
        document.SetModified(0);
        if (test.row >= 0)
            ListHandler(list.m_hWnd).SelectItem(test.row);
        else
            document.Notify(nullptr, test.code);
        expected += test.recorded;
        EXPECT_EQ(MoodRecords(), expected) << test.name;
        EXPECT_EQ(document.IsModified() != 0, test.recorded != 0) << test.name;
        const int row = test.row >= 0 ? test.row : SelectedRow();
        EXPECT_EQ(document.GetCurrentMoodId(), RowId(row)) << test.name;
    }
    // Unselecting every row is no choice of a mood.
    document.SetModified(0);
    ListView_SetItemState(list.m_hWnd, -1, 0, LVIS_SELECTED);
    EXPECT_EQ(MoodRecords(), expected);
    EXPECT_EQ(document.IsModified(), 0);
}

// A filter change or another view's edit reaches the list as a change of everything; the moods rarely change with it.
TEST_F(MoodListOnFakeTest, AChangeOfEverythingRefillsTheListOnlyWhenTheMoodsDiffer)
{
    ASSERT_GE(Rows(), 3);
    struct Case {
        const char* name;
        void (*change)(FakeMoodDocument&, const std::vector<MoodItem>&);
        bool refilled;
    };
    const Case cases[] = {
        {"nothing of the moods", [](FakeMoodDocument&, const std::vector<MoodItem>&) {}, false},
        {"a mood renamed", [](FakeMoodDocument& doc, const std::vector<MoodItem>&) {
             // Written without a notice of its own.
             doc.moods[1].SetName(L"Sleepy");
         }, true},
        {"another current mood", [](FakeMoodDocument& doc, const std::vector<MoodItem>& moods) {
             doc.SetCurrentMood(moods[2].GetId());
         }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A mark the list's own rows keep until they are made anew.
        ListView_SetItemState(list.m_hWnd, 0, LVIS_CUT, LVIS_CUT);
        c.change(document, Moods());
        document.Notify(nullptr, NotifyCode::kAll);
        EXPECT_EQ(ListView_GetItemState(list.m_hWnd, 0, LVIS_CUT) == 0, c.refilled);
        const std::vector<MoodItem> moods = Moods();
        ASSERT_EQ(Rows(), static_cast<int>(moods.size()));
        for (int row = 0; row < Rows(); ++row)
            EXPECT_EQ(RowText(row), moods[static_cast<size_t>(row)].GetName()) << row;
        EXPECT_EQ(RowId(SelectedRow()), document.GetCurrentMoodId());
    }
}

TEST_F(MoodListCtrlTest, AddOffersARedNewMoodAndAddsItOnlyOnOk)
{
    struct Case {
        const char* name;
        int button;
        size_t added;
    };
    for (const Case& test : {Case{"cancel", IDCANCEL, 0}, Case{"ok", IDOK, 1}}) {
        const size_t before = Moods().size();
        EString shownName, shownColour;
        RunCommand(ID_TASK_ADD, {[&](HWND dialog) {
                                     shownName = ItemText(dialog, IDC_MOOD_NAME);
                                     shownColour = ItemText(dialog, IDC_MOOD_COLOR);
                                     if (test.button == IDOK)
                                         SaveWindowScreenshot(dialog, L"mood_dialog");
                                     ClickButton(dialog, test.button);
                                     return true;
                                 }});
        EXPECT_EQ(shownName, Resource::Translate(L"NEW_MOOD")) << test.name;
        EXPECT_EQ(shownName, EString(L"New mood")) << test.name;
        EXPECT_EQ(shownColour, EString(L"FF0000")) << test.name;
        const std::vector<MoodItem> moods = Moods();
        ASSERT_EQ(moods.size(), before + test.added) << test.name;
        if (test.added) {
            EXPECT_EQ(moods.back().GetColor(), RGB(255, 0, 0));
            // The new mood is the current one, selected in the reloaded list.
            EXPECT_EQ(document.GetCurrentMoodId(), moods.back().GetId());
            EXPECT_EQ(SelectedRow(), Rows() - 1);
        }
    }
}

// A text that is no colour is not read as black: it stays as typed, and OK
// says why and adds no mood.
TEST_F(MoodListCtrlTest, TheColourTextIsReadWhenTheEditIsLeft)
{
    struct Case {
        const wchar_t* typed;
        const wchar_t* shown;
        COLORREF colour;
        bool refused;
    };
    const Case cases[] = {
        {L"00ff00", L"00FF00", RGB(0, 255, 0), false},
        {L"ff8000", L"FF8000", RGB(255, 128, 0), false},
        {L"12", L"000012", RGB(0, 0, 0x12), false},
        {L"12zz", L"12zz", 0, true},
        {L"zz", L"zz", 0, true},
        {L"1234567", L"1234567", 0, true},
    };
    for (const Case& test : cases) {
        EString shown;
        EString told;
        const size_t moodsBefore = Moods().size();
        std::vector<DialogStep> steps = {[&](HWND dialog) {
            SetItemText(dialog, IDC_MOOD_COLOR, test.typed);
            ::SetFocus(::GetDlgItem(dialog, IDC_MOOD_COLOR));
            ::SetFocus(::GetDlgItem(dialog, IDC_MOOD_NAME));
            shown = ItemText(dialog, IDC_MOOD_COLOR);
            ClickButton(dialog, IDOK);
            return true;
        }};
        if (test.refused) {
            steps.push_back(AnswerMessageBox(told, nullptr));
            steps.push_back([](HWND dialog) {
                if (FindThreadDialog() != dialog)
                    return false;
                ClickButton(dialog, IDCANCEL);
                return true;
            });
        }
        RunCommand(ID_TASK_ADD, steps);
        EXPECT_EQ(shown, EString(test.shown)) << test.typed;
        if (test.refused) {
            EXPECT_EQ(told, L"This field holds \"" + EString(test.typed) +
                                L"\". It takes a colour as six hexadecimal digits of red, green and blue, such as FF0000 "
                                L"for red. Nothing was saved: correct it and try again.");
            EXPECT_EQ(Moods().size(), moodsBefore) << test.typed;
        } else {
            EXPECT_EQ(Moods().back().GetColor(), test.colour) << test.typed;
        }
    }
}

TEST_F(MoodListCtrlTest, OkIsDisabledWhileTheNameIsEmpty)
{
    std::vector<bool> enabled;
    RunCommand(ID_TASK_ADD, {[&](HWND dialog) {
                                 const HWND ok = ::GetDlgItem(dialog, IDOK);
                                 enabled.push_back(::IsWindowEnabled(ok) != FALSE);
                                 SetItemText(dialog, IDC_MOOD_NAME, L"");
                                 enabled.push_back(::IsWindowEnabled(ok) != FALSE);
                                 // Blanks would leave the row without a label.
                                 SetItemText(dialog, IDC_MOOD_NAME, L"  \t");
                                 enabled.push_back(::IsWindowEnabled(ok) != FALSE);
                                 SetItemText(dialog, IDC_MOOD_NAME, L"Calm");
                                 enabled.push_back(::IsWindowEnabled(ok) != FALSE);
                                 ClickButton(dialog, IDCANCEL);
                                 return true;
                             }});
    EXPECT_EQ(enabled, (std::vector<bool>{true, false, false, true}));
}

TEST_F(MoodListCtrlTest, EditChangesTheSelectedMood)
{
    ListHandler(list.m_hWnd).SelectItem(0);
    const int id = RowId(0);
    RunCommand(ID_TASK_EDIT, {[&](HWND dialog) {
                                  SetItemText(dialog, IDC_MOOD_NAME, L"Sunny");
                                  SetItemText(dialog, IDC_MOOD_COLOR, L"ffff00");
                                  ClickButton(dialog, IDOK);
                                  return true;
                              }});
    MoodItem mood;
    ASSERT_TRUE(document.GetMood(id, mood));
    EXPECT_EQ(mood.GetName(), EString(L"Sunny"));
    EXPECT_EQ(mood.GetColor(), RGB(255, 255, 0));
    EXPECT_EQ(RowText(0), EString(L"Sunny"));
}

TEST_F(MoodListCtrlTest, DeleteAsksAndDeletesOnlyOnYes)
{
    struct Case {
        const char* name;
        int answer;
        bool deleted;
    };
    for (const Case& test : {Case{"no", IDNO, false}, Case{"yes", IDYES, true}}) {
        ListHandler(list.m_hWnd).SelectItem(1);
        const int id = RowId(1);
        const EString name = RowText(1);
        EString question;
        RunCommand(ID_TASK_DELETE, {[&](HWND box) {
                                        question = ItemText(box, 0xFFFF);
                                        ClickButton(box, test.answer);
                                        return true;
                                    }});
        EXPECT_NE(question.find(name.c_str()), EString::npos) << test.name << ": " << question.c_str();
        MoodItem mood;
        bool found = false;
        for (const MoodItem& each : Moods())
            found = found || each.GetId() == id;
        EXPECT_EQ(found, !test.deleted) << test.name;
    }
}

TEST_F(MoodListCtrlTest, EditAndDeleteNeedASelectedRow)
{
    const std::vector<CommandUiState> selected = {
        {.checked = 0, .enabled = 1, .commandId = ID_TASK_DELETE},
        {.checked = 0, .enabled = 1, .commandId = ID_TASK_EDIT},
        {.checked = 0, .enabled = 1, .commandId = ID_TASK_ADD},
    };
    const std::vector<CommandUiState> none = {
        {.checked = 0, .enabled = 0, .commandId = ID_TASK_DELETE},
        {.checked = 0, .enabled = 0, .commandId = ID_TASK_EDIT},
        {.checked = 0, .enabled = 1, .commandId = ID_TASK_ADD},
    };
    ListHandler(list.m_hWnd).SelectItem(0);
    frame.Clear();
    list.UpdateCommandUI(true);
    EXPECT_EQ(frame.states, selected);
    ListView_SetItemState(list.m_hWnd, -1, 0, LVIS_SELECTED);
    frame.Clear();
    list.UpdateCommandUI(true);
    EXPECT_EQ(frame.states, none);
}

TEST_F(MoodListCtrlTest, TheContextMenuOffersAddEditAndDeleteWhereAsked)
{
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    struct Case {
        const char* name;
        LPARAM point;
        POINT expected;
    };
    const Case cases[] = {
        {"mouse", MAKELPARAM(120, 90), {120, 90}},
        {"keyboard", static_cast<LPARAM>(-1), cursor},
    };
    for (const Case& test : cases) {
        frame.Clear();
        list.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.m_hWnd), test.point);
        ASSERT_EQ(frame.trackedMenus.size(), 1u) << test.name;
        EXPECT_EQ(frame.trackedMenus[0].commandIds, (std::vector<UINT>{ID_TASK_ADD, ID_TASK_EDIT, ID_TASK_DELETE}))
            << test.name;
        EXPECT_EQ(frame.trackedMenus[0].point.x, test.expected.x) << test.name;
        EXPECT_EQ(frame.trackedMenus[0].point.y, test.expected.y) << test.name;
    }
}

// A reload picks a row too: a list the user is not in leaves the commands
// of the active view alone.
TEST_F(MoodListCtrlTest, APickRefreshesTheCommandsOnlyWhileTheListIsActive)
{
    struct Case {
        const char* name;
        bool active;
        int row;
    };
    for (const Case& test : {Case{"inactive", false, 2}, Case{"active", true, 3}}) {
        document.SetDocumentWindow(test.active ? list.m_hWnd : nullptr);
        frame.Clear();
        ListHandler(list.m_hWnd).SelectItem(test.row);
        const bool reset = std::find(frame.messages.begin(), frame.messages.end(), WM_PELQUORN_RESET_COMMANDS) !=
                           frame.messages.end();
        EXPECT_EQ(reset, test.active) << test.name;
        if (test.active) {
            ASSERT_GE(frame.states.size(), 3u);
            EXPECT_EQ(frame.states.back(), (CommandUiState{.checked = 0, .enabled = 1, .commandId = ID_TASK_ADD}));
        }
    }
    document.SetDocumentWindow(nullptr);
}

} // namespace
