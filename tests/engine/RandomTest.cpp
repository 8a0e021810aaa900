#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "engine/Random.h"

namespace {

TEST(Random, CRandRepeatsTheClassicSequence) {
    // The generator every C library shipped as its example rand().
    uint32_t next = 1;
    std::vector<int> expected;
    for (int i = 0; i < 8; ++i) {
        next = next * 1103515245u + 12345u;
        expected.push_back(static_cast<int>((next / 65536) % 32768));
    }
    CSrand(1);
    std::vector<int> first;
    for (int i = 0; i < 8; ++i)
        first.push_back(CRand());
    EXPECT_EQ(first, expected);
    EXPECT_EQ(first[0], 16838);  // the well-known first value after seed 1

    CSrand(12345);
    int a = CRand(), b = CRand();
    CSrand(12345);
    EXPECT_EQ(CRand(), a);
    EXPECT_EQ(CRand(), b);
}

TEST(Random, RandIntKeepsTheFifteenBitRange) {
    CSrand(7);
    int highest = 0;
    for (int i = 0; i < 200000; ++i) {
        int value = RandInt(0, 100000);
        ASSERT_GE(value, 0);
        ASSERT_LE(value, CRAND_MAX);
        highest = std::max(highest, value);
    }
    EXPECT_GE(highest, 32700);

    // An empty span returns the lower bound instead of dividing by zero.
    EXPECT_EQ(RandInt(5, 4), 5);
    EXPECT_EQ(RandInt(7, 3), 7);
    EXPECT_EQ(RandInt(9, 9), 9);
    for (int i = 0; i < 1000; ++i) {
        int value = RandInt(-3, 3);
        ASSERT_GE(value, -3);
        ASSERT_LE(value, 3);
    }
    int wide = RandInt(INT_MIN, INT_MAX);  // the span needs 64 bits
    EXPECT_LE(wide, INT_MIN + CRAND_MAX);
}

TEST(Random, RandAndRndStayInRangeAndCoverIt) {
    SeedRnd(99);
    bool seen[4] = {};
    bool seenReversed[4] = {};
    for (int i = 0; i < 2000; ++i) {
        int value = Rand(1, 4);
        ASSERT_GE(value, 1);
        ASSERT_LE(value, 4);
        seen[value - 1] = true;
        int reversed = Rand(4, 1);
        ASSERT_GE(reversed, 1);
        ASSERT_LE(reversed, 4);
        seenReversed[reversed - 1] = true;
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(seen[i]) << i + 1;
        EXPECT_TRUE(seenReversed[i]) << i + 1;
    }
    EXPECT_EQ(Rand(6, 6), 6);
    int extreme = Rand(INT_MIN, INT_MAX);
    EXPECT_GE(extreme, INT_MIN);

    double low = 1.0, high = 0.0;
    for (int i = 0; i < 10000; ++i) {
        double value = Rnd(2.0, 3.0);
        ASSERT_GE(value, 2.0);
        ASSERT_LT(value, 3.0);
        double reversed = Rnd(3.0, 2.0);
        ASSERT_GE(reversed, 2.0);
        ASSERT_LT(reversed, 3.0);
        double unit = Rnd();
        low = std::min(low, unit);
        high = std::max(high, unit);
    }
    EXPECT_LT(low, 0.01);
    EXPECT_GT(high, 0.99);

    SeedRnd(1234);
    double first = Rnd();
    int second = Rand(0, 1000000);
    SeedRnd(1234);
    EXPECT_EQ(Rnd(), first);
    EXPECT_EQ(Rand(0, 1000000), second);
}

}  // namespace
