#pragma once
#include "views/tasks/TaskList.h"
