#include "app/DocumentDialogs.h"

#include "dialogs/CompleteCategoryDialog.h"
#include "dialogs/DocPropertiesDialog.h"
#include "dialogs/GoalsDialog.h"
#include "dialogs/ScheduleTasksDialog.h"
#include "dialogs/LoginDialog.h"

bool DocumentDialogs::AskCompleteCategory(const EString& message, bool& doNotAskAgain)
{
    return ::AskCompleteCategory(message, doNotAskAgain);
}

// The load factor is the hours of work per day.
bool DocumentDialogs::ChooseDeadlineSchedule(double& startDate, double& loadFactor)
{
    return ::ChooseDeadlineSchedule(startDate, loadFactor);
}

bool DocumentDialogs::EditProperties(DocProperties& properties)
{
    return EditDocProperties(properties);
}

bool DocumentDialogs::ChooseGoals(const std::vector<Goal>& offered, std::vector<Goal>& chosen)
{
    return ::ChooseGoals(offered, chosen);
}

bool DocumentDialogs::EditLogin(EString& user, EString& password, bool& remember)
{
    return ::EditLogin(user, password, remember);
}
