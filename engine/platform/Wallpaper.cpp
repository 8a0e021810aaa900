// The desktop wallpaper: which desktop runs, the tool each one is asked
// through, and running such a tool without a shell under a time limit.
#include "engine/platform/Wallpaper.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>

// ---------------------------------------------------------------- running a tool

namespace {

class Fd {
  public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return fd_; }
    void Reset(int fd = -1) {
        if (fd_ >= 0) close(fd_);
        fd_ = fd;
    }
    void Close() { Reset(); }

  private:
    int fd_;
};

struct Pipe {
    Fd read, write;
    bool Open() {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0) return false;
        read.Reset(ends[0]);
        write.Reset(ends[1]);
        return true;
    }
};

using SteadyClock = std::chrono::steady_clock;

int MillisecondsUntil(SteadyClock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// In the child, between fork and exec: only calls that are safe there.
[[noreturn]] void BecomeTool(char* const* argv, int input, int output, int errorReport) {
    setpgid(0, 0);  // its own group, so a timed-out tool goes with its children
    dup2(input, STDIN_FILENO);
    dup2(output, STDOUT_FILENO);
    dup2(input, STDERR_FILENO);
    execvp(argv[0], argv);
    const int error = errno;
    // The parent learns why exec failed; nothing else can be done here.
    if (write(errorReport, &error, sizeof error) < 0) _exit(127);
    _exit(127);
}

void ReadAvailable(int fd, std::string& into, bool& open) {
    char buffer[4096];
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got > 0) {
        into.append(buffer, static_cast<size_t>(got));
    } else if (got == 0 || (errno != EINTR && errno != EAGAIN)) {
        open = false;
    }
}

}  // namespace

ToolRun RunTool(const std::vector<std::string>& arguments, int timeLimitMs, bool keepOutput) {
    ToolRun run;
    if (arguments.empty()) return run;
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    Pipe errors, output;
    Fd nothing(open("/dev/null", O_RDWR | O_CLOEXEC));
    if (nothing.Get() < 0 || !errors.Open() || (keepOutput && !output.Open())) return run;
    const pid_t pid = fork();
    if (pid < 0) return run;
    if (pid == 0) {
        BecomeTool(argv.data(), nothing.Get(), keepOutput ? output.write.Get() : nothing.Get(),
                   errors.write.Get());
    }
    errors.write.Close();
    output.write.Close();

    // The report pipe closes on a successful exec, or brings exec's error.
    int execError = 0;
    ssize_t got;
    do {
        got = read(errors.read.Get(), &execError, sizeof execError);
    } while (got < 0 && errno == EINTR);
    if (got == static_cast<ssize_t>(sizeof execError)) {
        int ignored = 0;
        waitpid(pid, &ignored, 0);
        const bool missing = execError == ENOENT || execError == EACCES || execError == ENOTDIR;
        run.outcome = missing ? ToolRun::MISSING : ToolRun::NOT_RUN;
        return run;
    }

    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeLimitMs);
    bool outputOpen = keepOutput;
    int status = 0;
    for (;;) {
        const pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == pid) break;
        if (ended < 0 && errno != EINTR) {
            run.outcome = ToolRun::NOT_RUN;
            return run;
        }
        if (MillisecondsUntil(deadline) == 0) {
            kill(-pid, SIGKILL);
            kill(pid, SIGKILL);
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            run.outcome = ToolRun::TIMED_OUT;
            return run;
        }
        // Wait for output or a little while, whichever comes first.
        pollfd watch{outputOpen ? output.read.Get() : -1, POLLIN, 0};
        const int ready = poll(&watch, 1, std::min(MillisecondsUntil(deadline), 10));
        if (ready > 0 && outputOpen) ReadAvailable(output.read.Get(), run.output, outputOpen);
    }
    // What it wrote just before it ended.
    if (outputOpen) {
        fcntl(output.read.Get(), F_SETFL, O_NONBLOCK);
        while (outputOpen)
            ReadAvailable(output.read.Get(), run.output, outputOpen);
    }
    if (WIFEXITED(status)) {
        run.outcome = ToolRun::EXITED;
        run.exitStatus = WEXITSTATUS(status);
    } else {
        run.outcome = ToolRun::KILLED;
    }
    return run;
}

// ---------------------------------------------------------------- the desktops

std::string FileUri(const std::string& absolutePath) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (const unsigned char c : absolutePath) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 15];
        }
    }
    return uri;
}

