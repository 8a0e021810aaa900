// Small replacements for the operating-system services the game uses.
#pragma once

#include <string>

// Single running copy: takes an advisory lock on `name` + ".lock" in the
// session's runtime folder (SingleInstanceFolder). False when another copy
// holds it. The lock is held until the process ends (or
// ReleaseSingleInstance). The holder also listens, without blocking, on a
// local socket beside it (`name` + ".sock") for later copies; a file system
// without sockets only loses that.
bool AcquireSingleInstance(const std::string& name, const std::string& fallbackFolder);
void ReleaseSingleInstance();
// $XDG_RUNTIME_DIR, or `fallbackFolder` when it is not set (or relative).
std::string SingleInstanceFolder(const std::string& fallbackFolder);
// A copy refused the lock asks the running one to show its window; false
// when none answered (then it just ends).
bool AskRunningCopyToShow(const std::string& name, const std::string& fallbackFolder);
// The running copy, once per frame: whether another copy asked it to show its
// window since the last call. Never blocks.
bool ShowRequested();

// The per-user application-data folder: $XDG_DATA_HOME, or ~/.local/share.
// No trailing slash.
std::string UserDataFolder();

struct DesktopInfo {
    int width = 1024;
    int height = 768;
    int refreshRate = 60;
};
// The main display's desktop mode (needs the video subsystem; a safe default
// without one).
DesktopInfo GetDesktopInfo();

// SDL_VIDEODRIVER asks for one of the headless video drivers (the tests do):
// nothing is seen, so nothing may wait for a click (message boxes print to
// the error output instead).
bool HeadlessVideo();
// A system message box (SDL's), or the message alone on standard error when
// there is no display to show it on.
void ShowSystemMessageBox(const std::string& title, const std::string& message, bool error = true);

// "Linux " + kernel release, or the system name uname reports.
std::string OperatingSystemName();

// Process and thread priorities: accepted and ignored here.
void SetProcessPriority(int priorityClass);
void SetThreadPriority(int priority);

// The desktop wallpaper: engine/platform/Wallpaper.h.

#include <cstddef>
#include <cstdint>

// Physical memory of the machine, in bytes.
struct MemoryStatus {
    uint64_t totalPhysical, availablePhysical;
};
MemoryStatus GetMemoryStatus();
// Bytes the program's heap holds in live allocations.
size_t HeapBytesInUse();
// How the heap treats large blocks (pictures, textures, sound buffers).
// While a LoadingHeapScope lives (the game or a screen loading), each is
// mapped on its own and goes back to the system the moment it is freed, so a
// decoded copy let go after its upload, or the last screen's pictures, add
// nothing to the peak; when the outermost scope ends, the heap's free pages
// go back too (a few milliseconds: loads sit behind a fade). Outside one,
// large blocks come from the heap and freed memory stays for reuse: the GL
// driver takes and frees a frame-sized buffer every frame, and mapping that
// anew each time costs far more than it saves. Main thread only; scopes nest.
void UseFrameHeap();  // once at start-up
class LoadingHeapScope {
  public:
    LoadingHeapScope();
    ~LoadingHeapScope();
    LoadingHeapScope(const LoadingHeapScope&) = delete;
    LoadingHeapScope& operator=(const LoadingHeapScope&) = delete;
};
