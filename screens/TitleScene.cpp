// The title's living scene: the hand, the crow, the lightning and its
// thunder, the red eyes, the tree and the ambient sounds, rolled once per
// logic step; and the drawing of the whole screen, back to front.
#include <algorithm>
#include <cmath>

#include "engine/Graphics.h"
#include "engine/Random.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/Timing.h"
#include "media/Particles.h"
#include "media/Sound.h"
#include "screens/TitleScreen.h"
#include "ui/Menu.h"

namespace {

// The hand waves for 2 s, at least 4 s after its last wave ended, on a
// small circle at this speed (degrees a second) and radius.
constexpr float HAND_WAVE_SECONDS = 2, HAND_REST_SECONDS = 4;
constexpr float HAND_SPEED = 180, HAND_RADIUS = 2;
constexpr float HAND_X = 279, HAND_Y = 433;
// Each roll of a dice succeeds when it falls under this.
constexpr int DICE_HIT = 10;
constexpr int HAND_DICE = 5000, CROW_BLINK_DICE = 2000, CROW_LOOK_DICE = 3000;
constexpr int CROW_LATER_CHANCE = 4000, RED_EYE_DICE = 10000;
constexpr float CROW_CAW_SECONDS = 0.5f, CROW_BLINK_SECONDS = 0.2f, CROW_LOOK_SECONDS = 2;
constexpr float CROW_X = 832, CROW_Y = 372;
constexpr float LIGHTNING_SECONDS = 0.8f, LIGHTNING_REST_SECONDS = 5;
constexpr int FIRST_LIGHTNING_LEFT_OF_MIDDLE = 100;
constexpr float THUNDER_VOLUME = 0.5f, THUNDER_PITCH_SPREAD = 0.1f;
constexpr float RED_EYE_SECONDS = 0.5f, RED_EYE_REST_SECONDS = 3;
constexpr float EYES_X = 726, EYES_Y = 420;
constexpr float TREE_SPEED = 5, TREE_SWAY = 10, TREE_LEAN = -10, TREE_RIGHT_OVERHANG = 25;
// Creak and wind come every 1500 to 2000 steps (7.5 to 10 s).
constexpr int AMBIENT_MIN_STEPS = 1500, AMBIENT_MAX_STEPS = 2000;
constexpr float CROW_VOLUME = 0.8f, CROW_PAN = 0.5f;
constexpr float CREAK_VOLUME = 0.75f, CREAK_PAN = 0.8f;
constexpr float WIND_PITCH_SPREAD = 0.2f;
constexpr float LOGO_X = 15, LOGO_Y = 7;
constexpr float VERSION_SCALE = 0.6f, VERSION_RIGHT_MARGIN = 5, VERSION_Y = 4;

float SinDeg(float degrees) {
    return static_cast<float>(std::sin(degrees * M_PI / 180.0));
}
float CosDeg(float degrees) {
    return static_cast<float>(std::cos(degrees * M_PI / 180.0));
}

bool Rolled(int bound) {
    return RandInt(0, bound) < DICE_HIT;
}

float Pitch(float spread) {
    return 1.0f + static_cast<float>(Rnd(-spread, spread));
}

void DrawPicture(const TGameImagePtr& picture, float x, float y) {
    if (picture && picture->image) DrawImage(*picture->image, x, y);
}

}  // namespace

// ---------------------------------------------------------------- one step

int TTitleScreen::ManageAnimations() {
    const float seconds = Game->FixedRateLogic->MS / 1000.0f;
    const float weighted = seconds * Delta;
    ManageHand(seconds, weighted);
    ManageCrow(weighted);
    lightningTimer -= weighted;
    if (lightningTimer < -LIGHTNING_REST_SECONDS && Rolled(lightningChance)) {
        CreateLightning(lightningChance == FIRST_LIGHTNING_CHANCE ? 1 : 0);
        lightningChance = LIGHTNING_CHANCE;
    }
    redEyeBlinkTimer -= weighted;
    if (redEyeBlinkTimer < -RED_EYE_REST_SECONDS && Rolled(RED_EYE_DICE))
        redEyeBlinkTimer = RED_EYE_SECONDS;
    treeAngle += TREE_SPEED * weighted;
    ManageAmbientSounds();
    return 0;
}

void TTitleScreen::ManageHand(float seconds, float weighted) {
    handTimer -= weighted;
    if (handTimer > 0) {
        // Per step, not weighted: the wave keeps its pace in short frames.
        handAngle += HAND_SPEED * seconds;
    } else if (Rolled(HAND_DICE) && handTimer < -HAND_REST_SECONDS) {
        handTimer = HAND_WAVE_SECONDS;
    }
}

void TTitleScreen::ManageCrow(float weighted) {
    crowLookTimer -= weighted;
    crowBlinkTimer -= weighted;
    crowCawTimer -= weighted;
    // Only a crow that has been still long enough does something new.
    if (!(crowBlinkTimer < -2 && crowLookTimer < -2 && crowCawTimer < -3)) return;
    if (Rolled(crowChance)) {
        crowChance = CROW_LATER_CHANCE;
        crowCawTimer = CROW_CAW_SECONDS;
        PlaySound(SoundBank.Find("crow"), CROW_VOLUME, CROW_PAN);
    } else if (Rolled(CROW_BLINK_DICE)) {
        crowBlinkTimer = CROW_BLINK_SECONDS;
    } else if (Rolled(CROW_LOOK_DICE)) {
        crowLookTimer = CROW_LOOK_SECONDS;
    }
}

