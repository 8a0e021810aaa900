#include "play/LevelComplete.h"

#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/Screen.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/LevelDialogs.h"
#include "progress/MapScreen.h"
#include "progress/SaveData.h"
#include "progress/ShopScreen.h"

std::shared_ptr<TLevelCompleteScreen> LevelCompleteScreen =
    std::make_shared<TLevelCompleteScreen>();

void TLevelCompleteScreen::Show() {
    // Seam: the level-complete screen shows its tally here; until it exists
    // the level's results are booked and the game goes on, the last level
    // staying the current one.
    Player->UpdateLevelEndData();
    // Replays earn no gold, so this adds nothing for them.
    if (SaveData) SaveData->CollectGold(Player->GetLevelGold());
    if (Player->Level > Game->MaxLevels) Player->Level = Game->MaxLevels;
    Player->WriteProfile(Game->CurrentProfile);
    // Seam: as the screen's Continue will, the shop when it has news for the
    // level just opened, else the map; the level play screen stands still
    // while the game fades out to it.
    const bool shopNews = LevelDialogs::HasShopLevelDialog(Player->Level) != 0;
    if (shopNews) ShowShopMessage = 1;
    Active = 1;
    Game->DestinationTScreen = shopNews ? TScreenPtr(ShopScreen) : TScreenPtr(MapScreen);
    Game->GameFade->Init(DefaultFadeLength, 1, Game->MusicChannel, 1, 0, nullptr);
}
