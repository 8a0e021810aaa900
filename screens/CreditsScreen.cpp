#include "screens/CreditsScreen.h"

#include "engine/Graphics.h"
#include "engine/Keys.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/LoadingScreen.h"
#include "frame/MousePointer.h"
#include "media/Fonts.h"
#include "media/GameText.h"
#include "screens/GameFinishedScreen.h"
#include "screens/OptionsScreen.h"
#include "screens/TitleScreen.h"
#include "ui/Menu.h"

std::shared_ptr<TCreditsScreen> CreditsScreen = MakeScreen<TCreditsScreen>();

namespace {

constexpr float OK_DROP = 20;

}  // namespace

TCreditsScreen::TCreditsScreen() {
    name = "credits";
}

void TCreditsScreen::Load() {
    name = "credits";
    cameFrom_ = Game->LastTScreen;
    if (Game->LoadingScreen) Game->LoadingScreen->DrawLoading(1);
    ImageLoad("Backgrounds/bg6.jpg", 0, 1);
    // From the options the end music plays once; after the game-finished
    // screen its music plays on.
    if (FromOptions()) Game->MusicLoad("gameend.ogg", 0);
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    AddOKButton(*Menu)->MoveBy(0, OK_DROP);
    creditsFont = GUIFont;
    const std::string text = GameText ? GameText->FindString("credits") : std::string();
    const int lineGap =
        creditsFont ? static_cast<int>(creditsFont->StringHeight("ABC123") + LINE_SPACING) : 30;
    credits = TScrollingText::Create(text, creditsFont, static_cast<float>(ScreenWidth / 2),
                                     TEXT_TOP, LINES_ON_SCREEN, lineGap, TEXT_WIDTH, SCROLL_SPEED);
    credits->bodyColor = TColor::Create(218, 164, 69);
    credits->headerColor = TColor::Create(240, 240, 240);
}

void TCreditsScreen::Start() {
    TScreen::Start();
    if (FromOptions()) Game->MusicPlay(1, 0, 0);
    Game->IgnoreEscapeKey = 1;
    Game->GameFade->Init(DefaultFadeLength, 0, nullptr, 0, 0, nullptr);
}

void TCreditsScreen::Logic() {
    TScreen::Logic();
    if (credits) credits->Logic();
    // Leaving: the text scrolls on through the fade, nothing more is asked.
    if (Game->GameFade->Active && Game->GameFade->Out) return;
    if (KeyHit(Key::Escape) || Game->Mouse->GetMh(1)) {
        if (TButtonPtr ok = Menu->FindButton("OK")) ok->SimulateClick();
        Close();
        return;
    }
    if (Menu->Clicked("OK")) Close();
}

bool TCreditsScreen::FromOptions() const {
    return cameFrom_ && cameFrom_ == OptionsScreen;
}

bool TCreditsScreen::AfterGameFinished() const {
    return cameFrom_ && cameFrom_ == GameFinishedScreen;
}

void TCreditsScreen::Close() {
    if (AfterGameFinished()) {
        Game->DestinationTScreen = TitleScreen;
        Game->GameFade->Init(TITLE_FADE_FACTOR * DefaultFadeLength, 1, Game->MusicChannel, 0, 0,
                             nullptr);
    } else {
        // The options screen loads the music of where it returns to.
        Game->DestinationTScreen = OptionsScreen;
        Game->GameFade->Init(DefaultFadeLength, 1, Game->MusicChannel, 0, 0, nullptr);
    }
}

int TCreditsScreen::SetEscDestination() {
    Game->DestinationTScreen = OptionsScreen;
    return 0;
}

void TCreditsScreen::Draw() {
    const DrawStateGuard restore;
    SetBlend(SOLIDBLEND);
    if (Image) DrawImage(*Image, 0, 0);
    SetBlend(ALPHABLEND);
    if (credits) credits->Draw();
    if (Menu) Menu->Draw(0, 0);
}

void TCreditsScreen::Kill() {
    TScreen::Kill();
    if (credits) credits->Kill();
    credits.reset();
}
