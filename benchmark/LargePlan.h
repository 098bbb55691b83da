// LargePlan: the text of a plan of the size the program must handle, for the speed tests.
#pragma once

#include <string>

// 10,000 tasks in 303 categories and 100,000 plan entries over three years.
std::string LargePlanXml();
