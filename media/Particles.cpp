// One particle: making it, its phases and fades, one step of its life,
// drawing one alone, and killing it; the pool particles come from.
#include "media/Particles.h"

#include <cmath>

#include "engine/Graphics.h"
#include "frame/Game.h"
#include "frame/Globals.h"

namespace {

constexpr size_t kPhaseRoom = 4;

// Never destroyed: lists that live as long as the program (the pointer's, the
// layers) may be emptied while static objects are torn down.
std::vector<TParticlePtr>& Pool() {
    static auto* pool = new std::vector<TParticlePtr>;
    return *pool;
}
int g_made = 0;

float Steps(float ms) {
    return Game ? Game->CalcAnimLength(ms) : ms / 5.0f;
}

const TSprite& NewSprite() {
    static const TSprite prototype;
    return prototype;
}

}  // namespace

TParticlePtr TParticleList::TakeFromPool() {
    std::vector<TParticlePtr>& pool = Pool();
    if (pool.empty()) {
        ++g_made;
        return std::make_shared<TParticle>();
    }
    TParticlePtr particle = std::move(pool.back());
    pool.pop_back();
    return particle;
}

void TParticleList::GiveBack(TParticlePtr& particle) {
    if (particle.use_count() != 1) {
        particle.reset();
        return;
    }
    particle->Reuse();
    Pool().push_back(std::move(particle));
}

int PooledParticles() {
    return static_cast<int>(Pool().size());
}
int ParticlesMade() {
    return g_made;
}

// ---------------------------------------------------------------- making

void TParticlePhase::SetFade(float inMs, float sustainMs, float outMs) {
    FadeInMS = inMs;
    FadeSustainMS = sustainMs;
    FadeMS = outMs;
}

TParticle::TParticle() {
    PhaseList.reserve(kPhaseRoom);
}

void TParticle::Reuse() {
    TSineCounterPtr glow = std::move(GlowCounter);
    static_cast<TSprite&>(*this) = NewSprite();
    *glow = TSineCounter{};
    GlowCounter = std::move(glow);
    Particles = nullptr;
    Hidden = 0;
    LifeCounter = 0;
    FadeIn = 0;
    FadeSustainCounter = 0;
    FadeCounter = 0;
    FadeInLength = 0;
    FadeLength = 0;
    InitialAlpha = 1.0f;
    DoLightBlend = 0;
    DoRotate = 0;
    DoScale = 0;
    Data1 = Data2 = Data3 = 0;
    DataObject.reset();
    FloatData1 = 0;
    PhaseList.clear();
    CurrentPhase = -1;
    PhaseCounter = 0;
    NoOutOfBounds = 0;
    KillOnFade = 1;
    KillAfterAnim = 0;
    DelayCounter = 0;
    DelayFinished = nullptr;
    UpdateOriginalCoords = 0;
    UserMove = nullptr;
    DestinationReached = nullptr;
    DestX = DestY = 0;
    UserKill = nullptr;
    AttachedParticle.reset();
    KillAttachedParticle = 1;
}

TParticlePtr TParticle::CreateSpecial(const TGameImagePtr& image, float x, float y, float dx,
                                      float dy, float ygravity, float fadeMs, int lightBlend,
                                      int rotate, float rotationSpeed, float scale,
                                      float scaleSpeed, int lifeMs) {
    TParticlePtr particle = TParticleList::TakeFromPool();
    TParticle& p = *particle;
    p.SetImage(image);
    p.x = x;
    p.y = y;
    p.dx = dx;
    p.dy = dy;
    if (lifeMs > 0) p.LifeCounter = Steps(static_cast<float>(lifeMs));
    p.FadeLength = Steps(std::trunc(fadeMs));
    p.FadeCounter = p.FadeLength;
    if (p.FadeLength > 0) p.UseAlpha = 1;
    p.DoLightBlend = lightBlend;
    p.ygravity = ygravity;
    p.DoRotate = rotate;
    p.RotationSpeed = rotationSpeed;
    p.ScaleX = p.ScaleY = scale;
    if (scaleSpeed != 0) {
        p.ScaleXSpeed = p.ScaleYSpeed = scaleSpeed;
        p.DoScale = 1;
    }
    p.active = 1;
    return particle;
}

