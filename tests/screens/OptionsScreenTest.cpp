// The options screen in the whole program through the real input: the
// sliders reach the mixer while dragged, each switch acts, leaving writes
// the settings file and the profile, a refused full-screen switch shows the
// real mode, Esc is OK, the music of the way back after the credits, and
// the frame.
#include <gtest/gtest.h>

#include <string>

#include "engine/Files.h"
#include "engine/Input.h"
#include "frame/Profile.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/SaveData.h"
#include "screens/CreditsScreen.h"
#include "screens/FrontEndFixture.h"
#include "screens/OptionsScreen.h"
#include "ui/Menu.h"

namespace {

class OptionsScreenTest : public FrontEndTest {
  protected:
    // From the title, as the player goes there.
    void EnterFromTitle() {
        EnterTitle();
        ClickButton(*TitleScreen->Menu->FindButton("titleoptions"));
        ASSERT_TRUE(StepUntil(
            [] { return Game->CurrentTScreen == OptionsScreen && !Game->GameFade->Active; }));
        ASSERT_EQ(OptionsScreen->Destination, TitleScreen);
    }
    // Holds the knob and pulls it to the value, a step at a time.
    void Drag(TSlider& slider, int value) {
        const float y = slider.y + slider.h / 2.0f;
        InjectMouseMove(PhysicalX(slider.DotX + slider.DotImage->w2), PhysicalY(y));
        Step();
        InjectMouseButton(1, true, 0, 0);
        Step();
        const float to = slider.x + slider.Border + value / 100.0f * (slider.w - 2 * slider.Border);
        InjectMouseMove(PhysicalX(to), PhysicalY(y));
        Step();
    }
    void Release() {
        InjectMouseButton(1, false, 0, 0);
        Step();
    }
    void ClickBox(const TCheckBox& box) { ClickAt(box.x + 20, box.y + 20); }
    std::string Settings() const {
        std::string text;
        LoadText(Game->SettingsPath(), text);
        return text;
    }
    static bool Has(const std::string& text, const std::string& line) {
        return text.find(line + "\r\n") != std::string::npos;
    }
};

TEST_F(OptionsScreenTest, EachControlActsAtOnceAndLeavingWritesTheSettingsAndTheProfile) {
    EnterFromTitle();
    TOptionsScreen& options = *OptionsScreen;
    ASSERT_TRUE(Game->MusicChannel);
    ASSERT_TRUE(Has(Settings(), "MUSIC VOLUME=100"));

    Drag(*options.MusicSlider, 0);
    EXPECT_EQ(Game->MusicVolume, 0);
    EXPECT_FLOAT_EQ(Game->MusicChannel->Volume(), 0) << "the music follows while dragging";
    Release();

    Drag(*options.SoundSlider, 40);
    EXPECT_EQ(Game->SoundVolume, 40);
    ASSERT_TRUE(options.ChannelClick->Playing()) << "a sample as the knob is taken";
    const TButton& ok = *options.Menu->FindButton("OK");
    const float taken = options.ChannelClick->Volume();
    Step();
    EXPECT_EQ(options.ChannelClick->Volume(), taken) << "one sample at a time";
    options.ChannelClick->Stop();  // that sample has ended
    Step();
    ASSERT_TRUE(options.ChannelClick->Playing()) << "the next one";
    EXPECT_NEAR(options.ChannelClick->Volume(), 0.4f * ok.SoundClick->volume, 1e-4);
    Release();
    EXPECT_TRUE(Has(Settings(), "MUSIC VOLUME=100")) << "nothing written while dragging";

    const int tips = SaveData->showTips, pointer = Game->CustomMousePointer;
    const int wide = Game->WideScreen;
    ClickBox(*options.TipsCheckBox);
    EXPECT_EQ(SaveData->showTips, 1 - tips);
    ClickBox(*options.CustomCursorCheckBox);
    EXPECT_EQ(Game->CustomMousePointer, 1 - pointer);
    ClickBox(*options.WidescreenCheckBox);
    EXPECT_EQ(Game->WideScreen, 1 - wide);

    ClickButton(ok);
    EXPECT_EQ(Game->DestinationTScreen, TitleScreen);
    const std::string settings = Settings();
    EXPECT_TRUE(Has(settings, "MUSIC VOLUME=0"));
    EXPECT_TRUE(Has(settings, "SOUND VOLUME=40"));
    EXPECT_TRUE(Has(settings, "WIDESCREEN=" + std::to_string(1 - wide)));
    EXPECT_TRUE(Has(settings, "CUSTOM MOUSE POINTER=" + std::to_string(1 - pointer)));
    SelectProfile("Ada");
    EXPECT_EQ(SaveData->showTips, 1 - tips) << "the tips switch lives in the profile";
    ASSERT_TRUE(StepUntil([] { return Game->CurrentTScreen == TitleScreen; }));
}

TEST_F(OptionsScreenTest, ARefusedFullScreenSwitchLeavesTheBoxShowingTheWindow) {
    Game->FullScreen = 0;
    Game->ForceWindowedMode = 1;  // no full-screen mode could be opened
    EnterFromTitle();
    TCheckBox& box = *OptionsScreen->FullScreenCheckBox;
    ASSERT_EQ(box.state, 0);
    const Box tick = InkOfPart([&](bool on) { box.state = on ? 1 : 0; });
    EXPECT_TRUE(tick.Inside(Box{592, 398, 632, 438}, -1)) << "the tick in its box";
    ClickBox(box);
    EXPECT_EQ(Game->FullScreen, 0);
    EXPECT_EQ(box.state, 0) << "the box shows the mode there is";
}

TEST_F(OptionsScreenTest, EscIsOKAndTheCreditsMusicGivesWayToTheMusicOfTheWayBack) {
    EnterFromTitle();
    Game->MusicNone();
    Press("Escape");
    EXPECT_GT(OptionsScreen->Menu->FindButton("OK")->MouseClickCounter, 0) << "OK looks pressed";
    EXPECT_EQ(Game->DestinationTScreen, TitleScreen);
    ASSERT_TRUE(StepUntil([] { return Game->CurrentTScreen == TitleScreen; }));
    EXPECT_EQ(Game->MusicFileName, "none") << "from the title, the music is left alone";

    struct Way {
        TScreenPtr back;
        std::string music;
    };
    Player->Level = 7;
    for (const Way& way : {Way{TitleScreen, "title.ogg"}, Way{GameScreen, "level2.ogg"}}) {
        SCOPED_TRACE(way.music);
        OptionsScreen->Destination = way.back;
        Enter(OptionsScreen);
        ClickButton(*OptionsScreen->Menu->FindButton("credits"));
        ASSERT_TRUE(StepUntil(
            [] { return Game->CurrentTScreen == CreditsScreen && !Game->GameFade->Active; }));
        ASSERT_EQ(Game->MusicFileName, "gameend.ogg") << "the credits play the end music";
        Press("Escape");
        ASSERT_TRUE(StepUntil([] {
            return Game->CurrentTScreen == OptionsScreen && !Game->GameFade->Active;
        })) << "Esc on the credits goes back to the options";
        EXPECT_EQ(OptionsScreen->Destination, way.back) << "which still know their way back";
        EXPECT_EQ(Game->MusicFileName, way.music);
        ASSERT_TRUE(Game->MusicChannel);
        EXPECT_TRUE(Game->MusicChannel->Playing());
    }
}

TEST_F(OptionsScreenTest, TheFrameShowsTheControls) {
    EnterFromTitle();
    Step(10);
    OptionsScreen->Draw();
    headless::SaveFrame("options");
    const Box knob = InkOfPart([&](bool on) { OptionsScreen->MusicSlider->active = on ? 1 : 0; });
    EXPECT_NEAR(knob.CentreX(),
                TOptionsScreen::SliderX() + TOptionsScreen::CENTRE_OFFSET_X +
                    TOptionsScreen::SLIDER_WIDTH / 2.0f,
                2);
    EXPECT_NEAR(knob.CentreY(), TOptionsScreen::SLIDER_Y + 12, 4);
}

}  // namespace
