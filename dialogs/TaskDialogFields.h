// TaskDialogFields: what the task editor shows and gives back.
#pragma once

#include "document/model/RecurrenceInfo.h"
#include "document/model/ReminderInfo.h"
#include "foundation/EString.h"

struct TaskDialogFields {
    EString name;
    EString description;
    double estimation = 2;
    double deadline = 0;
    int importance = 1;
    int status = 0;
    int categoryId = 0;
    bool hasRecurrence = false;
    RecurrenceInfo recurrence;
    bool hasReminder = false;
    ReminderInfo reminder;
    // Set by the editor of a new task when the user asked for another one.
    bool addAnother = false;
};
