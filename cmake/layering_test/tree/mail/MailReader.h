#pragma once
#include "foundation/Text.h"
