// The level-complete screen's life and logic: loading with the level play
// screen, showing, the tally phase (roll-in, saving, the count, the
// found-item message, roll-up), the button phase (wallpaper, Continue) and
// leaving.
#include "play/LevelComplete.h"

#include <algorithm>

#include "engine/Keys.h"
#include "frame/Bitmap.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/MousePointer.h"
#include "frame/Profile.h"
#include "frame/Timing.h"
#include "media/Fonts.h"
#include "media/Particles.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/LevelDialogs.h"
#include "progress/MapScreen.h"
#include "progress/SaveData.h"
#include "progress/ShopScreen.h"
#include "screens/GameFinishedScreen.h"
#include "ui/DialogBuilders.h"
#include "ui/Menu.h"

std::shared_ptr<TLevelCompleteScreen> LevelCompleteScreen = MakeScreen<TLevelCompleteScreen>();

namespace {

// The buttons' places: the first row (OK in the tally, the wallpaper
// button after it) and Continue below it, measured from the bottom edge.
constexpr int FIRST_ROW_FROM_BOTTOM = 194, CONTINUE_FROM_BOTTOM = 102;
constexpr int WALLPAPER_CAPTION_DROP = 9, CONTINUE_CAPTION_RISE = 1;
constexpr float GLOW_SPEED = 1.5f;

void SetActive(const TMenuPtr& menu, const std::string& name, int active) {
    if (!menu) return;
    if (TButtonPtr button = menu->FindButton(name)) button->Active = active;
}

// A key that ends a phase, read in this order.
bool LeaveKeyHit() {
    return KeyHit(Key::Enter) || KeyHit(Key::Space) || KeyHit(Key::Escape);
}

}  // namespace

TLevelCompleteScreen::TLevelCompleteScreen()
    : glow(TSineCounter::Create(0, 360, GLOW_SPEED, 0)), Unroll(std::make_shared<TAnimation>()) {
    name = "levelcomplete";
}

// ---------------------------------------------------------------- loading

void TLevelCompleteScreen::Load() {
    name = "levelcomplete";
    ImageLoad("Dialogs/level end dialog.png", 0, 1);
    Image->MidHandle();
    Game->FadeMusic = 1;
    Active = HIDDEN;

    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
    TButtonPtr ok = AddOKButton(*Menu);
    ok->AlwaysDraw = 1;
    ok->MoveTo(ok->x, static_cast<float>(ScreenHeight - FIRST_ROW_FROM_BOTTOM));
    ok->Active = 0;
    MenuY = ok->y;
    Menu->SetButtonCaptionRoundCoords(1, 0, 1);

    TButtonPtr wallpaper =
        AddMenuButton(*Menu, "ButtonLong", "Wallpaper", "Set Wallpaper Button", 0,
                      static_cast<float>(ScreenHeight - FIRST_ROW_FROM_BOTTOM));
    wallpaper->CentreX(wallpaper->y);
    if (wallpaper->Caption) wallpaper->Caption->Y += WALLPAPER_CAPTION_DROP;
    wallpaper->Active = 0;
    MenuY = wallpaper->y;
    allowWallpaper = 1;

    TButtonPtr next = AddMenuButton(*Menu, "In-Game Menu Button1", "Continue", "Continue", 0,
                                    static_cast<float>(ScreenHeight - CONTINUE_FROM_BOTTOM));
    next->CentreX(next->y);
    if (next->Caption) next->Caption->Y -= CONTINUE_CAPTION_RISE;
    next->Active = 0;

    LabelFont = StatFont = GUIFont;
    CalcStatOffsetX();
    glow = TSineCounter::Create(0, 360, GLOW_SPEED, 0);
    Unroll = TAnimation::Create(ROLL_MS, 0, 0, 0);
    ActivateSound = SoundBank.Find("SlideIn");
    DeactivateSound = SoundBank.Find("SlideOut");
    ClickSound = SoundBank.Find("buttonclick");
    MOSound = SoundBank.Find("ButtonMO");
    MessageLevel = Player->Level;
}

// ---------------------------------------------------------------- showing

void TLevelCompleteScreen::Show() {
    Active = TALLY;
    Menu->ManageNoSound(0, 0);
    Start();
    FlushAll();
    Game->Mouse->ClearButtons();
    Game->FixedRateLogic->Init();
    PlaySound(ActivateSound);
}

