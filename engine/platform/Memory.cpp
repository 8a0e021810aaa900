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

namespace {

// Blocks from this size up are mapped on their own while loading: pictures
// from 512 x 512 up (a screen background is 3 MiB). Each mapping's pages are
// faulted in afresh, so smaller blocks stay in the heap: at 128 KiB the
// loading took twice as long again for 1 MB less.
constexpr int kLoadingLargeBlockBytes = 1024 * 1024;
// Between loads: glibc's own ceiling for its moving threshold, and heap tops
// that are never cut back by themselves (the scopes trim instead).
constexpr int kFrameLargeBlockBytes = 32 * 1024 * 1024;
constexpr int kFrameTrimBytes = 256 * 1024 * 1024;

int g_loadingScopes = 0;

}  // namespace

void UseFrameHeap() {
    mallopt(M_TRIM_THRESHOLD, kFrameTrimBytes);
    mallopt(M_MMAP_THRESHOLD, kFrameLargeBlockBytes);
}

LoadingHeapScope::LoadingHeapScope() {
    if (g_loadingScopes++ == 0) mallopt(M_MMAP_THRESHOLD, kLoadingLargeBlockBytes);
}

LoadingHeapScope::~LoadingHeapScope() {
    if (--g_loadingScopes > 0) return;
    mallopt(M_MMAP_THRESHOLD, kFrameLargeBlockBytes);
    malloc_trim(0);
}
