// The single running copy: an advisory lock file, and beside it a local
// socket on which the running copy hears from later ones.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "engine/platform/Platform.h"

namespace {

int g_lockFd = -1;
int g_listenFd = -1;
std::string g_socketPath;

std::string SocketPath(const std::string& name, const std::string& fallbackFolder) {
    return SingleInstanceFolder(fallbackFolder) + "/" + name + ".sock";
}

// False when the path does not fit a socket address (a very deep fallback
// folder): the copies then simply do not talk.
bool FillAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// Only the holder of the lock gets here, so a socket file left by a copy
// that crashed is stale and can go.
void StartListening(const std::string& path) {
    sockaddr_un address;
    if (!FillAddress(path, address)) return;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return;
    ::unlink(path.c_str());
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 4) != 0) {
        ::close(fd);
        return;
    }
    g_listenFd = fd;
    g_socketPath = path;
}

}  // namespace

std::string SingleInstanceFolder(const std::string& fallbackFolder) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    // The base-directory rules ignore relative values.
    if (runtime && runtime[0] == '/') {
        std::string folder = runtime;
        while (folder.size() > 1 && folder.back() == '/')
            folder.pop_back();
        return folder;
    }
    return fallbackFolder;
}

bool AcquireSingleInstance(const std::string& name, const std::string& fallbackFolder) {
    if (g_lockFd >= 0) return true;
    const std::string folder = SingleInstanceFolder(fallbackFolder);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::string path = folder + "/" + name + ".lock";
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Without a lock file we cannot tell; running is better than refusing.
    if (fd < 0) return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    g_lockFd = fd;
    StartListening(SocketPath(name, fallbackFolder));
    return true;
}

void ReleaseSingleInstance() {
    if (g_listenFd >= 0) {
        ::close(g_listenFd);
        ::unlink(g_socketPath.c_str());
        g_listenFd = -1;
        g_socketPath.clear();
    }
    if (g_lockFd < 0) return;
    ::flock(g_lockFd, LOCK_UN);
    ::close(g_lockFd);
    g_lockFd = -1;
}

bool AskRunningCopyToShow(const std::string& name, const std::string& fallbackFolder) {
    sockaddr_un address;
    if (!FillAddress(SocketPath(name, fallbackFolder), address)) return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    // A copy too busy to take more connections is not waited for.
    const bool connected =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    const char request[] = "show\n";
    const bool sent = connected && ::send(fd, request, sizeof request - 1, MSG_NOSIGNAL) ==
                                       static_cast<ssize_t>(sizeof request - 1);
    ::close(fd);
    return sent;
}

bool ShowRequested() {
    if (g_listenFd < 0) return false;
    bool requested = false;
    while (true) {
        const int fd = ::accept4(g_listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR) continue;
            break;
        }
        // Every connection is a request; what it says is not needed.
        char buffer[16];
        [[maybe_unused]] const ssize_t ignored = ::recv(fd, buffer, sizeof buffer, 0);
        ::close(fd);
        requested = true;
    }
    return requested;
}
