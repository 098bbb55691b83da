// TaskColumnText: what each column of the task list shows of a task.
#pragma once

#include "document/model/TaskCard.h"
#include "foundation/EString.h"

// The cell's text of the column (0 the name .. 8 the category path); empty
// for a column the list does not have.
EString TaskColumnText(const TaskCard& task, int column);
