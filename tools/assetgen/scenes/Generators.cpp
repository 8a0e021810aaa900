// The scenes group: painted backgrounds, the story map, the title and intro
// scenes and the story vignettes.
#include <string>

#include "Scenes.h"
#include "assetkit/Registry.h"

namespace asset {

namespace {

constexpr int kJpegQuality = 90;

template <typename Make>
Generator Jpeg(Make make) {
    return [make] { return make().EncodeJPEG(kJpegQuality); };
}

template <typename Make>
Generator Png(Make make) {
    return [make] { return make().EncodePNG(); };
}

void RegisterBackgrounds(Registry& registry) {
    const std::string folder = "graphics/Backgrounds/";
    registry.Add(folder + "LoadingScreen.jpg", Jpeg(scenes::LoadingScreen));
    for (int n = 1; n <= 11; ++n) {
        registry.Add(folder + "bg" + std::to_string(n) + ".jpg",
                     Jpeg([n] { return scenes::LevelBackground(n); }));
    }
    registry.Add(folder + "MapBackground.jpg", Jpeg(scenes::MapBackground));
    registry.Add(folder + "InstructionsBackground.jpg", Jpeg(scenes::InstructionsBackground));
    registry.Add(folder + "OptionsBackground.jpg", Jpeg(scenes::OptionsBackground));
}

void RegisterTitle(Registry& registry) {
    using scenes::CrowPose;
    const std::string folder = "graphics/TitleScreen/";
    registry.Add(folder + "background.png", Png(scenes::TitleSky));
    registry.Add(folder + "clouds.png", Png(scenes::TitleClouds));
    registry.Add(folder + "lightning.png", Png(scenes::TitleLightning));
    registry.Add(folder + "foreground.png", Png(scenes::TitleForeground));
    registry.Add(folder + "crow_right.png", Png([] { return scenes::TitleCrow(CrowPose::Right); }));
    registry.Add(folder + "crow_left.png", Png([] { return scenes::TitleCrow(CrowPose::Left); }));
    registry.Add(folder + "crow_blink.png", Png([] { return scenes::TitleCrow(CrowPose::Blink); }));
    registry.Add(folder + "crow_caw.png", Png([] { return scenes::TitleCrow(CrowPose::Caw); }));
    registry.Add(folder + "trTree.png", Png(scenes::TitleTree));
    registry.Add(folder + "hand.png", Png(scenes::TitleHand));
    registry.Add(folder + "redeyeblink.png", Png(scenes::TitleEyes));
}

void RegisterIntro(Registry& registry) {
    const std::string folder = "graphics/Intro/";
    registry.Add(folder + "background.png", Png(scenes::IntroSky));
    for (int n = 1; n <= 4; ++n) {
        registry.Add(folder + "layer" + std::to_string(n) + ".png",
                     Png([n] { return scenes::IntroLayer(n); }));
    }
    registry.Add(folder + "Glowing Crypt.png", Png(scenes::IntroGlowingCrypt));
    registry.Add(folder + "newspaper.png", Png(scenes::Newspaper));
}

void RegisterStory(Registry& registry) {
    for (int n = 1; n <= 11; ++n) {
        registry.Add("graphics/DialogImages/story" + std::to_string(n) + ".png",
                     Png([n] { return scenes::StoryPicture(n); }));
    }
}

}  // namespace

void RegisterScenes(Registry& registry) {
    RegisterBackgrounds(registry);
    RegisterTitle(registry);
    RegisterIntro(registry);
    RegisterStory(registry);
}

}  // namespace asset
