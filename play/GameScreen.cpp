#include "play/GameScreen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "board/Grid.h"
#include "board/Powerups.h"
#include "engine/Graphics.h"
#include "engine/Keys.h"
#include "engine/Random.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/LoadingScreen.h"
#include "frame/MousePointer.h"
#include "frame/Navigation.h"
#include "frame/Timing.h"
#include "media/Effects.h"
#include "media/Fonts.h"
#include "media/GameText.h"
#include "play/InGameMenu.h"
#include "play/LevelComplete.h"
#include "play/Player.h"
#include "play/Tutorial.h"
#include "progress/LevelDialogs.h"
#include "progress/SaveData.h"
#include "screens/TitleScreen.h"
#include "ui/Menu.h"

std::shared_ptr<TGameScreen> GameScreen = MakeScreen<TGameScreen>();

namespace {

constexpr float kIntroMs = 3500, kHudInEndsMs = 2500, kDropEndsMs = 1000;
constexpr float kOutroMs = 4500, kOutroMusicFadeEndsMs = 3500, kBoardFallsMs = 2500,
                kWellDoneMs = 1500;
constexpr float kFailureMs = 4000, kFailureFadeMs = 1000;
constexpr float kAutoHintMs = 15000, kSandLoopMs = 700;
constexpr int kLabelR = 226, kLabelG = 184, kLabelB = 99;
constexpr int kValueR = 240, kValueG = 240, kValueB = 240;
// The goal rows of the HUD (1 to 4): row 1 centred at y 437, one every 60
// pixels. A row takes the clicks from half a gap above its centre to half a
// gap below, from the screen's left edge to x 126.
constexpr int kGoalRows = 4, kFirstGoalRowY = 437, kGoalRowGap = 60, kGoalRowsRight = 126;
constexpr int kGoalRowsTop = kFirstGoalRowY - kGoalRowGap / 2;

constexpr float GoalRowY(int row) {
    return static_cast<float>(kFirstGoalRowY + (row - 1) * kGoalRowGap);
}

float L(float ms) {
    return Game->CalcAnimLength(ms);
}
float SinDeg(double degrees) {
    return static_cast<float>(std::sin(degrees * M_PI / 180.0));
}
// The ease used by every slide of this screen: sin(90 sin(90 p)).
float Ease(float p) {
    return SinDeg(90 * SinDeg(90 * p));
}

std::string Text(const std::string& key) {
    return GameText ? GameText->FindString(key) : std::string();
}

bool CtrlHeld() {
    return KeyDown(Key::LeftCtrl) || KeyDown(Key::RightCtrl);
}

}  // namespace

TGameScreen::TGameScreen()
    : GaugeFillDelay(std::make_shared<TCounterList>()),
      GoldParticleDelay(std::make_shared<TCounterList>()),
      IntroAnim(std::make_shared<TAnimation>()),
      OutroAnim(std::make_shared<TAnimation>()),
      SandAnim(std::make_shared<TAnimation>()) {
    name = "game";
}

void TGameScreen::FillColorArray() {
    const int rgb[7][3] = {{255, 59, 9},   {255, 174, 8},  {252, 215, 13}, {76, 222, 4},
                           {15, 227, 255}, {66, 132, 255}, {154, 118, 255}};
    for (int i = 0; i < 7; ++i)
        ColorArray[i] = TColor::Create(rgb[i][0], rgb[i][1], rgb[i][2], 1.0f);
}

// ---------------------------------------------------------------- entering and leaving

