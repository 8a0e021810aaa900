#include "TextPictures.h"

#include "Lettering.h"
#include "Recipes.h"

namespace asset::fonts {

namespace {

// Looks are designed for a 100 px face; other sizes scale their strokes and blurs.
constexpr double kDesignSize = 100;

Canvas Shout(const char* face, double size, const std::string& text, const TextLook& look,
             double tracking) {
    const SizedFont font(face, size);
    return TextPicture(font, text, look, tracking);
}

}  // namespace

Canvas LoadingCaption() {
    constexpr double kSize = 64;
    return Shout(kDisplayFace, kSize, "Loading...", MoonlightLook(kSize / kDesignSize), 2);
}

Canvas PausedCaption() {
    constexpr double kSize = 92;
    return Shout(kDisplayFace, kSize, "Paused", MoonlightLook(kSize / kDesignSize), 3);
}

Canvas GoShout() {
    // Drawn at up to 1.5x while it fades, so it is made large and bold.
    constexpr double kSize = 150;
    return Shout(kDisplayFace, kSize, "Go!", PumpkinLook(kSize / kDesignSize), 6);
}

Canvas WellDoneShout() {
    constexpr double kSize = 104;
    return Shout(kDisplayFace, kSize, "Well Done!", CandleGoldLook(kSize / kDesignSize), 4);
}

std::vector<int> ScorePoints() {
    std::vector<int> points;
    for (int p = 1; p <= 8; ++p)
        points.push_back(p);
    for (int p = 10; p <= 80; p += 10)
        points.push_back(p);
    points.push_back(100);
    return points;
}

Canvas ScoreNumeral(int points) {
    // Crisp, heavy numerals that stay legible while they rise and fade.
    constexpr double kSize = 60;
    TextLook look = CandleGoldLook(kSize / kDesignSize);
    look.embolden = 1;
    look.glowAlpha = 0;
    look.shadowBlur = 3;
    look.shadowAlpha = 0.5;
    const SizedFont font(kBoldFace, kSize);
    return TextPicture(font, std::to_string(points), look, 1, 2, "0123456789");
}

}  // namespace asset::fonts
