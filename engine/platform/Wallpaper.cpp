#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/platform/Platform.h"

extern char** environ;

namespace {

// Runs a program with arguments (no shell, so no quoting of the path is
// needed) and reports whether it exited with status 0.
bool RunQuietly(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int started = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) return false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string CurrentDesktop() {
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    std::string name = desktop ? desktop : "";
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

bool SetDesktopWallpaper(const std::string& picturePath) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(picturePath, error);
    if (error || !std::filesystem::is_regular_file(absolute, error)) return false;
    const std::string uri = "file://" + absolute.string();
    const std::string desktop = CurrentDesktop();
    if (Contains(desktop, "CINNAMON")) {
        return RunQuietly(
            {"gsettings", "set", "org.cinnamon.desktop.background", "picture-uri", uri});
    }
    if (Contains(desktop, "MATE")) {
        return RunQuietly(
            {"gsettings", "set", "org.mate.background", "picture-filename", absolute.string()});
    }
    if (Contains(desktop, "GNOME") || Contains(desktop, "UNITY") || Contains(desktop, "BUDGIE") ||
        Contains(desktop, "PANTHEON")) {
        const bool light =
            RunQuietly({"gsettings", "set", "org.gnome.desktop.background", "picture-uri", uri});
        // Newer versions keep a second picture for the dark style; older ones
        // lack the key, which is no failure.
        RunQuietly({"gsettings", "set", "org.gnome.desktop.background", "picture-uri-dark", uri});
        return light;
    }
    return false;
}
