// The pictures of the shop scene that are not single decorations: the empty
// backdrop and the two always-drawn scenery layers.
#pragma once

#include "assetkit/Canvas.h"

namespace asset::shop {

// Where things stand in the scene (screen pixels). The decorations are drawn
// at fixed places, so the backdrop and the decorations share these.
namespace place {
constexpr double kMoonX = 335, kMoonY = 60, kMoonRadius = 42;
constexpr double kChimneyTopY = 100;  // the cat sits here
}  // namespace place

Canvas DrawShopBackdrop();
// Full-screen layer over most decorations: ground edge, bushes, fence ends.
void DrawForeground(Canvas& canvas);
// The gnarled tree on the right that the cages hang from; canvas local to
// its top-left corner (632, 0).
void DrawMidRightTree(Canvas& canvas);

}  // namespace asset::shop
