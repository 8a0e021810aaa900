// The title screen's life and logic: loading its pictures and signs,
// finding the player, entering, the dialogs, the buttons and where they
// lead. The living scene (animations, sounds, drawing) is in
// TitleScene.cpp.
#include "screens/TitleScreen.h"

#include "engine/Keys.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/LoadingScreen.h"
#include "frame/MousePointer.h"
#include "frame/Profile.h"
#include "frame/Timing.h"
#include "media/Fonts.h"
#include "media/GameText.h"
#include "media/Particles.h"
#include "play/GameScreen.h"
#include "play/Instructions.h"
#include "play/Player.h"
#include "progress/MapScreen.h"
#include "progress/ProfileStore.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"
#include "screens/CreditsScreen.h"
#include "screens/GameFinishedScreen.h"
#include "screens/IntroScreen.h"
#include "screens/OptionsScreen.h"
#include "ui/DialogBuilders.h"
#include "ui/Menu.h"

std::shared_ptr<TTitleScreen> TitleScreen = MakeScreen<TTitleScreen>();

namespace {

// The welcome: its place, turn, colour and wrap, and how much tighter its
// two lines sit than the font's own line height.
constexpr float WELCOME_X = 450, WELCOME_Y = 614, WELCOME_ROTATION = 16;
constexpr int WELCOME_GREY = 200, WELCOME_WRAP = 160, WELCOME_LINE_TIGHTEN = 4;
// The Change Player caption is set in two lines this much tighter.
constexpr int CHANGE_PLAYER_LINE_TIGHTEN = 5, CHANGE_PLAYER_WRAP = 145;
constexpr float CHANGE_PLAYER_CAPTION_SCALE = 0.9f;
constexpr int MENU_GAP = 10;
// The first pumpkin is due once level 2 is open, the first coffin once
// level 4 is.
constexpr int PUMPKIN_DUE_AT = 2, COFFIN_DUE_AT = 4;

std::string Text(const std::string& key) {
    return GameText ? GameText->FindString(key) : std::string();
}

// One sign of the title: its picture, place and caption's look.
struct SignLayout {
    const char* image;
    const char* name;
    const char* captionKey;
    int captionWidth;
    float captionScale;
    float x, y;
    float captionDX, captionDY, rotation;
    float pressedDX, pressedDY;
};

const SignLayout kSigns[] = {
    {"buttonplay", "play", "Button Play", 104, 0.7f, 606, 549, 11, -3, 10, 7, 4},
    {"buttonchangeplayer", "changeplayer", "Button Change Player", 1000, 1.0f, 330, 644, 3, -1, 14,
     8, 3},
    {"buttonoptions", "titleoptions", "Button Options", 135, 1.0f, 848, 626, 2, 1, -12, 7, 3},
    {"buttonexit", "exit", "Button Exit", 80, 1.0f, 25, 558, -3, 4, -23, 7, 3},
};

void FadeOutTo(const TScreenPtr& destination, bool fadeMusic) {
    Game->DestinationTScreen = destination;
    Game->GameFade->Init(DefaultFadeLength, 1, fadeMusic ? Game->MusicChannel : nullptr, 1, 0,
                         nullptr);
}

}  // namespace

TTitleScreen::TTitleScreen() {
    name = "title";
}

// ---------------------------------------------------------------- loading

int TTitleScreen::LoadSpecial(int firstLoad, int loadMusic) {
    name = "title";
    if (!firstLoad && Game->LoadingScreen) Game->LoadingScreen->DrawLoading(1);
    if (loadMusic) Game->MusicLoad("title.ogg", 1);
    Game->FadeMusic = 1;
    LoadPictures();
    LoadMenu();
    WelcomeFont = GUIFontSmall;
    LabelFont = GUIFont;
    if (firstLoad) {
        // A fresh start: nothing of an earlier run's dialogs or welcome.
        DropDialogs();
        Welcome.reset();
        PromptForName();
    }
    return 0;
}

void TTitleScreen::LoadPictures() {
    auto load = [](const char* file) {
        return TGameImage::Create(Game->ImagePath + "TitleScreen/" + file, -1, 0);
    };
    logo = load("logo.png");
    BackgroundImage = load("background.png");
    CloudsImage = load("clouds.png");
    ForegroundImage = load("foreground.png");
    hand = load("hand.png");
    trTree = load("trTree.png");
    crowRight = load("crow_right.png");
    crowLeft = load("crow_left.png");
    crowBlink = load("crow_blink.png");
    crowCaw = load("crow_caw.png");
    lightning = load("lightning.png");
    eyesBlink = load("redeyeblink.png");
    // The tree sways about its bottom-right corner, where it leaves the frame.
    if (trTree->image)
        trTree->image->SetHandle(static_cast<float>(trTree->w), static_cast<float>(trTree->h));
    for (const TGameImagePtr& picture :
         {logo, BackgroundImage, CloudsImage, ForegroundImage, hand, trTree, crowRight, crowLeft,
          crowBlink, crowCaw, lightning, eyesBlink})
        picture->Precache();
}

