#include "Recipes.h"

namespace asset::fonts {

namespace {

using style::Rgb8;

// Body fonts are tinted by the game (SetColor multiplies), so their faces are
// white with only a faint cool shading; the dark outline and shadow stay dark
// under any tint and keep the words readable over busy backgrounds.
TextLook TintableLook(double outline, double shadowOffset, double shadowBlur) {
    TextLook look;
    look.fill = {{0, {1, 1, 1}}, {0.55, {1, 1, 1}}, {1, Rgb8(0xD9DCE8)}};
    look.outline = outline;
    look.outlineColour = Rgb8(0x140E22);
    look.shadowX = shadowOffset;
    look.shadowY = shadowOffset * 1.25;
    look.shadowBlur = shadowBlur;
    look.shadowAlpha = 0.6;
    look.shadowColour = Rgb8(0x0A0614);
    return look;
}

FontRecipe BigText() {
    // "No More Moves" / "Time Up", tinted violet or red: white face with a
    // soft round relief so the tint reads as a lit, rounded letter.
    TextLook look = TintableLook(4.5, 3.5, 4.5);
    look.fill = {{0, {1, 1, 1}}, {0.6, Rgb8(0xF4F4FA)}, {1, Rgb8(0xC4C6D6)}};
    look.bevel = 4;
    look.bevelLight = 0.2;
    look.bevelShade = 0.22;
    look.gloss = 0.2;
    return {"BigText", kDisplayFace, kFallbackFace, 78, 3, look};
}

FontRecipe Button() {
    TextLook look = TintableLook(2.2, 1.6, 2);
    look.fill = {{0, {1, 1, 1}}, {0.5, Rgb8(0xF6F6FA)}, {1, Rgb8(0xCDD0DE)}};
    return {"Button", kBoldFace, kFallbackFace, 29, 1.5, look};
}

FontRecipe LargeWhite() {
    TextLook look = TintableLook(0, 2, 3);
    look.fill = {{0, {1, 1, 1}}};
    look.shadowAlpha = 0.75;
    return {"LargeWhite", kBoldFace, kFallbackFace, 40, 0, look};
}

FontRecipe GuiFont() {
    return {"GUIFont", kBodyFace, kFallbackFace, 25, 1, TintableLook(1.6, 1.4, 1.6)};
}

FontRecipe GuiFontSmall() {
    return {"GUIFontSmall", kBodyFace, kFallbackFace, 20, 1, TintableLook(1.3, 1.2, 1.3)};
}

FontRecipe DialogHeader() {
    // Headers are drawn white (untinted), so they carry the candle-gold colour.
    TextLook look = CandleGoldLook(0.5);
    look.glowAlpha = 0;  // neighbouring glyphs' halos would add up
    return {"DialogHeader", kDisplayFace, kFallbackFace, 48, 2, look};
}

FontRecipe Embossed() {
    // Bone-coloured letters pressed up from the panel: a bevel lit from the
    // top left over a thin dark edge.
    TextLook look;
    look.fill = {{0, Rgb8(0xFBF5E6)}, {1, Rgb8(0xD8C9A8)}};
    look.outline = 1.4;
    look.outlineColour = Rgb8(0x2A1A14);
    look.bevel = 2.2;
    look.bevelLight = 0.55;
    look.bevelShade = 0.45;
    look.shadowX = 1.5;
    look.shadowY = 2;
    look.shadowBlur = 1.8;
    look.shadowAlpha = 0.65;
    look.shadowColour = Rgb8(0x0A0614);
    return {"Embossed", kStoryFace, kFallbackFace, 28, 1, look};
}

}  // namespace

std::vector<FontRecipe> FontRecipes() {
    return {BigText(),      Button(),       LargeWhite(), GuiFont(),
            GuiFontSmall(), DialogHeader(), Embossed()};
}

TextLook MoonlightLook(double scale) {
    TextLook look;
    look.fill = {{0, Rgb8(0xFFFFFF)}, {0.45, Rgb8(0xDCE3FF)}, {1, Rgb8(0x9C92E0)}};
    look.outline = 6 * scale;
    look.outlineColour = Rgb8(0x17123C);
    look.glowRadius = 16 * scale;
    look.glowAlpha = 0.55;
    look.glowColour = Rgb8(0x9FB4FF);
    look.shadowX = 4 * scale;
    look.shadowY = 6 * scale;
    look.shadowBlur = 6 * scale;
    look.shadowAlpha = 0.6;
    look.shadowColour = Rgb8(0x07051A);
    look.bevel = 5 * scale;
    look.bevelLight = 0.3;
    look.bevelShade = 0.25;
    look.gloss = 0.35;
    return look;
}

TextLook CandleGoldLook(double scale) {
    TextLook look;
    look.fill = {
        {0, Rgb8(0xFFF9DC)}, {0.35, Rgb8(0xFFDF6A)}, {0.75, Rgb8(0xF0A626)}, {1, Rgb8(0xC8700E)}};
    look.outline = 7 * scale;
    look.outlineColour = Rgb8(0x26102A);
    look.rim = 2 * scale;
    look.rimColour = Rgb8(0x8A4A12);
    look.glowRadius = 14 * scale;
    look.glowAlpha = 0.35;
    look.glowColour = style::kCandle;
    look.shadowX = 4 * scale;
    look.shadowY = 6 * scale;
    look.shadowBlur = 6 * scale;
    look.shadowAlpha = 0.6;
    look.shadowColour = Rgb8(0x0A0614);
    look.bevel = 5 * scale;
    look.bevelLight = 0.35;
    look.bevelShade = 0.3;
    look.gloss = 0.4;
    return look;
}

TextLook PumpkinLook(double scale) {
    TextLook look = CandleGoldLook(scale);
    look.fill = {
        {0, Rgb8(0xFFF0B8)}, {0.3, Rgb8(0xFFBE3C)}, {0.7, Rgb8(0xF07A1A)}, {1, Rgb8(0xB8420C)}};
    look.rimColour = Rgb8(0x7A2A08);
    look.glowColour = style::kPumpkin;
    look.glowAlpha = 0.5;
    return look;
}

}  // namespace asset::fonts
