// The bitmap fonts and the pictures that have words baked in.
#include <string>

#include "manifest/Manifest.h"

namespace asset {

namespace {

const char* const kFonts[] = {"BigText",      "Button",       "LargeWhite", "GUIFont",
                              "GUIFontSmall", "DialogHeader", "Embossed"};

Entry Bounded(const std::string& path, int minW, int minH, int maxW, int maxH,
              const std::string& notes) {
    Entry entry = Picture(path, "fonts");
    entry.minWidth = minW;
    entry.minHeight = minH;
    entry.maxWidth = maxW;
    entry.maxHeight = maxH;
    entry.notes = notes;
    return entry;
}

void AddFonts(std::vector<Entry>& entries) {
    for (const std::string name : kFonts) {
        Entry description;
        description.path = "fonts/" + name + ".fnt";
        description.kind = Kind::Fnt;
        description.group = "fonts";
        description.notes = "glyph description, fixed-width fields, one page: " + name + ".png";
        entries.push_back(description);
        // One page, top-left handle; the description's scaleW/scaleH must match.
        entries.push_back(
            Bounded("fonts/" + name + ".png", 64, 64, 4096, 4096, "glyph page of " + name));
    }
}

void AddBigText(std::vector<Entry>& entries) {
    // Mid-handled captions over the loading screen and the pause veil.
    entries.push_back(
        Bounded("graphics/BigText/loading.png", 120, 40, 700, 200, "the word \"Loading...\""));
    entries.push_back(
        Bounded("graphics/BigText/paused.png", 150, 50, 800, 260, "the word \"Paused\""));
    // Drawn at up to 1.5x while fading: must stay within the screen.
    entries.push_back(Bounded("graphics/BigText/Play.png", 120, 60, 680, 500, "the shout \"Go!\""));
    // Scaled to 0.75 wide and up to about 3x tall.
    entries.push_back(
        Bounded("graphics/BigText/WellDone.png", 200, 50, 1000, 250, "the shout \"Well Done!\""));
}

void AddScores(std::vector<Entry>& entries) {
    // Rising over a 66-px cell: crisp numerals about 40-60 px tall.
    auto add = [&](int points) {
        entries.push_back(Bounded("graphics/Particles/score" + std::to_string(points) + ".png", 16,
                                  36, 200, 80, "the score numeral " + std::to_string(points)));
    };
    for (int p = 1; p <= 8; ++p)
        add(p);
    for (int p = 10; p <= 80; p += 10)
        add(p);
    add(100);
}

}  // namespace

void AddFontEntries(std::vector<Entry>& entries) {
    AddFonts(entries);
    AddBigText(entries);
    AddScores(entries);
    // Drawn at (15, 7) on the title screen, top-left handle.
    entries.push_back(Bounded("graphics/TitleScreen/logo.png", 300, 100, 700, 300,
                              "the game logo \"Hollowmere\""));
    // Centred on a black screen at start-up.
    entries.push_back(Bounded("BrackenfoldGames.png", 200, 100, 1024, 768,
                              "the maker's logo \"Brackenfold Games\""));
}

}  // namespace asset
