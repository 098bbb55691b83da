// DocumentDialogs: the program's own dialogs behind the planning document's dialog interface.
#pragma once

#include "document/IDocumentDialogs.h"

// The goals a new document offers are not asked for yet: that answers as if
// the user had cancelled.
class DocumentDialogs : public IDocumentDialogs {
public:
    bool AskCompleteCategory(const EString& message, bool& doNotAskAgain) override;
    bool ChooseDeadlineSchedule(double& startDate, double& loadFactor) override;
    bool EditProperties(DocProperties& properties) override;
    bool ChooseGoals(const std::vector<Goal>&, std::vector<Goal>&) override { return false; }
    bool EditLogin(EString& user, EString& password, bool& remember) override;
};
