#include "progress/SaveData.h"

#include "progress/ShopItems.h"

std::shared_ptr<TSaveData> SaveData = std::make_shared<TSaveData>();

int TSaveData::GetShopItemStatus(int id) const {
    if (id < 0 || id >= static_cast<int>(shopPurchases.size())) return 0;
    return shopPurchases[id];
}

bool TSaveData::Owns(int id) const {
    return GetShopItemStatus(id) == ShopItem::PURCHASED;
}

bool ShopItemOwned(int id) {
    return SaveData && SaveData->Owns(id);
}
