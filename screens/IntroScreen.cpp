// The intro screen: loading its pictures and music, the timeline, the ways
// to skip it, and the drawing of the newspaper and the night scene.
#include "screens/IntroScreen.h"

#include "engine/Graphics.h"
#include "engine/Keys.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/LoadingScreen.h"
#include "frame/MousePointer.h"
#include "frame/Timing.h"

std::shared_ptr<TIntroScreen> IntroScreen = MakeScreen<TIntroScreen>();

namespace {

// The newspaper: its centre, its size while spinning in, how much it grows
// and how far it rises before the scene shows, and its turns.
constexpr float PAPER_DX = 20, PAPER_DY = 100;
constexpr float PAPER_START_SCALE = 1.74f;
constexpr float PAPER_GROWTH = 0.34f;
constexpr float PAPER_RISE = 335;
constexpr float PAPER_TURN = 720;  // degrees: twice round
// A slow ending's fade lasts this many short fades.
constexpr int SLOW_FADE_FACTOR = 10;
constexpr int FADE_IN_MS = 1000;

void DrawPicture(const TGameImagePtr& picture, float x, float y) {
    if (picture && picture->image) DrawImage(*picture->image, x, y);
}

}  // namespace

TIntroScreen::TIntroScreen() {
    name = "intro";
}

// ---------------------------------------------------------------- arriving

void TIntroScreen::Load() {
    name = "intro";
    Game->Mouse->Off();
    SetBlend(ALPHABLEND);
    if (Game->LoadingScreen) Game->LoadingScreen->DrawLoading(1);
    if (Game->IntroShow) LoadAnim();
}

void TIntroScreen::LoadAnim() {
    Game->MusicLoad("intro.ogg", 1);
    ClickSound = SoundBank.Find("Buttonclick");
    Game->FixedRateLogic->Init();
    auto load = [](const char* file, int midHandle) {
        TGameImagePtr picture =
            TGameImage::Create(Game->ImagePath + "Intro/" + file, -1, midHandle);
        picture->Precache();
        return picture;
    };
    Background = load("background.png", 0);
    Layers = {load("layer4.png", 0), load("layer3.png", 0), load("layer2.png", 0),
              load("layer1.png", 0)};
    Newspaper = load("newspaper.png", 1);
    GlowingCrypt = load("Glowing Crypt.png", 0);
    Anim = TAnimation::Create(0);
    for (float ms : PHASE_MS)
        Anim->AddPhase(ms);
}

void TIntroScreen::Start() {
    TScreen::Start();
    if (Game->IntroShow) {
        Game->Mouse->Off();
        Game->MusicPlay(0, 0, 0);
        Game->GameFade->Init(FADE_IN_MS, 0, nullptr, 1, 0, nullptr);
        Anim->Start();
    } else {
        Close(0);
        FadeToDestination(0);
    }
    Game->FixedRateLogic->Init();
}

void TIntroScreen::PostFadeIn() {
    // A click or key during the fade-in skips the whole intro.
    if (Game->GameFade->FadeInAborted) Skip();
}

// ---------------------------------------------------------------- one step

void TIntroScreen::Logic() {
    TScreen::Logic();
    // Leaving: the last picture stays while the fade runs.
    if (Game->GameFade->Active && Game->GameFade->Out) return;
    if (Game->Mouse->GetMh(1) || KeyHit(Key::Enter) || KeyHit(Key::Space)) {
        Skip();
        return;
    }
    ManageAnim();
}

void TIntroScreen::Skip() {
    PlaySound(ClickSound);
    Close(1);
    FadeToDestination(0);
}

void TIntroScreen::ManageAnim() {
    if (!Anim) return;
    if (Anim->CurrentPhase >= PHASE_ENDING) {
        FinishAnim();
        return;
    }
    if (Anim->Manage() && !Anim->Active) FinishAnim();
}

void TIntroScreen::FinishAnim() {
    Close(0);
    FadeToDestination(1);
}

void TIntroScreen::Close(int stopSpeech) {
    if (stopSpeech) Game->SpeechStop();
}

void TIntroScreen::FadeToDestination(int slow) {
    Game->DestinationTScreen = Destination;
    const int length = slow ? SLOW_FADE_FACTOR * DefaultFadeLength : DefaultFadeLength;
    Game->GameFade->Init(length, 1, Game->MusicChannel, 0, 0, nullptr);
    Game->GameFade->Manage();
    Game->ScreenChange();
}

