// ICategoryTreeDialogs: the category editor and the delete question the category tree asks.
#pragma once

#include <windows.h>

#include "dialogs/CategoryDialogFields.h"
#include "foundation/AppWindow.h"
#include "foundation/EString.h"

class ICategoryTreeDialogs {
public:
    virtual ~ICategoryTreeDialogs() = default;

    // Modal over `parent`: true when the user confirmed, with the fields updated.
    virtual bool EditCategory(HWND parent, CategoryDialogFields& fields) = 0;
    // Yes to the question.
    virtual bool ConfirmDelete(const EString& question) = 0;
};

// The program's own: the category dialog and a message box.
class CategoryTreeDialogs : public ICategoryTreeDialogs {
public:
    bool EditCategory(HWND parent, CategoryDialogFields& fields) override;
    bool ConfirmDelete(const EString& question) override
    {
        return AppMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
};
