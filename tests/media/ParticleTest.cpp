// Particles on their own and in lists: how each way of ending a life ends it,
// fades and phases step by step, lists walked while particles leave and join,
// the pool particles come back to, and the batched drawing against drawing
// each particle alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "engine/Graphics.h"
#include "frame/Globals.h"
#include "frame/Timing.h"
#include "media/GameImage.h"
#include "media/Particles.h"
#include "support/FrameFixture.h"

namespace {

class ParticleTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        Game->FixedRateLogic->SetDelta(1.0f);
    }
    void TearDown() override {
        list_.Clear();
        FrameTest::TearDown();
    }
    // A still particle at the screen's centre, picture-less unless given one.
    TParticlePtr Add(float fadeMs = 0, int lifeMs = 0, const TGameImagePtr& image = nullptr) {
        return list_.AddNew(512, 384, image, 0, 0, 0, fadeMs, 0, 0, 0, 1, 0, lifeMs, 0);
    }
    // Steps the list until the particle has left it; the steps it took, or
    // -1 when it was still there after `limit`.
    int StepsToLeave(const TParticlePtr& particle, int limit = 2000) {
        for (int step = 1; step <= limit; ++step) {
            list_.Move();
            if (particle->Particles != &list_) return step;
        }
        return -1;
    }
    TParticleList list_;
};

TEST_F(ParticleTest, EveryWayOfEndingALifeEndsItOnTime) {
    // 5 ms a step: 800 ms are 160 steps.
    TParticlePtr fading = Add(800);
    EXPECT_FLOAT_EQ(fading->ShownAlpha(), 1.0f) << "a fade starts at full alpha";
    for (int i = 0; i < 80; ++i)
        list_.Move();
    EXPECT_NEAR(fading->ShownAlpha(), 0.5f, 0.01f);
    EXPECT_EQ(StepsToLeave(fading), 80) << "gone when the fade reaches 0";
    EXPECT_EQ(fading->Alpha, 0);
    EXPECT_EQ(fading->active, 0);

    TParticlePtr kept = Add(0);
    kept->Alpha = 0.7f;
    for (int i = 0; i < 1000; ++i)
        list_.Move();
    EXPECT_EQ(kept->Particles, &list_) << "no fade, no phases, no life: it stays";
    EXPECT_FLOAT_EQ(kept->ShownAlpha(), 0.7f) << "and keeps its alpha";
    list_.Clear();

    TParticlePtr shortLived = Add(0, 100);
    EXPECT_EQ(StepsToLeave(shortLived), 20) << "a life of 100 ms";

    TParticlePtr shrinking = Add();
    shrinking->DoScale = 1;
    shrinking->ScaleXSpeed = shrinking->ScaleYSpeed = -0.1f;
    EXPECT_EQ(StepsToLeave(shrinking), 10) << "scale 1 shrinking by 0.1 a step";

    TParticlePtr leaving = Add();
    leaving->dx = 100;
    EXPECT_EQ(StepsToLeave(leaving), 6) << "wholly off the screen";
    TParticlePtr allowedOut = Add();
    allowedOut->dx = 100;
    allowedOut->NoOutOfBounds = 1;
    EXPECT_EQ(StepsToLeave(allowedOut, 50), -1);

    TParticlePtr kept2 = Add(800);
    kept2->KillOnFade = 0;
    EXPECT_EQ(StepsToLeave(kept2, 400), -1) << "a fade without KillOnFade only hides it";
    EXPECT_EQ(kept2->Alpha, 0);
}

TEST_F(ParticleTest, FadeInHoldAndFadeOutRunInTurn) {
    TParticlePtr ring = Add();
    ring->SetFade(50, 150, 200, 1.0f);  // 10, 30 and 40 steps
    EXPECT_EQ(ring->ShownAlpha(), 0);
    std::vector<float> shown;
    int steps = 0;
    while (ring->Particles == &list_ && steps < 200) {
        list_.Move();
        ++steps;
        shown.push_back(ring->ShownAlpha());
    }
    EXPECT_EQ(steps, 80);
    EXPECT_NEAR(shown[4], 0.5f, 0.01f) << "halfway into the fade-in";
    EXPECT_FLOAT_EQ(shown[9], 1.0f) << "the fade-in ends at full alpha";
    EXPECT_FLOAT_EQ(shown[25], 1.0f) << "held";
    EXPECT_FLOAT_EQ(shown[39], 1.0f);
    EXPECT_NEAR(shown[59], 0.5f, 0.01f) << "halfway out";
}

