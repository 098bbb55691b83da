#include "app/DocumentDialogs.h"

#include "dialogs/CompleteCategoryDialog.h"
#include "dialogs/DocPropertiesDialog.h"
#include "dialogs/GoalsDialog.h"

bool DocumentDialogs::AskCompleteCategory(const EString& message, bool& doNotAskAgain)
{
    return ::AskCompleteCategory(message, doNotAskAgain);
}

bool DocumentDialogs::EditProperties(DocProperties& properties)
{
    return EditDocProperties(properties);
}

bool DocumentDialogs::ChooseGoals(const std::vector<Goal>& offered, std::vector<Goal>& chosen)
{
    return ::ChooseGoals(offered, chosen);
}
