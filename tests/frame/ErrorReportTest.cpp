// The fatal error reporter: the error log, the load-or-fail wrappers and the
// in-game message box.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <stdexcept>
#include <string>

#include "engine/Files.h"
#include "engine/Graphics.h"
#include "engine/Input.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "support/Fatal.h"
#include "support/Headless.h"
#include "support/ScopedEnv.h"
#include "support/ScopedGame.h"

namespace {

// Restores a global when the test ends.
template <typename T>
struct Preserve {
    explicit Preserve(T& value) : ref(value), saved(value) {}
    ~Preserve() { ref = saved; }
    T& ref;
    T saved;
};

// Fatal errors throw instead of ending the process and show no box; the log
// goes to a private folder.
class ErrorLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "hollowmere_errorlog_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        game_.SubPath = root_ + "/";
        FatalErrorHook = [](const std::string& message) { throw FatalError(message); };
        FatalErrorShowsBox = false;
        ErrorLogEnabled = 1;
        SetClock(&clock_);
    }

    void TearDown() override {
        SetClock(nullptr);
        DeleteDir(root_, true);
    }

    std::string Log() const {
        std::string text;
        LoadText(root_ + "/ErrorLog.txt", text);
        return text;
    }

    Preserve<std::function<void(const std::string&)>> hook{FatalErrorHook};
    Preserve<bool> showsBox{FatalErrorShowsBox};
    Preserve<int> logEnabled{ErrorLogEnabled}, polled{UsePolledInput};
    std::string root_;
    ScopedGame scopedGame_;
    TGame& game_ = *Game;
    FakeClock clock_;
};

TEST_F(ErrorLogTest, EachFatalErrorAppendsOneDatedEntry) {
    clock_.SetDate({2026, 12, 8, 10, 35, 12});
    EXPECT_EQ(FatalMessageOf([] { ReportError("Failed to save file a.ini", 1); }),
              "Failed to save file a.ini");
    // A second run, some weeks later and in the morning.
    clock_.SetDate({2027, 1, 3, 7, 4, 9});
    EXPECT_EQ(FatalMessageOf([] { ReportError("Error loading bitmap x.png", 1); }),
              "Error loading bitmap x.png");
    const std::string separator(57, '-');
    EXPECT_EQ(
        Log(),
        separator + "\r\nDate: 08 Dec 2026   Time: 10:35:12\r\nFailed to save file a.ini\r\n" +
            separator + "\r\nDate: 03 Jan 2027   Time: 07:04:09\r\nError loading bitmap x.png\r\n");

    // Not ending returns to the caller in its own input mode; with the log
    // off nothing more is written.
    UsePolledInput = 1;
    EXPECT_EQ(FatalMessageOf([] { ReportError("go on", 0); }), "");
    EXPECT_EQ(UsePolledInput, 1);
    ErrorLogEnabled = 0;
    EXPECT_EQ(FatalMessageOf([] { ReportError("unlogged", 1); }), "unlogged");
    EXPECT_EQ(Log().find("unlogged"), std::string::npos);
    EXPECT_NE(Log().find("\r\ngo on\r\n"), std::string::npos);
}

TEST_F(ErrorLogTest, UnwritableLogIsSkippedAndWrappersNameTheFile) {
    game_.SubPath = root_ + "/no such folder/";
    EXPECT_EQ(FatalMessageOf([] { ReportError("still reported", 1); }), "still reported");
    EXPECT_EQ(FileType(root_ + "/no such folder"), FILETYPE_NONE);
    game_.SubPath = root_ + "/";
    ASSERT_TRUE(CreateDir(root_ + "/ErrorLog.txt"));  // a folder cannot be appended to
    EXPECT_EQ(FatalMessageOf([] { ReportError("again", 1); }), "again");
    {
        ScopedGame none(ScopedGame::Absent);
        EXPECT_EQ(ErrorLogPath(), "ErrorLog.txt") << "before the game object: the current folder";
    }

    const std::string missing = root_ + "/missing.png";
    EXPECT_EQ(FatalMessageOf([&] { LoadImageOrFail(missing, DEFAULT_IMAGE_FLAGS); }),
              "Error loading bitmap " + missing);
    EXPECT_EQ(
        FatalMessageOf([&] { LoadAnimImageOrFail(missing, 8, 8, 0, 2, DEFAULT_IMAGE_FLAGS); }),
        "Error loading anim bitmap " + missing);
    EXPECT_EQ(FatalMessageOf([&] { ReadFileOrFail(root_ + "/a.txt"); }),
              "Error loading file " + root_ + "/a.txt");
    EXPECT_EQ(FatalMessageOf([&] { LoadSoundOrFail(root_ + "/a.ogg", 0); }),
              "Error loading sample " + root_ + "/a.ogg");
    // A strip that loads gives its frames; one too short is a failure too.
    const std::string strip = root_ + "/strip.png";
    ASSERT_TRUE(SavePixmapPNG(*TPixmap::Create(16, 8), strip, 1));
    ImagePtr image;
    EXPECT_EQ(FatalMessageOf(
                  [&] { image = LoadAnimImageOrFail(strip, 8, 8, 0, 2, DEFAULT_IMAGE_FLAGS); }),
              "");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Frames(), 2);
    EXPECT_EQ(FatalMessageOf([&] { LoadAnimImageOrFail(strip, 8, 8, 0, 3, DEFAULT_IMAGE_FLAGS); }),
              "Error loading anim bitmap " + strip);
}