TEST_F(ParticleTest, PhasesApplyInTurnAndTheLastOneEndsTheParticle) {
    static int ended;
    ended = 0;
    TParticlePtr particle = Add(5000);  // a fade far longer than its phases
    TParticlePhase& moving = particle->AddPhase(100);
    moving.dx = 2;
    moving.SetAngle = 1;
    moving.Angle = 45;
    moving.UserFunction = [](TParticle&) { ++ended; };
    TParticlePhase& jumping = particle->AddPhase(50);
    jumping.SetCoords = 1;
    jumping.SetX = 10;
    jumping.SetY = 20;
    jumping.Alpha = 0.25f;
    jumping.DoScale2 = 1;
    jumping.ScaleX = 3;
    jumping.ScaleY = 1;  // both are set when either is given
    jumping.ScaleXSpeed = 0.5f;
    particle->StartPhases();
    EXPECT_EQ(particle->Rotation, 45);
    for (int i = 0; i < 19; ++i)
        list_.Move();
    EXPECT_FLOAT_EQ(particle->x, 512 + 2 * 19);
    EXPECT_EQ(ended, 0);
    list_.Move();
    EXPECT_EQ(ended, 1) << "the first phase's function runs when it ends";
    EXPECT_EQ(particle->dx, 0);
    EXPECT_FLOAT_EQ(particle->x, 10) << "the second phase jumps";
    EXPECT_FLOAT_EQ(particle->ScaleX, 3.5f) << "and scales from its own start";
    EXPECT_FLOAT_EQ(particle->Alpha, 0.25f);
    EXPECT_EQ(StepsToLeave(particle), 10) << "the last phase ends it, fade or not";

    // Dying of its fade inside a phase runs that phase's function too.
    ended = 0;
    TParticlePtr fadingOut = Add();
    TParticlePhase& only = fadingOut->AddPhase(1000);
    only.FadeMS = 100;
    only.UserFunction = [](TParticle&) { ++ended; };
    fadingOut->StartPhases();
    EXPECT_EQ(StepsToLeave(fadingOut), 20);
    EXPECT_EQ(ended, 1);
}

TEST_F(ParticleTest, ADelayHidesTheParticleThenStartsItsPhases) {
    static int started;
    started = 0;
    TParticlePtr particle = Add();
    TParticlePhase& phase = particle->AddPhase(100);
    phase.dy = 1;
    particle->SetDelay(50);
    particle->DelayFinished = [](TParticle&) { ++started; };
    for (int i = 0; i < 9; ++i)
        list_.Move();
    EXPECT_EQ(particle->Hidden, 1);
    EXPECT_FALSE(particle->Drawn());
    EXPECT_EQ(particle->y, 384) << "nothing moves while it waits";
    list_.Move();
    EXPECT_EQ(started, 1);
    EXPECT_EQ(particle->Hidden, 0);
    EXPECT_EQ(particle->y, 385) << "its first phase started and moved it in the same step";
}

TEST_F(ParticleTest, ListsWalkOnWhileParticlesLeaveAndJoin) {
    static TParticleList* list;
    list = &list_;
    static std::vector<int> walked;
    walked.clear();
    std::vector<TParticlePtr> particles;
    for (int i = 0; i < 5; ++i) {
        particles.push_back(Add());
        particles.back()->Data1 = i;
        particles.back()->UserMove = [](TParticle& p) { walked.push_back(p.Data1); };
    }
    // The second kills itself and the fourth; the third adds one at each end.
    particles[1]->UserMove = [](TParticle& p) {
        walked.push_back(p.Data1);
        p.Kill();
        list->ValueAtIndex(2)->Kill();  // the fourth, as the list stands now
    };
    particles[2]->UserMove = [](TParticle& p) {
        walked.push_back(p.Data1);
        TParticlePtr last = list->AddNew(0, 0, nullptr, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0);
        last->Data1 = 10;
        last->UserMove = [](TParticle& q) { walked.push_back(q.Data1); };
        TParticlePtr first = list->AddNew(0, 0, nullptr, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1);
        first->Data1 = 20;
        first->UserMove = [](TParticle& q) { walked.push_back(q.Data1); };
    };
    list_.Move();
    EXPECT_EQ(walked, (std::vector<int>{0, 1, 2, 4, 10}))
        << "the killed one is skipped, the one added at the end is walked, the one in front is not";
    ASSERT_EQ(list_.Count(), 5);
    std::vector<int> order;
    list_.ForEach([&](TParticle& p) { order.push_back(p.Data1); });
    EXPECT_EQ(order, (std::vector<int>{20, 0, 2, 4, 10}));
    EXPECT_EQ(particles[3]->Particles, nullptr);
    EXPECT_EQ(particles[3]->active, 0);

    // A companion goes with it; a cleared list kills nobody.
    TParticlePtr leader = Add(), companion = Add();
    leader->AttachedParticle = companion;
    leader->Kill();
    EXPECT_EQ(companion->Particles, nullptr);
    list_.Clear();
    EXPECT_TRUE(list_.IsEmpty());
    EXPECT_EQ(particles[0]->active, 1);
}

TEST_F(ParticleTest, ListsAnimateAndEndAnimationsOnlyUnderManage) {
    auto strip = TGameImage::CreateFromImage(TImage::Create(8, 8, 4, 0), "STRIP", 1);
    TParticlePtr once = Add(0, 0, strip);
    once->SetupAnim(4, 100, 1, 0, 0, 0, 0);
    once->KillAfterAnim = 1;
    for (int i = 0; i < 40; ++i)
        list_.Move();
    EXPECT_EQ(once->Particles, &list_) << "moving alone does not animate";
    list_.Animate();
    EXPECT_EQ(once->frame, 0);
    int steps = 0;
    while (once->Particles == &list_ && steps < 100) {
        list_.Manage();
        ++steps;
    }
    EXPECT_EQ(steps, 19) << "20 steps of animation, one already run by Animate";
}

