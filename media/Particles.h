// Particles: sprites that live a short while on their own (velocity and
// gravity, spin, growth, fades, timed phases) and leave their list when they
// are done; the lists that hold, move and draw them; the six particle layers
// of the game.
//
// Main thread only, like all drawing. Particles come from a pool: one that is
// killed goes back to it once its list lets go of it (and nobody else holds
// it), and a new one is taken from it, so a level that keeps making and
// losing particles allocates nothing once the pool and the lists have grown
// to the busiest moment. Nothing here fails: a particle without a picture is
// moved but never drawn.
#pragma once

#include <memory>
#include <vector>

#include "media/Sprite.h"

class TParticle;
class TParticleList;
using TParticlePtr = std::shared_ptr<TParticle>;
using TParticleListPtr = std::shared_ptr<TParticleList>;

// What a spawner hooks into a particle's life. Plain functions: what they need
// to know travels in the particle's Data fields.
using TParticleFunc = void (*)(TParticle&);

// One timed stretch of a particle's life, applied when it starts.
class TParticlePhase {
  public:
    float Length = 0;  // steps
    int Hidden = 0;
    float dx = 0, dy = 0;
    int SetCoords = 0;
    float SetX = 0, SetY = 0;
    float xgravity = 0, ygravity = 0;
    float FadeInMS = 0, FadeSustainMS = 0, FadeMS = 0;
    int DoRotate = 0;
    float RotationSpeed = 0;
    int SetAngle = 0;
    float Angle = 0;
    int DoScale = 0;
    int DoScale2 = 0;
    float ScaleSpeed = 0, ScaleXSpeed = 0, ScaleYSpeed = 0;
    float Scale = 0, ScaleX = 0, ScaleY = 0;
    float Alpha = -1.0f;  // -1 keeps the particle's alpha
    // Runs when the phase ends, and when the particle dies in this phase from
    // its fade, scale or life.
    TParticleFunc UserFunction = nullptr;

    void SetFade(float inMs, float sustainMs, float outMs);
};

class TParticle : public TSprite {
  public:
    TParticleList* Particles = nullptr;  // the list the particle is in
    int Hidden = 0;
    float LifeCounter = 0;  // steps left; 0: no limit
    float FadeIn = 0;       // 1 while the fade-in runs
    float FadeSustainCounter = 0;
    float FadeCounter = 0;  // fade-in: steps done; else steps of fade-out left
    float FadeInLength = 0;
    float FadeLength = 0;
    float InitialAlpha = 1.0f;
    int DoLightBlend = 0;
    int DoRotate = 0;  // 1 or more: turns by RotationSpeed; -1: the other way
    int DoScale = 0;
    int Data1 = 0, Data2 = 0, Data3 = 0;
    std::shared_ptr<void> DataObject;
    float FloatData1 = 0;
    // The phases, in order (empty: none). Room for a few is kept with the
    // particle; AddPhase's reference lasts until the next AddPhase.
    std::vector<TParticlePhase> PhaseList;
    int CurrentPhase = -1;  // index into PhaseList; -1: none
    float PhaseCounter = 0;
    int NoOutOfBounds = 0;
    int KillOnFade = 1;
    int KillAfterAnim = 0;
    float DelayCounter = 0;
    TParticleFunc DelayFinished = nullptr;
    int UpdateOriginalCoords = 0;
    TParticleFunc UserMove = nullptr;
    TParticleFunc DestinationReached = nullptr;
    int DestX = 0, DestY = 0;
    TParticleFunc UserKill = nullptr;
    TParticlePtr AttachedParticle;
    int KillAttachedParticle = 1;

    TParticle();

    // A particle from the pool, made as the effects make them: lightBlend,
    // rotate and lifeMs whole numbers, lifeMs 0 for no limit, fadeMs 0 for
    // no fade.
    static TParticlePtr CreateSpecial(const TGameImagePtr& image, float x, float y, float dx,
                                      float dy, float ygravity, float fadeMs, int lightBlend,
                                      int rotate, float rotationSpeed, float scale,
                                      float scaleSpeed, int lifeMs);
    void SetDelay(float ms);
    TParticlePhase& AddPhase(float ms);
    void StartPhases();
    void ApplyPhase(const TParticlePhase& phase);
    void SetFade(int inMs, int sustainMs, int outMs, float alpha);
    // 0: the phase goes on; 1: the next phase started; -1: the last ended.
    int ManagePhases();
    void KillPhases();