void TTitleScreen::LoadMenu() {
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, MENU_GAP);
    for (const SignLayout& sign : kSigns) {
        TButtonPtr button = AddMenuButton(*Menu, sign.image, sign.name, sign.captionKey, 0, 0,
                                          sign.captionWidth, sign.captionScale);
        button->MoveTo(sign.x, sign.y);
        TLabel& caption = *button->Caption;
        caption.X += sign.captionDX;
        caption.Y += sign.captionDY;
        caption.Rotation = sign.rotation;
        button->CaptionDownOffsetX = sign.pressedDX;
        button->CaptionDownOffsetY = sign.pressedDY;
    }
    TButton& play = *Menu->FindButton("play");
    play.Caption->Color = TColor::Create(205, 154, 65);
    play.Caption->InverseColor = TColor::Create(225, 160, 72);
    play.CaptionDownColor = TColor::Create(175, 145, 55);
    play.OKButton = 1;
    TLabel& changePlayer = *Menu->FindButton("changeplayer")->Caption;
    changePlayer.Scale = CHANGE_PLAYER_CAPTION_SCALE;
    changePlayer.LineGap = static_cast<int>(
        (changePlayer.CalcLineGap() - CHANGE_PLAYER_LINE_TIGHTEN) * CHANGE_PLAYER_CAPTION_SCALE);
    changePlayer.WordWrap = CHANGE_PLAYER_WRAP;
    changePlayer.PreCalcWordWrap();
    Menu->Precache();
}

int TTitleScreen::PromptForName() {
    // The player the settings remember (or the first listed, when they
    // forgot). On a computer without players the name is asked for as the
    // title starts: an entry built behind the loading bar would take its
    // keys (Esc there leads out of the game).
    LoadRememberedProfile();
    return 0;
}

int TTitleScreen::SetupPrompt() {
    EnterName = CreateEnterNameDialog(0);
    return 0;
}

// ---------------------------------------------------------------- entering

void TTitleScreen::PreStart() {
    const int restartMusic = RestartMusicTest();
    if (Game->CurrentTScreen != Game->LoadingScreen) LoadSpecial(0, restartMusic);
    StartSpecial(restartMusic);
}

int TTitleScreen::RestartMusicTest() {
    const TScreenPtr& leaving = Game->CurrentTScreen;
    if (!leaving) return 0;
    // These screens play music of their own.
    return leaving == GameScreen || leaving == GameFinishedScreen || leaving == CreditsScreen ? 1
                                                                                              : 0;
}

int TTitleScreen::StartSpecial(int restartMusic) {
    TScreen::Start();
    if (restartMusic) Game->MusicPlay(1, 0, 0);
    if (!Game->CurrentProfile && !EnterName) SetupPrompt();
    if (EnterName) {
        EnterName->Start();
    } else {
        SetupWelcome();
    }
    if (Game->LoadingScreen) Game->LoadingScreen->LoadingY = ScreenHeight / 2;
    Game->IgnoreEscapeKey = 1;
    Game->GameFade->Init(DefaultFadeLength, 0, nullptr, 0, 0, nullptr);
    Game->FixedRateLogic->Init();
    return 0;
}

void TTitleScreen::PostFadeIn() {
    lightningTimer = -5;
    lightningChance = FIRST_LIGHTNING_CHANCE;
    crowCawTimer = -2.5f;
    crowChance = 100;
    creakTimer = 200;
    windTimer = 200;
}

int TTitleScreen::SetupWelcome() {
    if (!Game->CurrentProfile) return 0;
    Welcome = TLabel::CreateSpecial(Text("Welcome") + "\r\n" + Game->CurrentProfile->Name,
                                    WELCOME_X, WELCOME_Y, 3, 0, 0);
    Welcome->Scale = WelcomeFontScale;
    Welcome->Rotation = WELCOME_ROTATION;
    Welcome->Init(nullptr, TColor::Create(WELCOME_GREY, WELCOME_GREY, WELCOME_GREY, 1.0f), nullptr,
                  0, WelcomeFont, nullptr, "");
    Welcome->CalcSize();
    Welcome->LineGap = Welcome->CalcLineGap() - WELCOME_LINE_TIGHTEN;
    Welcome->WordWrap = WELCOME_WRAP;
    Welcome->PreCalcWordWrap();
    return 1;
}

// ---------------------------------------------------------------- one step

void TTitleScreen::Logic() {
    if (ManageDialogs() == 0) return;
    // Leaving: the scene lives on through the fade, the signs only glow out.
    const bool leaving = Game->GameFade->Active && Game->GameFade->Out;
    if (leaving) {
        Menu->ManageFixedGlowOnly();
    } else {
        TScreen::Logic();
    }
    cloudsX += CLOUD_SPEED * Delta;
    if (cloudsX > ScreenWidth) cloudsX -= static_cast<float>(ScreenWidth);
    if (!leaving && ManageButtons()) return;
    ManageAnimations();
    ParticleLayer(3).Move();
}

