// The level play screen inside the whole program, headless: a level's intro,
// play, winning outro and the way through the level-complete screen to the map; time up and no more
// moves with the restart in place; the keys; sounds raised many times in one step; the HUD.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "autoplay/AutoPlayer.h"
#include "board/Grid.h"
#include "engine/Graphics.h"
#include "engine/Input.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"
#include "frame/Timing.h"
#include "media/Sound.h"
#include "play/GameScreen.h"
#include "play/InGameMenu.h"
#include "play/LevelComplete.h"
#include "play/Player.h"
#include "play/Tutorial.h"
#include "progress/MapScreen.h"
#include "progress/SaveData.h"
#include "support/NoStoryMessages.h"
#include "support/ProgramFixture.h"
#include "ui/Menu.h"

namespace fs = std::filesystem;

namespace {

std::string LevelFile(const std::string& name, int seconds, const std::string& goals,
                      const std::vector<std::string>& rows,
                      const std::string& colours = "1,2,3,4") {
    std::string text = "NAME=" + name + "\r\ntime=" + std::to_string(seconds) +
                       "\r\ngoals=" + goals + "\r\ncolours=" + colours +
                       "\r\nbombs=0\r\nsize=" + std::to_string(rows[0].size() / 2 + 1) + "," +
                       std::to_string(rows.size()) + "\r\nreserved=0,0\r\n";
    for (const std::string& row : rows)
        text += row + "\r\n";
    return text + "locked=\r\nrocks=\r\nshapes=\r\nborder=\r\n";
}

class RecordingMenu : public TInGameMenu {
  public:
    int shown = 0;
    void Show(int) override { ++shown; }
};

class RecordingTutorial : public TTutorial {
  public:
    std::vector<int> arrowRows;
    int ShowGoalArrowTip(int row, int) override {
        arrowRows.push_back(row);
        return 0;
    }
};

class GameScreenTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        const fs::path levels = home_ / "levels" / "Data" / "levels";
        fs::create_directories(levels);
        const std::vector<std::string> open6 = {"1,1,1,1,1,1", "1,1,1,1,1,1", "1,1,1,1,1,1",
                                                "1,1,1,1,1,1", "1,1,1,1,1,1", "1,1,1,1,1,1"};
        std::ofstream(levels / "1.txt", std::ios::binary)
            << LevelFile("First Steps", 90, "6,1,0,0,0", open6);
        std::ofstream(levels / "2.txt", std::ios::binary)
            << LevelFile("Second Steps", 90, "8,2,0,0,0", open6);
        std::ofstream(levels / "3.txt", std::ios::binary)
            << LevelFile("Hurry", 2, "99,1,0,0,0", open6);
        ASSERT_TRUE(StartUpBeforeGraphics());
        StartUpGraphicsAndLoad();
        DropStoryMessages();
        Game->DataPrefix = (home_ / "levels").string() + "/";
        savedMenu_ = InGameMenu;
        savedTutorial_ = Tutorial;
    }
    void TearDown() override {
        InGameMenu = savedMenu_;
        Tutorial = savedTutorial_;
        ProgramTest::TearDown();
    }
    // One logic step of the whole program, its clock moving 5 ms.
    void Step(int count = 1) {
        for (int i = 0; i < count; ++i) {
            clock_.Advance(5);
            Game->FixedRateLogic->SetDelta(1.0f);
            Game->LogicWrapper();
        }
    }
    template <typename Done>
    bool StepUntil(Done done, int limit) {
        for (int i = 0; i < limit; ++i) {
            if (done()) return true;
            Step();
        }
        return done();
    }
    void PressWithCtrl(const char* key) {
        InjectKeyEvent("Left Ctrl", true);
        InjectKeyEvent(key, true);
        Step();
        InjectKeyEvent(key, false);
        InjectKeyEvent("Left Ctrl", false);
        Step();
    }
    // A click of the left button at a virtual-screen position.
    void ClickAt(int x, int y) {
        InjectMouseMove(static_cast<int>((x + Game->vxOff) / Game->VirtualRatioX),
                        static_cast<int>((y + Game->vyOff) / Game->VirtualRatioY));
        Step();
        InjectMouseButton(1, true, 0, 0);
        Step();
        InjectMouseButton(1, false, 0, 0);
        Step();
    }
    void ClickMenuButton() {
        TButton& button = *GameScreen->Menu->First();
        ClickAt(static_cast<int>(button.x + button.Width() / 2),
                static_cast<int>(button.y + button.Height() / 2));
    }
    bool InPlay() const { return !GameScreen->IntroRunning() && !GameScreen->FadingIn; }
    int ChannelsPlaying(const std::string& name) const {
        int count = 0;
        for (const TGameChannelPtr& channel : *Game->Channels)
            count += channel->name == name && channel->Channel && channel->Channel->Playing();
        return count;
    }
    std::shared_ptr<TInGameMenu> savedMenu_;
    std::shared_ptr<TTutorial> savedTutorial_;
};

