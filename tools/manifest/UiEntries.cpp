// The interface pictures: loading bar, HUD, powerup slots, map dots and
// panel, tips, dialogs, the shop's gold counter, every menu button plate with
// its states, check boxes, the options slider, and the empty branding folder.
// Sizes are exact: the game places text and buttons at fixed offsets on them.
#include "manifest/Manifest.h"

namespace asset {
namespace {

constexpr const char* kGroup = "ui";

Entry Ui(const std::string& path, int width, int height, const std::string& notes,
         bool required = true) {
    Entry entry = Picture(path, kGroup, width, height);
    entry.required = required;
    entry.notes = notes;
    return entry;
}

void AddLoadingBar(std::vector<Entry>& entries) {
    const std::string base = "graphics/LoadingScreen/LoadingBar";
    entries.push_back(Ui(base + ".png", 500, 40, "filled progress bar, revealed from the left"));
    entries.push_back(
        Ui(base + "empty.png", 500, 40, "empty bar drawn under the filled one", false));
    entries.push_back(Ui(base + "final.png", 500, 40, "completed, glowing bar", false));
}

void AddHud(std::vector<Entry>& entries) {
    const std::string hud = "graphics/HUD/";
    entries.push_back(
        Ui(hud + "Powerup Slot Mouse Over.png", 88, 88, "round additive glow over a charged slot"));
    entries.push_back(Ui(hud + "empty ring1.png", 88, 88, "slot rim drawn over the filling"));
    entries.push_back(Ui(hud + "unpurchased.png", 88, 88, "locked slot of a powerup not bought"));
    for (int level = 1; level <= 3; ++level) {
        entries.push_back(Ui(hud + "powerupLevel" + std::to_string(level) + ".png", 26, 26,
                             "level pin drawn at slot centre + (30, 30); under 28 px high"));
    }
    entries.push_back(Ui(hud + "StakeCursor.png", 64, 64, "stake held on the pointer"));
    entries.push_back(Ui(hud + "BroomCursor.png", 64, 64, "broom held on the pointer"));
    entries.push_back(Ui(hud + "HammerCursor.png", 64, 64, "hammer held on the pointer"));
    entries.push_back(Ui(hud + "Panel.png", 152, 768,
                         "left HUD column: gold field, level and score plaques, hourglass "
                         "niche at (57, 295), goal rows at y 437/497/557/617, Menu button "
                         "space at (0, 671)"));
    entries.push_back(Ui(hud + "HourglassShadow.png", 90, 124,
                         "soft shadow, mid-handled on the hourglass centre"));
    Entry hourglass = StripOf(hud + "HourglassAnim.png", kGroup, 78, 113, 13);
    hourglass.width = 78 * 13;
    hourglass.height = 113;
    hourglass.notes = "hourglass from full (frame 0) to empty (frame 12)";
    entries.push_back(hourglass);
    Entry sand = StripOf(hud + "SandAnim.png", kGroup, 78, 113, 14);
    sand.width = 78 * 14;
    sand.height = 113;
    sand.notes = "looping stream of falling sand, drawn under the hourglass";
    entries.push_back(sand);
}

void AddPowerSlots(std::vector<Entry>& entries) {
    static const char* const kNames[] = {"stake",     "broom",        "hammer",
                                         "lightning", "crystal ball", "tarot card"};
    for (int n = 1; n <= 6; ++n) {
        const std::string base = "graphics/HUD/Powers/powerup" + std::to_string(n);
        const std::string name = kNames[n - 1];
        entries.push_back(Ui(base + "empty.png", 88, 88, "empty slot of the " + name));
        entries.push_back(
            Ui(base + "filling.png", 88, 88, "liquid of the " + name + ", radius 38 disc"));
        entries.push_back(Ui(base + "full.png", 88, 88, "charged slot showing the " + name));
    }
}

void AddMapScreen(std::vector<Entry>& entries) {
    const std::string map = "graphics/MapScreen/";
    entries.push_back(Ui(map + "MapDotInactive.png", 34, 34, "locked level dot"));
    entries.push_back(Ui(map + "MapDot.png", 34, 34, "open level dot"));
    entries.push_back(Ui(map + "MapDotMO.png", 34, 34, "open level dot under the mouse"));
    entries.push_back(Ui(map + "MapDotSpecialInactive.png", 40, 40, "locked story-level dot"));
    entries.push_back(Ui(map + "MapDotSpecial.png", 40, 40, "open story-level dot"));
    entries.push_back(Ui(map + "MapDotSpecialMO.png", 40, 40, "story-level dot under the mouse"));
    entries.push_back(Ui(map + "BottomPanel.png", 1024, 120,
                         "frame band with a raised centre plaque; also drawn at y -53 as the "
                         "top panel"));
}

void AddHints(std::vector<Entry>& entries) {
    const std::string hints = "graphics/Hints/";
    entries.push_back(
        Ui(hints + "ArrowThin.png", 300, 70, "banner arrow pointing left, text on it"));
    entries.push_back(Ui(hints + "ArrowSmall.png", 52, 64, "small arrow pointing down"));
    entries.push_back(Ui(hints + "TipWithClose.png", 420, 220,
                         "tip panel, header at +41, body from +69, close mark top right"));
    entries.push_back(Ui(hints + "TipGlow.png", 96, 162, "glow around two stacked cells"));
}

void AddDialogs(std::vector<Entry>& entries) {
    const std::string dialogs = "graphics/Dialogs/";
    entries.push_back(Ui(dialogs + "MessageDialog.png", 600, 400,
                         "message panel, header plaque centred at screen y 213"));
    entries.push_back(Ui(dialogs + "confirm.png", 600, 400,
                         "replay notice, laid out like the "
                         "message panel"));
    entries.push_back(
        Ui(dialogs + "Old Lady Dialog.png", 640, 500, "the old lady leaning over a message panel"));
    entries.push_back(Ui(dialogs + "InGameMenu.png", 500, 610,
                         "pause panel, header plaque at screen y 109, five menu buttons"));
    entries.push_back(Ui(dialogs + "EnterYourNameDialog.png", 620, 400,
                         "name entry panel with a field from (150, 122)"));
    entries.push_back(
        Ui(dialogs + "Dialog.png", 800, 600, "large panel, header plaque at screen y 113"));
    entries.push_back(Ui(dialogs + "level end dialog.png", 640, 600,
                         "level tally panel, header plaque at screen y 113, ten rows"));
    entries.push_back(Ui("graphics/ShopScreen/GoldPanel.png", 170, 48,
                         "top-left gold counter: label right-aligned at x 68, value at x 78"));
}

struct PlateFamily {
    const char* base;
    int width, height;
    const char* notes;
};

void AddButtonFamilies(std::vector<Entry>& entries) {
    static const PlateFamily kFamilies[] = {
        {"button", 164, 60, "small button plate, caption 124 px"},
        {"ButtonLong", 384, 80, "long button plate, caption 320 px"},
        {"In-Game Menu Button1", 292, 80, "pause menu plate, caption 220 px, under 95 px high"},
        {"Menu", 152, 84, "HUD menu plate at (0, 671), at most 97 px high"},
        {"MapScreenButton", 176, 64, "map corner plate, caption 124 px"},
        {"Map screen YourHouse", 176, 134, "house picture above a caption plank"},
        {"DecorationMapButton", 200, 64, "shop back-to-map plate, caption 150 px"},
        {"eyeButton", 72, 64, "plate with an eye"},
        {"rollerButton", 72, 64, "plate with a paint roller"},
        {"buttonplay", 224, 112, "title sign tilted 10 degrees"},
        {"buttonchangeplayer", 220, 124, "title sign tilted 14 degrees"},
        {"buttonoptions", 176, 116, "title sign tilted -12 degrees"},
        {"buttonexit", 150, 124, "title sign tilted -23 degrees"},
    };
    for (const PlateFamily& family : kFamilies) {
        const std::string base = std::string("menus/") + family.base;
        entries.push_back(Ui(base + ".png", family.width, family.height, family.notes));
        entries.push_back(Ui(base + "MO.png", family.width, family.height,
                             std::string(family.notes) + ", under the mouse", false));
        entries.push_back(Ui(base + "Down.png", family.width, family.height,
                             std::string(family.notes) + ", pressed"));
    }
    for (const char* arrow : {"arrowR", "arrowL"}) {
        const std::string base = std::string("menus/") + arrow;
        const std::string notes = arrow[5] == 'R' ? "arrow pointing right" : "arrow pointing left";
        entries.push_back(Ui(base + ".png", 66, 110, notes));
        entries.push_back(Ui(base + "MO.png", 66, 110, notes + ", under the mouse", false));
        entries.push_back(Ui(base + "_down.png", 66, 110, notes + ", pressed", false));
        entries.push_back(Ui(base + "_disabled.png", 66, 110, notes + ", disabled", false));
    }
}

void AddSmallControls(std::vector<Entry>& entries) {
    entries.push_back(Ui("menus/CheckBox.png", 40, 40, "empty check box"));
    entries.push_back(Ui("menus/CheckBoxMO.png", 40, 40, "check box under the mouse"));
    entries.push_back(Ui("menus/CheckMark.png", 40, 40, "tick drawn over the box"));
    entries.push_back(Ui("menus/OptionsScreen/slider.png", 284, 24, "slider track, 284 px"));
    entries.push_back(Ui("menus/OptionsScreen/Dot.png", 34, 34, "slider knob"));
    Entry branding;
    branding.path = "branding";
    branding.kind = Kind::Folder;
    branding.group = kGroup;
    branding.notes = "optional splash pictures; empty";
    entries.push_back(branding);
}

}  // namespace

void AddUiEntries(std::vector<Entry>& entries) {
    AddLoadingBar(entries);
    AddHud(entries);
    AddPowerSlots(entries);
    AddMapScreen(entries);
    AddHints(entries);
    AddDialogs(entries);
    AddButtonFamilies(entries);
    AddSmallControls(entries);
}

}  // namespace asset
