// Resource ids of the mood list.
#pragma once

#define IDR_MOOD_MENU 101
