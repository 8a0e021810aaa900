#include "support/ControlFixture.h"

#include "engine/Audio.h"
#include "engine/Graphics.h"
#include "engine/Input.h"
#include "engine/Strings.h"
#include "frame/MousePointer.h"
#include "frame/Screen.h"
#include "media/Fonts.h"
#include "media/Sound.h"

namespace {

class ControlScreen : public TScreen {
  public:
    std::function<void()>* logic = nullptr;
    std::function<void()>* draw = nullptr;
    void Logic() override {
        if (*logic) (*logic)();
    }
    void Draw() override {
        if (*draw) (*draw)();
    }
};

// Fonts the tests load, put back after each test.
struct SavedFonts {
    TBitmapFontPtr button = ButtonFont, gui = GUIFont, guiSmall = GUIFontSmall;
    void Restore() const {
        ButtonFont = button;
        GUIFont = gui;
        GUIFontSmall = guiSmall;
    }
};
SavedFonts g_savedFonts;

}  // namespace

void ControlTest::SetUp() {
    FrameTest::SetUp();
    g_savedFonts = SavedFonts();
    UseManualAudioOutput();
    Game->ChannelsCreate(16);
    auto screen = MakeScreen<ControlScreen>();
    screen->logic = &logic;
    screen->draw = &draw;
    screen_ = screen;
    screen_->CoreStart();
}

void ControlTest::TearDown() {
    logic = nullptr;
    draw = nullptr;
    Game->CurrentTScreen.reset();
    screen_.reset();
    for (const char* key : {"Up", "Down", "Return", "Escape", "Backspace", "Space"})
        InjectKeyEvent(key, false);
    InjectMouseButton(1, false, 0, 0);
    FlushEvents();
    g_savedFonts.Restore();
    ShutdownAudio();
    FrameTest::TearDown();
}

void ControlTest::MouseTo(int x, int y) {
    InjectMouseMove(x, y);
    Steps(1);
}

void ControlTest::Button(bool down) {
    InjectMouseButton(1, down, Game->Mouse->x, Game->Mouse->y);
    Steps(1);
}

void ControlTest::Click(int x, int y) {
    InjectMouseMove(x, y);
    InjectMouseButton(1, true, x, y);
    Steps(1);
    InjectMouseButton(1, false, x, y);
    Steps(1);
}

void ControlTest::Wheel(int steps) {
    // The wheel reaches the frame as its own event, summed into Mouse.z.
    InjectMouseWheel(steps);
    Steps(1);
}

void ControlTest::PressKey(const std::string& name) {
    InjectKeyEvent(name, true);
    Steps(1);
    InjectKeyEvent(name, false);
    Steps(1);
}

void ControlTest::Type(const std::string& utf8) {
    InjectTextEvent(utf8);
    Steps(CharCount(utf8));
}

int ControlTest::SoundsPlaying() {
    return Game->Channels->CountPlaying();
}

PixmapPtr ControlTest::DrawFrame(int grey) {
    SetClsColor(grey, grey, grey);
    Cls();
    if (draw) draw();
    return headless::ReadFrame();
}

void ControlTest::UseGameData() {
    const std::string data = HOLLOWMERE_DATA_DIR;
    Game->SetMenuPath(data + "/menus");
    Game->SetSoundPath(data + "/sound");
    ButtonFont = TBitmapFont::Create(data + "/fonts/Button", -1, 1, 0);
    GUIFont = TBitmapFont::Create(data + "/fonts/GUIFont", -1, 1, 0);
    GUIFontSmall = TBitmapFont::Create(data + "/fonts/GUIFontSmall", -1, 1, 0);
}