void TGameScreen::Load() {
    name = "game";
    if (TLoadingScreen* loading = Game->LoadingScreen.get()) {
        loading->LoadingY = ScreenHeight / 2;
        loading->DrawLoading(1);
    }
    LoadBackground();
    LoadMusic();
    Game->FadeMusic = 1;
    IntroAnim = TAnimation::Create(kIntroMs, 0, 0, 0);
    OutroAnim = TAnimation::Create(kOutroMs, 1, 0, 0);
    SandAnim = TAnimation::Create(kSandLoopMs, 1, 0, 1);
    Go = TSprite::CreateFromFile("BigText/Play", ScreenWidth / 2.0f, ScreenHeight / 2.0f, 1, -1);
    WellDone =
        TSprite::CreateFromFile("BigText/WellDone", ScreenWidth / 2.0f, ScreenHeight / 2.0f, 1, -1);
    SoundNoMore = SoundBank.Find("NoMoreMoves");
    SoundTimeUp = SoundBank.Find("TimeUp");
    SoundLowTimeBeep = SoundBank.Find("LowTimeBeep");
    SoundGameOver = SoundBank.Find("EchoPop");
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
    // The arrows and Enter belong to the board; Escape and Start open the menu.
    Menu->FocusKeys = 0;
    TButtonPtr button = Menu->AddQuick("Menu");
    button->NoSound = 1;
    button->LoadMouseClick("MenuDown", 350);
    button->SetFixedGlowOnMO(0.2f, 0.005f, 0);
    SetupMenuButtonCaption(*button, Text("Button Menu"), 0, 1.0f, 0, 0);
    if (button->Caption) button->Caption->Y += 1;
    SetMenuCoords(0);
    Menu->Precache();
    InGameMenu->Load();
    LevelCompleteScreen->Load();
    HUDFont = GUIFontSmall;
    PanelImage = ImageBank.Find("Panel");
    Tutorial->SetImages();
    PanelImage->Precache();
    if (SaveData->timer != 0) {
        HourglassImage = ImageBank.Find("HourglassAnim");
        HourglassShadowImage = ImageBank.Find("HourglassShadow");
        SandAnimImage = ImageBank.Find("SandAnim");
        for (const TGameImagePtr& image : {HourglassImage, HourglassShadowImage, SandAnimImage})
            image->Precache();
    }
    ImageBank.Precache();
}

void TGameScreen::LoadBackground() {
    const int level = Player->Level;
    Chapter = (level - 1) / 5 + 1;
    const int firsts[] = {1, 4, 9, 17, 27, 37, 47, 59, 72, 86};
    int background = 1;
    for (int i = 0; i < 10; ++i)
        if (level >= firsts[i]) background = i + 1;
    BackgroundFileName = "Backgrounds/bg" + std::to_string(background) + ".jpg";
    ImageLoad(BackgroundFileName, 0, 1);
}

void TGameScreen::LoadMusic() {
    Game->MusicLoad("level" + std::to_string(GetSubLevel()) + ".ogg", 1);
}

int TGameScreen::GetChapter() {
    return (Player->Level - 1) / 5 + 1;
}
int TGameScreen::GetSubLevel() {
    return (Player->Level - 1) % 5 + 1;
}

void TGameScreen::Start() {
    TScreen::Start();
    Nav::SetPadContext([] {
        Nav::PadContext context;
        const bool here = GameScreen && Game->CurrentTScreen == GameScreen;
        const bool ending = LevelCompleteScreen && LevelCompleteScreen->Active;
        context.boardTakesB =
            here && !ending && !(InGameMenu && InGameMenu->Active) && !GameScreen->MessageDialog;
        context.startIsEscape = here && !ending;
        return context;
    });
    Game->MusicPlay(0, 0, 0);
    FadingIn = 1;
    StartLevel();
    Grid->topY = static_cast<float>(ScreenHeight);
    Game->FixedRateLogic->Init();
    Game->GameFade->Init(DefaultFadeLength, 0, nullptr, 0, 0, nullptr);
    for (const THUDPowerupPtr& powerup : HUDPowerups)
        powerup->SetIntroY(static_cast<float>(ScreenHeight));
    // The screen is drawn while it fades in, before its logic runs.
    PlaceHUD();
}

void TGameScreen::PostFadeIn() {
    FadingIn = 0;
}

void TGameScreen::CoreStart() {
    TScreen::CoreStart();
    Game->IgnoreEscapeKey = 1;
    ResetStops();
    InGameMenu->ClearStates();
    if (InGameMenu->Active) {
        Game->GameFade->Init(DefaultFadeLength, 0, nullptr, 0, 0, nullptr);
        if (GemList) GemList->SetShadow();
    }
    Game->FixedRateLogic->Init();
    PlaceHUD();
}

int TGameScreen::SetEscDestination() {
    Game->DestinationTScreen = TitleScreen;
    return 0;
}

void TGameScreen::Kill() {
    TScreen::Kill();
    StillLayer.Drop();
    IntroAnim = std::make_shared<TAnimation>();
    OutroAnim = std::make_shared<TAnimation>();
    SandAnim = std::make_shared<TAnimation>();
    Go.reset();
    WellDone.reset();
    InGameMenu->Kill();
    LevelCompleteScreen->Kill();
    KillGameObjects();
    ClearParticles();
}

void TGameScreen::GameStart() {
    Player->Load();
    Player->ReadProfile(Game->CurrentProfile, 0);
}

// ---------------------------------------------------------------- a level

