#include "dialogs/DocPropertiesDialog.h"

bool EditDocProperties(DocProperties& properties)
{
    CDocPropertiesDialog dialog;
    dialog.author = properties.GetAuthor();
    dialog.company = properties.GetCompany();
    dialog.title = properties.GetTitle();
    dialog.manager = properties.GetManager();
    dialog.address = properties.GetAddress();
    if (dialog.DoModal() != IDOK)
        return false;
    properties.SetAuthor(dialog.author);
    properties.SetCompany(dialog.company);
    properties.SetTitle(dialog.title);
    properties.SetManager(dialog.manager);
    properties.SetAddress(dialog.address);
    return true;
}
