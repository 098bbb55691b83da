// Resource ids of the program.
#pragma once

#include "document/DocumentCommandIds.h"