void TGameScreen::StartLevel() {
    Player->InitNewLevelStats();
    Grid = TGameGrid::Create();
    Grid->Init();
    Grid->LoadLevel(Player->Level);
    FillGridUntilPlayable();
    Game->FixedRateLogic->Init();
    Grid->RestorePointer();
    ClearAll();
    GemList->SortAll();
    IntroAnim->Start();
    ShownMessage = 0;
    for (const THUDPowerupPtr& powerup : HUDPowerups)
        powerup->Reset();
}

void TGameScreen::RestartLevel() {
    KillGameObjects();
    StartLevel();
    PostFadeIn();
    if (Menu) Menu->ClearMouseClick();
    if (Menu && !Menu->IsEmpty()) {
        // A level restarted during its outro (the R key) gets its Menu button back.
        Menu->First()->Active = 1;
        Menu->First()->AlwaysDraw = 0;
    }
}

void TGameScreen::ManageMessageDialog() {
    if (!MessageDialog || MessageDialog->Manage() == 0) return;
    KillMessageDialog();
    Menu->ClearStates();
    Menu->ManageNoSound(0, 0);
}

void TGameScreen::KillMessageDialog() {
    if (MessageDialog) MessageDialog->Kill();
    MessageDialog.reset();
}

void TGameScreen::KillGameObjects() {
    KillMessageDialog();
    if (Grid) Grid->Kill();
    Grid.reset();
    if (GemList) GemList->Clear();
    GemList.reset();
    Tutorial->Kill();
}

void TGameScreen::ClearAll() {
    Grid->DiagonalMoves = 0;
    Grid->BonusPower = 1;
    HUDSliding = PlayShown = 0;
    Goal1Done = Goal2Done = Goal3Done = Goal4Done = 0;
    GridSlideInSoundPlayed = GridSlideOutSoundPlayed = 0;
    ClearCounters();
    ClearParticles();
    ClearSoundTriggers();
    Tutorial->Clear();
}

void TGameScreen::ClearCounters() {
    IntroAnim->Clear();
    OutroAnim->Clear();
    GaugeFillDelay->Clear();
    GoldParticleDelay->Clear();
    ClearHint();
    NoMoreCounter = 0;
    NoMore = TimeUp = 0;
}

void TGameScreen::ClearParticles() {
    ClearParticleLayers();
}
void TGameScreen::ClearHint() {
    AutoHintCounter = 0;
}

void TGameScreen::MakeTestGem(int x, int y, int type) {
    TCell* cell = CellAt(x, y);
    if (!cell || !GemList) return;
    if (cell->Gem) GemList->RemoveGem(cell->Gem);
    TGemPtr gem = TGem::Make(x, y, type, 0);
    GemList->InsertGem(gem);
    cell->Gem = gem;
}

// ---------------------------------------------------------------- one step

void TGameScreen::Logic() {
    LastLogicResult = LogicSteps();
    // What the next frame shows, as this step left it.
    PlaceHUD();
    PoseBigText();
}

int TGameScreen::LogicSteps() {
    if (MessageDialog) {
        ManageMessageDialog();
        return 0;
    }
    if (!LevelCompleteScreen->Active) Grid->TogglePointer(InGameMenu->LogicResult());
    LevelCompleteScreen->Logic();
    PlaceHUD();
    if (InGameMenu->Active || LevelCompleteScreen->Active) {
        if (InGameMenu->Active) Menu->ManageFixedGlowOnly();
        return 1;
    }
    if (!IntroRunning()) {
        Menu->Manage(0, 0);
        if (Menu->Clicked("Menu")) {
            InGameMenu->Show(1);
            Grid->TogglePointer(2);
            return 0;
        }
        ClearSoundTriggers();
        if (Player->Manage() == -1) {
            ProcessSoundTriggers();
            return -1;
        }
        Tutorial->Manage();
        if (Grid) Grid->Manage();
        ManageNoMoreMovesAnim();
        ManageHUDEffects();
        ManageHUDClicks();
        ParticleLayer(1).Manage();
        ParticleLayer(2).Move();
        if (!LevelCompleteScreen->Active) ParticleLayer(3).Move();
        ParticleLayer(4).Manage();
        ParticleLayer(6).Move();
        ProcessSoundTriggers();
        SandAnim->Manage();
    }
    ManageIntroAnim();
    ManageOutroAnim();
    return 1;
}

// ---------------------------------------------------------------- intro and outro

void TGameScreen::LevelStartCue() {
    PlayNamedSound("LevelStart", 1.0f);
    PlayShown = 1;
}

void TGameScreen::SetBoardDrop(float drop) {
    Grid->topY = -(ScreenHeight + 50) * drop;
    if (GemList) GemList->SetIntroPosition(std::min(2 * drop, 1.0f), Grid->levelwidth);
}

