// A picture being drawn: a cairo image surface (premultiplied ARGB) with the
// pixel effects cairo lacks, and encoders to PNG and JPEG.
#pragma once

#include <cairo.h>

#include <string>
#include <vector>

#include "assetkit/Bytes.h"

namespace asset {

class Canvas {
  public:
    Canvas(int width, int height);  // transparent
    ~Canvas();
    Canvas(const Canvas& other);
    Canvas& operator=(const Canvas& other);
    Canvas(Canvas&& other) noexcept;
    Canvas& operator=(Canvas&& other) noexcept;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // The drawing context, reset to the identity transform and default state
    // by Reset().
    cairo_t* Cr() { return cr_; }
    cairo_surface_t* Surface() { return surface_; }
    void Reset();

    // Direct pixel access (premultiplied 0xAARRGGBB). Call Flush() before and
    // MarkDirty() after touching pixels that cairo drew or will draw over.
    void Flush();
    void MarkDirty();
    uint32_t* Row(int y);
    const uint32_t* Row(int y) const;
    // Straight (not premultiplied) colour of a pixel, 0xAARRGGBB.
    uint32_t StraightPixel(int x, int y) const;

    void Clear(double r = 0, double g = 0, double b = 0, double a = 0);
    // Draws another canvas with its top-left at (x, y).
    void Draw(const Canvas& other, double x, double y, double alpha = 1.0);
    // Draws another canvas scaled into the rectangle.
    void DrawScaled(const Canvas& other, double x, double y, double width, double height,
                    double alpha = 1.0);

    // Gaussian-like blur of every channel (three box passes).
    void Blur(double radius);
    // Multiplies alpha by a factor (premultiplied colour follows).
    void Fade(double factor);
    // The alpha channel only, painted in one colour: a silhouette for shadows
    // and glows.
    Canvas Silhouette(double r, double g, double b, double a = 1.0) const;
    // True when every pixel is opaque.
    bool Opaque() const;

    // RGBA PNG (alpha always written, so no colour is ever masked out).
    Bytes EncodePNG() const;
    // Baseline JPEG of the picture flattened over `background` (0xRRGGBB).
    Bytes EncodeJPEG(int quality = 90, uint32_t background = 0x101018) const;

  private:
    int width_, height_;
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
};

// Frames laid out row by row, `columns` per row, each frame at its cell's
// top-left (frames must all be cellWidth x cellHeight or smaller).
Canvas Strip(const std::vector<Canvas>& frames, int cellWidth, int cellHeight, int columns);

// Fonts from Debian's font packages, for text baked into pictures. The path
// is looked up under /usr/share/fonts when it is a bare file name. Throws
// std::runtime_error when the font is missing.
cairo_font_face_t* FontFace(const std::string& fileName);
std::string FindFontFile(const std::string& fileName);

// Renders SVG source into the rectangle (librsvg); false on a parse error.
bool DrawSvg(Canvas& canvas, const std::string& svg, double x, double y, double width,
             double height);

// Common shapes.
void RoundedRectangle(cairo_t* cr, double x, double y, double width, double height, double radius);
// A regular star or polygon path (points >= 3; inner == outer for a polygon).
void StarPath(cairo_t* cr, double cx, double cy, int points, double outer, double inner,
              double rotationDegrees);
// A soft round glow: radial gradient from the colour at alpha to transparent.
void RadialGlow(cairo_t* cr, double cx, double cy, double radius, double r, double g, double b,
                double alpha);

}  // namespace asset
