#include "views/common/TaskColumns.h"

#include "foundation/Locale.h"

EString TaskColumnText(const TaskCard& task, int column)
{
    switch (column) {
    case 0: return task.GetName();
    case 1: return Locale::FormatDuration(task.GetEstimation());
    case 2: return Locale::FormatDuration(task.GetDoneTime());
    case 3: return Locale::FormatDuration(task.GetPlannedTime());
    case 4: return task.HasOriginalEstimation() ? Locale::FormatDecimal(task.GetOriginalEstimation()) : EString();
    case 5: return task.GetImportanceText();
    // A task without a deadline counts as due today, but shows no date it was never given.
    case 6: return task.HasDeadline() ? task.GetDeadlineText() : EString();
    case 7: return task.GetStatusText();
    case 8: return task.GetCategoryPath();
    default: return {};
    }
}
