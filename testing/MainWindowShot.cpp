// main_window_shot: waits for the running planner's main window, saves a picture of it and asks the planner to exit.
//
//   main_window_shot <picture name>
//
// The picture goes to QUORVANE_SCREENSHOT_DIR (or build/screenshots) as
// "<picture name>.png". Exit code 0 when it was written.
#include <windows.h>

#include <cstdio>

#include "app/AppCommandIds.h"
#include "app/MainWindowClass.h"
#include "testing/WindowShot.h"

namespace {

constexpr DWORD kWaitMs = 120000;
constexpr UINT kAnswerMs = 5000;

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
    // Once the planner answers, everything posted before has been handled.
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerMs, &answer);
    const EString path = SaveWindowScreenshot(window, name);
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
    if (path.IsEmpty()) {
        std::fprintf(stderr, "main_window_shot: the picture could not be written\n");
        return 1;
    }
    std::wprintf(L"%ls\n", path.c_str());
    return 0;
}
