// TGA reading: true-colour (15/16/24/32-bit), greyscale and colour-mapped,
// uncompressed or run-length encoded.
//
// TGA has no magic number, so the header is checked field by field and any
// value a writer would not produce is refused; that is what keeps random
// bytes from passing for a picture.
#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "engine/PictureCodecs.h"
#include "engine/Pixmap.h"

namespace {

constexpr size_t TGA_HEADER_SIZE = 18;

enum TgaKind { TGA_MAPPED = 1, TGA_TRUECOLOUR = 2, TGA_GREY = 3 };
constexpr int TGA_RLE_FLAG = 8;

struct TgaHeader {
    int idLength;
    int mapType;
    int imageType;
    int mapFirst;
    int mapLength;
    int mapEntryBits;
    int width;
    int height;
    int pixelBits;
    int descriptor;

    int Kind() const { return imageType & 7; }
    bool Compressed() const { return (imageType & TGA_RLE_FLAG) != 0; }
    int AlphaBits() const { return descriptor & 0x0F; }
    bool RightToLeft() const { return (descriptor & 0x10) != 0; }
    bool TopDown() const { return (descriptor & 0x20) != 0; }
    int PixelBytes() const { return (pixelBits + 7) / 8; }
    int MapEntryBytes() const { return (mapEntryBits + 7) / 8; }
};

int Word(const uint8_t* p) {
    return p[0] | (p[1] << 8);
}

TgaHeader ParseHeader(const uint8_t* p) {
    return {.idLength = p[0],
            .mapType = p[1],
            .imageType = p[2],
            .mapFirst = Word(p + 3),
            .mapLength = Word(p + 5),
            .mapEntryBits = p[7],
            .width = Word(p + 12),
            .height = Word(p + 14),
            .pixelBits = p[16],
            .descriptor = p[17]};
}

bool IsColourDepth(int bits) {
    return bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

bool HeaderValid(const TgaHeader& h) {
    if (h.mapType > 1) return false;
    if (h.imageType != 1 && h.imageType != 2 && h.imageType != 3 && h.imageType != 9 &&
        h.imageType != 10 && h.imageType != 11) {
        return false;
    }
    if (h.mapType == 1 && (!IsColourDepth(h.mapEntryBits) || h.mapLength == 0)) return false;
    if ((h.descriptor & 0xC0) != 0 || h.AlphaBits() > 8) return false;  // no interleaving
    if (!PictureSizeAcceptable(h.width, h.height)) return false;
    switch (h.Kind()) {
        case TGA_MAPPED:
            return h.mapType == 1 && h.pixelBits == 8 && h.mapFirst + h.mapLength <= 256;
        case TGA_TRUECOLOUR:
            return IsColourDepth(h.pixelBits);
        case TGA_GREY:
            return h.pixelBits == 8;
    }
    return false;
}

using Rgba = std::array<uint8_t, 4>;

uint8_t Expand5(int v) {
    return static_cast<uint8_t>((v << 3) | (v >> 2));
}

// One stored colour (pixel or colour-map entry) of the given depth.
Rgba ReadColour(const uint8_t* p, int bits, int alphaBits) {
    switch (bits) {
        case 8:
            return {p[0], p[0], p[0], 0xFF};
        case 15:
        case 16: {
            const int v = Word(p);
            const bool opaque = bits == 15 || alphaBits == 0 || (v & 0x8000) != 0;
            return {Expand5((v >> 10) & 31), Expand5((v >> 5) & 31), Expand5(v & 31),
                    static_cast<uint8_t>(opaque ? 0xFF : 0)};
        }
        case 24:
            return {p[2], p[1], p[0], 0xFF};
        default:
            return {p[2], p[1], p[0], p[3]};
    }
}

class TgaDecoder {
  public:
    TgaDecoder(const uint8_t* data, size_t size, const TgaHeader& header)
        : data_(data), size_(size), header_(header) {}

    PixmapPtr Decode() {
        pos_ = TGA_HEADER_SIZE + header_.idLength;
        if (!ReadColourMap() || !DataCanHoldImage()) return nullptr;
        PixmapPtr pixmap = TPixmap::Create(header_.width, header_.height, PixelFormat::RGBA8888);
        const bool ok =
            header_.Compressed() ? ReadRunLengthPixels(*pixmap) : ReadPlainPixels(*pixmap);
        if (!ok) return nullptr;
        FixUnusedAlpha(*pixmap);
        Orient(*pixmap);
        return HasAlpha(*pixmap) ? pixmap : pixmap->Convert(PixelFormat::RGB888);
    }

  private:
    size_t Remaining() const { return size_ - pos_; }

    bool ReadColourMap() {
        if (header_.mapType == 0) return pos_ <= size_;
        const size_t bytes = static_cast<size_t>(header_.mapLength) * header_.MapEntryBytes();
        if (pos_ > size_ || bytes > Remaining()) return false;
        colourMap_.reserve(header_.mapLength);
        for (int i = 0; i < header_.mapLength; ++i) {
            colourMap_.push_back(
                ReadColour(data_ + pos_, header_.mapEntryBits, header_.AlphaBits()));
            pos_ += header_.MapEntryBytes();
        }
        return true;
    }

    // Checked before any pixel memory is set aside. A run-length packet of
    // 1 + PixelBytes bytes covers at most 128 pixels.
    bool DataCanHoldImage() const {
        const size_t count = static_cast<size_t>(header_.width) * header_.height;
        const size_t pixelBytes = header_.PixelBytes();
        if (header_.Compressed()) return count / 128 * (1 + pixelBytes) <= Remaining();
        return count * pixelBytes <= Remaining();
    }

    // Reads the pixel at pos_ (which the caller has bounds-checked).
    bool ReadPixel(Rgba& out) {
        const uint8_t* p = data_ + pos_;
        pos_ += header_.PixelBytes();
        if (header_.Kind() != TGA_MAPPED) {
            out = ReadColour(p, header_.pixelBits, header_.AlphaBits());
            return true;
        }
        const int entry = p[0] - header_.mapFirst;
        if (entry < 0 || entry >= static_cast<int>(colourMap_.size())) return false;
        out = colourMap_[entry];
        return true;
    }

    // Pixels are stored in file order here; Orient puts them right.
    static void Store(TPixmap& pixmap, size_t index, const Rgba& colour) {
        std::copy(colour.begin(), colour.end(), pixmap.Pixels() + index * 4);
    }

    bool ReadPlainPixels(TPixmap& pixmap) {
        const size_t count = static_cast<size_t>(header_.width) * header_.height;
        Rgba colour{};  // DataCanHoldImage has checked the length
        for (size_t i = 0; i < count; ++i) {
            if (!ReadPixel(colour)) return false;
            Store(pixmap, i, colour);
        }
        return true;
    }

    // Each packet: a count byte (top bit set = one pixel repeated, clear =
    // that many literal pixels), then the pixel data. Runs may cross rows but
    // never the end of the picture or of the data.
    bool ReadRunLengthPixels(TPixmap& pixmap) {
        const size_t count = static_cast<size_t>(header_.width) * header_.height;
        const size_t pixelBytes = header_.PixelBytes();
        size_t done = 0;
        Rgba colour{};
        while (done < count) {
            if (Remaining() < 1) return false;
            const uint8_t packet = data_[pos_++];
            const size_t length = (packet & 0x7F) + 1u;
            const bool repeated = (packet & 0x80) != 0;
            if (length > count - done) return false;
            if ((repeated ? pixelBytes : length * pixelBytes) > Remaining()) return false;
            for (size_t i = 0; i < length; ++i) {
                if ((i == 0 || !repeated) && !ReadPixel(colour)) return false;
                Store(pixmap, done++, colour);
            }
        }
        return true;
    }

    // Many writers leave the alpha bytes of 32-bit pictures at zero and say
    // so with an alpha depth of 0; such a picture is meant to be opaque.
    // Without alpha bits, or with alpha bytes that are all opaque, the
    // picture has no transparency of its own.
    bool HasAlpha(const TPixmap& pixmap) const {
        if (header_.AlphaBits() == 0 && header_.pixelBits != 32) return false;
        const uint8_t* pixels = pixmap.Pixels();
        const size_t bytes = static_cast<size_t>(pixmap.Pitch()) * pixmap.Height();
        for (size_t i = 3; i < bytes; i += 4) {
            if (pixels[i] != 0xFF) return true;
        }
        return false;
    }

    void FixUnusedAlpha(TPixmap& pixmap) const {
        if (header_.pixelBits != 32 || header_.AlphaBits() != 0) return;
        uint8_t* pixels = pixmap.Pixels();
        const size_t bytes = static_cast<size_t>(pixmap.Pitch()) * pixmap.Height();
        for (size_t i = 3; i < bytes; i += 4) {
            if (pixels[i] != 0) return;
        }
        for (size_t i = 3; i < bytes; i += 4)
            pixels[i] = 0xFF;
    }

    void Orient(TPixmap& pixmap) const {
        const int w = pixmap.Width(), h = pixmap.Height();
        if (!header_.TopDown()) {
            for (int y = 0; y < h / 2; ++y) {
                std::swap_ranges(pixmap.PixelPtr(0, y), pixmap.PixelPtr(0, y) + pixmap.Pitch(),
                                 pixmap.PixelPtr(0, h - 1 - y));
            }
        }
        if (header_.RightToLeft()) {
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w / 2; ++x) {
                    std::swap_ranges(pixmap.PixelPtr(x, y), pixmap.PixelPtr(x, y) + 4,
                                     pixmap.PixelPtr(w - 1 - x, y));
                }
            }
        }
    }

    const uint8_t* data_;
    size_t size_;
    TgaHeader header_;
    size_t pos_ = 0;
    std::vector<Rgba> colourMap_;
};

}  // namespace

PixmapPtr DecodeTGA(const uint8_t* data, size_t size) {
    if (!data || size < TGA_HEADER_SIZE) return nullptr;
    const TgaHeader header = ParseHeader(data);
    if (!HeaderValid(header)) return nullptr;
    return TgaDecoder(data, size, header).Decode();
}
