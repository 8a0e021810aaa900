#include "assetkit/Canvas.h"

// jpeglib.h needs size_t and FILE declared before it.
#include <cstddef>
#include <cstdio>

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <jpeglib.h>
#include <librsvg/rsvg.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <stdexcept>

namespace asset {

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cr_ = cairo_create(surface_);
}

Canvas::~Canvas() {
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
}

Canvas::Canvas(const Canvas& other) : Canvas(other.width_, other.height_) {
    Draw(other, 0, 0);
}

Canvas& Canvas::operator=(const Canvas& other) {
    if (this != &other) {
        Canvas copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Canvas::Canvas(Canvas&& other) noexcept
    : width_(other.width_), height_(other.height_), surface_(other.surface_), cr_(other.cr_) {
    other.surface_ = nullptr;
    other.cr_ = nullptr;
}

Canvas& Canvas::operator=(Canvas&& other) noexcept {
    if (this != &other) {
        if (cr_) cairo_destroy(cr_);
        if (surface_) cairo_surface_destroy(surface_);
        width_ = other.width_;
        height_ = other.height_;
        surface_ = other.surface_;
        cr_ = other.cr_;
        other.surface_ = nullptr;
        other.cr_ = nullptr;
    }
    return *this;
}

void Canvas::Reset() {
    cairo_destroy(cr_);
    cr_ = cairo_create(surface_);
}

void Canvas::Flush() {
    cairo_surface_flush(surface_);
}
void Canvas::MarkDirty() {
    cairo_surface_mark_dirty(surface_);
}

uint32_t* Canvas::Row(int y) {
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface_) +
                                       y * cairo_image_surface_get_stride(surface_));
}

const uint32_t* Canvas::Row(int y) const {
    return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface_) +
                                             y * cairo_image_surface_get_stride(surface_));
}

uint32_t Canvas::StraightPixel(int x, int y) const {
    const uint32_t p = Row(y)[x];
    const uint32_t a = p >> 24;
    if (a == 0) return 0;
    auto channel = [&](int shift) {
        return std::min<uint32_t>(255, (((p >> shift) & 0xFF) * 255 + a / 2) / a);
    };
    return a << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
}

void Canvas::Clear(double r, double g, double b, double a) {
    cairo_save(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr_, r, g, b, a);
    cairo_paint(cr_);
    cairo_restore(cr_);
}

void Canvas::Draw(const Canvas& other, double x, double y, double alpha) {
    cairo_save(cr_);
    cairo_set_source_surface(cr_, other.surface_, x, y);
    cairo_paint_with_alpha(cr_, alpha);
    cairo_restore(cr_);
}

void Canvas::DrawScaled(const Canvas& other, double x, double y, double width, double height,
                        double alpha) {
    if (other.width_ <= 0 || other.height_ <= 0) return;
    cairo_save(cr_);
    cairo_translate(cr_, x, y);
    cairo_scale(cr_, width / other.width_, height / other.height_);
    cairo_set_source_surface(cr_, other.surface_, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_BEST);
    cairo_paint_with_alpha(cr_, alpha);
    cairo_restore(cr_);
}

namespace {

// One box-blur pass along rows (horizontal) or columns, on all four bytes.
void BoxPass(std::vector<uint32_t>& pixels, int width, int height, int radius, bool horizontal) {
    const int lines = horizontal ? height : width;
    const int length = horizontal ? width : height;
    std::vector<uint32_t> line(length);
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i) -> uint32_t& {
            return horizontal ? pixels[l * width + i] : pixels[i * width + l];
        };
        for (int i = 0; i < length; ++i)
            line[i] = at(i);
        int sums[4] = {0, 0, 0, 0};
        const int window = radius * 2 + 1;
        for (int i = -radius; i <= radius; ++i) {
            const uint32_t p = line[std::clamp(i, 0, length - 1)];
            for (int c = 0; c < 4; ++c)
                sums[c] += (p >> (c * 8)) & 0xFF;
        }
        for (int i = 0; i < length; ++i) {
            uint32_t out = 0;
            // Rounded: truncating in all six passes loses most of a thin line.
            for (int c = 0; c < 4; ++c)
                out |= static_cast<uint32_t>((sums[c] + window / 2) / window) << (c * 8);
            at(i) = out;
            const uint32_t leaving = line[std::clamp(i - radius, 0, length - 1)];
            const uint32_t entering = line[std::clamp(i + radius + 1, 0, length - 1)];
            for (int c = 0; c < 4; ++c)
                sums[c] += static_cast<int>((entering >> (c * 8)) & 0xFF) -
                           static_cast<int>((leaving >> (c * 8)) & 0xFF);
        }
    }
}

}  // namespace

