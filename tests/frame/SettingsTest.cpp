// The settings file, the shared folders, the exit markers and the profile
// folder. Every test runs in a private folder: XDG_DATA_HOME points into it,
// and the data folder is a "Data" folder of its own.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/Files.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"
#include "frame/IniFile.h"
#include "support/Fatal.h"
#include "support/ScopedEnv.h"

namespace {

std::string Slurp(const std::string& path) {
    std::string text;
    LoadText(path, text);
    return text;
}

void Write(const std::string& path, const std::string& text) {
    ASSERT_TRUE(SaveTextSafely(path, text)) << path;
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "hollowmere_settings_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        home_ = std::make_unique<ScopedEnv>("XDG_DATA_HOME", (root_ + "/home").c_str());
        dataPrefix_ = root_ + "/app/";
        ASSERT_TRUE(CreateDir(dataPrefix_ + "Data", true));
        savedHook_ = FatalErrorHook;
        savedShowsBox_ = FatalErrorShowsBox;
        FatalErrorHook = [](const std::string& message) { throw FatalError(message); };
        FatalErrorShowsBox = false;
        savedGame_ = std::move(Game);
        NewGame();
    }

    void TearDown() override {
        Game = std::move(savedGame_);
        FatalErrorHook = savedHook_;
        FatalErrorShowsBox = savedShowsBox_;
        DeleteDir(root_, true);
    }

    // A new run of the program: a fresh game object with this program's
    // folders.
    void NewGame() {
        Game = std::make_unique<TGame>();
        Game->DataPrefix = dataPrefix_;
        Game->UseCorrectPath = 1;
        Game->CorrectPathID = 26;
        Game->SetSubPathWrapper("Brackenfold Games/Hollowmere", 1);
    }

    // The settings part of start-up.
    void StartUp() {
        Game->CheckGoodExit();
        Game->InitSharedFolder();
        Game->InitSettings();
        Game->InitProfileFolder();
    }

    std::string Shared() const { return root_ + "/home/Brackenfold Games/Hollowmere/"; }

    std::string root_, dataPrefix_;
    std::unique_ptr<ScopedEnv> home_;
    std::function<void(const std::string&)> savedHook_;
    bool savedShowsBox_ = true;
    std::unique_ptr<TGame> savedGame_;
};

// ------------------------------------------------------------ TIniFile

TEST_F(SettingsTest, IniFileReadsAnyCaseAndRewritesCompleteInOrder) {
    TIniFile ini;
    ini.FileName = root_ + "/plain";
    ini.Add("Full Screen", "1");
    ini.Add("Sound Driver", "FreeAudio");
    ini.Add("Profile Name", "");
    ini.Add("Particles", "80");

    // Mixed-case keys, a value holding "=", an unknown key, a line without
    // "=", LF-only endings, and "Particles" missing.
    Write(ini.Path(),
          "full screen=0\nSound DRIVER=Open=AL x\nBogus=7\nprofile name\n"
          "PROFILE NAME=Ann=Bob\n");
    ini.Load();
    EXPECT_EQ(ini.Get("full screen"), "0");
    EXPECT_EQ(ini.Get("SOUND DRIVER"), "Open=AL x");
    EXPECT_EQ(ini.Get("Profile Name"), "Ann=Bob");  // the later line wins
    EXPECT_EQ(
        Slurp(ini.Path()),
        "FULL SCREEN=0\r\nSOUND DRIVER=Open=AL x\r\nPROFILE NAME=Ann=Bob\r\nPARTICLES=80\r\n");

    // Damaged bytes are just odd keys: no crash, the file is rewritten whole.
    Write(ini.Path(), std::string("\0\xff=\x01\r\r\n==\n", 10));
    ini.Load();
    EXPECT_EQ(LinesOf(Slurp(ini.Path())).size(), 4u);
    EXPECT_EQ(ini.Get("Particles"), "80");
}

TEST_F(SettingsTest, ReadIniValueAndCopyIniReplacing) {
    const std::string source = root_ + "/source.ini";
    const std::string target = root_ + "/target.ini";
    Write(source, "Music=1\r\nprofile name=Old\r\nNote=a=b\r\n");
    EXPECT_EQ(ReadIniValue(source, "PROFILE NAME"), "Old");
    EXPECT_EQ(ReadIniValue(source, "note"), "a=b");
    EXPECT_EQ(ReadIniValue(root_ + "/none.ini", "music"), "");

    Write(target, "stale");
    EXPECT_TRUE(CopyIniReplacing(source, target, "Profile Name", "New=1"));
    EXPECT_EQ(Slurp(target), "Music=1\r\nPROFILE NAME=New=1\r\nNote=a=b\r\n");
    EXPECT_FALSE(CopyIniReplacing(root_ + "/none.ini", target, "music", "0"));
    EXPECT_FALSE(CopyIniReplacing(source, root_ + "/no/such/folder.ini", "music", "0"));
}

// ------------------------------------------------------------- folders