void TGameScreen::ManageIntroAnim() {
    if (!Grid) return;
    if (IntroAnim->Manage() && !IntroAnim->Active) {
        Grid->topY = 0;
        StopIntroAnim();
    }
    const float c = IntroAnim->Counter;
    if (IntroRunning() && c < L(1150) && ShownMessage == 0) {
        ShownMessage = 1;
        MessageDialog = LevelDialogs::GetPreLevelDialog(Player->Level);
    }
    if (IntroRunning()) {
        const float a = std::trunc(L(kHudInEndsMs)), b = std::trunc(L(kDropEndsMs));
        float drop = 0;
        if (c >= b && c <= a) {
            drop = 1 - Ease(1 - (c - b) / (a - b));
            if (!GridSlideInSoundPlayed) {
                PlayNamedSound("SlideInReverb", 1.0f);
                GridSlideInSoundPlayed = 1;
            }
        } else if (c > a) {
            drop = 1;
        }
        SetBoardDrop(drop);
    } else if (FadingIn) {
        Grid->topY = -static_cast<float>(ScreenHeight + 50);
    }
    // "Go" shows in the intro's last second, and the level-start cue with it.
    if (IntroRunning() && IntroAnim->Counter < L(kDropEndsMs) && !PlayShown) LevelStartCue();
    for (const THUDPowerupPtr& powerup : HUDPowerups)
        powerup->SetIntroY(GetIntroY());
}

void TGameScreen::StopIntroAnim() {
    Grid->StartIntroFlash();
    Tutorial->ShowLevelStartTip();
    SandAnim->Start();
    ShownMessage = 0;
}

int TGameScreen::StartOutroAnim() {
    if (Player->Alive == 0 || OutroRunning() || IntroRunning()) return 0;
    OutroAnim->Start();
    Player->NoChecks = 1;
    PlayNamedSound("LevelEnd", 1.0f);
    if (Menu && !Menu->IsEmpty()) {
        // The Menu button stays in sight but takes no clicks while the level ends.
        Menu->First()->AlwaysDraw = 1;
        Menu->First()->Active = 0;
    }
    return 1;
}

void TGameScreen::FadeMusicTo(float ratio) {
    if (Game->MusicChannel) Game->MusicChannel->SetVolume(ratio * Game->GetMusicVolume() / 100.0f);
}

int TGameScreen::ManageOutroAnim() {
    if (Game->Fading() || !Grid) return 0;
    if (OutroAnim->Manage() && !OutroAnim->Active) StopOutroAnim();
    if (OutroRunning()) {
        const float c = OutroAnim->Counter;
        if (c > L(kOutroMusicFadeEndsMs)) FadeMusicTo(1 - (L(kOutroMs) - c) / L(1000));
        if (c < L(kBoardFallsMs)) {
            Grid->yacc += 0.04f * Delta;
            Grid->MoveBoardDown(Grid->yacc * Delta);
            if (!GridSlideOutSoundPlayed) {
                PlaySoundAtPitch(SoundBank.Find("SlideInReverb"), 0.8f);
                GridSlideOutSoundPlayed = 1;
            }
        }
    }
    for (const THUDPowerupPtr& powerup : HUDPowerups)
        powerup->SetIntroY(GetIntroY());
    return 1;
}

void TGameScreen::StopOutroAnim() {
    FlushAll();
    LevelCompleteScreen->Show();
}

// ---------------------------------------------------------------- losing

int TGameScreen::Quit() {
    if (Player->Alive == 0 || Game->Fading()) return 0;
    Player->Lives = 0;
    ClearCounters();
    Player->Die();
    StartNoMoreMovesAnim();
    return 1;
}

void TGameScreen::StartEndingSequence(int& flag, const TGameSoundPtr& sound) {
    Grid->RestorePointer();
    flag = 1;
    NoMoreCounter = L(kFailureMs);
    if (Grid->SwapCounter == 0) Grid->ClearCursor();
    Grid->StopHint();
    Grid->BlockInput = 1;
    Grid->JiggleDirection = 1;
    PlaySound(sound, 1.0f);
    Tutorial->FadeTips();
    Tutorial->Kill();
}

void TGameScreen::StartNoMoreMovesAnim() {
    StartEndingSequence(NoMore, SoundNoMore);
}
void TGameScreen::StartTimeUpAnim() {
    StartEndingSequence(TimeUp, SoundTimeUp);
}