    // One step: delay, phases, movement, destination, bounds, fade, spin,
    // scale and life, in this order. The particle may kill itself.
    void Move() override;
    void Draw() override;
    void Kill() override;

    // The phase being run, or null.
    TParticlePhase* Phase();
    bool Drawn() const { return active && !Hidden && visible; }
    // The alpha a fade shows now (the particle's Alpha when no fade runs).
    float ShownAlpha() const;
    // A tint of the particle's own (the shared colour tables are not copied
    // into a particle; this one is kept with it for reuse).
    void SetTint(int r, int g, int b);

  private:
    friend class TParticleList;
    // Back to a new particle's state, keeping the room it owns.
    void Reuse();
    void RunPhaseEnd();
    bool FadeStep();
    TColorPtr ownTint_;
};

// A list of particles, walked in order. A particle may kill itself, or others,
// while the list is walked: the walk goes on with the next one; particles
// added at the end during a walk are walked too, those added at the front
// are not. Particles leave the list when killed; Clear kills none of them.
class TParticleList {
  public:
    TParticleList();
    ~TParticleList();
    TParticleList(const TParticleList&) = delete;
    TParticleList& operator=(const TParticleList&) = delete;

    TParticlePtr AddNew(int x, int y, const TGameImagePtr& image, float dx, float dy,
                        float ygravity, float fadeMs, int lightBlend, int rotate,
                        float rotationSpeed, float scale, float scaleSpeed, int lifeMs,
                        int atFront);
    void AddLast(const TParticlePtr& particle);
    void AddFirst(const TParticlePtr& particle);

    // Drawing batches the pictures that share an image, frame and blend where
    // the order allows: any run of neighbours, and within a run of additive
    // particles (whose sum does not depend on order) all of one picture.
    void Draw();
    void Move();
    void Animate();
    void Manage();
    void FadeAll(float ms);
    void SetUseAlpha(int value);
    void SetBaseScale(float sx, float sy);
    void EnableUpdateOriginalCoords();
    void ScaleCoords();
    void AddOffsets(float ox, float oy);
    void ProcessScale(float sx, float sy, float ox, float oy);
    // Writes every particle's picture, at its position truncated to whole
    // pixels, into the sprite collision layer with the particle as identity.
    void Collide();

    int Count() const { return live_; }
    bool IsEmpty() const { return live_ == 0; }
    // Empties the list; its particles go back to the pool.
    void Clear();
    // The particle at a position, null when there is none.
    TParticlePtr ValueAtIndex(int index) const;
    TParticlePtr First() const { return ValueAtIndex(0); }
    TParticlePtr Last() const { return ValueAtIndex(live_ - 1); }
    // Calls f with every particle, in order; f may kill particles.
    template <typename F>
    void ForEach(F&& f) {
        const WalkGuard walk(*this);
        for (size_t i = 0; i < items_.size(); ++i) {
            if (TParticle* particle = items_[i].get()) f(*particle);
        }
    }

  private:
    friend class TParticle;
    class WalkGuard {
      public:
        explicit WalkGuard(TParticleList& list) : list_(list) { ++list_.walking_; }
        ~WalkGuard() {
            if (--list_.walking_ == 0) list_.Tidy();
        }
        WalkGuard(const WalkGuard&) = delete;
        WalkGuard& operator=(const WalkGuard&) = delete;

      private:
        TParticleList& list_;
    };
    // A particle leaves: at once outside a walk, after it within one.
    void Detach(TParticle& particle);
    void Tidy();
    // The pool: a particle is taken from it, and given back once nobody but
    // the list that dropped it holds it.
    static TParticlePtr TakeFromPool();
    static void GiveBack(TParticlePtr& particle);

    std::vector<TParticlePtr> items_;
    std::vector<TParticlePtr> front_;  // added at the front during a walk
    std::vector<TParticlePtr> dead_;   // killed during a walk
    int live_ = 0;
    int walking_ = 0;
    bool holes_ = false;
};

// The particle layers 1 to 6 of the game, made in this order at start-up;
// the screens move, draw and empty them, the effects fill them.
TParticleList& ParticleLayer(int number);
void ClearParticleLayers();

// How many particles are waiting in the pool, and how many were ever made
// (for the tests and the benchmark).
int PooledParticles();
int ParticlesMade();
