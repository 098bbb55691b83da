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
    dialog.name = fields.name;
    dialog.description = fields.description;
    dialog.fullName = fields.fullName;
    dialog.email = fields.email;
    dialog.requireInvitation = fields.requireInvitation;
    if (dialog.DoModal(parent) != IDOK)
        return false;
    fields.name = dialog.name;
    fields.description = dialog.description;
    fields.fullName = dialog.fullName;
    fields.email = dialog.email;
    fields.requireInvitation = dialog.requireInvitation;
    return true;
}