void TParticle::SetTint(int r, int g, int b) {
    if (!ownTint_) ownTint_ = std::make_shared<TColor>();
    ownTint_->Set(r, g, b);
    Color = ownTint_;
}

// ---------------------------------------------------------------- fades and phases

void TParticle::SetFade(int inMs, int sustainMs, int outMs, float alpha) {
    if (inMs >= 1) {
        FadeIn = 1.0f;
        UseAlpha = 1;
        Alpha = 0;
    }
    FadeInLength = Steps(static_cast<float>(inMs));
    FadeSustainCounter = Steps(static_cast<float>(sustainMs));
    FadeLength = Steps(static_cast<float>(outMs));
    if (inMs >= 1) {
        FadeCounter = 0;  // the fade-in counts up
        return;
    }
    FadeCounter = FadeLength;
    UseAlpha = 1;
    if (alpha != -1.0f) InitialAlpha = alpha;
}

void TParticle::SetDelay(float ms) {
    DelayCounter = Steps(ms);
}

TParticlePhase& TParticle::AddPhase(float ms) {
    PhaseList.emplace_back();
    PhaseList.back().Length = Steps(ms);
    return PhaseList.back();
}

void TParticle::StartPhases() {
    if (!PhaseList.empty()) ApplyPhase(PhaseList.front());
}

void TParticle::ApplyPhase(const TParticlePhase& phase) {
    PhaseCounter = 0;
    CurrentPhase = static_cast<int>(&phase - PhaseList.data());
    Hidden = phase.Hidden;
    dx = phase.dx;
    dy = phase.dy;
    if (phase.SetCoords == 1) {
        x = phase.SetX;
        y = phase.SetY;
    }
    xgravity = phase.xgravity;
    ygravity = phase.ygravity;
    SetFade(static_cast<int>(phase.FadeInMS), static_cast<int>(phase.FadeSustainMS),
            static_cast<int>(phase.FadeMS), phase.Alpha);
    DoRotate = phase.DoRotate;
    RotationSpeed = phase.RotationSpeed;
    if (phase.DoScale != 0) {
        DoScale = 1;
        ScaleXSpeed = ScaleYSpeed = phase.ScaleSpeed;
        if (phase.Scale != 0) ScaleX = ScaleY = phase.Scale;
    } else if (phase.DoScale2 != 0) {
        DoScale = 1;
        ScaleXSpeed = phase.ScaleXSpeed;
        ScaleYSpeed = phase.ScaleYSpeed;
        if (phase.ScaleX != 0 || phase.ScaleY != 0) {
            ScaleX = phase.ScaleX;
            ScaleY = phase.ScaleY;
        }
    }
    if (phase.Alpha != -1.0f) Alpha = phase.Alpha;
    if (phase.SetAngle != 0) Rotation = phase.Angle;
}

TParticlePhase* TParticle::Phase() {
    if (CurrentPhase < 0 || CurrentPhase >= static_cast<int>(PhaseList.size())) return nullptr;
    return &PhaseList[CurrentPhase];
}

int TParticle::ManagePhases() {
    TParticlePhase* phase = Phase();
    if (!phase) return 0;
    PhaseCounter += Delta;
    if (PhaseCounter < phase->Length) return 0;
    const int ended = CurrentPhase;
    if (phase->UserFunction) phase->UserFunction(*this);
    if (ended + 1 >= static_cast<int>(PhaseList.size())) return -1;
    ApplyPhase(PhaseList[ended + 1]);
    return 1;
}

void TParticle::KillPhases() {
    PhaseList.clear();
    CurrentPhase = -1;
    PhaseCounter = 0;
}

void TParticle::RunPhaseEnd() {
    if (TParticlePhase* phase = Phase(); phase && phase->UserFunction) phase->UserFunction(*this);
}

