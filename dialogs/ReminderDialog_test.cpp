#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/ReminderDialog.h"
#include "dialogs/ReminderSnoozePresets.h"
#include "foundation/Language.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"

namespace {

class RecordingReminderSink : public IReminderAction {
public:
    void LocateTask(int taskId) override { calls.push_back(L"locate " + std::to_wstring(taskId)); }
    void OpenTask(int taskId) override { calls.push_back(L"open " + std::to_wstring(taskId)); }
    void SnoozeReminder(int taskId, int minutes) override
    {
        calls.push_back(L"snooze " + std::to_wstring(taskId) + L" " + std::to_wstring(minutes));
    }
    void DismissReminder(int taskId) override { calls.push_back(L"dismiss " + std::to_wstring(taskId)); }

    std::vector<std::wstring> calls;
};

// Everything posted so far (clicks, reloads) has been handled on return.
void Pump()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

class ReminderDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        Resource::Dictionary().Clear();
        ASSERT_TRUE(Resource::Load(SourcePath(L"resources/Language/English.txt")));
        dialog.taskName = L"Send the quarterly figures";
        dialog.taskId = 7;
        dialog.minutes = 30;
        dialog.SetActionSink(&sink);
        ASSERT_NE(dialog.Create(nullptr), nullptr);
        dialog.ShowWindow(SW_SHOW);
        Pump();
    }
    void TearDown() override
    {
        dialog.DestroyWindow();
        Resource::Dictionary().Clear();
        ClearProgramRegistry();
    }

    // Picks a list entry as the combo does: selection, then its notification.
    void ChoosePreset(int index)
    {
        ::SendDlgItemMessageW(dialog, IDC_REMINDER_MINUTES, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_REMINDER_MINUTES, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(dialog.GetDlgItem(IDC_REMINDER_MINUTES)));
        Pump();
    }

    RecordingReminderSink sink;
    CReminderDialog dialog;
};

TEST_F(ReminderDialogTest, ListsThePresetsInOrderAndAPresetSnoozesByItsMinutes)
{
    const HWND combo = dialog.GetDlgItem(IDC_REMINDER_MINUTES);
    ASSERT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(ReminderSnoozePresets.size()));
    EXPECT_EQ(ItemText(dialog, IDC_REMINDER_MINUTES), L"30");
    EXPECT_FALSE(SaveWindowScreenshot(dialog, L"ReminderDialog").empty());

    for (int index = 0; index < static_cast<int>(ReminderSnoozePresets.size()); ++index) {
        const SnoozePreset& preset = ReminderSnoozePresets[static_cast<size_t>(index)];
        sink.calls.clear();
        ChoosePreset(index);
        const std::wstring minutes = std::to_wstring(preset.minutes);
        EXPECT_EQ(ItemText(dialog, IDC_REMINDER_MINUTES), minutes) << preset.key;
        ClickButton(dialog, IDC_REMINDER_SNOOZE);
        Pump();
        EXPECT_EQ(sink.calls, std::vector<std::wstring>{L"snooze 7 " + minutes}) << preset.key;
    }
}

// Anything else is refused in words over the alert, which stays due: a
// snooze of no minutes would fire again at once.
TEST_F(ReminderDialogTest, SnoozesOnlyByATypedWholeNumberOfAtLeastOneMinute)
{
    const struct {
        const wchar_t* typed;
        std::vector<std::wstring> calls;
        const wchar_t* held; // in the words of the refusal; null when taken
    } cases[] = {
        {L"45", {L"snooze 7 45"}, nullptr},
        {L" 90 ", {L"snooze 7 90"}, nullptr},
        {L"1", {L"snooze 7 1"}, nullptr},
        {L"0", {}, L"holds \"0\""},
        {L"abc", {}, L"holds \"abc\""},
        {L"-5", {}, L"holds \"-5\""},
        {L"12abc", {}, L"holds \"12abc\""},
        {L"", {}, L"is empty"},
        {L"99999999999", {}, L"holds \"99999999999\""},
    };
    std::vector<EString> told;
    const DialogAnswerer answerer([&](HWND shown) {
        if (shown == dialog.m_hWnd)
            return;
        told.push_back(ItemText(shown, 0xFFFF));
        if (told.size() == 1) {
            EXPECT_FALSE(SaveWindowScreenshot(shown, L"ReminderDialogMinutesRefused").empty());
        }
        ClickButton(shown, IDOK);
    });
    for (const auto& test : cases) {
        SCOPED_TRACE(testing::Message() << "\"" << EString(test.typed).c_str() << "\"");
        sink.calls.clear();
        told.clear();
        SetItemText(dialog, IDC_REMINDER_MINUTES, test.typed);
        ClickButton(dialog, IDC_REMINDER_SNOOZE);
        Pump();
        EXPECT_EQ(sink.calls, test.calls);
        if (!test.held) {
            EXPECT_TRUE(told.empty());
            continue;
        }
        ASSERT_EQ(told.size(), 1u);
        EXPECT_EQ(told[0], L"This field " + EString(test.held) +
                               L". It takes a whole number of at least 1. Nothing was saved: correct it and try again.");
        EXPECT_EQ(ItemText(dialog, IDC_REMINDER_MINUTES), test.typed) << "kept as typed";
    }
}

TEST_F(ReminderDialogTest, ARefusedNumberKeepsTheLastGoodMinutes)
{
    const DialogAnswerer answerer([&](HWND shown) {
        if (shown != dialog.m_hWnd)
            ClickButton(shown, IDOK);
    });
    SetItemText(dialog, IDC_REMINDER_MINUTES, L"0");
    ClickButton(dialog, IDC_REMINDER_SNOOZE);
    Pump();
    EXPECT_EQ(dialog.minutes, 30u);
    EXPECT_TRUE(sink.calls.empty());
    EXPECT_GE(answerer.AnsweredCount(), 1) << "the refusal was shown";
}

TEST_F(ReminderDialogTest, EachButtonTellsTheSinkAboutTheTask)
{
    const struct {
        int button;
        const wchar_t* call; // null: nothing
    } cases[] = {
        {IDC_REMINDER_LOCATE, L"locate 7"},
        {IDC_REMINDER_OPEN, L"open 7"},
        {IDCANCEL, L"dismiss 7"},
        {IDOK, nullptr},
    };
    for (const auto& test : cases) {
        sink.calls.clear();
        ClickButton(dialog, test.button);
        Pump();
        const std::vector<std::wstring> expected =
            test.call ? std::vector<std::wstring>{test.call} : std::vector<std::wstring>{};
        EXPECT_EQ(sink.calls, expected) << test.button;
        // Hiding is the owner's business.
        EXPECT_TRUE(dialog.IsWindowVisible()) << test.button;
    }
}

TEST_F(ReminderDialogTest, TheListDroppedDownAndClosedLeavesTheMinutesInTheField)
{
    const HWND combo = dialog.GetDlgItem(IDC_REMINDER_MINUTES);
    dialog.minutes = 10;
    dialog.DoDataExchange(false);
    ::SetFocus(combo);
    for (const BOOL dropped : {TRUE, FALSE}) {
        ::SendMessageW(combo, CB_SHOWDROPDOWN, dropped, 0);
        Pump();
    }
    EXPECT_EQ(ItemText(dialog, IDC_REMINDER_MINUTES), L"10") << "the field beside the label \"minutes\"";
}

} // namespace
