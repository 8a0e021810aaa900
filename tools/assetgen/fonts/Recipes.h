// The game's seven bitmap fonts and the looks shared with the pictures that
// have words baked in.
#pragma once

#include <vector>

#include "BitmapFont.h"
#include "TextLook.h"

namespace asset::fonts {

// Font files (Debian packages fonts-leckerli-one, fonts-cabin,
// fonts-averia-serif-gwf, fonts-dejavu-core).
inline constexpr const char* kDisplayFace = "LeckerliOne-Regular.ttf";
inline constexpr const char* kBodyFace = "Cabin-SemiBold.otf";
inline constexpr const char* kBoldFace = "Cabin-Bold.otf";
inline constexpr const char* kStoryFace = "AveriaSerifGWF-Bold.ttf";
inline constexpr const char* kFallbackFace = "DejaVuSans-Bold.ttf";

std::vector<FontRecipe> FontRecipes();

// Looks for the baked words: pale moonlight (loading, paused, the logo),
// candle gold (well done, score numerals) and pumpkin fire (go!).
TextLook MoonlightLook(double scale);
TextLook CandleGoldLook(double scale);
TextLook PumpkinLook(double scale);

}  // namespace asset::fonts
