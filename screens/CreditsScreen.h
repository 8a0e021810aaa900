// The credits: the text of "credits" scrolling upwards in a loop over a
// night background, headers in white and names in gold, with an OK button.
// Reached from the options screen (the end music plays once, and OK goes
// back there) or after the game-finished screen (its music plays on, and OK
// goes on to the title screen with a longer fade).
//
// Threading: the game's one thread; Logic once per logic step, Draw once per
// frame. Outputs: pictures, the end music when coming from the options, and
// the screen it leads to. Failure: a missing picture, font or sound is
// fatal as everywhere; a missing text scrolls empty lines.
//
// Life: Load (behind the loading picture) -> Start (fade-in) -> Logic /
// Draw, the text looping without end -> OK, Esc or any click -> Close
// (fade-out to where the player came from) -> Kill.
#pragma once

#include <memory>

#include "frame/Screen.h"
#include "media/BitmapFont.h"
#include "screens/ScrollingText.h"

class TCreditsScreen : public TScreen {
  public:
    static constexpr int LINES_ON_SCREEN = 15;
    static constexpr int TEXT_TOP = 100;
    static constexpr int TEXT_WIDTH = 450;
    static constexpr float SCROLL_SPEED = 0.3f;  // pixels per logic step
    // Added to the font's height of "ABC123" for the gap from line to line.
    static constexpr int LINE_SPACING = 6;
    // A return to the title after the game-finished screen fades this many
    // short fades.
    static constexpr int TITLE_FADE_FACTOR = 3;

    TCreditsScreen();

    // ---- fields, in declaration order ----
    TScrollingTextPtr credits;
    TBitmapFontPtr creditsFont;

    // ---- the screen's life ----
    void Load() override;
    void Start() override;
    void Kill() override;
    void Logic() override;
    void Draw() override;
    int SetEscDestination() override;

    // ---- operations, in slot order ----
    // Fades out to the title after the game-finished screen, else back to
    // the options screen.
    virtual void Close();

    // ---- helpers of this platform ----
    // The screen the player came from (set as it loads): the options
    // screen, or the game-finished screen.
    const TScreenPtr& CameFrom() const { return cameFrom_; }

  private:
    TScreenPtr cameFrom_;
    bool FromOptions() const;
    bool AfterGameFinished() const;
};

extern std::shared_ptr<TCreditsScreen> CreditsScreen;
