// The board's pictures: gems, bombs, tiles, border, particles and pointer.
// Each function returns the finished picture; Generators.cpp maps them to
// their data paths.
#pragma once

#include <string>

#include "Art.h"

namespace board {

constexpr int kCell = 66;

// Gems.cpp
Canvas GemStrip();
Canvas GoldSkullPiece();
Canvas LockOverlay(int variant);  // 1 or 2
// A golden skull of the given height, centred at (cx, cy), on an open context.
void DrawGoldSkull(Sheet& sheet, double cx, double cy, double height);

// Bonuses.cpp
enum class Bomb { Pumpkin, Lantern, Candle, Grave, Torch, Well };
Canvas BombPiece(Bomb bomb, bool upgraded);
Canvas GarlicPiece();
Canvas MoneyBagPiece();
Canvas CoinStrip();

// Grid.cpp
Canvas RockOverlay(int strength, int variant);
Canvas EmptyTile();
Canvas IceTile();
Canvas SnowTile();
Canvas GoldLayerParticle();
Canvas SilverLayerParticle();
Canvas BonusHighlight();
Canvas MagicHighlight();
Canvas MagicHighlightParticle();
Canvas SelectionCursor();
Canvas MousePointer();

// Border.cpp
// Piece names as on disk without the extension: "BorderTop", "CornerTL",
// "InnerCornerBR", "ExtraLongTop", ...
Canvas BorderPiece(const std::string& name);

// Particles.cpp: name as on disk without folder and extension.
Canvas ParticlePicture(const std::string& name);

}  // namespace board
