// The fixed-rate loop, screen changes and fades, the virtual screen and the
// frame's reading of input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Graphics.h"
#include "engine/Input.h"
#include "frame/MousePointer.h"
#include "frame/Screen.h"
#include "support/FrameFixture.h"

namespace {

class RecordingScreen : public TScreen {
  public:
    explicit RecordingScreen(std::string screenName) { name = std::move(screenName); }
    std::vector<float> deltas;
    int killed = 0;
    int fadeInsEnded = 0;
    TScreenPtr leaveTo;  // set: the next Logic starts a fade-out there

    void Start() override {
        TScreen::Start();
        Game->GameFade->Init(DefaultFadeLength, 0, nullptr, 0, 0, nullptr);
    }
    void Logic() override {
        deltas.push_back(Delta);
        if (leaveTo) {
            Game->DestinationTScreen = leaveTo;
            Game->GameFade->Init(DefaultFadeLength, 1, nullptr, 1, 0, nullptr);
            leaveTo.reset();
        }
    }
    void Kill() override {
        ++killed;
        TScreen::Kill();
    }
    void PostFadeIn() override { ++fadeInsEnded; }
};

class MainLoopTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        a_ = MakeScreen<RecordingScreen>("a");
        b_ = MakeScreen<RecordingScreen>("b");
        a_->CoreStart();
    }
    // Runs steps until the running fade has ended (bounded).
    void FinishFade() {
        for (int i = 0; i < 1000 && Game->GameFade->Active; ++i)
            Steps(1);
    }
    std::shared_ptr<RecordingScreen> a_, b_;
};

TEST_F(MainLoopTest, FixedRateStepsFollowTheClock) {
    auto& logic = *Game->FixedRateLogic;
    clock_.Advance(16);  // a 60 Hz frame, near enough: 3.2 steps
    ASSERT_EQ(Game->MainLogicLoop(), 1);
    ASSERT_EQ(a_->deltas.size(), 4u);
    EXPECT_FLOAT_EQ(a_->deltas[0], 1.0f);
    EXPECT_FLOAT_EQ(a_->deltas[2], 1.0f);
    EXPECT_NEAR(a_->deltas[3], 0.2f, 1e-4);

    a_->deltas.clear();
    clock_.Advance(200);  // a stall runs at most 10 steps
    Game->MainLogicLoop();
    EXPECT_EQ(a_->deltas.size(), 10u);

    // After an interruption the lost time is not caught up.
    a_->deltas.clear();
    clock_.Advance(5000);
    logic.Init();
    clock_.Advance(10);
    Game->MainLogicLoop();
    EXPECT_EQ(a_->deltas.size(), 2u);

    // A wrapped clock reuses the last step count.
    clock_.Set(0xFFFFFFF0u);
    logic.Init();
    clock_.Advance(15);
    Game->MainLogicLoop();
    EXPECT_DOUBLE_EQ(logic.NumTicks, 3.0);
    clock_.Set(4);
    Game->MainLogicLoop();
    EXPECT_DOUBLE_EQ(logic.NumTicks, 3.0);
    clock_.Advance(10);
    Game->MainLogicLoop();
    EXPECT_DOUBLE_EQ(logic.NumTicks, 2.0);
}

