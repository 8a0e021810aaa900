#include "ui/DialogFixture.h"

#include <algorithm>
#include <cstdlib>

#include "engine/Input.h"
#include "frame/Game.h"
#include "frame/Timing.h"

bool IsBackdrop(uint32_t argb) {
    return headless::Red(argb) < 12 && headless::Blue(argb) < 12 && headless::Green(argb) > 60;
}

void DialogScreenTest::SetUp() {
    ProgramTest::SetUp();
    ASSERT_TRUE(StartUpBeforeGraphics());
    ASSERT_TRUE(StartUpGraphicsAndLoad());
    screen_ = MakeScreen<TDialogTestScreen>();
    screen_->PreStart();
    ASSERT_EQ(Game->CurrentTScreen, screen_);
    Step();
}

void DialogScreenTest::TearDown() {
    if (screen_) screen_->Kill();
    screen_.reset();
    ProgramTest::TearDown();
}

void DialogScreenTest::Step(int count) {
    for (int i = 0; i < count; ++i) {
        clock_.Advance(5);
        Game->FixedRateLogic->SetDelta(1.0f);
        Game->LogicWrapper();
    }
}

bool DialogScreenTest::StepUntil(const std::function<bool()>& done, int limit) {
    for (int i = 0; i < limit && !done(); ++i)
        Step();
    return done();
}

int DialogScreenTest::PhysicalX(float x) const {
    return static_cast<int>((x + Game->vxOff) / Game->VirtualRatioX);
}
int DialogScreenTest::PhysicalY(float y) const {
    return static_cast<int>((y + Game->vyOff) / Game->VirtualRatioY);
}
float DialogScreenTest::VirtualX(float px) const {
    return px * Game->VirtualRatioX - Game->vxOff;
}
float DialogScreenTest::VirtualY(float py) const {
    return py * Game->VirtualRatioY - Game->vyOff;
}

void DialogScreenTest::Press(const char* key) {
    InjectKeyEvent(key, true);
    Step();
    InjectKeyEvent(key, false);
    Step();
}

void DialogScreenTest::Type(const std::string& utf8) {
    for (size_t at = 0; at < utf8.size();) {
        size_t next = at + 1;
        while (next < utf8.size() && (static_cast<unsigned char>(utf8[next]) & 0xC0) == 0x80)
            ++next;
        InjectTextEvent(utf8.substr(at, next - at));
        Step();
        at = next;
    }
}

void DialogScreenTest::ClickAt(float x, float y) {
    InjectMouseMove(PhysicalX(x), PhysicalY(y));
    Step();
    InjectMouseButton(1, true, 0, 0);
    Step();
    InjectMouseButton(1, false, 0, 0);
    Step();
}

void DialogScreenTest::ClickButton(const TButton& button) {
    ClickAt(button.x + button.w / 2.0f, button.y + button.h / 2.0f);
}

TDialogPtr DialogScreenTest::OpenByKey(DialogKind kind) {
    const char name[2] = {static_cast<char>(TDialogTestScreen::KeyFor(kind)), 0};
    InjectKeyEvent(name, true);
    Step();
    InjectKeyEvent(name, false);
    return Shown();
}

bool DialogScreenTest::WaitUntilOpen() {
    return StepUntil(
        [&] { return Shown() && Shown()->Transitioning == TDialog::NOT_TRANSITIONING; });
}

bool DialogScreenTest::WaitUntilOpen(const TDialogPtr& dialog) {
    return StepUntil([&] {
        return dialog && dialog->Active && dialog->Transitioning == TDialog::NOT_TRANSITIONING;
    });
}

PixmapPtr DialogScreenTest::DrawFrame() {
    Game->CurrentTScreen->Draw();
    return headless::ReadFrame();
}

Box DialogScreenTest::Virtual(const headless::InkBox& ink) const {
    EXPECT_TRUE(ink.Any()) << "nothing drawn there";
    return {VirtualX(static_cast<float>(ink.left)), VirtualY(static_cast<float>(ink.top)),
            VirtualX(static_cast<float>(ink.right + 1)),
            VirtualY(static_cast<float>(ink.bottom + 1))};
}

Box DialogScreenTest::InkOfPart(const std::function<void(bool on)>& show) {
    show(false);
    const PixmapPtr without = DrawFrame();
    show(true);
    const PixmapPtr with = DrawFrame();
    headless::InkBox ink;
    for (int py = 0; py < with->Height(); ++py) {
        for (int px = 0; px < with->Width(); ++px) {
            const uint32_t a = with->ReadPixel(px, py), b = without->ReadPixel(px, py);
            const int change = std::abs(headless::Red(a) - headless::Red(b)) +
                               std::abs(headless::Green(a) - headless::Green(b)) +
                               std::abs(headless::Blue(a) - headless::Blue(b));
            if (change < 24) continue;
            ink.left = std::min(ink.left, px);
            ink.top = std::min(ink.top, py);
            ink.right = std::max(ink.right, px);
            ink.bottom = std::max(ink.bottom, py);
        }
    }
    return Virtual(ink);
}
