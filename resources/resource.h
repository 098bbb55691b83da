// Resource ids of the program.
#pragma once

#include "app/AppCommandIds.h"
#include "document/DocumentCommandIds.h"
#include "resources/IconIds.h"
#include "views/tasks/EditCommandIds.h"
