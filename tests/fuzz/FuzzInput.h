// What the fuzz targets share: the input as a file the game can open by
// name (an in-memory file, so the disk is not worn), and fatal errors turned
// into an exception, as the game would show their message and end there.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "frame/ErrorReport.h"
#include "frame/Globals.h"

class MemoryFile {
  public:
    MemoryFile(const uint8_t* data, size_t size) : fd_(memfd_create("fuzz-input", MFD_CLOEXEC)) {
        if (fd_ >= 0 && size > 0 && write(fd_, data, size) != static_cast<ssize_t>(size)) {
            close(fd_);
            fd_ = -1;
        }
    }
    ~MemoryFile() {
        if (fd_ >= 0) close(fd_);
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    bool Ready() const { return fd_ >= 0; }
    std::string Path() const { return "/proc/self/fd/" + std::to_string(fd_); }

  private:
    int fd_;
};

struct FatalErrorRaised : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Fatal errors throw FatalErrorRaised, show no box and write no log.
inline void ThrowFatalErrors() {
    FatalErrorHook = [](const std::string& message) { throw FatalErrorRaised(message); };
    FatalErrorShowsBox = false;
    ErrorLogEnabled = 0;
}
