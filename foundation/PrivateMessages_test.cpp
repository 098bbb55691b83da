#include <gtest/gtest.h>

#include <algorithm>

#include "foundation/PrivateMessages.h"

TEST(PrivateMessagesTest, NoTwoMessagesShareANumberAndEachIsPrivate)
{
    auto numbers = kPrivateMessages;
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(std::adjacent_find(numbers.begin(), numbers.end()), numbers.end());
    for (const UINT message : numbers) {
        EXPECT_GE(message, static_cast<UINT>(WM_USER)) << message;
        EXPECT_LT(message, 0xC000u) << message;
    }
}