TEST_F(SettingsTest, FoldersFollowTheDataPrefixAndTheSharedFolder) {
    EXPECT_EQ(Game->SubPath, Shared());
    EXPECT_EQ(Game->ImagePath, dataPrefix_ + "Data/graphics/");
    EXPECT_EQ(Game->MenuPath, dataPrefix_ + "Data/menus/");
    EXPECT_EQ(Game->LevelsPath, dataPrefix_ + "Data/levels/");
    EXPECT_EQ(Game->ProfilePath, Shared() + "profiles/");

    Game->SetTextPath("text\\");
    EXPECT_EQ(Game->TextPath, "text\\");

    // Without the shared folder everything stays in the data folder.
    Game->UseCorrectPath = 0;
    Game->SetSubPathWrapper("Saves", 0);
    EXPECT_EQ(Game->SubPath, "Saves/");
    EXPECT_EQ(Game->ProfilePath, dataPrefix_ + "Data/profiles/");
    Game->SetSubPath("", 0);
    EXPECT_EQ(Game->SubPath, "");

    // With no prefix given, the data folder is the one beside the executable.
    Game->DataPrefix = "";
    Game->SetDefaultPaths();
    EXPECT_EQ(Game->DataPrefix, AppDir() + "/");
}

TEST_F(SettingsTest, StartUpCreatesTheFoldersOrFailsWithTheirNames) {
    StartUp();
    EXPECT_EQ(FileType(Shared()), FILETYPE_DIR);
    EXPECT_EQ(FileType(Game->ProfilePath), FILETYPE_DIR);
    EXPECT_EQ(Game->SettingsPath(), Shared() + StripAll(AppFile()) + ".ini");

    NewGame();
    Write(root_ + "/blocked", "x");
    Game->SubPath = root_ + "/blocked/Hollowmere/";
    EXPECT_EQ(FatalMessageOf([] { Game->InitSharedFolder(); }),
              "Cannot create shared data folder " + Game->SubPath);

    NewGame();
    Game->InitSharedFolder();
    Game->ProfilePath = Shared() + "missing/profiles/";
    EXPECT_EQ(FatalMessageOf([] { Game->InitProfileFolder(); }),
              "Cannot create shared profiles folder " + Game->ProfilePath);
}

// ------------------------------------------------------------ settings

TEST_F(SettingsTest, FirstRunCopiesTheShippedDefaultsThenWritesThemComplete) {
    // Shipped in another letter case, partial, with keys of any case.
    Write(dataPrefix_ + "Data/DEFAULT.INI",
          "version no=0.9\r\nFull Screen=0\r\nsound volume=55\r\nObsolete=3\r\n");
    StartUp();
    EXPECT_EQ(Game->FullScreen, 0);
    EXPECT_EQ(Game->SoundVolume, 55);
    EXPECT_EQ(Game->VersionNumber, "0.9");
    EXPECT_EQ(Game->Particles, 80);

    std::vector<std::string> lines = LinesOf(Slurp(Game->SettingsPath()));
    ASSERT_EQ(lines.size(), 29u);
    EXPECT_EQ(lines[0], "VERSION NO=0.9");
    EXPECT_EQ(lines[1], "FULL SCREEN=0");
    EXPECT_EQ(lines[6], "SOUND VOLUME=55");
    EXPECT_EQ(lines[21], "PROFILE NAME=");

    // The version read back is written back unchanged; text reads as 0.
    Game->ProfileName = "Ann";
    Game->IniUpdate(0);
    EXPECT_EQ(ReadIniValue(Game->SettingsPath(), "version no"), "0.9");
    EXPECT_EQ(FileType(Shared() + "inichanged.dat"), FILETYPE_NONE);
    Write(Game->SettingsPath(), "MUSIC VOLUME=loud\r\n");
    Game->InitSettings();
    EXPECT_EQ(Game->MusicVolume, 0);
    EXPECT_EQ(Game->ProfileName, "Ann");  // missing keys keep their values
}

TEST_F(SettingsTest, ShippedDefaultsAreCompleteAndWindowed) {
    // This file lives in tests/frame/; the shipped data is data/ at the root.
    std::string repo = ExtractDir(ExtractDir(ExtractDir(__FILE__)));
    std::string shipped = Slurp(repo + "/data/Default.ini");
    ASSERT_FALSE(shipped.empty());
    Write(dataPrefix_ + "Data/Default.ini", shipped);
    StartUp();
    EXPECT_EQ(Game->FullScreen, 0);
    // Full screen keeps the picture's shape on a wide desktop until the
    // player chooses otherwise.
    EXPECT_EQ(Game->WideScreen, 1);
    EXPECT_EQ(Game->CustomMousePointer, 1);
    EXPECT_EQ(Game->SoundDriver, "FreeAudio");
    // Rewriting changes nothing: every key is there, in order, upper case.
    EXPECT_EQ(Slurp(Game->SettingsPath()), shipped);
}

