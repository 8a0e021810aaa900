// Every picture of the interface group, registered for the asset harness.
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "UiAssets.h"
#include "assetkit/Registry.h"
#include "manifest/Manifest.h"

namespace asset {

ui::PictureSize ui::ManifestSize(const std::string& path) {
    const Entry* entry = FindEntry(path);
    if (!entry || entry->width <= 0 || entry->height <= 0) {
        throw std::runtime_error("no picture size in the manifest for " + path);
    }
    return {entry->width, entry->height};
}

namespace {

// The limits the game's layout puts on these pictures. A manifest change that
// breaks one stops the tool before it writes anything.
std::vector<std::string> LayoutProblems() {
    std::vector<std::string> problems;
    auto size = [](const std::string& path) { return ui::ManifestSize(path); };
    auto require = [&](bool ok, const std::string& what) {
        if (!ok) problems.push_back(what);
    };
    require(size("menus/In-Game Menu Button1.png").height < 95,
            "pause menu buttons must be under their 95 px pitch");
    require(size("menus/Menu.png").height <= 97, "the HUD Menu button must fit under y 671");
    require(size("menus/OptionsScreen/slider.png").width == 284, "the slider track is 284 px");
    const ui::PictureSize slot = size("graphics/HUD/Powers/powerup1empty.png");
    require(slot.width < 100 && slot.height <= 88, "powerup slots are 100 px apart at y 724");
    for (int n = 1; n <= 6; ++n) {
        for (const char* look : {"empty", "filling", "full"}) {
            const std::string path =
                "graphics/HUD/Powers/powerup" + std::to_string(n) + look + ".png";
            const ui::PictureSize s = size(path);
            require(s.width == slot.width && s.height == slot.height, path + " differs in size");
        }
    }
    for (int level = 1; level <= 3; ++level) {
        require(size("graphics/HUD/powerupLevel" + std::to_string(level) + ".png").height <= 28,
                "level pins must stay on screen below the slots");
    }
    const ui::PictureSize bar = size("graphics/LoadingScreen/LoadingBar.png");
    for (const char* variant : {"empty", "final"}) {
        const ui::PictureSize s =
            size(std::string("graphics/LoadingScreen/LoadingBar") + variant + ".png");
        require(s.width == bar.width && s.height == bar.height, "loading bars differ in size");
    }
    return problems;
}

}  // namespace

void RegisterUi(Registry& registry) {
    const std::vector<std::string> problems = LayoutProblems();
    for (const std::string& problem : problems)
        std::fprintf(stderr, "ui: %s\n", problem.c_str());
    if (!problems.empty()) std::exit(1);
    ui::RegisterButtons(registry);
    ui::RegisterControls(registry);
    ui::RegisterDialogs(registry);
    ui::RegisterHud(registry);
    ui::RegisterPowers(registry);
    ui::RegisterMapAndHints(registry);
}

}  // namespace asset
