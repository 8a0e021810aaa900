// The level map: the story's long picture with a dot for each of the 100
// levels along its path. The player scrolls it (pointer near an edge, wheel,
// page keys), points at a dot to read its level number, picks an open level
// (a click, or Space / Enter for the current one), and the map zooms into
// that dot and leads to the level play screen. It also switches timed play
// on and off and leads to the shop and back to the title.
//
// Without a mouse (MapKeys.cpp): the keys' focus starts on the current
// level's dot; Left and Right walk it along the path over the open dots (the
// view following it), Enter, Space or the controller's A start the focused
// level as a click on its dot does, Down and Up go between the dots and the
// controls along the bottom, Tab visits them all in turn. The focus shows
// after a key or controller input and hides when the mouse moves.
//
// Threading: the game's one thread; Logic once per logic step, Draw once per
// frame (drawing reads, the logic places the map, the zoom included).
// Outputs: the chosen level in the player record and the timed switch in the
// progress record, both saved in the player's profile when a level is chosen
// and when the map is left; its sounds and the title music. Failure: missing
// pictures or sounds are fatal as everywhere; a player record pointing
// outside the open levels is brought onto a dot that exists.
//
// Life: Load -> Start (fade-in, then the slide from the top of the map down
// to the current level) -> browsing -> a level chosen (the replay notice
// first, once per profile, when it is not the newest level) -> the zoom ->
// the fade to the level; or Back / Esc / the shop button -> a fade out.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "frame/Screen.h"
#include "media/Animation.h"
#include "media/GameImage.h"
#include "media/Sound.h"
#include "ui/CheckBox.h"
#include "ui/DialogKinds.h"
#include "ui/Repeat.h"

class TMapScreen : public TScreen {
  public:
    static constexpr int LEVEL_X_OFFSET = -139;
    static constexpr int LEVEL_Y = 689;
    static constexpr int CHECKBOX_X = 614;
    static constexpr int CHECKBOX_Y = 684;
    static constexpr int Y_SCROLL_PAD = 10;
    // How far from its centre a dot answers the pointer, across and down.
    static constexpr int SPECIAL_DOT_REACH = 20;
    static constexpr int DOT_REACH = 17;
    // Edge scrolling: the band along each edge, and the speed at the edge
    // itself (pixels per step), falling to 0 at the band's inner side.
    static constexpr int EDGE_BAND = 60;
    static constexpr float EDGE_SPEED = 2.0f;
    // The wheel moves the map this far per notch, the page keys this far
    // per press.
    static constexpr int WHEEL_STEP = 80;
    static constexpr int PAGE_STEP = 300;
    // The profile's one-time hint that marks the replay notice as shown.
    static constexpr int REPLAY_HINT = 80;
    // The levels whose dots are the big ones: the first of each chapter and
    // the last level.
    static constexpr std::array<int, 11> SPECIAL_LEVELS = {1,  4,  9,  17, 27, 37,
                                                           47, 59, 72, 86, 100};

    TMapScreen();

    // ---- fields ----
    TGameImagePtr GoldBox;
    TGameImagePtr Locked, LockedSpecial;
    TGameImagePtr Unlocked, UnlockedMO, UnlockedSpecial, UnlockedSpecialMO;
    TGameImagePtr BottomPanel, TopPanel;
    TGameSoundPtr Invalid, ZoomInSound, ZoomOut;
    float Angle = 0;  // degrees: the pulse of the current level's dot
    int ClickedIndex = -1;
    std::vector<TAccuratePoint> Coords;  // dot centres in map pixels
    TSineCounterPtr Glow, Glow2;
    int LastMOIndex = -1;  // the dot whose number shows: the one pointed at, else the current
    int LastX = 0, LastY = 0;
    int Level = 1;
    int MOIndex = -1;  // the dot under the pointer, -1 for none
    float Scale = 1;
    float ScrollX = 0, ScrollY = 0;  // the picture's top-left corner on screen (0 or less)
    TCheckBoxPtr TimedCheckBox;
    int YOffset = 0;
    TAnimationPtr Zoom;
    int ZoomIn = 1;  // 0 once a level is chosen: the zoom into its dot
    TAnimationPtr SlideIn;
    float SlideInYDist = 0;
    TDialogOKPtr ReplayDialog;
    int ScrollYMin = 0;  // ScrollY goes no higher than this

