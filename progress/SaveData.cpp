// The progress record: new progress, the shop items' states and purchases,
// the gold bank, and its part of the profile file.
#include "progress/SaveData.h"

#include <algorithm>
#include <cstdio>

#include "board/Powerups.h"
#include "frame/Game.h"
#include "frame/Profile.h"
#include "play/Player.h"
#include "progress/ShopItems.h"

std::shared_ptr<TSaveData> SaveData = std::make_shared<TSaveData>();

namespace {

constexpr int GEM_FIRST_BOMB = 15, GEM_LAST_LEVELLED_BOMB = 20;
constexpr int TAROT_ITEM = 15;
constexpr int NO_ITEM = -1;

bool ValidId(int id) {
    return id >= 0 && id < TSaveData::SHOP_SLOTS;
}

// The record's own console trace, as in debug mode.
void Trace(const char* text) {
    if (Game && Game->Debug) std::printf("%s\n", text);
}

ShopItemPtr Item(int id) {
    return ValidId(id) ? ShopItems[id] : nullptr;
}

}  // namespace

void TSaveData::Init() {
    Trace("Init Data");
    bombBonusLevels.fill(0);
    hudBonusLevels.fill(0);
    shopPurchases.fill(ShopItem::UNAVAILABLE);
    goldCollected = 0;
    gaugeLevel = 0;
    showTips = 1;
    timer = TGameState::TimedMode;
    // The charges belong to the record too: a new player starts uncharged.
    for (const THUDPowerupPtr& powerup : HUDPowerups) {
        if (powerup) powerup->CurrentCharge = 0;
    }
}

// ------------------------------------------------------------ bonus levels

int TSaveData::GetBombBonusLevel(int gemType) {
    if (gemType < GEM_FIRST_BOMB || gemType > GEM_LAST_LEVELLED_BOMB) return 0;
    return bombBonusLevels[gemType - GEM_FIRST_BOMB];
}

void TSaveData::SetBombBonusLevel(int gemType, int level) {
    if (gemType < GEM_FIRST_BOMB || gemType > GEM_LAST_LEVELLED_BOMB) return;
    bombBonusLevels[gemType - GEM_FIRST_BOMB] = std::clamp(level, 0, 3);
}

int TSaveData::GetHUDBonusLevel(int itemId) {
    if (itemId == TAROT_ITEM) return Owns(TAROT_ITEM) ? 1 : 0;
    for (int level = 3; level >= 1; --level) {
        if (Owns(itemId + level - 1)) return level;
    }
    return 0;
}

// -------------------------------------------------------------- shop items

bool TSaveData::Owns(int id) const {
    return ValidId(id) && shopPurchases[id] == ShopItem::PURCHASED;
}

int TSaveData::TryUnlockItem(int id) {
    const ShopItemPtr item = Item(id);
    if (!item || shopPurchases[id] != ShopItem::UNAVAILABLE) return 0;
    if (!Player || Player->Unlocked < item->LevelAvailable) return 0;
    shopPurchases[id] = ShopItem::AVAILABLE;
    return 1;
}

int TSaveData::GetShopItemStatus(int id) {
    if (!ValidId(id)) return ShopItem::UNAVAILABLE;
    TryUnlockItem(id);
    return shopPurchases[id];
}

ShopItemPtr TSaveData::GetPrereqs(int id) {
    const ShopItemPtr item = Item(id);
    if (!item || item->Requires == NO_ITEM || Owns(item->Requires)) return nullptr;
    return Item(item->Requires);
}

int TSaveData::IsReplaced(const ShopItemPtr& item) {
    return item && item->ReplaceBy != NO_ITEM && Owns(item->ReplaceBy) ? 1 : 0;
}

int TSaveData::CanPurchaseItem(int id) {
    const ShopItemPtr item = Item(id);
    if (!item || GetShopItemStatus(id) != ShopItem::AVAILABLE || GetPrereqs(id)) return 0;
    return GoldAvailable() >= item->Cost ? 1 : 0;
}

int TSaveData::PurchaseItem(int id) {
    if (!CanPurchaseItem(id)) return 0;
    shopPurchases[id] = ShopItem::PURCHASED;
    goldCollected -= ShopItems[id]->Cost;
    return 1;
}

bool ShopItemOwned(int id) {
    return SaveData && SaveData->Owns(id);
}

// --------------------------------------------------------------- gold bank

void TSaveData::CollectGold(int amount) {
    goldCollected += amount;
}

void TSaveData::SpendGold(int amount) {
    goldCollected -= amount;
    if (goldCollected <= 0) goldCollected = 0;
}

// -------------------------------------------------------------------- file

int TSaveData::ChargeLimit(int powerup) const {
    if (powerup < 0 || powerup >= static_cast<int>(kPowerupChargeNeeded.size())) return 0;
    return DiscountedCharge(kPowerupChargeNeeded[powerup], Owns(SHOP_QUICK_CHARGE),
                            Owns(SHOP_QUICKER_CHARGE));
}

void TSaveData::Save(TProfileStream& stream) {
    Trace("Save Data");
    stream.WriteInt(gaugeLevel);
    stream.WriteInt(showTips);
    stream.WriteInt(timer);
    for (int level : bombBonusLevels)
        stream.WriteInt(level);
    for (int level : hudBonusLevels)
        stream.WriteInt(level);
    for (int state : shopPurchases)
        stream.WriteInt(state);
    stream.WriteInt(goldCollected);
    for (const THUDPowerupPtr& powerup : HUDPowerups)
        stream.WriteInt(powerup ? powerup->CurrentCharge : 0);
}

void TSaveData::Load(TProfileStream& stream) {
    Trace("Load Data");
    // Every value is brought into the range a saved file can hold, so a
    // damaged or hand-edited file cannot show a full gauge of 2 billion, a
    // shop item in a fourth state or a debt in the bank.
    gaugeLevel = std::clamp(stream.ReadInt(), 0, GAUGE_FULL);
    showTips = std::clamp(stream.ReadInt(), 0, 1);
    timer = std::clamp(stream.ReadInt(), 0, 1);
    // The stored bonus levels are read past and every one becomes 1.
    for (int& level : bombBonusLevels) {
        stream.ReadInt();
        level = 1;
    }
    for (int& level : hudBonusLevels) {
        stream.ReadInt();
        level = 1;
    }
    for (int& state : shopPurchases) {
        state = stream.ReadInt();
        if (state < ShopItem::UNAVAILABLE || state > ShopItem::PURCHASED)
            state = ShopItem::UNAVAILABLE;
    }
    goldCollected = std::max(stream.ReadInt(), 0);
    for (size_t i = 0; i < HUDPowerups.size(); ++i) {
        const int charge = std::clamp(stream.ReadInt(), 0, ChargeLimit(static_cast<int>(i)));
        if (HUDPowerups[i]) HUDPowerups[i]->CurrentCharge = charge;
    }
}
