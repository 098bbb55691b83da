#include <gtest/gtest.h>

#include "foundation/BoolSwitch.h"

TEST(BoolSwitchTest, ClearsItsFlagEvenOnException)
{
    int busy = 0;
    try {
        BoolSwitch guard(busy);
        EXPECT_EQ(busy, 1);
        throw 1;
    } catch (int) {
    }
    EXPECT_EQ(busy, 0);
}
