// The settings file, the data and shared folders, the exit markers and the
// profile folder housekeeping of TGame.
#include <filesystem>
#include <system_error>

#include "engine/Files.h"
#include "engine/Strings.h"
#include "engine/platform/Platform.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"

namespace {

// One settings key and the field it fills: an Int field or a String field.
struct SettingKey {
    const char* key;
    int TGame::*number;
    std::string TGame::*text;
};

// In the order the keys are written to the file.
const SettingKey kSettingKeys[] = {
    {"Version No", nullptr, &TGame::VersionNumber},
    {"Full Screen", &TGame::FullScreen, nullptr},
    {"WideScreen", &TGame::WideScreen, nullptr},
    {"Sound", &TGame::Sound, nullptr},
    {"Music", &TGame::Music, nullptr},
    {"Speech", &TGame::Speech, nullptr},
    {"Sound Volume", &TGame::SoundVolume, nullptr},
    {"Music Volume", &TGame::MusicVolume, nullptr},
    {"Speech Volume", &TGame::SpeechVolume, nullptr},
    {"Fade", &TGame::Fade, nullptr},
    {"Particles", &TGame::Particles, nullptr},
    {"Portal Splash", &TGame::PortalSplash, nullptr},
    {"Portal Splash2", &TGame::PortalSplash2, nullptr},
    {"Intro", &TGame::IntroShow, nullptr},
    {"VSync", &TGame::VSync, nullptr},
    {"Driver", &TGame::Driver, nullptr},
    {"Sound Driver", nullptr, &TGame::SoundDriver},
    {"Full Screen Process Priority", &TGame::FullScreenProcess, nullptr},
    {"Full Screen Thread Priority", &TGame::FullScreenThread, nullptr},
    {"Windowed Process Priority", &TGame::WindowedProcess, nullptr},
    {"Windowed Thread Priority", &TGame::WindowedThread, nullptr},
    {"Profile Name", nullptr, &TGame::ProfileName},
    {"Region", &TGame::Region, nullptr},
    {"Sub-Region", &TGame::SubRegion, nullptr},
    {"Custom Mouse Pointer", &TGame::CustomMousePointer, nullptr},
    // Added later: older versions of the game skip keys they do not know.
    {"Window X", &TGame::WindowPlaceX, nullptr},
    {"Window Y", &TGame::WindowPlaceY, nullptr},
    {"Window Width", &TGame::WindowPlaceWidth, nullptr},
    {"Window Height", &TGame::WindowPlaceHeight, nullptr},
};

const char* const kGoodExitMarker = "GoodExit.dat";
const char* const kSettingsChangedMarker = "inichanged.dat";
const char* const kShippedDefaults = "data/Default.ini";
const char* const kPlayLog = "logfile.xml";

const SettingKey* FindSettingKey(const std::string& upperKey) {
    for (const SettingKey& setting : kSettingKeys) {
        if (Upper(setting.key) == upperKey) return &setting;
    }
    return nullptr;
}

std::string WithTrailingSlash(const std::string& folder) {
    if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) return folder;
    return folder + "/";
}

// A debug build carries "debug" at the end of its name; it shares the
// release build's settings file.
std::string ReleaseName(const std::string& name) {
    const std::string suffix = "debug";
    if (name.size() > suffix.size() &&
        Lower(Right(name, static_cast<int>(suffix.size()))) == suffix) {
        return Left(name, static_cast<int>(name.size() - suffix.size()));
    }
    return name;
}

bool CanListFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::directory_iterator listing(ResolvePath(folder), error);
    return !error;
}

bool HasDatExtension(const std::string& name) {
    return Lower(ExtractExt(name)) == "dat";
}

// Empty files are written like every other file the program keeps: through a
// temporary file, so a half-made marker never appears.
void SaveEmptyFileOrFail(const std::string& path) {
    if (!SaveTextSafely(path, std::string())) ReportError("Failed to save file " + path, 1);
}

// The data files were named on a file system that ignores letter case.
bool ExistsIgnoringCase(const std::string& path) {
    return FileType(ResolvePath(path)) == FILETYPE_FILE;
}

void DeleteIgnoringCase(const std::string& path) {
    DeleteFile(ResolvePath(path));
}