TEST_F(GameScreenTest, ALevelRunsFromItsIntroToItsWinAndBackToTheMap) {
    AutoPlayer::EnterLevel(1, 7, true);
    ASSERT_EQ(Game->CurrentTScreen, GameScreen);
    EXPECT_EQ(GameScreen->FadingIn, 1);
    EXPECT_EQ(GameScreen->GetIntroRatio(), 1) << "the HUD waits outside while the screen fades in";
    EXPECT_GE(std::abs(Grid->topY), ScreenHeight) << "the board waits out of sight";
    const float lastSecond = Game->CalcAnimLength(1000);
    ASSERT_TRUE(StepUntil([&] { return GameScreen->PlayShown == 1; }, 1200));
    EXPECT_LT(GameScreen->IntroAnim->Counter, lastSecond)
        << "the level-start cue sounds with \"Go\"";
    EXPECT_GE(GameScreen->IntroAnim->Counter, lastSecond - 1) << "in the step \"Go\" appears";
    EXPECT_EQ(ChannelsPlaying("LEVELSTART"), 1);
    ASSERT_TRUE(StepUntil([] { return !GameScreen->IntroRunning(); }, 400));
    EXPECT_EQ(Grid->topY, 0);
    EXPECT_EQ(GameScreen->GetHUDX(), 0);

    AutoplayOptions options;
    const AutoplayLevelResult result = AutoPlayer(options).PlayLevel(1, 7, true);
    ASSERT_EQ(result.result, "won") << result.Json();
    EXPECT_EQ(result.goalsMet, 1);
    EXPECT_EQ(Player->NoChecks, 1);
    ASSERT_TRUE(StepUntil([] { return LevelCompleteScreen->Active != 0; }, 1200))
        << "the outro ends on the level-complete screen";
    EXPECT_EQ(Game->CurrentTScreen, GameScreen) << "over the level";
    // A click rolls the tally away once it has counted, and another leads on.
    for (int click = 0; click < 4 && Game->CurrentTScreen == GameScreen; ++click) {
        Step(400);
        InjectMouseButton(1, true, 10, 10);
        Step();
        InjectMouseButton(1, false, 10, 10);
    }
    ASSERT_TRUE(StepUntil([] { return Game->CurrentTScreen == MapScreen; }, 200))
        << "and on to the map";
    EXPECT_EQ(Player->Level, 2);
    EXPECT_EQ(Player->Unlocked, 2);
    EXPECT_EQ(MapScreen->Level, 2) << "the next level is the current dot";
    EXPECT_GT(Player->TotalScore, 0);
}

