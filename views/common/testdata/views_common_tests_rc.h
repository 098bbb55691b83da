// Resource ids of the views' tests.
#pragma once

#define IDR_TEST_CONTEXT 200
#define IDR_MISSING_MENU 299
