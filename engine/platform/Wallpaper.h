// The desktop wallpaper: a picture file made the desktop's background by the
// desktop's own mechanism, chosen from XDG_CURRENT_DESKTOP (a list such as
// "ubuntu:GNOME", read entry by entry):
//   - GNOME, Budgie (and Unity, Pantheon): gsettings, org.gnome.desktop.background
//     picture-uri and picture-uri-dark (older versions lack the dark key);
//   - Cinnamon: gsettings, org.cinnamon.desktop.background picture-uri;
//   - MATE: gsettings, org.mate.background picture-filename;
//   - KDE Plasma: a script for its shell over D-Bus (qdbus, else dbus-send, to
//     org.kde.plasmashell evaluateScript) that sets the picture on every desktop;
//   - XFCE: xfconf-query, the last-image property of every monitor and workspace.
// Any other desktop is not supported.
//
// Threading: the game's one thread; the call blocks while the desktop's tool
// runs, never longer than the time limit per tool. Outputs: the desktop's
// settings, and a result that says what happened. Failure: a tool that is not
// installed means the desktop is not supported; a tool that fails, is killed
// by a signal or overruns the time limit (it is then killed) means the
// desktop refused. The picture file itself is never touched.
#pragma once

#include <string>
#include <vector>

struct WallpaperResult {
    enum Status {
        SET,            // the desktop took the picture
        NOT_SUPPORTED,  // no mechanism for this desktop, or its tool is missing
        REFUSED,        // the tool ran and failed
    };
    Status status = NOT_SUPPORTED;
    // What happened, in words for the log ("set through gsettings",
    // "xfconf-query failed (exit status 1)" ...).
    std::string message;
    bool Set() const { return status == SET; }
};

// The longest one desktop tool may run (milliseconds).
constexpr int WALLPAPER_TOOL_TIME_LIMIT_MS = 5000;

WallpaperResult SetDesktopWallpaper(const std::string& picturePath,
                                    int timeLimitMs = WALLPAPER_TOOL_TIME_LIMIT_MS);

// A program run without a shell (found on PATH), its standard input empty
// and its error output discarded.
struct ToolRun {
    enum Outcome {
        EXITED,     // it ended by itself; see exitStatus
        MISSING,    // no such program (or not executable)
        KILLED,     // ended by a signal
        TIMED_OUT,  // it overran the time limit and was killed
        NOT_RUN,    // the system could not start a process
    };
    Outcome outcome = NOT_RUN;
    int exitStatus = -1;
    std::string output;  // its standard output, when asked for
    bool Succeeded() const { return outcome == EXITED && exitStatus == 0; }
};
ToolRun RunTool(const std::vector<std::string>& arguments, int timeLimitMs, bool keepOutput);

// "file://" + the absolute path, every byte outside the unreserved set and
// "/" percent-encoded.
std::string FileUri(const std::string& absolutePath);
