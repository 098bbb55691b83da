// The record of a command's state that views send to the main frame, with the program's private messages.
#pragma once

#include <windows.h>

#include "foundation/PrivateMessages.h"


struct CommandUiState {
    int checked;
    int enabled;
    int commandId;
};
