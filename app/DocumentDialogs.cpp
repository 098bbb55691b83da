#include "app/DocumentDialogs.h"

#include "dialogs/CompleteCategoryDialog.h"
#include "dialogs/DocPropertiesDialog.h"
#include "dialogs/LoginDialog.h"

bool DocumentDialogs::AskCompleteCategory(const EString& message, bool& doNotAskAgain)
{
    return ::AskCompleteCategory(message, doNotAskAgain);
}

bool DocumentDialogs::EditProperties(DocProperties& properties)
{
    return EditDocProperties(properties);
}

bool DocumentDialogs::EditLogin(EString& user, EString& password, bool& remember)
{
    return ::EditLogin(user, password, remember);
}
