#include <malloc.h>
#include <sys/sysinfo.h>

#include <fstream>
#include <sstream>
#include <string>

#include "engine/platform/Platform.h"

namespace {

// A "Name:   12345 kB" line of /proc/meminfo, in bytes; 0 when absent.
uint64_t MeminfoBytes(const std::string& name) {
    std::ifstream meminfo("/proc/meminfo");
    std::string line;
    while (std::getline(meminfo, line)) {
        if (line.compare(0, name.size() + 1, name + ":") != 0) continue;
        std::istringstream fields(line.substr(name.size() + 1));
        uint64_t kilobytes = 0;
        fields >> kilobytes;
        return kilobytes * 1024;
    }
    return 0;
}

}  // namespace

MemoryStatus GetMemoryStatus() {
    MemoryStatus status{MeminfoBytes("MemTotal"), MeminfoBytes("MemAvailable")};
    if (status.totalPhysical > 0 && status.availablePhysical <= status.totalPhysical) return status;
    // Kernels without MemAvailable (or no /proc): free RAM is the best guess.
    struct sysinfo info {};
    if (sysinfo(&info) != 0) return MemoryStatus{0, 0};
    const uint64_t unit = info.mem_unit ? info.mem_unit : 1;
    return MemoryStatus{info.totalram * unit, info.freeram * unit};
}

size_t HeapBytesInUse() {
    return mallinfo2().uordblks;
}
