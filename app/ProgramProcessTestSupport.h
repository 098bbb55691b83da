// The real Quorvane.exe beside the test program, started without waiting, and what a test reads of its window.
#pragma once

#include <windows.h>

#include "foundation/EString.h"
#include "foundation/UniqueHandle.h"

// The program started with the arguments (none: it chooses its own
// document), in the folder given (none: the test's own); ended at once when
// the test leaves it running.
class ProgramProcess {
public:
    explicit ProgramProcess(const EString& arguments, const EString& folder = EString());
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool Started() const { return m_started; }
    bool Ended() const;
    DWORD ExitCode() const;
    // Ends it as a crash or a power cut would: no window closes, nothing is saved.
    void Kill();

private:
    ProcessHandles m_handles;
    bool m_started = false;
};

// A new, empty plan saved as the file of that name in the folder; its path,
// or an empty text when it could not be saved.
EString SaveNewPlan(const EString& folder, const wchar_t* name);

EString TitleOf(HWND window);
// The number of main windows of the program on the desktop.
int CountMainWindows();
// The program's main window once it shows a title that contains the text; null when none does.
HWND FindMainWindowTitled(const EString& text);
// The first window of the class among the window's descendants; null when none.
HWND FindDescendant(HWND window, const wchar_t* className);
