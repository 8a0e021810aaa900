// The board's pictures: pointer, gems and bonus pieces, cell tiles, rocks,
// highlights, the selection cursor, the 24 border pieces and the particles
// (except the score numerals, which the fonts group draws). Cells are 66 x 66;
// the sizes are exact because the board places tiles, borders and overlays at
// fixed offsets from them.
#include "manifest/Manifest.h"

namespace asset {
namespace {

constexpr const char* kGroup = "board";

Entry Board(const std::string& path, int width, int height, const std::string& notes) {
    Entry entry = Picture("graphics/" + path + ".png", kGroup, width, height);
    entry.notes = notes;
    return entry;
}

Entry BoardStrip(const std::string& path, int cellWidth, int cellHeight, int frames,
                 const std::string& notes) {
    Entry entry = StripOf("graphics/" + path + ".png", kGroup, cellWidth, cellHeight, frames);
    entry.width = cellWidth * frames;
    entry.height = cellHeight;
    entry.notes = notes;
    return entry;
}

void AddPointer(std::vector<Entry>& entries) {
    Entry pointer = Board("pointer", 32, 40, "mouse pointer, tip at the hot spot (4, 0)");
    // The pointer's sparkle trail picks positions in (1 .. w - 20, 1 .. h - 25).
    pointer.minWidth = 21;
    pointer.minHeight = 26;
    entries.push_back(pointer);
}

void AddGems(std::vector<Entry>& entries) {
    entries.push_back(
        BoardStrip("Gems/Gems", 66, 66, 14,
                   "frames 0-12: the 13 gem colours, each its own shape; frame 13: the HUD's "
                   "golden-skull goal icon"));
    entries.push_back(Board("Gems/Gold Skull", 66, 66, "golden skull piece, about one cell"));
    entries.push_back(Board("Gems/Lock1", 66, 66, "crossed chains and padlock over a locked gem"));
    entries.push_back(Board("Gems/Lock2", 66, 66, "second chain variant over a locked gem"));
}

void AddBonuses(std::vector<Entry>& entries) {
    static const char* const kBombs[][2] = {
        {"pump", "pumpkin bomb"},         {"lantern", "lantern row bomb"},
        {"candle", "candle column bomb"}, {"grave", "gravestone cross bomb"},
        {"torch", "torch diagonal bomb"}, {"well", "well cross-diagonal bomb"},
    };
    for (const auto& bomb : kBombs) {
        entries.push_back(Board(std::string("Bonuses/") + bomb[0] + "1", 72, 72, bomb[1]));
        entries.push_back(Board(std::string("Bonuses/") + bomb[0] + "2", 72, 72,
                                std::string(bomb[1]) + ", upgraded: gilded and glowing"));
    }
    entries.push_back(Board("Bonuses/garlic", 72, 72, "garlic mega bomb (plain and upgraded)"));
    entries.push_back(Board("Bonuses/moneybag", 72, 72, "money bag; also a particle"));
    entries.push_back(BoardStrip("Bonuses/coin", 80, 80, 12,
                                 "gold coin spinning, a full turn in 30-degree steps; frames 2 and "
                                 "8 are edge-on, frame 11 faces front (flying coin)"));
}

void AddGrid(std::vector<Entry>& entries) {
    entries.push_back(
        Board("Grid/Rock1Var1", 70, 70, "cracked stone shell over a gem (strength 1)"));
    entries.push_back(Board("Grid/Rock1Var2", 70, 70, "cracked stone shell, second variant"));
    entries.push_back(
        Board("Grid/Rock2", 70, 70, "heavy stone shell (strength 2); HUD rock-goal icon"));
    entries.push_back(
        Board("Grid/EmptyTile", 66, 66, "plain cell tile, drawn at the cell's top-left"));
    entries.push_back(
        Board("Grid/IceTile", 66, 66, "cell with one (golden) armour layer; HUD armour icon"));
    entries.push_back(Board("Grid/SnowTile", 66, 66, "cell with two (silver) armour layers"));
    entries.push_back(
        Board("Grid/BonusHighlight", 90, 90, "warm glow under bombs, coins and bags"));
    entries.push_back(
        Board("Grid/MagicHighlight", 80, 80, "rotating magic halo, drawn additively"));
    entries.push_back(
        Board("Grid/MagicHighlightParticle", 32, 32, "small magic sparkle (loaded, not drawn)"));
    Entry cursor =
        Board("Cursor/Cursor", 80, 80, "selection frame; the 66 x 66 cell sits centred in it");
    cursor.minWidth = 66;
    cursor.minHeight = 66;
    entries.push_back(cursor);
}

void AddBorder(std::vector<Entry>& entries) {
    const std::string border = "Border/";
    entries.push_back(Board(border + "BorderTop", 66, 10, "frame edge above a cell"));
    entries.push_back(Board(border + "BorderBottom", 66, 10, "frame edge below a cell"));
    entries.push_back(Board(border + "BorderLeft", 10, 66, "frame edge left of a cell"));
    entries.push_back(Board(border + "BorderRight", 10, 66, "frame edge right of a cell"));
    for (const char* corner : {"TL", "TR", "BL", "BR"}) {
        entries.push_back(Board(border + "Corner" + corner, 10, 10, "outer frame corner"));
        entries.push_back(Board(border + "InnerCorner" + corner, 10, 10,
                                "inner frame corner where two edges meet"));
    }
    // Wrought-iron scrollwork hung on the outside of the frame by the level
    // files ("B kind,x,y"); each touches the frame's outer edge when placed at
    // the cell named in its note (w, h = board width and height in cells).
    static const struct {
        const char* name;
        int width, height;
        const char* placement;
    } kExtras[] = {
        {"ExtraLongBottom", 132, 24, "two-cell scroll under the bottom edge, at (x, h)"},
        {"ExtraLongLeft", 24, 132, "two-cell scroll left of the frame, at (0, y)"},
        {"ExtraLongRight", 24, 132, "two-cell scroll right of the frame, at (w, y)"},
        {"ExtraLongTop", 132, 24, "two-cell scroll above the top edge, at (x, 0)"},
        {"ExtraBottomLeft", 90, 46, "curl under the bottom-left corner, at (0, h)"},
        {"ExtraBottomRight", 78, 24, "curl under the bottom-right corner, at (w - 1, h)"},
        {"ExtraTopLeft", 70, 26, "curl over the top-left corner, at (0, 0)"},
        {"ExtraTopRight", 76, 26, "curl over the top-right corner, at (w - 1, 0)"},
        {"ExtraLeftBottom", 26, 66, "curl beside the bottom-left corner, at (0, h - 1)"},
        {"ExtraLeftTop", 26, 66, "curl beside the top-left corner, at (0, 0)"},
        {"ExtraRightBottom", 27, 66, "curl beside the bottom-right corner, at (w, h - 1)"},
        {"ExtraRightTop", 26, 66, "curl beside the top-right corner, at (w, 0)"},
    };
    for (const auto& extra : kExtras) {
        entries.push_back(Board(border + extra.name, extra.width, extra.height, extra.placement));
    }
}

void AddParticles(std::vector<Entry>& entries) {
    const std::string p = "Particles/";
    auto add = [&](const std::string& name, int width, int height, const std::string& notes) {
        entries.push_back(Board(p + name, width, height, notes));
    };
    add("GoldTileParticle", 66, 66, "golden armour layer popping off a tile");
    add("SilverTileParticle", 66, 66, "silver armour layer falling off a tile");
    entries.push_back(BoardStrip(p + "blurefireanim", 120, 120, 4,
                                 "blue comet flame, flying left at rotation 0"));
    entries.push_back(
        BoardStrip(p + "fireballanim", 90, 64, 4, "fire comet, flying left at rotation 0"));
    add("Fireball", 64, 64, "spinning fireball, trail to the right (flies left)");
    add("dust1", 16, 16, "mote of glittering dust");
    add("dust2", 32, 32, "soft dust puff");
    add("dust3", 32, 32, "wispy dust swirl");
    add("garlicchunk3", 24, 24, "garlic clove piece");
    add("garlicchunk4", 20, 20, "garlic skin flake");
    add("lightbeam thin", 1024, 40, "horizontal light beam, stretched from its middle");
    add("lightbeam thick", 1024, 64, "broad horizontal light beam, stretched from its middle");
    for (int i = 1; i <= 3; ++i)
        add("pumpkinchunklarge" + std::to_string(i), 28, 28, "large pumpkin shard");
    for (int i = 1; i <= 2; ++i)
        add("pumpkinchunkmedium" + std::to_string(i), 20, 20, "medium pumpkin shard");
    for (int i = 1; i <= 2; ++i)
        add("pumpkinchunkedge" + std::to_string(i), 24, 16, "curved pumpkin rind");
    for (int i = 1; i <= 2; ++i)
        add("pumpkinchunksmall" + std::to_string(i), 12, 12, "small pumpkin shard");
    add("silverbulletparticle", 20, 56, "silver bullet pointing up with a light trail below");
    for (int i = 1; i <= 4; ++i)
        add("stonechunkbig" + std::to_string(i), 30, 30, "big piece of a rock shell");
    for (int i = 1; i <= 3; ++i)
        add("stonechunkmedium" + std::to_string(i), 18, 18, "medium stone chip");
    for (int i = 1; i <= 3; ++i)
        add("stonechunksmall" + std::to_string(i), 10, 10, "small stone chip");
    add("ParticleRing", 128, 128, "bright shock ring");
    add("ParticleRingPink", 128, 128, "pink shock ring");
    add("ParticleRingGreen", 128, 128, "green shock ring");
    add("ParticleRingOrange", 128, 128, "orange shock ring");
    add("ParticleRingWhite", 128, 128, "white shock ring");
    add("Clausparkle", 32, 32, "white four-point sparkle (tinted by the game); pointer trail");
    add("ClausparkleFull", 48, 48, "full radiant sparkle");
    add("sparkle", 24, 24, "small white twinkle");
    add("sparklegold", 24, 24, "small golden twinkle");
    add("RedBall", 24, 24, "soft glowing red ember");
    add("GoldDust", 20, 20, "golden glitter mote");
    entries.push_back(BoardStrip(p + "Lightning", 132, 150, 3,
                                 "lightning bolt from top to bottom, three flickers"));
}

}  // namespace

void AddBoardEntries(std::vector<Entry>& entries) {
    AddPointer(entries);
    AddGems(entries);
    AddBonuses(entries);
    AddGrid(entries);
    AddBorder(entries);
    AddParticles(entries);
}

}  // namespace asset