// With the shared folder in use the settings file is named after the
// program and kept in the shared folder; otherwise it sits beside the
// executable.
void NameSettingsFile(TGame& game) {
    std::string program = ReleaseName(StripAll(AppFile()));
    game.Ini->FileName =
        game.UseCorrectPath ? game.SubPath + program : ExtractDir(AppFile()) + "/" + program;
}

std::string MarkerPath(const TGame& game, const std::string& name) {
    return game.UseCorrectPath ? game.SubPath + name : game.DataPrefix + "data/" + name;
}

// The last run crashed after a settings change, possibly because of the
// change (a display mode the machine cannot show): back to the shipped
// settings, keeping only the selected profile.
void RestoreShippedSettings(const TGame& game) {
    const std::string key = "profile name";
    std::string profile = ReadIniValue(game.SettingsPath(), key);
    std::string shipped = ResolvePath(game.DataPrefix + kShippedDefaults);
    if (FileType(shipped) != FILETYPE_FILE) {
        DeleteFile(game.SettingsPath());
        return;
    }
    // The copy replaces the old file in one step, so a crash now still
    // leaves a whole settings file behind.
    if (!CopyIniReplacing(shipped, game.SettingsPath(), key, profile)) {
        ReportError("Failed to save file " + game.SettingsPath(), 1);
    }
}

// The settings file holds one byte per character; the program's text is
// UTF-8. Only a player's name can hold letters beyond ASCII, and every name a
// player can have fits in Latin-1; one that does not is not remembered.
std::string SettingsFileText(const std::string& text) {
    std::string latin1;
    return Utf8ToLatin1(text, latin1) ? latin1 : std::string();
}

}  // namespace

// ------------------------------------------------------------------ settings

void TGame::IniFill() {
    Ini->Clear();
    for (const SettingKey& setting : kSettingKeys) {
        Ini->Add(setting.key, setting.number ? FromInt(this->*setting.number)
                                             : SettingsFileText(this->*setting.text));
    }
}

void TGame::IniExtract() {
    for (const TIniLinePtr& line : *Ini) {
        const SettingKey* setting = FindSettingKey(line->Name);
        if (!setting) continue;
        if (setting->number) {
            this->*setting->number = ToInt(line->Value);
        } else {
            this->*setting->text = Latin1ToUtf8(line->Value);
        }
    }
}

void TGame::IniUpdate(int flag) {
    IniFill();
    Ini->Save();
    if (flag) SaveEmptyFileOrFail(MarkerPath(*this, kSettingsChangedMarker));
}

std::string TGame::SettingsPath() const {
    return Ini ? Ini->Path() : std::string();
}

void TGame::InitSettings() {
    NameSettingsFile(*this);
    IniFill();
    std::string shipped = ResolvePath(DataPrefix + kShippedDefaults);
    if (FileType(SettingsPath()) == FILETYPE_NONE && FileType(shipped) == FILETYPE_FILE) {
        std::string text;
        if (!LoadText(shipped, text) || !SaveTextSafely(SettingsPath(), text)) {
            ReportError("Failed to save file " + SettingsPath(), 1);
        }
    }
    Ini->Load();
    IniExtract();
}

// -------------------------------------------------------------- exit markers

int TGame::MakeGoodExit() {
    SaveEmptyFileOrFail(MarkerPath(*this, kGoodExitMarker));
    return 1;
}

void TGame::CheckGoodExit() {
    NameSettingsFile(*this);
    std::string goodExit = MarkerPath(*this, kGoodExitMarker);
    std::string changed = MarkerPath(*this, kSettingsChangedMarker);
    if (ExistsIgnoringCase(goodExit)) {
        DeleteIgnoringCase(goodExit);
    } else if (ExistsIgnoringCase(changed)) {
        RestoreShippedSettings(*this);
    }
    DeleteIgnoringCase(changed);
}

// ------------------------------------------------------------------- folders

namespace {

bool HasDataFolder(const std::string& prefix) {
    return FileType(ResolvePath(prefix + "Data")) == FILETYPE_DIR;
}

// The folder that holds Data/ as found from the executable, with a trailing
// slash: beside it (the build tree) or, when none is there, the installed
// shared data folder (bin/../share/hollowmere); beside it when neither has one.
std::string InstalledDataPrefix() {
    const std::string appDir = AppDir();
    if (appDir.empty()) return std::string();
    const std::string beside = appDir + "/";
    if (HasDataFolder(beside)) return beside;
    const std::string installed = std::filesystem::path(appDir + "/" HOLLOWMERE_DATA_FROM_BIN "/")
                                      .lexically_normal()
                                      .string();
    return HasDataFolder(installed) ? installed : beside;
}

}  // namespace

