// Pausing, losing the focus and coming back: the screen stands still, music
// and speech fall silent and come back, the settings keep the player's
// choices, the pause picture is drawn, and a close request still ends the
// game.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "engine/Audio.h"
#include "engine/Graphics.h"
#include "engine/Input.h"
#include "frame/IniFile.h"
#include "frame/MousePointer.h"
#include "frame/Screen.h"
#include "media/GameImage.h"
#include "media/Sound.h"
#include "support/FrameFixture.h"
#include "support/SoundFiles.h"

namespace fs = std::filesystem;

namespace {

using namespace sound_files;

void WriteFile(const fs::path& path, const Bytes& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

Bytes ConstantWav(int frames, int16_t value) {
    return MakeWav(16, 1, 44100, Pcm16(std::vector<int16_t>(frames, value)));
}

// What reaches the mixer now: one sample from the middle of 64 mixed frames.
float Mixed() {
    std::vector<float> stereo(128);
    MixAudio(stereo.data(), 64);
    return stereo[64];
}

// A screen that counts its logic steps and, when asked, keeps trying to go
// somewhere else.
class CountingScreen : public TScreen {
  public:
    int steps = 0;
    TScreenPtr wantsToGo;
    bool replacesFades = false;
    void Logic() override {
        ++steps;
        if (wantsToGo) Game->DestinationTScreen = wantsToGo;
        if (replacesFades && Game->GameFade->Active) {
            Game->GameFade->Finish();
            Game->GameFade->Init(DefaultFadeLength, 0, nullptr, 1, 0, nullptr);
        }
    }
};

// Music at 0.25 of full scale and a speech line at 0.125, both playing.
constexpr float kMusicLevel = 0.25f, kSpeechLevel = 0.125f;

class PauseTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        UseManualAudioOutput(44100);
        const fs::path audio = home_ / "audio";
        WriteFile(audio / "music" / "tune.wav", ConstantWav(44100, 8192));
        WriteFile(audio / "speech" / "line.wav", ConstantWav(44100 * 5, 4096));
        Game->SetMusicPath(audio.string() + "/music");
        Game->SubPath = home_.string() + "/";
        Game->MusicChannel = AllocChannel();
        Game->SpeechChannel = AllocChannel();
        Game->PauseOnLossOfFullScreenFocus = 1;
        Game->MusicFadeIn = 0;
        Game->MusicLoad("tune.wav", 1);
        Game->MusicPlay(0, 0, 0);
        line_ = TGameSound::Create((audio / "speech" / "line.wav").string());
        Game->SpeechPlay(line_, 1);
        screen_ = MakeScreen<CountingScreen>();
        screen_->name = "counting";
        screen_->CoreStart();
    }
    void TearDown() override {
        ShutdownAudio();
        FrameTest::TearDown();
    }
    void Press(const char* key) {
        InjectKeyEvent(key, true);
        InjectKeyEvent(key, false);
    }
    void AltEnter() {
        InjectKeyEvent("Left Alt", true);
        InjectKeyEvent("Return", true);
        InjectKeyEvent("Return", false);
        Steps(1);
        InjectKeyEvent("Left Alt", false);
    }
    void Click() {
        InjectMouseButton(1, true, 100, 100);
        InjectMouseButton(1, false, 100, 100);
    }
    std::string Saved(const char* key) { return ReadIniValue(Game->SettingsPath(), key); }
    // Runs logic steps until the frame asks to end the program; the number of
    // steps it took, or -1 when it did not within the limit.
    int StepsUntilExit(int limit) {
        for (int i = 1; i <= limit; ++i) {
            Game->FixedRateLogic->SetDelta(1.0f);
            if (Game->LogicWrapper() == -1) return i;
        }
        return -1;
    }

    TGameSoundPtr line_;
    std::shared_ptr<CountingScreen> screen_;
};

