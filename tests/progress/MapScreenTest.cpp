// The level map inside the whole program, headless, through the real input:
// dots that answer the pointer within their reach, locked dots that only
// refuse, choosing a level by click and by key (and not twice), the replay
// notice once per player, the scroll limits under random input, records out
// of range landing on a dot, the timed switch and leaving, and the frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "autoplay/AutoPlayer.h"
#include "engine/Files.h"
#include "engine/Input.h"
#include "engine/platform/Platform.h"
#include "frame/Game.h"
#include "frame/LoadingScreen.h"
#include "frame/MousePointer.h"
#include "frame/Profile.h"
#include "media/Sound.h"
#include "play/GameScreen.h"
#include "play/LevelComplete.h"
#include "play/Player.h"
#include "progress/MapFixture.h"
#include "progress/MapScreen.h"
#include "progress/ProfileStore.h"
#include "progress/SaveData.h"
#include "progress/ShopScreen.h"
#include "screens/IntroScreen.h"
#include "screens/TitleScreen.h"
#include "ui/Menu.h"

namespace {

class MapScreenTest : public MapTest {
  protected:
    // A dot within reach of a button of the map lies under it.
    static bool UnderAButton(const TAccuratePoint& at, float reach) {
        for (const TButtonPtr& button : *MapScreen->Menu) {
            if (at.X + reach > button->x && at.X - reach < button->x + button->w &&
                at.Y + reach > button->y && at.Y - reach < button->y + button->h)
                return true;
        }
        return false;
    }
    // Quits the running game and starts it again, through its loading
    // screen and the title to the map.
    void RestartToTheMap() {
        if (Game->CurrentTScreen == MapScreen) MapScreen->Kill();
        ExitSequence();
        ReleaseSingleInstance();
        Game.reset();
        ASSERT_TRUE(StartUpBeforeGraphics());
        ASSERT_TRUE(StartUpGraphicsAndLoad());
        ASSERT_EQ(Game->CurrentTScreen, Game->LoadingScreen);
        InjectMouseButton(1, true, 500, 500);
        InjectMouseButton(1, false, 500, 500);
        ASSERT_TRUE(StepUntil(
            [] { return Game->CurrentTScreen == TitleScreen && !Game->GameFade->Active; }));
        Press("Return");  // Play
        ASSERT_TRUE(StepUntil([] {
            return Game->CurrentTScreen == MapScreen || Game->CurrentTScreen == IntroScreen;
        }));
        if (Game->CurrentTScreen == IntroScreen) {
            // A new player's intro, skipped.
            ASSERT_TRUE(StepUntil([] { return !Game->GameFade->Active; }));
            Press("Space");
        }
        ASSERT_TRUE(StepUntil([] { return Game->CurrentTScreen == MapScreen; }));
        ASSERT_TRUE(StepUntil([] { return MapAtRest(); }));
    }
};

TEST_F(MapScreenTest, FromStartUpALevelWonOpensTheNextOneForGood) {
    RestartToTheMap();
    EXPECT_EQ(MapScreen->Level, 1);
    EXPECT_FALSE(TMapScreen::LevelOpen(2));
    ClickDot(1);
    ASSERT_TRUE(ReachLevel(1));
    AutoplayOptions options;
    options.ownItemsOnSale = false;
    const AutoplayLevelResult result = AutoPlayer(options).PlayLevel(1, 18, SaveData->timer != 0);
    ASSERT_EQ(result.result, "won") << result.Json();
    EXPECT_EQ(Game->MusicFileName, "level1.ogg");
    // The tally, with the found pumpkin's message over it.
    ASSERT_TRUE(StepUntil([] { return LevelCompleteScreen->CurrentMessage != nullptr; }, 2000));
    ASSERT_TRUE(WaitUntilOpen(LevelCompleteScreen->CurrentMessage));
    Press("Return");
    ASSERT_TRUE(StepUntil([] { return !LevelCompleteScreen->CurrentMessage; }));
    ASSERT_TRUE(StepUntil([] { return LevelCompleteScreen->CountDone(); }, 1000));
    Press("Return");
    ASSERT_TRUE(
        StepUntil([] { return LevelCompleteScreen->Active == TLevelCompleteScreen::BUTTONS; }));
    ClickButton(*LevelCompleteScreen->Menu->FindButton("Continue"));
    // Level 2 brings the old lady's news, so the shop comes first: her
    // message, then the pumpkin she speaks of, bought, then the map.
    ASSERT_TRUE(StepUntil([] { return Game->CurrentTScreen == ShopScreen; }, 2000));
    EXPECT_EQ(Game->MusicFileName, "title.ogg");
    ASSERT_TRUE(WaitUntilOpen(ShopScreen->MessageDialog));
    Press("Return");
    ASSERT_TRUE(StepUntil([] { return !ShopScreen->MessageDialog; }));
    const TPoint pumpkin = ShopScreen->GetImagePos(0);
    ClickAt(static_cast<float>(pumpkin.X), static_cast<float>(pumpkin.Y));
    ASSERT_TRUE(WaitUntilOpen(ShopScreen->PurchaseDialog));
    ClickButton(*ShopScreen->PurchaseDialog->FindButton("Buy"));
    ASSERT_TRUE(StepUntil([] { return !ShopScreen->PurchaseDialog; }));
    ClickButton(*ShopScreen->Menu->FindButton("map"));
    ASSERT_TRUE(StepUntil([] { return MapAtRest(); })) << "back on the map";
    EXPECT_EQ(MapScreen->Level, 2);
    EXPECT_EQ(MapScreen->LastMOIndex, 1) << "its number shown";
    EXPECT_TRUE(TMapScreen::LevelOpen(2));
    EXPECT_FALSE(TMapScreen::LevelOpen(3));
    const int gold = SaveData->GoldAvailable();

    RestartToTheMap();
    EXPECT_EQ(Game->CurrentProfile->Name, "Ada");
    EXPECT_EQ(MapScreen->Level, 2);
    EXPECT_TRUE(TMapScreen::LevelOpen(2));
    EXPECT_FALSE(TMapScreen::LevelOpen(3));
    EXPECT_EQ(SaveData->GoldAvailable(), gold);
}

TEST_F(MapScreenTest, ALockedDotOnlyRefusesTheClick) {
    Open(5, 5);
    const std::vector<uint8_t> saved = ProfileBytes();
    ClickDot(6);
    EXPECT_EQ(Playing("INVALIDCLICK"), 1);
    EXPECT_EQ(Playing("ZOOMIN"), 0);
    EXPECT_FALSE(MapScreen->Zooming());
    EXPECT_EQ(MapScreen->ClickedIndex, -1);
    EXPECT_EQ(Player->Level, 5);
    EXPECT_EQ(ProfileBytes(), saved) << "nothing saved";
}

TEST_F(MapScreenTest, TheReplayNoticeShowsOncePerPlayerAndHoldsTheZoom) {
    Open(5, 5);
    ClickDot(5);
    EXPECT_FALSE(MapScreen->ReplayDialog) << "the newest level is no replay";
    EXPECT_EQ(Playing("ZOOMIN"), 1);
    ASSERT_TRUE(ReachLevel(5));

    Open(5, 5);
    ClickDot(3);
    ASSERT_TRUE(MapScreen->ReplayDialog);
    EXPECT_EQ(MapScreen->ClickedIndex, 2);
    ASSERT_TRUE(WaitUntilOpen(MapScreen->ReplayDialog));
    const float zoomAt = MapScreen->Zoom->Counter;
    Step(150);
    EXPECT_EQ(MapScreen->Zoom->Counter, zoomAt) << "the zoom waits for the notice";
    EXPECT_EQ(Game->CurrentTScreen, MapScreen);
    const int zoomSounds = Playing("ZOOMIN");
    Press("Return");
    ASSERT_TRUE(StepUntil([] { return !MapScreen->ReplayDialog; }));
    EXPECT_EQ(Playing("ZOOMIN"), zoomSounds + 1) << "the zoom sounds as it goes on";
    ASSERT_TRUE(ReachLevel(3));

    Open(5, 3);
    ClickDot(2);
    EXPECT_FALSE(MapScreen->ReplayDialog) << "shown once";
    ASSERT_TRUE(ReachLevel(2));

    SelectProfile("Ben");
    GameScreen->GameStart();
    Open(5, 5);
    ClickDot(4);
    EXPECT_TRUE(MapScreen->ReplayDialog) << "another player sees it too";
    SelectProfile("Ada");
    EXPECT_EQ(Game->CurrentProfile->HintsShown[TMapScreen::REPLAY_HINT], 1) << "kept in her file";
}

TEST_F(MapScreenTest, SpaceAndEnterStartTheCurrentLevelAndNothingMoreWhileZooming) {
    for (const auto& [key, other] : {std::pair{"Space", "Return"}, std::pair{"Return", "Space"}}) {
        SCOPED_TRACE(key);
        Open(7, 7);
        Press(key);
        ASSERT_TRUE(MapScreen->Zooming());
        EXPECT_EQ(MapScreen->ClickedIndex, 6);
        EXPECT_EQ(Game->CurrentProfile->CurrentLevel, 7) << "saved";
        const TAnimationPtr zoom = MapScreen->Zoom;
        const int lastY = MapScreen->LastY;
        Step(20);
        EXPECT_GT(MapScreen->Scale, 1) << "zooming in";
        Press(other);
        Press(key);
        EXPECT_EQ(MapScreen->Zoom, zoom) << "not started again";
        EXPECT_EQ(MapScreen->LastY, lastY);
        // The zoom ends at twice the size, the picture still filling the
        // screen, and the game fades to the level.
        ASSERT_TRUE(StepUntil([] { return Game->Fading(); }));
        const TMapScreen& map = *MapScreen;
        EXPECT_FLOAT_EQ(map.Scale, 2);
        EXPECT_TRUE(map.ScrollY <= 0 && map.ScrollY + 2 * map.PictureHeight() >= ScreenHeight);
        const float scrollY = map.ScrollY;
        MapScreen->Draw();
        EXPECT_EQ(map.ScrollY, scrollY) << "drawing moves nothing";
        ASSERT_TRUE(ReachLevel(7));
    }
}

TEST_F(MapScreenTest, DotsAnswerWithinTheirReachAndTheNumberFallsBack) {
    Open(12, 12);
    struct Case {
        int level, dx, dy;
        bool over;
    };
    // Level 9 is a special dot, 10 an ordinary one.
    const Case cases[] = {{9, -20, 0, true},  {9, 19, 19, true},  {9, 20, 0, false},
                          {9, 0, 20, false},  {9, 0, -20, true},  {10, -17, -17, true},
                          {10, 16, 16, true}, {10, 17, 0, false}, {10, 0, 17, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE("level " + std::to_string(c.level) + " at " + std::to_string(c.dx) + ", " +
                     std::to_string(c.dy));
        // Exact virtual pixels, which the test's smaller window cannot reach
        // one by one through its own pixels.
        const TAccuratePoint at = OnScreen(c.level);
        Game->Mouse->x = static_cast<int>(at.X) + c.dx;
        Game->Mouse->y = static_cast<int>(at.Y) + c.dy;
        Step();
        EXPECT_EQ(MapScreen->MOIndex, c.over ? c.level - 1 : -1);
        EXPECT_EQ(MapScreen->LastMOIndex, c.over ? c.level - 1 : 11) << "the number shown";
    }
}

TEST_F(MapScreenTest, TheMapNeverScrollsPastItsPictureOrAboveTheNextDot) {
    std::mt19937 random(18);
    for (int unlocked : {1, 37, 100}) {
        SCOPED_TRACE("unlocked " + std::to_string(unlocked));
        Open(unlocked, unlocked);
        TMapScreen& map = *MapScreen;
        const float bottom = static_cast<float>(ScreenHeight - map.PictureHeight());
        const float nextDotY = map.Coords[std::min(unlocked, 99)].Y;
        if (unlocked == 1) {
            EXPECT_EQ(map.ScrollYMin, ScreenHeight / 2 + TMapScreen::Y_SCROLL_PAD - nextDotY);
        }
        float highest = bottom;
        for (int step = 0; step < 1500; ++step) {
            switch (random() % 6) {
                case 0:
                    InjectMouseWheel(static_cast<int>(random() % 7) - 3);
                    break;
                case 1:
                    InjectKeyEvent(random() % 2 ? "PageUp" : "PageDown", true);
                    break;
                case 2:
                    InjectKeyEvent("Up", random() % 2);
                    break;
                default:
                    InjectMouseMove(PhysicalX(static_cast<float>(random() % ScreenWidth)),
                                    PhysicalY(static_cast<float>(random() % ScreenHeight)));
            }
            Step();
            ASSERT_EQ(map.ScrollX, 0) << "the picture is as wide as the screen";
            ASSERT_LE(map.ScrollY, 0);
            ASSERT_GE(map.ScrollY, bottom);
            ASSERT_LE(map.ScrollY, std::max<float>(map.ScrollYMin, bottom));
            highest = std::max(highest, map.ScrollY);
            InjectKeyEvent("PageUp", false);
            InjectKeyEvent("PageDown", false);
        }
        InjectKeyEvent("Up", false);
        // The wheel and the keys took the map as far up as it goes.
        EXPECT_EQ(highest, std::clamp(static_cast<float>(map.ScrollYMin), bottom, 0.0f));
        EXPECT_EQ(highest == 0, unlocked == 100) << "the top shows once all is open";
    }
    // A path whose last dot lies highest: the limit is that dot itself.
    MapScreen->Coords.back().Y = 40;
    for (int unlocked : {100, 101}) {
        Player->Unlocked = unlocked;
        MapScreen->CalcScrollYMin();
        EXPECT_EQ(MapScreen->ScrollYMin, ScreenHeight / 2 + TMapScreen::Y_SCROLL_PAD - 40);
    }
}

TEST_F(MapScreenTest, RecordsOutOfRangeLandOnADot) {
    struct Case {
        int current, locked;  // as a damaged file holds them
        int level, unlocked;  // after loading
    };
    for (const Case& c : {Case{250, 5000, 100, 100}, Case{-7, -3, 1, 1}}) {
        SCOPED_TRACE(std::to_string(c.current) + ", " + std::to_string(c.locked));
        Game->CurrentProfile->CurrentLevel = c.current;
        Game->CurrentProfile->LockedLevel = c.locked;
        Game->CurrentProfile->Save();
        SelectProfile("Ada");
        GameScreen->GameStart();
        Open(Player->Unlocked, Player->Level);
        EXPECT_EQ(MapScreen->Level, c.level);
        EXPECT_EQ(Player->Unlocked, c.unlocked);
        EXPECT_TRUE(OnScreen(c.level).Y > 0 && OnScreen(c.level).Y < ScreenHeight);
    }
    // A record in memory past the dots lands on the last open one.
    Open(101, 250);
    EXPECT_EQ(MapScreen->Level, 100);
    EXPECT_EQ(MapScreen->LastMOIndex, 99);
}

TEST_F(MapScreenTest, TheTimedSwitchIsSavedOnEveryWayOut) {
    for (const char* way : {"Escape", "Back"}) {
        SCOPED_TRACE(way);
        SaveData->timer = 1;
        Open(4, 4);
        ASSERT_EQ(MapScreen->TimedCheckBox->state, 1);
        ClickAt(TMapScreen::CHECKBOX_X + 20, TMapScreen::CHECKBOX_Y + 20);
        EXPECT_EQ(SaveData->timer, 0);
        const std::vector<uint8_t> before = ProfileBytes();
        if (std::string(way) == "Escape") {
            Press("Escape");
        } else {
            ClickButton(*MapScreen->Menu->FindButton("back"));
        }
        EXPECT_TRUE(Game->Fading());
        EXPECT_NE(ProfileBytes(), before) << "saved as the map is left";
        EXPECT_EQ(Game->DestinationTScreen, TitleScreen) << "the way to the title";
        CancelLeaving();
        SelectProfile("Ada");
        EXPECT_EQ(SaveData->timer, 0);
    }
}

TEST_F(MapScreenTest, TheShopIsOneClickAwayAndLeadsBackWithTheMusicPlayingOn) {
    Open(3, 3);
    SaveData->timer = 1 - SaveData->timer;
    const std::vector<uint8_t> before = ProfileBytes();
    ClickButton(*MapScreen->Menu->FindButton("shop"));
    EXPECT_NE(ProfileBytes(), before) << "saved on the way";
    ASSERT_TRUE(StepUntil([] { return Game->CurrentTScreen == ShopScreen && !Game->Fading(); }));
    Game->MusicNone();
    ClickButton(*ShopScreen->Menu->FindButton("map"));
    ASSERT_TRUE(StepUntil([] { return MapAtRest(); }));
    EXPECT_EQ(MapScreen->Level, 3);
    EXPECT_EQ(Game->MusicFileName, "none") << "the title music was not started again";
}

TEST_F(MapScreenTest, FramesShowOpenAndLockedDotsAndTheCurrentOneInSight) {
    // The bands the panels cover at the top and the bottom.
    constexpr float kTopPanelBottom = 67, kBottomPanelTop = 649;
    for (int unlocked : {1, 37, 100}) {
        SCOPED_TRACE("unlocked " + std::to_string(unlocked));
        Open(unlocked, unlocked);
        const PixmapPtr frame = DrawFrame();
        headless::SaveFrame("map-unlocked-" + std::to_string(unlocked));
        const float reach = TMapScreen::SPECIAL_DOT_REACH;
        const TAccuratePoint current = OnScreen(unlocked);
        EXPECT_GT(current.Y - reach, kTopPanelBottom);
        EXPECT_LT(current.Y + reach, kBottomPanelTop);
        int seen = 0;
        for (int level = 1; level <= 100; ++level) {
            const TAccuratePoint at = OnScreen(level);
            if (at.Y - reach < kTopPanelBottom || at.Y + reach > kBottomPanelTop ||
                at.X < 2 * reach || at.X > ScreenWidth - 2 * reach)
                continue;
            if (UnderAButton(at, reach)) continue;
            // Open dots are amber, locked ones pewter, inside their bezels
            // (a story dot has a pale star in the middle).
            int warm = 0;
            for (const auto& [dx, dy] : {std::pair{-5, 0}, {5, 0}, {0, -5}, {0, 5}, {-4, 4}}) {
                const uint32_t argb = frame->ReadPixel(PhysicalX(at.X + dx), PhysicalY(at.Y + dy));
                warm += headless::Red(argb) > headless::Blue(argb) + 30;
            }
            EXPECT_EQ(warm >= 3, level <= unlocked) << "level " << level;
            ++seen;
        }
        EXPECT_GT(seen, 25) << "dots in sight";
    }
}

}  // namespace
