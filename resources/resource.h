// Resource ids of the program.
#pragma once

#define IDS_PRODUCT_NAME 128