int TGameScreen::ManageNoMoreMovesAnim() {
    if (OutroRunning() || NoMoreCounter <= 0) return 0;
    if (NoMoreCounter > L(kFailureMs - kFailureFadeMs)) {
        const float fade = 1 - (L(kFailureMs) - NoMoreCounter) / L(kFailureFadeMs);
        FadeMusicTo(fade);
        Grid->alpha = fade;
    }
    NoMoreCounter -= Delta;
    Grid->ManageJiggle(L(kFailureMs - kFailureFadeMs));
    if (NoMoreCounter > 0) return 0;
    NoMoreCounter = 0;
    RestartLevel();
    Game->MusicPlay(0, 0, 0);
    NoMore = TimeUp = 0;
    return 1;
}

// ---------------------------------------------------------------- HUD effects and clicks

void TGameScreen::ManageHUDEffects() {
    ManageAutoHint();
    DrawGaugeParticles();
    const int goldArrived = GoldParticleDelay->Manage(1);
    if (Player->Level == Player->Unlocked) Player->levelGoldInTransit -= 5 * goldArrived;
    for (int charges = GaugeFillDelay->Manage(1); charges > 0; --charges) {
        for (const THUDPowerupPtr& powerup : HUDPowerups)
            if (powerup->IsAvailable()) powerup->AddCharge(1);
    }
}

void TGameScreen::DrawGaugeParticles() {
    if (SaveData->gaugeLevel != GaugeMax || OutroRunning()) return;
    GaugeParticleCounter -= Delta;
    if (GaugeParticleCounter > 0) return;
    GaugeParticleCounter += static_cast<float>(GaugeParticleCounterMax);
    EffectGaugeSparkle(static_cast<float>(GaugeX + Rnd(-30, 30)),
                       static_cast<float>(GaugeY + Rnd(-77, 77)));
}

void TGameScreen::ManageAutoHint() {
    if (Tutorial->TipsCount > 0) return;
    AutoHintCounter += Delta;
    if (AutoHintCounter < std::trunc(L(kAutoHintMs))) return;
    Grid->StartHint();
    AutoHintCounter = 0;
}

void TGameScreen::ManageHUDClicks() {
    const int mx = Game->Mouse->x, my = Game->Mouse->y;
    if (mx < 0 || mx > kGoalRowsRight || my < kGoalRowsTop ||
        my >= kGoalRowsTop + kGoalRows * kGoalRowGap)
        return;
    if (!Game->Mouse->GetMh(1)) return;
    Tutorial->ClearTips();
    Tutorial->ShowGoalArrowTip((my - kGoalRowsTop) / kGoalRowGap + 1, 5000);
}

void TGameScreen::SetGaugeEmpty() {
    if (!Grid || Grid->BonusPower != 2) return;
    Grid->BonusPower = 1;
    SaveData->gaugeLevel = 0;
}

void TGameScreen::GoalDoneEffect(int goal) {
    PlayNamedSound("GoalDone", 1.0f, -0.5f);
    EffectPinkRing(58, GoalRowY(goal));
}

// ---------------------------------------------------------------- sounds

void TGameScreen::ClearSoundTriggers() {
    for (int* flag : {&TriggerBomb,
                      &TriggerBomb2,
                      &TriggerBonusAppears,
                      &TriggerCoinDisappears,
                      &TriggerCrossBomb,
                      &TriggerCrossBomb2,
                      &TriggerCrossDiagBomb,
                      &TriggerCrossDiagBomb2,
                      &TriggerDiagBomb,
                      &TriggerDiagBomb2,
                      &TriggerEggDrop,
                      &TriggerGoldBag,
                      &TriggerGoldCoin,
                      &TriggerHUDCharged,
                      &TriggerHorizontalBomb,
                      &TriggerHorizontalBomb2,
                      &TriggerMagic,
                      &TriggerMatchOverArmour1,
                      &TriggerMatchOverArmour2,
                      &TriggerMegaBomb,
                      &TriggerUnlock,
                      &TriggerUnrock1,
                      &TriggerUnrock2,
                      &TriggerVerticalBomb,
                      &TriggerVerticalBomb2}) {
        *flag = 0;
    }
}

