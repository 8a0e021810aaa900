#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>

#include "engine/platform/Platform.h"

namespace {
int g_lockFd = -1;
}

bool AcquireSingleInstance(const std::string& name) {
    if (g_lockFd >= 0) return true;
    const std::string folder = UserDataFolder();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::string path = folder + "/" + name + ".lock";
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    // Without a lock file we cannot tell; running is better than refusing.
    if (fd < 0) return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    g_lockFd = fd;
    return true;
}

void ReleaseSingleInstance() {
    if (g_lockFd < 0) return;
    ::flock(g_lockFd, LOCK_UN);
    ::close(g_lockFd);
    g_lockFd = -1;
}
