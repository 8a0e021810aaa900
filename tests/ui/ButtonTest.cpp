// Buttons and menus: clicks, pressed time, mouse repeat, sounds, disabled
// buttons, names, moving and scaling.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/Audio.h"
#include "engine/Graphics.h"
#include "frame/MousePointer.h"
#include "support/FrameFixture.h"
#include "support/SoundFiles.h"
#include "ui/Menu.h"

namespace {

namespace fs = std::filesystem;

void SavePlate(const fs::path& path, uint32_t argb, int w = 100, int h = 40) {
    PixmapPtr pixels = TPixmap::Create(w, h, PixelFormat::RGBA8888);
    pixels->ClearPixels(argb);
    ASSERT_TRUE(SavePixmapPNG(*pixels, path.string(), 1));
}

class ButtonTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        UseManualAudioOutput();
        const fs::path menus = home_ / "menus", sounds = home_ / "sound";
        fs::create_directories(menus);
        fs::create_directories(sounds);
        SavePlate(menus / "plate.png", 0xFF404080u);
        SavePlate(menus / "plateMO.png", 0xFF6060C0u);
        SavePlate(menus / "plateDown.png", 0xFF202040u);
        SavePlate(menus / "bare.png", 0xFF808080u);  // no mouse-over picture
        SavePlate(menus / "bareDown.png", 0xFF303030u);
        SavePlate(menus / "plate_disabled.png", 0xFF505050u);
        SavePlate(menus / "plate_down.png", 0xFF101020u);
        const sound_files::Bytes wav = sound_files::MakeWav(
            16, 1, 44100, sound_files::Pcm16(std::vector<int16_t>(4410, 1000)));
        for (const char* name : {"over.wav", "click.wav"}) {
            std::ofstream out(sounds / name, std::ios::binary);
            out.write(reinterpret_cast<const char*>(wav.data()),
                      static_cast<std::streamsize>(wav.size()));
        }
        Game->SetMenuPath(menus.string());
        Game->SetSoundPath(sounds.string());
        Game->ChannelsCreate(16);
        menu_ = TMenu::Create("over", "click", 0, 100, 10);
    }
    void TearDown() override {
        ShutdownAudio();
        FrameTest::TearDown();
    }
    void PointAt(float x, float y) {
        Game->Mouse->x = static_cast<int>(x);
        Game->Mouse->y = static_cast<int>(y);
    }
    void Press() {
        Game->Mouse->ClearMouseHit();
        Game->Mouse->b1 = 1;
        Game->Mouse->h1 = 1;
        Game->Mouse->CalcButtonTotals();
    }
    void Release() {
        Game->Mouse->b1 = 0;
        Game->Mouse->ClearMouseHit();
        Game->Mouse->CalcButtonTotals();
    }
    int SoundsPlaying() { return Game->Channels->CountPlaying(); }
    TMenuPtr menu_;
};

TEST_F(ButtonTest, ClicksAreReportedOnceAndNotDuringThePressedTime) {
    TButtonPtr button = AddMenuButton(*menu_, "plate", "Go", "", 50, 200);
    EXPECT_EQ(button->name, "GO");
    PointAt(60, 210);
    menu_->Manage(0, 0);
    EXPECT_EQ(menu_->MouseOver("go"), 1);
    EXPECT_EQ(SoundsPlaying(), 1) << "mouse-over sound on the first step of hovering";
    menu_->Manage(0, 0);
    EXPECT_EQ(SoundsPlaying(), 1) << "not again while hovering";
    Press();
    menu_->Manage(0, 0);
    EXPECT_EQ(menu_->Clicked("gO"), 1) << "names compare in any case";
    EXPECT_EQ(menu_->Clicked("GO"), 0) << "a click is reported once";
    EXPECT_EQ(SoundsPlaying(), 2);
    EXPECT_GT(button->MouseClickCounter, 0) << "pressed picture for 350 ms";
    Release();
    menu_->Manage(0, 0);
    Press();
    menu_->Manage(0, 0);
    EXPECT_EQ(menu_->Clicked("GO"), 0) << "a second click while pressed is ignored";
    for (int i = 0; i < 70; ++i)
        menu_->Manage(0, 0);
    button->ClickWhenDown = 1;
    Press();
    menu_->Manage(0, 0);
    EXPECT_EQ(menu_->Clicked("GO"), 1) << "after the pressed time clicks count again";

    // A mouse-over picture that does not exist falls back to the button's own.
    TButtonPtr bare = AddMenuButton(*menu_, "bare", "", "", 50, 400);
    EXPECT_EQ(bare->ImageMouseOver, bare->image);
}

