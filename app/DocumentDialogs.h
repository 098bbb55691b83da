// DocumentDialogs: the program's own dialogs behind the planning document's dialog interface.
#pragma once

#include "document/IDocumentDialogs.h"

class DocumentDialogs : public IDocumentDialogs {
public:
    bool AskCompleteCategory(const EString& message, bool& doNotAskAgain) override;
    bool ChooseDeadlineSchedule(double& startDate, double& loadFactor) override;
    bool EditProperties(DocProperties& properties) override;
    bool ChooseGoals(const std::vector<Goal>& offered, std::vector<Goal>& chosen) override;
    bool EditLogin(EString& user, EString& password, bool& remember) override;
};