void TTitleScreen::ManageAmbientSounds() {
    creakTimer -= Delta;
    if (creakTimer <= 0) {
        PlaySound(SoundBank.Find("creak"), CREAK_VOLUME, CREAK_PAN);
        creakTimer = static_cast<float>(RandInt(AMBIENT_MIN_STEPS, AMBIENT_MAX_STEPS));
    }
    windTimer -= Delta;
    if (windTimer <= 0) {
        PlaySoundAtPitch(SoundBank.Find("wind"), Pitch(WIND_PITCH_SPREAD), 1.0f, 0);
        windTimer = static_cast<float>(RandInt(AMBIENT_MIN_STEPS, AMBIENT_MAX_STEPS));
    }
}

float TTitleScreen::ThunderPan(int x) const {
    const float h = lightning ? lightning->w2 : 0;
    return 2 * std::clamp((static_cast<float>(x) + h) / static_cast<float>(ScreenWidth), 0.0f,
                          1.0f) -
           1;
}

int TTitleScreen::CreateLightning(int first) {
    lightningTimer = LIGHTNING_SECONDS;
    const float h = lightning ? lightning->w2 : 0;
    if (first) {
        lightningX = ScreenWidth / 2 - FIRST_LIGHTNING_LEFT_OF_MIDDLE;
        lightningFlip = 0;
    } else {
        lightningX = RandInt(static_cast<int>(-h), static_cast<int>(ScreenWidth - h));
        lightningFlip = RandInt(0, 100) < 50 ? 1 : 0;
    }
    PlaySoundAtPitch(SoundBank.Find("lightning"), Pitch(THUNDER_PITCH_SPREAD), THUNDER_VOLUME,
                     ThunderPan(lightningX));
    return 0;
}

// ---------------------------------------------------------------- one frame

void TTitleScreen::Draw() {
    const DrawStateGuard restore;
    DrawScene();
    DrawCreatures();
    DrawOverlay();
}

void TTitleScreen::DrawScene() {
    SetBlend(SOLIDBLEND);
    DrawPicture(BackgroundImage, 0, 0);
    SetBlend(ALPHABLEND);
    DrawPicture(CloudsImage, cloudsX, 0);
    DrawPicture(CloudsImage, cloudsX - static_cast<float>(ScreenWidth), 0);
    if (lightningTimer > 0 && lightning) {
        const DrawStateGuard flash;
        SetAlpha(std::min(2 * lightningTimer, 1.0f));
        if (lightningFlip) {
            // Mirrored about its own strip: the same columns are covered.
            SetScale(-1, 1);
            DrawPicture(lightning, static_cast<float>(lightningX + lightning->w), 0);
        } else {
            DrawPicture(lightning, static_cast<float>(lightningX), 0);
        }
    }
    DrawPicture(ForegroundImage, 0, 0);
}

void TTitleScreen::DrawCreatures() {
    const TGameImagePtr& crow = crowBlinkTimer > 0  ? crowBlink
                                : crowLookTimer > 0 ? crowLeft
                                : crowCawTimer > 0  ? crowCaw
                                                    : crowRight;
    DrawPicture(crow, CROW_X, CROW_Y);
    if (trTree) {
        const DrawStateGuard sway;
        SetRotation(TREE_SWAY * SinDeg(3 * treeAngle) * SinDeg(5 * treeAngle) + TREE_LEAN);
        DrawPicture(trTree, static_cast<float>(ScreenWidth) + TREE_RIGHT_OVERHANG,
                    static_cast<float>(trTree->h));
    }
    DrawPicture(hand, HAND_X + HAND_RADIUS * SinDeg(handAngle),
                HAND_Y + HAND_RADIUS * CosDeg(handAngle));
    if (redEyeBlinkTimer > 0) DrawPicture(eyesBlink, EYES_X, EYES_Y);
}

void TTitleScreen::DrawOverlay() {
    if (Menu) Menu->Draw(0, 0);
    DrawPicture(logo, LOGO_X, LOGO_Y);
    if (LabelFont) {
        const DrawStateGuard text;
        SetColor(255, 255, 255);
        const double scale = LabelFont->ScaleFactor;
        LabelFont->ScaleFactor = VERSION_SCALE;
        LabelFont->DrawAligned("V" + Game->VersionNumber,
                               static_cast<float>(ScreenWidth) - VERSION_RIGHT_MARGIN, VERSION_Y,
                               2);
        LabelFont->ScaleFactor = scale;
    }
    DrawWelcome();
    if (EnterName) EnterName->Draw();
    if (PlayerManager) PlayerManager->Draw();
    if (ExitDialog) ExitDialog->Draw();
    if (!DialogOpen()) ParticleLayer(3).Draw();
}

int TTitleScreen::DrawWelcome() {
    if (Welcome) Welcome->Draw(0, 0, 1);
    return 0;
}
