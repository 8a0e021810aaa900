// What a screen's start costs when it reads its pictures again: a 1024 x 768
// background, and every picture in the shop's item and list folders, each
// decoded and made a texture of the software renderer.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/SoftwareGraphics.h"
#include "engine/Graphics.h"
#include "engine/Image.h"

namespace {

std::string GraphicsDir() {
    return std::string(HOLLOWMERE_DATA_DIR) + "/graphics/";
}

void LoadPictures(benchmark::State& state, const std::vector<std::string>& paths) {
    if (!OpenSoftwareGraphics()) {
        state.SkipWithError("no video driver");
        return;
    }
    for (auto _ : state) {
        for (const std::string& path : paths) {
            ImagePtr image = TImage::Load(path);
            if (!image) {
                state.SkipWithError(("cannot read " + path).c_str());
                return;
            }
            image->PrepareAllFrames();
            benchmark::DoNotOptimize(image.get());
        }
    }
}

void BM_LoadBackground(benchmark::State& state) {
    LoadPictures(state, {GraphicsDir() + "Backgrounds/MapBackground.jpg"});
}
BENCHMARK(BM_LoadBackground)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadShopPictures(benchmark::State& state) {
    std::vector<std::string> paths;
    for (const char* folder : {"ShopScreen/items", "ShopScreen/saleImages"}) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(GraphicsDir() + folder, error))
            paths.push_back(entry.path().string());
    }
    LoadPictures(state, paths);
    state.counters["pictures"] = static_cast<double>(paths.size());
}
BENCHMARK(BM_LoadShopPictures)->Unit(benchmark::kMillisecond)->UseRealTime();

// The lost level's big-text font picture, read as the board starts to shake.
void BM_LoadBigTextPicture(benchmark::State& state) {
    LoadPictures(state, {std::string(HOLLOWMERE_DATA_DIR) + "/fonts/BigText.png"});
}
BENCHMARK(BM_LoadBigTextPicture)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