void TLevelCompleteScreen::Start() {
    Game->MusicLoad("levelend.ogg", 0);
    Game->MusicPlay(0, 0, 0);
    Chapter = GameScreen->GetChapter();
    SubLevel = GameScreen->GetSubLevel();
    // Both taken before the level's end moves the player on: the level won
    // (for its found-item message), and whether it paid gold (only the
    // newest open level does).
    MessageLevel = Player->Level;
    Replay = Player->Level != Player->Unlocked ? 1 : 0;
    Player->UpdateLevelEndData();
    SetupColumns();
    Unroll->Reverse = 0;
    Unroll->Counter = 0;
    Unroll->Start();
    SetMenuY();
    // The level's own effects give way to the sparkles.
    ParticleLayer(SPARKLE_LAYER).Clear();
    MakeSnowFlakes();
    ShowedLevelEndMessage = 0;
    ShowShopMessage = 0;
    SetWallpaperCounter = WALLPAPER_IDLE;
    TallyCounter = 0;
}

float TLevelCompleteScreen::GetTopY() {
    const int height = Image ? Image->Height() : 0;
    return (1 - Unroll->GetRatioInvSine()) * static_cast<float>(ScreenHeight / 2 + height / 2);
}

void TLevelCompleteScreen::SetMenuY() {
    Menu->SetY(MenuY + GetTopY());
}

void TLevelCompleteScreen::SetupColumns() {
    h = lines * gap;
    StartY = 201;
    col1 = (ScreenWidth - w) / 2 - 65 + 50;
    col2 = (ScreenWidth - w) / 2 - 35 + 50;
}

void TLevelCompleteScreen::CalcStatOffsetX() {
    StatOffsetX = 0;
    if (!LabelFont) return;
    double widest = 0;
    for (int i = 0; i < 8; ++i)
        widest = std::max(widest, LabelFont->StringWidth(GetStringForIDX(i)));
    const int width = static_cast<int>(widest);
    if (width > LABEL_ROOM) StatOffsetX = (width - LABEL_ROOM) / 2 + 10;
}

// ---------------------------------------------------------------- one step

void TLevelCompleteScreen::Logic() {
    if (Active == HIDDEN) return;
    MoveSnowFlakes();
    if (Active == TALLY) {
        TallyLogic();
    } else {
        ButtonLogic();
    }
}

void TLevelCompleteScreen::SettleMenu() {
    Menu->ClearStates();
    Menu->ManageNoSound(0, 0);
}

int TLevelCompleteScreen::TallyLogic() {
    if (!CurrentMessage) Menu->Manage(0, 0);
    if (Unroll->Manage() && !Unroll->Active) {
        if (Unroll->Reverse == 0) {
            RollInEnded();
        } else {
            RollUpEnded();
            return 1;
        }
    }
    SetMenuY();
    if (Unroll->Active) return 0;
    if (CurrentMessage) {
        ShowedLevelEndMessage = 1;
        if (CurrentMessage->Manage() != 0) {
            CurrentMessage->Kill();
            CurrentMessage.reset();
            SettleMenu();
        }
        if (CurrentMessage) return 0;
    }
    if (Menu->Clicked("OK")) {
        RollUp();
        return 0;
    }
    return CountLogic();
}

int TLevelCompleteScreen::CountLogic() {
    const bool asked = KeyHit(Key::Escape) || Game->Mouse->GetMh(1);
    if (!CountDone()) {
        const bool goldWasCounting = CountRatio(TALLY_ROWS - 1) < 1;
        TallyCounter += Delta;
        // A click or key while the values count shows them at once.
        if (asked) TallyCounter = CountLength();
        if (goldWasCounting && CountRatio(TALLY_ROWS - 1) >= 1 && Player->GetLevelGold() > 0)
            PlayNamedSound("coin", 0.7f);
        return 0;
    }
    if (asked) {
        if (TButtonPtr ok = Menu->FindButton("OK")) ok->SimulateClick();
        RollUp();
    }
    return 0;
}

void TLevelCompleteScreen::RollInEnded() {
    SaveProfile();
    CurrentMessage = LevelDialogs::GetPostLevelDialog(MessageLevel);
    SetActive(Menu, "OK", 1);
    Menu->SetButtonCaptionRoundCoords(1, 1, 1);
}

void TLevelCompleteScreen::RollUpEnded() {
    Active = BUTTONS;
    SetActive(Menu, "Wallpaper", allowWallpaper);
    SetActive(Menu, "Continue", 1);
    Menu->SetY(MenuY);
    if (TButtonPtr ok = Menu->FindButton("OK")) ok->AlwaysDraw = 0;
}