TEST_F(MainLoopTest, FadesAndScreenChangesFollowTheProtocol) {
    TGameFade& fade = *Game->GameFade;
    // The first fade wins.
    ASSERT_EQ(fade.Init(300, 1, nullptr, 1, 0, nullptr), 1);
    EXPECT_EQ(fade.Length, 60);
    EXPECT_EQ(fade.Init(1000, 0, nullptr, 0, 0, nullptr), 0);
    EXPECT_EQ(fade.Length, 60);
    EXPECT_EQ(fade.Out, 1);
    // A key ends a fade-out at once and the switch follows.
    Game->DestinationTScreen = b_;
    Steps(10);
    EXPECT_NEAR(fade.Ratio, 1.0f - 10.0f / 60.0f, 1e-5);
    KeyHits['A'] = 1;
    Steps(1);
    EXPECT_EQ(a_->killed, 1);
    EXPECT_EQ(Game->CurrentTScreen, b_);
    EXPECT_EQ(Game->LastTScreen, a_);
    // The new screen fades in; a key cuts it short, fully visible.
    ASSERT_TRUE(fade.Active);
    EXPECT_EQ(fade.Out, 0);
    Steps(6);
    EXPECT_TRUE(b_->deltas.empty()) << "an arriving fade freezes the screen";
    KeyHits['K'] = 1;
    Steps(1);
    EXPECT_FALSE(fade.Active);
    EXPECT_EQ(fade.FadeInAborted, 1);
    EXPECT_EQ(fade.AbortKey, 'K');
    EXPECT_FLOAT_EQ(fade.Ratio, 1.0f);
    EXPECT_FLOAT_EQ(fade.FadeCounterBeforeAbort, 6.0f);
    EXPECT_EQ(b_->fadeInsEnded, 1);
    EXPECT_EQ(Game->CurrentTScreen, b_) << "a fade-in's end never switches screens";

    // Done is read once.
    fade.Init(300, 0, nullptr, 0, 0, nullptr);
    fade.Finish();
    EXPECT_EQ(fade.GetDone(), 1);
    EXPECT_EQ(fade.GetDone(), 0);

    // A fade with a head start computes its ratio at once.
    fade.Init(300, 1, nullptr, 1, 30, nullptr);
    EXPECT_FLOAT_EQ(fade.Ratio, 0.5f);
    fade.Finish();
    fade.GetDone();
}

TEST_F(MainLoopTest, WithoutAnimatedFadesASwitchHappensInTheSameStep) {
    Game->Fade = 0;
    a_->leaveTo = b_;
    Steps(1);
    EXPECT_EQ(Game->CurrentTScreen, b_);
    EXPECT_EQ(a_->killed, 1);
    EXPECT_FALSE(Game->GameFade->Active);
}

TEST_F(MainLoopTest, LeavingWithoutDestinationIsFatalAndTheExitScreenEndsTheLoop) {
    Game->DestinationTScreen = nullptr;
    Game->GameFade->Init(300, 1, nullptr, 1, 0, nullptr);
    Game->GameFade->Finish();
    EXPECT_EQ(FatalMessageOf([] { Game->ScreenChange(); }),
              "Screen 'a' does not have a destination screen set!");

    Game->DestinationTScreen = Game->ExitScreen;
    Game->GameFade->Init(300, 1, nullptr, 1, 0, nullptr);
    Game->GameFade->Finish();
    Game->FixedRateLogic->SetDelta(1);
    EXPECT_EQ(Game->LogicWrapper(), 1);
    EXPECT_EQ(Game->CurrentTScreen, Game->ExitScreen);
    EXPECT_FALSE(Game->GameFade->Active) << "no fade-in for the exit screen";
    EXPECT_EQ(Game->LogicWrapper(), -1) << "the program ends at the next step";
}