TEST_F(ButtonTest, MouseRepeatAndDisabledButtons) {
    TButtonPtr button = menu_->AddQuickAuto("plate", "scroll");
    ASSERT_TRUE(button->ImageDisabled);
    ASSERT_TRUE(button->ImageMouseClick) << "_down picture found";
    button->SetupMouseRepeat(400, 100);
    button->ClickWhenDown = 1;
    PointAt(button->x + 5, button->y + 5);
    Press();
    std::vector<int> clickSteps;
    for (int step = 0; step < 121; ++step) {
        menu_->Manage(0, 0);
        if (button->Clicked) clickSteps.push_back(step);
        Game->Mouse->ClearMouseHit();
        Game->Mouse->CalcButtonTotals();
    }
    const std::vector<int> expected = {0, 80, 100, 120};
    EXPECT_EQ(clickSteps, expected) << "once at once, then after 400 ms every 100 ms";

    // A disabled button still hovers, sounds and clicks, and under the
    // pointer keeps its disabled picture.
    Release();
    button->MouseRepeat.reset();
    button->Disabled = 1;
    for (int i = 0; i < 50; ++i)
        menu_->Manage(0, 0);
    Press();
    menu_->Manage(0, 0);
    EXPECT_EQ(menu_->Clicked("scroll"), 1);
    EXPECT_EQ(button->MouseOver, 1) << "hovering";
    button->MouseClickCounter = 0;
    SetClsColor(0, 0, 0);
    Cls();
    button->Draw();
    EXPECT_EQ(headless::ReadFrame()->ReadPixel(static_cast<int>(button->x) + 50,
                                               static_cast<int>(button->y) + 20),
              0xFF505050u);
}

TEST_F(ButtonTest, MovingAndScalingKeepCaptionAndHitBoxTogether) {
    TButtonPtr button = AddMenuButton(*menu_, "plate", "", "", 100, 100);
    button->SetBoundingBox(100, 100, 150, 120, 1);
    const float captionX = button->Caption->X, boxX = button->BoundingBox->X;
    button->MoveTo(300, 500);
    EXPECT_FLOAT_EQ(button->Caption->X - captionX, 200.0f);
    EXPECT_FLOAT_EQ(button->BoundingBox->X - boxX, 200.0f);
    PointAt(320, 510);
    menu_->Manage(0, 0);
    EXPECT_EQ(button->MouseOver, 1) << "inside the moved box";
    PointAt(360, 510);
    menu_->Manage(0, 0);
    EXPECT_EQ(button->MouseOver, 0) << "outside the box though inside the picture";

    // Growing under the mouse keeps the centre in place.
    button->BoundingBox.reset();
    button->SetupScaleOnMO(1.1f, 1.0f, 0.01f);
    PointAt(310, 510);
    menu_->Manage(0, 0);
    EXPECT_FLOAT_EQ(button->ScaleOnMO, 1.1f);
    SetClsColor(0, 0, 0);
    Cls();
    button->Draw();
    PixmapPtr frame = headless::ReadFrame();
    EXPECT_NE(frame->ReadPixel(296, 499) & 0xFFFFFF, 0u) << "grown 5 pixels left and 2 up";
    EXPECT_NE(frame->ReadPixel(404, 541) & 0xFFFFFF, 0u) << "and as much right and down";
    EXPECT_EQ(frame->ReadPixel(294, 520) & 0xFFFFFF, 0u);

    EXPECT_EQ(menu_->FindButton("PLATE"), button);
    menu_->RemoveButton("plate");
    EXPECT_EQ(menu_->FindButton("PLATE"), nullptr);
}

}  // namespace
