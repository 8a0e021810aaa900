// The 24-bit bitmap writer.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Files.h"
#include "frame/Bitmap.h"

namespace {

uint32_t U32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<uint32_t>(bytes[at + 3]) << 24;
}
uint32_t U16(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8;
}

class BitmapTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "hollowmere_bitmap_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
    }
    void TearDown() override { DeleteDir(root_, true); }
    std::string root_;
};

TEST_F(BitmapTest, WritesHeaderAndPaddedBottomUpRows) {
    // 3 x 2: rows of 9 bytes padded to 12.
    TPixmap pixmap(3, 2);
    pixmap.WritePixel(0, 0, 0xFF112233u);
    pixmap.WritePixel(1, 0, 0xFF445566u);
    pixmap.WritePixel(2, 0, 0x80778899u);  // alpha is dropped
    pixmap.WritePixel(0, 1, 0xFFAABBCCu);
    pixmap.WritePixel(1, 1, 0xFFDDEEFFu);
    pixmap.WritePixel(2, 1, 0xFF010203u);
    const std::string path = root_ + "/small.bmp";
    ASSERT_TRUE(WriteBitmap24(pixmap, path));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(LoadBytes(path, bytes));
    ASSERT_EQ(bytes.size(), 78u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    // File size, reserved, data offset, info size, width, height.
    const std::vector<uint32_t> words = {78, 0, 54, 40, 3, 2};
    for (size_t i = 0; i < words.size(); ++i)
        EXPECT_EQ(U32(bytes, 2 + 4 * i), words[i]) << "word " << i;
    EXPECT_EQ(U16(bytes, 26), 1u);   // planes
    EXPECT_EQ(U16(bytes, 28), 24u);  // bits per pixel
    // Compression, image size, resolution, colours.
    const std::vector<uint32_t> info = {0, 24, 2834, 2834, 0, 0};
    for (size_t i = 0; i < info.size(); ++i)
        EXPECT_EQ(U32(bytes, 30 + 4 * i), info[i]) << "info word " << i;
    const std::vector<uint8_t> pixels(bytes.begin() + 54, bytes.end());
    const std::vector<uint8_t> expected = {
        0xCC, 0xBB, 0xAA, 0xFF, 0xEE, 0xDD, 0x03, 0x02, 0x01, 0, 0, 0,  // bottom row first
        0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0x99, 0x88, 0x77, 0, 0, 0,
    };
    EXPECT_EQ(pixels, expected);
}

TEST_F(BitmapTest, FullScreenSizeAndImageFiles) {
    const std::string wallpaper = root_ + "/wallpaper.bmp";
    ASSERT_TRUE(WriteBitmap24(TPixmap(1024, 768), wallpaper));
    EXPECT_EQ(FileSize(wallpaper), 2359350);
    EXPECT_EQ(FileType(wallpaper + ".tmp"), FILETYPE_NONE);

    // An image file becomes a bitmap of its first frame, replacing the old one.
    TPixmap picture(5, 1, PixelFormat::RGB888);
    picture.ClearPixels(0xFF0000FFu);
    ASSERT_TRUE(SavePixmapPNG(picture, root_ + "/blue.png", 1));
    EXPECT_TRUE(SaveImageAsBitmap(root_ + "/blue.png", wallpaper));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(LoadBytes(wallpaper, bytes));
    ASSERT_EQ(bytes.size(), 54u + 16u);
    EXPECT_EQ(U32(bytes, 18), 5u);
    EXPECT_EQ(bytes[54], 0xFF);  // blue first
    EXPECT_EQ(bytes[55], 0x00);
    EXPECT_EQ(bytes[68], 0x00);  // padding
    EXPECT_EQ(bytes[69], 0x00);

    // Nothing is written when the image is missing or damaged, or the folder is.
    ASSERT_TRUE(SaveTextSafely(root_ + "/broken.png", "\x89PNG\r\n\x1a\n not really"));
    EXPECT_FALSE(SaveImageAsBitmap(root_ + "/missing.png", root_ + "/a.bmp"));
    EXPECT_FALSE(SaveImageAsBitmap(root_ + "/broken.png", root_ + "/b.bmp"));
    EXPECT_FALSE(SaveImageAsBitmap(root_ + "/blue.png", root_ + "/no folder/c.bmp"));
    EXPECT_EQ(FileType(root_ + "/a.bmp"), FILETYPE_NONE);
    EXPECT_EQ(FileType(root_ + "/b.bmp"), FILETYPE_NONE);
    EXPECT_EQ(FileSize(wallpaper), 70) << "the earlier bitmap stays";
}

}  // namespace
