// The shop group: the haunted-house backdrop, every decoration, the list
// pictures and the "found" pictures, all from one drawing per decoration.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

#include "Decorations.h"
#include "Scene.h"
#include "assetkit/Registry.h"

namespace asset {
namespace {

const shop::Decoration& Need(const std::string& file) {
    const shop::Decoration* decoration = shop::FindDecoration(file);
    if (!decoration) throw std::logic_error("unknown decoration " + file);
    return *decoration;
}

// The list pictures are named after the decoration, except the trees'.
std::string ListName(const std::string& file) {
    const std::string tree = "lightningtree";
    if (file.rfind(tree, 0) == 0) return "button_tree" + file.substr(tree.size());
    return "button_" + file;
}

// The game's loader masks pure black out of pictures, so opaque pure-black
// pixels would turn into holes: refuse to ship them.
Bytes Checked(Canvas canvas, const char* what) {
    canvas.Flush();
    for (int y = 0; y < canvas.Height(); ++y) {
        const uint32_t* row = canvas.Row(y);
        for (int x = 0; x < canvas.Width(); ++x) {
            if (row[x] == 0xFF000000u) {
                throw std::runtime_error(std::string(what) + " has an opaque pure-black pixel at " +
                                         std::to_string(x) + "," + std::to_string(y));
            }
        }
    }
    return canvas.EncodePNG();
}

// The found pictures and the decoration each shows.
constexpr const char* kFound[][2] = {
    {"Found pumpkin", "pumpkin1"},  {"Found candelabra1", "candelabra1"},
    {"Found lantern1", "lantern1"}, {"Found pumpkin2", "pumpkin2"},
    {"Found cat1", "cat1"},         {"Found lightning1", "lightningtree1"},
    {"Found well1", "well1"},       {"Found crystal ball1", "cage1"},
    {"Found gravebed", "gravebed"}, {"Found spider web1", "web1"},
    {"Found mist1", "mist1"},       {"Found candelabra2", "candelabra2"},
    {"Found cauldron", "cauldron"},
};

}  // namespace

void RegisterShop(Registry& registry) {
    registry.Add("graphics/Backgrounds/shopBack.png", [] {
        Canvas backdrop = shop::DrawShopBackdrop();
        // The shop draws it without blending: any transparency would show garbage.
        if (!backdrop.Opaque()) throw std::runtime_error("the shop backdrop must be opaque");
        return Checked(std::move(backdrop), "the shop backdrop");
    });
    for (const shop::Decoration& decoration : shop::Decorations()) {
        const shop::Decoration* d = &decoration;
        registry.Add("graphics/ShopScreen/items/" + d->file + ".png",
                     [d] { return Checked(shop::RenderDecoration(*d), d->file.c_str()); });
        // The two scenery layers have no list picture of their own.
        if (d->file == "foreground" || d->file == "midrighttree") continue;
        const std::string list = "graphics/ShopScreen/saleImages/" + ListName(d->file);
        using shop::PlateState;
        registry.Add(list + ".png", [d] {
            return Checked(shop::ListPicture(*d, PlateState::Normal), d->file.c_str());
        });
        registry.Add(list + " MO.png", [d] {
            return Checked(shop::ListPicture(*d, PlateState::Over), d->file.c_str());
        });
        registry.Add(list + " down.png", [d] {
            return Checked(shop::ListPicture(*d, PlateState::Down), d->file.c_str());
        });
    }
    for (const auto& [picture, file] : kFound) {
        const shop::Decoration* d = &Need(file);
        registry.Add(std::string("graphics/DialogImages/") + picture + ".png",
                     [d] { return Checked(shop::FoundPicture(*d), d->file.c_str()); });
    }
}

}  // namespace asset