TEST_F(ParticleTest, KilledParticlesAreReusedAsNew) {
    // Warm the pool, then keep making and losing particles: nothing new is made.
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 300; ++i)
            Add(50, 0)->Data2 = 7;
        for (int i = 0; i < 10; ++i)
            list_.Move();
        ASSERT_TRUE(list_.IsEmpty());
    }
    const int made = ParticlesMade();
    for (int i = 0; i < 300; ++i) {
        TParticlePtr p = Add();
        EXPECT_EQ(p->Data2, 0) << "a reused particle starts afresh";
        EXPECT_EQ(p->PhaseList.size(), 0u);
        EXPECT_EQ(p->Color, nullptr);
    }
    EXPECT_EQ(ParticlesMade(), made);
    // One somebody still holds is not handed out again.
    TParticlePtr held = list_.First();
    list_.Clear();
    EXPECT_NE(Add(), held);
}

// Every pixel of one frame matched by one of the other's within a pixel of it
// (two rasterizers may give an edge pixel its neighbour's texel); how many
// are not, both ways.
int Unmatched(const TPixmap& a, const TPixmap& b) {
    auto misses = [](const TPixmap& one, const TPixmap& other) {
        int count = 0;
        for (int y = 0; y < one.Height(); ++y) {
            for (int x = 0; x < one.Width(); ++x) {
                const uint32_t p = one.ReadPixel(x, y);
                int best = 255;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const uint32_t q = other.ReadPixel(x + dx, y + dy);
                        best = std::min(
                            best, std::max({std::abs(headless::Red(p) - headless::Red(q)),
                                            std::abs(headless::Green(p) - headless::Green(q)),
                                            std::abs(headless::Blue(p) - headless::Blue(q))}));
                    }
                }
                count += best > 24;
            }
        }
        return count;
    };
    return misses(a, b) + misses(b, a);
}

// The batched drawing puts the same picture on screen as drawing each
// particle on its own: positions, turns, scales, tints, alpha and the
// additive pictures among the alpha-blended ones; both when the engine draws
// a dense batch itself and when a sparse one goes to the renderer.
TEST_F(ParticleTest, BatchedDrawingMatchesDrawingEachParticleAlone) {
    ASSERT_TRUE(headless::OpenGraphics(320, 240));
    headless::ResetDrawingState();
    PixmapPtr pixels = TPixmap::Create(16, 12, PixelFormat::RGBA8888);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x)
            pixels->WritePixel(x, y, (x < 8 ? 0xFF40C0F0u : 0x80F08020u));
    ImagePtr raw = TImage::FromPixmap(pixels, 0);
    raw->MidHandle();
    auto picture = TGameImage::CreateFromImage(raw, "BLOCK", 1);
    auto tint = TColor::Create(255, 128, 64);
    auto frameOf = [](auto draw) {
        SetBlend(SOLIDBLEND);
        Cls();
        SetBlend(ALPHABLEND);
        draw();
        return headless::ReadFrame();
    };
    for (const bool dense : {true, false}) {
        SCOPED_TRACE(dense ? "a dense cloud" : "two far apart");
        list_.Clear();
        const int count = dense ? 40 : 2;
        for (int i = 0; i < count; ++i) {
            TParticlePtr p = list_.AddNew(dense ? 20 + (i * 37) % 280 : 10 + 290 * i,
                                          dense ? 20 + (i * 53) % 200 : 10 + 210 * i, picture, 0, 0,
                                          0, i % 3 == 0 ? 400 : 0, i % 4 == 1, 0, 0,
                                          0.5f + (i % 5) * 0.3f, 0, 0, 0);
            p->Rotation = static_cast<float>((i * 29 + 10) % 360);
            if (i % 2) p->Color = tint;
            if (i % 3 == 0) p->FadeCounter = p->FadeLength * 0.6f;
        }
        const int composedBefore = ComposedBatches();
        PixmapPtr batched = frameOf([&] { list_.Draw(); });
        EXPECT_EQ(ComposedBatches() - composedBefore, dense ? 1 : 0)
            << "the engine draws a dense batch itself, a sparse one is the renderer's";
        PixmapPtr alone = frameOf([&] {
            list_.ForEach([](TParticle& p) {
                p.Draw();
                SetBlend(ALPHABLEND);
            });
        });
        int drawn = 0;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                drawn += (batched->ReadPixel(x, y) & 0xFFFFFF) != 0;
        EXPECT_GT(drawn, dense ? 2000 : 100);
        EXPECT_LT(Unmatched(*batched, *alone), drawn / 50);
        EXPECT_EQ(GetBlend(), ALPHABLEND) << "drawing hands the state back";
    }
}

}  // namespace