TEST_F(GameScreenTest, DrawingChangesNothingTheLogicOwns) {
    // What a frame shows is left by the logic: drawing it any number of times,
    // from the fade-in through the intro and play to the outro, changes no
    // state, and the Menu button stands where the HUD is drawn.
    AutoPlayer::EnterLevel(1, 7, true);
    ASSERT_TRUE(GameScreen->Go && GameScreen->WellDone);
    auto state = [] {
        const TButton& menu = *GameScreen->Menu->First();
        const TSprite &go = *GameScreen->Go, &wellDone = *GameScreen->WellDone;
        return std::vector<float>{static_cast<float>(GameScreen->PlayShown),
                                  static_cast<float>(GameScreen->HUDSliding),
                                  menu.x,
                                  menu.y,
                                  go.ScaleX,
                                  go.ScaleY,
                                  go.Alpha,
                                  wellDone.ScaleX,
                                  wellDone.ScaleY,
                                  GameScreen->GaugeParticleCounter,
                                  Grid->topY};
    };
    int frames = 0;
    auto drawTwice = [&](const std::string& when) {
        SCOPED_TRACE(when);
        const std::vector<float> before = state();
        GameScreen->Draw();
        GameScreen->Draw();
        EXPECT_EQ(state(), before);
        EXPECT_EQ(GameScreen->Menu->First()->x, GameScreen->GetHUDX() + TGameScreen::MENU_X);
        const float ratio = GameScreen->GetIntroRatio();
        if (ratio > 0 && ratio < 1) {
            EXPECT_EQ(GameScreen->HUDSliding, 1);
        }
        ++frames;
    };
    drawTwice("fading in");
    EXPECT_EQ(GameScreen->PlayShown, 0);
    for (int i = 0; i < 300 && (GameScreen->FadingIn || GameScreen->IntroRunning()); ++i) {
        Step(3);
        drawTwice("intro, counter " + std::to_string(GameScreen->IntroAnim->Counter));
    }
    EXPECT_EQ(GameScreen->PlayShown, 1);
    PressWithCtrl("J");
    ASSERT_TRUE(StepUntil([] { return GameScreen->OutroRunning(); }, 400));
    for (int i = 0; i < 400 && GameScreen->OutroRunning(); ++i) {
        Step(3);
        drawTwice("outro, counter " + std::to_string(GameScreen->OutroAnim->Counter));
    }
    EXPECT_GT(frames, 300);
}

TEST_F(GameScreenTest, TimeUpAndGivingUpRestartTheSameLevelInPlace) {
    AutoPlayer::EnterLevel(3, 3, true);
    ASSERT_TRUE(StepUntil([] { return GameScreen->TimeUp == 1; }, 3000))
        << "two seconds and the intro";
    EXPECT_EQ(Player->Alive, 0);
    EXPECT_EQ(Grid->JiggleDirection, 1) << "the board shakes";
    EXPECT_EQ(GameScreen->OutroRunning(), false);
    ASSERT_TRUE(StepUntil([] { return GameScreen->TimeUp == 0; }, 1000));
    EXPECT_TRUE(GameScreen->IntroRunning()) << "the same level from its intro";
    EXPECT_EQ(Player->Level, 3);
    EXPECT_EQ(Player->Alive, 1);
    EXPECT_FLOAT_EQ(Player->LevelTimeTaken, 0);

    AutoPlayer::EnterLevel(1, 3, false);
    ASSERT_TRUE(StepUntil([&] { return InPlay(); }, 1200));
    PressWithCtrl("Q");
    EXPECT_EQ(GameScreen->NoMore, 1) << "Ctrl+Q gives up";
    PressWithCtrl("T");
    EXPECT_EQ(GameScreen->TimeUp, 0) << "a level cannot fail twice";
    ASSERT_TRUE(StepUntil([] { return GameScreen->NoMore == 0; }, 1000));
    ASSERT_TRUE(StepUntil([] { return !GameScreen->IntroRunning(); }, 1000));
    PressWithCtrl("T");
    EXPECT_EQ(GameScreen->TimeUp, 1) << "Ctrl+T runs the time out, even in relaxed mode";
}

