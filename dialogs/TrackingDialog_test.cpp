#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/TrackingDialog.h"
#include "foundation/Clock.h"
#include "foundation/Language.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"

namespace {

constexpr double kSecond = 1.0 / (24 * 60 * 60);

void Pump()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

// Plays the task list: a resume shows the window again, keeping the time.
class RecordingTrackingSink : public ITrackingAction {
public:
    explicit RecordingTrackingSink(CTrackingDialog& dialog) : m_dialog(dialog) {}
    void StopTracking() override { calls.push_back(L"stop"); }
    void ResumeTracking() override
    {
        calls.push_back(L"resume");
        m_dialog.ShowTracking(true);
    }

    std::vector<std::wstring> calls;

private:
    CTrackingDialog& m_dialog;
};

class TrackingDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        Resource::Dictionary().Clear();
        ASSERT_TRUE(Resource::Load(SourcePath(L"resources/Language/English.txt")));
        Clock::SetNowForTesting(m_now);
        dialog.taskName = L"Write the annual report";
        dialog.taskId = 3;
        dialog.SetActionSink(&sink);
        ASSERT_NE(dialog.Create(nullptr), nullptr);
        dialog.ShowTracking(false);
        Pump();
    }
    void TearDown() override
    {
        if (dialog.IsWindow())
            dialog.DestroyWindow();
        Clock::ResetForTesting();
        Resource::Dictionary().Clear();
        ClearProgramRegistry();
    }

    void Advance(int seconds)
    {
        m_now += seconds * kSecond;
        Clock::SetNowForTesting(m_now);
    }
    void Click(int id)
    {
        ClickButton(dialog, id);
        Pump();
    }
    // The clock's own tick, without waiting half a second for it.
    EString Tick()
    {
        ::SendMessageW(dialog, WM_TIMER, CTrackingDialog::kClockTimer, 0);
        return dialog.Face().Text();
    }

    double m_now = MakeOleDateTime(2026, 3, 2, 9, 0);
    CTrackingDialog dialog;
    RecordingTrackingSink sink{dialog};
};

TEST_F(TrackingDialogTest, StopAndResumeAddUpTheRuns)
{
    EXPECT_EQ(Tick(), L"00:00:00");
    EXPECT_EQ(ItemText(dialog, IDC_TRACKING_TOGGLE), L"Stop time");
    Advance(70);
    Click(IDC_TRACKING_TOGGLE);
    EXPECT_FALSE(dialog.IsRunning());
    EXPECT_TRUE(dialog.IsWindowVisible());
    EXPECT_EQ(ItemText(dialog, IDC_TRACKING_TOGGLE), L"Start time");
    EXPECT_EQ(dialog.Face().Text(), L"00:01:10");

    Advance(300); // stopped: none of this counts
    Click(IDC_TRACKING_TOGGLE);
    EXPECT_TRUE(dialog.IsRunning());
    Advance(20);
    EXPECT_EQ(Tick(), L"00:01:30");
    EXPECT_EQ(sink.calls, (std::vector<std::wstring>{L"stop", L"resume"}));
    EXPECT_FALSE(SaveWindowScreenshot(dialog, L"TrackingDialog").empty());
}

TEST_F(TrackingDialogTest, StoppingAStoppedClockAddsNothing)
{
    Advance(70);
    dialog.StopTracking();
    Advance(100);
    dialog.StopTracking();
    EXPECT_EQ(FormatElapsed(dialog.Elapsed()), L"00:01:10");
    EXPECT_EQ(dialog.Face().Text(), L"00:01:10");
    EXPECT_FALSE(dialog.IsWindowVisible());
}

TEST_F(TrackingDialogTest, CloseStopsOnceAndTheNextRunStartsFromZero)
{
    const struct {
        const wchar_t* name;
        bool toggleFirst;
        std::vector<std::wstring> calls;
    } cases[] = {
        {L"running", false, {L"stop"}},
        {L"already stopped", true, {L"stop"}},
    };
    for (const auto& test : cases) {
        dialog.ShowTracking(false);
        sink.calls.clear();
        Advance(45);
        if (test.toggleFirst)
            Click(IDC_TRACKING_TOGGLE);
        Advance(30);
        Click(IDOK);
        EXPECT_EQ(sink.calls, test.calls) << test.name;
        EXPECT_FALSE(dialog.IsWindowVisible()) << test.name;
        EXPECT_EQ(dialog.Elapsed(), 0.0) << test.name;
        dialog.ShowTracking(false);
        Advance(5);
        EXPECT_EQ(Tick(), L"00:00:05") << test.name;
    }
}

TEST_F(TrackingDialogTest, TheCloseBoxEndsTheRunLikeClose)
{
    Advance(45);
    ::SendMessageW(dialog, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(sink.calls, std::vector<std::wstring>{L"stop"});
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_TRUE(dialog.IsWindow());
}

TEST_F(TrackingDialogTest, StayOnTopTakesEffectAtOnceAndIsRemembered)
{
    {
        CTrackingDialog other;
        ASSERT_NE(other.Create(nullptr), nullptr);
        other.ShowTracking(false);
        EXPECT_NE(other.GetExStyle() & WS_EX_TOPMOST, 0u);
        ::CheckDlgButton(other, IDC_TRACKING_STAY_ON_TOP, BST_UNCHECKED);
        ClickButton(other, IDC_TRACKING_STAY_ON_TOP);
        Pump();
        EXPECT_EQ(other.GetExStyle() & WS_EX_TOPMOST, 0u);
        other.DestroyWindow();
    }
    EXPECT_EQ(Options::GetTrackingStayOnTop(), 0u);
}

TEST(FormatElapsedTest, ShowsHoursMinutesAndSecondsOfTheDay)
{
    const struct {
        double span;
        const wchar_t* text;
    } cases[] = {
        {0, L"00:00:00"},
        {90 * kSecond, L"00:01:30"},
        {(3600 + 61) * kSecond, L"01:01:01"},
        {25 * 3600 * kSecond, L"01:00:00"},
        {-5 * kSecond, L"00:00:00"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(FormatElapsed(test.span), test.text) << test.span;
}

} // namespace
