// The pause panel of the level play screen: it slides up over the darkened
// level, headed "Paused", with five buttons: resume, restart the level,
// options, instructions, and save and exit. It is a screen by type but never
// the current one: the level play screen loads it, runs its Logic every step
// (the level stands still while it is Active), draws it over the level and
// asks whether it is Active. Esc, the level's Menu button and the window
// losing the focus open it.
//
// Single-threaded, as every screen. Outputs: the level restarted once the
// panel has slid away, a visit to the options or instructions screen with the
// level kept alive, or the way out to the map with the profile saved. Missing
// pictures or sounds are fatal at Load, as everywhere in the game.
#pragma once

#include <memory>

#include "frame/Screen.h"
#include "media/Animation.h"
#include "media/Sound.h"

class TInGameMenu : public TScreen {
  public:
    // The slides in and out.
    static constexpr float SLIDE_MS = 300;
    // The darkening of the level behind the panel, when in place.
    static constexpr float VEIL_ALPHA = 0.5f;

    int Active = 0;
    int MouseState = 0;
    TGameSoundPtr ActivateSound, DeactivateSound;
    TAnimationPtr FadeIn, FadeOut;
    float MenuY = 0;
    int RestartFlag = 0;

    TInGameMenu();
    void Load() override;
    void Kill() override;
    // The board's pointer code: 1 no change, 2 the panel just opened, 3 it
    // just closed, 0 while it slides out.
    virtual int LogicResult();
    void Logic() override { LogicResult(); }
    void Draw() override;
    virtual float GetRatio() const;
    virtual float GetTopY() const;
    virtual void Hide();
    virtual void SetMenuY();
    virtual void Show(int playSound);

    // The panel picture's size once loaded (0 before).
    int PanelHeight() const;
    // The buttons lose their pressed and mouse-over looks.
    void ClearStates();
    // The window lost the focus: a level in play pauses under the panel.
    virtual void OpenOnFocusLoss();

  private:
    void ManageButtons(int& result);
    // Leaves for a screen that comes back to this level as it was.
    void Visit(const TScreenPtr& screen);
    void SaveAndExit();
};

extern std::shared_ptr<TInGameMenu> InGameMenu;