// A clock whose n-th sleep answers the box: each round of the box sleeps
// once, so it is drawn before anyone answers it.
class AnsweringClock : public FakeClock {
  public:
    void Sleep(int ms) override {
        FakeClock::Sleep(ms);
        if (++sleeps == answerOnSleep) answer();
    }
    int sleeps = 0;
    int answerOnSleep = 1;
    std::function<void()> answer = [] { InjectKeyEvent("Space", true); };
};

class MessageBoxTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        SetClock(&answering_);
        ScreenWidth = 1024;
        ScreenHeight = 768;
        UsePolledInput = 1;
        // Hits left over from other tests would close the box at once.
        for (int key = 0; key < 256; ++key)
            PolledKeyHit(key);
        for (int button = 1; button <= 3; ++button)
            PolledMouseHit(button);
        PolledCloseRequests();
        SetClsColor(10, 20, 30);
        Cls();
    }

    void TearDown() override {
        InjectKeyEvent("Space", false);
        FlushEvents();
        HeadlessTest::TearDown();
    }

    Preserve<int> width{ScreenWidth}, height{ScreenHeight}, polled{UsePolledInput};
    AnsweringClock answering_;
};

TEST_F(MessageBoxTest, DrawsACentredGreyBoxUntilAKeyIsPressed) {
    // Interrupted drawing left its state behind: the box draws plainly anyway.
    SetColor(40, 50, 60);
    SetAlpha(0.1f);
    SetOrigin(50, 40);
    SetTransform(30, 2, 2);
    SetViewport(0, 0, 100, 100);
    ShowMessageBox("Something went wrong", 600, 100);
    EXPECT_EQ(answering_.sleeps, 1) << "one round drawn, closed by the key pressed during it";
    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ(r + g + b, 3 * 255) << "the colour returns to white";

    // The box spans (212, 334) to (811, 433) on the 1024 x 768 screen.
    PixmapPtr frame = headless::ReadFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->ReadPixel(512, 384) & 0xFFFFFFu, 0x969696u) << "grey at the centre";
    EXPECT_EQ(frame->ReadPixel(212, 384) & 0xFFFFFFu, 0xDCDCC8u) << "the outline";
    EXPECT_EQ(frame->ReadPixel(813, 384) & 0xFFFFFFu, 0u) << "the drop shadow";
    for (const auto& [x, y] :
         {std::pair{100, 100}, std::pair{211, 333}, std::pair{900, 700}, std::pair{512, 440}})
        EXPECT_EQ(frame->ReadPixel(x, y) & 0xFFFFFFu, 0x0A141Eu)
            << "untouched at " << x << "," << y;
}

TEST_F(MessageBoxTest, ClosingTheWindowAnswersIt) {
    answering_.answerOnSleep = 2;
    answering_.answer = [] { InjectWindowClose(); };
    ShowMessageBox("Closed", 400, 100);
    EXPECT_EQ(answering_.sleeps, 2);
}

TEST_F(MessageBoxTest, AnyMouseButtonClosesItAndStaleHitsDoNot) {
    answering_.answerOnSleep = 3;
    answering_.answer = [] { InjectMouseButton(2, true, 500, 400); };
    ShowMessageBox("Right click", 400, 100);
    EXPECT_EQ(answering_.sleeps, 3);

    // A key pressed long before the fatal error does not answer its box.
    ScopedGame none(ScopedGame::Absent);
    Preserve<std::function<void(const std::string&)>> hook{FatalErrorHook};
    Preserve<int> logEnabled{ErrorLogEnabled}, started{GraphicsStarted};
    FatalErrorHook = [](const std::string& message) { throw FatalError(message); };
    ErrorLogEnabled = 0;
    GraphicsStarted = 1;
    UsePolledInput = 0;
    InjectKeyEvent("A", true);
    PolledKeyDown('A');  // the engine has seen it
    answering_.sleeps = 0;
    answering_.answerOnSleep = 2;
    answering_.answer = [] { InjectKeyEvent("Return", true); };
    // As on a real display: headless runs print fatal messages instead.
    ScopedEnv display("SDL_VIDEODRIVER", "x11");
    EXPECT_EQ(FatalMessageOf([] { ReportError("Image 'x' was Not found in the ImageBank", 1); }),
              "Image 'x' was Not found in the ImageBank");
    EXPECT_EQ(answering_.sleeps, 2);
    EXPECT_EQ(UsePolledInput, 1) << "the box switched to polled input";
}

}  // namespace
