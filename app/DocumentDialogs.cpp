#include "app/DocumentDialogs.h"

#include "dialogs/CompleteCategoryDialog.h"

bool DocumentDialogs::AskCompleteCategory(const EString& message, bool& doNotAskAgain)
{
    return ::AskCompleteCategory(message, doNotAskAgain);
}
