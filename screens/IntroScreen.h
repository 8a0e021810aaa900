// The intro: a new player's first look at the story. A newspaper spins in
// and grows to full size, rises and fades over a layered night scene; the
// camera then pans and zooms through the scene's four layers towards the
// crypt, which begins to glow, and the game goes on to the level map. The
// intro music plays throughout and fades out with the last picture.
//
// Threading: the game's one thread; Logic once per logic step, Draw once per
// frame (drawing reads the timeline, never moves it). Outputs: pictures, the
// intro music and the click of a skip; the screen it leads to (Destination,
// the level map). Failure: a missing picture or sound is fatal as
// everywhere; with the intro switched off (Game->IntroShow 0) nothing is
// loaded and the screen fades straight on to the map.
//
// Life: Load (behind the loading picture) -> Start (1 s fade-in, music,
// timeline) -> phases 1 to 6 -> a 3 s fade-out with the music -> Kill. A
// click, Enter or Space at any time, a click during the fade-in, or Esc,
// skips to a short fade to the map.
#pragma once

#include <array>
#include <memory>

#include "frame/Screen.h"
#include "media/Animation.h"
#include "media/GameImage.h"
#include "media/Sound.h"

class TIntroScreen : public TScreen {
  public:
    static constexpr int LAYERS = 4;
    // The timeline's phases; phase 0 is empty.
    static constexpr int PHASE_SPIN = 1;    // the newspaper spins in
    static constexpr int PHASE_READ = 2;    // it rests at full size
    static constexpr int PHASE_RISE = 3;    // it grows and rises
    static constexpr int PHASE_REVEAL = 4;  // it fades over the still scene
    static constexpr int PHASE_TRAVEL = 5;  // the camera moves to the crypt
    static constexpr int PHASE_HOLD = 6;    // the crypt glows
    static constexpr int PHASE_ENDING = 7;  // reached: the intro ends
    static constexpr float PHASE_MS[] = {1000, 2000, 2500, 2700, 7000, 100, 10000};
    // The scene's top edge, and the black bands of the letterbox.
    static constexpr float SCENE_Y = 150;
    static constexpr float LETTERBOX = 150;
    // The crypt shows once the camera has travelled this far.
    static constexpr float CRYPT_FROM = 0.75f;

    TIntroScreen();

    // ---- fields, in declaration order ----
    TAnimationPtr Anim;  // the story timeline
    TGameSoundPtr ClickSound;
    // Layer 0 is the farthest, 3 the nearest.
    std::array<float, LAYERS> LayersBaseX{0, 0, 0, 0};
    std::array<float, LAYERS> LayersBaseY{150, 150, 150, 150};
    std::array<float, LAYERS> LayersBaseScale{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, LAYERS> LayersTravelX{-400, -740, -1100, -3200};
    std::array<float, LAYERS> LayersTravelY{20, 30, 60, 2200};
    std::array<float, LAYERS> LayersTravelScale{0.4f, 0.8f, 1.2f, 3.0f};

    // The pictures: the sky behind everything, the four layers (nearest
    // last), the newspaper (mid-handled) and the glowing crypt.
    TGameImagePtr Background, Newspaper, GlowingCrypt;
    std::array<TGameImagePtr, LAYERS> Layers;

    // ---- the screen's life ----
    void Load() override;
    void Start() override;
    void PostFadeIn() override;
    void Kill() override;
    void Logic() override;
    void Draw() override;
    int SetEscDestination() override;

    // ---- operations, in slot order ----
    // Stops the speech when asked.
    virtual void Close(int stopSpeech);
    // Fades out with the music to Destination: 3 s when slow, else short.
    virtual void FadeToDestination(int slow);
    virtual void FinishAnim();
    virtual void LoadAnim();
    virtual void ManageAnim();

    // ---- helpers of this platform ----
    // The elapsed fraction of the current phase, 0 to 1.
    float PhaseProgress() const;
    // Where the camera is on its way to the crypt: 0 at the start, 1 there.
    float TravelRatio() const;
    // How far the black bands above and below the scene have closed in.
    float LetterboxAlpha() const;

  private:
    void Skip();
    void DrawScene(float travel) const;
    void DrawNewspaper() const;
    static void DrawLetterbox(float alpha);
};

extern std::shared_ptr<TIntroScreen> IntroScreen;
