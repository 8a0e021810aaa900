// The title screen: a living night scene (drifting clouds, lightning with
// thunder panned to the flash, a swaying tree, a crow that blinks, looks
// aside and caws, red eyes in a doorway, a waving hand, wind and creaks at
// random intervals) under the logo, the version, the welcome with the
// player's name and the four signs: Play, Change Player, Options, Exit. It
// asks a new computer's first player for a name, opens the player manager
// and confirms leaving the game.
//
// Threading: the game's one thread; Logic once per logic step, Draw once per
// frame (drawing reads, every timer and roll is in the logic). Outputs: the
// current player (chosen, created or loaded from the settings), the two
// automatic purchases of Play in the progress record, the ambient sounds
// through the channel pool, and the screens it leads to. Failure: a missing
// picture or sound is fatal as everywhere; without a current player the
// welcome is not drawn and Play asks for a name first.
//
// Life: LoadSpecial(1, 0) once behind the loading bar (which also loads the
// remembered player or opens the name entry) -> the loading screen fades
// here -> StartSpecial -> PostFadeIn (the first flash comes at once) ->
// Logic / Draw, at most one dialog open at a time -> a fade out to the map,
// the options or the end of the program -> Kill (pictures released); every
// later return runs PreStart, which loads them again.
#pragma once

#include <memory>

#include "frame/Screen.h"
#include "media/BitmapFont.h"
#include "media/GameImage.h"
#include "media/Label.h"
#include "ui/DialogKinds.h"
#include "ui/DialogPlayerManager.h"
#include "ui/DialogTextInput.h"

class TTitleScreen : public TScreen {
  public:
    static constexpr float CLOUD_SPEED = 0.1f;  // pixels per logic step
    // The upper bound of the lightning dice that marks the first flash after
    // a fade-in, and the bound of every later one.
    static constexpr int FIRST_LIGHTNING_CHANCE = 10;
    static constexpr int LIGHTNING_CHANCE = 5000;

    TTitleScreen();

    // ---- fields, with their values at creation ----
    float cloudsX = 0;
    TDialogTextInputPtr EnterName;
    TDialogYesNoPtr ExitDialog;
    TBitmapFontPtr LabelFont;
    TPlayerManagerPtr PlayerManager;
    TBitmapFontPtr WelcomeFont;
    TLabelPtr Welcome;
    float WelcomeFontScale = 0.9f;
    TGameImagePtr BackgroundImage, CloudsImage, ForegroundImage;
    TGameImagePtr hand;
    float handTimer = -2;  // seconds; > 0 while the hand waves
    float handAngle = 0;   // degrees
    TGameImagePtr lightning;
    TGameImagePtr eyesBlink;
    TGameImagePtr trTree;
    float treeAngle = 0;
    float creakTimer = 0, windTimer = 0;  // logic steps until the next sound
    TGameImagePtr crowRight, crowLeft, crowBlink, crowCaw;
    TGameImagePtr logo;
    float crowBlinkTimer = -0.5f;  // seconds; > 0 while the crow blinks
    float crowLookTimer = -1;      // seconds; > 0 while it looks left
    float crowCawTimer = -2.5f;    // seconds; > 0 while it caws
    int crowChance = 100;
    float lightningTimer = -0.75f;  // seconds; > 0 while a flash shows
    int lightningChance = FIRST_LIGHTNING_CHANCE;
    int lightningX = 0;
    int lightningFlip = 0;  // 1: the flash is drawn mirrored
    float redEyeBlinkTimer = -2;

    // ---- the screen's life ----
    void PreStart() override;
    void PostFadeIn() override;
    void Kill() override;
    void Logic() override;
    void Draw() override;

    // ---- operations, in slot order ----
    // Fades out, the music with it, to the end of the program.
    virtual int Close();
    // A flash with its thunder; the first after a fade-in left of the
    // middle, the later ones anywhere, mirrored half of the time.
    virtual int CreateLightning(int first);
    virtual int DrawWelcome();
    // The pictures, the signs and the fonts (behind the loading picture
    // unless firstLoad); the title music when loadMusic. The first load
    // also finds the player (PromptForName).
    virtual int LoadSpecial(int firstLoad, int loadMusic);
    virtual int ManageAnimations();
    // 1 when no dialog needs this step, else 0 (the step ends there).
    virtual int ManageDialogs();
    // The player the settings remember; on a computer without players the
    // name entry opens as the title starts.
    virtual int PromptForName();
    // 1 when the screen being left played music of its own.
    virtual int RestartMusicTest();
    virtual int SetupPrompt();
    // 0 without a current player, else 1 (the label made anew).
    virtual int SetupWelcome();
    virtual int ShowPlayerManager();
    // Opens the exit confirmation.
    virtual int StartClose();
    virtual int StartSpecial(int restartMusic);

    // ---- helpers of this platform ----
    // The thunder's pan for a flash whose left edge is at x: -1 at the left
    // edge of the screen, +1 at the right.
    float ThunderPan(int x) const;
    // Some dialog of the title is open (or still closing).
    bool DialogOpen() const;

  private:
    void LoadPictures();
    void LoadMenu();
    // The buttons' answers of one step; true when the step ends there.
    bool ManageButtons();
    void Play();
    // Play's two purchases: the first pumpkin and the first coffin, when
    // they are due and the gold allows.
    void BuyDueItems();
    void DropDialogs();
    int ManageNameDialog();
    int ManagePlayerManager();
    int ManageExitDialog();
    void ManageHand(float seconds, float weighted);
    void ManageCrow(float weighted);
    void ManageAmbientSounds();
    void DrawScene();
    void DrawCreatures();
    void DrawOverlay();
};

extern std::shared_ptr<TTitleScreen> TitleScreen;
