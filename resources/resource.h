// Resource ids of the program.
#pragma once

#include "resources/AppCommandIds.h"
#include "resources/DocumentCommandIds.h"
#include "resources/EditCommandIds.h"
#include "resources/IconIds.h"
