#include "engine/Pixmap.h"

#include <algorithm>
#include <cstring>

int BytesPerPixel(PixelFormat format) {
    switch (format) {
        case PixelFormat::A8:
        case PixelFormat::I8:
            return 1;
        case PixelFormat::RGB888:
        case PixelFormat::BGR888:
            return 3;
        case PixelFormat::RGBA8888:
        case PixelFormat::BGRA8888:
            return 4;
    }
    return 4;
}

bool FormatHasAlpha(PixelFormat format) {
    return format == PixelFormat::A8 || format == PixelFormat::RGBA8888 ||
           format == PixelFormat::BGRA8888;
}

namespace {

uint32_t PackArgb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}

// Grey level by luminance (weights 0.299, 0.587, 0.114 in 8-bit fixed point,
// summing to 256), so white stays 255 and pure green reads brighter than pure
// blue, as the eye sees them.
uint8_t Luminance(uint32_t argb) {
    const uint32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
    return static_cast<uint8_t>((r * 77 + g * 150 + b * 29 + 128) >> 8);
}

uint32_t LoadPixel(const uint8_t* p, PixelFormat format) {
    switch (format) {
        case PixelFormat::A8:
            return PackArgb(p[0], 0xFF, 0xFF, 0xFF);
        case PixelFormat::I8:
            return PackArgb(0xFF, p[0], p[0], p[0]);
        case PixelFormat::RGB888:
            return PackArgb(0xFF, p[0], p[1], p[2]);
        case PixelFormat::BGR888:
            return PackArgb(0xFF, p[2], p[1], p[0]);
        case PixelFormat::RGBA8888:
            return PackArgb(p[3], p[0], p[1], p[2]);
        case PixelFormat::BGRA8888:
            return PackArgb(p[3], p[2], p[1], p[0]);
    }
    return 0;
}

void StorePixel(uint8_t* p, PixelFormat format, uint32_t argb) {
    const uint8_t a = argb >> 24, r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
    switch (format) {
        case PixelFormat::A8:
            p[0] = a;
            break;
        case PixelFormat::I8:
            p[0] = Luminance(argb);
            break;
        case PixelFormat::RGB888:
            p[0] = r, p[1] = g, p[2] = b;
            break;
        case PixelFormat::BGR888:
            p[0] = b, p[1] = g, p[2] = r;
            break;
        case PixelFormat::RGBA8888:
            p[0] = r, p[1] = g, p[2] = b, p[3] = a;
            break;
        case PixelFormat::BGRA8888:
            p[0] = b, p[1] = g, p[2] = r, p[3] = a;
            break;
    }
}

void ConvertRow(const uint8_t* src, PixelFormat srcFormat, uint8_t* dst, PixelFormat dstFormat,
                int count) {
    const int srcBytes = BytesPerPixel(srcFormat), dstBytes = BytesPerPixel(dstFormat);
    if (srcFormat == dstFormat) {
        std::memcpy(dst, src, static_cast<size_t>(count) * srcBytes);
        return;
    }
    for (int i = 0; i < count; ++i) {
        StorePixel(dst + i * dstBytes, dstFormat, LoadPixel(src + i * srcBytes, srcFormat));
    }
}

}  // namespace

TPixmap::TPixmap(int width, int height, PixelFormat format)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      format_(format),
      pitch_(width_ * BytesPerPixel(format)),
      pixels_(static_cast<size_t>(pitch_) * height_) {}

PixmapPtr TPixmap::Create(int width, int height, PixelFormat format) {
    return std::make_shared<TPixmap>(width, height, format);
}

uint32_t TPixmap::ReadPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return LoadPixel(PixelPtr(x, y), format_);
}

void TPixmap::WritePixel(int x, int y, uint32_t argb) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    StorePixel(PixelPtr(x, y), format_, argb);
}

void TPixmap::ClearPixels(uint32_t argb) {
    if (pixels_.empty()) return;
    const int bytes = BytesPerPixel(format_);
    StorePixel(pixels_.data(), format_, argb);
    for (size_t i = bytes; i < pixels_.size(); i += bytes) {
        std::memcpy(&pixels_[i], pixels_.data(), bytes);
    }
}

PixmapPtr TPixmap::Convert(PixelFormat format) const {
    PixmapPtr result = Create(width_, height_, format);
    for (int y = 0; y < height_; ++y) {
        ConvertRow(PixelPtr(0, y), format_, result->PixelPtr(0, y), format, width_);
    }
    return result;
}

PixmapPtr TPixmap::Copy() const {
    return std::make_shared<TPixmap>(*this);
}

PixmapPtr TPixmap::Window(int x, int y, int w, int h) const {
    const int left = std::max(x, 0), top = std::max(y, 0);
    // 64-bit sums: a caller may pass INT_MAX for "to the edge".
    const int right = static_cast<int>(std::min<int64_t>(int64_t{x} + w, width_));
    const int bottom = static_cast<int>(std::min<int64_t>(int64_t{y} + h, height_));
    if (right <= left || bottom <= top) return Create(0, 0, format_);
    PixmapPtr result = Create(right - left, bottom - top, format_);
    const size_t rowBytes = static_cast<size_t>(result->Pitch());
    for (int row = top; row < bottom; ++row) {
        std::memcpy(result->PixelPtr(0, row - top), PixelPtr(left, row), rowBytes);
    }
    return result;
}

void TPixmap::Paste(const TPixmap& src, int x, int y) {
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = static_cast<int>(std::min<int64_t>(int64_t{x} + src.Width(), width_));
    const int bottom = static_cast<int>(std::min<int64_t>(int64_t{y} + src.Height(), height_));
    if (right <= left || bottom <= top) return;
    if (&src == this) {
        // Rows could overlap; work from a snapshot.
        Paste(*src.Copy(), x, y);
        return;
    }
    for (int row = top; row < bottom; ++row) {
        ConvertRow(src.PixelPtr(left - x, row - y), src.Format(), PixelPtr(left, row), format_,
                   right - left);
    }
}
