// The title screen in the whole program through the real input: Esc asks
// before leaving, Enter plays, H shows the instructions, Play's two automatic
// purchases, the player manager and the welcome, the lightning's places and
// its thunder's pan, the ambient sounds' clocks, and the frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "engine/Input.h"
#include "engine/Random.h"
#include "frame/Profile.h"
#include "media/GameText.h"
#include "play/Instructions.h"
#include "play/Player.h"
#include "progress/MapScreen.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"
#include "screens/FrontEndFixture.h"
#include "screens/IntroScreen.h"
#include "screens/OptionsScreen.h"
#include "ui/Menu.h"

namespace {

class TitleScreenTest : public FrontEndTest {
  protected:
    static bool Leaving() { return Game->GameFade->Active && Game->GameFade->Out; }
    // The thunder's pan by the rule: the flash's middle across the screen,
    // -1 at the left edge and +1 at the right.
    static float PanOf(int x) {
        const float middle = x + TitleScreen->lightning->w / 2.0f;
        return 2 * std::clamp(middle / ScreenWidth, 0.0f, 1.0f) - 1;
    }
    // Where the flash adds to the frame now.
    Box FlashInk() {
        TTitleScreen& title = *TitleScreen;
        return InkOfPart([&](bool on) { title.lightningTimer = on ? 0.5f : -1; });
    }
};

TEST_F(TitleScreenTest, EscAsksFirstNoCarriesOnAndYesLeavesWithTheMusic) {
    EnterTitle();
    Press("Escape");
    ASSERT_TRUE(TitleScreen->ExitDialog) << "Esc opens the question";
    EXPECT_GT(TitleScreen->Menu->FindButton("exit")->MouseClickCounter, 0)
        << "the Exit sign looks pressed";
    ASSERT_TRUE(WaitUntilOpen(TitleScreen->ExitDialog));
    const float clouds = TitleScreen->cloudsX;
    Step(20);
    EXPECT_EQ(TitleScreen->cloudsX, clouds) << "nothing moves behind the question";
    EXPECT_TRUE(TitleScreen->DialogOpen());

    Press("N");
    ASSERT_TRUE(StepUntil([] { return !TitleScreen->ExitDialog; }));
    Step(5);
    EXPECT_FALSE(Leaving());
    EXPECT_GT(TitleScreen->cloudsX, clouds) << "the title carries on";

    ClickButton(*TitleScreen->Menu->FindButton("exit"));
    ASSERT_TRUE(WaitUntilOpen(TitleScreen->ExitDialog));
    headless::SaveFrame("title-exit-question");
    Press("Y");
    ASSERT_TRUE(StepUntil([] { return Leaving(); }));
    EXPECT_EQ(Game->DestinationTScreen, Game->ExitScreen);
    EXPECT_EQ(Game->GameFade->Channel, Game->MusicChannel) << "the music fades too";
}

TEST_F(TitleScreenTest, HShowsTheInstructionsWhichComeBackToTheTitle) {
    EnterTitle();
    Press("H");
    ASSERT_TRUE(StepUntil([] { return Game->CurrentTScreen == InstructionsScreen; }, 200));
    ASSERT_TRUE(StepUntil([] { return !Game->Fading(); }, 200));
    Press("Escape");
    ASSERT_TRUE(
        StepUntil([] { return Game->CurrentTScreen == TitleScreen && !Game->Fading(); }, 200));
    EXPECT_FALSE(TitleScreen->ExitDialog) << "the Esc that left the instructions stays there";
}

TEST_F(TitleScreenTest, PlayBuysTheFirstPumpkinAndCoffinWhenDueAndAffordable) {
    struct Case {
        const char* rule;
        int unlocked, gold;
        bool pumpkinOwned;
        bool pumpkin, coffin;
        int goldLeft;
    };
    const Case cases[] = {
        {"a new player buys nothing", 1, 100, false, false, false, 100},
        {"level 2 open: the free pumpkin", 2, 0, false, true, false, 0},
        {"level 4 open, 30 gold: both", 4, 30, false, true, true, 0},
        {"level 4 open, 29 gold: the pumpkin only", 4, 29, false, true, false, 29},
        {"the pumpkin owned: the coffin alone", 6, 50, true, true, true, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        SelectProfile("Buyer" + std::to_string(c.unlocked) + std::to_string(c.gold));
        Game->CurrentProfile->LockedLevel = c.unlocked + 1;
        SaveData->CollectGold(c.gold);
        if (c.pumpkinOwned) SaveData->shopPurchases[SHOP_PUMPKIN] = ShopItem::PURCHASED;
        Game->CurrentProfile->Save();
        EnterTitle();
        Press("Return");  // Enter clicks Play
        ASSERT_TRUE(Leaving());
        if (c.unlocked == 1) {
            EXPECT_EQ(Game->DestinationTScreen, IntroScreen) << "a new player sees the intro";
            EXPECT_EQ(Game->GameFade->Channel, Game->MusicChannel) << "with its own music";
        } else {
            EXPECT_EQ(Game->DestinationTScreen, MapScreen);
            EXPECT_EQ(Game->GameFade->Channel, nullptr) << "the title music plays on";
        }
        EXPECT_EQ(Player->Unlocked, c.unlocked) << "Play read the player's progress";
        // What the profile file holds now.
        SelectProfile(Game->CurrentProfile->Name);
        EXPECT_EQ(SaveData->GetShopItemStatus(SHOP_PUMPKIN) == ShopItem::PURCHASED, c.pumpkin);
        EXPECT_EQ(SaveData->GetShopItemStatus(SHOP_FIRST_COFFIN) == ShopItem::PURCHASED, c.coffin);
        EXPECT_EQ(SaveData->GoldAvailable(), c.goldLeft);
        Game->GameFade->Finish();
        Game->GameFade->GetDone();
    }
}

TEST_F(TitleScreenTest, ChangePlayerOpensTheManagerAndTheWelcomeFollowsTheChoice) {
    EnterTitle();
    ASSERT_TRUE(TitleScreen->Welcome);
    EXPECT_EQ(TitleScreen->Welcome->Text, GameText->FindString("Welcome") + "\r\nAda");
    ClickButton(*TitleScreen->Menu->FindButton("changeplayer"));
    ASSERT_TRUE(TitleScreen->PlayerManager);
    ASSERT_TRUE(WaitUntilOpen(TitleScreen->PlayerManager));
    TPlayerManager& manager = *TitleScreen->PlayerManager;
    ClickButton(*manager.FindButton("Create"));
    ASSERT_TRUE(WaitUntilOpen(manager.EnterName));
    Type("bea");
    Press("Return");
    ASSERT_TRUE(WaitUntilOpen(manager.EnterName->OKClickedDialog)) << "the mode choice";
    ClickButton(*manager.EnterName->OKClickedDialog->FindButton("Yes"));
    ASSERT_TRUE(StepUntil([] { return !TitleScreen->PlayerManager; }));
    EXPECT_EQ(Game->CurrentProfile->Name, "Bea");
    EXPECT_EQ(TitleScreen->Welcome->Text, GameText->FindString("Welcome") + "\r\nBea");
    EXPECT_FALSE(TitleScreen->DialogOpen());
}

TEST_F(TitleScreenTest, TheFirstFlashIsLeftOfTheMiddleLaterOnesAnywhereWithThunderPannedToThem) {
    for (int entry = 1; entry <= 2; ++entry) {
        SCOPED_TRACE("entry " + std::to_string(entry));
        EnterTitle();
        ASSERT_TRUE(StepUntil([] { return TitleScreen->lightningTimer > 0; }, 50))
            << "the first flash comes at once";
        EXPECT_EQ(TitleScreen->lightningX, ScreenWidth / 2 - 100);
        EXPECT_EQ(TitleScreen->lightningFlip, 0);
        EXPECT_EQ(TitleScreen->lightningChance, TTitleScreen::LIGHTNING_CHANCE);
        const TGameChannelPtr thunder = Playing("LIGHTNING");
        ASSERT_TRUE(thunder);
        EXPECT_NEAR(thunder->Channel->Pan(), PanOf(TitleScreen->lightningX), 1e-5);
        EXPECT_NE(thunder->Channel->Rate(), 0);
        EXPECT_FLOAT_EQ(SoundBank.Find("lightning")->pitch, 1) << "the pitch put back";
    }
    // The flash is drawn in its own strip.
    TTitleScreen& title = *TitleScreen;
    const Box plain = FlashInk();
    EXPECT_GE(plain.left, title.lightningX - 1);
    EXPECT_LE(plain.right, title.lightningX + title.lightning->w + 1);

    CSrand(7);
    int mirrored = 0;
    float minPan = 1, maxPan = -1;
    for (int flash = 0; flash < 200; ++flash) {
        SilencePool();
        title.CreateLightning(0);
        const float h = title.lightning->w2;
        ASSERT_GE(title.lightningX, static_cast<int>(-h));
        ASSERT_LE(title.lightningX, static_cast<int>(ScreenWidth - h));
        mirrored += title.lightningFlip;
        const TGameChannelPtr thunder = Playing("LIGHTNING");
        ASSERT_TRUE(thunder);
        ASSERT_NEAR(thunder->Channel->Pan(), PanOf(title.lightningX), 1e-5);
        minPan = std::min(minPan, thunder->Channel->Pan());
        maxPan = std::max(maxPan, thunder->Channel->Pan());
    }
    EXPECT_GT(mirrored, 70) << "about half of them mirrored";
    EXPECT_LT(mirrored, 130);
    EXPECT_LT(minPan, -0.8f) << "thunder far to the left";
    EXPECT_GT(maxPan, 0.8f) << "and far to the right";

    // A mirrored flash covers the same strip, its picture turned.
    title.lightningX = 300;
    title.lightningFlip = 0;
    const Box straight = FlashInk();
    title.lightningFlip = 1;
    const Box turned = FlashInk();
    EXPECT_GE(turned.left, 299);
    EXPECT_LE(turned.right, 301 + title.lightning->w);
    EXPECT_GT(std::abs(turned.CentreX() - straight.CentreX()), 5) << "not the same picture";
}

TEST_F(TitleScreenTest, CreaksAndWindComeOnTheirClockAndTheCrowCawsSoonAfterArriving) {
    EnterTitle();
    int steps = 0;
    while (!Playing("CREAK") && steps < 300) {
        Step();
        ++steps;
    }
    EXPECT_GE(steps, 195) << "not before 200 steps";
    EXPECT_LE(steps, 201);
    ASSERT_TRUE(Playing("CREAK"));
    EXPECT_FLOAT_EQ(Playing("CREAK")->Channel->Pan(), 0.8f);
    ASSERT_TRUE(Playing("WIND")) << "the wind comes with it";
    const float windRate = Playing("WIND")->Channel->Rate();
    EXPECT_GE(windRate, 0.8f);
    EXPECT_LE(windRate, 1.2f);
    EXPECT_FLOAT_EQ(SoundBank.Find("wind")->pitch, 1) << "the pitch put back";
    EXPECT_GE(TitleScreen->creakTimer, 1499);
    EXPECT_LE(TitleScreen->creakTimer, 2000);

    ASSERT_TRUE(StepUntil([] { return Playing("CROW") != nullptr; }, 3000));
    EXPECT_FLOAT_EQ(Playing("CROW")->Channel->Pan(), 0.5f);
    EXPECT_GT(TitleScreen->crowCawTimer, 0) << "the crow shows its cawing pose";
    EXPECT_EQ(TitleScreen->crowChance, 4000) << "later caws are rarer";
}

TEST_F(TitleScreenTest, FramesShowTheSceneTheSignsAndTheWelcome) {
    EnterTitle();
    TTitleScreen& title = *TitleScreen;
    title.lightningTimer = -1;
    title.handTimer = 1;
    Step(60);
    const Box welcome = InkOfPart([&](bool on) {
        if (on) {
            title.SetupWelcome();
        } else {
            title.Welcome.reset();
        }
    });
    EXPECT_GT(welcome.CentreX(), 400);
    EXPECT_LT(welcome.CentreX(), 500);
    EXPECT_GT(welcome.CentreY(), 580);
    EXPECT_LT(welcome.CentreY(), 650);
    title.Draw();
    headless::SaveFrame("title-calm");
    title.CreateLightning(1);
    title.crowCawTimer = 0.3f;
    title.redEyeBlinkTimer = 0.3f;
    Step(10);
    title.Draw();
    headless::SaveFrame("title-lightning");
    const Box flash = FlashInk();
    EXPECT_GE(flash.left, title.lightningX - 1);
    title.lightningTimer = -1;
    Step(2000);
    title.Draw();
    headless::SaveFrame("title-later");
    EXPECT_GT(title.cloudsX, 0) << "the clouds drift";
}

}  // namespace