TEST_F(GameScreenTest, ABoardLeftWithoutMovesEndsTheLevelAndStartsItAgain) {
    AutoPlayer::EnterLevel(1, 5, true);
    ASSERT_TRUE(StepUntil([&] { return InPlay(); }, 1200));
    // One move: (2,0) with (3,0) lines up 1 1 1; the board left behind has none.
    const std::vector<std::string> board = {"112184", "564568", "837356",
                                            "537634", "645883", "453766"};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            GameScreen->MakeTestGem(x, y, board[y][x] - '0');
    Grid->MakeNewGems = 0;
    ASSERT_EQ(Grid->DoNoMoreMoves(0), 0);
    auto clickCell = [&](int x, int y) {
        ClickAt(CellLeft(x) + HALF_CELL, CellTop(y) + HALF_CELL);
    };
    clickCell(2, 0);
    clickCell(3, 0);
    ASSERT_TRUE(StepUntil([] { return GameScreen->NoMore == 1; }, 400))
        << "the board gives up once it has come to rest";
    EXPECT_EQ(Player->Alive, 0);
    EXPECT_EQ(Player->LevelScore, 30) << "three gems of the level's goal colour";
    EXPECT_GT(GameScreen->NoMoreCounter, 0);
    EXPECT_EQ(Grid->BlockInput, 1);
    ASSERT_TRUE(StepUntil([] { return GameScreen->NoMore == 0; }, 1000));
    EXPECT_TRUE(GameScreen->IntroRunning()) << "the same level from its intro";
    EXPECT_EQ(Player->Level, 1);
    EXPECT_EQ(Player->Alive, 1);
    EXPECT_EQ(Player->LevelScore, 0);
    EXPECT_EQ(Grid->MakeNewGems, 1) << "on a new board";
    EXPECT_EQ(Grid->DoNoMoreMoves(0), 0);
}

TEST_F(GameScreenTest, MenuEscAndGoalClicks) {
    auto menu = std::make_shared<RecordingMenu>();
    auto tutorial = std::make_shared<RecordingTutorial>();
    InGameMenu = menu;
    Tutorial = tutorial;
    AutoPlayer::EnterLevel(1, 5, true);
    ASSERT_TRUE(StepUntil([&] { return InPlay(); }, 1200));

    InjectKeyEvent("Escape", true);
    InjectKeyEvent("Escape", false);
    Step(80);
    EXPECT_EQ(Game->CurrentTScreen, GameScreen) << "Esc does not leave a level";
    EXPECT_EQ(menu->shown, 1) << "it opens the in-game menu";

    // The goal rows: 60 pixels each from y 407 to 646 (the window's pixels
    // reach 650 as the nearest point below).
    ClickAt(60, 646);
    ClickAt(60, 650);
    ClickAt(60, 410);
    EXPECT_EQ(tutorial->arrowRows, (std::vector<int>{4, 1}));

    ClickMenuButton();
    EXPECT_EQ(menu->shown, 2) << "and so does the Menu button";
}

TEST_F(GameScreenTest, TheMenuButtonStaysInSightButTakesNoClickDuringTheOutro) {
    auto menu = std::make_shared<RecordingMenu>();
    InGameMenu = menu;
    AutoPlayer::EnterLevel(1, 5, true);
    ASSERT_TRUE(StepUntil([&] { return InPlay(); }, 1200));
    PressWithCtrl("J");
    ASSERT_TRUE(GameScreen->OutroRunning()) << "Ctrl+J wins the level";
    const TButton& button = *GameScreen->Menu->First();
    EXPECT_EQ(button.AlwaysDraw, 1);
    EXPECT_EQ(button.Active, 0);
    ClickMenuButton();
    EXPECT_EQ(menu->shown, 0) << "no in-game menu over a level that has ended";
    // Restarted from the outro, the level has its Menu button back.
    PressWithCtrl("R");
    ASSERT_TRUE(StepUntil([&] { return InPlay(); }, 1200));
    EXPECT_EQ(button.Active, 1);
    ClickMenuButton();
    EXPECT_EQ(menu->shown, 1);
}

