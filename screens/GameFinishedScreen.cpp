#include "screens/GameFinishedScreen.h"

#include "engine/Graphics.h"
#include "engine/Keys.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/LoadingScreen.h"
#include "frame/MousePointer.h"
#include "frame/Timing.h"
#include "media/Fonts.h"
#include "media/GameText.h"
#include "screens/CreditsScreen.h"
#include "screens/TitleScreen.h"
#include "ui/DialogBuilders.h"
#include "ui/Menu.h"

std::shared_ptr<TGameFinishedScreen> GameFinishedScreen = MakeScreen<TGameFinishedScreen>();

namespace {

constexpr float OK_DROP = 20;

std::string Text(const std::string& key) {
    return GameText ? GameText->FindString(key) : std::string();
}

}  // namespace

TGameFinishedScreen::TGameFinishedScreen() {
    name = "gamefinished";
}

// ---------------------------------------------------------------- arriving

void TGameFinishedScreen::Load() {
    name = "gamefinished";
    if (Game->LoadingScreen) Game->LoadingScreen->DrawLoading(1);
    // The dawn: the picture that remains.
    ImageLoad("Backgrounds/bg11.jpg", 0, 1);
    Game->MusicLoad("gameend.ogg", 1);
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    AddOKButton(*Menu)->MoveBy(0, OK_DROP);
    Menu->SetAlpha(0);
    Character = TGameImage::Create(Game->ImagePath + "Backgrounds/bg10.jpg", -1, 0);
    Character->Precache();
    CharacterFade = TAnimation::Create(DISSOLVE_MS);
    DelayTimer = TAnimation::Create(DELAY_MS);
    MessageFade = TAnimation::Create(MESSAGE_FADE_MS, 1);
    HOHOSound = TGameSound::Create(Game->SoundPath + "GameFinishedScreen/Scream.wav");
    HOHOSound->pitch = SCREAM_PITCH;
    MessageLabel = TLabel::CreateSpecial(Text("End Game Text"), static_cast<float>(ScreenWidth / 2),
                                         MESSAGE_Y, 1, MESSAGE_WIDTH, 0);
    MessageLabel->Init(nullptr, TColor::Create(255, 255, 255), nullptr, 0, GUIFontSmall);
    MessageLabel->CalcSize();
    MessageLabel->LineGap = MessageLabel->CalcLineGap() + MESSAGE_LINE_SPACING;
    MessageLabel->PreCalcWordWrap();
    MessageLabel->Alpha = 0;
}

void TGameFinishedScreen::Start() {
    TScreen::Start();
    Game->IgnoreEscapeKey = 1;
    CharacterFade->Start();
    PlaySound(HOHOSound, 1.0f, 0);
    Game->GameFade->Init(DefaultFadeLength, 0, nullptr, 0, 0, nullptr);
    Game->FixedRateLogic->Init();
}

void TGameFinishedScreen::PostFadeIn() {}

// ---------------------------------------------------------------- one step

bool TGameFinishedScreen::MessageShowing() const {
    return MessageFade && (MessageFade->Active || MessageFade->Finished);
}

float TGameFinishedScreen::MessageRatio() const {
    if (!MessageShowing()) return 0;
    return MessageFade->Finished ? 1.0f : MessageFade->GetRatioInv();
}

void TGameFinishedScreen::Logic() {
    if (CharacterFade->Manage() && !CharacterFade->Active) DelayTimer->Start();
    if (DelayTimer->Manage() && !DelayTimer->Active) {
        MessageFade->Start();
        Game->MusicPlay(1, 0, 0);
    }
    MessageFade->Manage();
    // What the next frame shows of the panel.
    const float m = MessageRatio();
    Menu->SetAlpha(m);
    MessageLabel->Alpha = m;
    if (!MessageShowing()) {
        // Before the end text shows, clicks and keys are used up unheard.
        KeyHit(Key::Escape);
        Game->Mouse->GetMh(1);
        FlushKeys();
        return;
    }
    TScreen::Logic();
    if (Game->GameFade->Active && Game->GameFade->Out) return;
    if (KeyHit(Key::Escape) || Game->Mouse->GetMh(1)) {
        if (TButtonPtr ok = Menu->FindButton("OK")) ok->SimulateClick();
        Close();
        return;
    }
    if (Menu->Clicked("OK")) Close();
}

void TGameFinishedScreen::Close() {
    Game->DestinationTScreen = CreditsScreen;
    Game->GameFade->Init(DefaultFadeLength, 1, nullptr, 0, 0, nullptr);
}

int TGameFinishedScreen::SetEscDestination() {
    Game->DestinationTScreen = TitleScreen;
    return TITLE_FADE_FACTOR * DefaultFadeLength;
}

// ---------------------------------------------------------------- one frame

void TGameFinishedScreen::Draw() {
    const DrawStateGuard restore;
    SetBlend(SOLIDBLEND);
    if (Image) DrawImage(*Image, 0, 0);
    SetBlend(ALPHABLEND);
    if (Character && Character->image && CharacterFade) {
        SetAlpha(CharacterFade->Active ? CharacterFade->GetRatio() : 0.0f);
        DrawImage(*Character->image, CHARACTER_X, CHARACTER_Y);
        SetAlpha(1);
    }
    if (MessageShowing()) DrawMessage(MessageRatio());
}

void TGameFinishedScreen::DrawMessage(float m) const {
    {
        const DrawStateGuard panel;
        SetColor(0, 0, 0);
        SetAlpha(PANEL_ALPHA * m);
        DrawRect(PANEL_MARGIN, PANEL_MARGIN, static_cast<float>(ScreenWidth - 2 * PANEL_MARGIN),
                 static_cast<float>(ScreenHeight - 2 * PANEL_MARGIN));
    }
    if (Menu) Menu->Draw(0, 0);
    if (MessageLabel) MessageLabel->Draw(0, 0, 1);
    if (DialogHeaderFont) {
        const DrawStateGuard header;
        const TColorPtr colour = HeaderColor();
        SetColor(colour->R, colour->G, colour->B);
        SetAlpha(m);
        DialogHeaderFont->DrawAligned(Text("End Game Header"), static_cast<float>(ScreenWidth / 2),
                                      HEADER_Y, 3);
    }
}

// ---------------------------------------------------------------- leaving

void TGameFinishedScreen::Kill() {
    TScreen::Kill();
    HOHOSound.reset();
    Character.reset();
    CharacterFade.reset();
    DelayTimer.reset();
    MessageFade.reset();
    MessageLabel.reset();
}
