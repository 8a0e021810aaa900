#include "play/InGameMenu.h"

#include "board/Grid.h"
#include "engine/Graphics.h"
#include "engine/Input.h"
#include "engine/Keys.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/MousePointer.h"
#include "frame/Profile.h"
#include "frame/Timing.h"
#include "media/Fonts.h"
#include "media/GameText.h"
#include "play/GameScreen.h"
#include "play/Instructions.h"
#include "play/LevelComplete.h"
#include "progress/MapScreen.h"
#include "screens/OptionsScreen.h"
#include "ui/DialogBuilders.h"
#include "ui/Menu.h"

std::shared_ptr<TInGameMenu> InGameMenu = MakeScreen<TInGameMenu>();

namespace {

struct MenuEntry {
    const char* name;
    const char* captionKey;
};
constexpr MenuEntry kButtons[] = {{"resume", "Button resume"},
                                  {"restart", "Button restart"},
                                  {"options", "Button options"},
                                  {"help", "Button Instructions"},
                                  {"saveandexit", "Button save and exit"}};
const char* const kButtonImage = "In-Game Menu Button1";
const char* const kPanel = "Dialogs/InGameMenu.png";
constexpr int kCaptionWidth = 220;
constexpr int kFirstButtonY = 500, kButtonGap = 95;
// The buttons sit this far below the middle of the screen.
constexpr int kMenuDrop = 30;
// "Paused" on the panel's plaque, and the width it is fitted to.
constexpr int kHeaderY = 109;
constexpr float kHeaderScale = 0.75f;
constexpr float kHeaderWidth = 314;

std::string Text(const std::string& key) {
    return GameText ? GameText->FindString(key) : std::string();
}

}  // namespace

TInGameMenu::TInGameMenu() {
    name = "in-game menu";
}

void TInGameMenu::Load() {
    name = "in-game menu";
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 5);
    Menu->ChangeShadow(0, 0, 0, 0);
    int y = kFirstButtonY;
    for (const MenuEntry& entry : kButtons) {
        TButtonPtr button = AddMenuButton(*Menu, kButtonImage, entry.name, entry.captionKey,
                                          static_cast<float>(ScreenWidth / 2),
                                          static_cast<float>(y), kCaptionWidth, 1.0f);
        button->SetBoundingBoxAuto(1.0f, 0.85f);
        y += kButtonGap;
    }
    Menu->FindButton("resume")->OKButton = 1;
    Menu->SetButtonCaptionRoundCoords(0, 0, 0);
    Menu->Centre();
    Menu->SetY(Menu->y + kMenuDrop);
    MenuY = Menu->y;
    Menu->Precache();
    ActivateSound = SoundBank.Find("buttonclick");
    ImageLoad(kPanel, 0, 1);
    Image->MidHandle();
    FadeIn = TAnimation::Create(SLIDE_MS);
    FadeOut = TAnimation::Create(SLIDE_MS);
    Active = 0;
    Game->UserSuspendFunction = [] {
        if (InGameMenu) InGameMenu->OpenOnFocusLoss();
    };
}

void TInGameMenu::Kill() {
    TScreen::Kill();
    ActivateSound.reset();
    DeactivateSound.reset();
    FadeIn.reset();
    FadeOut.reset();
    Active = 0;
    RestartFlag = 0;
    Game->UserSuspendFunction = nullptr;
}

int TInGameMenu::PanelHeight() const {
    return Image ? Image->Height() : 0;
}

void TInGameMenu::ClearStates() {
    if (Menu) Menu->ClearStates();
}

void TInGameMenu::OpenOnFocusLoss() {
    if (Active || !Menu || Game->CurrentTScreen != GameScreen || Game->Fading()) return;
    if (GameScreen->OutroRunning() || LevelCompleteScreen->Active || !Grid) return;
    Show(0);
    Grid->TogglePointer(2);
}

// ---------------------------------------------------------------- sliding

void TInGameMenu::Show(int playSound) {
    if (!Menu || !FadeIn) return;
    Active = 1;
    FlushAll();
    Menu->ClearStates();
    Menu->ManageNoSound(0, 0);
    RestartFlag = 0;
    MouseState = Game->Mouse->Active;
    Game->Mouse->On();
    if (playSound) PlaySound(ActivateSound, 1.0f);
    PlayNamedSound("SlideIn", 1.0f);
    FadeIn->Counter = 0;
    FadeIn->Start();
    Menu->SetButtonCaptionRoundCoords(0, 1, 0);
    SetMenuY();
}

void TInGameMenu::Hide() {
    if (!Menu || !FadeIn || !FadeOut) return;
    if (!MouseState) Game->Mouse->Off();
    PlayNamedSound("SlideOut", 1.0f);
    // A panel still sliding in turns back from where it is.
    const float covered = FadeIn->Length[0] - (FadeIn->Active ? FadeIn->Counter : 0);
    FadeOut->Counter = std::max(covered, 0.001f);
    FadeOut->Start();
    FadeIn->Stop();
    Menu->SetButtonCaptionRoundCoords(0, 1, 0);
    FlushAll();
}

