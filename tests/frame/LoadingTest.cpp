// Loading the whole data set behind the loading screen: the bar, the
// click-here button, leaving the screen, and what a missing file does to the
// real program.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <thread>

#include "engine/Input.h"
#include "engine/Strings.h"
#include "engine/platform/Platform.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"
#include "frame/Loading.h"
#include "frame/LoadingScreen.h"
#include "frame/MousePointer.h"
#include "frame/Screen.h"
#include "manifest/Manifest.h"
#include "media/BitmapFont.h"
#include "media/Fonts.h"
#include "media/GameImage.h"
#include "media/Sound.h"
#include "progress/ProfileStore.h"
#include "progress/ShopItems.h"
#include "support/Headless.h"
#include "support/ProgramFixture.h"
#include "support/ScopedEnv.h"

namespace fs = std::filesystem;

namespace {

class LoadingTest : public ProgramTest {
  protected:
    void StartAndLoad() {
        ASSERT_TRUE(StartUpBeforeGraphics());
        StartUpGraphicsAndLoad();
    }
    // Runs frames (the clock moving with them) until the condition holds.
    template <typename Done>
    bool RunUntil(Done done, int limit = 400) {
        for (int i = 0; i < limit; ++i) {
            if (done()) return true;
            if (!RunFrame()) return done();
        }
        return done();
    }
};

// What the loading reads, taken from the data folder itself: the files the
// asset manifest names, sorted into the loading's bar steps by where they
// lie. The loading has one step per sound effect, per font description, per
// board, HUD, hint and map-dot picture, and five steps of its own. The shop's
// item pictures are not among them: the shop reads them when it starts.
struct LoadingContract {
    int sounds = 0, fonts = 0, pictures = 0, shopItems = 0;
    static constexpr int kOwnSteps = 5;  // start, story table, title screen (2), button
    std::vector<std::string> bankNames;  // every sound and picture counted
    int Steps() const { return sounds + fonts + 1 + pictures + kOwnSteps; }
};

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::stringstream stream(path);
    for (std::string part; std::getline(stream, part, '/');)
        parts.push_back(part);
    return parts;
}

LoadingContract ListLoadedData() {
    const fs::path data = HOLLOWMERE_DATA_DIR;
    const std::set<std::string> pictureFolders = {
        "Bonuses", "Border", "Cursor", "Gems", "Grid", "HUD", "Hints", "Particles", "MapScreen"};
    LoadingContract contract;
    for (const auto& file : fs::recursive_directory_iterator(data)) {
        if (!file.is_regular_file()) continue;
        const std::string path = fs::relative(file.path(), data).generic_string();
        if (!asset::FindEntry(path)) continue;
        const std::vector<std::string> parts = SplitPath(path);
        const std::string stem = Upper(file.path().stem().string());
        if (parts[0] == "sound") {
            // The click comes with the loading screen itself, before the bar;
            // the game-finished screen loads its own.
            if (stem == "BUTTONCLICK" || parts[1] == "GameFinishedScreen") continue;
            ++contract.sounds;
            contract.bankNames.push_back(stem);
        } else if (parts[0] == "fonts" && file.path().extension() == ".fnt") {
            ++contract.fonts;
        } else if (parts[0] == "graphics" && parts.size() == 2 && stem == "POINTER") {
            ++contract.pictures;
            contract.bankNames.push_back(stem);
        } else if (parts[0] == "graphics" && pictureFolders.count(parts[1]) &&
                   stem != "BOTTOMPANEL") {  // the map screen's own panel
            ++contract.pictures;
            contract.bankNames.push_back(stem);
        } else if (path.rfind("graphics/ShopScreen/items/", 0) == 0) {
            ++contract.shopItems;
        }
    }
    return contract;
}