TEST_F(MainLoopTest, EscapePauseAndCloseRequests) {
    // Esc during a fade-in finishes it and stays on the screen.
    b_->PreStart();
    ASSERT_TRUE(Game->GameFade->Active);
    InjectKeyEvent("Escape", true);
    Steps(1);
    EXPECT_FALSE(Game->GameFade->Active);
    EXPECT_EQ(Game->GameFade->FadeInAborted, 1);
    EXPECT_EQ(Game->CurrentTScreen, b_);
    InjectKeyEvent("Escape", false);

    // Esc while paused only unpauses.
    Game->Paused = 1;
    InjectKeyEvent("Escape", true);
    Steps(1);
    EXPECT_EQ(Game->Paused, 0);
    EXPECT_FALSE(Game->GameFade->Active);
    InjectKeyEvent("Escape", false);

    // A close request that the game refuses keeps it running.
    Game->TerminatedUserFunction = [] { return 1; };
    InjectWindowClose();
    Steps(1);
    EXPECT_EQ(Game->InstantExit, 0);
    EXPECT_FALSE(Game->GameFade->Active);
    // Accepted, it fades out towards the exit screen.
    Game->TerminatedUserFunction = nullptr;
    InjectWindowClose();
    Steps(1);
    EXPECT_TRUE(Game->GameFade->Active);
    EXPECT_EQ(Game->DestinationTScreen, Game->ExitScreen);

    // A click is seen by its first reader only.
    InjectMouseButton(1, true, 10, 10);
    Game->DoPeekEvent();
    EXPECT_EQ(Game->Mouse->GetMh(1), 1);
    EXPECT_EQ(Game->Mouse->GetMh(1), 0);
    EXPECT_EQ(Game->Mouse->GetMb(), 1);
    InjectMouseButton(1, false, 10, 10);
    Game->DoPeekEvent();
    EXPECT_EQ(Game->Mouse->GetMb(), 0) << "a release in a later batch is seen at once";

    // A tap whose press and release arrive together still holds the button
    // down for one batch, so the board sees a click; the next batch lets go.
    InjectMouseButton(1, true, 10, 10);
    InjectMouseButton(1, false, 10, 10);
    Game->DoPeekEvent();
    EXPECT_EQ(Game->Mouse->GetMb(), 1);
    EXPECT_EQ(Game->Mouse->GetMh(1), 1);
    Game->DoPeekEvent();
    EXPECT_EQ(Game->Mouse->GetMb(), 0);
    // Pressed again before the waiting release was applied: it stays down.
    InjectMouseButton(1, true, 10, 10);
    InjectMouseButton(1, false, 10, 10);
    InjectMouseButton(1, true, 10, 10);
    Game->DoPeekEvent();
    Game->DoPeekEvent();
    EXPECT_EQ(Game->Mouse->GetMb(), 1);
    InjectMouseButton(1, false, 10, 10);
    Game->DoPeekEvent();
    Game->DoPeekEvent();
    EXPECT_EQ(Game->Mouse->GetMb(), 0);
}

TEST_F(MainLoopTest, TypedCharactersWaitInARingOf256) {
    // 300 characters typed before anyone reads them, in events of 30.
    std::string typed;
    for (int i = 0; i < 300; ++i)
        typed += static_cast<char>('a' + i % 26);
    for (size_t at = 0; at < typed.size(); at += 30)
        InjectTextEvent(typed.substr(at, 30));
    Game->DoPeekEvent();
    std::string read;
    while (int c = GetChar())
        read += static_cast<char>(c);
    EXPECT_EQ(read, typed.substr(0, 256)) << "the first 256 are kept, the rest dropped";

    // Read as they come, the ring goes round without losing any.
    std::string later;
    for (int round = 0; round < 40; ++round) {
        InjectTextEvent("xyz");
        Game->DoPeekEvent();
        while (int c = GetChar())
            later += static_cast<char>(c);
    }
    EXPECT_EQ(later.size(), 120u);
    EXPECT_EQ(later.substr(117), "xyz");
    InjectTextEvent("q");
    Game->DoPeekEvent();
    FlushKeys();
    EXPECT_EQ(GetChar(), 0) << "flushing empties the ring";
}

TEST_F(MainLoopTest, WindowSizeStepsDownToFitTheDesktop) {
    Game->FirstTime = 0;
    Game->FullScreen = 0;
    Game->DesktopWidth = 1024;
    Game->DesktopHeight = 768;
    Game->DesktopRefreshRate = 60;
    Game->GraphicsCreate(0);
    EXPECT_EQ(Game->WindowWidth, 800);
    EXPECT_EQ(Game->WindowHeight, 600);
    EXPECT_EQ(Game->UsingVirtualResolution, 1);
    EXPECT_FLOAT_EQ(Game->VirtualRatioX, 1.28f);
    EXPECT_FLOAT_EQ(Game->VirtualRatioY, 1.28f);
    // Mouse positions come back in virtual pixels.
    InjectMouseMove(400, 300);
    Game->DoPeekEvent();
    EXPECT_EQ(Game->Mouse->x, 512);
    EXPECT_EQ(Game->Mouse->y, 384);

    Game->DesktopHeight = 900;
    Game->GraphicsCreate(0);
    EXPECT_EQ(Game->WindowHeight, 768);
    EXPECT_EQ(Game->UsingVirtualResolution, 0) << "a 768-high window needs no virtual screen";

    Game->DesktopHeight = 500;
    EXPECT_EQ(FatalMessageOf([] { Game->GraphicsCreate(0); }),
              "Cannot find a suitable resolution. Desktop Resolution= 1024x500");
    EXPECT_EQ(Game->Depth, -1);
}

