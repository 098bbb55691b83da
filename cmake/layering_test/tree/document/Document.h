#pragma once
#include "foundation/Text.h"
#include "benchmark/PlanGenerator.h"
