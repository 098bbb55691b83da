#include "winlib/Window.h"
// Sorted as the task list sorts.
#include "views/tasks/TaskOrder.h"