void TLevelCompleteScreen::RollUp() {
    Unroll->Reverse = 1;
    Unroll->Counter = 0;
    Unroll->Start();
    SetActive(Menu, "OK", 0);
    Menu->SetButtonCaptionRoundCoords(1, 0, 1);
    PlaySound(DeactivateSound);
}

int TLevelCompleteScreen::ButtonLogic() {
    if (DialogOK) {
        if (DialogOK->Manage() != 0) {
            DialogOK->Kill();
            DialogOK.reset();
            SettleMenu();
        }
        if (DialogOK) return 0;
    }
    // Leaving: the fade runs, nothing more is asked.
    if (Game->Fading()) return 0;
    Menu->Manage(0, 0);
    if (Menu->Clicked("Wallpaper")) {
        SetWallpaperCounter = WALLPAPER_CLICKED;
        return 0;
    }
    if (SetWallpaperCounter == WALLPAPER_DRAWN) {
        SetWallpaper();
        SetWallpaperCounter = WALLPAPER_IDLE;
        return 0;
    }
    // The pressed button is drawn once before the wallpaper is made.
    if (SetWallpaperCounter == WALLPAPER_CLICKED) return 0;
    glow->Manage();
    const bool clicked = Game->Mouse->GetMh(1) != 0;
    if (Menu->Clicked("Continue")) {
        Close();
        return 1;
    }
    if (clicked || LeaveKeyHit()) {
        if (TButtonPtr next = Menu->FindButton("Continue")) next->SimulateClick();
        Close();
        return 1;
    }
    return 0;
}

// ---------------------------------------------------------------- banking and saving

void TLevelCompleteScreen::SaveProfile() {
    if (Player->Level > Game->MaxLevels) {
        // The last level: the game starts again from the first, and this
        // level's gold stays unbanked.
        GameCompleted = 1;
        Player->ProfileGameOver(Game->CurrentProfile, 1);
        return;
    }
    GameCompleted = 0;
    // A replay's gold is always 0 (it earns none), so it banks nothing.
    if (SaveData) SaveData->CollectGold(Player->GetLevelGold());
    Player->WriteProfile(Game->CurrentProfile);
}

// ---------------------------------------------------------------- the wallpaper

std::string TLevelCompleteScreen::WallpaperPath() {
    return Game->SubPath + "Hollowmere.bmp";
}

void TLevelCompleteScreen::SetWallpaper() {
    const std::string path = WallpaperPath();
    const bool written = SaveImageAsBitmap(Game->ImagePath + GameScreen->BackgroundFileName, path);
    DialogOK = HandWallpaperToDesktop(path, written);
    // The time spent writing and asking the desktop does not count.
    Game->FixedRateLogic->Init();
}

// ---------------------------------------------------------------- leaving

TScreenPtr TLevelCompleteScreen::NextScreen() {
    if (GameCompleted) return GameFinishedScreen;
    // Both are asked: the shop's news is taken (and its flag set) even when
    // a found-item message already sends the player there.
    const int shopNews = LevelDialogs::HasShopLevelDialog(Player->Level);
    if (shopNews) ShowShopMessage = 1;
    if (ShowedLevelEndMessage || shopNews) return ShopScreen;
    return MapScreen;
}

void TLevelCompleteScreen::Close() {
    // After the last level the game-finished screen leads through the
    // credits to the title, whose Play reads the player back from the
    // profile (the first level current again).
    Game->DestinationTScreen = NextScreen();
    Game->GameFade->Init(DefaultFadeLength, 1, Game->MusicChannel, 1, 0, nullptr);
}

int TLevelCompleteScreen::SetEscDestination() {
    Game->DestinationTScreen =
        GameCompleted ? TScreenPtr(GameFinishedScreen) : TScreenPtr(MapScreen);
    return 0;
}

void TLevelCompleteScreen::Hide() {
    FlushAll();
    Active = HIDDEN;
}

void TLevelCompleteScreen::Kill() {
    TScreen::Kill();
    if (CurrentMessage) CurrentMessage->Kill();
    if (DialogOK) DialogOK->Kill();
    CurrentMessage.reset();
    DialogOK.reset();
    Unroll = std::make_shared<TAnimation>();
    ActivateSound.reset();
    DeactivateSound.reset();
    ClickSound.reset();
    MOSound.reset();
    Active = HIDDEN;
}
