// The generator's sequence is part of every picture that uses it.
#include <gtest/gtest.h>

#include "core/Random.h"

TEST(Random, SequenceOfARun)
{
    RandomState = 1;
    EXPECT_EQ(NextRandom(), 41);
    EXPECT_EQ(NextRandom(), 18467);
    EXPECT_EQ(NextRandom(), 6334);
    for (int i = 0; i < 100000; ++i) {
        int32_t Value = NextRandom();
        ASSERT_GE(Value, 0);
        ASSERT_LE(Value, 32767);
    }
}
