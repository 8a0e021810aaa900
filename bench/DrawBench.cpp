// Frames per second of a busy board on the software renderer: 2,000 rotated,
// scaled, alpha-blended 66 x 66 sprites into a 1024 x 768 frame.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

#include "bench/SoftwareGraphics.h"
#include "engine/Graphics.h"

namespace {

ImagePtr GemLikeImage() {
    PixmapPtr pixels = TPixmap::Create(66, 66, PixelFormat::RGBA8888);
    for (int y = 0; y < 66; ++y) {
        for (int x = 0; x < 66; ++x) {
            const float d = std::hypot(x - 32.5f, y - 32.5f) / 33.0f;
            const uint32_t alpha = d >= 1 ? 0 : static_cast<uint32_t>((1 - d * d) * 255);
            pixels->WritePixel(x, y, alpha << 24 | 0x30A0F0u);
        }
    }
    ImagePtr image = TImage::FromPixmap(pixels, FILTEREDIMAGE);
    image->MidHandle();
    return image;
}

void DrawSprites(benchmark::State& state, bool rotate) {
    if (!OpenSoftwareGraphics()) {
        state.SkipWithError("no video driver");
        return;
    }
    // The benchmarks that follow draw from the state this one found.
    const DrawStateGuard restore;
    ImagePtr image = GemLikeImage();
    const int sprites = static_cast<int>(state.range(0));
    int frame = 0;
    for (auto _ : state) {
        SetBlend(SOLIDBLEND);
        Cls();
        SetBlend(ALPHABLEND);
        SetAlpha(0.8f);
        for (int i = 0; i < sprites; ++i) {
            const float scale = 0.8f + 0.4f * ((i * 7 + frame) % 10) / 10.0f;
            SetTransform(rotate ? static_cast<float>((i * 13 + frame) % 360) : 0.0f, scale, scale);
            DrawImage(*image, static_cast<float>((i * 37) % 1024),
                      static_cast<float>((i * 53) % 768));
        }
        Flip(0);
        ++frame;
    }
    state.counters["frames_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
void BM_DrawRotatedScaledAlphaSprites(benchmark::State& state) {
    DrawSprites(state, true);
}
BENCHMARK(BM_DrawRotatedScaledAlphaSprites)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The common case on a board: gems scaled and faded but not turned.
void BM_DrawScaledAlphaSprites(benchmark::State& state) {
    DrawSprites(state, false);
}
BENCHMARK(BM_DrawScaledAlphaSprites)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
