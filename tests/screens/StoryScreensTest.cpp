// The intro, the game-finished screen and the credits inside the whole
// program through the real input: the ways to skip the intro and where it
// leads, the scene's frames along its timeline, the end text that ignores
// input until it shows, the credits looping with their headers and fades,
// and each screen returning where it should.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "engine/Input.h"
#include "frame/Profile.h"
#include "media/Fonts.h"
#include "play/Player.h"
#include "progress/MapScreen.h"
#include "progress/ProfileStore.h"
#include "screens/CreditsScreen.h"
#include "screens/FrontEndFixture.h"
#include "screens/GameFinishedScreen.h"
#include "screens/IntroScreen.h"
#include "screens/OptionsScreen.h"
#include "ui/Menu.h"

namespace {

class StoryScreensTest : public FrontEndTest {
  protected:
    static bool Leaving() { return Game->GameFade->Active && Game->GameFade->Out; }
    static bool Settled(const TScreenPtr& screen) {
        return Game->CurrentTScreen == screen && !Game->GameFade->Active;
    }
    // Leaves the current screen for this one as a fade's end does, without
    // waiting for its fade-in.
    void Arrive(const TScreenPtr& screen) {
        Game->LastTScreen = Game->CurrentTScreen;
        Game->CurrentTScreen->Kill();
        screen->PreStart();
        ASSERT_EQ(Game->CurrentTScreen, screen);
    }
    // The intro's timeline moved on to the start of a phase.
    void IntroAt(int phase) {
        ASSERT_TRUE(StepUntil([&] { return IntroScreen->Anim->CurrentPhase >= phase; }, 5000));
        ASSERT_EQ(IntroScreen->Anim->CurrentPhase, phase);
    }
    static int ShortFade() { return static_cast<int>(Game->CalcAnimLength(DefaultFadeLength)); }
};

// ---------------------------------------------------------------- the intro

TEST_F(StoryScreensTest, TheIntroIsSkippedByAClickInItsFadeInOrByEnterOrSpaceLater) {
    ASSERT_EQ(IntroScreen->Destination, MapScreen) << "set at start-up";
    struct Way {
        const char* rule;
        int stepsIn;
        const char* key;  // nullptr: a click
    };
    const Way ways[] = {
        {"a click during the fade-in", 20, nullptr},
        {"a click in the newspaper's spin", 400, nullptr},
        {"Enter in the scene", 2000, "Return"},
        {"Space in the scene", 2600, "Space"},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.rule);
        EnterTitle();
        Arrive(IntroScreen);
        EXPECT_EQ(Game->MusicFileName, "intro.ogg");
        Step(way.stepsIn);
        ASSERT_FALSE(Leaving()) << "the intro still runs";
        if (way.key) {
            Press(way.key);
        } else {
            ClickAt(600, 400);
        }
        ASSERT_TRUE(Leaving()) << "skipped at once";
        EXPECT_EQ(Game->DestinationTScreen, MapScreen);
        EXPECT_EQ(Game->GameFade->Length, ShortFade()) << "with a short fade";
        EXPECT_EQ(Game->GameFade->Channel, Game->MusicChannel) << "the music fading with it";
        ASSERT_TRUE(StepUntil([] { return Settled(MapScreen); }));
    }
}

TEST_F(StoryScreensTest, EscSkipsTheIntroAndItsNaturalEndFadesSlowlyToTheMap) {
    EnterTitle();
    Arrive(IntroScreen);
    ASSERT_TRUE(StepUntil([] { return !Game->GameFade->Active; }));
    Step(100);
    Press("Escape");
    ASSERT_TRUE(Leaving());
    EXPECT_EQ(Game->DestinationTScreen, MapScreen);
    ASSERT_TRUE(StepUntil([] { return Settled(MapScreen); }));

    EnterTitle();
    Arrive(IntroScreen);
    IntroAt(TIntroScreen::PHASE_HOLD);
    EXPECT_FALSE(Leaving());
    ASSERT_TRUE(StepUntil([] { return Leaving(); }, 100)) << "the crypt's glow ends the intro";
    EXPECT_EQ(IntroScreen->Anim->CurrentPhase, TIntroScreen::PHASE_ENDING)
        << "the last phase only begins";
    EXPECT_EQ(Game->GameFade->Length, 10 * ShortFade()) << "a slow fade of three seconds";
    EXPECT_EQ(Game->GameFade->Channel, Game->MusicChannel);
    Step(ShortFade() * 5);
    EXPECT_EQ(Game->CurrentTScreen, IntroScreen) << "still fading";
    ASSERT_TRUE(StepUntil([] { return Settled(MapScreen); }, 1000));
}

