// The level-complete screen over the level play screen. Seam: the screen
// itself (tally, gold, the way to the map or the shop) comes with its own
// work; until then a won level is booked and the game goes on to the shop
// when it has news for the level just opened, else back to the map.
#pragma once

#include <memory>

class TLevelCompleteScreen {
  public:
    int Active = 0;
    int ShowShopMessage = 0;  // the shop shows its news for the level when it opens

    virtual ~TLevelCompleteScreen() = default;
    virtual void Load() { Active = 0; }
    virtual void Logic() {}
    virtual void Draw() {}
    virtual void Kill() { Active = 0; }
    // Seam: books the level's results and goes on to the shop or the map.
    virtual void Show();
};

extern std::shared_ptr<TLevelCompleteScreen> LevelCompleteScreen;
