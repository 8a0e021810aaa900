// Pictures with words baked in, in the lettering of the fonts: the loading
// and pause captions, the level's "Go!" and "Well Done!", the score numerals,
// the game's logo and the maker's logo.
#pragma once

#include <string>
#include <vector>

#include "assetkit/Canvas.h"

namespace asset::fonts {

Canvas LoadingCaption();
Canvas PausedCaption();
Canvas GoShout();
Canvas WellDoneShout();
// The points a score picture can show: 1..8, 10..80 and 100.
std::vector<int> ScorePoints();
Canvas ScoreNumeral(int points);

Canvas GameLogo();
Canvas MakerLogo();

}  // namespace asset::fonts