TEST_F(LoadingTest, EveryAssetLoadsAndTheBarFillsAtTheLastStep) {
    StartAndLoad();
    TLoadingScreen& screen = *Game->LoadingScreen;
    EXPECT_EQ(Game->CurrentTScreen, Game->LoadingScreen) << "made current directly";
    const LoadingContract contract = ListLoadedData();
    ASSERT_GT(contract.sounds, 50);
    ASSERT_EQ(contract.fonts, 7);
    ASSERT_EQ(contract.shopItems, 40);
    EXPECT_EQ(screen.LoadingBar->CurrentStep, contract.Steps()) << "one step per file";
    EXPECT_EQ(static_cast<int>(screen.LoadingBar->Steps), contract.Steps())
        << "the bar was told the same";
    EXPECT_EQ(screen.Finished, 1);
    for (const std::string& name : contract.bankNames)
        EXPECT_TRUE(ImageBank.Contains(name) || SoundBank.Contains(name))
            << name << " is not in a bank";
    for (int id = 1; id < SHOP_TABLE_SIZE; ++id) {
        EXPECT_FALSE(ShopItems[id]->Image || ShopItems[id]->SaleImage)
            << ShopItems[id]->ImageFile << ": the shop's pictures wait for the shop";
    }
    ASSERT_TRUE(screen.ClickHereButton);

    // A few entries of each kind, as the rest of the game will look them up.
    TGameSoundPtr landing = SoundBank.Find("GemLanding");
    ASSERT_TRUE(landing);
    EXPECT_FLOAT_EQ(landing->volume, 0.7f);
    ASSERT_TRUE(SoundBank.Find("NoMoreMoves"));
    EXPECT_FLOAT_EQ(SoundBank.Find("NoMoreMoves")->pitch, 0.7f);
    for (const char* name : {"pointer", "EmptyTile", "CornerTL", "Gold Skull", "Panel", "score100",
                             "MapDotSpecialMO", "TipWithClose", "Powerup Slot Mouse Over"}) {
        EXPECT_TRUE(ImageBank.Find(name)) << name;
    }
    EXPECT_EQ(ImageBank.Find("Gems")->Frames(), 14);
    // The coin spins through every frame its strip holds.
    const asset::Entry* coinStrip = asset::FindEntry("graphics/Bonuses/coin.png");
    ASSERT_TRUE(coinStrip);
    EXPECT_EQ(ImageBank.Find("coin")->Frames(), coinStrip->frames);
    EXPECT_EQ(ImageBank.Find("HourglassAnim")->Frames(), 13);
    EXPECT_TRUE(SparkleImage);
    for (const TBitmapFontPtr& font : {BigTextFont, ButtonFont, LargeWhiteFont, GUIFont,
                                       GUIFontSmall, DialogHeaderFont, EmbossedFont}) {
        EXPECT_TRUE(font && font->Image);
    }
    EXPECT_EQ(DialogTextFont, GUIFont);
}

TEST_F(LoadingTest, AClickAnywhereFadesToTheNextScreen) {
    ASSERT_TRUE(StartUpBeforeGraphics());
    SelectProfile("Ada");  // a player of an earlier run: no name to ask for
    StartUpGraphicsAndLoad();
    const TScreenPtr destination = Game->LoadingScreen->Destination;
    ASSERT_TRUE(destination);
    // Let the loading screen settle, then click away from the button.
    ASSERT_TRUE(RunUntil([] { return !Game->GameFade->Active; }));
    InjectMouseMove(40, 40);
    InjectMouseButton(1, true, 40, 40);
    InjectMouseButton(1, false, 40, 40);
    ASSERT_TRUE(RunUntil([] { return Game->GameFade->Active; }, 20)) << "the click starts the fade";
    EXPECT_TRUE(RunUntil([&] { return Game->CurrentTScreen == destination; }));
}

TEST_F(LoadingTest, EscOnTheLoadingScreenLeadsToTheExit) {
    StartAndLoad();
    ASSERT_TRUE(RunUntil([] { return !Game->GameFade->Active; }));
    InjectKeyEvent("Escape", true);
    InjectKeyEvent("Escape", false);
    bool running = true;
    for (int i = 0; i < 300 && running; ++i)
        running = RunFrame();
    EXPECT_FALSE(running) << "the frame takes Esc to the exit fade";
}

TEST_F(LoadingTest, TheButtonShowsOnlyOnceTheBarIsFull) {
    StartAndLoad();
    TLoadingScreen& screen = *Game->LoadingScreen;
    // The band of the screen where the button sits, as drawn now.
    auto buttonBand = [&] {
        screen.Draw();
        PixmapPtr frame = headless::ReadFrame();
        // The window may be smaller than the game's screen, which is scaled into it.
        const double scale = static_cast<double>(frame->Height()) / ScreenHeight;
        std::vector<uint32_t> band;
        for (int y = ScreenHeight - 140; y < ScreenHeight - 80; ++y)
            for (int x = 312; x < 712; ++x)
                band.push_back(
                    frame->ReadPixel(static_cast<int>(x * scale), static_cast<int>(y * scale)));
        return band;
    };
    const std::vector<uint32_t> shown = buttonBand();
    // Run the same bar again one step short of the end.
    screen.LoadingBar->CurrentStep = 0;
    screen.LoadingBar->Finished = screen.Finished = 0;
    for (int i = 0; i < LoadingSteps() - 1; ++i)
        screen.Progress();
    EXPECT_EQ(screen.Finished, 0);
    const std::vector<uint32_t> waiting = buttonBand();
    EXPECT_NE(waiting, shown) << "no button while the bar is filling";
    screen.Progress();
    EXPECT_EQ(screen.Finished, 1) << "finished exactly at the last step";
    EXPECT_EQ(buttonBand(), shown);
}

