#include "dialogs/CompleteCategoryDialog.h"

bool AskCompleteCategory(const EString& message, bool& doNotAskAgain)
{
    CCompleteCategoryDialog dialog;
    dialog.message = message;
    const bool yes = dialog.DoModal() == IDOK;
    doNotAskAgain = dialog.doNotAskAgain != 0;
    return yes;
}
