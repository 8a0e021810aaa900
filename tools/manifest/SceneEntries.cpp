// The painted scenes: backgrounds, the story map, the title and intro scenes
// and the story vignettes.
#include <string>

#include "manifest/Manifest.h"

namespace asset {

namespace {

constexpr const char* kGroup = "scenes";
constexpr int kScreenWidth = 1024, kScreenHeight = 768;

Entry WithNotes(Entry entry, const std::string& notes) {
    entry.notes = notes;
    return entry;
}

Entry Bounded(const std::string& path, int minWidth, int minHeight, int maxWidth, int maxHeight,
              const std::string& notes) {
    Entry entry = Picture(path, kGroup);
    entry.minWidth = minWidth;
    entry.minHeight = minHeight;
    entry.maxWidth = maxWidth;
    entry.maxHeight = maxHeight;
    entry.notes = notes;
    return entry;
}

Entry Screen(const std::string& path, const std::string& notes) {
    return WithNotes(Jpeg("graphics/Backgrounds/" + path, kGroup, kScreenWidth, kScreenHeight),
                     notes);
}

void AddBackgrounds(std::vector<Entry>& entries) {
    entries.push_back(
        Screen("LoadingScreen.jpg",
               "loading backdrop; calm bands for the bar at y 284, the caption at y 461 and the "
               "button at y 658"));
    const char* places[] = {"the village edge",   "the moonlit marsh",
                            "the old orchard",    "the churchyard",
                            "the misty forest",   "the ruined mill",
                            "the crypt approach", "the witch's garden",
                            "the manor grounds",  "the manor (also the ending's first picture)"};
    for (int n = 1; n <= 10; ++n) {
        entries.push_back(Screen("bg" + std::to_string(n) + ".jpg",
                                 std::string("level backdrop: ") + places[n - 1] +
                                     "; dark and calm behind the board (x 150-1010)"));
    }
    entries.push_back(Screen("bg11.jpg", "the ending: dawn over the freed hollow"));
    Entry map = Jpeg("graphics/Backgrounds/MapBackground.jpg", kGroup, 0, 0);
    map.minWidth = kScreenWidth;
    // The lowest dot (y 1316, its centre 15 lower) stays clear of the map's
    // bottom panel (its band 88 pixels high) when the map is scrolled to its end.
    map.minHeight = 1480;
    map.maxWidth = 2048;
    map.maxHeight = 2048;
    map.notes = "story map: a path winding up through the hollow under the 100 level dots";
    entries.push_back(map);
    entries.push_back(
        Screen("InstructionsBackground.jpg",
               "four demo wells of 3 x 2 cells at (175,140), (632,140), (175,390), (632,390) with "
               "text areas below them"));
    entries.push_back(
        Screen("OptionsBackground.jpg",
               "a dark panel centred at x 501 for the header, two sliders and four check boxes"));
}

void AddTitleScreen(std::vector<Entry>& entries) {
    const std::string folder = "graphics/TitleScreen/";
    entries.push_back(
        WithNotes(Picture(folder + "background.png", kGroup, kScreenWidth, kScreenHeight),
                  "night sky with the moon, behind the clouds"));
    entries.push_back(
        Bounded(folder + "clouds.png", kScreenWidth, 200, kScreenWidth, kScreenHeight,
                "drifting clouds, tiling seamlessly left-right, transparent between them"));
    entries.push_back(Bounded(folder + "lightning.png", 100, 300, 512, kScreenHeight,
                              "a lightning bolt from the top edge, on transparency"));
    entries.push_back(
        WithNotes(Picture(folder + "foreground.png", kGroup, kScreenWidth, kScreenHeight),
                  "house on the hill, graves, the gnarled tree; transparent sky"));
    for (const char* pose : {"crow_right", "crow_left", "crow_blink", "crow_caw"}) {
        entries.push_back(WithNotes(Picture(folder + pose + ".png", kGroup, 120, 104),
                                    "the crow on the branch at (832,372), one pose"));
    }
    entries.push_back(
        WithNotes(Picture(folder + "trTree.png", kGroup, 400, 340),
                  "the crown of the gnarled tree; sways about its bottom-right corner"));
    entries.push_back(WithNotes(Picture(folder + "hand.png", kGroup, 84, 120),
                                "a ghostly hand rising from a grave, drawn at (279,433)"));
    entries.push_back(WithNotes(Picture(folder + "redeyeblink.png", kGroup, 48, 22),
                                "red eyes in the dark doorway, drawn at (726,420)"));
}

void AddIntro(std::vector<Entry>& entries) {
    const std::string folder = "graphics/Intro/";
    entries.push_back(Bounded(folder + "background.png", kScreenWidth, 468, 1200, 620,
                              "night sky behind the layers"));
    entries.push_back(
        WithNotes(Picture(folder + "layer4.png", kGroup, 1024, 468), "far hills with the crypt"));
    entries.push_back(
        Bounded(folder + "layer3.png", kScreenWidth, 468, 1200, 620, "middle-far trees"));
    entries.push_back(Bounded(folder + "layer2.png", kScreenWidth, 468, 1200, 620,
                              "middle-near trees and graves"));
    // The nearest layer pans 3200 px while growing 4x: it needs 32 px more than the screen.
    entries.push_back(
        Bounded(folder + "layer1.png", 1056, 468, 1400, 620, "nearest branches, fence and graves"));
    entries.push_back(WithNotes(Picture(folder + "Glowing Crypt.png", kGroup, 1024, 468),
                                "the crypt glowing, aligned with layer4.png"));
    entries.push_back(Bounded(folder + "newspaper.png", 400, 280, 620, 460,
                              "the newspaper front page, mid-handled"));
}

void AddStoryPictures(std::vector<Entry>& entries) {
    for (int n = 1; n <= 11; ++n) {
        // Shown between the dialog's header (y 213) and its text: at most 200 px tall.
        entries.push_back(Bounded("graphics/DialogImages/story" + std::to_string(n) + ".png", 200,
                                  120, 360, 200, "story vignette " + std::to_string(n) + " of 11"));
    }
}

}  // namespace

void AddSceneEntries(std::vector<Entry>& entries) {
    AddBackgrounds(entries);
    AddTitleScreen(entries);
    AddIntro(entries);
    AddStoryPictures(entries);
}

}  // namespace asset
