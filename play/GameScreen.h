// The level play screen. For now the state the board reads and writes; the
// screen's own life (intro, HUD, play loop, outro) comes with level play.
#pragma once

#include <memory>

#include "frame/Screen.h"
#include "media/Animation.h"
#include "media/Sound.h"

class TGameScreen : public TScreen {
public:
    TGameScreen();

    float AutoHintCounter = 0;
    int Goal1Done = 0, Goal2Done = 0, Goal3Done = 0, Goal4Done = 0;
    int NoMore = 0;
    float NoMoreCounter = 0;
    int TimeUp = 0;
    TAnimationPtr IntroAnim, OutroAnim;
    TGameSoundPtr SoundGameOver;
    int TriggerBomb = 0, TriggerBomb2 = 0, TriggerBonusAppears = 0, TriggerCoinDisappears = 0, TriggerCrossBomb = 0,
        TriggerCrossBomb2 = 0, TriggerCrossDiagBomb = 0, TriggerCrossDiagBomb2 = 0, TriggerDiagBomb = 0,
        TriggerDiagBomb2 = 0, TriggerEggDrop = 0, TriggerGoldBag = 0, TriggerGoldCoin = 0, TriggerHUDCharged = 0,
        TriggerHorizontalBomb = 0, TriggerHorizontalBomb2 = 0, TriggerMagic = 0, TriggerMatchOverArmour1 = 0,
        TriggerMatchOverArmour2 = 0, TriggerMegaBomb = 0, TriggerUnlock = 0, TriggerUnrock1 = 0, TriggerUnrock2 = 0,
        TriggerVerticalBomb = 0, TriggerVerticalBomb2 = 0;

    virtual void ClearHint();
    virtual void GoalDoneEffect(int goal);
    // Seams filled by level play: ending the level, the gauge.
    virtual void Quit();
    virtual void SetGaugeEmpty();
    virtual int StartOutroAnim();  // 1 when the outro started
    // The first fill of a new level's board (repeated until it has a move).
    virtual void FillGrid();

    bool IntroRunning() const { return IntroAnim && IntroAnim->Active; }
    bool OutroRunning() const { return OutroAnim && OutroAnim->Active; }
};

extern std::shared_ptr<TGameScreen> GameScreen;
