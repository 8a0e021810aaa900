// The level play screen: it builds the board of the player's level, slides
// the HUD and the board in, runs the play loop (board, time, HUD, sounds,
// automatic hints) and ends the level with the outro when every goal is met,
// or with "No More Moves" / "Time Up", after which the same level restarts.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "engine/Containers.h"
#include "engine/Graphics.h"
#include "frame/Screen.h"
#include "media/Animation.h"
#include "media/BitmapFont.h"
#include "media/GameImage.h"
#include "media/Sound.h"
#include "media/Sprite.h"
#include "ui/DialogKinds.h"

class TGameScreen : public TScreen {
  public:
    static constexpr int BIG_TEXT_OFFSET_X = 60;
    static constexpr int MENU_X = 0;
    static constexpr int GaugeX = 42;
    static constexpr int GaugeY = 466;
    // The gem colours the effects and the level-complete screen use.
    static inline std::array<TColorPtr, 7> ColorArray{};

    TGameScreen();

    float AutoHintCounter = 0;
    std::string BackgroundFileName;
    int Chapter = 0;
    int FadingIn = 0;
    int Goal1Done = 0, Goal2Done = 0, Goal3Done = 0, Goal4Done = 0;
    int GridSlideInSoundPlayed = 0, GridSlideOutSoundPlayed = 0;
    TBitmapFontPtr HUDFont;
    int HUDSliding = 0;
    int NoMore = 0;
    float NoMoreCounter = 0;
    int PlayShown = 0;
    int TimeUp = 0;
    TGameImagePtr PanelImage, HourglassImage, HourglassShadowImage, SandAnimImage;
    float GaugeParticleCounter = 0;
    int GaugeParticleCounterMax = 20;
    std::shared_ptr<TCounterList> GaugeFillDelay, GoldParticleDelay;
    float GaugeMax = 10;
    TSpritePtr Go, WellDone;
    TAnimationPtr IntroAnim, OutroAnim, SandAnim;
    int ShownMessage = 0;
    // The open story message, if any: while it shows, nothing else moves.
    TDialogOKPtr MessageDialog;
    TGameSoundPtr SoundGameOver, SoundLowTimeBeep, SoundNoMore, SoundTimeUp;
    int TriggerBomb = 0, TriggerBomb2 = 0, TriggerBonusAppears = 0, TriggerCoinDisappears = 0,
        TriggerCrossBomb = 0, TriggerCrossBomb2 = 0, TriggerCrossDiagBomb = 0,
        TriggerCrossDiagBomb2 = 0, TriggerDiagBomb = 0, TriggerDiagBomb2 = 0, TriggerEggDrop = 0,
        TriggerGoldBag = 0, TriggerGoldCoin = 0, TriggerHUDCharged = 0, TriggerHorizontalBomb = 0,
        TriggerHorizontalBomb2 = 0, TriggerMagic = 0, TriggerMatchOverArmour1 = 0,
        TriggerMatchOverArmour2 = 0, TriggerMegaBomb = 0, TriggerUnlock = 0, TriggerUnrock1 = 0,
        TriggerUnrock2 = 0, TriggerVerticalBomb = 0, TriggerVerticalBomb2 = 0;

    // The screen's life.
    void Load() override;
    void Start() override;
    void CoreStart() override;
    void PostFadeIn() override;
    void Kill() override;
    void Logic() override;
    void Draw() override;
    int SetEscDestination() override;
    void SpecificKeys() override;

    static void FillColorArray();
    virtual void ClearAll();
    virtual void ClearCounters();
    static void ClearParticles();
    virtual void ClearHint();
    virtual void ClearSoundTriggers();
    // A logic step despite its name: the sparkles of a full bonus gauge.
    virtual void DrawGaugeParticles();
    virtual void DrawGoals(float x);
    virtual void DrawHUD();
    virtual void DrawStatusText();
    virtual void DrawTimer(float x);
    // The first fill of a new level's board.
    virtual void FillGrid();
    virtual void GameStart();
    virtual int GetChapter();
    // The HUD's slide: 0 in place, 1 out of sight. Drawing reads it; the
    // logic places the Menu button and sets HUDSliding from it (PlaceHUD).
    virtual float GetIntroRatio() const;
    virtual float GetHUDX() const;
    virtual float GetIntroY() const;
    virtual int GetSubLevel();
    virtual void GoalDoneEffect(int goal);
    virtual void LoadBackground();
    virtual void LoadMusic();
    virtual void KillGameObjects();
    virtual void MakeTestGem(int x, int y, int type);
    virtual void ManageAutoHint();
    virtual void ManageHUDClicks();
    virtual void ManageHUDEffects();
    virtual void ManageIntroAnim();
    virtual int ManageNoMoreMovesAnim();
    virtual int ManageOutroAnim();
    virtual void ProcessSoundTriggers();
    virtual int Quit();  // 1 when the level ended as lost
    virtual void RestartLevel();
    virtual void SetGaugeEmpty();
    virtual void SetMenuCoords(float x);
    virtual void StartLevel();
    virtual void StartNoMoreMovesAnim();
    virtual int StartOutroAnim();  // 1 when the outro started
    virtual void StartTimeUpAnim();
    virtual void StopIntroAnim();
    virtual void StopOutroAnim();
    // The story message: one step of it while open; drops it when closed.
    virtual void ManageMessageDialog();
    virtual void KillMessageDialog();

    // ---- helpers of this platform ----
    // "LevelStart" and PlayShown: given once per intro.
    void LevelStartCue();
    bool IntroRunning() const { return IntroAnim && IntroAnim->Active; }
    bool OutroRunning() const { return OutroAnim && OutroAnim->Active; }
    // The value Logic returned last (0, 1 or -1).
    int LastLogicResult = 0;
    // While the board's frame is at rest, the background and the frame are
    // drawn once into a layer and then put back in one copy (off: drawn
    // every frame, as while they move).
    bool DrawStillInOneCopy = true;

  private:
    // The background and the board's frame, drawn in one copy while the
    // frame is at rest: StillKey says what the layer holds.
    struct StillKey {
        const TImage* background = nullptr;
        uint64_t frame = 0;
        bool operator==(const StillKey&) const = default;
    };
    TFrameLayer StillLayer;
    StillKey StillHeld;
    void DrawStill();
    void DrawBackgroundAndFrame();
    struct HUDSlide {
        float ratio;
        int sliding;
    };
    HUDSlide CalcHUDSlide() const;
    // From the logic: the Menu button follows the HUD, HUDSliding is set.
    void PlaceHUD();
    // From the logic: the scale and alpha of "Go" and "Well Done".
    void PoseBigText();
    void StartEndingSequence(int& flag, const TGameSoundPtr& sound);
    void SetBoardDrop(float drop);
    void DrawGoalRow(int row, float x, const TGameImagePtr& image, int frame, float scale,
                     int toGo);
    void FadeMusicTo(float ratio);
    int LogicSteps();
};

extern std::shared_ptr<TGameScreen> GameScreen;
