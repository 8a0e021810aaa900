#include <SDL.h>
#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/platform/Platform.h"

namespace {

bool IsAbsolute(const char* path) {
    return path && path[0] == '/';
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (IsAbsolute(home)) return home;
    if (const passwd* entry = getpwuid(getuid())) {
        if (IsAbsolute(entry->pw_dir)) return entry->pw_dir;
    }
    return "/tmp";
}

}  // namespace

std::string UserDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    // The base-directory rules ignore relative values.
    if (IsAbsolute(xdg)) {
        std::string folder = xdg;
        while (folder.size() > 1 && folder.back() == '/')
            folder.pop_back();
        return folder;
    }
    return HomeFolder() + "/.local/share";
}

DesktopInfo GetDesktopInfo() {
    DesktopInfo info;
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return info;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        info.width = mode.w;
        info.height = mode.h;
        if (mode.refresh_rate > 0) info.refreshRate = mode.refresh_rate;
    }
    return info;
}

bool HeadlessVideo() {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

namespace {
// A driver that draws into memory has no desktop to put a box on.
bool InvisibleVideo() {
    const char* driver = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetCurrentVideoDriver() : nullptr;
    return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}
}  // namespace

void ShowSystemMessageBox(const std::string& title, const std::string& message, bool error) {
    if (!HeadlessVideo() && !InvisibleVideo()) {
        const Uint32 flags = error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
        if (SDL_ShowSimpleMessageBox(flags, title.c_str(), message.c_str(), nullptr) == 0) return;
    }
    // The message alone, so that it reads first on the line.
    std::fprintf(stderr, "%s\n", message.c_str());
}

std::string OperatingSystemName() {
    utsname names{};
    if (uname(&names) != 0) return "Linux";
    return std::string(names.sysname) + " " + names.release;
}

void SetProcessPriority(int) {}
void SetThreadPriority(int) {}
