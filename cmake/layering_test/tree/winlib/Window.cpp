#include "winlib/Window.h"

// An unmatched bracket does not hide the lines after it.
static const char kOpen[] = "[";
#include "views/tasks/TaskList.h"
