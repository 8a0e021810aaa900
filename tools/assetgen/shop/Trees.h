// Gnarled bare trees: main limbs laid out by hand (so branches land where the
// scene needs them), smaller branches and twigs grown from them at random
// but kept inside the picture, then painted as one lit silhouette.
#pragma once

#include <vector>

#include "Paint.h"
#include "assetkit/Random.h"

namespace asset::shop {

struct TreeSegment {
    Point from, control, to;
    double width0, width1;
};

class Tree {
  public:
    // Branches must stay `margin` px inside these bounds (a side may be open
    // when the picture's edge is also the screen's edge).
    Tree(double left, double top, double right, double bottom, uint64_t seed);

    // A limb along a spine of points, smoothed, tapering between the widths.
    // `sprouts` side branches grow from it, `depth` levels deep.
    void AddLimb(const std::vector<Point>& spine, double width0, double width1, int sprouts,
                 int depth);
    // A random branch from a point: angle in degrees from straight up.
    void Grow(Point from, double angleDegrees, double length, double width, int depth);

    const std::vector<TreeSegment>& Segments() const { return segments_; }
    // Flat silhouette of every segment.
    void FillSilhouette(cairo_t* cr) const;
    // Bark grooves along the thicker segments (clipped by the caller).
    void StrokeGrooves(cairo_t* cr, Rgb dark, Rgb light) const;

  private:
    bool Inside(Point p) const;
    void SproutAlong(const std::vector<Point>& spine, double width0, double width1, int sprouts,
                     int depth);

    double left_, top_, right_, bottom_;
    Rng rng_;
    std::vector<TreeSegment> segments_;
};

// Lit bark: a tree painted as a rounded solid with grooves.
Canvas PaintTree(const Tree& tree, int width, int height, const SilhouetteLight& light);

}  // namespace asset::shop
