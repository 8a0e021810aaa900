// The whole game at play, headless: logic steps per second of the headless
// player, frames per second of the level play screen on the software
// renderer, and the pixels it draws per frame.
#include <benchmark/benchmark.h>

#include <string>

#include "autoplay/AutoPlayer.h"
#include "engine/Graphics.h"
#include "frame/Game.h"
#include "play/GameScreen.h"

namespace {

bool GameStarted() {
    static const bool started = [] {
        const std::string data = HOLLOWMERE_DATA_DIR;
        return StartHeadlessGame(data.substr(0, data.find_last_of('/') + 1));
    }();
    return started;
}

// Plays the level given as the benchmark's argument past its intro, until the
// board is full of gems in play; false (the benchmark skipped) when the game
// could not start.
bool LevelInPlay(benchmark::State& state) {
    if (!GameStarted()) {
        state.SkipWithError("the game did not start");
        return false;
    }
    AutoplayOptions options;
    options.maxSteps = 1500;
    options.slowStepMs = 1e9;
    AutoPlayer(options).PlayLevel(static_cast<int>(state.range(0)), 1, true);
    return true;
}

void BM_HeadlessPlayerLogicSteps(benchmark::State& state) {
    if (!GameStarted()) {
        state.SkipWithError("the game did not start");
        return;
    }
    AutoplayOptions options;
    options.maxSteps = 4000;
    options.slowStepMs = 1e9;
    AutoPlayer player(options);
    const int level = static_cast<int>(state.range(0));
    long steps = 0;
    uint32_t seed = 1;
    for (auto _ : state)
        steps += player.PlayLevel(level, seed++, false).steps;
    state.counters["logic_steps_per_second"] =
        benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_HeadlessPlayerLogicSteps)->Arg(5)->Arg(60)->Unit(benchmark::kMillisecond);

void BM_LevelScreenFrame(benchmark::State& state) {
    if (!LevelInPlay(state)) return;
    for (auto _ : state)
        Game->ScreenDraw();
    state.counters["frames_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LevelScreenFrame)->Arg(60)->Unit(benchmark::kMillisecond)->UseRealTime();

// Pixels the level play screen draws per frame, by how they are blended, with
// the board full of gems in play: what a renderer that draws pixel by pixel
// has to do each frame (the frame presented included).
void BM_LevelScreenPixelsPerFrame(benchmark::State& state) {
    if (!LevelInPlay(state)) return;
    ResetDrawnPixels();
    for (auto _ : state)
        Game->ScreenDraw();
    const DrawnPixels drawn = CountedPixels();
    const double frames = static_cast<double>(state.iterations());
    state.counters["solid_px"] = static_cast<double>(drawn.solid) / frames;
    state.counters["alpha_px"] = static_cast<double>(drawn.alpha) / frames;
    state.counters["light_px"] = static_cast<double>(drawn.light) / frames;
    state.counters["shade_px"] = static_cast<double>(drawn.shade) / frames;
    state.counters["blended_px"] =
        static_cast<double>(drawn.alpha + drawn.light + drawn.shade) / frames;
    state.counters["draws"] = static_cast<double>(drawn.draws) / frames;
}
BENCHMARK(BM_LevelScreenPixelsPerFrame)
    ->Arg(5)
    ->Arg(60)
    ->Iterations(100)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
