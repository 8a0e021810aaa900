// Where the level-complete screen leads, what its keys do, its wallpaper of
// the level's background (told done only when the whole picture was
// written and the desktop took it), and a level won by the headless player
// from the map through to the bank on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "autoplay/AutoPlayer.h"
#include "engine/Files.h"
#include "engine/Image.h"
#include "engine/Input.h"
#include "engine/platform/Wallpaper.h"
#include "frame/Game.h"
#include "frame/Profile.h"
#include "media/GameText.h"
#include "media/Label.h"
#include "play/GameScreen.h"
#include "play/LevelCompleteFixture.h"
#include "play/Player.h"
#include "progress/MapScreen.h"
#include "progress/SaveData.h"
#include "progress/ShopScreen.h"
#include "support/FakeDesktop.h"
#include "support/Headless.h"
#include "ui/Menu.h"

namespace fs = std::filesystem;

namespace {

TEST_F(LevelCompleteTest, ContinueLeadsToTheShopWhenItHasNewsOrAMessageWasShownElseTheMap) {
    struct Case {
        int level;
        const char* why;
        bool message, shop, shopNews;
    };
    const Case cases[] = {
        {1, "the found pumpkin is told, and the shop has news of level 2", true, true, true},
        {3, "the shop has news of level 4", false, true, true},
        {3, "its news of level 4 is told once", false, false, false},
        {7, "nothing to tell", false, false, false},
        {14, "the shop has news of level 15", false, true, true},
        {16, "a found lightning waits in the shop, which has no news of 17 left", true, true,
         false},
    };
    // The news of level 17 was told before.
    Game->CurrentProfile->ShowHint(27, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE("level " + std::to_string(c.level) + ": " + c.why);
        Win(c.level, c.level);
        WaitForRest();
        if (c.message) {
            ASSERT_TRUE(Screen().CurrentMessage) << "the found-item message";
            ASSERT_TRUE(WaitUntilOpen(Screen().CurrentMessage));
            Frame();
            headless::SaveFrame("level_complete_found_item_" + std::to_string(c.level));
            ClickAt(150, 150);
            EXPECT_EQ(Screen().Active, TLevelCompleteScreen::TALLY) << "a click elsewhere waits";
            EXPECT_FALSE(Screen().Unroll->Active);
            Press("Return");
            ASSERT_TRUE(StepUntil([] { return !Screen().CurrentMessage; }));
        } else {
            EXPECT_FALSE(Screen().CurrentMessage);
        }
        EXPECT_EQ(Screen().ShowedLevelEndMessage, c.message ? 1 : 0);
        RollUp();
        Continue();
        EXPECT_EQ(Game->CurrentTScreen, c.shop ? TScreenPtr(ShopScreen) : TScreenPtr(MapScreen));
        if (c.shop) {
            EXPECT_EQ(ShopScreen->MessageDialog != nullptr, c.shopNews) << "the shop's news";
            ShopScreen->Kill();
            screen_->PreStart();
        }
    }
}

TEST_F(LevelCompleteTest, KeysRollTheTallyAwayAndLeave) {
    for (const char* key : {"Escape", "Return", "Space"}) {
        SCOPED_TRACE(key);
        Win(7, 7);
        WaitForRest();
        WaitForCount();
        Press(key);
        ASSERT_TRUE(StepUntil([] { return Screen().Active == TLevelCompleteScreen::BUTTONS; }));
        EXPECT_EQ(Game->CurrentTScreen, GameScreen);
        Press(key);
        ASSERT_TRUE(StepUntil([] { return Game->CurrentTScreen == MapScreen; }));
        MapScreen->Kill();
        screen_->PreStart();
    }
}

class LevelCompleteWallpaperTest : public LevelCompleteTest {
  protected:
    void SetUp() override {
        LevelCompleteTest::SetUp();
        Win(12, 12);
        WaitForRest();
        RollUp();
    }
    // Clicks "Set as Wallpaper" and runs whole frames until it is done.
    void SetWallpaper() {
        const TButtonPtr button = Screen().Menu->FindButton("Wallpaper");
        ASSERT_TRUE(button && button->Active);
        ClickButton(*button);
        for (int frame = 0; frame < 20 && !Screen().DialogOK; ++frame) {
            clock_.Advance(17);
            ASSERT_TRUE(RunFrame());
        }
        ASSERT_TRUE(Screen().DialogOK) << "the player is told";
        EXPECT_EQ(Screen().SetWallpaperCounter, TLevelCompleteScreen::WALLPAPER_IDLE);
    }
    std::string Told() const { return Screen().DialogOK->Caption->Text; }
    static std::string File() { return TLevelCompleteScreen::WallpaperPath(); }
};

TEST_F(LevelCompleteWallpaperTest, TheLevelsBackgroundBecomesTheWallpaperInTheSharedFolder) {
    FakeDesktop desktop("GNOME");
    desktop.Tool("gsettings");
    SetWallpaper();
    EXPECT_EQ(File(), Game->SubPath + "Hollowmere.bmp");
    EXPECT_NE(File().find(Game->SubPath), std::string::npos);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(LoadBytes(File(), bytes)) << File();
    ASSERT_EQ(bytes.size(), 2359350u) << "54 + 3072 x 768";
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[28], 24);
    // The background's pixels, row by row from the bottom.
    const ImagePtr background = TImage::Load(Game->ImagePath + GameScreen->BackgroundFileName);
    ASSERT_TRUE(background);
    const PixmapPtr pixels = background->Lock(0);
    int different = 0;
    for (int y = 0; y < 768; y += 7) {
        const size_t row = 54 + static_cast<size_t>(767 - y) * 3072;
        for (int x = 0; x < 1024; x += 5) {
            const uint32_t argb = pixels->ReadPixel(x, y);
            const uint8_t* p = &bytes[row + x * 3];
            different += p[0] != (argb & 0xFF) || p[1] != ((argb >> 8) & 0xFF) ||
                         p[2] != ((argb >> 16) & 0xFF);
        }
    }
    EXPECT_EQ(different, 0);
    EXPECT_EQ(Told(), GameText->FindString("Wallpaper Done"));
    const std::vector<std::vector<std::string>> calls = desktop.Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0].back(), FileUri(File()));
    // Its message closes and the buttons take clicks again.
    ASSERT_TRUE(WaitUntilOpen(Screen().DialogOK));
    Frame();
    headless::SaveFrame("level_complete_wallpaper_done");
    Press("Return");
    ASSERT_TRUE(StepUntil([] { return !Screen().DialogOK; }));
    EXPECT_EQ(Game->CurrentTScreen, GameScreen) << "the message took the key, not Continue";
    Continue();
    EXPECT_EQ(Game->CurrentTScreen, MapScreen);
}

