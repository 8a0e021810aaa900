// The picture codecs, checked against files written here with libpng and
// libjpeg (and TGAs assembled byte by byte), so every variant is known exactly.
#include <gtest/gtest.h>

#include <png.h>
#include <stdlib.h>
#include <zlib.h>
#include <algorithm>

// jpeglib.h uses size_t and FILE without including their headers.
#include <cstdio>

#include <jpeglib.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "engine/PictureCodecs.h"
#include "engine/Pixmap.h"

namespace {

using Bytes = std::vector<uint8_t>;

// ---------------------------------------------------------------- fixtures --

struct PngFixture {
    int width = 0;
    int height = 0;
    int colorType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<png_color> palette;
    Bytes paletteAlpha;  // tRNS of a palette picture
    bool hasColourKey = false;
    png_color_16 colourKey{};
    std::vector<Bytes> rows;  // as PNG stores them: packed, 16-bit big-endian
};

void AppendPngBytes(png_structp png, png_bytep data, size_t count) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + count);
}

bool WritePngRows(const PngFixture& f, png_bytepp rows, Bytes* out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, AppendPngBytes, nullptr);
    png_set_IHDR(png, info, f.width, f.height, f.bitDepth, f.colorType,
                 f.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
                 PNG_FILTER_TYPE_BASE);
    if (!f.palette.empty()) {
        png_set_PLTE(png, info, f.palette.data(), static_cast<int>(f.palette.size()));
    }
    if (!f.paletteAlpha.empty()) {
        png_set_tRNS(png, info, f.paletteAlpha.data(), static_cast<int>(f.paletteAlpha.size()),
                     nullptr);
    }
    if (f.hasColourKey) png_set_tRNS(png, info, nullptr, 0, &f.colourKey);
    png_set_rows(png, info, rows);
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

Bytes WritePng(PngFixture f) {
    std::vector<png_bytep> rows;
    for (Bytes& row : f.rows)
        rows.push_back(row.data());
    Bytes out;
    EXPECT_TRUE(WritePngRows(f, rows.data(), &out));
    return out;
}

// Splits bytes into `height` equal rows.
std::vector<Bytes> Rows(const Bytes& bytes, int height) {
    std::vector<Bytes> rows;
    const size_t rowBytes = bytes.size() / height;
    for (int y = 0; y < height; ++y) {
        rows.emplace_back(bytes.begin() + y * rowBytes, bytes.begin() + (y + 1) * rowBytes);
    }
    return rows;
}

PngFixture Png(int width, int height, int colorType, int bitDepth, const Bytes& bytes) {
    PngFixture f;
    f.width = width;
    f.height = height;
    f.colorType = colorType;
    f.bitDepth = bitDepth;
    f.rows = Rows(bytes, height);
    return f;
}

struct JpegFixture {
    int width = 0;
    int height = 0;
    J_COLOR_SPACE colourSpace = JCS_RGB;
    int components = 3;
    bool progressive = false;
    Bytes pixels;          // components bytes per pixel, rows top to bottom
    bool optimal = false;  // Huffman tables fitted to the picture: the smallest file
    bool arithmetic = false;
};

Bytes WriteJpeg(JpegFixture f) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = f.width;
    cinfo.image_height = f.height;
    cinfo.input_components = f.components;
    cinfo.in_color_space = f.colourSpace;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    // Full-resolution colour, so flat 8x8 blocks come back nearly exact.
    for (int c = 0; c < cinfo.num_components; ++c) {
        cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
    }
    if (f.progressive) jpeg_simple_progression(&cinfo);
    cinfo.optimize_coding = f.optimal ? TRUE : FALSE;
    cinfo.arith_code = f.arithmetic ? TRUE : FALSE;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = f.pixels.data() + cinfo.next_scanline * f.width * f.components;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    free(buffer);
    return out;
}

