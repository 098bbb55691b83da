// IDocumentDialogs: the editing dialogs the planning document opens, each modal over the active window.
#pragma once

#include <vector>

#include "document/model/DocProperties.h"
#include "document/model/Goal.h"
#include "foundation/EString.h"

// Each returns true when the user confirmed with OK; the values are then the
// user's. Cancel leaves them as they were given.
class IDocumentDialogs {
public:
    virtual ~IDocumentDialogs() = default;

    // The question whether a category whose last task was completed is
    // completed too. doNotAskAgain: the user ticked "DoNotAskAgain", whatever
    // the answer.
    virtual bool AskCompleteCategory(const EString& message, bool& doNotAskAgain) = 0;
    // The first deadline day and the hours of work per day of arranged deadlines.
    virtual bool ChooseDeadlineSchedule(double& startDate, double& loadFactor) = 0;
    virtual bool EditProperties(DocProperties& properties) = 0;
    // The goals offered, and those the user chose of them.
    virtual bool ChooseGoals(const std::vector<Goal>& offered, std::vector<Goal>& chosen) = 0;
    virtual bool EditLogin(EString& user, EString& password, bool& remember) = 0;
};
