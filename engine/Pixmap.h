// Pixel maps: rectangles of pixels in main memory, with the picture codecs
// that fill them (PNG, JPEG, TGA) and the PNG writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class PixelFormat {
    A8,        // alpha only
    I8,        // grey (intensity)
    RGB888,    // bytes R, G, B
    BGR888,    // bytes B, G, R
    RGBA8888,  // bytes R, G, B, A (the format every loaded picture arrives in)
    BGRA8888,  // bytes B, G, R, A
};

int BytesPerPixel(PixelFormat format);
bool FormatHasAlpha(PixelFormat format);

class TPixmap;
using PixmapPtr = std::shared_ptr<TPixmap>;

class TPixmap {
  public:
    TPixmap(int width, int height, PixelFormat format = PixelFormat::RGBA8888);

    static PixmapPtr Create(int width, int height, PixelFormat format = PixelFormat::RGBA8888);

    int Width() const { return width_; }
    int Height() const { return height_; }
    PixelFormat Format() const { return format_; }
    int Pitch() const { return pitch_; }  // bytes per row
    uint8_t* Pixels() { return pixels_.data(); }
    const uint8_t* Pixels() const { return pixels_.data(); }
    uint8_t* PixelPtr(int x, int y) {
        return pixels_.data() + y * pitch_ + x * BytesPerPixel(format_);
    }
    const uint8_t* PixelPtr(int x, int y) const {
        return pixels_.data() + y * pitch_ + x * BytesPerPixel(format_);
    }

    // 32-bit ARGB (0xAARRGGBB). Outside the pixmap reads give 0 and writes do nothing.
    uint32_t ReadPixel(int x, int y) const;
    void WritePixel(int x, int y, uint32_t argb);
    void ClearPixels(uint32_t argb);

    PixmapPtr Convert(PixelFormat format) const;
    PixmapPtr Copy() const;
    // A copy of the rectangle (x, y, w, h), clipped to the pixmap.
    PixmapPtr Window(int x, int y, int w, int h) const;
    // Paste src with its top-left corner at (x, y), converting pixel by pixel.
    void Paste(const TPixmap& src, int x, int y);

  private:
    int width_;
    int height_;
    PixelFormat format_;
    int pitch_;
    std::vector<uint8_t> pixels_;
};

// Loads a PNG, JPEG or TGA picture (recognised by content, not by name):
// RGBA8888 when the picture has transparency of its own (an alpha channel or
// a transparent colour), RGB888 when it has none. Returns null for a missing file or bytes that are
// not a picture it can read: cut short anywhere, damaged beyond repair, or claiming a size its data
// cannot hold (refused before memory is set aside for it). Arithmetic-coded JPEGs are refused too.
// Never crashes, whatever the bytes.
PixmapPtr LoadPixmap(const std::string& path);
PixmapPtr LoadPixmapFromMemory(const uint8_t* data, size_t size);

// Individual codecs, for callers that know what they hold.
PixmapPtr DecodePNG(const uint8_t* data, size_t size);
PixmapPtr DecodeJPEG(const uint8_t* data, size_t size);
PixmapPtr DecodeTGA(const uint8_t* data, size_t size);

// Writes a PNG with zlib compression level 0..9 (clamped). Pixmaps without
// alpha are written as RGB, the others as RGBA. Returns false on any failure;
// the file is written to a temporary name first and renamed into place, so a
// failed write leaves an earlier file of that name untouched.
bool SavePixmapPNG(const TPixmap& pixmap, const std::string& path, int compression);
// The same encoding into memory.
bool EncodePNG(const TPixmap& pixmap, int compression, std::vector<uint8_t>& out);