// A TGA header; the picture data is appended by the caller.
Bytes TgaHeader(int imageType, int width, int height, int bits, int descriptor, int mapFirst = 0,
                int mapLength = 0, int mapBits = 0) {
    auto low = [](int v) { return static_cast<uint8_t>(v); };
    auto high = [](int v) { return static_cast<uint8_t>(v >> 8); };
    Bytes header = {0, low(mapLength > 0), low(imageType)};
    for (int word : {mapFirst, mapLength}) {
        header.insert(header.end(), {low(word), high(word)});
    }
    header.push_back(low(mapBits));
    // x and y origin (unused), width, height
    for (int word : {0, 0, width, height}) {
        header.insert(header.end(), {low(word), high(word)});
    }
    header.insert(header.end(), {low(bits), low(descriptor)});
    return header;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// ----------------------------------------------------------------- checks --

PixmapPtr Decode(const Bytes& bytes) {
    return LoadPixmapFromMemory(bytes.data(), bytes.size());
}

// Pixels as 0xAARRGGBB, row by row.
std::vector<uint32_t> Argb(const PixmapPtr& pixmap) {
    std::vector<uint32_t> out;
    for (int y = 0; y < pixmap->Height(); ++y) {
        for (int x = 0; x < pixmap->Width(); ++x)
            out.push_back(pixmap->ReadPixel(x, y));
    }
    return out;
}

void ExpectPicture(const Bytes& file, int width, int height, const std::vector<uint32_t>& argb,
                   const char* what) {
    SCOPED_TRACE(what);
    PixmapPtr pixmap = Decode(file);
    ASSERT_TRUE(pixmap);
    const bool transparent =
        std::any_of(argb.begin(), argb.end(), [](uint32_t p) { return p >> 24 != 0xFF; });
    if (transparent) {
        EXPECT_EQ(pixmap->Format(), PixelFormat::RGBA8888);
    }
    ASSERT_EQ(pixmap->Width(), width);
    ASSERT_EQ(pixmap->Height(), height);
    EXPECT_EQ(Argb(pixmap), argb);
}

// How far the process's peak of mapped memory (VmPeak) rose while the call
// ran, in megabytes, measured in a child process so that nothing else counts.
// This sees an allocation even when its pages are never touched. -1 when the
// child failed.
template <typename Call>
long PeakMegabytesOf(Call&& call) {
    auto vmPeakKb = [] {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("VmPeak:", 0) == 0) return std::atol(line.c_str() + 7);
        }
        return -1L;
    };
    int fds[2];
    if (pipe(fds) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const long before = vmPeakKb();
        call();
        const long grown = (vmPeakKb() - before) / 1024;
        const bool written = write(fds[1], &grown, sizeof grown) == sizeof grown;
        _exit(written && before >= 0 ? 0 : 1);
    }
    close(fds[1]);
    long grown = -1;
    if (read(fds[0], &grown, sizeof grown) != sizeof grown) grown = -1;
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? grown : -1;
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) {
            return false;
        }
    }
    return true;
}

// ------------------------------------------------------------------- PNG --

TEST(PngDecodeTest, EveryColourTypeArrivesAsRgba) {
    ExpectPicture(WritePng(Png(2, 2, PNG_COLOR_TYPE_RGB_ALPHA, 8,
                               {1, 2, 3, 4, 250, 251, 252, 0, 9, 8, 7, 128, 255, 0, 0, 255})),
                  2, 2, {0x04010203, 0x00FAFBFC, 0x80090807, 0xFFFF0000}, "RGBA");
    ExpectPicture(WritePng(Png(3, 1, PNG_COLOR_TYPE_RGB, 8, {10, 20, 30, 0, 0, 0, 255, 128, 1})), 3,
                  1, {0xFF0A141E, 0xFF000000, 0xFFFF8001}, "RGB");
    ExpectPicture(WritePng(Png(3, 1, PNG_COLOR_TYPE_GRAY, 8, {0, 77, 255})), 3, 1,
                  {0xFF000000, 0xFF4D4D4D, 0xFFFFFFFF}, "grey");
    ExpectPicture(WritePng(Png(2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {200, 10, 30, 255})), 2, 1,
                  {0x0AC8C8C8, 0xFF1E1E1E}, "grey + alpha");
    // Two bits a pixel: levels 0..3 stretch to 0..255.
    ExpectPicture(WritePng(Png(4, 1, PNG_COLOR_TYPE_GRAY, 2, {0b00011011})), 4, 1,
                  {0xFF000000, 0xFF555555, 0xFFAAAAAA, 0xFFFFFFFF}, "2-bit grey");

    PngFixture palette = Png(3, 1, PNG_COLOR_TYPE_PALETTE, 8, {2, 0, 1});
    palette.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    ExpectPicture(WritePng(palette), 3, 1, {0xFF0000FF, 0xFFFF0000, 0xFF00FF00}, "palette");
    // tRNS shorter than the palette: the entries past its end are opaque.
    palette.paletteAlpha = {0, 99};
    ExpectPicture(WritePng(palette), 3, 1, {0xFF0000FF, 0x00FF0000, 0x6300FF00}, "palette+tRNS");

    PngFixture packed = Png(3, 1, PNG_COLOR_TYPE_PALETTE, 4, {0x21, 0x00});
    packed.palette = {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}};
    packed.paletteAlpha = {7};
    ExpectPicture(WritePng(packed), 3, 1, {0xFF030303, 0xFF020202, 0x07010101}, "4-bit palette");
}

