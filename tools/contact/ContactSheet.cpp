// Contact sheets: every picture of the data set on labelled PNG pages, so the
// whole set can be reviewed at a glance.
//   contact-sheet --data build/Data --out build/contact [--only TEXT]
// jpeglib.h needs FILE declared before it.
#include <cstdio>

#include <jpeglib.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "assetkit/Canvas.h"
#include "manifest/Manifest.h"

namespace {

constexpr int kPageWidth = 1600, kPageHeight = 1200;
constexpr int kCell = 200, kLabel = 28;

// A checkerboard shows where pictures are transparent.
void Checkerboard(asset::Canvas& page, double x, double y, double w, double h) {
    cairo_t* cr = page.Cr();
    for (int cy = 0; cy * 10 < h; ++cy) {
        for (int cx = 0; cx * 10 < w; ++cx) {
            const double shade = (cx + cy) % 2 ? 0.32 : 0.42;
            cairo_set_source_rgb(cr, shade, shade, shade + 0.04);
            cairo_rectangle(cr, x + cx * 10, y + cy * 10, std::min(10.0, w - cx * 10),
                            std::min(10.0, h - cy * 10));
            cairo_fill(cr);
        }
    }
}

bool LoadJpeg(const std::string& path, asset::Canvas& out) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    out = asset::Canvas(cinfo.output_width, cinfo.output_height);
    out.Flush();
    std::vector<uint8_t> row(cinfo.output_width * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = cinfo.output_scanline;
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&cinfo, rows, 1);
        uint32_t* pixels = out.Row(y);
        for (unsigned x = 0; x < cinfo.output_width; ++x) {
            pixels[x] = 0xFF000000u | row[x * 3] << 16 | row[x * 3 + 1] << 8 | row[x * 3 + 2];
        }
    }
    out.MarkDirty();
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(file);
    return true;
}

bool LoadPicture(const std::string& path, asset::Canvas& out) {
    if (path.size() > 4 && path.substr(path.size() - 4) == ".jpg") return LoadJpeg(path, out);
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return false;
    }
    out = asset::Canvas(cairo_image_surface_get_width(surface),
                        cairo_image_surface_get_height(surface));
    cairo_set_source_surface(out.Cr(), surface, 0, 0);
    cairo_paint(out.Cr());
    cairo_surface_destroy(surface);
    return true;
}

void Label(asset::Canvas& page, const std::string& text, double x, double y, bool missing) {
    cairo_t* cr = page.Cr();
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 10);
    if (missing) {
        cairo_set_source_rgb(cr, 1, 0.3, 0.3);
    } else {
        cairo_set_source_rgb(cr, 0.9, 0.9, 0.95);
    }
    // Long paths wrap onto a second line.
    const std::string first = text.substr(0, 34),
                      second = text.size() > 34 ? text.substr(34, 34) : "";
    cairo_move_to(cr, x + 4, y + 12);
    cairo_show_text(cr, first.c_str());
    cairo_move_to(cr, x + 4, y + 24);
    cairo_show_text(cr, second.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    std::string data, out = "contact", only;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--data")) data = argv[i + 1];
        if (!std::strcmp(argv[i], "--out")) out = argv[i + 1];
        if (!std::strcmp(argv[i], "--only")) only = argv[i + 1];
    }
    if (data.empty()) {
        std::fprintf(stderr,
                     "usage: contact-sheet --data DATA_FOLDER [--out FOLDER] [--only TEXT]\n");
        return 2;
    }
    std::filesystem::create_directories(out);
    const int columns = kPageWidth / kCell, rows = kPageHeight / (kCell + kLabel);
    asset::Canvas page(kPageWidth, kPageHeight);
    int slot = 0, pages = 0;
    auto flush = [&] {
        if (slot == 0) return;
        char name[64];
        std::snprintf(name, sizeof(name), "/contact-%02d.png", ++pages);
        asset::WriteIfChanged(out + name, page.EncodePNG());
        slot = 0;
    };
    for (const asset::Entry& entry : asset::Manifest()) {
        if (entry.kind != asset::Kind::Png && entry.kind != asset::Kind::Jpeg) continue;
        if (!only.empty() && entry.path.find(only) == std::string::npos) continue;
        if (slot == 0) page.Clear(0.12, 0.12, 0.16, 1);
        const double x = (slot % columns) * kCell, y = (slot / columns) * (kCell + kLabel);
        asset::Canvas picture(1, 1);
        const bool loaded = LoadPicture(data + "/" + entry.path, picture);
        if (loaded) {
            const double scale = std::min(
                1.0, std::min((kCell - 8.0) / picture.Width(), (kCell - 8.0) / picture.Height()));
            const double w = picture.Width() * scale, h = picture.Height() * scale;
            const double px = x + (kCell - w) / 2, py = y + (kCell - h) / 2;
            Checkerboard(page, px, py, w, h);
            page.DrawScaled(picture, px, py, w, h);
        }
        Label(page, entry.path + (loaded ? "" : " (missing)"), x, y + kCell, !loaded);
        if (++slot == columns * rows) flush();
    }
    flush();
    std::printf("%d contact pages in %s\n", pages, out.c_str());
    return 0;
}