TEST_F(LevelCompleteWallpaperTest, ADesktopWithoutSupportGetsThePictureButNoClaimOfSuccess) {
    FakeDesktop desktop("Hyprland");
    desktop.Tool("gsettings");
    SetWallpaper();
    EXPECT_EQ(FileSize(File()), 2359350) << "the picture is still saved";
    EXPECT_EQ(Told(), GameText->FindString("Wallpaper Failed"));
    EXPECT_TRUE(desktop.Calls().empty());
}

TEST_F(LevelCompleteWallpaperTest, ADesktopThatRefusesIsNoSuccess) {
    FakeDesktop desktop("GNOME");
    desktop.Tool("gsettings", 1);
    SetWallpaper();
    EXPECT_FALSE(desktop.Calls().empty()) << "asked";
    EXPECT_EQ(Told(), GameText->FindString("Wallpaper Failed"));
}

TEST_F(LevelCompleteWallpaperTest, APictureThatCannotBeWrittenIsNeverHandedToTheDesktop) {
    FakeDesktop desktop("GNOME");
    desktop.Tool("gsettings");
    fs::create_directories(File());  // a folder where the picture should go
    SetWallpaper();
    EXPECT_EQ(FileType(File()), FILETYPE_DIR);
    EXPECT_EQ(Told(), GameText->FindString("Wallpaper Failed"));
    EXPECT_TRUE(desktop.Calls().empty());
    EXPECT_EQ(Game->CurrentTScreen, GameScreen) << "the game goes on";
}

TEST_F(LevelCompleteTest, ALevelWonByTheHeadlessPlayerBanksItsTallyOnDiskAndGoesToTheMap) {
    // Level 8 has coins and bags, and neither a found item nor shop news.
    Player->Unlocked = Player->Level = 8;
    SaveData->goldCollected = 250;
    Game->CurrentProfile->Save();
    AutoplayOptions options;
    const AutoplayLevelResult result = AutoPlayer(options).PlayLevel(8, 3, true);
    ASSERT_EQ(result.result, "won") << result.Json();
    ASSERT_TRUE(StepUntil([] { return Screen().Active != TLevelCompleteScreen::HIDDEN; }, 1500))
        << "the outro ends here";
    const int tallied = std::stoi(Screen().GetStatsStringForIDX(9));
    EXPECT_GT(tallied, 0) << "gold earned on the way";
    EXPECT_EQ(tallied, result.gold + Player->GetBonusGold());
    EXPECT_EQ(GoldOnDisk(), 250);
    WaitForRest();
    EXPECT_EQ(GoldOnDisk(), 250 + tallied) << "banked and saved";
    WaitForCount();
    EXPECT_EQ(Screen().ShownStatsStringForIDX(9), std::to_string(tallied));
    RollUp();
    Continue();
    EXPECT_EQ(Game->CurrentTScreen, MapScreen);
    EXPECT_EQ(MapScreen->Level, 9);
    EXPECT_EQ(SaveData->GoldAvailable(), 250 + tallied);
}

}  // namespace