void TGameScreen::ProcessSoundTriggers() {
    if (!Grid) return;
    TGameGrid& g = *Grid;
    // A chain of bombs shares the loudness out, but never below 0.6.
    const float v = g.ChainedBonuses > 1 ? std::max(0.6f, 1.0f / g.ChainedBonuses) : 1.0f;
    if (TriggerBonusAppears) PlayNamedSound("BonusAppears", 1);
    if (TriggerEggDrop) PlayNamedSound("EggDrop", 1);
    if (TriggerUnlock) PlaySound(g.UnlockSound, 1);
    if (TriggerUnrock1) PlaySound(g.UnRockSound1, 1);
    if (TriggerUnrock2) PlaySound(g.UnRockSound2, 1);
    if (TriggerMagic) PlaySound(g.MagicSound, 1);
    if (TriggerGoldCoin) PlaySound(g.GoldCoinSound, 1);
    if (TriggerGoldBag) PlaySound(g.GoldBagSound, 1);
    if (TriggerCoinDisappears) PlayNamedSound("coindisappears", 1);
    if (TriggerHUDCharged) PlaySound(g.HUDChargeSound, 1);
    if (TriggerBomb) {
        PlayNamedSound("Bomb", 0.5f * v);
        PlayNamedSound("Pumpkin", v);
    }
    if (TriggerBomb2) {
        PlaySound(g.ExplodeSound, 0.5f * v);
        PlayNamedSound("Bomb", 0.5f * v);
        PlayNamedSound("Pumpkin", v);
    }
    if (TriggerMegaBomb) {
        PlayNamedSound("Garlic", v);
        PlayNamedSound("HolyWater", v);
    }
    if (TriggerCrossDiagBomb) {
        PlaySound(g.ExplodeSound, 0.5f * v);
        PlaySound(g.CrossDiagBombSound, v);
        PlayNamedSound("HolyWater2", v);
    }
    if (TriggerCrossDiagBomb2) {
        PlaySound(g.ExplodeSound, 0.8f * v);
        PlaySound(g.CrossDiagBombSound, v);
        PlayNamedSound("HolyWater2", v);
    }
    if (TriggerCrossBomb) {
        PlaySound(g.ExplodeSound, 0.75f * v);
        PlaySound(g.CrossBombSound, 0.75f * v);
    }
    if (TriggerCrossBomb2) {
        PlaySound(g.ExplodeSound, 0.25f * v);
        PlaySound(g.ExplodeSound, v);
        PlaySound(g.CrossBombSound, v);
    }
    if (TriggerDiagBomb) PlaySound(g.DiagonalBombSound, v);
    if (TriggerDiagBomb2) PlaySound(g.DiagonalBomb2Sound, v);
    if (TriggerHorizontalBomb) PlaySound(g.HorizontalBombSound, v);
    if (TriggerHorizontalBomb2) {
        PlaySound(g.HorizontalBombSound, v);
        PlayNamedSound("TorchExtra", v);
    }
    if (TriggerVerticalBomb) PlaySound(g.VerticalBombSound, v);
    if (TriggerVerticalBomb2) PlaySoundAtPitch(g.VerticalBombSound, 0.8f, v);
    if (TriggerMatchOverArmour1) PlaySound(g.MatchOverTileSound, 1);
    if (TriggerMatchOverArmour2) PlaySound(g.MatchOverArmour2Sound, 1);
}

// ---------------------------------------------------------------- keys

void TGameScreen::SpecificKeys() {
    if (InGameMenu->Active) return;
    auto pressed = [](int key) { return KeyHit(key) && (CtrlHeld() || Game->Debug); };
    const bool ending = LevelCompleteScreen->Active || OutroRunning();
    if (!ending && pressed('Q')) Quit();
    if (!ending && pressed('T') && Player->Alive && !Game->Fading()) {
        ClearCounters();
        Player->Die();
        StartTimeUpAnim();
    }
    if (Player->DeathCounter > 0 || Game->Fading()) return;
    if (pressed('R')) {
        FlushAll();
        RestartLevel();
    }
    if (pressed('J') && Player->Alive) {
        FlushAll();
        Grid->StartLevelEnd();
        Tutorial->FadeTips();
        Tutorial->Kill();
    }
}

// ---------------------------------------------------------------- positions

TGameScreen::HUDSlide TGameScreen::CalcHUDSlide() const {
    if (OutroRunning() && OutroAnim->Counter < L(1000))
        return {1 - Ease(OutroAnim->Counter / L(1000)), 1};
    if (IntroRunning()) {
        const float c = IntroAnim->Counter;
        const float a = std::trunc(L(kIntroMs)), b = std::trunc(L(kHudInEndsMs));
        if (c >= b && c <= a) return {Ease(1 - Ease(1 - (c - b) / (a - b))), 1};
        if (c < b) return {0, 0};
    }
    if (FadingIn || LevelCompleteScreen->Active) return {1, 1};
    return {0, 0};
}

float TGameScreen::GetIntroRatio() const {
    return CalcHUDSlide().ratio;
}

float TGameScreen::GetHUDX() const {
    const float width = PanelImage ? static_cast<float>(PanelImage->w) : 0;
    return -width * GetIntroRatio();
}