TEST_F(GameScreenTest, TheStillBackgroundAndFrameComeBackInOneCopyPixelForPixel) {
    AutoPlayer::EnterLevel(2, 5, true);
    ASSERT_TRUE(StepUntil([&] { return InPlay(); }, 1200));
    const auto drawn = [](bool oneCopy) {
        GameScreen->DrawStillInOneCopy = oneCopy;
        ResetDrawnPixels();
        GameScreen->Draw();
        return std::make_pair(headless::ReadFrame(), CountedPixels());
    };
    const auto [direct, directCount] = drawn(false);
    const auto [first, firstCount] = drawn(true);  // draws the layer, then copies it
    const auto [again, againCount] = drawn(true);  // copies it
    ASSERT_TRUE(direct && first && again);
    const auto same = [](const TPixmap& a, const TPixmap& b) {
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                if (a.ReadPixel(x, y) != b.ReadPixel(x, y)) return false;
        return true;
    };
    EXPECT_TRUE(same(*direct, *first));
    EXPECT_TRUE(same(*direct, *again));
    EXPECT_LT(againCount.alpha, directCount.alpha)
        << "the frame's soft edges are not blended again";
    EXPECT_LT(againCount.Total(), directCount.Total());
    EXPECT_GT(firstCount.Total(), directCount.Total()) << "the first frame draws the layer too";
    // Sliding away, the frame is drawn as it moves, and the layer follows
    // when it is at rest again.
    Grid->topY = 40;
    const auto [moved, movedCount] = drawn(true);
    EXPECT_GT(movedCount.alpha, againCount.alpha);
    EXPECT_FALSE(same(*moved, *direct));
    Grid->topY = 0;
    const auto [back, backCount] = drawn(true);
    EXPECT_TRUE(same(*direct, *back));
    GameScreen->DrawStillInOneCopy = true;
}

TEST_F(GameScreenTest, EachGoalIconIsCentredOnItsRow) {
    AutoPlayer::EnterLevel(1, 5, true);
    ASSERT_TRUE(StepUntil([&] { return InPlay(); }, 1200));
    ASSERT_EQ(GameScreen->GetHUDX(), 0);
    struct Row {
        const char* goal;
        int y;
        float scale;
        int pictureWidth;
    };
    const Row rows[] = {{"matches", 437, 0.5f, TGem::GemsImage->w},
                        {"armour", 497, 0.45f, IceTileImage->w},
                        {"skulls", 557, 0.5f, TGem::GemsImage->w},
                        {"rocks", 617, 0.45f, TGem::Rock2Image->w}};
    Grid->GoalArmour = Grid->GoalCollect = Grid->GoalRock = 1;
    Grid->Gold = Grid->Rocks = 3;
    // The icons alone, on black: x = the panel's left + 9, the icons at x + 34
    // and their numbers from x + 59 on.
    SetClsColor(0, 0, 0);
    Cls();
    SetBlend(ALPHABLEND);
    GameScreen->DrawGoals(9);
    const PixmapPtr frame = headless::ReadFrame();
    ASSERT_TRUE(frame);
    headless::SaveFrame("goal-icons");
    // The window shows the virtual screen scaled: search in its pixels, compare
    // in virtual ones.
    const float rx = Game->VirtualRatioX, ry = Game->VirtualRatioY;
    auto physicalX = [&](float x) { return static_cast<int>((x + Game->vxOff) / rx); };
    auto physicalY = [&](float y) { return static_cast<int>((y + Game->vyOff) / ry); };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.goal);
        const headless::InkBox icon = headless::FindInk(
            *frame,
            [](uint32_t argb) {
                return headless::Red(argb) + headless::Green(argb) + headless::Blue(argb) > 60;
            },
            0, physicalY(row.y - 29), physicalX(9 + 59 - 4), physicalY(row.y + 29));
        ASSERT_TRUE(icon.Any());
        const float centreX = icon.CentreX() * rx - Game->vxOff;
        const float centreY = (icon.top + icon.bottom + 1) / 2.0f * ry - Game->vyOff;
        EXPECT_NEAR(centreX, 9 + 34, 3);
        EXPECT_NEAR(centreY, row.y, 3);
        EXPECT_LE(icon.Width() * rx, row.scale * row.pictureWidth + 3) << "drawn at its scale";
    }
    EXPECT_EQ(IceTileImage->image->HandleX(), 0) << "the board's tiles keep their corner handle";
    // The whole screen with all four goal rows, saved to look at.
    Cls();
    GameScreen->Draw();
    headless::SaveFrame("level-screen");
}