bool TTitleScreen::ManageButtons() {
    if (Menu->Clicked("changeplayer")) ShowPlayerManager();
    if (Menu->Clicked("play")) Play();
    if (Menu->Clicked("titleoptions")) {
        FadeOutTo(OptionsScreen, false);
        OptionsScreen->Destination = Self();
    }
    if (KeyHit('H') || Menu->Clicked("help")) OpenInstructions(Self());
    if (KeyHit(Key::Escape)) {
        if (TButtonPtr exit = Menu->FindButton("exit")) exit->SimulateClick();
        StartClose();
        return true;
    }
    if (Menu->Clicked("exit")) StartClose();
    return false;
}

void TTitleScreen::Play() {
    // Without a player (a dialog closed some other way) a name comes first.
    if (!Game->CurrentProfile) {
        SetupPrompt();
        return;
    }
    GameScreen->GameStart();
    BuyDueItems();
    if (Player->Unlocked == 1) {
        // A new player sees the intro first, with its own music.
        FadeOutTo(IntroScreen, true);
    } else {
        FadeOutTo(MapScreen, false);
    }
}

void TTitleScreen::BuyDueItems() {
    if (!SaveData) return;
    bool bought = false;
    if (SaveData->GetShopItemStatus(SHOP_PUMPKIN) != ShopItem::PURCHASED &&
        Player->Unlocked >= PUMPKIN_DUE_AT)
        bought |= SaveData->PurchaseItem(SHOP_PUMPKIN) != 0;
    if (SaveData->GetShopItemStatus(SHOP_FIRST_COFFIN) != ShopItem::PURCHASED &&
        Player->Unlocked >= COFFIN_DUE_AT)
        bought |= SaveData->PurchaseItem(SHOP_FIRST_COFFIN) != 0;
    // What was bought stays bought, whatever happens before the next save.
    if (bought) Game->CurrentProfile->Save();
}

int TTitleScreen::ShowPlayerManager() {
    PlayerManager = CreatePlayerManagerDialog();
    return 0;
}

int TTitleScreen::StartClose() {
    ExitDialog = CreateOldLadyYesNoDialog(Text("Game Exit"));
    return 0;
}

int TTitleScreen::Close() {
    FadeOutTo(Game->ExitScreen, true);
    return 0;
}

// ---------------------------------------------------------------- dialogs

bool TTitleScreen::DialogOpen() const {
    return (EnterName && EnterName->Active) || (PlayerManager && PlayerManager->Active) ||
           (ExitDialog && ExitDialog->Active);
}

int TTitleScreen::ManageDialogs() {
    if (ManageNameDialog() == 0) return 0;
    if (ManagePlayerManager() == 0) return 0;
    return ManageExitDialog();
}

int TTitleScreen::ManageNameDialog() {
    if (!EnterName) return 1;
    const int answer = EnterName->Manage();
    if (answer == TDialog::RESULT_OK) {
        SelectProfile(EnterName->TextInput->Text);
        SetupWelcome();
        EnterName->Kill();
        EnterName.reset();
        FlushAll();
    }
    if (answer != 0) Menu->ManageNoSound(0, 0);
    return EnterName && EnterName->Active ? 0 : 1;
}

int TTitleScreen::ManagePlayerManager() {
    if (!PlayerManager) return 1;
    if (PlayerManager->Manage() != 0) {
        PlayerManager->Kill();
        PlayerManager.reset();
        Menu->ClearStates();
        // The player chosen may be another.
        SetupWelcome();
        Menu->ManageNoSound(0, 0);
    }
    return PlayerManager && PlayerManager->Active ? 0 : 1;
}

int TTitleScreen::ManageExitDialog() {
    if (!ExitDialog) return 1;
    const int answer = ExitDialog->Manage();
    if (answer == 0) {
        Menu->ManageFixedGlowOnly();
        return 0;
    }
    ExitDialog->Kill();
    ExitDialog.reset();
    Menu->ClearStates();
    Menu->ManageNoSound(0, 0);
    if (answer == TDialog::RESULT_OK) Close();
    return 0;
}

// ---------------------------------------------------------------- leaving

void TTitleScreen::DropDialogs() {
    if (EnterName) EnterName->Kill();
    EnterName.reset();
    if (PlayerManager) PlayerManager->Kill();
    PlayerManager.reset();
    if (ExitDialog) ExitDialog->Kill();
    ExitDialog.reset();
}

void TTitleScreen::Kill() {
    TScreen::Kill();
    DropDialogs();
    Welcome.reset();
    for (TGameImagePtr* picture :
         {&logo, &BackgroundImage, &CloudsImage, &ForegroundImage, &hand, &trTree, &crowRight,
          &crowLeft, &crowBlink, &crowCaw, &lightning, &eyesBlink})
        picture->reset();
    TGameScreen::ClearParticles();
}
