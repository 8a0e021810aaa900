// PNG reading and writing through libpng.
//
// libpng reports errors by longjmp. Every function below that calls setjmp
// holds only plain values, and the C++ objects (pixmaps, row tables, output
// buffers) are made outside those functions, so a jump never skips a
// destructor.
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <new>

#include "engine/PictureCodecs.h"
#include "engine/Pixmap.h"

namespace {

void OnPngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void OnPngWarning(png_structp, png_const_charp) {}  // damaged extras are simply skipped

struct MemoryReader {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t count) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (count > reader->size - reader->pos) png_error(png, "truncated");
    std::memcpy(out, reader->data + reader->pos, count);
    reader->pos += count;
}

class PngDecoder {
  public:
    PngDecoder(const uint8_t* data, size_t size) : reader_{data, size, 0} {}
    ~PngDecoder() {
        if (png_) png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr);
    }
    PngDecoder(const PngDecoder&) = delete;
    PngDecoder& operator=(const PngDecoder&) = delete;

    // Reads the header and sets libpng up to deliver 8-bit RGBA rows.
    bool ReadHeader() {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
        if (!png_) return false;
        if (setjmp(png_jmpbuf(png_))) return false;
        info_ = png_create_info_struct(png_);
        if (!info_) return false;
        png_set_read_fn(png_, &reader_, ReadFromMemory);
        // libpng refuses larger headers itself, before allocating anything.
        png_set_user_limits(png_, MAX_PICTURE_SIDE, MAX_PICTURE_SIDE);
        // libpng reads most ancillary chunks (text, palettes, profiles) whole,
        // setting aside the length a chunk claims before it can tell that the
        // file is too short to hold it; its chunk size cap only warns. The
        // picture needs none of them: every chunk but IHDR, PLTE, tRNS, IDAT
        // and IEND is skipped unread.
        png_set_keep_unknown_chunks(png_, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
        png_read_info(png_, info_);
        if (!DataCanHoldImage()) return false;
        RequestRgba();
        png_read_update_info(png_, info_);
        width_ = png_get_image_width(png_, info_);
        height_ = png_get_image_height(png_, info_);
        return PictureSizeAcceptable(width_, height_) &&
               png_get_rowbytes(png_, info_) == static_cast<size_t>(width_) * 4;
    }

    // Reads every row, then the rest of the file up to IEND, so a file cut
    // short anywhere is refused.
    bool ReadImage(png_bytepp rows) {
        if (setjmp(png_jmpbuf(png_))) return false;
        png_read_image(png_, rows);
        png_read_end(png_, nullptr);
        return true;
    }

    int Width() const { return static_cast<int>(width_); }
    bool HasAlpha() const { return hasAlpha_; }
    int Height() const { return static_cast<int>(height_); }

  private:
    // Deflate packs at most about 1032 bytes into one, so a file too small
    // to hold its rows is refused before memory is set aside for them.
    bool DataCanHoldImage() const {
        const uint64_t rowBytes = png_get_rowbytes(png_, info_) + 1;  // + filter byte
        const uint64_t rawBytes = rowBytes * png_get_image_height(png_, info_);
        return rawBytes / 1032 <= reader_.size;
    }

    void RequestRgba() {
        const int colorType = png_get_color_type(png_, info_);
        const int bitDepth = png_get_bit_depth(png_, info_);
        hasAlpha_ = (colorType & PNG_COLOR_MASK_ALPHA) != 0 ||
                    png_get_valid(png_, info_, PNG_INFO_tRNS) != 0;
        if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png_);
        if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png_);
        if (png_get_valid(png_, info_, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png_);
        if (bitDepth == 16) png_set_scale_16(png_);
        if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
            png_set_gray_to_rgb(png_);
        }
        // Only takes effect on rows that still lack alpha after the above.
        png_set_filler(png_, 0xFF, PNG_FILLER_AFTER);
        png_set_interlace_handling(png_);
    }

    MemoryReader reader_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    png_uint_32 width_ = 0;
    png_uint_32 height_ = 0;
    bool hasAlpha_ = false;
};

struct MemoryWriter {
    std::vector<uint8_t>* out;
};

void WriteToMemory(png_structp png, png_bytep data, size_t count) {
    auto* writer = static_cast<MemoryWriter*>(png_get_io_ptr(png));
    bool failed = false;
    try {
        writer->out->insert(writer->out->end(), data, data + count);
    } catch (const std::bad_alloc&) {
        failed = true;
    }
    if (failed) png_error(png, "out of memory");
}

void FlushNothing(png_structp) {}

class PngEncoder {
  public:
    explicit PngEncoder(std::vector<uint8_t>& out) : writer_{&out} {}
    ~PngEncoder() {
        if (png_) png_destroy_write_struct(&png_, info_ ? &info_ : nullptr);
    }
    PngEncoder(const PngEncoder&) = delete;
    PngEncoder& operator=(const PngEncoder&) = delete;

    bool Write(png_bytepp rows, int width, int height, bool withAlpha, int level) {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
        if (!png_) return false;
        if (setjmp(png_jmpbuf(png_))) return false;
        info_ = png_create_info_struct(png_);
        if (!info_) return false;
        png_set_write_fn(png_, &writer_, WriteToMemory, FlushNothing);
        png_set_compression_level(png_, level);
        // Without compression, filtering is wasted work.
        if (level == 0) png_set_filter(png_, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
        png_set_IHDR(png_, info_, width, height, 8,
                     withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
        png_write_info(png_, info_);
        png_write_image(png_, rows);
        png_write_end(png_, nullptr);
        return true;
    }

  private:
    MemoryWriter writer_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

std::vector<png_bytep> RowTable(TPixmap& pixmap) {
    std::vector<png_bytep> rows(pixmap.Height());
    for (int y = 0; y < pixmap.Height(); ++y)
        rows[y] = pixmap.PixelPtr(0, y);
    return rows;
}

}  // namespace

PixmapPtr DecodePNG(const uint8_t* data, size_t size) {
    if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0) return nullptr;
    PngDecoder decoder(data, size);
    if (!decoder.ReadHeader()) return nullptr;
    PixmapPtr pixmap = TPixmap::Create(decoder.Width(), decoder.Height(), PixelFormat::RGBA8888);
    std::vector<png_bytep> rows = RowTable(*pixmap);
    if (!decoder.ReadImage(rows.data())) return nullptr;
    // Pictures without transparency say so, so masking can tell them apart.
    return decoder.HasAlpha() ? pixmap : pixmap->Convert(PixelFormat::RGB888);
}

bool EncodePNG(const TPixmap& pixmap, int compression, std::vector<uint8_t>& out) {
    out.clear();
    if (pixmap.Width() <= 0 || pixmap.Height() <= 0) return false;
    const bool withAlpha = FormatHasAlpha(pixmap.Format());
    // libpng wants RGB or RGBA byte order; the row table needs writable rows.
    PixmapPtr rgb = pixmap.Convert(withAlpha ? PixelFormat::RGBA8888 : PixelFormat::RGB888);
    std::vector<png_bytep> rows = RowTable(*rgb);
    PngEncoder encoder(out);
    if (encoder.Write(rows.data(), rgb->Width(), rgb->Height(), withAlpha,
                      std::clamp(compression, 0, 9))) {
        return true;
    }
    out.clear();
    return false;
}