TEST(PngDecodeTest, SixteenBitSamplesAreRoundedToEightBits) {
    // Big-endian samples; v / 257 rounded.
    ExpectPicture(WritePng(Png(2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16,
                               {0xFF, 0xFF, 0x00, 0x00, 0x80, 0x80, 0xFF, 0xFF,  //
                                0x12, 0x34, 0xFF, 0x00, 0x00, 0x81, 0x7F, 0x7F})),
                  2, 1, {0xFFFF0080, 0x7F12FE01}, "RGBA 16");
    ExpectPicture(WritePng(Png(2, 1, PNG_COLOR_TYPE_GRAY, 16, {0x40, 0x40, 0x00, 0x80})), 2, 1,
                  {0xFF404040, 0xFF000000}, "grey 16");
}

TEST(PngDecodeTest, ColourKeyBecomesTransparency) {
    PngFixture rgb = Png(3, 1, PNG_COLOR_TYPE_RGB, 8, {255, 0, 255, 255, 0, 254, 1, 2, 3});
    rgb.hasColourKey = true;
    rgb.colourKey.red = 255, rgb.colourKey.green = 0, rgb.colourKey.blue = 255;
    ExpectPicture(WritePng(rgb), 3, 1, {0x00FF00FF, 0xFFFF00FE, 0xFF010203}, "RGB key");

    PngFixture grey = Png(3, 1, PNG_COLOR_TYPE_GRAY, 8, {0, 10, 0});
    grey.hasColourKey = true;
    grey.colourKey.gray = 10;
    ExpectPicture(WritePng(grey), 3, 1, {0xFF000000, 0x000A0A0A, 0xFF000000}, "grey key");
}

TEST(PngDecodeTest, InterlacedPicturesMatchPlainOnes) {
    // Odd sizes leave some Adam7 passes partly empty.
    const int w = 11, h = 9;
    Bytes rgba, palettised;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            rgba.insert(rgba.end(),
                        {uint8_t(x * 20), uint8_t(y * 25), uint8_t(x ^ y), uint8_t(255 - x - y)});
            palettised.push_back(static_cast<uint8_t>((x + y) % 3));
        }
    }
    PngFixture plain = Png(w, h, PNG_COLOR_TYPE_RGB_ALPHA, 8, rgba), interlaced = plain;
    interlaced.interlaced = true;
    PixmapPtr expected = Decode(WritePng(plain));
    ASSERT_TRUE(expected);
    ExpectPicture(WritePng(interlaced), w, h, Argb(expected), "interlaced RGBA");

    PngFixture palette = Png(w, h, PNG_COLOR_TYPE_PALETTE, 8, palettised);
    palette.interlaced = true;
    palette.palette = {{10, 0, 0}, {0, 20, 0}, {0, 0, 30}};
    palette.paletteAlpha = {255, 0};
    PixmapPtr decoded = Decode(WritePng(palette));
    ASSERT_TRUE(decoded);
    const uint32_t colours[] = {0xFF0A0000, 0x00001400, 0xFF00001E};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(decoded->ReadPixel(x, y), colours[(x + y) % 3]);
    }
}

// A PNG holding only a signature and an IHDR chunk (with a correct CRC).
Bytes PngHeaderOnly(uint32_t width, uint32_t height) {
    Bytes chunk = {'I', 'H', 'D', 'R'};
    for (uint32_t v : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8)
            chunk.push_back(uint8_t(v >> shift));
    }
    chunk.insert(chunk.end(), {8, PNG_COLOR_TYPE_RGB_ALPHA, 0, 0, 0});
    const uint32_t crc = crc32(0, chunk.data(), chunk.size());
    Bytes file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13};
    file = file + chunk;
    for (int shift = 24; shift >= 0; shift -= 8)
        file.push_back(uint8_t(crc >> shift));
    return file;
}

