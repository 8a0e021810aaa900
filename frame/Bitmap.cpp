#include "frame/Bitmap.h"

#include <cstdint>
#include <vector>

#include "engine/Files.h"

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kPixelDataOffset = kFileHeaderSize + kInfoHeaderSize;
constexpr int kPixelsPerMetre = 2834;  // 72 dots per inch

void PutU16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

// Rows of a 24-bit bitmap are padded to whole 32-bit words.
uint32_t RowBytes(int width) {
    return (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
}

void PutHeaders(std::vector<uint8_t>& out, int width, int height) {
    const uint32_t imageSize = RowBytes(width) * static_cast<uint32_t>(height);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, kPixelDataOffset + imageSize);
    PutU32(out, 0);  // reserved
    PutU32(out, kPixelDataOffset);
    PutU32(out, kInfoHeaderSize);
    PutU32(out, static_cast<uint32_t>(width));
    PutU32(out, static_cast<uint32_t>(height));  // positive: rows run bottom-up
    PutU16(out, 1);                              // planes
    PutU16(out, 24);                             // bits per pixel
    PutU32(out, 0);                              // no compression
    PutU32(out, imageSize);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, 0);  // colours used
    PutU32(out, 0);  // important colours
}

void PutPixelRows(std::vector<uint8_t>& out, const TPixmap& pixmap) {
    const size_t padding = RowBytes(pixmap.Width()) - static_cast<size_t>(pixmap.Width()) * 3;
    for (int y = pixmap.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < pixmap.Width(); ++x) {
            const uint32_t argb = pixmap.ReadPixel(x, y);
            out.push_back(static_cast<uint8_t>(argb & 0xFF));
            out.push_back(static_cast<uint8_t>((argb >> 8) & 0xFF));
            out.push_back(static_cast<uint8_t>((argb >> 16) & 0xFF));
        }
        out.insert(out.end(), padding, 0);
    }
}

}  // namespace

bool WriteBitmap24(const TPixmap& pixmap, const std::string& path) {
    if (pixmap.Width() <= 0 || pixmap.Height() <= 0) return false;
    std::vector<uint8_t> bytes;
    bytes.reserve(kPixelDataOffset +
                  RowBytes(pixmap.Width()) * static_cast<size_t>(pixmap.Height()));
    PutHeaders(bytes, pixmap.Width(), pixmap.Height());
    PutPixelRows(bytes, pixmap);
    return SaveBytesSafely(path, bytes.data(), bytes.size());
}

bool SaveImageAsBitmap(const std::string& imageFile, const std::string& bitmapFile) {
    // The picture's own pixels: a bitmap of 24 bits keeps no transparency.
    PixmapPtr pixels = LoadPixmap(imageFile);
    return pixels && pixels->Width() > 0 && pixels->Height() > 0 &&
           WriteBitmap24(*pixels, bitmapFile);
}