TEST_F(PauseTest, ThePauseKeySilencesWithoutSwitchingMusicAndSpeechOff) {
    ASSERT_NEAR(Mixed(), kMusicLevel + kSpeechLevel, 1e-3);
    Press("P");
    Steps(1);
    ASSERT_EQ(Game->Paused, 1);
    EXPECT_FLOAT_EQ(Mixed(), 0.0f) << "paused: nothing plays";
    const int before = screen_->steps;
    Steps(20);
    EXPECT_EQ(screen_->steps, before) << "paused: the screen stands still";

    // A display toggle while paused saves the settings: the player's choices.
    AltEnter();
    ASSERT_TRUE(fs::exists(Game->SettingsPath()));
    EXPECT_EQ(Saved("Music"), "1");
    EXPECT_EQ(Saved("Speech"), "1");
    EXPECT_EQ(Game->Paused, 1);

    Click();
    Steps(1);
    EXPECT_EQ(Game->Paused, 0) << "a click ends the pause";
    EXPECT_EQ(Game->Music, 1);
    EXPECT_EQ(Game->Speech, 1);
    EXPECT_NEAR(Mixed(), kMusicLevel + kSpeechLevel, 1e-3) << "both play on where they stopped";
    Steps(1);
    EXPECT_GT(screen_->steps, before);
}

TEST_F(PauseTest, WhatWasOffStaysOffAfterThePause) {
    Game->SpeechOff();
    ASSERT_NEAR(Mixed(), kMusicLevel, 1e-3);
    Press("P");
    Steps(1);
    Press("P");
    Steps(1);
    EXPECT_EQ(Game->Paused, 0);
    EXPECT_EQ(Game->Speech, 0);
    EXPECT_NEAR(Mixed(), kMusicLevel, 1e-3) << "the music only";
}

TEST_F(PauseTest, LosingTheFocusInFullScreenPausesUntilAClick) {
    Game->FullScreen = 1;
    InjectWindowFocus(false);
    Steps(1);
    EXPECT_EQ(Game->Suspended, 1);
    EXPECT_EQ(Game->Paused, 1);
    EXPECT_FLOAT_EQ(Mixed(), 0.0f);
    const int before = screen_->steps;
    Steps(20);
    EXPECT_EQ(screen_->steps, before);

    InjectWindowFocus(true);
    Steps(1);
    EXPECT_EQ(Game->Suspended, 0);
    EXPECT_EQ(Game->Paused, 1) << "back from the desktop the game waits for the player";
    EXPECT_FLOAT_EQ(Mixed(), 0.0f);

    // The usual way back: Alt+Enter to a window, which saves the settings.
    AltEnter();
    EXPECT_EQ(Game->FullScreen, 0);
    Click();
    Steps(1);
    EXPECT_EQ(Game->Paused, 0);
    EXPECT_EQ(Saved("Music"), "1");
    EXPECT_EQ(Saved("Speech"), "1");
    EXPECT_NEAR(Mixed(), kMusicLevel + kSpeechLevel, 1e-3);
}

TEST_F(PauseTest, LosingTheFocusInAWindowSuspendsWithoutPausing) {
    Game->FullScreen = 0;
    InjectWindowFocus(false);
    Steps(1);
    EXPECT_EQ(Game->Suspended, 1);
    EXPECT_EQ(Game->Paused, 0);
    EXPECT_FLOAT_EQ(Mixed(), 0.0f);
    const int before = screen_->steps;
    Steps(20);
    EXPECT_EQ(screen_->steps, before) << "in the background nothing moves";
    EXPECT_EQ(Game->Suspended, 1) << "no focus yet: still in the background";

    InjectWindowFocus(true);
    Steps(1);
    EXPECT_EQ(Game->Suspended, 0);
    EXPECT_EQ(Game->Paused, 0) << "a window resumes at once";
    EXPECT_EQ(Game->Music, 1);
    EXPECT_NEAR(Mixed(), kMusicLevel + kSpeechLevel, 1e-3);
    Steps(1);
    EXPECT_GT(screen_->steps, before);

    // Paused by the key while in the background, it stays paused on return.
    InjectWindowFocus(false);
    Steps(1);
    Press("P");
    Steps(1);
    InjectWindowFocus(true);
    Steps(1);
    EXPECT_EQ(Game->Paused, 1);
    Click();
    Steps(1);
    EXPECT_EQ(Game->Paused, 0);
    EXPECT_NEAR(Mixed(), kMusicLevel + kSpeechLevel, 1e-3)
        << "music and speech come back after both ends of the pause";
}

