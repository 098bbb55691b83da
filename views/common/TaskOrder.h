// The task list's order of two tasks by a column, and when a reminder is due.
#pragma once

#include <vector>

#include "document/model/ReminderInfo.h"
#include "document/model/TaskCard.h"

// Negative when a sorts before b, 0 when they tie, positive after: the
// column's value first (the name column has none; numbers that show the
// same text are equal), then the names without regard to case. Descending
// turns the answer round.
int CompareTasks(const TaskCard& a, const TaskCard& b, int column, bool ascending);

// The tasks in CompareTasks' order, ties kept in their order. Each text is
// turned into its sort key once: thousands of rows compared text by text
// took longer than reading them.
void SortTasks(std::vector<TaskCard>& tasks, int column, bool ascending);

// Due once its day and time of day together are at or before now (an OLE date).
bool IsReminderDue(const ReminderInfo& reminder, double now);
