// The fonts group: the seven bitmap fonts and the pictures with words baked in.
#include <string>

#include "BitmapFont.h"
#include "Recipes.h"
#include "TextPictures.h"
#include "assetkit/Registry.h"

namespace asset {

namespace {

void RegisterFont(Registry& registry, const fonts::FontRecipe& recipe) {
    registry.Add("fonts/" + recipe.name + ".fnt", [recipe] {
        return BytesOf(fonts::DescribeFont(recipe, fonts::LayOutFont(recipe)));
    });
    registry.Add("fonts/" + recipe.name + ".png", [recipe] {
        return fonts::RenderFontPage(recipe, fonts::LayOutFont(recipe)).EncodePNG();
    });
}

void RegisterPicture(Registry& registry, const std::string& path, Canvas (*draw)()) {
    registry.Add(path, [draw] { return draw().EncodePNG(); });
}

}  // namespace

void RegisterFonts(Registry& registry) {
    for (const fonts::FontRecipe& recipe : fonts::FontRecipes())
        RegisterFont(registry, recipe);
    RegisterPicture(registry, "graphics/BigText/loading.png", fonts::LoadingCaption);
    RegisterPicture(registry, "graphics/BigText/paused.png", fonts::PausedCaption);
    RegisterPicture(registry, "graphics/BigText/Play.png", fonts::GoShout);
    RegisterPicture(registry, "graphics/BigText/WellDone.png", fonts::WellDoneShout);
    RegisterPicture(registry, "graphics/TitleScreen/logo.png", fonts::GameLogo);
    RegisterPicture(registry, "BrackenfoldGames.png", fonts::MakerLogo);
    for (int points : fonts::ScorePoints()) {
        registry.Add("graphics/Particles/score" + std::to_string(points) + ".png",
                     [points] { return fonts::ScoreNumeral(points).EncodePNG(); });
    }
}

}  // namespace asset
