// A visit to the shop: the music on the way in, the old lady's news, eye
// mode, and leaving: the must-buy notices for the first pumpkin and the
// first coffin (only when the player can buy it now), and otherwise the
// profile saved and the fade out.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "engine/Graphics.h"
#include "frame/Game.h"
#include "frame/Profile.h"
#include "frame/Screen.h"
#include "media/GameText.h"
#include "play/LevelComplete.h"
#include "progress/MapScreen.h"
#include "progress/SaveData.h"
#include "progress/ShopFixture.h"
#include "progress/ShopItems.h"
#include "support/Headless.h"
#include "ui/Menu.h"

namespace {

class ShopVisitTest : public ShopTest {
  protected:
    bool Leaving() const {
        return Game->GameFade->Active && Game->GameFade->Out == 1 &&
               Game->DestinationTScreen != nullptr && Game->DestinationTScreen != ShopScreen;
    }
    // Leaves by a key or the map button, as the case says.
    void TryToLeave(const std::string& how) {
        if (how == "map") {
            Click(Shop().Menu, "map");
        } else {
            Press(how.c_str());
        }
    }
};

TEST_F(ShopVisitTest, TheFirstPumpkinAndCoffinMustBeBoughtWhenTheyCanBe) {
    struct Case {
        const char* what;
        int unlocked, gold;
        std::vector<int> owned;
        const char* notice;  // "" when the player may leave
        const char* how;
    };
    const std::vector<Case> cases = {
        {"the free pumpkin at level 2", 2, 0, {}, "purchase pumpkin", "Escape"},
        {"the coffin with its 30 gold at level 4", 4, 30, {1}, "purchase coffin", "map"},
        {"the coffin without the gold for it", 4, 29, {1}, "", "Return"},
        {"the pumpkin past level 2", 3, 0, {}, "", "map"},
        {"the coffin past level 4", 5, 100, {1}, "", "Escape"},
        {"both bought", 4, 0, {1, 24}, "", "Escape"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Progress(c.unlocked, c.gold, {});
        for (int id : c.owned)
            SaveData->shopPurchases[id] = ShopItem::PURCHASED;
        Enter();
        TryToLeave(c.how);
        if (*c.notice) {
            ASSERT_TRUE(Shop().MessageDialog) << "the notice";
            EXPECT_EQ(Shop().MessageDialog->Caption->Text,
                      GameText->FindString(std::string(c.notice) + " text"));
            EXPECT_FALSE(Leaving());
            ASSERT_TRUE(WaitUntilOpen(Shop().MessageDialog));
            const int tips = tutorial_->pumpkinTips;
            Answer(Shop().MessageDialog, "OK");
            EXPECT_EQ(Game->CurrentTScreen, ShopScreen) << "the player stays";
            EXPECT_FALSE(Leaving());
            EXPECT_EQ(tutorial_->pumpkinTips, tips + 1) << "the pumpkin tip is offered";
        } else {
            EXPECT_FALSE(Shop().MessageDialog);
            EXPECT_TRUE(Leaving());
        }
        Step(100);
        ShopScreen->Kill();
        Game->GameFade->Active = 0;
        Game->DestinationTScreen.reset();
        SaveData->Init();
    }
}

// The item pictures are the shop's alone: read when it starts, let go when
// it ends, and a second visit looks as the first did.
TEST_F(ShopVisitTest, TheItemPicturesLiveOnlyAsLongAsAVisit) {
    auto holding = [] {
        int count = 0;
        for (int id = 1; id < SHOP_TABLE_SIZE; ++id) {
            const ShopItem& item = *ShopItems[id];
            for (const TGameImagePtr* picture :
                 {&item.Image, &item.SaleImage, &item.SaleDownImage, &item.SaleOverImage}) {
                if (*picture && (*picture)->image) ++count;
            }
        }
        return count;
    };
    Progress(6, 0, {1, 2, 24});
    std::array<PixmapPtr, 2> frames;
    for (PixmapPtr& frame : frames) {
        Enter();
        EXPECT_EQ(holding(), 4 * (SHOP_TABLE_SIZE - 1)) << "every item's four pictures";
        Shop().Draw();
        frame = headless::ReadFrame();
        ASSERT_TRUE(frame);
        ShopScreen->Kill();
        EXPECT_EQ(holding(), 0) << "nothing kept once the shop has ended";
    }
    int differing = 0;
    for (int y = 0; y < frames[0]->Height(); ++y) {
        for (int x = 0; x < frames[0]->Width(); ++x)
            differing += frames[0]->ReadPixel(x, y) != frames[1]->ReadPixel(x, y);
    }
    EXPECT_EQ(differing, 0) << "the second visit draws what the first did";
}

TEST_F(ShopVisitTest, LeavingSavesTheProfileAndFadesOutOnceThePumpkinIsBought) {
    Progress(2, 0);
    Enter();
    Press("Return");
    ASSERT_TRUE(Shop().MessageDialog);
    ASSERT_TRUE(WaitUntilOpen(Shop().MessageDialog));
    Answer(Shop().MessageDialog, "OK");
    TPurchaseDialog& pumpkin = OpenItem(0);
    ASSERT_EQ(pumpkin.selectedItem->PurchaseID, 1);
    Answer(Shop().PurchaseDialog, "Buy");
    SaveData->CollectGold(45);  // as if banked, but not yet saved
    Click(Shop().Menu, "map");
    ASSERT_TRUE(Leaving());
    EXPECT_EQ(Game->DestinationTScreen, MapScreen);
    SaveData->Init();
    Game->CurrentProfile->Load();
    EXPECT_EQ(SaveData->goldCollected, 45) << "saved on the way out";
    EXPECT_EQ(SaveData->GetShopItemStatus(1), ShopItem::PURCHASED);
}

TEST_F(ShopVisitTest, TheTitleMusicStartsUnlessTheMapAlreadyPlaysIt) {
    Progress(3, 0);
    Game->MusicNone();
    Enter();
    EXPECT_EQ(Game->MusicName, "title.ogg") << "coming from a level";
    ShopScreen->Kill();

    Game->MusicNone();
    Game->LastTScreen = MapScreen;
    ShopScreen->PreStart();
    EXPECT_EQ(Game->MusicFileName, "none") << "the map's music goes on";
    EXPECT_EQ(Game->MusicName, "none");
}

TEST_F(ShopVisitTest, EyeModeShowsTheSceneAloneUntilOkOrAKey) {
    Progress(5, 100);
    Enter();
    Click(Shop().Menu, "eye");
    ASSERT_EQ(Shop().EyeMode, 1);
    const TButtonPtr ok = Shop().EyeMenu->FindButton("ok");
    ASSERT_TRUE(ok);
    const PixmapPtr eye = ShopFrame();
    headless::SaveFrame("shop_eye_mode");
    const PixmapPtr scene = SceneFrame();
    const int okTop = PhysicalY(ok->y);
    EXPECT_EQ(Differences(*eye, *scene, 0, 0, eye->Width(), okTop), 0)
        << "nothing but the scene above the ok button";
    EXPECT_GT(Differences(*eye, *scene, 0, okTop, eye->Width(), eye->Height() - okTop), 0);

    Press("Escape");
    EXPECT_EQ(Shop().EyeMode, 0);
    EXPECT_FALSE(Leaving()) << "Escape leaves eye mode, not the shop";
    Step(100);
    Click(Shop().Menu, "eye");
    ASSERT_EQ(Shop().EyeMode, 1);
    Step(100);
    ClickButton(*ok);
    EXPECT_EQ(Shop().EyeMode, 0);
    EXPECT_FALSE(Shop().PurchaseDialog);
}

TEST_F(ShopVisitTest, TheOldLadysNewsOpensOnceWhenAWonLevelLeadsHere) {
    Progress(4, 0, {1});
    LevelCompleteScreen->ShowShopMessage = 1;
    Enter();
    EXPECT_TRUE(Shop().MessageDialog) << "news of level 4";
    EXPECT_EQ(LevelCompleteScreen->ShowShopMessage, 0);
    ASSERT_TRUE(WaitUntilOpen(Shop().MessageDialog));
    ShopFrame();
    headless::SaveFrame("shop_old_lady_news");
    ShopScreen->Kill();
    Enter();
    EXPECT_FALSE(Shop().MessageDialog) << "only when a won level sends the player";

    // The first pumpkin's news is no news once the pumpkin is bought.
    ShopScreen->Kill();
    Progress(2, 0, {1});
    LevelCompleteScreen->ShowShopMessage = 1;
    Enter();
    EXPECT_FALSE(Shop().MessageDialog);
    LevelCompleteScreen->ShowShopMessage = 0;
}

}  // namespace