float TParticle::ShownAlpha() const {
    if (FadeCounter <= 0) return Alpha;
    if (FadeIn != 0) return FadeInLength > 0 ? FadeCounter / FadeInLength : 1.0f;
    return FadeLength > 0 ? FadeCounter / FadeLength * InitialAlpha : Alpha;
}

// ---------------------------------------------------------------- one step

// The fade's part of a step; false when it killed the particle.
bool TParticle::FadeStep() {
    if (FadeIn != 0) {
        FadeCounter += Delta;
        if (FadeCounter >= FadeInLength) {
            FadeCounter = FadeLength;
            FadeIn = 0;
            Alpha = 1;
        }
    } else if (FadeSustainCounter > 0) {
        FadeSustainCounter -= Delta;
        if (FadeSustainCounter <= 0) {
            FadeSustainCounter = 0;
            FadeCounter = FadeLength;
        }
    } else if (FadeCounter > 0) {
        FadeCounter -= Delta;
        if (FadeCounter <= 0) {
            FadeCounter = 0;
            Alpha = 0;
            if (KillOnFade) {
                RunPhaseEnd();
                Kill();
                return false;
            }
        }
    }
    return true;
}

void TParticle::Move() {
    if (DelayCounter > 0) {
        DelayCounter -= Delta;
        if (DelayCounter > 0) {
            Hidden = 1;
            return;
        }
        DelayCounter = 0;
        Hidden = 0;
        if (!PhaseList.empty()) StartPhases();
        if (DelayFinished) DelayFinished(*this);
    }
    if (!PhaseList.empty()) {
        const int phases = ManagePhases();
        if (!active) return;  // its phase's end killed it
        if (phases == -1) {
            Kill();
            return;
        }
    }
    if (UserMove) {
        UserMove(*this);
    } else if (UpdateOriginalCoords) {
        MoveOriginalCoords();
    } else {
        TSprite::Move();
    }
    if (DestinationReached) {
        const bool acrossX = dx <= 0 ? x <= DestX : x >= DestX;
        const bool acrossY = dy <= 0 ? y <= DestY : y >= DestY;
        if (acrossX && acrossY) DestinationReached(*this);
    }
    if (!active) return;
    if (!NoOutOfBounds && OutOfBounds()) {
        Kill();
        return;
    }
    if (!FadeStep()) return;
    if (DoRotate >= 1) {
        Rotation += RotationSpeed * Delta;
        if (Rotation >= 360) Rotation -= 360;
    } else if (DoRotate < 0) {
        Rotation -= RotationSpeed * Delta;
        if (Rotation < 0) Rotation += 360;
    }
    if (DoScale == 1) {
        ScaleX += ScaleXSpeed * Delta;
        ScaleY += ScaleYSpeed * Delta;
        if (ScaleX <= 0 || ScaleY <= 0) {
            RunPhaseEnd();
            Kill();
            return;
        }
    }
    if (LifeCounter > 0) {
        LifeCounter -= Delta;
        if (LifeCounter <= 0) {
            LifeCounter = 0;
            RunPhaseEnd();
            Kill();
        }
    }
}

// ---------------------------------------------------------------- drawing and killing

void TParticle::Draw() {
    if (!active || Hidden) return;
    const DrawStateGuard restore;
    const float alpha = Alpha;
    Alpha = ShownAlpha();  // for this one drawing: the logic keeps its own
    if (DoLightBlend) SetBlend(LIGHTBLEND);
    TSprite::Draw();
    Alpha = alpha;
}

void TParticle::Kill() {
    if (!active && !Particles) return;  // killed already
    TSprite::Kill();
    if (UserKill) UserKill(*this);
    active = 0;
    if (AttachedParticle) {
        const TParticlePtr companion = std::move(AttachedParticle);
        if (KillAttachedParticle == 1) companion->Kill();
    }
    DataObject.reset();
    // Last: leaving the list may hand this particle back to the pool.
    if (TParticleList* list = Particles) {
        Particles = nullptr;
        list->Detach(*this);
    }
}
