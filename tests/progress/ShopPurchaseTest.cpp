// The purchase dialog and buying: the notice of a missing prerequisite with
// only "Cancel", the price in red above the gold and "Free" in green, and
// what a purchase brings (gold, sound, tips, the profile on disk), which a
// refused purchase must not bring.
#include <gtest/gtest.h>

#include <string>

#include "board/Powerups.h"
#include "engine/Files.h"
#include "engine/Input.h"
#include "frame/Game.h"
#include "frame/Profile.h"
#include "media/GameText.h"
#include "media/Sound.h"
#include "progress/PurchaseDialog.h"
#include "progress/SaveData.h"
#include "progress/ShopFixture.h"
#include "progress/ShopScreen.h"
#include "ui/Menu.h"

namespace {

class ShopPurchaseTest : public ShopTest {
  protected:
    int Playing(const std::string& name) const {
        int count = 0;
        for (const TGameChannelPtr& channel : *Game->Channels)
            count += channel->name == name && channel->Channel && channel->Channel->Playing();
        return count;
    }
    int IndexOf(int id) const {
        const std::vector<int> ids = Listed();
        for (size_t i = 0; i < ids.size(); ++i)
            if (ids[i] == id) return static_cast<int>(i);
        return -1;
    }
    // The item's dialog, the strip scrolled so that it is in sight.
    TPurchaseDialog& Open(int id) {
        const int index = IndexOf(id);
        EXPECT_GE(index, 0) << "item " << id << " is listed";
        Shop().CurrentItem = std::max(0, std::min(index, Shop().ITEM_COUNT - 3));
        Shop().ScrollOffset = static_cast<float>(Shop().CurrentItem * TShopScreen::ITEM_SPREAD);
        return OpenItem(index);
    }
    // The colour the label's text is drawn in: the strongest pixel of its box.
    uint32_t DrawnColour(const TPurchaseDialog& dialog, TLabel& label) {
        const PixmapPtr frame = ShopFrame();
        const float left = label.X + dialog.OffsetX, top = label.Y + dialog.OffsetY;
        uint32_t best = 0;
        int bestSum = -1;
        for (int py = PhysicalY(top); py < PhysicalY(top + label.CalcHeight()); ++py) {
            for (int px = PhysicalX(left); px < PhysicalX(left + label.CalcWidth()); ++px) {
                const uint32_t p = frame->ReadPixel(px, py);
                const int sum = headless::Red(p) + headless::Green(p) + headless::Blue(p);
                if (sum > bestSum) bestSum = sum, best = p;
            }
        }
        return best;
    }
};

TEST_F(ShopPurchaseTest, AnItemWhosePrerequisiteIsMissingIsListedAndNamesIt) {
    Progress(10, 1000);
    Enter();
    ASSERT_GE(IndexOf(2), 0) << "the second pumpkin shows before the first is bought";
    TPurchaseDialog& dialog = Open(2);
    ShopFrame();
    headless::SaveFrame("shop_dialog_prerequisite");
    const std::string pumpkin = ShopItems[1]->Name;
    ASSERT_FALSE(pumpkin.empty());
    EXPECT_NE(dialog.Caption->Text.find(pumpkin), std::string::npos) << dialog.Caption->Text;
    EXPECT_EQ(dialog.Caption->Text.find("XXX"), std::string::npos);
    EXPECT_TRUE(dialog.FindButton("Cancel"));
    EXPECT_FALSE(dialog.FindButton("Buy")) << "gold enough, but the prerequisite is missing";
    EXPECT_FALSE(dialog.priceLabel) << "no price for what cannot be bought";
    Answer(Shop().PurchaseDialog, "Cancel");
    EXPECT_EQ(SaveData->GetShopItemStatus(2), ShopItem::AVAILABLE);
    EXPECT_EQ(SaveData->goldCollected, 1000);
}

TEST_F(ShopPurchaseTest, ThePriceIsRedAboveTheGoldWhiteUpToItAndFreeIsGreen) {
    struct Case {
        const char* what;
        int id, gold;
        std::string price;
        bool buy;
        int r, g, b;
    };
    const std::string free = GameText->FindString("Free");
    ASSERT_FALSE(free.empty());
    const std::vector<Case> cases = {
        {"one gold short", 24, 29, "30", false, 240, 50, 50},
        {"exactly the gold", 24, 30, "30", true, 255, 255, 255},
        {"free with no gold", 1, 0, free, true, 50, 240, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Progress(4, c.gold);
        Enter();
        TPurchaseDialog& dialog = Open(c.id);
        ShopFrame();
        headless::SaveFrame(std::string("shop_dialog_") + (c.buy ? "buy_" : "short_") +
                            std::to_string(c.id));
        ASSERT_TRUE(dialog.priceValueLabel && dialog.goldAvailValueLabel);
        EXPECT_EQ(dialog.priceValueLabel->Text, c.price);
        EXPECT_EQ(dialog.goldAvailValueLabel->Text, std::to_string(c.gold));
        EXPECT_EQ(static_cast<bool>(dialog.FindButton("Buy")), c.buy);
        EXPECT_TRUE(dialog.FindButton("Cancel"));
        const uint32_t drawn = DrawnColour(dialog, *dialog.priceValueLabel);
        EXPECT_NEAR(headless::Red(drawn), c.r, 40);
        EXPECT_NEAR(headless::Green(drawn), c.g, 40);
        EXPECT_NEAR(headless::Blue(drawn), c.b, 40);
        Press("Escape");
        EXPECT_TRUE(StepUntil([&] { return !Shop().PurchaseDialog; })) << "Escape cancels";
        EXPECT_EQ(SaveData->GetShopItemStatus(c.id), ShopItem::AVAILABLE);
        EXPECT_EQ(Game->CurrentTScreen, ShopScreen) << "and does not leave the shop";
        ShopScreen->Kill();
    }
}

TEST_F(ShopPurchaseTest, BuyingSpendsTheGoldCelebratesAndIsOnDiskAtOnce) {
    Progress(4, 100, {1});
    Enter();
    Open(24);
    Answer(Shop().PurchaseDialog, "Buy");
    EXPECT_EQ(SaveData->GetShopItemStatus(24), ShopItem::PURCHASED);
    EXPECT_EQ(SaveData->goldCollected, 70);
    EXPECT_EQ(Playing("GOALDONE"), 1) << "the purchase sound";
    EXPECT_EQ(tutorial_->fades, 1) << "the tips fade";
    EXPECT_EQ(Game->CurrentTScreen, ShopScreen);

    // Closing the window now loses nothing: the file already holds it.
    SaveData->Init();
    ASSERT_EQ(SaveData->GetShopItemStatus(24), ShopItem::AVAILABLE);
    Game->CurrentProfile->Load();
    EXPECT_EQ(SaveData->GetShopItemStatus(24), ShopItem::PURCHASED);
    EXPECT_EQ(SaveData->goldCollected, 70);
}

TEST_F(ShopPurchaseTest, APurchaseTheStoreRefusesBringsNothingOfAPurchase) {
    Progress(4, 30, {1});
    Enter();
    Open(24);
    ASSERT_TRUE(Shop().PurchaseDialog->FindButton("Buy"));
    std::vector<uint8_t> onDisk;
    ASSERT_TRUE(LoadBytes(Game->CurrentProfile->Path(), onDisk));
    HUDPowerups[POWERUP_STAKE]->CurrentCharge = 0;
    // The gold goes while the dialog is open, so the store says no.
    SaveData->goldCollected = 20;
    Answer(Shop().PurchaseDialog, "Buy");
    EXPECT_EQ(SaveData->GetShopItemStatus(24), ShopItem::AVAILABLE);
    EXPECT_EQ(SaveData->goldCollected, 20);
    EXPECT_EQ(Playing("GOALDONE"), 0) << "no purchase sound";
    EXPECT_EQ(tutorial_->fades, 0) << "the tips stay";
    EXPECT_EQ(HUDPowerups[POWERUP_STAKE]->CurrentCharge, 0) << "the stake stays empty";
    std::vector<uint8_t> after;
    ASSERT_TRUE(LoadBytes(Game->CurrentProfile->Path(), after));
    EXPECT_EQ(after, onDisk) << "nothing was saved";
    EXPECT_EQ(Listed(), (std::vector<int>{5, 24})) << "still on sale";
}

TEST_F(ShopPurchaseTest, BuyingAPowerupsItemFillsThatPowerupAlone) {
    Progress(15, 2000, {1, 24});
    Enter();
    for (const THUDPowerupPtr& powerup : HUDPowerups)
        powerup->CurrentCharge = 0;
    THUDPowerup& stake = *HUDPowerups[POWERUP_STAKE];
    THUDPowerup& hammer = *HUDPowerups[POWERUP_HAMMER];
    ASSERT_GT(stake.GetChargeRequired(), 0);

    Open(25);  // the second coffin: the stake's second level
    Answer(Shop().PurchaseDialog, "Buy");
    EXPECT_EQ(stake.CurrentCharge, stake.GetChargeRequired()) << "ready to use at once";
    for (int i = 0; i < POWERUP_COUNT; ++i) {
        if (i != POWERUP_STAKE) {
            EXPECT_EQ(HUDPowerups[i]->CurrentCharge, 0) << "powerup " << i;
        }
    }
    Open(30);  // the first curved gravestone: the hammer
    Answer(Shop().PurchaseDialog, "Buy");
    EXPECT_EQ(hammer.CurrentCharge, hammer.GetChargeRequired());

    // The charges are in the file with the purchases.
    for (const THUDPowerupPtr& powerup : HUDPowerups)
        powerup->CurrentCharge = 0;
    Game->CurrentProfile->Load();
    EXPECT_EQ(stake.CurrentCharge, stake.GetChargeRequired());
    EXPECT_EQ(hammer.CurrentCharge, hammer.GetChargeRequired());
}

// Without a mouse: Up goes to the items, Left and Right walk them with the
// strip scrolling along, Enter opens the purchase of the focused one, and
// Down goes back to the buttons below.
TEST_F(ShopPurchaseTest, KeysWalkTheItemsAndOpenAPurchase) {
    Progress(100, 0);
    Enter();
    ASSERT_GT(Shop().ITEM_COUNT, TShopScreen::ITEMS_SHOWN);
    Press("Up");
    ASSERT_EQ(Shop().KeyItem, 0) << "the first item";
    for (int i = 0; i < TShopScreen::ITEMS_SHOWN; ++i)
        Press("Right");
    EXPECT_EQ(Shop().KeyItem, TShopScreen::ITEMS_SHOWN);
    EXPECT_EQ(Shop().CurrentItem, 1) << "the strip scrolled to show it";
    Press("Left");
    Press("Return");
    ASSERT_TRUE(Shop().PurchaseDialog) << "Enter opened the purchase";
    EXPECT_EQ(Shop().PurchaseDialog->selectedItem,
              Shop().CurrentItems[static_cast<size_t>(TShopScreen::ITEMS_SHOWN - 1)]);
    ASSERT_TRUE(StepUntil([&] {
        return Shop().PurchaseDialog && Shop().PurchaseDialog->Active &&
               !Shop().PurchaseDialog->Transitioning;
    }));
    Press("Escape");
    ASSERT_TRUE(StepUntil([&] { return !Shop().PurchaseDialog; }));
    EXPECT_EQ(Game->CurrentTScreen, ShopScreen) << "Escape closed the dialog only";
    Press("Down");
    EXPECT_EQ(Shop().KeyItem, -1);
    EXPECT_TRUE(Shop().Menu->ShownFocus()) << "the focus is on the buttons again";
}

}  // namespace
