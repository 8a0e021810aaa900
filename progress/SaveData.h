// The progress record of the current player: the bonus gauge, the tips and
// timer options, the gold bank, the state of every shop item and the HUD
// powerups' charges. One record, the global SaveData, always belongs to the
// current profile and is stored behind the profile's own part of its file
// (offsets 440 to 695).
//
// Single-threaded. The record has no failures of its own: loading brings
// every value into the range a saved file can hold.
#pragma once

#include <array>
#include <memory>
#include <string>

class TProfileStream;
class ShopItem;

class TSaveData {
  public:
    static constexpr int GAUGE_FULL = 10;
    static constexpr int SHOP_SLOTS = 41;  // shop items 0..40

    int gaugeLevel = 0;
    int showTips = 1;
    int timer = 0;  // 1 timed mode, 0 relaxed
    std::array<int, 7> bombBonusLevels{};
    std::array<int, 6> hudBonusLevels{};
    int goldCollected = 0;
    std::array<int, SHOP_SLOTS> shopPurchases{};  // ShopItem::UNAVAILABLE, AVAILABLE, PURCHASED

    virtual ~TSaveData() = default;
    // A new game: nothing bought, no gold, an empty gauge, tips on, the mode
    // the player chose (TGameState::TimedMode), the powerups uncharged.
    virtual void Init();
    // Bomb levels of gem types 15..20, 0..3 (stored, not used in play).
    virtual int GetBombBonusLevel(int gemType);
    virtual void SetBombBonusLevel(int gemType, int level);
    // The level a HUD powerup has from its shop items: 0..3 (the tarot,
    // item 15, has one level).
    virtual int GetHUDBonusLevel(int itemId);
    // Makes an unavailable item available once the player has reached its
    // level; 1 when it changed.
    virtual int TryUnlockItem(int id);
    // 0 unavailable, 1 available, 2 bought; 0 for ids outside 0..40. Asking
    // unlocks the item first.
    virtual int GetShopItemStatus(int id);
    // The item that must be bought before this one, while it is not bought.
    virtual std::shared_ptr<ShopItem> GetPrereqs(int id);
    // The item that replaces this one has been bought.
    virtual int IsReplaced(const std::shared_ptr<ShopItem>& item);
    virtual int CanPurchaseItem(int id);
    // Buys the item when it can be bought now (taking its cost from the
    // bank); 1 on success. Nothing is saved here.
    virtual int PurchaseItem(int id);
    virtual void CollectGold(int amount);
    // Takes gold from the bank, which never goes below 0.
    virtual void SpendGold(int amount);
    virtual int GoldAvailable() { return goldCollected; }
    // Reads and writes the record at the stream's position.
    virtual void Load(TProfileStream& stream);
    virtual void Save(TProfileStream& stream);

    // The shop item has been bought (never unlocks anything).
    bool Owns(int id) const;
    // The most charge a HUD powerup (HUDPowerups index) can hold with the
    // items bought.
    int ChargeLimit(int powerup) const;
};

extern std::shared_ptr<TSaveData> SaveData;

// The current player owns the shop item (false without a progress record).
bool ShopItemOwned(int id);
