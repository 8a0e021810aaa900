// Every shop decoration: one drawing routine each, used for the picture in
// the scene, its list picture and its "found" picture.
#pragma once

#include <string>
#include <vector>

#include "assetkit/Canvas.h"

namespace asset::shop {

// A part of a decoration's picture, in its own pixels.
struct Frame {
    double x = 0, y = 0, width = 0, height = 0;  // width 0: the whole picture
    double rotation = 0;                         // degrees, to fill a round plate better
};

// Sides of a decoration's picture that lie on the screen's edge; only these
// may keep content right up to the border.
enum ScreenEdge : unsigned { kNoEdge = 0, kTop = 1, kLeft = 2, kRight = 4, kBottom = 8 };

struct Decoration {
    std::string file;              // name under graphics/ShopScreen/items/
    void (*draw)(Canvas& canvas);  // draws into a canvas of the manifest size
    Frame icon;                    // the part shown on the list plate and found picture
    unsigned screenEdges = kNoEdge;
    // Art for the plates when no part of the picture reads well that small.
    Canvas (*iconArt)() = nullptr;
};

const std::vector<Decoration>& Decorations();
const Decoration* FindDecoration(const std::string& file);

// The picture of a decoration as it is drawn in the scene (its edges that
// are not on the screen's edge fade out, so no glow ends in a hard line).
Canvas RenderDecoration(const Decoration& decoration);
// The list picture (100 x 90): the decoration on a round plate, as it rests,
// under the mouse (the plate lit and the object lifted) and pressed. The
// three line up pixel for pixel, so one can fade into another.
enum class PlateState { Normal, Over, Down };
Canvas ListPicture(const Decoration& decoration, PlateState state);
// The "found" picture (300 x 180): the decoration on a moonlit vignette.
Canvas FoundPicture(const Decoration& decoration);

// The drawing routines, grouped by the file that holds them.
// Pumpkins.cpp
void DrawPumpkin1(Canvas& canvas);
void DrawPumpkin2(Canvas& canvas);
void DrawPumpkinLights1(Canvas& canvas);
void DrawPumpkinLights2(Canvas& canvas);
// Lights.cpp
void DrawLantern1(Canvas& canvas);
void DrawLantern2(Canvas& canvas);
void DrawCandelabra1(Canvas& canvas);
void DrawCandelabra2(Canvas& canvas);
void DrawTorch1(Canvas& canvas);
void DrawTorch2(Canvas& canvas);
// Creatures.cpp
void DrawCat1(Canvas& canvas);
void DrawCat2(Canvas& canvas);
void DrawWeb1(Canvas& canvas);
void DrawWeb2(Canvas& canvas);
Canvas WebIcon1();
Canvas WebIcon2();
// Graves.cpp
void DrawCrossGravestone1(Canvas& canvas);
void DrawCrossGravestone2(Canvas& canvas);
void DrawCurvedGravestone1(Canvas& canvas);
void DrawCurvedGravestone2(Canvas& canvas);
void DrawCurvedGravestone3(Canvas& canvas);
void DrawCoffin1(Canvas& canvas);
void DrawCoffin2(Canvas& canvas);
void DrawCoffin3(Canvas& canvas);
void DrawGravebed(Canvas& canvas);
// Props.cpp
void DrawWell1(Canvas& canvas);
void DrawWell2(Canvas& canvas);
void DrawCauldron(Canvas& canvas);
void DrawBroomstick1(Canvas& canvas);
void DrawBroomstick2(Canvas& canvas);
void DrawBroomstick3(Canvas& canvas);
void DrawCage1(Canvas& canvas);
void DrawCage2(Canvas& canvas);
void DrawCage3(Canvas& canvas);
void DrawBrackenfoldSign(Canvas& canvas);
Canvas BrackenfoldIcon();
// Mist.cpp
void DrawMist1(Canvas& canvas);
void DrawMist2(Canvas& canvas);
Canvas MistIcon1();
Canvas MistIcon2();
// Scenery.cpp
void DrawLightningTree1(Canvas& canvas);
void DrawLightningTree2(Canvas& canvas);
void DrawLightningTree3(Canvas& canvas);

}  // namespace asset::shop
