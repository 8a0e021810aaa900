// Maps every board picture of the manifest to the function that draws it.
#include <functional>
#include <string>

#include "Board.h"
#include "assetkit/Registry.h"

namespace asset {
namespace {

void AddPicture(Registry& registry, const std::string& path, std::function<Canvas()> draw) {
    registry.Add("graphics/" + path + ".png", [draw] { return board::Finish(draw()); });
}

void RegisterGems(Registry& registry) {
    AddPicture(registry, "pointer", board::MousePointer);
    AddPicture(registry, "Gems/Gems", board::GemStrip);
    AddPicture(registry, "Gems/Gold Skull", board::GoldSkullPiece);
    AddPicture(registry, "Gems/Lock1", [] { return board::LockOverlay(1); });
    AddPicture(registry, "Gems/Lock2", [] { return board::LockOverlay(2); });
}

void RegisterBonuses(Registry& registry) {
    using board::Bomb;
    static const std::pair<const char*, Bomb> kBombs[] = {
        {"pump", Bomb::Pumpkin}, {"lantern", Bomb::Lantern}, {"candle", Bomb::Candle},
        {"grave", Bomb::Grave},  {"torch", Bomb::Torch},     {"well", Bomb::Well},
    };
    for (const auto& [name, bomb] : kBombs) {
        const Bomb kind = bomb;
        AddPicture(registry, std::string("Bonuses/") + name + "1",
                   [kind] { return board::BombPiece(kind, false); });
        AddPicture(registry, std::string("Bonuses/") + name + "2",
                   [kind] { return board::BombPiece(kind, true); });
    }
    AddPicture(registry, "Bonuses/garlic", board::GarlicPiece);
    AddPicture(registry, "Bonuses/moneybag", board::MoneyBagPiece);
    AddPicture(registry, "Bonuses/coin", board::CoinStrip);
}

void RegisterGrid(Registry& registry) {
    AddPicture(registry, "Grid/Rock1Var1", [] { return board::RockOverlay(1, 1); });
    AddPicture(registry, "Grid/Rock1Var2", [] { return board::RockOverlay(1, 2); });
    AddPicture(registry, "Grid/Rock2", [] { return board::RockOverlay(2, 1); });
    AddPicture(registry, "Grid/EmptyTile", board::EmptyTile);
    AddPicture(registry, "Grid/IceTile", board::IceTile);
    AddPicture(registry, "Grid/SnowTile", board::SnowTile);
    AddPicture(registry, "Grid/BonusHighlight", board::BonusHighlight);
    AddPicture(registry, "Grid/MagicHighlight", board::MagicHighlight);
    AddPicture(registry, "Grid/MagicHighlightParticle", board::MagicHighlightParticle);
    AddPicture(registry, "Cursor/Cursor", board::SelectionCursor);
}

void RegisterBorder(Registry& registry) {
    static const char* const kPieces[] = {
        "BorderTop",       "BorderBottom",    "BorderLeft",       "BorderRight",   "CornerTL",
        "CornerTR",        "CornerBL",        "CornerBR",         "InnerCornerTL", "InnerCornerTR",
        "InnerCornerBL",   "InnerCornerBR",   "ExtraLongBottom",  "ExtraLongLeft", "ExtraLongRight",
        "ExtraLongTop",    "ExtraBottomLeft", "ExtraBottomRight", "ExtraTopLeft",  "ExtraTopRight",
        "ExtraLeftBottom", "ExtraLeftTop",    "ExtraRightBottom", "ExtraRightTop",
    };
    for (const char* piece : kPieces) {
        const std::string name = piece;
        AddPicture(registry, "Border/" + name, [name] { return board::BorderPiece(name); });
    }
}

void RegisterParticles(Registry& registry) {
    std::vector<std::string> names = {
        "GoldTileParticle",
        "SilverTileParticle",
        "blurefireanim",
        "fireballanim",
        "Fireball",
        "dust1",
        "dust2",
        "dust3",
        "garlicchunk3",
        "garlicchunk4",
        "lightbeam thin",
        "lightbeam thick",
        "silverbulletparticle",
        "ParticleRing",
        "ParticleRingPink",
        "ParticleRingGreen",
        "ParticleRingOrange",
        "ParticleRingWhite",
        "Clausparkle",
        "ClausparkleFull",
        "sparkle",
        "sparklegold",
        "RedBall",
        "GoldDust",
        "Lightning",
    };
    for (int i = 1; i <= 3; ++i)
        names.push_back("pumpkinchunklarge" + std::to_string(i));
    for (int i = 1; i <= 2; ++i) {
        names.push_back("pumpkinchunkmedium" + std::to_string(i));
        names.push_back("pumpkinchunkedge" + std::to_string(i));
        names.push_back("pumpkinchunksmall" + std::to_string(i));
    }
    for (int i = 1; i <= 4; ++i)
        names.push_back("stonechunkbig" + std::to_string(i));
    for (int i = 1; i <= 3; ++i) {
        names.push_back("stonechunkmedium" + std::to_string(i));
        names.push_back("stonechunksmall" + std::to_string(i));
    }
    for (const std::string& name : names) {
        AddPicture(registry, "Particles/" + name, [name] { return board::ParticlePicture(name); });
    }
}

}  // namespace

void RegisterBoard(Registry& registry) {
    RegisterGems(registry);
    RegisterBonuses(registry);
    RegisterGrid(registry);
    RegisterBorder(registry);
    RegisterParticles(registry);
}

}  // namespace asset