TEST_F(MainLoopTest, WideFullScreenCentresTheGameArea) {
    struct Case {
        int width, height;
        float vxOff, vyOff;
        int viewX, viewY, viewW, viewH;
    };
    for (const Case& c :
         {Case{1920, 1080, 170, 0, 171, 0, 1022, 768}, Case{1280, 1024, 0, 25, 0, 26, 1024, 766}}) {
        SCOPED_TRACE(c.width);
        ASSERT_TRUE(headless::OpenGraphics(c.width, c.height));
        Game->FullScreen = 1;
        Game->WideScreen = 1;
        Game->DesktopWidth = Game->WindowWidth = c.width;
        Game->DesktopHeight = Game->WindowHeight = c.height;
        Game->DoSetVirtualResolution();
        EXPECT_FLOAT_EQ(Game->vxOff, c.vxOff);
        EXPECT_FLOAT_EQ(Game->vyOff, c.vyOff);
        int x, y, w, h;
        GetViewport(x, y, w, h);
        EXPECT_EQ(x, c.viewX);
        EXPECT_EQ(y, c.viewY);
        EXPECT_EQ(w, c.viewW);
        EXPECT_EQ(h, c.viewH);
        EXPECT_EQ(Game->UsingVirtualResolution, 1);
    }
    // 1920 x 1080: the widened virtual width is 1365.33...
    ASSERT_TRUE(headless::OpenGraphics(1920, 1080));
    Game->DesktopWidth = Game->WindowWidth = 1920;
    Game->DesktopHeight = Game->WindowHeight = 1080;
    Game->DoSetVirtualResolution();
    EXPECT_NEAR(VirtualResolutionWidth(), 1365.333f, 1e-3);
    EXPECT_NEAR(Game->VirtualRatioX, 1365.333f / 1920, 1e-6);
    // The pointer stays on the game area.
    InjectMouseMove(3, 500);
    Game->DoPeekEvent();
    EXPECT_EQ(Game->Mouse->x, 0);
    InjectMouseMove(1917, 1079);
    Game->DoPeekEvent();
    EXPECT_EQ(Game->Mouse->x, 1023);
    EXPECT_EQ(Game->Mouse->y, 767);
    InjectMouseMove(959, 540);
    Game->DoPeekEvent();
    EXPECT_EQ(Game->Mouse->x, 512);
    EXPECT_EQ(Game->Mouse->y, 384);
    // Drawing at the game area's origin lands right of the margin.
    SetClsColor(0, 0, 0);
    Cls();
    SetColor(255, 255, 255);
    DrawRect(0, 0, 10, 10);
    PixmapPtr frame = headless::ReadFrame();
    EXPECT_EQ(headless::Red(frame->ReadPixel(100, 5)), 0) << "margin";
    EXPECT_EQ(headless::Red(frame->ReadPixel(245, 5)), 255)
        << "(0, 0) of the game area, one pixel in";
}

}  // namespace

namespace {

TEST_F(MainLoopTest, ScreenshotsAreNamedByDateInTheSharedFolder) {
    Game->SetSubPathWrapper("Brackenfold Games/Hollowmere", 1);
    ASSERT_TRUE(std::filesystem::create_directories(Game->SubPath));
    clock_.SetDate({2026, 2, 1, 9, 5, 3});
    SetClsColor(10, 200, 30);
    Cls();
    Game->TakeScreenshot();
    const std::string path = Game->SubPath + "2026-02-01 090503 screenshot.png";
    PixmapPtr shot = LoadPixmap(path);
    ASSERT_TRUE(shot) << path;
    EXPECT_EQ(shot->Width(), 1024);
    EXPECT_EQ(shot->Height(), 768);
    EXPECT_EQ(shot->ReadPixel(500, 400), 0xFF0AC81Eu);
}

}  // namespace
