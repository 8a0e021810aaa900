// Timelines, sine counters, countdowns, flashers and vectors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "media/Animation.h"
#include "support/FrameFixture.h"

namespace {

class AnimationTest : public FrameTest {
  protected:
    // Runs Manage until it reports a phase end, returning the steps taken.
    int StepsUntilEnd(TAnimation& animation, int limit = 10000) {
        for (int step = 1; step <= limit; ++step) {
            if (animation.Manage()) return step;
        }
        return -1;
    }
};

TEST_F(AnimationTest, OneShotTimelineRunsDownOnceAndStops) {
    TAnimationPtr animation = TAnimation::Create(100);  // 20 steps
    EXPECT_EQ(animation->Active, 0) << "created, not started";
    animation->Start();
    EXPECT_FLOAT_EQ(animation->GetRatio(), 1.0f);
    for (int i = 0; i < 10; ++i)
        animation->Manage();
    EXPECT_FLOAT_EQ(animation->GetRatio(), 0.5f);
    EXPECT_NEAR(animation->GetRatioSine(), 0.7071f, 1e-4);
    EXPECT_EQ(StepsUntilEnd(*animation), 10);
    EXPECT_EQ(animation->Active, 0);
    EXPECT_EQ(animation->Finished, 1);
    EXPECT_EQ(animation->Manage(), 0) << "inactive timelines report nothing";

    // Reset restarts a running timeline from its full length.
    animation->Start();
    for (int i = 0; i < 5; ++i)
        animation->Manage();
    animation->Reset();
    EXPECT_FLOAT_EQ(animation->Counter, 20.0f);

    EXPECT_NEAR(EaseInOut(0.25f), 0.1464f, 1e-4);
    EXPECT_FLOAT_EQ(EaseInOut(0.5f), 0.5f);
    EXPECT_FLOAT_EQ(EaseInOut(1.0f), 1.0f);
}

TEST_F(AnimationTest, CyclingPhasesLoopTotalAndLeaveActive) {
    TAnimationPtr animation = TAnimation::Create(50, 0, 0, 1);  // 10 steps, cycling
    animation->AddPhase(25);                                    // then 5 steps
    animation->LoopTotal = 3;
    animation->Start();
    int ends = 0, steps = 0;
    while (animation->Active && steps < 1000) {
        ends += animation->Manage();
        ++steps;
    }
    EXPECT_EQ(steps, 45) << "three passes of 10 + 5 steps";
    EXPECT_EQ(ends, 6);
    EXPECT_EQ(animation->LoopCount, 3);

    TAnimationPtr parked = TAnimation::Create(50, 1, 1);  // counting up, stays active
    parked->Start();
    EXPECT_EQ(StepsUntilEnd(*parked), 11);
    EXPECT_EQ(parked->Active, 1);
    EXPECT_EQ(parked->Finished, 1);
    EXPECT_FLOAT_EQ(parked->Counter, 10.0f);

    TAnimationPtr inserted = TAnimation::Create(50);
    inserted->AddPhase(100);
    inserted->InsertPhase(25, 1);
    EXPECT_EQ(inserted->TotalPhases, 3);
    EXPECT_FLOAT_EQ(inserted->Length[1], 5.0f);
    EXPECT_FLOAT_EQ(inserted->Length[2], 20.0f);
    inserted->Start();
    inserted->Stop();
    EXPECT_EQ(inserted->Active, 0) << "Stop ends a timeline that does not cycle";
}

TEST_F(AnimationTest, PingPongTurnsWithoutAJump) {
    TAnimationPtr animation = TAnimation::Create(20, 0, 0, 1, 1);  // 4 steps
    animation->Start();
    std::vector<float> ratios;
    for (int i = 0; i < 16; ++i) {
        animation->Manage();
        ratios.push_back(animation->GetRatio());
    }
    for (size_t i = 1; i < ratios.size(); ++i) {
        EXPECT_LE(std::fabs(ratios[i] - ratios[i - 1]), 0.25f + 1e-5f) << "step " << i;
    }
    EXPECT_NEAR(*std::min_element(ratios.begin(), ratios.end()), 0.0f, 1e-5);
    EXPECT_NEAR(*std::max_element(ratios.begin(), ratios.end()), 1.0f, 1e-5);
}

TEST_F(AnimationTest, CountersSineCountersAndFlashers) {
    TSineCounterPtr sine = TSineCounter::Create(0, 90, 40, 1);
    sine->Manage();
    sine->Manage();
    EXPECT_EQ(sine->Active, 1);
    sine->Manage();
    EXPECT_EQ(sine->Active, 0);
    EXPECT_FLOAT_EQ(sine->Counter, 90.0f) << "a run-once counter stops exactly at its end";
    EXPECT_FLOAT_EQ(sine->ratio, 1.0f);

    TCounterList counters;
    TCounterPtr quick = counters.AddNew(10);  // 2 steps
    counters.AddNew(50);
    EXPECT_EQ(counters.Manage(1), 0);
    EXPECT_EQ(counters.Count(), 2);
    EXPECT_FLOAT_EQ(quick->GetRatio(), 0.5f);
    EXPECT_EQ(counters.Manage(1), 1) << "the number that ended on this step";
    EXPECT_EQ(counters.Count(), 1) << "dropped on the very step its countdown ends";
    EXPECT_EQ(quick->Active, 0);

    // 100 steps in all, a 20-step delay, then 10 on / 5 off.
    TFlasherPtr flasher = TFlasher::Create(500, 50, 25, 100);
    std::vector<int> states;
    int result = 0;
    for (int i = 0; i < 100; ++i) {
        result = flasher->Manage();
        states.push_back(flasher->FlashState);
        if (i < 99) {
            EXPECT_EQ(result, 0);
        }
    }
    EXPECT_EQ(result, 1);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(states[i], 1) << "on through the delay, step " << i;
    int toggles = 0;
    for (size_t i = 1; i < states.size(); ++i)
        toggles += states[i] != states[i - 1];
    EXPECT_GE(toggles, 8) << "blinks after the delay";
}

TEST_F(AnimationTest, VectorsRotateAndRebound) {
    TVector v;
    v.x = 1;
    v.y = -1;
    TVector wall;
    wall.x = 1;
    wall.y = 0;
    v.Rebound(wall);
    EXPECT_DOUBLE_EQ(v.x, 1);
    EXPECT_DOUBLE_EQ(v.y, 1);
    TVectorPtr r = TVector::Create(1, 0);
    r->Rotate(90);
    EXPECT_NEAR(r->x, 0, 1e-6);
    EXPECT_NEAR(r->y, 1, 1e-9) << "clockwise on screen with y down";
    EXPECT_DOUBLE_EQ(
        TVector::CreateFromVectorsSubtracted(*TVector::Create(1, 1), *TVector::Create(4, 5))
            ->CalcLength(),
        5.0);
    TVectorPtr n = TVector::Create(3, 4);
    n->Normalise();
    EXPECT_DOUBLE_EQ(n->CalcLength(), 1.0);
}

}  // namespace