namespace {

enum class Desktop { GNOME, CINNAMON, MATE, KDE, XFCE, OTHER };

struct DesktopName {
    const char* name;  // an entry of XDG_CURRENT_DESKTOP, upper case
    Desktop desktop;
};

constexpr DesktopName kDesktops[] = {
    {"GNOME", Desktop::GNOME},
    {"GNOME-CLASSIC", Desktop::GNOME},
    {"GNOME-FLASHBACK", Desktop::GNOME},
    {"BUDGIE", Desktop::GNOME},
    {"UNITY", Desktop::GNOME},
    {"PANTHEON", Desktop::GNOME},
    {"CINNAMON", Desktop::CINNAMON},
    {"X-CINNAMON", Desktop::CINNAMON},
    {"MATE", Desktop::MATE},
    {"KDE", Desktop::KDE},
    {"XFCE", Desktop::XFCE},
};

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The first entry of the colon-separated list that names a known desktop.
Desktop CurrentDesktop(std::string& listed) {
    const char* variable = std::getenv("XDG_CURRENT_DESKTOP");
    listed = variable ? variable : "";
    std::istringstream entries(Upper(listed));
    std::string entry;
    while (std::getline(entries, entry, ':')) {
        for (const DesktopName& known : kDesktops) {
            if (entry == known.name) return known.desktop;
        }
    }
    return Desktop::OTHER;
}

std::string HowItWent(const std::string& tool, const ToolRun& run) {
    switch (run.outcome) {
        case ToolRun::EXITED:
            return tool + " failed (exit status " + std::to_string(run.exitStatus) + ")";
        case ToolRun::MISSING:
            return tool + " is not installed";
        case ToolRun::KILLED:
            return tool + " was killed";
        case ToolRun::TIMED_OUT:
            return tool + " did not answer in time";
        case ToolRun::NOT_RUN:
            break;
    }
    return tool + " could not be started";
}

WallpaperResult Outcome(WallpaperResult::Status status, std::string message) {
    WallpaperResult result;
    result.status = status;
    result.message = std::move(message);
    return result;
}

// The result of a run that did not succeed.
WallpaperResult Failure(const std::string& tool, const ToolRun& run) {
    return Outcome(
        run.outcome == ToolRun::MISSING ? WallpaperResult::NOT_SUPPORTED : WallpaperResult::REFUSED,
        HowItWent(tool, run));
}

// One run of a tool that decides the result alone.
WallpaperResult Ask(const std::vector<std::string>& arguments, int timeLimitMs) {
    const ToolRun run = RunTool(arguments, timeLimitMs, false);
    if (!run.Succeeded()) return Failure(arguments[0], run);
    return Outcome(WallpaperResult::SET, "set through " + arguments[0]);
}

WallpaperResult SetGnome(const std::string& uri, int timeLimitMs) {
    const char* const schema = "org.gnome.desktop.background";
    WallpaperResult result = Ask({"gsettings", "set", schema, "picture-uri", uri}, timeLimitMs);
    if (!result.Set()) return result;
    // The picture of the dark style; versions without that style lack the
    // key, which is no failure.
    RunTool({"gsettings", "set", schema, "picture-uri-dark", uri}, timeLimitMs, false);
    return result;
}

// The shell's script: every desktop shows the picture.
std::string PlasmaScript(const std::string& uri) {
    return "var all = desktops();"
           "for (var i = 0; i < all.length; i++) {"
           "var d = all[i];"
           "d.wallpaperPlugin = 'org.kde.image';"
           "d.currentConfigGroup = Array('Wallpaper', 'org.kde.image', 'General');"
           "d.writeConfig('Image', '" +
           uri + "');}";
}

WallpaperResult SetPlasma(const std::string& uri, int timeLimitMs) {
    const std::string script = PlasmaScript(uri);
    const ToolRun qdbus = RunTool({"qdbus", "org.kde.plasmashell", "/PlasmaShell",
                                   "org.kde.PlasmaShell.evaluateScript", script},
                                  timeLimitMs, false);
    if (qdbus.Succeeded()) return Outcome(WallpaperResult::SET, "set through qdbus");
    if (qdbus.outcome != ToolRun::MISSING) return Failure("qdbus", qdbus);
    return Ask(
        {"dbus-send", "--session", "--dest=org.kde.plasmashell", "--type=method_call",
         "--print-reply", "/PlasmaShell", "org.kde.PlasmaShell.evaluateScript", "string:" + script},
        timeLimitMs);
}

WallpaperResult SetXfce(const std::string& path, int timeLimitMs) {
    const ToolRun list = RunTool({"xfconf-query", "-c", "xfce4-desktop", "-l"}, timeLimitMs, true);
    if (!list.Succeeded()) return Failure("xfconf-query", list);
    std::istringstream lines(list.output);
    std::string property;
    const std::string lastImage = "/last-image";
    int monitors = 0;
    while (std::getline(lines, property)) {
        while (!property.empty() && std::isspace(static_cast<unsigned char>(property.back())))
            property.pop_back();
        if (property.size() < lastImage.size() ||
            property.compare(property.size() - lastImage.size(), lastImage.size(), lastImage) != 0)
            continue;
        const ToolRun set =
            RunTool({"xfconf-query", "-c", "xfce4-desktop", "-p", property, "-s", path},
                    timeLimitMs, false);
        if (!set.Succeeded()) return Failure("xfconf-query", set);
        ++monitors;
    }
    if (monitors == 0)
        return Outcome(WallpaperResult::REFUSED, "xfconf-query lists no monitor's picture");
    return Outcome(WallpaperResult::SET,
                   "set through xfconf-query on " + std::to_string(monitors) + " monitor(s)");
}

}  // namespace

WallpaperResult SetDesktopWallpaper(const std::string& picturePath, int timeLimitMs) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(picturePath, error);
    if (error || !std::filesystem::is_regular_file(absolute, error))
        return Outcome(WallpaperResult::REFUSED, "there is no picture at " + picturePath);
    const std::string path = absolute.string();
    const std::string uri = FileUri(path);
    std::string listed;
    switch (CurrentDesktop(listed)) {
        case Desktop::GNOME:
            return SetGnome(uri, timeLimitMs);
        case Desktop::CINNAMON:
            return Ask({"gsettings", "set", "org.cinnamon.desktop.background", "picture-uri", uri},
                       timeLimitMs);
        case Desktop::MATE:
            return Ask({"gsettings", "set", "org.mate.background", "picture-filename", path},
                       timeLimitMs);
        case Desktop::KDE:
            return SetPlasma(uri, timeLimitMs);
        case Desktop::XFCE:
            return SetXfce(path, timeLimitMs);
        case Desktop::OTHER:
            break;
    }
    return Outcome(WallpaperResult::NOT_SUPPORTED,
                   "setting the wallpaper is not supported on the desktop \"" + listed + "\"");
}
