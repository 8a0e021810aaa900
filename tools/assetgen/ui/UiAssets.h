// The parts of the interface set, each registering its pictures.
#pragma once

#include <string>

#include "assetkit/Registry.h"

namespace asset::ui {

// The picture size the manifest promises for a path, so a generator and its
// entry cannot disagree. Throws when the path is not in the manifest.
struct PictureSize {
    int width, height;
};
PictureSize ManifestSize(const std::string& path);

void RegisterButtons(Registry& registry);
void RegisterControls(Registry& registry);
void RegisterDialogs(Registry& registry);
void RegisterHud(Registry& registry);
void RegisterPowers(Registry& registry);
void RegisterMapAndHints(Registry& registry);

}  // namespace asset::ui