TEST(PngDecodeTest, OversizedPicturesAreRefused) {
    const Bytes limitWide(MAX_PICTURE_SIDE, 7), tooWide(MAX_PICTURE_SIDE + 1, 7);
    PixmapPtr atLimit =
        Decode(WritePng(Png(MAX_PICTURE_SIDE, 1, PNG_COLOR_TYPE_GRAY, 8, limitWide)));
    ASSERT_TRUE(atLimit);
    EXPECT_EQ(atLimit->ReadPixel(MAX_PICTURE_SIDE - 1, 0), 0xFF070707u);
    EXPECT_FALSE(Decode(WritePng(Png(MAX_PICTURE_SIDE + 1, 1, PNG_COLOR_TYPE_GRAY, 8, tooWide))));
    EXPECT_FALSE(Decode(WritePng(Png(1, MAX_PICTURE_SIDE + 1, PNG_COLOR_TYPE_GRAY, 8, tooWide))));
    EXPECT_FALSE(Decode(PngHeaderOnly(100000, 100000)));
    EXPECT_FALSE(Decode(PngHeaderOnly(0x7FFFFFFF, 1)));
    EXPECT_FALSE(Decode(PngHeaderOnly(4, 4)));  // believable size, but no pixel data

    // Files too short to hold their rows are refused early, but deflate's
    // best ratio (about 1000:1 on a flat picture) must still pass.
    const Bytes flat = WritePng(Png(1024, 1024, PNG_COLOR_TYPE_GRAY, 8, Bytes(1024 * 1024, 0)));
    ASSERT_LT(flat.size(), 1024u * 1024 / 900);
    PixmapPtr decoded = Decode(flat);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->ReadPixel(1023, 1023), 0xFF000000u);
}

// A chunk with its CRC; `length` is what the chunk claims, whatever it holds.
Bytes PngChunk(const std::string& type, const Bytes& data, uint32_t length) {
    Bytes chunk;
    for (int shift = 24; shift >= 0; shift -= 8)
        chunk.push_back(uint8_t(length >> shift));
    Bytes body(type.begin(), type.end());
    body = body + data;
    const uint32_t crc = crc32(0, body.data(), body.size());
    chunk = chunk + body;
    for (int shift = 24; shift >= 0; shift -= 8)
        chunk.push_back(uint8_t(crc >> shift));
    return chunk;
}

TEST(PngDecodeTest, ChunkLengthsCannotForceHugeAllocations) {
    for (const char* type :
         {"tEXt", "zTXt", "iTXt", "iCCP", "sPLT", "eXIf", "xxXx", "PLTE", "tRNS"}) {
        SCOPED_TRACE(type);
        // 141 bytes: a believable header, then a chunk claiming 2 GiB.
        Bytes file = PngHeaderOnly(1, 1) + PngChunk(type, Bytes(100, 'a'), 0x7FFFFFF0);
        file.resize(141);
        const long megabytes = PeakMegabytesOf([&] { DecodePNG(file.data(), file.size()); });
        ASSERT_GE(megabytes, 0) << "the decoding child failed";
        EXPECT_LT(megabytes, 64) << "memory set aside for a chunk the file cannot hold";
        EXPECT_FALSE(Decode(file));
    }

    // Real text chunks are skipped and the picture reads as before.
    const Bytes plain = WritePng(Png(2, 1, PNG_COLOR_TYPE_GRAY, 8, {10, 200}));
    const size_t afterHeader = 8 + 25;
    Bytes withText(plain.begin(), plain.begin() + afterHeader);
    const Bytes comment = {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 'h', 'i'};
    withText = withText + PngChunk("tEXt", comment, static_cast<uint32_t>(comment.size()));
    withText.insert(withText.end(), plain.begin() + afterHeader, plain.end());
    ExpectPicture(withText, 2, 1, {0xFF0A0A0A, 0xFFC8C8C8}, "with a text chunk");
}

// ------------------------------------------------------------------ JPEG --

// 16x8 picture: two flat 8x8 blocks, so the lossy codec has nothing to smear.
JpegFixture TwoBlocks(J_COLOR_SPACE space, int components, const Bytes& left, const Bytes& right) {
    JpegFixture f{16, 8, space, components, false, {}};
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            const Bytes& colour = x < 8 ? left : right;
            f.pixels.insert(f.pixels.end(), colour.begin(), colour.end());
        }
    }
    return f;
}

void ExpectTwoBlocks(const Bytes& file, uint32_t left, uint32_t right, const char* what) {
    SCOPED_TRACE(what);
    PixmapPtr pixmap = Decode(file);
    ASSERT_TRUE(pixmap);
    ASSERT_EQ(pixmap->Width(), 16);
    ASSERT_EQ(pixmap->Height(), 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            const uint32_t want = x < 8 ? left : right, got = pixmap->ReadPixel(x, y);
            ASSERT_EQ(got >> 24, 0xFFu);
            ASSERT_TRUE(Near(got, want, 3)) << std::hex << got << " vs " << want;
        }
    }
}

