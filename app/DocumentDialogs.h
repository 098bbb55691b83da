// DocumentDialogs: the program's own dialogs behind the planning document's dialog interface.
#pragma once

#include "document/IDocumentDialogs.h"

// The deadline schedule, properties, goals and login dialogs are not in the
// program yet: they answer as if the user had cancelled.
class DocumentDialogs : public IDocumentDialogs {
public:
    bool AskCompleteCategory(const EString& message, bool& doNotAskAgain) override;
    bool ChooseDeadlineSchedule(double&, double&) override { return false; }
    bool EditProperties(DocProperties&) override { return false; }
    bool ChooseGoals(const std::vector<Goal>&, std::vector<Goal>&) override { return false; }
    bool EditLogin(EString&, EString&, bool&) override { return false; }
};
