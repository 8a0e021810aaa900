// The level-complete screen over the level play screen. Seam: the screen
// itself (tally, gold, the way to the map or the shop) comes with its own
// work; until then a won level is booked and the next level starts.
#pragma once

#include <memory>

class TLevelCompleteScreen {
  public:
    int Active = 0;

    virtual ~TLevelCompleteScreen() = default;
    virtual void Load() {}
    virtual void Logic() {}
    virtual void Draw() {}
    virtual void Kill() {}
    // Seam: books the level's results and goes on to the next level.
    virtual void Show();
};

extern std::shared_ptr<TLevelCompleteScreen> LevelCompleteScreen;