void TGameScreen::PlaceHUD() {
    HUDSliding = CalcHUDSlide().sliding;
    SetMenuCoords(GetHUDX());
}

void TGameScreen::PoseBigText() {
    if (Go && IntroRunning() && IntroAnim->Counter < L(kDropEndsMs)) {
        const float r = IntroAnim->Counter / L(kDropEndsMs);
        Go->SetScaleXY(0.5f + r, 0);
        Go->Alpha = std::min(1.0f, 1.5f * r);
    }
    if (WellDone && OutroRunning() && OutroAnim->Counter < L(kWellDoneMs)) {
        const float r = OutroAnim->Counter / L(kWellDoneMs);
        WellDone->ScaleX = 0.75f;
        WellDone->ScaleY =
            r <= 0.65f ? 0.75f : 0.75f + 1.5f * (1 - std::cos((360 * (r - 0.65f)) * M_PI / 180.0));
    }
}

float TGameScreen::GetIntroY() const {
    return (ScreenHeight - 724) * 4 * GetIntroRatio();
}

void TGameScreen::SetMenuCoords(float x) {
    if (!Menu || Menu->IsEmpty()) return;
    TButton& button = *Menu->First();
    button.MoveTo(x + MENU_X, static_cast<float>(ScreenHeight - 97));
    Menu->SetButtonCaptionRoundCoords(HUDSliding == 0, 1, 1);
}

// ---------------------------------------------------------------- drawing

void TGameScreen::Draw() {
    DrawStill();
    SetBlend(ALPHABLEND);
    if (Grid) Grid->DrawContents();
    ParticleLayer(1).Draw();
    ParticleLayer(2).Draw();
    DrawHUD();
    if (Menu) Menu->Draw(0, 0);
    if (!LevelCompleteScreen->Active) ParticleLayer(3).Draw();
    for (int layer : {4, 5, 6})
        ParticleLayer(layer).Draw();
    Tutorial->Draw();
    InGameMenu->Draw();
    LevelCompleteScreen->Draw();
    if (MessageDialog) MessageDialog->Draw();
}

void TGameScreen::DrawBackgroundAndFrame() {
    SetBlend(SOLIDBLEND);
    if (Image) DrawImage(*Image, 0, 0, 0);
    SetBlend(ALPHABLEND);
    if (Grid) Grid->DrawFrame();
}

void TGameScreen::DrawStill() {
    if (!DrawStillInOneCopy || !Image || !Grid || !Grid->FrameAtRest()) {
        DrawBackgroundAndFrame();
        return;
    }
    const StillKey key{Image.get(), Grid->FrameKey()};
    if (!StillLayer.Ready() || !(key == StillHeld)) {
        if (!StillLayer.Begin()) {
            DrawBackgroundAndFrame();
            return;
        }
        {
            const DrawStateGuard restore;
            DrawBackgroundAndFrame();
        }
        StillLayer.End();
        StillHeld = key;
    }
    StillLayer.Draw();
}

void TGameScreen::DrawHUD() {
    if (LevelCompleteScreen->Active || !HUDFont || !PanelImage) return;
    const float hx = GetHUDX();
    SetBlend(ALPHABLEND);
    PanelImage->Draw(hx, 0, 0, nullptr);
    {
        const DrawStateGuard restore;
        const int round = HUDSliding == 0;
        const std::string word = Text("Level");
        const std::string label = word + " " + std::to_string(Player->Level);
        const float scale = static_cast<float>(HUDFont->CalcReducedScale(label, 118));
        {
            const DrawStateGuard restoreScale;
            SetScale(scale, scale);
            const float left =
                hx + 76 - static_cast<float>(HUDFont->StringWidth(label)) * scale / 2;
            SetColor(kLabelR, kLabelG, kLabelB);
            HUDFont->DrawAligned(word, left, 98, 0, round, 1);
            SetColor(kValueR, kValueG, kValueB);
            Player->DrawLevel(left + static_cast<float>(HUDFont->StringWidth(word + " ")) * scale,
                              98);
        }
        SetColor(kLabelR, kLabelG, kLabelB);
        HUDFont->DrawAligned(Text("Score"), hx + 76, 148, 1, round, 1);
        SetColor(kValueR, kValueG, kValueB);
        Player->DrawScore(hx + 76, 172);
        SetColor(kLabelR, kLabelG, kLabelB);
        if (GUIFontSmall) GUIFontSmall->DrawAligned(Text("Gold"), hx + 68, 16, 2, round, 1);
        SetColor(kValueR, kValueG, kValueB);
        Player->DrawCoins(hx + 78, 16);
    }
    const float x = hx + 9;
    DrawStatusText();
    DrawTimer(x);
    DrawGoals(x);
    if (Grid) Grid->DrawHUDPowers();
}

