// The shop. For now only what resource loading needs of it: building the
// item table and loading its pictures (the screen itself comes later).
#pragma once

#include "frame/Screen.h"
#include "media/GameImage.h"
#include "progress/ShopItems.h"

class TShopScreen : public TScreen {
  public:
    // Builds ShopItems and ShopDrawOrder once; names and descriptions come
    // from the game text.
    static void InitShopItems();
    // Loads every item's decoration and list pictures into the bank (one
    // loading-bar step per item), then the gold panel.
    static void LoadData(TImageBank& bank);
};
