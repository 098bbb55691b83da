// main_window_shot: waits for the running planner's main window, saves a picture of it and asks the planner to exit.
//
//   main_window_shot <picture name>
//
// The dialogs the planner opens at start-up are answered as a user would:
// the goals of a new plan declined, the tip of the day closed; the exit is
// asked for only when neither stands over the window. A due reminder's alert
// is hidden, not answered.
//
// The picture goes to QUORVANE_SCREENSHOT_DIR (or build/screenshots) as
// "<picture name>.png". Exit code 0 when it was written.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "app/MainWindowClass.h"
#include "dialogs/ReminderDialogIds.h"
#include "resources/AppCommandIds.h"
#include "testing/WindowShot.h"

namespace {

constexpr DWORD kWaitMs = 120000;
constexpr UINT kAnswerMs = 5000;
constexpr int kMaxCaptures = 50;
constexpr DWORD kCaptureGapMs = 100;

// The window once it is shown with its document: its title then names it.
HWND FindShownMainWindow()
{
    const HWND window = ::FindWindowW(kMainWindowClassName, nullptr);
    if (!window || !::IsWindowVisible(window))
        return nullptr;
    wchar_t title[MAX_PATH] = {};
    ::GetWindowTextW(window, title, MAX_PATH);
    return wcsstr(title, L" - ") ? window : nullptr;
}

// A visible dialog of the planner's window thread; null when none.
HWND FindPlannerDialog()
{
    const HWND window = ::FindWindowW(kMainWindowClassName, nullptr);
    if (!window)
        return nullptr;
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetWindowThreadProcessId(window, nullptr),
        [](HWND candidate, LPARAM result) -> BOOL {
            wchar_t className[16] = {};
            ::GetClassNameW(candidate, className, 16);
            if (!::IsWindowVisible(candidate) || lstrcmpW(className, L"#32770") != 0)
                return TRUE;
            // A due reminder's alert asks nothing of the start, and its Cancel
            // would dismiss the reminder, a change of the user's plan: it is
            // only put out of the picture.
            if (::GetDlgItem(candidate, IDC_REMINDER_SNOOZE)) {
                ::ShowWindow(candidate, SW_HIDE);
                return TRUE;
            }
            *reinterpret_cast<HWND*>(result) = candidate;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The tip dialog has its Next button; a new plan's goals have their list.
constexpr int kTipNextButton = 1003;

// What a user leaving would answer: No to saving, else Cancel (the goals
// declined, the tip closed). The dialog answered, or null when none stood.
HWND AnswerPlannerDialog()
{
    const HWND dialog = FindPlannerDialog();
    if (!dialog)
        return nullptr;
    const int button = ::GetDlgItem(dialog, IDNO) ? IDNO : IDCANCEL;
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    return dialog;
}

bool IsTipDialog(HWND dialog)
{
    return dialog && ::GetDlgItem(dialog, kTipNextButton);
}

// Returns once the planner has taken every message sent before: a modal
// window it is about to open then disables the main window.
void WaitForPlanner(HWND window)
{
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerMs, &answer);
}

// The planner's own setting: it shows the tip once its plan is open.
bool PlannerShowsTip()
{
    DWORD value = 1;
    DWORD size = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Mellowbrake\\Quorvane\\Options", L"ShowTipOnSturtup",
                       RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return true;
    return value != 0;
}

bool Waited(DWORD start)
{
    return ::GetTickCount() - start > kWaitMs;
}

void WaitABit()
{
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const wchar_t* name = argc > 1 ? argv[1] : L"main_window";
    bool tipClosed = !PlannerShowsTip();
    const DWORD start = ::GetTickCount();
    HWND window = nullptr;
    // Whatever is asked before the title names the plan is answered too.
    while (!(window = FindShownMainWindow())) {
        if (Waited(start)) {
            std::fprintf(stderr, "main_window_shot: no main window appeared\n");
            return 1;
        }
        if (IsTipDialog(AnswerPlannerDialog()))
            tipClosed = true;
        WaitABit();
    }
    // The title comes before a new plan's goals; the tip comes last.
    for (;;) {
        WaitForPlanner(window);
        if (tipClosed && !FindPlannerDialog() && ::IsWindowEnabled(window))
            break;
        if (Waited(start)) {
            std::fprintf(stderr, "main_window_shot: the start-up dialogs did not close\n");
            return 1;
        }
        if (IsTipDialog(AnswerPlannerDialog()))
            tipClosed = true;
        WaitABit();
    }
    // The planner's windows paint when its queue runs dry, which another
    // process cannot wait for: the picture is the first that two captures in
    // a row agree on, each after the planner has answered.
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> previous;
    std::vector<std::uint8_t> picture;
    for (int capture = 0; capture < kMaxCaptures; ++capture) {
        DWORD_PTR answer = 0;
        ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerMs, &answer);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kCaptureGapMs, QS_ALLINPUT);
        picture = CaptureWindowRgb(window, width, height);
        if (!picture.empty() && picture == previous)
            break;
        previous = picture;
    }
    const EString path = WriteScreenshot(name, width, height, picture);
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
    // A new plan is unsaved: the planner asks before it goes.
    const DWORD exitStart = ::GetTickCount();
    while (::IsWindow(window) && ::GetTickCount() - exitStart < kWaitMs) {
        AnswerPlannerDialog();
        WaitABit();
    }
    if (path.IsEmpty()) {
        std::fprintf(stderr, "main_window_shot: the picture could not be written\n");
        return 1;
    }
    std::wprintf(L"%ls\n", path.c_str());
    return 0;
}
