#include "views/tasks/PeopleTreeDialogs.h"

#include "dialogs/GroupDialog.h"
#include "dialogs/PersonDialog.h"

bool PeopleTreeDialogs::EditGroup(HWND parent, EString& name, EString& description)
{
    CGroupDialog dialog;
    dialog.name = name;
    dialog.comments = description;
    if (dialog.DoModal(parent) != IDOK)
        return false;
    name = dialog.name;
    description = dialog.comments;
    return true;
}

bool PeopleTreeDialogs::EditPerson(HWND parent, PersonDialogFields& fields)
{
    CPersonDialog dialog;
    dialog.fields = fields;
    if (dialog.DoModal(parent) != IDOK)
        return false;
    fields = dialog.fields;
    return true;
}