void TGame::SetDefaultPaths() {
    // The data folder is found from the executable, so the program finds it
    // from any working folder: beside it in the build tree, in the shared
    // data folder once installed.
    if (DataPrefix.empty()) DataPrefix = InstalledDataPrefix();
    SetImagePath(DataPrefix + "Data/graphics");
    SetSoundPath(DataPrefix + "Data/sound");
    SetMusicPath(DataPrefix + "Data/music");
    SetSpeechPath(DataPrefix + "Data/speech");
    SetMenuPath(DataPrefix + "Data/menus");
    SetProfilePath(UseCorrectPath ? std::string("profiles") : DataPrefix + "Data/profiles");
    SetTextPath(DataPrefix + "Data/text");
    SetLevelsPath(DataPrefix + "Data/levels");
    SetFontPath(DataPrefix + "Data/fonts");
}

void TGame::SetSubPath(const std::string& path, int /*spare*/) {
    SubPath = path.empty() ? std::string() : WithTrailingSlash(path);
    if (UseCorrectPath) {
        SubPath = SpecialFolder() + SubPath;
        ApplySubPath();
    }
}

void TGame::SetSubPathWrapper(const std::string& path, int spare) {
    SetDefaultPaths();
    SetSubPath(path, spare);
}

void TGame::ApplySubPath() {
    ProfilePath = SubPath + ProfilePath;
}

// Both the per-user (26) and the all-users (35) application-data folders are
// the user's data folder here: there is no machine-wide writable folder.
std::string TGame::SpecialFolder() const {
    return UserDataFolder() + "/";
}

void TGame::SetImagePath(const std::string& p) {
    ImagePath = WithTrailingSlash(p);
}
void TGame::SetSoundPath(const std::string& p) {
    SoundPath = WithTrailingSlash(p);
}
void TGame::SetMusicPath(const std::string& p) {
    MusicPath = WithTrailingSlash(p);
}
void TGame::SetSpeechPath(const std::string& p) {
    SpeechPath = WithTrailingSlash(p);
}
void TGame::SetMenuPath(const std::string& p) {
    MenuPath = WithTrailingSlash(p);
}
void TGame::SetProfilePath(const std::string& p) {
    ProfilePath = WithTrailingSlash(p);
}
void TGame::SetTextPath(const std::string& p) {
    TextPath = WithTrailingSlash(p);
}
void TGame::SetLevelsPath(const std::string& p) {
    LevelsPath = WithTrailingSlash(p);
}
void TGame::SetFontPath(const std::string& p) {
    FontPath = WithTrailingSlash(p);
}

// Folders have no per-folder access lists to widen here, so creating the
// shared folder is all there is to do.
void TGame::InitSharedFolder() {
    if (!UseCorrectPath || CanListFolder(SubPath)) return;
    if (!CreateDir(SubPath, true)) ReportError("Cannot create shared data folder " + SubPath, 1);
}

void TGame::InitProfileFolder() {
    if (!UseCorrectPath || CanListFolder(ProfilePath)) return;
    if (!CreateDir(ProfilePath))
        ReportError("Cannot create shared profiles folder " + ProfilePath, 1);
}

// Nothing reads or writes the play log; it only has to exist.
void TGame::EnsurePlayLog() {
    std::string path = SubPath + kPlayLog;
    if (FileType(path) != FILETYPE_NONE) return;
    if (!CreateFile(path)) ReportError("Cannot create " + path, 1);
}

// ------------------------------------------------------------------ profiles

void TGame::DeleteAllProfiles() {
    std::string folder = ResolvePath(ProfilePath);
    for (const std::string& name : LoadDir(folder)) {
        if (HasDatExtension(name)) DeleteFile(JoinPath(folder, name));
    }
}

int TGame::ProfileFolderInUse() {
    if (!CanListFolder(ProfilePath)) {
        ReportError("Failed to read directory '" + ProfilePath + "'", 1);
        return 0;
    }
    for (const std::string& name : LoadDir(ResolvePath(ProfilePath))) {
        // A file named only ".dat" is no player's profile.
        if (name != ".dat" && HasDatExtension(name)) return 1;
    }
    return 0;
}
