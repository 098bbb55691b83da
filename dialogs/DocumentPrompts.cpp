#include "dialogs/DocumentPrompts.h"

#include "dialogs/BusyWindow.h"
#include "foundation/AppWindow.h"
#include "foundation/FileSystem.h"
#include "winlib/FileDialog.h"

namespace {

constexpr DWORD kFileDialogFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
constexpr DWORD kPlanFilesFilter = 2;

bool RunFileDialog(CFileDialog& dialog, EString& path)
{
    dialog.SetFilterIndex(kPlanFilesFilter);
    if (dialog.DoModal(::GetActiveWindow()) != IDOK)
        return false;
    path = dialog.GetPathName();
    return true;
}

} // namespace

int DocumentPrompts::AskSaveChanges(const EString& question)
{
    return AppMessageBox(question, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
}

bool DocumentPrompts::ChooseOpenPath(const EString& filter, EString& path)
{
    CFileDialog dialog(true, nullptr, L"", kFileDialogFlags, filter);
    return RunFileDialog(dialog, path);
}

bool DocumentPrompts::ChooseSavePath(const EString& defaultExtension, const EString& filter, EString& path)
{
    CFileDialog dialog(false, defaultExtension.c_str(), L"untitled", kFileDialogFlags, filter);
    // Left to itself the dialog would start where the program was started: for the portable program, its own folder.
    dialog.SetInitialFolder(path.IsEmpty() ? FileSystem::GetDocumentsFolder() : FileSystem::GetFolder(path));
    return RunFileDialog(dialog, path);
}

void DocumentPrompts::ShowError(const EString& text)
{
    AppMessageBox(text, MB_OK | MB_ICONERROR);
}

void DocumentPrompts::WaitShowingProgress(const EString& what, HANDLE done)
{
    // Work already done (the start-up's parse, begun with the window) shows no notice that would only flash.
    if (::WaitForSingleObject(done, 0) == WAIT_OBJECT_0)
        return;
    const CBusyWindow busy(GetMainWindow(), what);
    WaitPumpingMessages(done);
}
