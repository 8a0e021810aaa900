// Particles at their busiest on the software renderer: 2,000 live particles
// (the game's own sparkles, sparks and chunks; additive and alpha-blended,
// tinted, turning, fading, falling) moved and drawn into a 1024 x 768 frame
// each iteration, dying ones replaced as the effects would. Reports frames
// per second, the time per particle and what the steady state allocates:
// every operator new of this program (none allowed), and every malloc of the
// process, the renderer's included (reported).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "engine/Graphics.h"
#include "engine/Random.h"
#include "frame/Globals.h"
#include "media/Color.h"
#include "media/GameImage.h"
#include "media/Particles.h"

namespace {
std::atomic<long> g_allocations{0};
std::atomic<long> g_mallocs{0};
}  // namespace

#ifdef __GLIBC__
// Every malloc of the process, the libraries' own included (the renderer's),
// counted on its way to the C library's allocator.
extern "C" void* __libc_malloc(std::size_t size);
extern "C" void* __libc_calloc(std::size_t count, std::size_t size);
extern "C" void* __libc_realloc(void* memory, std::size_t size);
extern "C" void* malloc(std::size_t size) {
    g_mallocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}
extern "C" void* calloc(std::size_t count, std::size_t size) {
    g_mallocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}
extern "C" void* realloc(void* memory, std::size_t size) {
    g_mallocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(memory, size);
}
#endif

// The replacements below pair malloc with free; the compiler, seeing them
// inlined, would take the free for one of the standard operator new's memory.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {

constexpr int kLiveParticles = 2000;

bool OpenSoftwareGraphics() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (GraphicsOpen()) return true;
    SetRenderer(RendererKind::Software);
    return InitVideo() && Graphics(1024, 768, 0, 60);
}

struct Pictures {
    std::vector<TGameImagePtr> additive, blended;
    std::vector<TColorPtr> tints;
};

bool LoadPictures(Pictures& pictures) {
    const std::string folder = std::string(HOLLOWMERE_DATA_DIR) + "/graphics/Particles/";
    auto load = [&](const char* file) -> TGameImagePtr {
        ImagePtr image = TImage::Load(folder + file);
        return image ? TGameImage::CreateFromImage(image, file, 1) : nullptr;
    };
    for (const char* file : {"Clausparkle.png", "sparkle.png", "sparklegold.png", "RedBall.png"})
        pictures.additive.push_back(load(file));
    for (const char* file : {"pumpkinchunklarge1.png", "stonechunkmedium2.png", "dust3.png"})
        pictures.blended.push_back(load(file));
    for (const TGameImagePtr& image : pictures.additive)
        if (!image) return false;
    for (const TGameImagePtr& image : pictures.blended)
        if (!image) return false;
    const int rgb[7][3] = {{255, 59, 9},   {255, 174, 8},  {252, 215, 13}, {76, 222, 4},
                           {15, 227, 255}, {66, 132, 255}, {154, 118, 255}};
    for (const auto& colour : rgb)
        pictures.tints.push_back(TColor::Create(colour[0], colour[1], colour[2]));
    return true;
}

// One particle as a gem burst, a spark or a rock chunk makes it, somewhere
// over the board, part way through its one-second life.
void Spawn(TParticleList& list, const Pictures& pictures) {
    const int x = RandInt(150, 1000), y = RandInt(40, 720);
    const float dx = static_cast<float>(Rnd(-1, 1)), dy = static_cast<float>(Rnd(-1, 0));
    const int spin = RandInt(0, 1) ? 1 : -1;
    TParticlePtr p;
    if (RandInt(0, 3) > 0) {
        const TGameImagePtr& image = pictures.additive[RandInt(0, 3)];
        p = list.AddNew(x, y, image, dx, dy, 0.02f, 1000, 1, spin, static_cast<float>(Rnd(0.5, 3)),
                        static_cast<float>(Rnd(0.5, 1.5)), 0, 0, 0);
        p->Color = pictures.tints[RandInt(0, 6)];
    } else {
        const TGameImagePtr& image = pictures.blended[RandInt(0, 2)];
        p = list.AddNew(x, y, image, dx, dy, 0.01f, 1000, 0, spin, static_cast<float>(Rnd(0.5, 3)),
                        1, 0, 0, 0);
    }
    p->FadeCounter = static_cast<float>(RandInt(1, static_cast<int>(p->FadeLength)));
}

void BM_ParticlesManagedAndDrawn(benchmark::State& state) {
    if (!OpenSoftwareGraphics()) {
        state.SkipWithError("no video driver");
        return;
    }
    Pictures pictures;
    if (!LoadPictures(pictures)) {
        state.SkipWithError("the particle pictures are missing from the data folder");
        return;
    }
    const DrawStateGuard restore;
    const float savedDelta = Delta;
    Delta = 1.0f;
    TParticleList list;
    auto frame = [&] {
        list.Move();
        while (list.Count() < kLiveParticles)
            Spawn(list, pictures);
        SetBlend(SOLIDBLEND);
        Cls();
        SetBlend(ALPHABLEND);
        list.Draw();
        Flip(0);
    };
    // Long enough for every particle to have died and come back from the pool.
    for (int i = 0; i < 400; ++i)
        frame();
    const long allocationsBefore = g_allocations.load(), mallocsBefore = g_mallocs.load();
    for (auto _ : state)
        frame();
    const long allocations = g_allocations.load() - allocationsBefore;
    const long mallocs = g_mallocs.load() - mallocsBefore;
    Delta = savedDelta;
    list.Clear();

    const double frames = static_cast<double>(state.iterations());
    state.counters["frames_per_second"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["time_per_particle"] = benchmark::Counter(
        frames * kLiveParticles, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["allocations_per_frame"] = benchmark::Counter(allocations / frames);
    // The renderer's own: the software renderer's scaled copies take memory
    // of their own, which this program does not control.
    state.counters["process_mallocs_per_frame"] = benchmark::Counter(mallocs / frames);
    if (allocations != 0) state.SkipWithError("the steady state allocated memory");
}
BENCHMARK(BM_ParticlesManagedAndDrawn)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same particles moved without drawing: the logic's share.
void BM_ParticlesManagedOnly(benchmark::State& state) {
    Pictures pictures;
    if (!LoadPictures(pictures)) {
        state.SkipWithError("the particle pictures are missing from the data folder");
        return;
    }
    const float savedDelta = Delta;
    Delta = 1.0f;
    TParticleList list;
    for (int i = 0; i < 400; ++i) {
        list.Move();
        while (list.Count() < kLiveParticles)
            Spawn(list, pictures);
    }
    for (auto _ : state) {
        list.Move();
        while (list.Count() < kLiveParticles)
            Spawn(list, pictures);
    }
    Delta = savedDelta;
    list.Clear();
    state.counters["time_per_particle"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kLiveParticles,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ParticlesManagedOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