TEST_F(StoryScreensTest, WithTheIntroSwitchedOffANewPlayerGoesThroughItStraightToTheMap) {
    SelectProfile("Newcomer");
    Game->IntroShow = 0;
    EnterTitle();
    Press("Return");  // Play
    ASSERT_TRUE(StepUntil([] { return Game->CurrentTScreen == IntroScreen; }))
        << "Play leads a new player to the intro";
    EXPECT_NE(Game->MusicFileName, "intro.ogg") << "nothing of it loaded";
    EXPECT_FALSE(IntroScreen->Anim);
    EXPECT_TRUE(Leaving()) << "it leaves as it arrives";
    EXPECT_EQ(Game->DestinationTScreen, MapScreen);
    ASSERT_TRUE(StepUntil([] { return Settled(MapScreen); }, 200));
    Game->IntroShow = 1;
}

TEST_F(StoryScreensTest, TheIntroFramesFollowTheNewspaperThenTheCameraToTheGlowingCrypt) {
    EnterTitle();
    Arrive(IntroScreen);
    TIntroScreen& intro = *IntroScreen;
    auto frame = [&](const std::string& name) {
        const PixmapPtr pixels = DrawFrame();
        headless::SaveFrame("intro-" + name);
        return pixels;
    };
    auto at = [&](const PixmapPtr& pixels, float x, float y) {
        return pixels->ReadPixel(PhysicalX(x), PhysicalY(y));
    };
    auto black = [](uint32_t argb) {
        return headless::Red(argb) + headless::Green(argb) + headless::Blue(argb) < 10;
    };
    IntroAt(TIntroScreen::PHASE_SPIN);
    Step(100);
    frame("spinning");
    IntroAt(TIntroScreen::PHASE_READ);
    Step(100);
    frame("newspaper");
    const TGameImagePtr newspaper = intro.Newspaper;
    const Box still = InkOfPart([&](bool on) { intro.Newspaper = on ? newspaper : nullptr; });
    EXPECT_NEAR(still.CentreX(), ScreenWidth / 2 + 20, 3) << "the paper at rest, full size";
    EXPECT_NEAR(still.right - still.left, newspaper->w, 20) << "its soft edges aside";
    EXPECT_NEAR(still.CentreY(), ScreenHeight / 2 + 100, 3) << "whole, no band over it yet";

    IntroAt(TIntroScreen::PHASE_REVEAL);
    Step(300);
    PixmapPtr pixels = frame("reveal");
    EXPECT_TRUE(black(at(pixels, 900, 40))) << "the letterbox above";
    EXPECT_TRUE(black(at(pixels, 100, 700))) << "and below";
    EXPECT_FALSE(black(at(pixels, 100, 300))) << "the scene between";

    IntroAt(TIntroScreen::PHASE_TRAVEL);
    Step(600);
    frame("travel");
    EXPECT_GT(intro.TravelRatio(), 0);
    EXPECT_LT(intro.TravelRatio(), TIntroScreen::CRYPT_FROM);

    IntroAt(TIntroScreen::PHASE_HOLD);
    pixels = frame("crypt");
    EXPECT_FLOAT_EQ(intro.TravelRatio(), 1);
    // The crypt's door glows green in the middle of the picture.
    const headless::InkBox glow = headless::FindInk(
        *pixels,
        [](uint32_t argb) {
            return headless::Green(argb) > 150 && headless::Green(argb) > headless::Red(argb) + 40;
        },
        PhysicalX(312), PhysicalY(250), PhysicalX(712), PhysicalY(600));
    ASSERT_TRUE(glow.Any()) << "the glowing crypt";
    EXPECT_NEAR(VirtualX(glow.CentreX()), ScreenWidth / 2, 80) << "where the camera went";
    EXPECT_TRUE(black(at(pixels, 500, 20)));
}

// ---------------------------------------------------------------- the game's end and the credits

