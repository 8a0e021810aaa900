// Replays inputs through one fuzz target without the fuzzer: every file named
// on the command line, and every file under every folder named, in name
// order (names starting with a dot are left out). The ordinary test run uses it for the seed files
// and for the inputs that once crashed a target (regressions/<target>/).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

namespace {

void Replay(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path given = argv[i];
        std::vector<fs::path> files;
        if (fs::is_directory(given)) {
            for (const auto& entry : fs::recursive_directory_iterator(given))
                if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
                    files.push_back(entry.path());
        } else if (fs::is_regular_file(given)) {
            files.push_back(given);
        } else {
            std::fprintf(stderr, "no such input: %s\n", argv[i]);
            return 2;
        }
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            Replay(file);
            ++replayed;
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    return 0;
}
