// The pause menu over the level play screen. Seam: the menu itself comes
// with the in-game menu; until then it never opens.
#pragma once

#include <memory>

class TInGameMenu {
  public:
    int Active = 0;

    virtual ~TInGameMenu() = default;
    virtual void Load() {}
    // Which pointer the board shows while the menu runs (0: no change).
    virtual int Logic() { return 0; }
    virtual void Show(int /*playSound*/) {}
    virtual void Draw() {}
    virtual void Kill() {}
    virtual void ClearStates() {}
};

extern std::shared_ptr<TInGameMenu> InGameMenu;
