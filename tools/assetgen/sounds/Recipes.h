// One recipe per sound file of the game. Each returns the finished mix
// before levelling; Generators.cpp maps them to their files and loudness.
#pragma once

#include "Synth.h"

namespace asset::sfx {

// Menus, dialogs, HUD and map (InterfaceSounds.cpp).
Pcm ButtonClick();
Pcm ButtonMouseOver();
Pcm Typing();
Pcm DialogSlideIn();
Pcm DialogSlideOut();
Pcm OkDialog();
Pcm Confirm();
Pcm Error();
Pcm MapZoomIn();
Pcm MapSlideDown();
Pcm BoardSlide();
Pcm GaugeFull();
Pcm GoalDone();

// The board (GemSounds.cpp).
Pcm GemClick();
Pcm GemClickReverse();
Pcm InvalidClick();
Pcm Swap();
Pcm FailedSwap();
Pcm Match();
Pcm MatchOverTile();
Pcm MatchOverArmour2();
Pcm LockClick();
Pcm Unlock();
Pcm RockClick();
Pcm GemLanding();
Pcm Hint();
Pcm MagicReleased();
Pcm EggDrop();
Pcm RockCracked();
Pcm RockDestroyed();

// Bombs, powerups and treasure (BonusSounds.cpp).
Pcm BonusAppears();
Pcm Explode();
Pcm PumpkinThump();
Pcm PumpkinSplatter();
Pcm CrossBomb();
Pcm DiagonalBomb();
Pcm DiagonalBomb2();
Pcm HolyWater();
Pcm HolyWater2();
Pcm Garlic();
Pcm RowBomb();
Pcm TorchExtra();
Pcm ColumnBomb();
Pcm Lightning();
Pcm Coin();
Pcm Bag();
Pcm CoinDisappears();
Pcm Stake();
Pcm Broom();
Pcm Tarot();

// Level cues and the logo jingle (LevelSounds.cpp).
Pcm LevelStart();
Pcm LevelEnd();
Pcm NoMoreMoves();
Pcm TimeUp();
Pcm EchoPop();
Pcm LowTimeBeep();
Pcm SplashJingle();  // a seamless loop: no edge fades may touch it

// Title ambience and the ending (AmbienceSounds.cpp).
Pcm Crow();
Pcm Creak();
Pcm Wind();
Pcm Scream();

}  // namespace asset::sfx
