#include "progress/SaveData.h"

std::shared_ptr<TSaveData> SaveData = std::make_shared<TSaveData>();

int TSaveData::GetShopItemStatus(int id) const {
    if (id < 0 || id >= static_cast<int>(shopPurchases.size())) return 0;
    return shopPurchases[id];
}
