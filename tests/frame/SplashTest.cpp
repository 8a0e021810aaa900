// The splash pictures before loading: which branding pictures show, and the
// logo's timing and jingle, run on a clock that moves with each frame.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "engine/Input.h"
#include "frame/Splash.h"
#include "support/FrameFixture.h"

namespace fs = std::filesystem;

namespace {

// A fake clock that lets the test look in (or press a key) at every frame.
class WatchedClock : public FakeClock {
  public:
    std::function<void(uint32_t)> onFrame;
    void Sleep(int ms) override {
        FakeClock::Sleep(ms);
        if (onFrame) onFrame(Millis());
    }
};

class SplashTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        watched_.Set(10000);
        SetClock(&watched_);
    }
    void TearDown() override {
        SetClock(&clock_);
        FrameTest::TearDown();
    }
    fs::path Folder(const std::vector<std::string>& files) {
        const fs::path folder = home_ / "branding";
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (const std::string& file : files)
            std::ofstream(folder / file) << "x";
        return folder;
    }
    WatchedClock watched_;
};

TEST_F(SplashTest, BrandingPicturesShowInNumberOrderUpToTheFirstGap) {
    const std::string folder = Folder({}).string() + "/";
    EXPECT_TRUE(BrandingSplashNames(folder).empty()) << "an empty folder: straight to the logo";

    Folder({"splash1.png", "splash3.png"});
    EXPECT_EQ(BrandingSplashNames(folder), std::vector<std::string>{"splash1.png"});

    Folder({"splash1.png", "splash2.jpg", "Splash3.png", "splash4.png"});
    EXPECT_EQ(BrandingSplashNames(folder), (std::vector<std::string>{"splash1.png", "splash2.jpg"}))
        << "names are compared case-sensitively, so Splash3 is a gap";

    Folder({"splash1.png", "splash1.jpg"});
    EXPECT_EQ(BrandingSplashNames(folder).size(), 1u) << "splash1 in two forms shows once";

    const std::string missing = (home_ / "nowhere").string() + "/";
    EXPECT_EQ(FatalMessageOf([&] { BrandingSplashNames(missing); }),
              "Failed to read splash folder '" + missing + "'");
}

TEST_F(SplashTest, TheLogoRunsItsFourSecondsWithTheJingleFollowingThePicture) {
    Game->SoundVolume = 60;
    TSplashScreen logo;
    InitLogoSplash(logo);
    ASSERT_TRUE(logo.Sample);
    float firstVolume = -1, heldVolume = -1;
    bool rateSlowed = false;
    const uint32_t start = watched_.Millis();
    watched_.onFrame = [&](uint32_t now) {
        if (!logo.Channel) return;
        if (firstVolume < 0) firstVolume = logo.Channel->Volume();
        if (now - start > 1900 && now - start < 2400) heldVolume = logo.Channel->Volume();
        rateSlowed = rateSlowed || logo.Channel->Rate() == 0.9f;
    };
    EXPECT_EQ(logo.DoSplash(), 0);
    const uint32_t took = watched_.Millis() - start;
    EXPECT_GE(took, 4000u);
    EXPECT_LT(took, 4000u + 8 * 17) << "each stage ends within two frames of its time";
    EXPECT_NEAR(firstVolume, 0.0f, 0.02f);
    EXPECT_FLOAT_EQ(heldVolume, 0.6f);
    EXPECT_TRUE(rateSlowed);
    EXPECT_FALSE(logo.Channel->Playing()) << "the jingle ends with the splash";
}

TEST_F(SplashTest, WithSoundEffectsOffTheLogoIsSilentButKeepsItsLength) {
    Game->Sound = 0;
    TSplashScreen logo;
    InitLogoSplash(logo);
    const uint32_t start = watched_.Millis();
    EXPECT_EQ(logo.DoSplash(), 0);
    EXPECT_FALSE(logo.Channel);
    EXPECT_GE(watched_.Millis() - start, 4000u);
}

TEST_F(SplashTest, AKeyDuringTheFadeInCutsTheLogoShortAndStopsTheJingle) {
    TSplashScreen logo;
    InitLogoSplash(logo);
    const uint32_t start = watched_.Millis();
    bool pressed = false;
    watched_.onFrame = [&](uint32_t now) {
        if (!pressed && now - start >= 500) {
            pressed = true;
            InjectKeyEvent("Space", true);
            InjectKeyEvent("Space", false);
        }
    };
    EXPECT_EQ(logo.DoSplash(), -1);
    EXPECT_LT(watched_.Millis() - start, 700u) << "no hold and no fade-out";
    ASSERT_TRUE(logo.Channel);
    EXPECT_FALSE(logo.Channel->Playing());
    EXPECT_EQ(UsePolledInput, 0) << "event input is back for the loading screen";
}

}  // namespace
