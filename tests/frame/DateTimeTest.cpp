// Dates as text, and the debug overlay's timing counters.
#include <gtest/gtest.h>

#include <cstdint>

#include "engine/Clock.h"
#include "frame/DateTime.h"
#include "frame/Timing.h"

namespace {

class ClockedTest : public ::testing::Test {
  protected:
    void SetUp() override { SetClock(&clock_); }
    void TearDown() override { SetClock(nullptr); }
    FakeClock clock_;
};

using DateTimeTest = ClockedTest;
using TimingTest = ClockedTest;

TEST_F(DateTimeTest, ReadsTheCurrentDateAndTimeTexts) {
    clock_.SetDate({2026, 2, 1, 9, 5, 3});
    EXPECT_EQ(CurrentDateText(), "01 Feb 2026");
    EXPECT_EQ(CurrentTimeText(), "09:05:03");
    TDateTimePtr now = TDateTime::Create();
    now->Set_DateTimeCurrent();
    EXPECT_EQ(now->Year, 2026);
    EXPECT_EQ(now->Month, 2);
    EXPECT_EQ(now->Day, 1);
    EXPECT_EQ(now->Hour, 9);
    EXPECT_EQ(now->Minute, 5);
    EXPECT_EQ(now->Second, 3);
    EXPECT_EQ(now->Get_String("YYYY-MM-DD HHNNSS screenshot.png"),
              "2026-02-01 090503 screenshot.png");

    // Every month name round-trips through its three-letter text.
    for (int month = 1; month <= 12; ++month) {
        clock_.SetDate({2026, month, 28, 23, 59, 58});
        now->Set_DateTimeCurrent();
        EXPECT_EQ(now->Month, month) << CurrentDateText();
    }
    EXPECT_EQ(now->Get_String("YYYY-MM-DD HHNNSS screenshot.png"),
              "2026-12-28 235958 screenshot.png");
}

TEST_F(DateTimeTest, PatternRunsFollowTheirLetterAndLength) {
    TDateTime date;
    date.Year = 2026;
    date.Month = 3;
    date.Day = 7;
    date.Hour = 14;
    date.Minute = 2;
    date.Second = 9;
    EXPECT_EQ(date.Get_String("D.M.YY H:N:S"), "7.3.26 14:2:9");
    EXPECT_EQ(date.Get_String("DD/MM/YYYY HH-NN-SS"), "07/03/2026 14-02-09");
    // Lower-case letters are never fields.
    EXPECT_EQ(date.Get_String("yyyy mm dd hh nn ss"), "yyyy mm dd hh nn ss");
    EXPECT_EQ(date.Get_String("shot YYYY"), "shot 2026");
    // Lengths without a meaning give nothing; other characters are copied.
    EXPECT_EQ(date.Get_String("[YYY][Y][YYYYY][HHH][NNN][SSSS][MMMMM][DDDDD]"), "[][][][][][][][]");
    EXPECT_EQ(date.Get_String("__ -- ..."), "__ -- ...");
    EXPECT_EQ(date.Get_String(""), "");
    // Three and four letters name the month and the weekday.
    EXPECT_EQ(date.Get_String("DDD DD MMM / DDDD MMMM"), "Sat 07 Mar / Saturday March");
    // Fixed widths pad on the left and keep the last digits.
    date.Year = 7;
    EXPECT_EQ(date.Get_String("YYYY YY"), "0007 07");
    EXPECT_EQ(TDateTime::Get_String_Parser_Formater(12345, 4), "2345");
    EXPECT_EQ(TDateTime::Get_String_Parser_Formater(2026, 2), "26");
}

TEST_F(TimingTest, DebugVarPadsMeasuresAndCapsItsMaximum) {
    TDebugVar var;
    var.Label = "Logic   ";
    var.Init();
    EXPECT_EQ(var.GetDisplay(), "Logic   000/000");
    clock_.Set(5000);
    var.Start();
    clock_.Advance(1234);
    var.Calc();
    EXPECT_EQ(var.GetDisplay(), "Logic   1234/999") << "padding never cuts; the maximum is capped";
    var.Start();
    clock_.Advance(12);
    var.Calc();
    EXPECT_EQ(var.GetDisplay(), "Logic   012/999") << "the maximum is kept until reset";
    var.Init();
    // Across the point where the signed millisecond count wraps.
    clock_.Set(0x7FFFFFF0u);
    var.Start();
    clock_.Advance(40);
    var.Calc();
    EXPECT_EQ(var.GetDisplay(), "Logic   040/040");
}

TEST_F(TimingTest, FpsCounterCountsFramesPerSecond) {
    TFPSCounter fps;
    fps.Label = "FPS     ";
    clock_.Set(0x7FFFFF00u);  // the second being counted crosses the wrap
    fps.Init();
    EXPECT_EQ(fps.GetDisplay(), "FPS     000/999");
    for (int frame = 0; frame < 60; ++frame) {
        clock_.Advance(16);
        fps.Calc();
    }
    // 960 ms: not a full counting period yet.
    EXPECT_EQ(fps.Current, 0);
    EXPECT_EQ(fps.counter, 60);
    clock_.Advance(41);  // exactly 1001 ms is not past the period
    fps.Calc();
    EXPECT_EQ(fps.Current, 0);
    clock_.Advance(1);
    fps.Calc();
    EXPECT_EQ(fps.Current, 62);
    EXPECT_EQ(fps.counter, 0);
    EXPECT_EQ(fps.GetDisplay(), "FPS     062/062");
    for (int frame = 0; frame < 30; ++frame) {
        clock_.Advance(35);
        fps.Calc();
    }
    EXPECT_EQ(fps.framerate, 29);
    EXPECT_EQ(fps.minimum, 29);
    EXPECT_EQ(fps.maximum, 62);
    EXPECT_EQ(fps.GetDisplay(), "FPS     029/029") << "the display shows the minimum";
}

}  // namespace
