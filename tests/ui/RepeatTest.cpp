// Held keys and mouse buttons repeating: the press at once, the first repeat
// after the initial delay, then one per delay, timed by the game's clock
// through the fixed-rate loop.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/Input.h"
#include "frame/Screen.h"
#include "support/FrameFixture.h"
#include "ui/Repeat.h"

namespace {

constexpr int kUp = 38;  // virtual-key code of the up arrow

// A screen whose every logic step asks the repeat under test.
class ProbeScreen : public TScreen {
  public:
    std::function<void()> onLogic;
    void Logic() override {
        if (onLogic) onLogic();
    }
};

struct Report {
    int at;  // clock ms of the frame
    int result;
};

class RepeatTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        screen_ = MakeScreen<ProbeScreen>();
        screen_->CoreStart();
    }
    void TearDown() override {
        screen_->onLogic = nullptr;
        FlushEvents();
        FlushAll();
        FrameTest::TearDown();
    }
    // Runs frames of frameMs for totalMs of clock time, asking probe on every
    // logic step; returns the answers that were not 0.
    std::vector<Report> Run(const std::function<int()>& probe, int totalMs, int frameMs) {
        std::vector<Report> reports;
        screen_->onLogic = [&] {
            if (const int result = probe())
                reports.push_back({static_cast<int>(clock_.Millis()), result});
        };
        for (int elapsed = 0; elapsed < totalMs; elapsed += frameMs) {
            clock_.Advance(static_cast<uint32_t>(frameMs));
            Game->MainLogicLoop();
        }
        screen_->onLogic = nullptr;
        return reports;
    }
    // Times of the reports relative to the first (the press).
    static std::vector<int> Since(const std::vector<Report>& reports) {
        std::vector<int> times;
        for (const Report& report : reports)
            times.push_back(report.at - reports.front().at);
        return times;
    }
    std::shared_ptr<ProbeScreen> screen_;
};

TEST_F(RepeatTest, HeldKeyRepeatsAtItsRateWithoutDrift) {
    // Frames of whole logic steps: the delay counts one step per step.
    for (const int frameMs : {5, 10, 20}) {
        SCOPED_TRACE("frames of " + std::to_string(frameMs) + " ms");
        TKeyRepeatPtr repeat = TKeyRepeat::Create(400, 100);
        InjectKeyEvent("Up", true);
        const std::vector<Report> reports = Run([&] { return repeat->GetKey(kUp); }, 3000, frameMs);
        InjectKeyEvent("Up", false);
        EXPECT_TRUE(Run([&] { return repeat->GetKey(kUp); }, 100, frameMs).empty())
            << "nothing once released";
        ASSERT_GE(reports.size(), 3u);
        for (const Report& report : reports)
            EXPECT_EQ(report.result, 1);
        const std::vector<int> times = Since(reports);
        EXPECT_NEAR(times[1], 400, frameMs) << "the first repeat waits the initial delay";
        for (size_t i = 2; i < times.size(); ++i)
            EXPECT_NEAR(times[i] - times[i - 1], 100, frameMs) << "repeat " << i;
        const int held = 3000 - frameMs;
        const int expected = (held - 400) / 100 + 1;
        EXPECT_NEAR(static_cast<int>(times.size()) - 1, expected, 1);
        const double average = double(times.back() - times[1]) / double(times.size() - 2);
        EXPECT_NEAR(average, 100.0, 3.0) << "no drift over many repeats";
    }
}

TEST_F(RepeatTest, KeyRepeatBoundariesAndReleases) {
    // Frames of 5 ms are one whole logic step each, so the times are exact.
    TKeyRepeatPtr repeat = TKeyRepeat::Create(400, 100);
    const auto probe = [&] { return repeat->GetKey(kUp); };
    InjectKeyEvent("Up", true);
    EXPECT_EQ(Since(Run(probe, 605, 5)), (std::vector<int>{0, 400, 500, 600}));
    InjectKeyEvent("Up", false);
    EXPECT_TRUE(Run(probe, 5, 5).empty());

    // Let go just before the first repeat: a new press starts the wait afresh.
    InjectKeyEvent("Up", true);
    EXPECT_EQ(Since(Run(probe, 395, 5)), (std::vector<int>{0}));
    InjectKeyEvent("Up", false);
    Run(probe, 5, 5);
    InjectKeyEvent("Up", true);
    EXPECT_EQ(Since(Run(probe, 405, 5)), (std::vector<int>{0, 400}));
    InjectKeyEvent("Up", false);
    Run(probe, 5, 5);

    // Without an initial delay there is the press and no repeat: the repeat
    // delay only starts once an initial delay has run out.
    TKeyRepeatPtr quick = TKeyRepeat::Create(0, 100);
    InjectKeyEvent("Up", true);
    EXPECT_EQ(Since(Run([&] { return quick->GetKey(kUp); }, 305, 5)), (std::vector<int>{0}));
    InjectKeyEvent("Up", false);
    Run(probe, 5, 5);

    // Another key held does not count, nor do keys outside the table.
    InjectKeyEvent("Down", true);
    EXPECT_TRUE(Run(probe, 500, 5).empty());
    EXPECT_TRUE(Run([&] { return repeat->GetKey(-1); }, 50, 5).empty());
    InjectKeyEvent("Down", false);
}

TEST_F(RepeatTest, MouseRepeatTellsThePressFromTheRepeats) {
    TMouseRepeatPtr repeat = TMouseRepeat::Create(250, 50);
    const auto probe = [&] { return repeat->GetButton(); };
    InjectMouseButton(1, true, 100, 100);
    std::vector<Report> reports = Run(probe, 410, 10);
    EXPECT_EQ(Since(reports), (std::vector<int>{0, 250, 300, 350, 400}));
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports[0].result, 1) << "the press";
    for (size_t i = 1; i < reports.size(); ++i)
        EXPECT_EQ(reports[i].result, 2) << "a repeat";

    // Released, the counters are cleared: the next press is a press again.
    InjectMouseButton(1, false, 100, 100);
    EXPECT_TRUE(Run(probe, 20, 10).empty());
    InjectMouseButton(3, true, 100, 100);
    reports = Run(probe, 260, 10);
    ASSERT_EQ(reports.size(), 2u) << "any mouse button repeats";
    EXPECT_EQ(reports[0].result, 1);
    EXPECT_EQ(reports[1].at - reports[0].at, 250);
    InjectMouseButton(3, false, 100, 100);
    Run(probe, 10, 10);

    // Without an initial delay: the press only.
    TMouseRepeatPtr quick = TMouseRepeat::Create(0, 50);
    InjectMouseButton(1, true, 100, 100);
    reports = Run([&] { return quick->GetButton(); }, 160, 10);
    EXPECT_EQ(Since(reports), (std::vector<int>{0}));
    InjectMouseButton(1, false, 100, 100);
    Run(probe, 10, 10);
}

}  // namespace
