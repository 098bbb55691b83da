// IPeopleTreeDialogs: the group and person editors and the delete question the people tree asks through.
#pragma once

#include <windows.h>

#include "dialogs/PersonDialogFields.h"
#include "foundation/AppWindow.h"
#include "foundation/EString.h"

class IPeopleTreeDialogs {
public:
    virtual ~IPeopleTreeDialogs() = default;

    // Modal editors over `parent`: true when the user confirmed, with the fields updated.
    virtual bool EditGroup(HWND parent, EString& name, EString& description) = 0;
    virtual bool EditPerson(HWND parent, PersonDialogFields& fields) = 0;
    // Yes to the question.
    virtual bool ConfirmDelete(const EString& question) = 0;
};

// The program's own: the group and person dialogs and a message box.
class PeopleTreeDialogs : public IPeopleTreeDialogs {
public:
    bool EditGroup(HWND parent, EString& name, EString& description) override;
    bool EditPerson(HWND parent, PersonDialogFields& fields) override;
    bool ConfirmDelete(const EString& question) override
    {
        return AppMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
};
