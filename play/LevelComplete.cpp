#include "play/LevelComplete.h"

#include "frame/Game.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/SaveData.h"

std::shared_ptr<TLevelCompleteScreen> LevelCompleteScreen =
    std::make_shared<TLevelCompleteScreen>();

void TLevelCompleteScreen::Show() {
    // Seam: the level-complete screen shows its tally here; until it exists
    // the level's results are booked and the next level starts, the last
    // level starting again.
    Player->UpdateLevelEndData();
    // Replays earn no gold, so this adds nothing for them.
    if (SaveData) SaveData->CollectGold(Player->GetLevelGold());
    if (Player->Level > Game->MaxLevels) Player->Level = Game->MaxLevels;
    Player->WriteProfile(Game->CurrentProfile);
    GameScreen->LoadBackground();
    GameScreen->LoadMusic();
    GameScreen->RestartLevel();
    Game->MusicPlay(0, 0, 0);
}
