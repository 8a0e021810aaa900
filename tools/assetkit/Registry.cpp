#include "assetkit/Registry.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "manifest/Manifest.h"

namespace asset {

void Registry::Add(const std::string& path, Generator generator) {
    generators_[path] = std::move(generator);
}

namespace {

struct Options {
    std::string out;
    std::string only;
    int jobs = 2;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--out" && hasValue) {
            options.out = argv[++i];
        } else if (arg == "--only" && hasValue) {
            options.only = argv[++i];
        } else if (arg == "--jobs" && hasValue) {
            options.jobs = std::max(1, std::atoi(argv[++i]));
        } else {
            return false;
        }
    }
    return !options.out.empty();
}

}  // namespace

int RunGroup(int argc, char** argv, const std::string& group, void (*registerAll)(Registry&)) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s --out DATA_FOLDER [--only TEXT] [--jobs N]\n", argv[0]);
        return 2;
    }
    Registry registry;
    registerAll(registry);
    std::vector<const Entry*> work;
    bool consistent = true;
    for (const Entry& entry : Manifest()) {
        if (entry.group != group || entry.kind == Kind::Folder) continue;
        if (!registry.All().count(entry.path)) {
            std::fprintf(stderr, "%s: no generator for %s\n", group.c_str(), entry.path.c_str());
            consistent = false;
        }
        if (options.only.empty() || entry.path.find(options.only) != std::string::npos)
            work.push_back(&entry);
    }
    for (const auto& [path, generator] : registry.All()) {
        const Entry* entry = FindEntry(path);
        if (!entry || entry->group != group) {
            std::fprintf(stderr,
                         "%s: generator for %s, which is not in the manifest of this group\n",
                         group.c_str(), path.c_str());
            consistent = false;
        }
    }
    if (!consistent) return 1;

    std::atomic<size_t> next{0};
    std::atomic<int> written{0}, failed{0};
    std::mutex printLock;
    auto worker = [&] {
        for (size_t i = next++; i < work.size(); i = next++) {
            const Entry& entry = *work[i];
            try {
                const Bytes bytes = registry.All().at(entry.path)();
                bool changed = false;
                if (!WriteIfChanged(options.out + "/" + entry.path, bytes, &changed))
                    throw std::runtime_error("cannot write");
                if (changed) ++written;
            } catch (const std::exception& error) {
                std::lock_guard<std::mutex> guard(printLock);
                std::fprintf(stderr, "%s: %s failed: %s\n", group.c_str(), entry.path.c_str(),
                             error.what());
                ++failed;
            }
        }
    };
    std::vector<std::thread> threads;
    for (int j = 0; j < options.jobs; ++j)
        threads.emplace_back(worker);
    for (std::thread& thread : threads)
        thread.join();
    for (const Entry& entry : Manifest()) {
        if (entry.group == group && entry.kind == Kind::Folder) {
            std::error_code error;
            std::filesystem::create_directories(options.out + "/" + entry.path, error);
        }
    }
    std::printf("%s: %zu files, %d rewritten, %d failed\n", group.c_str(), work.size(),
                written.load(), failed.load());
    return failed ? 1 : 0;
}

}  // namespace asset