void Canvas::Blur(double radius) {
    if (radius <= 0.5) return;
    Flush();
    std::vector<uint32_t> pixels(static_cast<size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y)
        std::memcpy(&pixels[y * width_], Row(y), width_ * 4);
    // Three box passes approximate a Gaussian of this radius.
    const int box = std::max(1, static_cast<int>(std::lround(radius / 1.7)));
    for (int pass = 0; pass < 3; ++pass) {
        BoxPass(pixels, width_, height_, box, true);
        BoxPass(pixels, width_, height_, box, false);
    }
    for (int y = 0; y < height_; ++y)
        std::memcpy(Row(y), &pixels[y * width_], width_ * 4);
    MarkDirty();
}

void Canvas::Fade(double factor) {
    Flush();
    for (int y = 0; y < height_; ++y) {
        uint32_t* row = Row(y);
        for (int x = 0; x < width_; ++x) {
            uint32_t p = row[x], out = 0;
            for (int c = 0; c < 4; ++c) {
                const uint32_t v =
                    static_cast<uint32_t>(std::lround(((p >> (c * 8)) & 0xFF) * factor));
                out |= std::min<uint32_t>(255, v) << (c * 8);
            }
            row[x] = out;
        }
    }
    MarkDirty();
}

Canvas Canvas::Silhouette(double r, double g, double b, double a) const {
    Canvas result(width_, height_);
    cairo_t* cr = result.cr_;
    cairo_set_source_rgba(cr, r, g, b, a);
    cairo_mask_surface(cr, surface_, 0, 0);
    return result;
}

bool Canvas::Opaque() const {
    cairo_surface_flush(surface_);
    for (int y = 0; y < height_; ++y) {
        const uint32_t* row = Row(y);
        for (int x = 0; x < width_; ++x) {
            if ((row[x] >> 24) != 0xFF) return false;
        }
    }
    return true;
}

namespace {

void AppendPng(png_structp png, png_bytep data, size_t size) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

}  // namespace

Bytes Canvas::EncodePNG() const {
    cairo_surface_flush(surface_);
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("PNG encoding failed");
    }
    png_set_write_fn(png, &out, AppendPng, nullptr);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, width_, height_, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<uint8_t> row(width_ * 4);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const uint32_t p = StraightPixel(x, y);
            row[x * 4 + 0] = (p >> 16) & 0xFF;
            row[x * 4 + 1] = (p >> 8) & 0xFF;
            row[x * 4 + 2] = p & 0xFF;
            row[x * 4 + 3] = p >> 24;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

