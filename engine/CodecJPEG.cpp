// JPEG reading through libjpeg(-turbo).
//
// libjpeg's own error handler ends the process; ours jumps back with longjmp
// instead. As in the PNG codec, the functions that call setjmp hold only
// plain values and the pixmap is made outside them.
// jpeglib.h uses size_t and FILE without including their headers.
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>

#include "engine/PictureCodecs.h"
#include "engine/Pixmap.h"

namespace {

// A progressive file may hold any number of scans, each a full pass over the
// picture; real encoders use about ten. More than this is a hostile file.
constexpr int MAX_JPEG_SCANS = 1000;

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void OnJpegError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->jump, 1);
}

// Warnings about damaged data are tolerated (many real files have a few),
// except running out of data, in the file or in a scan: libjpeg would pad the
// rest of the picture with grey, slowly for a large one, so a scan that ends
// early is refused like a file cut short.
void OnJpegMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return;
    const int code = cinfo->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER) OnJpegError(cinfo);
}

void OnJpegOutput(j_common_ptr) {}

void OnJpegProgress(j_common_ptr cinfo) {
    if (!cinfo->is_decompressor) return;
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > MAX_JPEG_SCANS) {
        OnJpegError(cinfo);
    }
}

uint8_t Scale255(int a, int b) {
    return static_cast<uint8_t>((a * b + 127) / 255);
}

// CMYK arrives as four bytes a pixel, in place of the RGBA the pixmap wants.
// Adobe's encoders store the inks inverted (255 = no ink), which is what the
// Adobe marker signals.
void CmykToRgba(TPixmap& pixmap, bool inverted) {
    for (int y = 0; y < pixmap.Height(); ++y) {
        uint8_t* p = pixmap.PixelPtr(0, y);
        for (int x = 0; x < pixmap.Width(); ++x, p += 4) {
            int c = p[0], m = p[1], yellow = p[2], k = p[3];
            if (!inverted) c = 255 - c, m = 255 - m, yellow = 255 - yellow, k = 255 - k;
            p[0] = Scale255(c, k);
            p[1] = Scale255(m, k);
            p[2] = Scale255(yellow, k);
            p[3] = 0xFF;
        }
    }
}

class JpegDecoder {
  public:
    JpegDecoder() {
        cinfo_.err = jpeg_std_error(&errors_.manager);
        errors_.manager.error_exit = OnJpegError;
        errors_.manager.emit_message = OnJpegMessage;
        errors_.manager.output_message = OnJpegOutput;
        progress_.progress_monitor = OnJpegProgress;
    }
    ~JpegDecoder() {
        if (created_) jpeg_destroy_decompress(&cinfo_);
    }
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    bool ReadHeader(const uint8_t* data, size_t size) {
        if (setjmp(errors_.jump)) return false;
        jpeg_create_decompress(&cinfo_);
        created_ = true;
        cinfo_.progress = &progress_;
        jpeg_mem_src(&cinfo_, data, static_cast<unsigned long>(size));
        if (jpeg_read_header(&cinfo_, TRUE) != JPEG_HEADER_OK) return false;
        if (!PictureSizeAcceptable(cinfo_.image_width, cinfo_.image_height)) return false;
        return DataCanHoldImage(size) && ChooseOutputColours();
    }

    // Decodes every scan line into the pixmap, which must be Width x Height
    // RGBA8888.
    bool ReadImage(TPixmap& pixmap) {
        if (setjmp(errors_.jump)) return false;
        jpeg_start_decompress(&cinfo_);
        if (cinfo_.output_width != cinfo_.image_width ||
            cinfo_.output_height != cinfo_.image_height || cinfo_.output_components != 4) {
            return false;
        }
        while (cinfo_.output_scanline < cinfo_.output_height) {
            JSAMPROW row = pixmap.PixelPtr(0, static_cast<int>(cinfo_.output_scanline));
            if (jpeg_read_scanlines(&cinfo_, &row, 1) != 1) return false;
        }
        jpeg_finish_decompress(&cinfo_);  // reads on to the end marker
        if (cinfo_.out_color_space == JCS_CMYK) CmykToRgba(pixmap, cinfo_.saw_Adobe_marker);
        return true;
    }

    int Width() const { return static_cast<int>(cinfo_.image_width); }
    int Height() const { return static_cast<int>(cinfo_.image_height); }

  private:
    // Checked before any pixel memory is set aside. Every 8x8 block of every
    // component costs at least one bit of Huffman-coded data (its DC
    // difference, in sequential and progressive files alike), so a file too
    // small to hold its blocks cannot be the picture it claims to be.
    // Arithmetic coding has no such floor (thousands of flat blocks fit in a
    // byte, and it pads a short scan silently), so it is refused: the encoders
    // in common use do not write it.
    bool DataCanHoldImage(size_t size) const {
        if (cinfo_.arith_code) return false;
        uint64_t blocks = 0;
        for (int c = 0; c < cinfo_.num_components; ++c) {
            const jpeg_component_info& component = cinfo_.comp_info[c];
            blocks += static_cast<uint64_t>(component.width_in_blocks) * component.height_in_blocks;
        }
        return blocks / 8 <= size;
    }

    bool ChooseOutputColours() {
        switch (cinfo_.jpeg_color_space) {
            case JCS_GRAYSCALE:
            case JCS_YCbCr:
            case JCS_RGB:
                cinfo_.out_color_space = JCS_EXT_RGBA;
                return true;
            case JCS_CMYK:
            case JCS_YCCK:
                cinfo_.out_color_space = JCS_CMYK;
                return true;
            default:
                return false;
        }
    }

    jpeg_decompress_struct cinfo_{};
    JpegErrors errors_{};
    jpeg_progress_mgr progress_{};
    bool created_ = false;
};

}  // namespace

PixmapPtr DecodeJPEG(const uint8_t* data, size_t size) {
    if (!data || size < 3 || data[0] != 0xFF || data[1] != 0xD8) return nullptr;
    JpegDecoder decoder;
    if (!decoder.ReadHeader(data, size)) return nullptr;
    PixmapPtr pixmap = TPixmap::Create(decoder.Width(), decoder.Height(), PixelFormat::RGBA8888);
    if (!decoder.ReadImage(*pixmap)) return nullptr;
    return pixmap->Convert(PixelFormat::RGB888);
}
