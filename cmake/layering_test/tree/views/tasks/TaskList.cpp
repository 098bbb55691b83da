#include "views/tasks/TaskList.h"
#include "winlib/Window.h"