// ---------------------------------------------------------------- closing early

// A clock that moves a millisecond each time it is read, so the loading bar
// is drawn now and then as on a real machine, and that lets the test act at
// every frame of a splash.
class MovingClock : public FakeClock {
  public:
    std::function<void(uint32_t)> onFrame;
    uint32_t Millis() override {
        Advance(1);
        return FakeClock::Millis();
    }
    void Sleep(int ms) override {
        FakeClock::Sleep(ms);
        if (onFrame) onFrame(FakeClock::Millis());
    }
};

class CloseWhileLoadingTest : public LoadingTest {
  protected:
    void SetUp() override {
        LoadingTest::SetUp();
        SetClock(&clock_);
    }
    void TearDown() override {
        SetClock(nullptr);
        LoadingTest::TearDown();
    }
    bool GoodExitWritten() const {
        return fs::exists(home_ / "Brackenfold Games" / "Hollowmere" / "GoodExit.dat");
    }
    MovingClock clock_;
};

TEST_F(CloseWhileLoadingTest, ACloseRequestDuringTheSplashesEndsTheProgramAtOnce) {
    ShowSplashes = true;
    ASSERT_TRUE(StartUpBeforeGraphics());
    const uint32_t start = clock_.Millis();
    uint32_t closedAt = 0;
    clock_.onFrame = [&](uint32_t now) {
        if (closedAt == 0 && now - start >= 800) {
            closedAt = now;
            InjectWindowClose();
        }
    };
    EXPECT_FALSE(StartUpGraphicsAndLoad()) << "the program ends instead of running on";
    ASSERT_NE(closedAt, 0u) << "the logo was shown";
    EXPECT_LT(clock_.Millis() - closedAt, 200u) << "within a fraction of a second";
    EXPECT_EQ(Game->LoadingScreen->LoadingBar->CurrentStep, 0) << "loading never began";
    EXPECT_EQ(Game->InstantExit, 1);
    EXPECT_TRUE(GoodExitWritten()) << "a clean exit";
}

TEST_F(CloseWhileLoadingTest, ACloseRequestDuringLoadingEndsTheProgramAtOnce) {
    ASSERT_TRUE(StartUpBeforeGraphics());
    TLoadingScreen& screen = *Game->LoadingScreen;
    int closedAtStep = -1;
    screen.CustomDrawFunction = [&] {
        if (closedAtStep < 0 && screen.LoadingBar->CurrentStep >= LoadingSteps() / 3) {
            closedAtStep = screen.LoadingBar->CurrentStep;
            InjectWindowClose();
        }
    };
    EXPECT_FALSE(StartUpGraphicsAndLoad());
    ASSERT_GE(closedAtStep, 0) << "the bar was drawn while loading";
    EXPECT_LE(screen.LoadingBar->CurrentStep, closedAtStep + 1) << "the next step ends it";
    EXPECT_EQ(screen.Finished, 0);
    EXPECT_TRUE(GoodExitWritten());
    EXPECT_FALSE(Game->MusicChannel) << "the audio is shut down";
}

// ---------------------------------------------------------------- a missing file

