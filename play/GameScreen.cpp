#include "play/GameScreen.h"

#include "frame/Game.h"

std::shared_ptr<TGameScreen> GameScreen = MakeScreen<TGameScreen>();

TGameScreen::TGameScreen() : IntroAnim(std::make_shared<TAnimation>()), OutroAnim(std::make_shared<TAnimation>()) {
    name = "game";
}

void TGameScreen::ClearHint() { AutoHintCounter = 0; }

void TGameScreen::GoalDoneEffect(int /*goal*/) {
    // Seam: the goal-done sound and ring come with level play.
}

void TGameScreen::Quit() {
    // Seam: level play ends the level as lost here.
}

void TGameScreen::SetGaugeEmpty() {
    // Seam: level play empties the bonus gauge here.
}

int TGameScreen::StartOutroAnim() {
    // Seam: level play starts the winning outro here; until then the level
    // simply ends.
    return 1;
}
