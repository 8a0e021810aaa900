// Picking the codec for a picture's bytes, and saving pictures.
#include "engine/PictureCodecs.h"

#include <cstring>

#include "engine/Files.h"
#include "engine/Pixmap.h"

namespace {

bool StartsWith(const uint8_t* data, size_t size, const uint8_t* magic, size_t magicSize) {
    return size >= magicSize && std::memcmp(data, magic, magicSize) == 0;
}

}  // namespace

PixmapPtr LoadPixmapFromMemory(const uint8_t* data, size_t size) {
    static const uint8_t pngMagic[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    static const uint8_t jpegMagic[] = {0xFF, 0xD8, 0xFF};
    if (!data || size == 0) return nullptr;
    if (StartsWith(data, size, pngMagic, sizeof pngMagic)) return DecodePNG(data, size);
    if (StartsWith(data, size, jpegMagic, sizeof jpegMagic)) return DecodeJPEG(data, size);
    // TGA has no magic number; its decoder checks the header strictly instead.
    return DecodeTGA(data, size);
}

PixmapPtr LoadPixmap(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!LoadBytes(ResolvePath(path), bytes)) return nullptr;
    return LoadPixmapFromMemory(bytes.data(), bytes.size());
}

bool SavePixmapPNG(const TPixmap& pixmap, const std::string& path, int compression) {
    std::vector<uint8_t> encoded;
    if (!EncodePNG(pixmap, compression, encoded)) return false;
    return SaveBytesSafely(path, encoded.data(), encoded.size());
}
