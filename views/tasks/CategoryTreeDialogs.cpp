#include "views/tasks/CategoryTreeDialogs.h"

#include "dialogs/CategoryDialog.h"

bool CategoryTreeDialogs::EditCategory(HWND parent, CategoryDialogFields& fields)
{
    CCategoryDialog dialog;
    dialog.fields = fields;
    if (dialog.DoModal(parent) != IDOK)
        return false;
    fields = dialog.fields;
    return true;
}
