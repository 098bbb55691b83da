// main_window_shot: waits for the running planner's main window, saves a picture of it and asks the planner to exit.
//
//   main_window_shot <picture name>
//
// The picture goes to QUORVANE_SCREENSHOT_DIR (or build/screenshots) as
// "<picture name>.png". Exit code 0 when it was written.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "app/AppCommandIds.h"
#include "app/MainWindowClass.h"
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

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const wchar_t* name = argc > 1 ? argv[1] : L"main_window";
    const DWORD start = ::GetTickCount();
    HWND window = nullptr;
    while (!(window = FindShownMainWindow())) {
        if (::GetTickCount() - start > kWaitMs) {
            std::fprintf(stderr, "main_window_shot: no main window appeared\n");
            return 1;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
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
    if (path.IsEmpty()) {
        std::fprintf(stderr, "main_window_shot: the picture could not be written\n");
        return 1;
    }
    std::wprintf(L"%ls\n", path.c_str());
    return 0;
}
