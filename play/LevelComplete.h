// The level-complete screen: an overlay of the level play screen, shown when
// a won level's outro ends. A dialog rises from below with the level's tally
// (score, time, time bonus and the level's gold), whose values count up once
// it is in place; the gold is banked and the profile saved as it arrives; a
// found-item message may follow; a click rolls the dialog away and leaves two
// buttons over the level's background: "Set as Wallpaper" and "Continue",
// which leads to the map, to the shop when it has news, or after the last
// level to the game-finished screen. Sparkles drift down over it all.
//
// Threading: the game's one thread. Outputs: the banked gold and the level's
// results in the player's profile file; "Hollowmere.bmp" in the shared data
// folder and the desktop's wallpaper when asked. Failure: missing pictures,
// fonts or sounds are fatal at loading; a wallpaper that cannot be written
// or set is reported to the player with the error dialog (the game goes on).
//
// Life: Load (with the level play screen) -> Show (Active 1: roll-in, saved
// when it ends, the count, perhaps the found-item message) -> a click or a
// key -> RollUp (Active 2: the buttons) -> Continue -> Close (fade-out to
// the next screen) -> Kill.
#pragma once

#include <memory>
#include <string>

#include "frame/Screen.h"
#include "media/Animation.h"
#include "media/BitmapFont.h"
#include "media/Sound.h"
#include "ui/DialogKinds.h"

class TParticle;

class TLevelCompleteScreen : public TScreen {
  public:
    // Active: what the screen shows.
    static constexpr int HIDDEN = 0;
    static constexpr int TALLY = 1;
    static constexpr int BUTTONS = 2;
    // SetWallpaperCounter: the steps of a wallpaper request.
    static constexpr int WALLPAPER_IDLE = 0;
    static constexpr int WALLPAPER_CLICKED = 1;
    static constexpr int WALLPAPER_DRAWN = 2;
    // The tally: ten rows, rows 3 and 7 empty.
    static constexpr int TALLY_ROWS = 10;
    // Labels wider than this push both columns to the right.
    static constexpr int LABEL_ROOM = 184;
    static constexpr int ROLL_MS = 300;
    // The count: each row runs for COUNT_MS, the next one starting
    // COUNT_STAGGER_MS after it.
    static constexpr int COUNT_MS = 600;
    static constexpr int COUNT_STAGGER_MS = 160;
    static constexpr int SPARKLES_AT_FULL_DETAIL = 80;
    // The particle layer that holds the sparkles while the screen shows.
    static constexpr int SPARKLE_LAYER = 3;

    TLevelCompleteScreen();

    // ---- fields, in declaration order ----
    int allowWallpaper = 0;
    TGameSoundPtr ActivateSound, DeactivateSound, ClickSound, MOSound;
    int Active = HIDDEN;
    int Chapter = 0, SubLevel = 0;
    int col1 = 0, col2 = 0;
    TDialogOKPtr DialogOK;
    TSineCounterPtr glow;
    int gap = 32;
    TBitmapFontPtr LabelFont, StatFont;
    int lines = 3, h = 0, w = 0;
    float MenuY = 0;
    int SetWallpaperCounter = WALLPAPER_IDLE;
    float StartY = 0;
    int StatOffsetX = 0;
    TAnimationPtr Unroll;
    int MessageLevel = 0;
    TDialogOKPtr CurrentMessage;
    int ShowedLevelEndMessage = 0;
    int ShowShopMessage = 0;  // the shop shows its news for the level when it opens
    // The level just won was played again: it pays no gold.
    int Replay = 0;
    // Steps since the dialog came to rest; the values count up by it.
    float TallyCounter = 0;

    // Set when the last level has been won; the game-finished screen follows.
    static inline int GameCompleted = 0;

    // ---- TScreen ----
    void Load() override;
    void Start() override;
    void Kill() override;
    void Logic() override;
    void Draw() override;
    int SetEscDestination() override;

    // ---- own operations, in slot order ----
    virtual std::string GetStringForIDX(int i);
    // The value of a row as it reads once counted.
    virtual std::string GetStatsStringForIDX(int i);
    virtual void CalcStatOffsetX();
    virtual void Close();
    // The dialog's distance below its resting place: the full offset hidden
    // below the screen, 0 in place.
    virtual float GetTopY();
    virtual void Hide();
    virtual void MakeSnowFlakes();
    virtual void MoveSnowFlakes();
    virtual void RollUp();
    virtual void SaveProfile();
    virtual void SetMenuY();
    virtual void SetupColumns();
    virtual void Show();

    // ---- the screen's own helpers ----
    // The value of a row as the count shows it now.
    std::string ShownStatsStringForIDX(int i);
    // How far row i has counted, 0 to 1 (1 for the empty rows).
    float CountRatio(int i);
    // Every row has counted to its value.
    bool CountDone();
    // Steps from the first row's start to the last row's end.
    static float CountLength();
    // The header: "Level XX Complete" with the number of the level just won.
    std::string HeaderText();
    // The screen that Continue leads to, as things stand.
    TScreenPtr NextScreen();
    // The wallpaper file: the shared data folder + "Hollowmere.bmp".
    static std::string WallpaperPath();
    // Writes the level's background as the wallpaper and hands it to the
    // desktop; the player hears how it went.
    void SetWallpaper();
    // Keeps one sparkle drifting: its sway about its centre, and the way
    // back in at the opposite edge once it leaves the screen.
    static void MoveSnowFlake(TParticle& flake);
    // How much of the sparkles' own alpha shows: rising from 0 with the
    // roll-in, falling back to 0 with the roll-up.
    float SparkleFade();

  private:
    // One step of each phase; 1 when the step ends there.
    int TallyLogic();
    int ButtonLogic();
    void RollInEnded();
    void RollUpEnded();
    // Counts the tally; a click or key while it counts shows the values at once.
    int CountLogic();
    // After a dialog closes: the menu forgets the clicks of its time.
    void SettleMenu();
    void DrawTally(float top);
    void DrawHeader(float top);
};

extern std::shared_ptr<TLevelCompleteScreen> LevelCompleteScreen;
