// The shop's item table: 38 decorations on sale and 2 pieces of scenery,
// with their pictures, prices, levels and places in the house scene.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "media/GameImage.h"
#include "media/Point.h"

class ShopItem;
using ShopItemPtr = std::shared_ptr<ShopItem>;

class ShopItem {
  public:
    static constexpr int UNAVAILABLE = 0;
    static constexpr int AVAILABLE = 1;
    static constexpr int PURCHASED = 2;

    int Cost = 0;  // -1: scenery, never sold
    int LevelAvailable = 0;
    std::shared_ptr<TPoint> Coords;
    std::string ImageFile;
    std::string SaleImageFile;
    int ReplaceBy = 0;  // -1 none
    int Requires = 0;   // -1 none
    int PurchaseID = 0;
    std::string Name;
    std::string Description;
    TGameImagePtr Image;
    TGameImagePtr SaleImage;
    TGameImagePtr SaleDownImage;
    TGameImagePtr SaleOverImage;  // the lit plate under the mouse
    float GlowValue = 0;
    TGameImagePtr HUDGlow;
    int centreOffsetX = 0, centreOffsetY = 0;

    // Note the order: the list picture before the decoration picture.
    static ShopItemPtr Create(int cost, int level, TPoint coords, const std::string& saleImageFile,
                              const std::string& imageFile, int replaceBy, int requiredItem,
                              int purchaseID, const std::string& name,
                              const std::string& description);
    void SetCentreOffset(int x, int y);
};

// Items whose purchase changes play, by id.
constexpr int SHOP_PUMPKIN = 1;  // the first bomb: without it lines of four and five make none
constexpr int SHOP_MORE_GOLD = 9, SHOP_MOST_GOLD = 10;   // coins and bags come more often
constexpr int SHOP_MORE_TIME = 11, SHOP_LONG_TIME = 12;  // 10 % and 20 % more time
constexpr int SHOP_BONUS_POWER = 16;  // lines of four make garlic and upgraded bombs too
constexpr int SHOP_QUICK_CHARGE = 13, SHOP_QUICKER_CHARGE = 14;  // powerups need 90 % and 80 %
constexpr int SHOP_BONUS_GOLD = 22, SHOP_MORE_BONUS_GOLD = 23;   // 10 % and 20 % gold at the end
constexpr int SHOP_FIRST_COFFIN = 24;  // the stake; the shop asks for it at level 4

constexpr int SHOP_ITEM_COUNT = 38;
constexpr int SHOP_TABLE_SIZE = 41;  // entry 0 empty, 39 and 40 scenery

extern std::array<ShopItemPtr, SHOP_TABLE_SIZE> ShopItems;
extern std::vector<int> ShopDrawOrder;
extern TGameImagePtr GoldPanelImage;
