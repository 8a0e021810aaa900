// The options: the music and sound volumes on two sliders, heard while they
// are dragged, and four switches: full screen, tutorial tips, wide screen
// and the game's own mouse pointer. OK (or Esc) goes back to the screen that
// sent the player here; Credits leads to the credits.
//
// Threading: the game's one thread; Logic once per logic step, Draw once per
// frame. Outputs: the volumes reach the mixer at once; the switches act at
// once (the display mode, the pointer, the tips switch of the progress
// record); leaving writes the settings file and saves the player's profile.
// Failure: missing pictures or sounds are fatal as everywhere; a full-screen
// switch the display refuses leaves the box showing the mode there is.
//
// Life: Destination set by the sender -> Load -> Start (fade-in) -> Logic /
// Draw -> Close (settings and profile saved) -> fade out -> Kill.
#pragma once

#include <memory>

#include "engine/Audio.h"
#include "frame/Screen.h"
#include "media/BitmapFont.h"
#include "ui/CheckBox.h"
#include "ui/Slider.h"

class TOptionsScreen : public TScreen {
  public:
    static constexpr int CENTRE_OFFSET_X = -11;
    static constexpr int CHECK_BOX_X = 592;
    static constexpr int CHECK_BOX_Y = 398;
    static constexpr int CHECK_BOX_GAP = 45;
    static constexpr int SLIDER_Y = 220;
    static constexpr int SLIDER_GAP = 95;
    static constexpr int SLIDER_WIDTH = 284;

    TOptionsScreen();

    // ---- fields ----
    ChannelPtr ChannelClick;  // the sound slider's sample, one at a time
    TBitmapFontPtr OptionsFont;
    TSliderPtr MusicSlider, SoundSlider;
    TCheckBoxPtr FullScreenCheckBox, TipsCheckBox, CustomCursorCheckBox, WidescreenCheckBox;
    // The keyboard's row, top to bottom: the two sliders, the four switches,
    // then the buttons (the menu's own focus).
    static constexpr int KEY_ROW_BUTTONS = 6;
    int KeyRow = KEY_ROW_BUTTONS;

    // ---- the screen's life ----
    void Load() override;
    void Start() override;
    void Kill() override;
    void Logic() override;
    void Draw() override;
    int SetEscDestination() override;

    // ---- operations, in slot order ----
    // The OK button's click in the private channel, unless it still plays.
    virtual void ClickSound();
    // Saves the settings and the profile and fades back to Destination.
    virtual void Close();

    // ---- helpers of this platform ----
    // The screen came here from the credits, which play music of their own.
    static bool CameFromCredits();
    // The left edge of the sliders and of the switches' labels.
    static int SliderX();

  private:
    void LoadMenu();
    void LoadCheckBoxes();
    void LoadSliders();
    void ManageSliders();
    void ManageCheckBoxes();
    // Up and Down choose the row; Left and Right move a slider; Enter and
    // Space flip a switch.
    void ManageKeys();
    void DrawKeyFocus();
    float FocusPulse = 0;
    void DrawLabels();
};

extern std::shared_ptr<TOptionsScreen> OptionsScreen;
