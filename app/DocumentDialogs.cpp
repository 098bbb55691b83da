#include "app/DocumentDialogs.h"

#include "dialogs/CompleteCategoryDialog.h"
#include "dialogs/DocPropertiesDialog.h"

bool DocumentDialogs::AskCompleteCategory(const EString& message, bool& doNotAskAgain)
{
    return ::AskCompleteCategory(message, doNotAskAgain);
}

bool DocumentDialogs::EditProperties(DocProperties& properties)
{
    return EditDocProperties(properties);
}