TEST_F(GameScreenTest, ComingBackFromTheInGameMenuRecomputesTheGemsShadows) {
    auto menu = std::make_shared<RecordingMenu>();
    InGameMenu = menu;
    AutoPlayer::EnterLevel(1, 5, true);
    ASSERT_TRUE(StepUntil([&] { return InPlay(); }, 1200));
    // How many gems cast the board's shadow (offset 4.5, alpha 0.3), of all.
    auto shadowed = [] {
        int count = 0;
        for (const TGemPtr& gem : *GemList)
            count += gem->Shadow && gem->ShadowX == 4.5f && gem->ShadowY == 4.5f &&
                     gem->ShadowAlpha == 0.3f;
        return count;
    };
    const int gems = static_cast<int>(GemList->Count());
    ASSERT_GT(gems, 0);
    Game->Particles = 80;
    GameScreen->CoreStart();
    EXPECT_EQ(shadowed(), 0) << "only a return from the in-game menu's screens recomputes";
    menu->Active = 1;
    GameScreen->CoreStart();
    EXPECT_EQ(shadowed(), gems);
    Game->Particles = 20;
    GameScreen->CoreStart();
    EXPECT_EQ(shadowed(), 0) << "no shadow below detail 50";
    menu->Active = 0;
}

TEST_F(GameScreenTest, EventsOfOneStepSoundOnceAndChainsShareTheLoudness) {
    AutoPlayer::EnterLevel(1, 9, true);
    ASSERT_TRUE(StepUntil([&] { return InPlay(); }, 1200));
    Step(10);
    GameScreen->ClearSoundTriggers();
    for (int skull = 0; skull < 3; ++skull)
        GameScreen->TriggerEggDrop = 1;
    GameScreen->TriggerBomb = 1;
    Grid->ChainedBonuses = 3;
    GameScreen->ProcessSoundTriggers();
    EXPECT_EQ(ChannelsPlaying("EGGDROP"), 1);
    int pumpkins = 0;
    for (const TGameChannelPtr& channel : *Game->Channels) {
        if (channel->name != "PUMPKIN") continue;
        ++pumpkins;
        EXPECT_FLOAT_EQ(channel->OriginalVolume, 0.6f) << "a third, raised to 0.6";
    }
    EXPECT_EQ(pumpkins, 1);
}