TEST_F(StoryScreensTest, TheEndTextIgnoresInputUntilItShowsThenLeadsThroughTheCreditsToTheTitle) {
    EnterTitle();
    Arrive(GameFinishedScreen);
    TGameFinishedScreen& end = *GameFinishedScreen;
    const TGameChannelPtr scream = Playing("SCREAM");
    ASSERT_TRUE(scream) << "the scream as the night dissolves";
    EXPECT_NEAR(scream->Channel->Rate(), TGameFinishedScreen::SCREAM_PITCH, 1e-3);
    EXPECT_EQ(Game->MusicFileName, "gameend.ogg");
    ASSERT_TRUE(StepUntil([] { return !Game->GameFade->Active; }));
    Step(300);
    DrawFrame();
    headless::SaveFrame("gamefinished-dissolving");
    ClickAt(500, 400);
    Press("Escape");
    Press("Return");
    ClickButton(*end.Menu->FindButton("OK"));
    EXPECT_FALSE(Leaving()) << "clicks and keys are ignored before the end text";
    EXPECT_FALSE(end.MessageShowing());
    const float dissolve = Game->CalcAnimLength(TGameFinishedScreen::DISSOLVE_MS);
    const float pause = Game->CalcAnimLength(TGameFinishedScreen::DELAY_MS);
    ASSERT_TRUE(
        StepUntil([&] { return end.MessageShowing(); }, static_cast<int>(dissolve + pause)));
    EXPECT_FALSE(Leaving()) << "no click of earlier was kept for later";
    const PixmapPtr dawn = DrawFrame();
    EXPECT_LT(end.MessageRatio(), 0.05f) << "the text begins to fade in";
    Step(static_cast<int>(Game->CalcAnimLength(TGameFinishedScreen::MESSAGE_FADE_MS)) + 10);
    EXPECT_FLOAT_EQ(end.MessageRatio(), 1) << "and stays";
    const PixmapPtr pixels = DrawFrame();
    headless::SaveFrame("gamefinished-text");
    // The panel darkens the dawn inside its edges, not outside them.
    auto light = [](uint32_t argb) {
        return headless::Red(argb) + headless::Green(argb) + headless::Blue(argb);
    };
    auto both = [&](float x, float y) {
        return std::pair{light(dawn->ReadPixel(PhysicalX(x), PhysicalY(y))),
                         light(pixels->ReadPixel(PhysicalX(x), PhysicalY(y)))};
    };
    for (const auto& [x, y] : {std::pair{130.0f, 600.0f}, std::pair{880.0f, 130.0f}}) {
        const auto [before, after] = both(x, y);
        EXPECT_LT(after, before * 0.7) << "inside the panel at " << x << ", " << y;
    }
    for (const auto& [x, y] : {std::pair{100.0f, 600.0f}, std::pair{920.0f, 100.0f}}) {
        const auto [before, after] = both(x, y);
        EXPECT_NEAR(after, before, 3) << "outside the panel at " << x << ", " << y;
    }

    ClickAt(500, 400);
    ASSERT_TRUE(Leaving()) << "now a click leads on";
    EXPECT_EQ(Game->DestinationTScreen, CreditsScreen);
    EXPECT_EQ(Game->GameFade->Channel, nullptr) << "the end music plays on";
    ASSERT_TRUE(StepUntil([] { return Settled(CreditsScreen); }));
    EXPECT_EQ(Game->MusicFileName, "gameend.ogg") << "not loaded again";
    Step(200);
    Press("Escape");
    ASSERT_TRUE(Leaving());
    EXPECT_EQ(Game->DestinationTScreen, TitleScreen) << "after the game's end, the title";
    EXPECT_EQ(Game->GameFade->Length, 3 * ShortFade());
    ASSERT_TRUE(StepUntil([] { return Settled(TitleScreen); }));
    EXPECT_EQ(Game->MusicFileName, "title.ogg") << "with its own music again";
}