TEST_F(SettingsTest, CrashAfterASettingsChangeRestoresTheShippedSettings) {
    Write(dataPrefix_ + "Data/Default.ini", "FULL SCREEN=0\r\nPROFILE NAME=\r\nMUSIC=1\r\n");
    StartUp();
    Game->FullScreen = 1;
    Game->Music = 0;
    Game->ProfileName = "Ann";
    Game->IniUpdate(1);
    EXPECT_EQ(FileType(Shared() + "inichanged.dat"), FILETYPE_FILE);
    EXPECT_EQ(FileSize(Shared() + "inichanged.dat"), 0);
    // No clean exit: the next run starts.
    NewGame();
    StartUp();
    EXPECT_EQ(Game->FullScreen, 0);
    EXPECT_EQ(Game->Music, 1);
    EXPECT_EQ(Game->ProfileName, "Ann");
    EXPECT_EQ(FileType(Shared() + "inichanged.dat"), FILETYPE_NONE);

    // Without shipped defaults the settings are dropped for the program's.
    ASSERT_TRUE(DeleteFile(dataPrefix_ + "Data/Default.ini"));
    Game->FullScreen = 1;
    Game->IniUpdate(1);
    NewGame();
    Game->FullScreen = 0;
    StartUp();
    EXPECT_EQ(Game->FullScreen, 0);
}

TEST_F(SettingsTest, CleanExitKeepsTheSettingsAndConsumesTheMarkers) {
    Write(dataPrefix_ + "Data/Default.ini", "FULL SCREEN=0\r\n");
    StartUp();
    Game->FullScreen = 1;
    Game->IniUpdate(1);
    EXPECT_EQ(Game->MakeGoodExit(), 1);
    EXPECT_EQ(FileType(Shared() + "GoodExit.dat"), FILETYPE_FILE);
    NewGame();
    StartUp();
    EXPECT_EQ(Game->FullScreen, 1);
    EXPECT_EQ(FileType(Shared() + "GoodExit.dat"), FILETYPE_NONE);
    EXPECT_EQ(FileType(Shared() + "inichanged.dat"), FILETYPE_NONE);

    // Markers in another letter case count too.
    Write(Shared() + "goodexit.DAT", "");
    Write(Shared() + "INICHANGED.dat", "");
    NewGame();
    StartUp();
    EXPECT_EQ(Game->FullScreen, 1);
    EXPECT_EQ(LoadDir(Shared()),
              (std::vector<std::string>{StripAll(AppFile()) + ".ini", "profiles"}));
}

TEST_F(SettingsTest, FailedSettingsSaveIsFatalAndKeepsTheOldFile) {
    StartUp();
    const std::string path = Game->SettingsPath();
    const std::string before = Slurp(path);
    ASSERT_FALSE(before.empty());
    ASSERT_TRUE(CreateDir(path + ".tmp"));
    Game->FullScreen = 1 - Game->FullScreen;
    EXPECT_EQ(FatalMessageOf([] { Game->IniUpdate(1); }), "Failed to save file " + path);
    EXPECT_EQ(Slurp(path), before);

    // A marker that cannot be written names its own path.
    ASSERT_TRUE(CreateDir(Shared() + "GoodExit.dat.tmp"));
    EXPECT_EQ(FatalMessageOf([] { Game->MakeGoodExit(); }),
              "Failed to save file " + Shared() + "GoodExit.dat");

    // The settings folder has become a regular file.
    Write(root_ + "/blocked", "x");
    Game->Ini->FileName = root_ + "/blocked/settings";
    EXPECT_EQ(FatalMessageOf([] { Game->Ini->Save(); }),
              "Failed to save file " + root_ + "/blocked/settings.ini");
}

// ------------------------------------------------------- profile folder

TEST_F(SettingsTest, ProfileFolderHousekeeping) {
    StartUp();
    const std::string folder = Game->ProfilePath;
    EXPECT_EQ(Game->ProfileFolderInUse(), 0);
    Write(folder + ".dat", "");
    Write(folder + "notes.txt", "x");
    EXPECT_EQ(Game->ProfileFolderInUse(), 0);
    Write(folder + "Ann.dat", "a");
    Write(folder + "BOB.DAT", "b");
    ASSERT_TRUE(CreateDir(folder + "keep"));
    EXPECT_EQ(Game->ProfileFolderInUse(), 1);

    Game->DeleteAllProfiles();
    EXPECT_EQ(LoadDir(folder), (std::vector<std::string>{"keep", "notes.txt"}));
    EXPECT_EQ(Game->ProfileFolderInUse(), 0);

    Game->ProfilePath = Shared() + "gone/";
    EXPECT_EQ(FatalMessageOf([] { Game->ProfileFolderInUse(); }),
              "Failed to read directory '" + Shared() + "gone/'");
}

TEST_F(SettingsTest, PlayLogIsCreatedOnceAndNeverTruncated) {
    StartUp();
    const std::string log = Shared() + "logfile.xml";
    Game->EnsurePlayLog();
    EXPECT_EQ(FileSize(log), 0);
    Write(log, "<log/>");
    Game->EnsurePlayLog();
    EXPECT_EQ(Slurp(log), "<log/>");

    Write(root_ + "/plain", "x");
    Game->SubPath = root_ + "/plain/";
    EXPECT_EQ(FatalMessageOf([] { Game->EnsurePlayLog(); }),
              "Cannot create " + root_ + "/plain/logfile.xml");
}

}  // namespace
