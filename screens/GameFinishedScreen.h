// The game-finished screen, after the last level is won: the night picture
// dissolves into the dawn with a scream, and after a pause a panel with the
// end of the story fades in with the end music. OK, Esc or a click then
// leads to the credits; until the panel begins to show, input is ignored.
//
// Threading: the game's one thread; Logic once per logic step, Draw once per
// frame (drawing reads the timelines, never moves them). Outputs: pictures,
// the scream through the channel pool, the end music, and the screen it
// leads to. Failure: a missing picture, font or sound is fatal as
// everywhere; a missing text key leaves the panel empty.
//
// Life: Load (behind the loading picture) -> Start (scream, 4 s dissolve)
// -> 1.5 s pause -> the panel fading in over 1.5 s with the end music ->
// OK, Esc or a click -> Close (fade-out, music kept) -> credits -> Kill.
#pragma once

#include <memory>

#include "frame/Screen.h"
#include "media/Animation.h"
#include "media/GameImage.h"
#include "media/Label.h"
#include "media/Sound.h"

class TGameFinishedScreen : public TScreen {
  public:
    static constexpr int CHARACTER_X = 0;
    static constexpr int CHARACTER_Y = 0;
    static constexpr int MESSAGE_X = 0;
    static constexpr int MESSAGE_Y = 165;
    static constexpr int MESSAGE_WIDTH = 700;
    // Added to the font's own line height between the end text's lines.
    static constexpr int MESSAGE_LINE_SPACING = 4;
    static constexpr int DISSOLVE_MS = 4000;
    static constexpr int DELAY_MS = 1500;
    static constexpr int MESSAGE_FADE_MS = 1500;
    // The panel's distance from every edge of the screen, and its darkness.
    static constexpr int PANEL_MARGIN = 115;
    static constexpr float PANEL_ALPHA = 0.5f;
    static constexpr float HEADER_Y = 33;
    static constexpr float SCREAM_PITCH = 1.1f;
    // An Esc to the title fades this many short fades.
    static constexpr int TITLE_FADE_FACTOR = 3;

    TGameFinishedScreen();

    // ---- fields, in declaration order ----
    TGameSoundPtr HOHOSound;  // the scream
    int PageWidth = 340;
    TGameImagePtr Character;  // the first picture, dissolving
    TAnimationPtr CharacterFade, DelayTimer, MessageFade;
    TLabelPtr MessageLabel;  // the end text

    // ---- the screen's life ----
    void Load() override;
    void Start() override;
    void PostFadeIn() override;
    void Kill() override;
    void Logic() override;
    void Draw() override;
    int SetEscDestination() override;

    // ---- operations, in slot order ----
    // Fades out, the music playing on, to the credits.
    virtual void Close();

    // ---- helpers of this platform ----
    // The panel has begun to fade in: from here input counts.
    bool MessageShowing() const;
    // How far the panel has faded in, 0 to 1.
    float MessageRatio() const;

  private:
    void DrawMessage(float m) const;
};

extern std::shared_ptr<TGameFinishedScreen> GameFinishedScreen;