TEST_F(PauseTest, ThePausedScreenIsDimmedUnderThePausePicture) {
    PixmapPtr red = TPixmap::Create(100, 50, PixelFormat::RGBA8888);
    red->ClearPixels(0xFFFF0000u);
    Game->SpritePausedCreate(TGameImage::CreateFromImage(TImage::FromPixmap(red), "paused", 1));
    Game->ClsColor = TColor::Create(255, 255, 255, 1.0f);
    Game->Mouse->Off();
    auto draw = [] {
        SetClsColor(255, 255, 255);
        Game->ScreenDraw();
        return headless::ReadFrame();
    };
    PixmapPtr frame = draw();
    EXPECT_EQ(headless::Red(frame->ReadPixel(10, 10)), 255) << "not paused: nothing over it";
    EXPECT_EQ(headless::Green(frame->ReadPixel(512, 384)), 255);

    Game->Paused = 1;
    frame = draw();
    EXPECT_NEAR(headless::Green(frame->ReadPixel(10, 10)), 128, 2) << "half-dark dim";
    EXPECT_EQ(frame->ReadPixel(512, 384) & 0xFFFFFF, 0xFF0000u) << "the picture, centred";
    EXPECT_EQ(frame->ReadPixel(512 - 49, 384 - 24) & 0xFFFFFF, 0xFF0000u);
    EXPECT_NEAR(headless::Green(frame->ReadPixel(512 - 52, 384)), 128, 2) << "and no larger";

    Game->DimWhenPaused = 0;
    frame = draw();
    EXPECT_EQ(headless::Green(frame->ReadPixel(10, 10)), 255) << "dimming switched off";
    EXPECT_EQ(frame->ReadPixel(512, 384) & 0xFFFFFF, 0xFF0000u);

    Game->Paused = 0;
    Game->Suspended = 1;
    frame = draw();
    EXPECT_EQ(frame->ReadPixel(512, 384) & 0xFFFFFF, 0xFF0000u) << "in the background too";
}

// ---------------------------------------------------------------- closing

TEST_F(PauseTest, ACloseRequestEndsAPausedGame) {
    Press("P");
    Steps(1);
    ASSERT_EQ(Game->Paused, 1);
    InjectWindowClose();
    const int steps = StepsUntilExit(2000);
    EXPECT_GT(steps, 0) << "still running";
    EXPECT_LE(steps, 62) << "the exit fade of 300 ms and one step";
    EXPECT_TRUE(Game->CurrentTScreen == Game->ExitScreen);
}

TEST_F(PauseTest, ACloseRequestEndsAGameMinimisedFromAWindow) {
    Game->FullScreen = 0;
    InjectWindowMinimised(true);
    Steps(1);
    ASSERT_EQ(Game->Suspended, 1);
    InjectWindowClose();
    const int steps = StepsUntilExit(2000);
    EXPECT_GT(steps, 0) << "still running";
    EXPECT_LE(steps, 62);
}

TEST_F(PauseTest, ACloseRequestEndsAGameMinimisedFromFullScreen) {
    Game->FullScreen = 1;
    InjectWindowMinimised(true);
    Steps(1);
    ASSERT_EQ(Game->Suspended, 1);
    ASSERT_EQ(Game->Paused, 1);
    InjectWindowClose();
    const int steps = StepsUntilExit(2000);
    EXPECT_GT(steps, 0) << "still running";
    EXPECT_LE(steps, 62);
}

TEST_F(PauseTest, AScreenNamingAnotherDestinationCannotKeepTheGameFromClosing) {
    auto other = MakeScreen<CountingScreen>();
    screen_->wantsToGo = other;
    InjectWindowClose();
    EXPECT_GT(StepsUntilExit(2000), 0);
    EXPECT_EQ(other->steps, 0);
    EXPECT_TRUE(Game->CurrentTScreen == Game->ExitScreen);
}

TEST_F(PauseTest, AScreenReplacingTheExitFadeCannotKeepTheGameFromClosing) {
    screen_->replacesFades = true;
    InjectWindowClose();
    const int steps = StepsUntilExit(2000);
    EXPECT_GT(steps, 0);
    EXPECT_LE(steps, 3);
}

}  // namespace
