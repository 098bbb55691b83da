#include "views/tasks/CategoryTreeDialogs.h"

#include "dialogs/CategoryDialog.h"

bool CategoryTreeDialogs::EditCategory(HWND parent, CategoryDialogFields& fields)
{
    CCategoryDialog dialog;
    dialog.name = fields.name;
    dialog.description = fields.description;
    dialog.completed = fields.completed ? 1 : 0;
    dialog.deadline = fields.deadline;
    dialog.hasOpenTasks = fields.hasUncompletedTasks;
    if (dialog.DoModal(parent) != IDOK)
        return false;
    fields.name = dialog.name;
    fields.description = dialog.description;
    fields.completed = dialog.completed != 0;
    fields.deadline = dialog.deadline;
    return true;
}
