// The progress record's rules: shop items open with the level reached, a
// prerequisite comes first, purchases are paid from the bank, and the bank
// never goes below zero.
#include <gtest/gtest.h>

#include "play/Player.h"
#include "progress/ProfileFixture.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"

namespace {

using SaveDataTest = ProfileTest;

TEST_F(SaveDataTest, AnItemOpensTheFirstTimeItIsAskedForAfterItsLevelIsReached) {
    const int pumpkin2 = 2;  // available from level 10
    ASSERT_EQ(ShopItems[pumpkin2]->LevelAvailable, 10);
    Player->Unlocked = 9;
    EXPECT_EQ(SaveData->GetShopItemStatus(pumpkin2), ShopItem::UNAVAILABLE);
    Player->Unlocked = 10;
    EXPECT_EQ(SaveData->shopPurchases[pumpkin2], ShopItem::UNAVAILABLE) << "not until asked";
    EXPECT_EQ(SaveData->GetShopItemStatus(pumpkin2), ShopItem::AVAILABLE);
    Player->Unlocked = 1;
    EXPECT_EQ(SaveData->GetShopItemStatus(pumpkin2), ShopItem::AVAILABLE) << "items never go back";
    EXPECT_EQ(SaveData->TryUnlockItem(pumpkin2), 0) << "already open";

    for (int id : {-1, 0, 41, 1000}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(SaveData->GetShopItemStatus(id), ShopItem::UNAVAILABLE);
        EXPECT_EQ(SaveData->TryUnlockItem(id), 0);
        EXPECT_EQ(SaveData->PurchaseItem(id), 0);
    }
}

TEST_F(SaveDataTest, AnItemWhosePrerequisiteIsNotBoughtCannotBeBoughtWithAnyGold) {
    const int torch1 = 7, torch2 = 8;  // 250 and 500 gold; the second needs the first
    ASSERT_EQ(ShopItems[torch2]->Requires, torch1);
    Player->Unlocked = 20;
    SaveData->CollectGold(1000);
    EXPECT_EQ(SaveData->GetShopItemStatus(torch1), ShopItem::AVAILABLE);
    EXPECT_EQ(SaveData->GetPrereqs(torch2), ShopItems[torch1]);
    EXPECT_EQ(SaveData->CanPurchaseItem(torch2), 0);
    EXPECT_EQ(SaveData->PurchaseItem(torch2), 0);
    EXPECT_EQ(SaveData->GoldAvailable(), 1000) << "a refused purchase costs nothing";

    EXPECT_EQ(SaveData->PurchaseItem(torch1), 1);
    EXPECT_EQ(SaveData->GoldAvailable(), 750);
    EXPECT_EQ(SaveData->GetPrereqs(torch2), nullptr);
    EXPECT_EQ(SaveData->CanPurchaseItem(torch2), 1);
    EXPECT_EQ(SaveData->PurchaseItem(torch2), 1);
    EXPECT_EQ(SaveData->GoldAvailable(), 250);
    EXPECT_EQ(SaveData->GetShopItemStatus(torch2), ShopItem::PURCHASED);
    EXPECT_EQ(SaveData->PurchaseItem(torch2), 0) << "bought once";

    // Too little gold.
    const int lantern2 = 4;  // 900 gold from level 55, needs lantern 1
    Player->Unlocked = 60;
    ASSERT_EQ(SaveData->PurchaseItem(3), 1);
    EXPECT_EQ(SaveData->CanPurchaseItem(lantern2), 0);
    SaveData->CollectGold(650);
    EXPECT_EQ(SaveData->CanPurchaseItem(lantern2), 1);
}

TEST_F(SaveDataTest, SpendingMoreThanTheBankHoldsLeavesNothing) {
    SaveData->CollectGold(30);
    SaveData->SpendGold(10);
    EXPECT_EQ(SaveData->GoldAvailable(), 20);
    SaveData->SpendGold(50);
    EXPECT_EQ(SaveData->GoldAvailable(), 0);
}

}  // namespace