TEST_F(GameScreenTest, EachSoundTriggerPlaysItsOwnSounds) {
    AutoPlayer::EnterLevel(1, 9, true);
    ASSERT_TRUE(StepUntil([&] { return InPlay(); }, 1200));
    TGameScreen& s = *GameScreen;
    // Four bombs in a chain: the bomb sounds play at v = 0.6, the others at 1.
    Grid->ChainedBonuses = 4;
    struct Case {
        std::vector<int*> flags;
        std::vector<std::string> sounds;  // name@volume, xrate when not 1
    };
    const std::vector<Case> cases = {
        {{&s.TriggerBonusAppears}, {"BONUSAPPEARS@1.00"}},
        {{&s.TriggerEggDrop}, {"EGGDROP@1.00"}},
        {{&s.TriggerUnlock}, {"UNLOCK@1.00"}},
        {{&s.TriggerUnrock1}, {"ROCKDESTROYED@1.00"}},
        {{&s.TriggerUnrock2}, {"ROCKCRACKED@1.00"}},
        {{&s.TriggerMagic}, {"MAGICRELEASED@1.00"}},
        {{&s.TriggerGoldCoin}, {"COIN@1.00"}},
        {{&s.TriggerGoldBag}, {"BAG@1.00"}},
        {{&s.TriggerCoinDisappears}, {"COINDISAPPEARS@1.00"}},
        {{&s.TriggerHUDCharged}, {"GAUGEFULL@1.00"}},
        {{&s.TriggerBomb}, {"BOMB@0.30", "PUMPKIN@0.60"}},
        {{&s.TriggerBomb2}, {"BOMB@0.30", "EXPLODE@0.30", "PUMPKIN@0.60"}},
        {{&s.TriggerMegaBomb}, {"GARLIC@0.60", "HOLYWATER@0.60"}},
        {{&s.TriggerCrossDiagBomb}, {"EXPLODE@0.30", "HOLYWATER2@0.60", "HOLYWATER@0.60"}},
        {{&s.TriggerCrossDiagBomb2}, {"EXPLODE@0.48", "HOLYWATER2@0.60", "HOLYWATER@0.60"}},
        {{&s.TriggerCrossBomb}, {"CROSSBOMB@0.45", "EXPLODE@0.45"}},
        {{&s.TriggerCrossBomb2}, {"CROSSBOMB@0.60", "EXPLODE@0.15", "EXPLODE@0.60"}},
        {{&s.TriggerDiagBomb}, {"DIAGONALBOMB@0.60"}},
        {{&s.TriggerDiagBomb2}, {"DIAGONALBOMB2@0.60"}},
        {{&s.TriggerHorizontalBomb}, {"HORIZONTALBOMB@0.60"}},
        {{&s.TriggerHorizontalBomb2}, {"HORIZONTALBOMB@0.60", "TORCHEXTRA@0.60"}},
        {{&s.TriggerVerticalBomb}, {"VERTICALBOMB@0.60"}},
        {{&s.TriggerVerticalBomb2}, {"VERTICALBOMB@0.60x0.80"}},
        {{&s.TriggerMatchOverArmour1}, {"MATCHOVERTILE@1.00"}},
        {{&s.TriggerMatchOverArmour2}, {"MATCHOVERARMOUR2@1.00"}},
        // The plain and the upgraded holy water are two triggers: both sound.
        {{&s.TriggerCrossDiagBomb, &s.TriggerCrossDiagBomb2},
         {"EXPLODE@0.30", "EXPLODE@0.48", "HOLYWATER2@0.60", "HOLYWATER2@0.60", "HOLYWATER@0.60",
          "HOLYWATER@0.60"}},
    };
    auto played = [] {
        std::vector<std::string> sounds;
        for (const TGameChannelPtr& channel : *Game->Channels) {
            if (!channel->Channel || !channel->Channel->Playing()) continue;
            char text[64];
            std::snprintf(text, sizeof text, "%s@%.2f", channel->name.c_str(),
                          channel->OriginalVolume);
            std::string sound = text;
            const float ownPitch = SoundBank.Find(channel->name)->pitch;
            if (std::abs(channel->Channel->Rate() - ownPitch) > 0.001f) {
                std::snprintf(text, sizeof text, "x%.2f", channel->Channel->Rate());
                sound += text;
            }
            sounds.push_back(sound);
        }
        std::sort(sounds.begin(), sounds.end());
        return sounds;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sounds.front());
        for (const TGameChannelPtr& channel : *Game->Channels)
            if (channel->Channel) channel->Channel->Stop();
        s.ClearSoundTriggers();
        for (int* flag : c.flags)
            *flag = 1;
        s.ProcessSoundTriggers();
        EXPECT_EQ(played(), c.sounds);
    }
    EXPECT_FLOAT_EQ(Grid->VerticalBombSound->pitch, 1.0f) << "the pitch is put back";
}

TEST_F(GameScreenTest, AHintAppearsAfterFifteenSecondsWithoutAMatch) {
    AutoPlayer::EnterLevel(1, 11, false);
    ASSERT_TRUE(StepUntil([&] { return InPlay(); }, 1200));
    Step(2900);
    EXPECT_EQ(Grid->HintCounter, 0);
    ASSERT_TRUE(StepUntil([] { return Grid->HintCounter > 0; }, 200));
    EXPECT_GE(Grid->HintX, 0) << "the hint points at a gem that can move";
}

}  // namespace
