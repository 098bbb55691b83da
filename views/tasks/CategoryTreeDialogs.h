// ICategoryTreeDialogs: the category editor and the delete question the category tree asks.
#pragma once

#include <windows.h>

#include "foundation/AppWindow.h"
#include "foundation/EString.h"

// What the category editor shows and gives back.
struct CategoryDialogFields {
    // While set, the editor keeps its "completed" box disabled.
    bool hasUncompletedTasks = true;
    EString description;
    EString name;
    bool completed = false;
    double deadline = 0;
};

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
