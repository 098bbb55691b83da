// Resource ids of the category tree.
#pragma once

#define IDR_CATEGORY_MENU 130