// A copy of the program beside a data folder that lacks one file (the rest
// are links to the real data).
class MissingFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("hm-missing-" + std::to_string(getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "home");
        fs::copy_file(HOLLOWMERE_EXECUTABLE, root_ / "hollowmere");
    }
    void TearDown() override { fs::remove_all(root_); }

    // The data set with one file left out, or replaced by `contents`.
    void LinkDataWithout(const std::string& missing, const std::string* contents = nullptr) {
        const fs::path source = fs::path(HOLLOWMERE_DATA_DIR);
        fs::remove_all(root_ / "Data");
        for (const auto& entry : fs::recursive_directory_iterator(source)) {
            const fs::path relative = fs::relative(entry.path(), source);
            const fs::path target = root_ / "Data" / relative;
            if (entry.is_directory()) {
                fs::create_directories(target);
            } else if (relative.generic_string() != missing) {
                fs::create_directories(target.parent_path());
                fs::create_symlink(entry.path(), target);
            } else if (contents) {
                std::ofstream(target, std::ios::binary) << *contents;
            }
        }
    }

    // Exit status, or -1 when it did not end in time.
    int Run() {
        const pid_t pid = fork();
        if (pid == 0) {
            setenv("XDG_DATA_HOME", (root_ / "home").c_str(), 1);
            setenv("XDG_RUNTIME_DIR", (root_ / "home").c_str(), 1);
            setenv("SDL_VIDEODRIVER", "dummy", 1);
            setenv("SDL_AUDIODRIVER", "dummy", 1);
            const std::string program = (root_ / "hollowmere").string();
            execl(program.c_str(), "hollowmere", "--measure-loading", static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int waited = 0; waited < 60000; waited += 20) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid)
                return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return -1;
    }

    std::string ErrorLog() {
        for (const auto& entry : fs::recursive_directory_iterator(root_ / "home")) {
            if (entry.path().filename() == "ErrorLog.txt") {
                std::ifstream in(entry.path());
                std::stringstream text;
                text << in.rdbuf();
                return text.str();
            }
        }
        return "";
    }
    fs::path root_;
};

TEST_F(MissingFileTest, EndsWithTheFileNamedInTheErrorLog) {
    struct Case {
        const char* file;
        const char* message;
    };
    const Case cases[] = {
        {"graphics/Grid/EmptyTile.png", "Error loading bitmap "},
        {"graphics/Gems/Gems.png", "Error loading anim bitmap "},
        {"sound/Gems/Swap.wav", "Error loading sample "},
        {"fonts/Embossed.png", "Error loading bitmap "},
    };
    LinkDataWithout("");
    ASSERT_EQ(Run(), 0) << "the complete data set loads";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        LinkDataWithout(c.file);
        fs::remove_all(root_ / "home");
        EXPECT_EQ(Run(), 1);
        const std::string log = ErrorLog();
        EXPECT_NE(log.find(c.message), std::string::npos) << log;
        const std::string name = fs::path(c.file).stem().string();
        EXPECT_NE(log.find(name), std::string::npos) << log;
    }
}

TEST_F(MissingFileTest, AnEmptyFontOrGameTextEndsWithTheFileNamed) {
    // Both read as files without content: a font that draws nothing, a text
    // whose every caption is blank.
    for (const char* file : {"fonts/Embossed.fnt", "text/gametext.txt"}) {
        SCOPED_TRACE(file);
        const std::string empty;
        LinkDataWithout(file, &empty);
        fs::remove_all(root_ / "home");
        EXPECT_EQ(Run(), 1);
        const std::string log = ErrorLog();
        EXPECT_NE(log.find("Error loading file "), std::string::npos) << log;
        EXPECT_NE(log.find(fs::path(file).filename().string()), std::string::npos) << log;
    }
}

TEST_F(MissingFileTest, ADamagedPictureOrSoundEndsWithTheFileNamed) {
    struct Case {
        const char* file;
        const char* message;
        const char* damage;  // "half": the first half of the real file, else its text
    };
    const Case cases[] = {
        {"graphics/Gems/Gems.png", "Error loading anim bitmap ", "half"},
        {"graphics/Grid/EmptyTile.png", "Error loading bitmap ", "damaged on its way"},
        {"sound/Gems/Swap.wav", "Error loading sample ", "RIFF damaged on its way"},
        {"sound/Level/LevelEnd.ogg", "Error loading sample ", "OggS damaged on its way"},
        // Its first half would decode and play: a file cut short is damaged too.
        {"music/title.ogg", "Error loading sample ", "half"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        std::string contents = c.damage;
        if (contents == "half") {
            std::ifstream in(fs::path(HOLLOWMERE_DATA_DIR) / c.file, std::ios::binary);
            std::stringstream whole;
            whole << in.rdbuf();
            contents = whole.str().substr(0, whole.str().size() / 2);
        }
        LinkDataWithout(c.file, &contents);
        fs::remove_all(root_ / "home");
        EXPECT_EQ(Run(), 1);
        const std::string log = ErrorLog();
        EXPECT_NE(log.find(c.message), std::string::npos) << log;
        EXPECT_NE(log.find(fs::path(c.file).stem().string()), std::string::npos) << log;
    }
}

}  // namespace
