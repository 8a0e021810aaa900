// The shop's haunted-house scene: the empty backdrop, the decorations drawn
// over it (each with its top-left corner at its place in the shop table, so
// each picture's size is chosen to fit that place), the list pictures and the
// "found" pictures shown after a level.
#include "manifest/Manifest.h"

namespace asset {
namespace {

constexpr const char* kGroup = "shop";

struct Decoration {
    const char* file;  // name under graphics/ShopScreen/items/
    int width, height;
    const char* notes;
};

// Sizes fit each decoration's spot in the scene (top-left corner in brackets).
constexpr Decoration kDecorations[] = {
    {"pumpkin1", 96, 78, "carved pumpkin with a curling vine, left of the porch steps (348,431)"},
    {"pumpkin2", 124, 96,
     "big grinning jack-o'-lantern and a small pumpkin, right of the steps (548,495)"},
    {"lantern1", 130, 150, "iron lantern hanging from a crooked hook post, front left (68,539)"},
    {"lantern2", 140, 170,
     "gilded lantern with a bright glow on a scrolled post, front right (832,517)"},
    {"candelabra1", 72, 98, "three-candle pewter candelabra on the left window sill (309,289)"},
    {"candelabra2", 78, 100, "five-candle gilded candelabra on the right window sill (626,288)"},
    {"torch1", 120, 160, "standing iron torch, right of the path (609,519)"},
    {"torch2", 130, 180, "taller gilded torch with a bigger flame, left of the path (362,514)"},
    {"cat1", 62, 70, "black cat sitting on the porch beside the door (539,406)"},
    {"cat2", 64, 68, "black cat with glowing eyes sitting on the chimney before the moon (583,39)"},
    {"mist1", 1024, 260, "thin bands of ground mist over the yard (0,386)"},
    {"mist2", 1024, 260, "more mist, drawn over the first (0,386)"},
    {"pumpkinlights1", 222, 64, "string of pumpkin lights along the porch roof (396,233)"},
    {"pumpkinlights2", 170, 90, "string of pumpkin lights from the gable to the porch (235,158)"},
    {"gravebed", 150, 92,
     "grave bed: a stone-kerbed grave mound with flowers and tarot cards (665,552)"},
    {"brackenfold", 216, 76,
     "carved and gilded house sign reading Brackenfold, hung on the gable (290,120)"},
    {"cauldron", 130, 266,
     "cauldron of bubbling brew on a tripod with garlic, over a fire (712,162)"},
    {"cross gravestone1", 56, 98, "mossy stone cross (305,424)"},
    {"cross gravestone2", 96, 130, "grand Celtic cross with a glowing ring (285,396)"},
    {"well1", 136, 170, "old stone well with a wooden roof and bucket (16,341)"},
    {"well2", 136, 170, "the well restored: lantern, gilded winch and glowing water (16,341)"},
    {"web1", 90, 86, "spider web in the porch corner (412,254)"},
    {"web2", 100, 96, "bigger dewy web with its spider (412,254)"},
    {"coffin1", 140, 84, "plain wooden coffin with a stake (229,565)"},
    {"coffin2", 140, 84, "iron-banded coffin with a silver stake (229,565)"},
    {"coffin3", 180, 112, "gilded coffin, lid ajar and glowing, golden stake (195,539)"},
    {"broomstick1", 150, 58, "witch's broom hovering over the porch roof (417,202)"},
    {"broomstick2", 156, 62, "finer broom with a ribbon, hovering (417,200)"},
    {"broomstick3", 200, 70, "gilded broom with a sparkling trail (378,195)"},
    {"curved gravestone1", 78, 100, "round-topped headstone (711,459)"},
    {"curved gravestone2", 78, 100, "headstone with a carved skull and candle glow (711,459)"},
    {"curved gravestone3", 92, 110,
     "marble headstone with gilded trim and an angel glow (704,453)"},
    {"lightningtree1", 240, 450, "dead oak split by lightning, beside the well (39,0)"},
    {"lightningtree2", 240, 450, "the oak with glowing cracks and crackling sparks (39,0)"},
    {"lightningtree3", 240, 450, "the oak wrapped in lightning arcs (39,0)"},
    {"cage1", 92, 220, "hanging iron cage holding a crystal ball (798,0)"},
    {"cage2", 92, 220, "the cage with a brighter crystal ball (798,0)"},
    {"cage3", 150, 250, "large gilded cage with a radiant crystal ball (754,0)"},
    {"foreground", 1024, 768,
     "scenery in front: grassy ground edge, bushes and fence pieces (0,0)"},
    {"midrighttree", 392, 520,
     "gnarled tree on the right whose branches the cages hang from (632,0)"},
};

// The list pictures of the 38 items on sale (entries 39 and 40 reuse the last).
constexpr const char* kListPictures[] = {
    "button_pumpkin1",
    "button_pumpkin2",
    "button_lantern1",
    "button_lantern2",
    "button_candelabra1",
    "button_candelabra2",
    "button_torch1",
    "button_torch2",
    "button_cat1",
    "button_cat2",
    "button_mist1",
    "button_mist2",
    "button_pumpkinlights1",
    "button_pumpkinlights2",
    "button_gravebed",
    "button_brackenfold",
    "button_cauldron",
    "button_cross gravestone1",
    "button_cross gravestone2",
    "button_well1",
    "button_well2",
    "button_web1",
    "button_web2",
    "button_coffin1",
    "button_coffin2",
    "button_coffin3",
    "button_broomstick1",
    "button_broomstick2",
    "button_broomstick3",
    "button_curved gravestone1",
    "button_curved gravestone2",
    "button_curved gravestone3",
    "button_tree1",
    "button_tree2",
    "button_tree3",
    "button_cage1",
    "button_cage2",
    "button_cage3",
};

// Shown centred in the message dialog after a level; must stay under ~200 px
// tall to sit between the header and the text.
constexpr const char* kFoundPictures[] = {
    "Found pumpkin",  "Found candelabra1", "Found lantern1", "Found pumpkin2",
    "Found cat1",     "Found lightning1",  "Found well1",    "Found crystal ball1",
    "Found gravebed", "Found spider web1", "Found mist1",    "Found candelabra2",
    "Found cauldron",
};

constexpr int kListWidth = 100, kListHeight = 90;
constexpr int kFoundWidth = 300, kFoundHeight = 180;

Entry WithNotes(Entry entry, const std::string& notes) {
    entry.notes = notes;
    return entry;
}

}  // namespace

void AddShopEntries(std::vector<Entry>& entries) {
    entries.push_back(
        WithNotes(Picture("graphics/Backgrounds/shopBack.png", kGroup, 1024, 768),
                  "opaque haunted-house scene by night with a place for every decoration"));
    for (const Decoration& decoration : kDecorations) {
        const std::string path =
            std::string("graphics/ShopScreen/items/") + decoration.file + ".png";
        entries.push_back(WithNotes(Picture(path, kGroup, decoration.width, decoration.height),
                                    decoration.notes));
    }
    for (const char* name : kListPictures) {
        const std::string base = std::string("graphics/ShopScreen/saleImages/") + name;
        entries.push_back(WithNotes(Picture(base + ".png", kGroup, kListWidth, kListHeight),
                                    "list picture: the decoration on a round plate"));
        entries.push_back(
            WithNotes(Picture(base + " MO.png", kGroup, kListWidth, kListHeight),
                      "list picture under the mouse: the plate lit by a warm halo, the object "
                      "lifted; lines up with the list picture"));
        entries.push_back(WithNotes(Picture(base + " down.png", kGroup, kListWidth, kListHeight),
                                    "pressed list picture: darker, sunk plate"));
    }
    for (const char* name : kFoundPictures) {
        const std::string path = std::string("graphics/DialogImages/") + name + ".png";
        entries.push_back(WithNotes(Picture(path, kGroup, kFoundWidth, kFoundHeight),
                                    "the decoration found, on a small moonlit vignette"));
    }
}

}  // namespace asset