TEST(JpegDecodeTest, BaselineProgressiveGreyAndCmyk) {
    JpegFixture colour = TwoBlocks(JCS_RGB, 3, {200, 40, 90}, {20, 160, 240});
    ExpectTwoBlocks(WriteJpeg(colour), 0xFFC8285A, 0xFF14A0F0, "baseline");
    colour.progressive = true;
    ExpectTwoBlocks(WriteJpeg(colour), 0xFFC8285A, 0xFF14A0F0, "progressive");

    JpegFixture grey = TwoBlocks(JCS_GRAYSCALE, 1, {30}, {225});
    ExpectTwoBlocks(WriteJpeg(grey), 0xFF1E1E1E, 0xFFE1E1E1, "grey");
    grey.progressive = true;
    ExpectTwoBlocks(WriteJpeg(grey), 0xFF1E1E1E, 0xFFE1E1E1, "progressive grey");

    // libjpeg marks CMYK files with the Adobe marker, and so the inks are
    // stored inverted: 255 means no ink.
    JpegFixture cmyk = TwoBlocks(JCS_CMYK, 4, {255, 0, 0, 255}, {255, 255, 255, 128});
    ExpectTwoBlocks(WriteJpeg(cmyk), 0xFFFF0000, 0xFF808080, "CMYK");
}

TEST(JpegDecodeTest, OversizedPicturesAreRefused) {
    JpegFixture wide{MAX_PICTURE_SIDE, 1, JCS_GRAYSCALE, 1, false, Bytes(MAX_PICTURE_SIDE, 99)};
    PixmapPtr atLimit = Decode(WriteJpeg(wide));
    ASSERT_TRUE(atLimit);
    EXPECT_TRUE(Near(atLimit->ReadPixel(MAX_PICTURE_SIDE - 1, 0), 0xFF636363, 2));
    wide.width += 1;
    wide.pixels.push_back(99);
    EXPECT_FALSE(Decode(WriteJpeg(wide)));
}

// A 64 x 64 grey picture of noise: about 4 KB of scan data.
Bytes NoiseJpeg(bool arithmetic = false) {
    JpegFixture noise{64, 64, JCS_GRAYSCALE, 1, false, {}};
    noise.arithmetic = arithmetic;
    std::mt19937 random(7);
    for (int i = 0; i < 64 * 64; ++i)
        noise.pixels.push_back(static_cast<uint8_t>(random()));
    return WriteJpeg(noise);
}

// Where the two-byte marker (0xFF, code) starts; 0 when absent.
size_t FindMarker(const Bytes& file, uint8_t code) {
    for (size_t i = 2; i + 1 < file.size(); ++i) {
        if (file[i] == 0xFF && file[i + 1] == code) return i;
    }
    return 0;
}

TEST(JpegDecodeTest, DeclaredSizesTheDataCannotHoldAreRefusedBeforeAllocating) {
    // The frame header (SOF0) holds the height and width after its length
    // and sample precision.
    Bytes huge = NoiseJpeg();
    const size_t frame = FindMarker(huge, 0xC0);
    ASSERT_NE(frame, 0u);
    ASSERT_TRUE(Decode(huge)) << "the picture as written";
    for (size_t at : {frame + 5, frame + 7}) {
        huge[at] = MAX_PICTURE_SIDE >> 8;
        huge[at + 1] = MAX_PICTURE_SIDE & 0xFF;
    }
    ASSERT_LT(huge.size(), 5000u);
    const long megabytes = PeakMegabytesOf([&] { Decode(huge); });
    ASSERT_GE(megabytes, 0) << "the decoding child failed";
    EXPECT_LT(megabytes, 64) << "memory set aside for a picture the file cannot hold";
    EXPECT_FALSE(Decode(huge));

    // The best compression real encoders reach must still pass: flat
    // pictures with Huffman tables fitted to them.
    for (bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "sequential");
        JpegFixture flat{1024, 1024, JCS_GRAYSCALE, 1, progressive, Bytes(1024 * 1024, 40)};
        flat.optimal = true;
        const Bytes file = WriteJpeg(flat);
        ASSERT_LT(file.size(), 1024u * 1024 / 64 / 2) << "about two bits a block";
        PixmapPtr decoded = Decode(file);
        ASSERT_TRUE(decoded);
        EXPECT_TRUE(Near(decoded->ReadPixel(1023, 1023), 0xFF282828, 2));
    }
    // Arithmetic coding has no such floor (a flat picture packs below a bit
    // a block) and pads a short scan silently, so it is refused whole.
    JpegFixture packed{1024, 1024, JCS_GRAYSCALE, 1, false, Bytes(1024 * 1024, 40)};
    packed.arithmetic = true;
    EXPECT_LT(WriteJpeg(packed).size(), 1024u * 1024 / 64 / 8);
    EXPECT_FALSE(Decode(NoiseJpeg(true)));
}

