#include <gtest/gtest.h>

#include "engine/Clock.h"

namespace {

// Installs a fake clock for one test and always puts the system clock back.
class ClockTest : public ::testing::Test {
  protected:
    void SetUp() override { SetClock(&fake_); }
    void TearDown() override { SetClock(nullptr); }
    FakeClock fake_{1000};
};

TEST_F(ClockTest, MilliSecsFollowsTheInstalledClock) {
    EXPECT_EQ(&CurrentClock(), &fake_);
    EXPECT_EQ(MilliSecs(), 1000);
    fake_.Advance(250);
    EXPECT_EQ(MilliSecs(), 1250);
    Delay(100);
    EXPECT_EQ(MilliSecs(), 1350);
    Delay(-5);  // a negative delay is no delay
    EXPECT_EQ(MilliSecs(), 1350);

    // Past 2^31 the value goes negative, past 2^32 it starts again; the
    // difference of two readings still gives the elapsed time.
    fake_.Set(0x7FFFFFF0u);
    int before = MilliSecs();
    fake_.Advance(0x20);
    EXPECT_LT(MilliSecs(), 0);
    EXPECT_EQ(static_cast<int>(static_cast<unsigned>(MilliSecs()) - static_cast<unsigned>(before)),
              0x20);
    fake_.Set(0xFFFFFFF0u);
    EXPECT_EQ(MilliSecs(), -16);
    fake_.Advance(0x30);
    EXPECT_EQ(MilliSecs(), 0x20);

    fake_.SetDate(DateTime{2031, 7, 4, 9, 30, 15});
    DateTime date = CurrentDateTime();
    EXPECT_EQ(date.year, 2031);
    EXPECT_EQ(date.month, 7);
    EXPECT_EQ(date.second, 15);
}

TEST_F(ClockTest, NullRestoresTheSystemClock) {
    SetClock(nullptr);
    EXPECT_NE(&CurrentClock(), &fake_);
    int start = MilliSecs();
    Delay(20);
    EXPECT_GE(MilliSecs() - start, 15);
    DateTime now = CurrentDateTime();
    EXPECT_GE(now.year, 2024);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_GE(now.day, 1);
}

}  // namespace
