// A depth layer of a scene: silhouettes drawn in any colour (only their
// coverage counts), then composited in one go with the layer's look: a
// colour graded from top to bottom, a moonlit rim on the edges that face the
// light (top left), optional softening for distance, and lit windows.
#pragma once

#include "Paint.h"
#include "Shapes.h"

namespace asset::scenes {

struct Look {
    Rgb upper, lower;  // silhouette colour at gradientTop and gradientBottom
    double gradientTop = 0, gradientBottom = 768;
    Rgb rim = style::kFog;
    double rimAlpha = 0.45;
    double rimWidth = 1.5;  // pixels towards the light
    double blur = 0;        // distance haze
    double alpha = 1.0;
    Rgb glass = style::kCandle;  // lit windows
    double windowGlow = 1.0;
};

class Layer {
  public:
    Layer(int width, int height);
    // Drawing context with an opaque source set: draw shapes with it.
    cairo_t* Cr() { return art_.Cr(); }
    Details& Parts() { return details_; }
    Details* PartsPtr() { return &details_; }
    // The shapes drawn so far (their alpha is their coverage): a mask for
    // painting texture and shading inside them.
    const Canvas& Art() const { return art_; }
    void Composite(Canvas& target, const Look& look);
    // A soft shadow of the layer's shapes, cast down and to the right.
    void Shadow(Canvas& target, double dx, double dy, double blur, double alpha) const;
    // Mirrors the part of the layer above axisY between x0 and x1 into still
    // water below it.
    void Reflect(Canvas& target, double x0, double x1, double axisY, Rgb color, double alpha) const;

  private:
    Canvas art_;
    Details details_;
};

// Lit (warm, glowing) or dark windows; also used for doors and crypt gates.
void PaintWindows(cairo_t* cr, const std::vector<Window>& windows, Rgb frame, Rgb glass,
                  double glow);
void WindowPath(cairo_t* cr, const Window& window);

}  // namespace asset::scenes