TEST(JpegDecodeTest, AScanThatEndsEarlyIsRefused) {
    // Half of the scan data goes, the end-of-picture marker stays: libjpeg
    // would warn once and pad the rest of the picture with grey.
    const Bytes whole = NoiseJpeg();
    const size_t scan = FindMarker(whole, 0xDA);
    ASSERT_NE(scan, 0u);
    const size_t data = scan + 2 + (whole[scan + 2] << 8 | whole[scan + 3]);
    const size_t end = whole.size() - 2;
    ASSERT_EQ(whole[end], 0xFF);
    ASSERT_EQ(whole[end + 1], 0xD9);
    for (size_t kept : {(end - data) / 2, (end - data) - 40, size_t{0}}) {
        Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(data + kept));
        cut.insert(cut.end(), {0xFF, 0xD9});
        EXPECT_FALSE(Decode(cut)) << kept << " bytes of scan data kept";
    }
}

// ------------------------------------------------------------------- TGA --

TEST(TgaDecodeTest, UncompressedTrueColourAndOrigins) {
    // Stored bottom row first unless descriptor bit 5 is set.
    const Bytes bottomUp = TgaHeader(2, 2, 2, 24, 0) + Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    ExpectPicture(bottomUp, 2, 2, {0xFF090807, 0xFF0C0B0A, 0xFF030201, 0xFF060504}, "bottom-up");
    const Bytes topDown =
        TgaHeader(2, 2, 2, 24, 0x20) + Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    ExpectPicture(topDown, 2, 2, {0xFF030201, 0xFF060504, 0xFF090807, 0xFF0C0B0A}, "top-down");
    const Bytes mirrored = TgaHeader(2, 2, 1, 24, 0x30) + Bytes{1, 2, 3, 4, 5, 6};
    ExpectPicture(mirrored, 2, 1, {0xFF060504, 0xFF030201}, "right-to-left");

    const Bytes withAlpha = TgaHeader(2, 2, 1, 32, 0x28) + Bytes{10, 20, 30, 0, 40, 50, 60, 128};
    ExpectPicture(withAlpha, 2, 1, {0x001E140A, 0x803C3228}, "32-bit");
    // Alpha depth 0 and every alpha byte 0: the writer did not use alpha.
    const Bytes unusedAlpha = TgaHeader(2, 2, 1, 32, 0x20) + Bytes{10, 20, 30, 0, 40, 50, 60, 0};
    ExpectPicture(unusedAlpha, 2, 1, {0xFF1E140A, 0xFF3C3228}, "32-bit, alpha unused");
    // 16-bit: X RRRRR GGGGG BBBBB, little-endian; the top bit is alpha.
    const Bytes sixteen = TgaHeader(2, 2, 1, 16, 0x21) + Bytes{0x1F, 0x80, 0xE0, 0x03};
    ExpectPicture(sixteen, 2, 1, {0xFF0000FF, 0x0000FF00}, "16-bit");

    Bytes withId = TgaHeader(3, 1, 1, 8, 0x20) + Bytes{'a', 'b', 0x42};
    withId[0] = 2;  // the ID field is skipped
    ExpectPicture(withId, 1, 1, {0xFF424242}, "grey with ID");
}

TEST(TgaDecodeTest, RunLengthAndColourMapped) {
    // Packets: a run of 3 crossing into the second row, then 1 literal.
    const Bytes rle = TgaHeader(10, 2, 2, 24, 0x20) + Bytes{0x82, 1, 2, 3, 0x00, 4, 5, 6};
    ExpectPicture(rle, 2, 2, {0xFF030201, 0xFF030201, 0xFF030201, 0xFF060504}, "RLE colour");
    const Bytes rleGrey = TgaHeader(11, 3, 2, 8, 0) + Bytes{0x02, 10, 20, 30, 0x82, 40};
    ExpectPicture(rleGrey, 3, 2,
                  {0xFF282828, 0xFF282828, 0xFF282828, 0xFF0A0A0A, 0xFF141414, 0xFF1E1E1E},
                  "RLE grey, bottom-up");

    // Map entries 5 and 6 (first entry index 5), 24-bit BGR.
    const Bytes map = TgaHeader(1, 3, 1, 8, 0x20, 5, 2, 24) + Bytes{0, 0, 255, 255, 0, 0};
    ExpectPicture(map + Bytes{5, 6, 5}, 3, 1, {0xFFFF0000, 0xFF0000FF, 0xFFFF0000}, "mapped");
    Bytes rleMap = map + Bytes{0x81, 6, 0x00, 5};
    rleMap[2] = 9;
    ExpectPicture(rleMap, 3, 1, {0xFF0000FF, 0xFF0000FF, 0xFFFF0000}, "RLE mapped");

    EXPECT_FALSE(Decode(map + Bytes{5, 7, 5})) << "index past the map";
    EXPECT_FALSE(Decode(map + Bytes{4, 5, 5})) << "index before the map";
    EXPECT_FALSE(Decode(TgaHeader(10, 2, 1, 24, 0) + Bytes{0x82, 1, 2, 3})) << "run past the end";
    EXPECT_FALSE(Decode(TgaHeader(10, 2, 1, 24, 0) + Bytes{0x01, 1, 2, 3}))
        << "literals past the end";
}

