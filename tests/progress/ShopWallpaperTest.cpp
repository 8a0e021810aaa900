// The wallpaper from the shop: the question, the bitmap of the bare scene in
// the profile folder (header, bottom-up rows, no controls, dialogs or
// pointer), and what the player is told: done only when the whole picture
// was written and the desktop took it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/Files.h"
#include "engine/Graphics.h"
#include "engine/Input.h"
#include "engine/platform/Wallpaper.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"
#include "media/GameText.h"
#include "progress/ShopFixture.h"
#include "support/FakeDesktop.h"
#include "ui/Menu.h"

namespace fs = std::filesystem;

namespace {

uint32_t U32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<uint32_t>(bytes[at + 3]) << 24;
}

class ShopWallpaperTest : public ShopTest {
  protected:
    void SetUp() override {
        ShopTest::SetUp();
        Progress(30, 0, {1, 5, 18, 24, 33, 36});
        Enter();
        // The pointer rests over the house, where a wallpaper must not show it.
        InjectMouseMove(PhysicalX(500), PhysicalY(300));
        Step(2);
    }
    // Answers the question; with Yes, whole frames of the game run until
    // the sequence is over.
    void SetWallpaper(const char* answer) {
        Click(Shop().Menu, "roller");
        ASSERT_TRUE(Shop().WallpaperYesNo) << "the question";
        ASSERT_TRUE(WaitUntilOpen(Shop().WallpaperYesNo));
        Answer(Shop().WallpaperYesNo, answer);
        for (int frame = 0; frame < 40 && Shop().wallpaperStage != 0; ++frame) {
            clock_.Advance(17);
            ASSERT_TRUE(RunFrame());
        }
        EXPECT_EQ(Shop().wallpaperStage, 0) << "the sequence ends";
    }
    std::string File() const { return TShopScreen::WallpaperPath(); }
    // What the player was told: the text of the dialog open afterwards.
    std::string Told() const {
        return Shop().MessageDialog ? Shop().MessageDialog->Caption->Text : "(nothing)";
    }
};

TEST_F(ShopWallpaperTest, YesWritesTheBareSceneBottomUpAndTheDesktopTakesIt) {
    FakeDesktop desktop("GNOME");
    desktop.Tool("gsettings");
    SetWallpaper("Yes");
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(LoadBytes(File(), bytes)) << File();
    ASSERT_EQ(bytes.size(), 2359350u) << "54 + 3072 x 768";
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(U32(bytes, 10), 54u) << "pixels after the header";
    EXPECT_EQ(U32(bytes, 18), 1024u);
    EXPECT_EQ(U32(bytes, 22), 768u) << "a positive height: bottom-up";
    EXPECT_EQ(bytes[28], 24);
    fs::copy_file(File(), headless::OutputFolder() + "/shop_wallpaper.bmp",
                  fs::copy_options::overwrite_existing);

    // The picture as written, read back from its rows.
    TPixmap written(1024, 768);
    for (int y = 0; y < 768; ++y) {
        const size_t row = 54 + static_cast<size_t>(767 - y) * 3072;
        for (int x = 0; x < 1024; ++x) {
            const uint8_t* p = &bytes[row + x * 3];
            written.WritePixel(x, y, 0xFF000000u | p[2] << 16 | p[1] << 8 | p[0]);
        }
    }
    SceneFrame();
    const PixmapPtr scene = GrabPixmap(0, 0, ScreenWidth, ScreenHeight);
    EXPECT_EQ(Differences(written, *scene), 0) << "the scene alone";
    ShopFrame();
    const PixmapPtr shop = GrabPixmap(0, 0, ScreenWidth, ScreenHeight);
    EXPECT_GT(Differences(written, *shop, 0, 0, 130, 40), 0) << "without the gold panel";

    EXPECT_EQ(Told(), GameText->FindString("Wallpaper Done"));
    const std::vector<std::vector<std::string>> calls = desktop.Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0].back(), FileUri(File()));
    EXPECT_EQ(Game->Mouse->Active, 1) << "the pointer is back";
}

TEST_F(ShopWallpaperTest, NoWritesNothing) {
    FakeDesktop desktop("GNOME");
    desktop.Tool("gsettings");
    SetWallpaper("No");
    for (int frame = 0; frame < 15; ++frame) {
        clock_.Advance(17);
        ASSERT_TRUE(RunFrame());
    }
    EXPECT_EQ(FileType(File()), FILETYPE_NONE);
    EXPECT_TRUE(desktop.Calls().empty());
    EXPECT_FALSE(Shop().MessageDialog);
    EXPECT_EQ(Game->CurrentTScreen, ShopScreen);
}

TEST_F(ShopWallpaperTest, ADesktopWithoutSupportGetsThePictureButNoClaimOfSuccess) {
    FakeDesktop desktop("Hyprland");
    desktop.Tool("gsettings");
    SetWallpaper("Yes");
    EXPECT_EQ(FileSize(File()), 2359350) << "the picture is still saved";
    EXPECT_EQ(Told(), GameText->FindString("Wallpaper Failed"));
    EXPECT_TRUE(desktop.Calls().empty());
}

TEST_F(ShopWallpaperTest, APictureThatCannotBeWrittenIsNeverHandedToTheDesktop) {
    FakeDesktop desktop("GNOME");
    desktop.Tool("gsettings");
    fs::create_directories(File());  // a folder where the picture should go
    SetWallpaper("Yes");
    EXPECT_EQ(FileType(File()), FILETYPE_DIR);
    EXPECT_EQ(Told(), GameText->FindString("Wallpaper Failed"));
    EXPECT_TRUE(desktop.Calls().empty());
    EXPECT_EQ(Game->CurrentTScreen, ShopScreen) << "the game goes on";
}

}  // namespace