Bytes Canvas::EncodeJPEG(int quality, uint32_t background) const {
    cairo_surface_flush(surface_);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = width_;
    cinfo.image_height = height_;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.optimize_coding = TRUE;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(width_ * 3);
    const double br = (background >> 16) & 0xFF, bg = (background >> 8) & 0xFF,
                 bb = background & 0xFF;
    while (cinfo.next_scanline < cinfo.image_height) {
        const uint32_t* pixels = Row(cinfo.next_scanline);
        for (int x = 0; x < width_; ++x) {
            const uint32_t p = pixels[x];
            const double a = (p >> 24) / 255.0;
            // Premultiplied colour over the background.
            row[x * 3 + 0] = static_cast<uint8_t>(std::lround(((p >> 16) & 0xFF) + br * (1 - a)));
            row[x * 3 + 1] = static_cast<uint8_t>(std::lround(((p >> 8) & 0xFF) + bg * (1 - a)));
            row[x * 3 + 2] = static_cast<uint8_t>(std::lround((p & 0xFF) + bb * (1 - a)));
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    free(buffer);
    return out;
}

Canvas Strip(const std::vector<Canvas>& frames, int cellWidth, int cellHeight, int columns) {
    const int count = static_cast<int>(frames.size());
    const int rows = (count + columns - 1) / columns;
    Canvas strip(cellWidth * columns, cellHeight * rows);
    for (int i = 0; i < count; ++i)
        strip.Draw(frames[i], (i % columns) * cellWidth, (i / columns) * cellHeight);
    return strip;
}

std::string FindFontFile(const std::string& fileName) {
    if (fileName.find('/') != std::string::npos) return fileName;
    for (const auto& entry : std::filesystem::recursive_directory_iterator("/usr/share/fonts")) {
        if (entry.path().filename() == fileName) return entry.path().string();
    }
    throw std::runtime_error("font not found: " + fileName + " (is its Debian package installed?)");
}

cairo_font_face_t* FontFace(const std::string& fileName) {
    static std::mutex lock;
    static std::map<std::string, cairo_font_face_t*> faces;
    static FT_Library library = nullptr;
    std::lock_guard<std::mutex> guard(lock);
    auto found = faces.find(fileName);
    if (found != faces.end()) return found->second;
    if (!library && FT_Init_FreeType(&library) != 0)
        throw std::runtime_error("FreeType failed to start");
    FT_Face face = nullptr;
    const std::string path = FindFontFile(fileName);
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0)
        throw std::runtime_error("cannot open font " + path);
    cairo_font_face_t* cairoFace = cairo_ft_font_face_create_for_ft_face(face, 0);
    faces[fileName] = cairoFace;
    return cairoFace;
}

bool DrawSvg(Canvas& canvas, const std::string& svg, double x, double y, double width,
             double height) {
    GError* error = nullptr;
    RsvgHandle* handle =
        rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &error);
    if (!handle) {
        if (error) g_error_free(error);
        return false;
    }
    RsvgRectangle viewport{x, y, width, height};
    const bool ok = rsvg_handle_render_document(handle, canvas.Cr(), &viewport, &error);
    if (error) g_error_free(error);
    g_object_unref(handle);
    return ok;
}

void RoundedRectangle(cairo_t* cr, double x, double y, double width, double height, double radius) {
    radius = std::min(radius, std::min(width, height) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + width - radius, y + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, x + width - radius, y + height - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, x + radius, y + height - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void StarPath(cairo_t* cr, double cx, double cy, int points, double outer, double inner,
              double rotationDegrees) {
    const double start = (rotationDegrees - 90) * M_PI / 180;
    const int corners = inner == outer ? points : points * 2;
    for (int i = 0; i < corners; ++i) {
        const double radius = (inner == outer || i % 2 == 0) ? outer : inner;
        const double angle = start + 2 * M_PI * i / corners;
        const double px = cx + radius * std::cos(angle), py = cy + radius * std::sin(angle);
        if (i == 0) {
            cairo_move_to(cr, px, py);
        } else {
            cairo_line_to(cr, px, py);
        }
    }
    cairo_close_path(cr);
}

void RadialGlow(cairo_t* cr, double cx, double cy, double radius, double r, double g, double b,
                double alpha) {
    cairo_pattern_t* pattern = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    cairo_pattern_add_color_stop_rgba(pattern, 0, r, g, b, alpha);
    cairo_pattern_add_color_stop_rgba(pattern, 0.4, r, g, b, alpha * 0.45);
    cairo_pattern_add_color_stop_rgba(pattern, 1, r, g, b, 0);
    cairo_save(cr);
    cairo_set_source(cr, pattern);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_pattern_destroy(pattern);
}

}  // namespace asset