TEST(TgaDecodeTest, ImplausibleHeadersAreRefused) {
    const Bytes grey = Bytes{9, 9, 9, 9};
    ASSERT_TRUE(Decode(TgaHeader(3, 2, 2, 8, 0) + grey));
    EXPECT_FALSE(Decode(TgaHeader(4, 2, 2, 8, 0) + grey)) << "unknown type";
    EXPECT_FALSE(Decode(TgaHeader(3, 2, 2, 12, 0) + grey)) << "odd depth";
    EXPECT_FALSE(Decode(TgaHeader(3, 2, 2, 8, 0x40) + grey)) << "interleaved";
    EXPECT_FALSE(Decode(TgaHeader(3, 0, 2, 8, 0) + grey)) << "no width";
    EXPECT_FALSE(Decode(TgaHeader(1, 2, 2, 8, 0) + grey)) << "mapped without a map";
    EXPECT_FALSE(Decode(TgaHeader(3, 2, 2, 8, 0) + Bytes{9, 9, 9})) << "short data";

    const Bytes wide(MAX_PICTURE_SIDE + 1, 5);
    EXPECT_TRUE(Decode(TgaHeader(3, MAX_PICTURE_SIDE, 1, 8, 0) + wide));
    EXPECT_FALSE(Decode(TgaHeader(3, MAX_PICTURE_SIDE + 1, 1, 8, 0) + wide));
}

// ------------------------------------------------------------ bad input --

struct NamedFile {
    const char* name;
    Bytes bytes;
    std::function<PixmapPtr(const uint8_t*, size_t)> decoder;
};

std::vector<NamedFile> SmallValidFiles() {
    PngFixture interlaced = Png(3, 3, PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 0, 1, 0, 1, 0, 1, 0});
    interlaced.interlaced = true;
    interlaced.palette = {{1, 2, 3}, {4, 5, 6}};
    interlaced.paletteAlpha = {128};
    JpegFixture jpeg = TwoBlocks(JCS_RGB, 3, {1, 2, 3}, {200, 100, 0});
    JpegFixture progressive = jpeg;
    progressive.progressive = true;
    return {
        {"PNG", WritePng(Png(2, 2, PNG_COLOR_TYPE_RGB_ALPHA, 8, Bytes(16, 50))), DecodePNG},
        {"interlaced PNG", WritePng(interlaced), DecodePNG},
        {"JPEG", WriteJpeg(jpeg), DecodeJPEG},
        {"progressive JPEG", WriteJpeg(progressive), DecodeJPEG},
        {"TGA", TgaHeader(2, 2, 2, 32, 0x08) + Bytes(16, 70), DecodeTGA},
        {"RLE TGA", TgaHeader(10, 3, 2, 24, 0x20) + Bytes{0x84, 1, 2, 3, 0x00, 4, 5, 6}, DecodeTGA},
    };
}

TEST(PictureDecodeTest, EveryTruncationIsRefused) {
    for (const NamedFile& file : SmallValidFiles()) {
        SCOPED_TRACE(file.name);
        ASSERT_TRUE(file.decoder(file.bytes.data(), file.bytes.size()));
        for (size_t length = 0; length < file.bytes.size(); ++length) {
            // A copy of exactly that length, so ASan sees any read past it.
            const Bytes prefix(file.bytes.begin(), file.bytes.begin() + length);
            ASSERT_FALSE(file.decoder(prefix.data(), prefix.size())) << "length " << length;
            ASSERT_FALSE(Decode(prefix)) << "length " << length;
        }
    }
}

