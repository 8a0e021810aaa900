// The current player: which profile is current, how it is chosen at
// start-up, and the name check of the name entry.
#include "progress/ProfileStore.h"

#include "engine/Files.h"
#include "frame/Game.h"
#include "frame/Profile.h"
#include "frame/ProfileName.h"
#include "media/GameText.h"
#include "progress/SaveData.h"

namespace {

// The profile of a name that can have a file: its progress record rides
// along in it.
TProfilePtr CreateProfileWithProgress(const std::string& name) {
    TProfilePtr profile = TProfile::Create(name);
    profile->SaveUserFunction = [](TProfileStream& stream) {
        SaveData->Save(stream);
        return 1;
    };
    profile->LoadUserFunction = [](TProfileStream& stream) {
        SaveData->Load(stream);
        return 1;
    };
    return profile;
}

bool HasFile(const std::string& name) {
    return FileType(ProfileFilePath(name)) != FILETYPE_NONE;
}

}  // namespace

void InstallProfileCreationHook() {
    TProfile::CreationHook = [](TProfile&) {
        if (SaveData) SaveData->Init();
    };
}

void LoadCurrentProfile() {
    // An empty or impossible name is nobody: no file is ever made for it.
    if (!IsSafeProfileName(Game->ProfileName)) {
        Game->CurrentProfile.reset();
        return;
    }
    Game->CurrentProfile = CreateProfileWithProgress(Game->ProfileName);
    Game->CurrentProfile->Load();
}

void SelectProfile(const std::string& name) {
    Game->ProfileName = name;
    LoadCurrentProfile();
    Game->IniUpdate(1);
}

int ProfileNameFree(const std::string& name, std::string& message) {
    // Anything of that name in the folder, even one that cannot be read,
    // keeps the name taken.
    if (!HasFile(name)) {
        message.clear();
        return 1;
    }
    message = GameText ? GameText->FindString("Profile Exists") : std::string();
    return -1;
}

bool LoadRememberedProfile() {
    if (!Game->ProfileFolderInUse()) return false;
    const std::vector<std::string> names = ProfileNames();
    if (names.empty()) return false;
    if (IsSafeProfileName(Game->ProfileName) && HasFile(Game->ProfileName)) {
        LoadCurrentProfile();
    } else {
        SelectProfile(names.front());
    }
    return true;
}