    // ---- the keys' focus (MapKeys.cpp) ----
    // Where the focus stands: on a dot or on a control along the bottom.
    enum class KeyStop { Dot, Shop, Back, Timed, Play };
    KeyStop KeyPlace = KeyStop::Dot;
    int KeyDot = 0;  // the dot (index) the focus is on, or goes back to from the controls
    // The view glides until the focused dot is centred (or as near as the
    // picture allows): it came near the panels.
    int FollowKeyDot = 0;
    float FocusPulse = 0;  // the focus ring's pulse, 0..360

    // ---- the screen's life ----
    void Load() override;
    void Start() override;
    void PostFadeIn() override;
    void Kill() override;
    void Logic() override;
    void Draw() override;
    int SetEscDestination() override;

    // ---- operations ----
    virtual float CalcScale();
    // The scroll position of the zoom's present moment (a logic step here).
    virtual void CalcScrollCoords();
    // Hover and clicks on the dots.
    virtual void CheckLevelDots();
    virtual int CheckSpecialLevel(int index);
    // Saves the profile and leaves for the title.
    virtual void Close();
    virtual void CreateCoords();
    virtual void DrawDot(int index, int currentPass);
    virtual void DrawLockedDot(int index, float x, float y);
    virtual void DrawShadowDot(int index, const TGameImagePtr& normalImage,
                               const TGameImagePtr& specialImage, float x, float y);
    virtual void DrawUnLockedDot(int index, float x, float y);
    virtual void FillCoords();
    virtual void KillCoords();
    // Makes the level the player's, saves the profile and starts the zoom
    // (after the replay notice, when one is due).
    virtual void LevelSelected(int level);
    virtual void ClampScrollPosition();
    // Centres the current level and starts the slide down to it.
    virtual void SetClampAndPosition();
    virtual void CalcScrollYMin();

    // ---- helpers of this platform ----
    int DotCount() const { return static_cast<int>(Coords.size()); }
    // A level chosen: the zoom runs (or waits behind the replay notice).
    bool Zooming() const { return ZoomIn == 0; }
    // The level of a 1-based number is open to the player.
    static bool LevelOpen(int level);
    // The picture's size (0 before Load).
    int PictureWidth() const;
    int PictureHeight() const;
    // The dot the keys' focus shows on now, -1 for none (hidden, on the
    // controls, or a level already chosen).
    int ShownKeyDot() const;
    // The focus shows on this control.
    bool KeyFocusOn(KeyStop stop) const;

  private:
    int LastWheel = 0;  // the pointer's wheel position at the last step

    void LoadMenu();
    void ManageReplayDialog();
    void ManageZoom();
    void ManageSlideIn();
    void Browse();
    void ScrollByEdges();
    void ScrollByWheelAndKeys();
    // Space / Enter, Esc and the buttons.
    void ManageKeysAndButtons();
    void ChooseCurrentLevel();
    // What a click on an open dot does.
    void ChooseDot(int index);
    void GoToShop();
    void ManageLeavingGlows();
    void DrawLabels();
    void DrawGold();

    // ---- the keys' focus (MapKeys.cpp) ----
    TKeyRepeatPtr WalkRepeats[2];  // Left, Right held
    int KeySeen = 0;               // the focus showed on the step before
    // One step of the focus keys, before the menu reads its own.
    void ManageKeyFocus();
    void WalkKeyDot(int step, bool pressed);
    void MoveKeyPlace(KeyStop to);
    // The next open dot from index that way along the path, or -1.
    int NextOpenDot(int index, int step) const;
    // The view follows the focused dot once it comes near the panels.
    void FollowIfOutOfSight();
    void GlideToKeyDot();
    void DrawDotFocus();
    void DrawTimedFocus();
};

extern std::shared_ptr<TMapScreen> MapScreen;