float TInGameMenu::GetRatio() const {
    if (FadeOut && FadeOut->Active) return FadeOut->GetRatioSine();
    if (FadeIn && FadeIn->Active) return FadeIn->GetRatioInvSine();
    return 1;
}

float TInGameMenu::GetTopY() const {
    return (1 - GetRatio()) * static_cast<float>(ScreenHeight / 2 + PanelHeight() / 2);
}

void TInGameMenu::SetMenuY() {
    if (Menu) Menu->SetY(MenuY + GetTopY());
}

// ---------------------------------------------------------------- one step

int TInGameMenu::LogicResult() {
    if (!Menu || !FadeIn || !FadeOut) return 1;
    if (Active) {
        FadeIn->Manage();
        if (FadeOut->Active && FadeOut->Manage() && !FadeOut->Active) {
            if (GameScreen->Menu) GameScreen->Menu->ClearStates();
            Active = 0;
            if (RestartFlag) GameScreen->RestartLevel();
            RestartFlag = 0;
            return 0;
        }
        SetMenuY();
        if (!FadeIn->Active && !FadeOut->Active) {
            Menu->SetButtonCaptionRoundCoords(1, 0, 0);
            TScreen::Logic();
        }
    }
    if (FadeOut->Active) return 0;
    int result = 1;
    if (KeyHit(Key::Escape) && !GameScreen->OutroRunning()) {
        if (!Active) {
            if (GameScreen->Menu)
                if (TButtonPtr button = GameScreen->Menu->FindButton("Menu"))
                    button->SimulateClick();
            Show(1);
            result = 2;
        } else {
            if (TButtonPtr button = Menu->FindButton("resume")) button->SimulateClick();
            Hide();
            result = 3;
        }
    }
    if (Active) ManageButtons(result);
    return result;
}

void TInGameMenu::ManageButtons(int& result) {
    if (Menu->Clicked("resume")) {
        Hide();
        result = 3;
    }
    if (Menu->Clicked("restart")) {
        Hide();
        RestartFlag = 1;
    }
    if (Menu->Clicked("options")) Visit(OptionsScreen);
    if (Menu->Clicked("help")) Visit(InstructionsScreen);
    if (Menu->Clicked("saveandexit")) SaveAndExit();
}

void TInGameMenu::Visit(const TScreenPtr& screen) {
    if (!screen || Game->Fading()) return;
    Game->DestinationTScreen = screen;
    Game->GameFade->Init(DefaultFadeLength, 1, nullptr, 1, 0, nullptr);
    GameScreen->StopKill = 1;
    GameScreen->StopInit = 1;
    screen->Destination = GameScreen;
}

void TInGameMenu::SaveAndExit() {
    if (Game->Fading()) return;
    // The level is given up: its score and gold are not booked; what the
    // player owns and has set (gold, items, charges, options) is saved.
    Game->DestinationTScreen = MapScreen;
    Game->GameFade->Init(DefaultFadeLength, 1, Game->MusicChannel, 1, 0, nullptr);
    if (Game->CurrentProfile) Game->CurrentProfile->Save();
}

// ---------------------------------------------------------------- drawing

void TInGameMenu::Draw() {
    if (!Active || !Image) return;
    const DrawStateGuard restore;
    SetBlend(ALPHABLEND);
    float veil = VEIL_ALPHA;
    if (FadeIn && FadeIn->Active) veil *= FadeIn->GetRatioInvSine();
    if (FadeOut && FadeOut->Active) veil *= FadeOut->GetRatioSine();
    SetColor(0, 0, 0);
    SetAlpha(veil);
    DrawRect(0, 0, static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight));
    SetColor(255, 255, 255);
    SetAlpha(1);
    const float top = GetTopY();
    DrawImage(*Image, static_cast<float>(ScreenWidth / 2),
              static_cast<float>(ScreenHeight / 2) + top, 0);
    if (DialogHeaderFont) {
        const DrawStateGuard restoreText;
        const std::string header = Text("Paused");
        const float fit = static_cast<float>(
            DialogHeaderFont->CalcReducedScale(header, kHeaderWidth / kHeaderScale));
        const TColorPtr colour = HeaderColor();
        SetColor(colour->R, colour->G, colour->B);
        SetScale(kHeaderScale * fit, kHeaderScale * fit);
        DialogHeaderFont->DrawAligned(header, static_cast<float>(ScreenWidth / 2),
                                      top + static_cast<float>(kHeaderY), 3, 1, 0);
    }
    Menu->Draw(0, 0);
}
