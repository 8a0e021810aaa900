// The current player: making a profile current, remembering it in the
// settings, the start-up choice of player, and the name check of the name
// entry. The profile object is Game->CurrentProfile; its progress record is
// the global SaveData.
//
// Single-threaded. Failures are those of the profile file (frame/Profile.h)
// and of the settings file (both fatal).
#pragma once

#include <string>

// The most players one computer keeps.
constexpr int MAX_PROFILES = 5;

// Makes Game->ProfileName's profile current: a new profile object (which
// resets the progress record), its hooks to the progress record, then its
// file loaded, or created when there is none.
void LoadCurrentProfile();
// Makes a player current and remembers the choice in the settings.
void SelectProfile(const std::string& name);
// 1 when no profile file has this name (message ""), else -1 with the game
// text "Profile Exists" as the message.
int ProfileNameFree(const std::string& name, std::string& message);
// Every new profile object resets the progress record (set at start-up).
void InstallProfileCreationHook();
// At start-up: the player the settings remember. When that name is empty,
// impossible or has no file while other players exist, the first listed
// player, and the settings remember them. False when there is no player at
// all (a name must be asked for).
bool LoadRememberedProfile();
