// Every picture of the scenes group, by the file it becomes.
#pragma once

#include "assetkit/Canvas.h"

namespace asset::scenes {

// Level backgrounds 1-10 and the ending (11).
Canvas LevelBackground(int number);
Canvas LoadingScreen();
Canvas InstructionsBackground();
Canvas OptionsBackground();
Canvas MapBackground();

Canvas TitleSky();
Canvas TitleClouds();
Canvas TitleLightning();
Canvas TitleForeground();
enum class CrowPose { Right, Left, Blink, Caw };
Canvas TitleCrow(CrowPose pose);
Canvas TitleTree();
Canvas TitleHand();
Canvas TitleEyes();

Canvas IntroSky();
// Layer 4 is the farthest, 1 the nearest.
Canvas IntroLayer(int number);
Canvas IntroGlowingCrypt();
Canvas Newspaper();

Canvas StoryPicture(int number);

}  // namespace asset::scenes
