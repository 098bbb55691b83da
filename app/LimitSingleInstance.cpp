#include "app/LimitSingleInstance.h"

#include "app/MainWindowClass.h"
#include "app/OpenFileHandover.h"
#include "resources/AppCommandIds.h"

bool LimitSingleInstance::CheckPreviousInstance(const CommandLine& commandLine) const
{
    const HWND mainWindow = ::FindWindowW(kMainWindowClassName, nullptr);
    if (!mainWindow)
        return false;
    // Taken before the restore: a modal dialog of the running instance
    // comes forward rather than its frame.
    const HWND front = ::GetLastActivePopup(mainWindow);
    if (!::IsWindowVisible(mainWindow))
        ::SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(ID_APP_RESTORE, 0), 0);
    ::SetForegroundWindow(front);
    // Case-sensitive: "Exit" is a file of that name.
    if (commandLine.GetArgument() == L"exit")
        ::SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
    else
        SendFileToPreviousInstance(mainWindow, commandLine);
    return true;
}

void LimitSingleInstance::SendFileToPreviousInstance(HWND window, const CommandLine& commandLine) const
{
    if (!window || !commandLine.HasDocument())
        return;
    const EString path = commandLine.GetDocumentPath();
    COPYDATASTRUCT record = MakeOpenFileRecord(path);
    ::SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record));
}