int TIntroScreen::SetEscDestination() {
    Close(1);
    Game->FadeMusic = 1;
    Game->DestinationTScreen = Destination;
    return 0;
}

// ---------------------------------------------------------------- reading the timeline

float TIntroScreen::PhaseProgress() const {
    return Anim ? Anim->GetRatioInv() : 0.0f;
}

float TIntroScreen::TravelRatio() const {
    if (!Anim || Anim->CurrentPhase < PHASE_TRAVEL) return 0;
    if (Anim->CurrentPhase > PHASE_TRAVEL) return 1;
    return Anim->GetRatioInvSine();
}

// ---------------------------------------------------------------- one frame

void TIntroScreen::Draw() {
    const DrawStateGuard restore;
    SetClsColor(0, 0, 0);
    Cls();
    SetBlend(ALPHABLEND);
    const int phase = Anim ? Anim->CurrentPhase : 0;
    if (phase >= PHASE_REVEAL) DrawScene(TravelRatio());
    DrawNewspaper();
    DrawLetterbox(LetterboxAlpha());
}

float TIntroScreen::LetterboxAlpha() const {
    // The newspaper at rest is taller than the space between the bands: the
    // bands close in over black as it rises, before the scene shows.
    const int phase = Anim && Anim->Active ? Anim->CurrentPhase : 0;
    if (phase < PHASE_RISE) return 0;
    if (phase == PHASE_RISE) return PhaseProgress();
    return 1;
}

void TIntroScreen::DrawScene(float travel) const {
    DrawPicture(Background, 0, SCENE_Y);
    for (int i = 0; i < LAYERS; ++i) {
        const DrawStateGuard layer;
        const float scale = LayersBaseScale[i] + LayersTravelScale[i] * travel;
        const float x = LayersBaseX[i] + LayersTravelX[i] * travel;
        const float y = LayersBaseY[i] + LayersTravelY[i] * travel;
        SetScale(scale, scale);
        DrawPicture(Layers[i], x, y);
        if (i == 0 && travel > CRYPT_FROM) {
            SetAlpha((travel - CRYPT_FROM) * 4);
            DrawPicture(GlowingCrypt, x, y);
        }
    }
}

void TIntroScreen::DrawNewspaper() const {
    if (!Newspaper) return;
    const DrawStateGuard paper;
    const float x = static_cast<float>(ScreenWidth / 2) + PAPER_DX;
    const float centreY = static_cast<float>(ScreenHeight / 2);
    const int phase = Anim && Anim->Active ? Anim->CurrentPhase : 0;
    const float u = PhaseProgress();
    float y = centreY + PAPER_DY, scale = 1, rotation = 0, alpha = 1;
    switch (phase) {
        case 0:
            y = centreY;
            scale = PAPER_START_SCALE;
            break;
        case PHASE_SPIN:
            rotation = PAPER_TURN * u;
            scale = PAPER_START_SCALE - (PAPER_START_SCALE - 1) * u;
            break;
        case PHASE_READ:
            break;
        case PHASE_RISE:
            scale = 1 + PAPER_GROWTH * u;
            y -= PAPER_RISE * u;
            break;
        case PHASE_REVEAL:
            scale = 1 + PAPER_GROWTH;
            y -= PAPER_RISE;
            alpha = 1 - u;
            break;
        default:
            return;
    }
    SetTransform(rotation, scale, scale);
    SetAlpha(alpha);
    DrawPicture(Newspaper, x, y);
}

void TIntroScreen::DrawLetterbox(float alpha) {
    if (alpha <= 0) return;
    SetTransform(0, 1, 1);
    SetAlpha(alpha);
    SetColor(0, 0, 0);
    DrawRect(0, 0, static_cast<float>(ScreenWidth), LETTERBOX);
    DrawRect(0, static_cast<float>(ScreenHeight) - LETTERBOX, static_cast<float>(ScreenWidth),
             LETTERBOX);
    SetColor(255, 255, 255);
    SetAlpha(1);
}

// ---------------------------------------------------------------- leaving

void TIntroScreen::Kill() {
    TScreen::Kill();
    ClickSound.reset();
    Background.reset();
    Newspaper.reset();
    GlowingCrypt.reset();
    for (TGameImagePtr& layer : Layers)
        layer.reset();
    Anim.reset();
}
