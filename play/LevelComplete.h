// The level-complete screen over the level play screen. Seam: the screen
// itself (tally, gold, the way to the map or the shop) comes with its own
// work; until then a won level is booked and the game fades back to the map.
#pragma once

#include <memory>

class TLevelCompleteScreen {
  public:
    int Active = 0;

    virtual ~TLevelCompleteScreen() = default;
    virtual void Load() { Active = 0; }
    virtual void Logic() {}
    virtual void Draw() {}
    virtual void Kill() { Active = 0; }
    // Seam: books the level's results and goes back to the map.
    virtual void Show();
};

extern std::shared_ptr<TLevelCompleteScreen> LevelCompleteScreen;
