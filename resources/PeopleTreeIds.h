// Resource ids of the people tree.
#pragma once

#define IDR_PEOPLE_MENU 272