TEST(PictureDecodeTest, RandomAndDamagedBytesNeverCrash) {
    std::mt19937 random(20240611);
    const Bytes magics[] = {{}, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, {0xFF, 0xD8, 0xFF}};
    for (int trial = 0; trial < 300; ++trial) {
        Bytes bytes = magics[trial % 3];
        const size_t length = random() % 600;
        for (size_t i = 0; i < length; ++i)
            bytes.push_back(static_cast<uint8_t>(random()));
        ASSERT_FALSE(Decode(bytes)) << "trial " << trial;
        ASSERT_FALSE(DecodePNG(bytes.data(), bytes.size()));
        ASSERT_FALSE(DecodeJPEG(bytes.data(), bytes.size()));
        ASSERT_FALSE(DecodeTGA(bytes.data(), bytes.size()));
    }
    // Valid files with a few bytes changed may or may not decode, but must
    // not crash or read out of bounds, and what they give must be sane.
    for (const NamedFile& file : SmallValidFiles()) {
        SCOPED_TRACE(file.name);
        for (int trial = 0; trial < 200; ++trial) {
            Bytes damaged = file.bytes;
            for (int hits = 1 + trial % 4; hits > 0; --hits) {
                damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
            }
            if (PixmapPtr pixmap = Decode(damaged)) {
                EXPECT_TRUE(PictureSizeAcceptable(pixmap->Width(), pixmap->Height()));
                EXPECT_TRUE(pixmap->Format() == PixelFormat::RGBA8888 ||
                            pixmap->Format() == PixelFormat::RGB888);
            }
        }
    }
    EXPECT_FALSE(LoadPixmapFromMemory(nullptr, 100));
}

// ----------------------------------------------------------- PNG writer --

class PngSaveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "hollowmere_pictures_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    std::string At(const std::string& name) const { return root_ + "/" + name; }
    static std::string Contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string root_;
};

PixmapPtr Gradient(PixelFormat format) {
    PixmapPtr pixmap = TPixmap::Create(40, 30, format);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x)
            pixmap->WritePixel(x, y, 0x05000000u * y + 0x00060300u * x + 7);
    }
    return pixmap;
}

TEST_F(PngSaveTest, EncodingRoundTripsAtEveryLevel) {
    PixmapPtr original = Gradient(PixelFormat::RGBA8888);
    Bytes stored, packed, clampedLow, clampedHigh;
    ASSERT_TRUE(EncodePNG(*original, 0, stored));
    ASSERT_TRUE(EncodePNG(*original, 9, packed));
    EXPECT_LT(packed.size(), stored.size());
    EXPECT_TRUE(EncodePNG(*original, -4, clampedLow));
    EXPECT_TRUE(EncodePNG(*original, 40, clampedHigh));
    EXPECT_EQ(clampedLow, stored);
    EXPECT_EQ(clampedHigh, packed);
    for (const Bytes* file : {&stored, &packed}) {
        PixmapPtr decoded = Decode(*file);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(Argb(decoded), Argb(original));
    }

    // Colour type byte of IHDR: 2 = RGB, 6 = RGBA.
    const struct {
        PixelFormat format;
        int colourType;
    } cases[] = {{PixelFormat::RGB888, 2},
                 {PixelFormat::BGR888, 2},
                 {PixelFormat::I8, 2},
                 {PixelFormat::BGRA8888, 6},
                 {PixelFormat::A8, 6}};
    for (const auto& c : cases) {
        PixmapPtr pixmap = Gradient(c.format);
        Bytes file;
        ASSERT_TRUE(EncodePNG(*pixmap, 6, file));
        EXPECT_EQ(file.at(25), c.colourType);
        PixmapPtr decoded = Decode(file);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(Argb(decoded), Argb(pixmap));
    }
    TPixmap empty(0, 5);
    EXPECT_FALSE(EncodePNG(empty, 6, stored));
    EXPECT_TRUE(stored.empty());
}

TEST_F(PngSaveTest, SavingReplacesTheFileOnlyOnSuccess) {
    PixmapPtr first = Gradient(PixelFormat::BGRA8888), second = Gradient(PixelFormat::I8);
    const std::string path = At("Shot.png");
    ASSERT_TRUE(SavePixmapPNG(*first, path, 9));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    PixmapPtr loaded = LoadPixmap(At("shot.PNG"));  // paths are matched in any case
    ASSERT_TRUE(loaded);
    EXPECT_EQ(Argb(loaded), Argb(first));
    const std::string saved = Contents(path);

    EXPECT_FALSE(SavePixmapPNG(*second, At("missing/shot.png"), 9));
    EXPECT_FALSE(SavePixmapPNG(TPixmap(0, 0), path, 9));
    EXPECT_EQ(Contents(path), saved);
    // The temporary name is taken by a folder, so the write itself fails.
    std::filesystem::create_directory(path + ".tmp");
    EXPECT_FALSE(SavePixmapPNG(*second, path, 9));
    EXPECT_EQ(Contents(path), saved);
    std::filesystem::remove(path + ".tmp");
    ASSERT_TRUE(SavePixmapPNG(*second, path, 0));
    loaded = LoadPixmap(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(Argb(loaded), Argb(second));

    // Content, not name, decides the codec.
    std::filesystem::copy_file(path, At("looks_like.tga"));
    EXPECT_TRUE(LoadPixmap(At("looks_like.tga")));
    EXPECT_FALSE(LoadPixmap(At("absent.png")));
}

}  // namespace