void TGameScreen::DrawGoalRow(int row, float x, const TGameImagePtr& image, int frame, float scale,
                              int toGo) {
    if (!image || !image->image) return;
    const DrawStateGuard restore;
    const float y = GoalRowY(row);
    {
        const DrawStateGuard restoreScale;
        SetScale(scale, scale);
        static const TShadowPtr shadow = TShadow::Create(1.5f, 1.5f, 0.4f);
        // Every icon is centred on its place, whatever handle its picture keeps for
        // the board (the armour tiles are placed by their top-left corner there).
        TImage& picture = *image->image;
        const float handleX = picture.HandleX(), handleY = picture.HandleY();
        picture.MidHandle();
        image->Draw(x + 34, y, frame, shadow);
        picture.SetHandle(handleX, handleY);
    }
    SetColor(kValueR, kValueG, kValueB);
    HUDFont->DrawAligned(std::to_string(toGo), x + 34 + 25, y - 11, 0, HUDSliding == 0, 1);
}

void TGameScreen::DrawGoals(float x) {
    if (!Grid) return;
    // The board's own pictures, found once when it loaded them.
    const TGameImagePtr& gems = TGem::GemsImage;
    if (Grid->GoalMatches > 0)
        DrawGoalRow(1, x, gems, Grid->GoalMatchesType - 1, 0.5f, Player->GetMatchesToGo());
    if (Grid->GoalArmour > 0) DrawGoalRow(2, x, IceTileImage, 0, 0.45f, Grid->Gold);
    if (Grid->GoalCollect > 0) DrawGoalRow(3, x, gems, 13, 0.5f, Player->GetSpecialItemsToGo());
    if (Grid->GoalRock > 0) DrawGoalRow(4, x, TGem::Rock2Image, 0, 0.45f, Grid->Rocks);
}

void TGameScreen::DrawTimer(float x) {
    if (SaveData->timer == 0) {
        if (!GUIFont) return;
        const std::string relaxed = Text("Button Relaxed");
        const double height = GUIFont->StringHeightVertical(relaxed);
        const float scale = height > 0 ? static_cast<float>(136 / height) : 1.0f;
        const DrawStateGuard restore;
        SetScale(scale, scale);
        GUIFont->Draw(relaxed, x + 48, 236, 1, 0, 0, 0, 0, 0, 1);
        return;
    }
    if (!HourglassImage || !HourglassShadowImage || !SandAnimImage || !Grid) return;
    const float hx = x + 48;
    {
        const DrawStateGuard restore;
        SetScale(0.99f, 0.99f);
        HourglassShadowImage->Draw(hx, 295, 0, nullptr);
    }
    if (!IntroRunning() && !OutroRunning() && NoMoreCounter == 0)
        SandAnimImage->Draw(hx, 291, SandAnim->GetAnimFrame(14), nullptr);
    const float left = Player->TimeLeftMs();
    const float total =
        static_cast<float>(Game->CalcMilliSecsFromFrames(std::trunc(Grid->TimeLimit), 0));
    const int frame =
        left <= 0 || total <= 0 ? 12 : static_cast<int>(std::floor((1 - left / total) * 11 + 0.5f));
    HourglassImage->Draw(hx, 295, frame, nullptr);
    SetColor(kValueR, kValueG, kValueB);
    Player->DrawTime(hx, 295 + HourglassImage->h2 + 9);
}

void TGameScreen::DrawStatusText() {
    // The big texts are posed by the logic (PoseBigText).
    if (IntroRunning() && IntroAnim->Counter < L(kDropEndsMs) && Go) Go->Draw();
    if (OutroRunning() && OutroAnim->Counter < L(kWellDoneMs) && WellDone) WellDone->Draw();
    if ((NoMore || TimeUp) && Grid && Grid->JiggleDirection == 0 && BigTextFont) {
        const DrawStateGuard restore;
        const std::string text = Text(NoMore ? "No More Moves" : "Time Up");
        NoMore ? SetColor(154, 118, 255) : SetColor(255, 59, 9);
        const float scale = static_cast<float>(BigTextFont->CalcReducedScale(text, 840));
        SetScale(scale, scale);
        BigTextFont->DrawAligned(text, ScreenWidth / 2.0f + BIG_TEXT_OFFSET_X, ScreenHeight / 2.0f,
                                 3);
    }
}
