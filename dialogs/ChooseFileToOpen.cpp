#include "dialogs/ChooseFileToOpen.h"

#include "winlib/FileDialog.h"

EString ChooseFileToOpen(const EString& filter, HWND owner)
{
    CFileDialog dialog(true, nullptr, L"", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING, filter);
    if (dialog.DoModal(owner ? owner : ::GetActiveWindow()) != IDOK)
        return EString();
    return dialog.GetPathName();
}