TEST_F(StoryScreensTest, TheCreditsLoopWithoutEndHeadersInTheirColourAndLinesFadingAtTheEdges) {
    EnterTitle();
    ClickButton(*TitleScreen->Menu->FindButton("titleoptions"));
    ASSERT_TRUE(StepUntil([] { return Settled(OptionsScreen); }));
    ClickButton(*OptionsScreen->Menu->FindButton("credits"));
    ASSERT_TRUE(StepUntil([] { return Settled(CreditsScreen); }));
    Step(400);
    DrawFrame();
    headless::SaveFrame("credits");
    TScrollingText& credits = *CreditsScreen->credits;
    const int lines = static_cast<int>(credits._textArray.size());
    EXPECT_GE(lines, TCreditsScreen::LINES_ON_SCREEN + 10);
    for (int i = 1; i <= TCreditsScreen::LINES_ON_SCREEN; ++i)
        EXPECT_EQ(credits._textArray[lines - i], "") << "a window of space after the text";
    // Twice round: the first line comes back each time.
    const int round = static_cast<int>(lines * credits._lineGap / credits._scrollSpeed);
    int returns = 0, previous = credits._currentLine;
    for (int step = 0; step < 2 * round + 100; ++step) {
        Step();
        if (credits._currentLine < previous) ++returns;
        previous = credits._currentLine;
    }
    EXPECT_EQ(returns, 2);
    EXPECT_EQ(Game->CurrentTScreen, CreditsScreen) << "and they go on";

    // The window fades over 80 pixels at the top and at the bottom.
    const float top = credits._y;
    const float bottom = top + static_cast<float>((credits._linesOnScreen - 1) * credits._lineGap);
    EXPECT_FLOAT_EQ(credits._CalcFade(top), 0);
    EXPECT_NEAR(credits._CalcFade(top + 40), 0.5f, 1e-4);
    EXPECT_FLOAT_EQ(credits._CalcFade(top + 80), 1);
    EXPECT_FLOAT_EQ(credits._CalcFade((top + bottom) / 2), 1);
    EXPECT_NEAR(credits._CalcFade(bottom - 40), 0.5f, 1e-4);
    EXPECT_FLOAT_EQ(credits._CalcFade(bottom), 0);
    EXPECT_FLOAT_EQ(credits._CalcFade(top - 30), 0);

    // A header (without its star) in white, a name in gold, in mid-window:
    // what the text adds to the frame, row by row.
    const TScrollingTextPtr sample = TScrollingText::Create(
        "*Header\nHeader", GUIFont, ScreenWidth / 2.0f, 100, 15, 30, 450, 0.3f);
    sample->bodyColor = TColor::Create(218, 164, 69);
    sample->headerColor = TColor::Create(240, 240, 240);
    sample->_currentScrollPos = 0;
    // Five empty lines of the window's space, then the text from y = 250.
    sample->_currentLine = static_cast<int>(sample->_textArray.size()) - 5;
    const TScrollingTextPtr real = CreditsScreen->credits;
    CreditsScreen->credits.reset();
    const PixmapPtr without = DrawFrame();
    CreditsScreen->credits = sample;
    const PixmapPtr with = DrawFrame();
    headless::SaveFrame("credits-sample");
    CreditsScreen->credits = real;
    struct Ink {
        int white = 0, gold = 0, left = 100000, right = -1;
    };
    auto inkOf = [&](float y0, float y1) {
        Ink ink;
        for (int py = PhysicalY(y0); py < PhysicalY(y1); ++py)
            for (int px = 0; px < with->Width(); ++px) {
                const uint32_t a = with->ReadPixel(px, py), b = without->ReadPixel(px, py);
                if (a == b) continue;
                const int r = headless::Red(a), g = headless::Green(a), bl = headless::Blue(a);
                if (r > 200 && g > 200 && bl > 200) ++ink.white;
                if (r > 170 && g > 120 && g < 200 && bl < 110) ++ink.gold;
                ink.left = std::min(ink.left, px);
                ink.right = std::max(ink.right, px);
            }
        return ink;
    };
    const Ink header = inkOf(250, 280), body = inkOf(280, 310);
    EXPECT_GT(header.white, 20) << "the header in its colour";
    EXPECT_EQ(header.gold, 0);
    EXPECT_GT(body.gold, 20) << "the body in its colour";
    EXPECT_EQ(body.white, 0);
    EXPECT_EQ(header.left, body.left) << "the star is not drawn: the same word, as wide";
    EXPECT_EQ(header.right, body.right);
    EXPECT_NEAR(VirtualX((header.left + header.right + 1) / 2.0f), ScreenWidth / 2.0f, 3);
}

}  // namespace
