// The level-complete screen: what the tally shows and banks (replays
// nothing, the last level nothing and back to the first), the header, the
// columns moved by a long label, the count and its short cut, the way on to
// the map or the shop, the sparkles and the frames.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "board/Grid.h"
#include "engine/Graphics.h"
#include "frame/Game.h"
#include "frame/Profile.h"
#include "frame/Timing.h"
#include "media/Fonts.h"
#include "media/GameText.h"
#include "media/Particles.h"
#include "play/GameScreen.h"
#include "play/LevelCompleteFixture.h"
#include "play/Player.h"
#include "progress/MapScreen.h"
#include "progress/SaveData.h"
#include "progress/ShopScreen.h"
#include "screens/GameFinishedScreen.h"
#include "support/Headless.h"
#include "ui/Menu.h"

namespace {

// Seven gold tiles, two coins and a golden skull: 37 gold on the newest
// level, none on a replay (the board's logging pays nothing there).
void SomeGold() {
    for (int i = 0; i < 7; ++i)
        Player->LogGoldTileCollected();
    Player->LogCoinCollected(2);
    Player->LogGoldenSkullCollected();
    Player->BoostScore(4321);
}

std::string Tally(int row) {
    return LevelCompleteScreen->GetStatsStringForIDX(row);
}

TEST_F(LevelCompleteTest, TheNewestLevelBanksItsGoldAndAReplayBanksNothing) {
    struct Case {
        int level, unlocked;
        bool replay;
    };
    // The level just before the newest open one is a replay too, though
    // winning it leaves the player on the newest.
    const Case cases[] = {{5, 5, false}, {3, 5, true}, {4, 5, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE("level " + std::to_string(c.level) + " of " + std::to_string(c.unlocked));
        SaveData->goldCollected = 100;
        Game->CurrentProfile->Save();
        Win(c.level, c.unlocked, SomeGold);
        EXPECT_EQ(Screen().Replay, c.replay ? 1 : 0);
        EXPECT_GT(Player->TimeBonus, 0);
        EXPECT_EQ(Tally(0), std::to_string(4321 + Player->TimeBonus)) << "time bonus included";
        EXPECT_EQ(Tally(4), c.replay ? "0" : "7") << "gold tiles";
        EXPECT_EQ(Tally(5), c.replay ? "0" : "20") << "golden skulls";
        EXPECT_EQ(Tally(6), c.replay ? "0" : "10") << "gold coins";
        EXPECT_EQ(Tally(8), "0") << "no bonus without the spider webs";
        EXPECT_EQ(Tally(9), c.replay ? "0" : "37") << "total gold";
        EXPECT_EQ(GoldOnDisk(), 100) << "nothing banked before the tally is in place";
        WaitForRest();
        EXPECT_EQ(SaveData->GoldAvailable(), c.replay ? 100 : 137);
        EXPECT_EQ(GoldOnDisk(), c.replay ? 100 : 137) << "saved as the tally arrives";
        EXPECT_EQ(CurrentLevelOnDisk(), c.level + 1);
        EXPECT_EQ(TLevelCompleteScreen::GameCompleted, 0);
    }
}

TEST_F(LevelCompleteTest, TheValuesCountUpAndAClickShowsThemAtOnceBeforeTheNextRollsUp) {
    Win(12, 12, SomeGold);
    const std::string score = Tally(0), gold = Tally(9);
    EXPECT_EQ(Screen().ShownStatsStringForIDX(0), "0") << "nothing counted while it rises";
    Step(30);
    Frame();
    headless::SaveFrame("level_complete_rising");
    WaitForRest();
    Step(static_cast<int>(Game->CalcAnimLength(300)));
    // Mid-count the score has left 0 behind but not reached its value, and
    // the rows below have not gone further than it.
    const int shownScore = std::stoi(Screen().ShownStatsStringForIDX(0));
    EXPECT_GT(shownScore, 0);
    EXPECT_LT(shownScore, std::stoi(score));
    EXPECT_EQ(Screen().ShownStatsStringForIDX(9), "0") << "the total counts last";
    const int counted[] = {0, 1, 2, 4, 5, 6, 8, 9};
    for (int n = 1; n < 8; ++n)
        EXPECT_LE(Screen().CountRatio(counted[n]), Screen().CountRatio(counted[n - 1]))
            << "row " << counted[n];
    Frame();
    headless::SaveFrame("level_complete_counting");

    ClickAt(150, 150);
    EXPECT_TRUE(Screen().CountDone()) << "the click shows every value";
    for (int row = 0; row < TLevelCompleteScreen::TALLY_ROWS; ++row)
        EXPECT_EQ(Screen().ShownStatsStringForIDX(row), Tally(row)) << "row " << row;
    EXPECT_EQ(Screen().ShownStatsStringForIDX(9), gold);
    Step(100);
    EXPECT_EQ(Screen().Active, TLevelCompleteScreen::TALLY) << "and nothing more";
    EXPECT_FALSE(Screen().Unroll->Active);
    Frame();
    headless::SaveFrame("level_complete_counted");

    ClickAt(150, 150);
    EXPECT_TRUE(Screen().Unroll->Active) << "the next click rolls the tally away";
    ASSERT_TRUE(StepUntil([] { return Screen().Active == TLevelCompleteScreen::BUTTONS; }));
    Step(20);
    Frame();
    headless::SaveFrame("level_complete_buttons");
}

TEST_F(LevelCompleteTest, TheLastLevelStartsTheGameAgainFromTheFirstWithoutBanking) {
    SaveData->goldCollected = 100;
    Game->CurrentProfile->Save();
    Win(100, 100, SomeGold);
    EXPECT_EQ(Tally(9), "37") << "the tally still shows what the level earned";
    WaitForRest();
    EXPECT_EQ(TLevelCompleteScreen::GameCompleted, 1);
    EXPECT_EQ(CurrentLevelOnDisk(), 1) << "the first level current again";
    EXPECT_EQ(GoldOnDisk(), 100) << "the last level's gold is not banked";
    EXPECT_EQ(SaveData->GoldAvailable(), 100);
    RollUp();
    Continue();
    EXPECT_EQ(Game->CurrentTScreen, GameFinishedScreen) << "the end of the story follows";
}

TEST_F(LevelCompleteTest, TheHeaderNamesTheLevelJustWonOnTheNamePlate) {
    Win(7, 7);
    EXPECT_EQ(Screen().HeaderText(), "Level 7 Complete");
    WaitForRest();
    // The name plate: light text on dark wood, centred on the screen.
    const PixmapPtr frame = Frame();
    const headless::InkBox ink = headless::FindInk(
        *frame,
        [](uint32_t argb) { return headless::Red(argb) > 200 && headless::Green(argb) > 150; },
        PhysicalX(312), PhysicalY(90), PhysicalX(712), PhysicalY(136));
    ASSERT_TRUE(ink.Any()) << "a header on the plate";
    EXPECT_NEAR(VirtualX(ink.CentreX()), ScreenWidth / 2.0f, 4);
    EXPECT_GT(VirtualX(static_cast<float>(ink.Width())), 150) << "the whole text";
}

TEST_F(LevelCompleteTest, TheWidestLabelMovesBothColumnsRight) {
    // A label of an exact width, made from the font's own letters.
    auto labelOf = [](int width) {
        for (int wide = 0; wide < 20; ++wide) {
            for (int narrow = 0; narrow < 60; ++narrow) {
                const std::string text = std::string(wide, 'W') + std::string(narrow, 'i');
                if (static_cast<int>(GUIFont->StringWidth(text)) == width) return text;
            }
        }
        return std::string();
    };
    const std::vector<std::string> saved = GameText->Find("Golden Skulls");
    Win(11, 11);  // a level without a found-item message over the tally
    WaitForRest();
    WaitForCount();
    // Where the values start on the first row: the left edge of white ink.
    auto valuesLeft = [&] {
        const PixmapPtr frame = Frame();
        const headless::InkBox ink = headless::FindInk(
            *frame,
            [](uint32_t argb) {
                return headless::Red(argb) > 225 && headless::Green(argb) > 225 &&
                       headless::Blue(argb) > 225;
            },
            PhysicalX(515), PhysicalY(205), PhysicalX(760), PhysicalY(228));
        return ink.Any() ? VirtualX(static_cast<float>(ink.left)) : -1.0f;
    };
    Screen().CalcStatOffsetX();
    ASSERT_EQ(Screen().StatOffsetX, 0) << "the game's own labels fit";
    const float plain = valuesLeft();
    struct Case {
        int width, shift;
    };
    for (const Case c : {Case{200, 18}, Case{184, 0}, Case{185, 10}, Case{260, 48}}) {
        SCOPED_TRACE("a label " + std::to_string(c.width) + " pixels wide");
        const std::string label = labelOf(c.width);
        ASSERT_FALSE(label.empty());
        GameText->Insert("GOLDEN SKULLS", {label});
        Screen().CalcStatOffsetX();
        EXPECT_EQ(Screen().StatOffsetX, c.shift);
        EXPECT_NEAR(valuesLeft(), plain + c.shift, 2) << "the values move";
    }
    GameText->Insert("GOLDEN SKULLS", saved);
}

TEST_F(LevelCompleteTest, TheSparklesFollowTheDetailSettingAndNeverRunOut) {
    TParticleList& sparkles = ParticleLayer(TLevelCompleteScreen::SPARKLE_LAYER);
    for (const auto& [detail, count] : {std::pair{100, 80}, {50, 40}, {25, 20}, {0, 0}}) {
        SCOPED_TRACE("particle detail " + std::to_string(detail));
        Game->Particles = detail;
        sparkles.Clear();
        Screen().MakeSnowFlakes();
        EXPECT_EQ(sparkles.Count(), count);
    }
    Game->Particles = 50;
    // The level leaves effects of its own in the layer; the sparkles replace them.
    Win(10, 10, [&] {
        for (int i = 0; i < 12; ++i)
            sparkles.AddNew(100, 100, ImageBank.Find("Sparkle"), 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0);
    });
    ASSERT_EQ(sparkles.Count(), 40);
    // They rise with the tally out of nothing.
    sparkles.ForEach([](TParticle& flake) { EXPECT_LT(flake.ShownAlpha(), 0.05f); });
    WaitForRest();
    Step();
    sparkles.ForEach([](TParticle& flake) {
        EXPECT_GE(flake.ShownAlpha(), 0.5f);
        EXPECT_LE(flake.ShownAlpha(), 0.8f);
    });
    for (int second = 0; second < 20; ++second) {
        Step(200);
        ASSERT_EQ(sparkles.Count(), 40);
        sparkles.ForEach([](TParticle& flake) {
            // Within the screen, give or take the sparkle's size and sway.
            const float margin = flake.ScaleX * flake.w + 30 * flake.dy;
            EXPECT_TRUE(flake.x > -margin && flake.x < ScreenWidth + margin) << flake.x;
            EXPECT_TRUE(flake.y > -margin && flake.y < ScreenHeight + margin) << flake.y;
        });
    }
    // And go with it.
    RollUp();
    sparkles.ForEach([](TParticle& flake) { EXPECT_LT(flake.ShownAlpha(), 0.05f); });
}

TEST_F(LevelCompleteTest, ASparklePastAnEdgeComesBackAtTheOppositeOneAndDriftsOn) {
    Game->FixedRateLogic->SetDelta(1.0f);
    TParticleList layer;
    TParticlePtr flake =
        layer.AddNew(500, 300, ImageBank.Find("Sparkle"), 0, 0, 0, 0, 1, 1, 0.7f, 0.5f, 0, 0, 0);
    flake->NoOutOfBounds = 1;
    flake->MiscSineCounter = TSineCounter::Create(0, 360, 0.4f, 0);
    const float ws = 0.5f * flake->w2, hs = 0.5f * flake->h2;

    flake->dx = -0.2f;
    flake->dy = 0.3f;
    flake->cx = -ws + 0.1f;
    TLevelCompleteScreen::MoveSnowFlake(*flake);
    EXPECT_FLOAT_EQ(flake->cx, ScreenWidth + ws) << "back at the right edge";
    EXPECT_FLOAT_EQ(flake->dx, -0.2f);
    const float cx = flake->cx;
    TLevelCompleteScreen::MoveSnowFlake(*flake);
    EXPECT_FLOAT_EQ(flake->cx, cx - 0.2f) << "drifting left again";

    flake->dx = 0.2f;
    flake->cx = ScreenWidth + ws - 0.1f;
    TLevelCompleteScreen::MoveSnowFlake(*flake);
    EXPECT_FLOAT_EQ(flake->cx, -ws) << "back at the left edge";

    flake->y = ScreenHeight + hs - 0.1f;
    TLevelCompleteScreen::MoveSnowFlake(*flake);
    EXPECT_FLOAT_EQ(flake->y, -hs) << "back above the top edge";
    TLevelCompleteScreen::MoveSnowFlake(*flake);
    EXPECT_FLOAT_EQ(flake->y, -hs + 0.3f) << "sinking again";
    EXPECT_TRUE(flake->active) << "never killed for leaving the screen";
    EXPECT_EQ(layer.Count(), 1);
}

}  // namespace
