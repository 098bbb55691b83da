// CategoryDialogFields: what the category editor shows and gives back.
#pragma once

#include "foundation/EString.h"

struct CategoryDialogFields {
    // While set, the editor keeps its "completed" box disabled.
    bool hasUncompletedTasks = true;
    EString description;
    EString name;
    bool completed = false;
    double deadline = 0;
};
