// PersonDialogFields: what the person editor shows and gives back.
#pragma once

#include "foundation/EString.h"

struct PersonDialogFields {
    EString name;
    EString description;
    EString fullName;
    EString email;
    int requireInvitation = 0;
};
