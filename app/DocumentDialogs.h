// DocumentDialogs: the program's own dialogs behind the planning document's dialog interface.
#pragma once

#include "document/IDocumentDialogs.h"

// The deadline schedule dialog is not in the program yet, and the
// goals a new document offers are not asked for yet: they answer as if the
// user had cancelled.
class DocumentDialogs : public IDocumentDialogs {
public:
    bool AskCompleteCategory(const EString& message, bool& doNotAskAgain) override;
    bool ChooseDeadlineSchedule(double&, double&) override { return false; }
    bool EditProperties(DocProperties& properties) override;
    bool ChooseGoals(const std::vector<Goal>&, std::vector<Goal>&) override { return false; }
    bool EditLogin(EString& user, EString& password, bool& remember) override;
};
