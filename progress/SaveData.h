// The progress record of the current player: bonus gauge, options, the gold
// bank, the state of every shop item. (Reading and writing it with the
// profile comes with the progress store.)
#pragma once

#include <array>
#include <memory>

class TSaveData {
  public:
    int gaugeLevel = 0;
    int showTips = 1;
    int timer = 0;  // 1 timed mode, 0 relaxed
    std::array<int, 7> bombBonusLevels{};
    std::array<int, 6> hudBonusLevels{};
    int goldCollected = 0;
    std::array<int, 41> shopPurchases{};  // 0 unavailable, 1 available, 2 purchased

    // The status of a shop item; 0 for ids outside the table.
    int GetShopItemStatus(int id) const;
    // The shop item has been bought.
    bool Owns(int id) const;
    int GoldAvailable() const { return goldCollected; }
};

extern std::shared_ptr<TSaveData> SaveData;

// The current player owns the shop item (false without a progress record).
bool ShopItemOwned(int id);
