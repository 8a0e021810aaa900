// Particle lists: adding, walking while particles leave, the per-step walks,
// the batched drawing, and the six particle layers.
#include <algorithm>
#include <array>
#include <cmath>

#include "engine/Collision.h"
#include "engine/Graphics.h"
#include "engine/Strings.h"
#include "frame/Game.h"
#include "media/Particles.h"

namespace {

std::array<TParticleList, 6> g_layers;

// What one particle puts on screen in a batched drawing: a picture of the
// batch, or itself drawn alone (shadow, glow, other picture).
struct Shot {
    TParticle* single = nullptr;
    int order = 0;
    ImageInstance instance;
};

// Scratch room of the drawing, kept from one frame to the next.
std::vector<Shot>& Shots() {
    static std::vector<Shot> shots;
    return shots;
}
std::vector<ImageInstance>& Instances() {
    static std::vector<ImageInstance> instances;
    return instances;
}

// Additive pictures add up the same in any order, so a run of them is drawn
// picture by picture; everything else keeps the list's order.
void GroupAdditiveRuns(std::vector<Shot>& shots) {
    auto additive = [](const Shot& shot) {
        return !shot.single && shot.instance.blend == LIGHTBLEND;
    };
    for (auto run = shots.begin(); run != shots.end();) {
        if (!additive(*run)) {
            ++run;
            continue;
        }
        auto end = std::find_if_not(run, shots.end(), additive);
        std::sort(run, end, [](const Shot& a, const Shot& b) {
            if (a.instance.image != b.instance.image)
                return std::less<TImage*>()(a.instance.image, b.instance.image);
            if (a.instance.frame != b.instance.frame) return a.instance.frame < b.instance.frame;
            return a.order < b.order;
        });
        run = end;
    }
}

void DrawBatch(std::vector<ImageInstance>& instances) {
    DrawImageInstances(instances.data(), instances.size());
    instances.clear();
}

}  // namespace

// ---------------------------------------------------------------- adding and leaving

TParticleList::TParticleList() {
    items_.reserve(256);
}

// Its particles are let go, not pooled: lists that live as long as the
// program go while static objects (the pool's new-particle pattern among
// them) are torn down.
TParticleList::~TParticleList() {
    for (std::vector<TParticlePtr>* from : {&items_, &front_, &dead_})
        for (const TParticlePtr& particle : *from)
            if (particle) particle->Particles = nullptr;
}

TParticlePtr TParticleList::AddNew(int x, int y, const TGameImagePtr& image, float dx, float dy,
                                   float ygravity, float fadeMs, int lightBlend, int rotate,
                                   float rotationSpeed, float scale, float scaleSpeed, int lifeMs,
                                   int atFront) {
    TParticlePtr particle = TParticle::CreateSpecial(
        image, static_cast<float>(x), static_cast<float>(y), dx, dy, ygravity, fadeMs, lightBlend,
        rotate, rotationSpeed, scale, scaleSpeed, lifeMs);
    if (atFront) {
        AddFirst(particle);
    } else {
        AddLast(particle);
    }
    return particle;
}

void TParticleList::AddLast(const TParticlePtr& particle) {
    if (!particle) return;
    particle->Particles = this;
    items_.push_back(particle);
    ++live_;
}

void TParticleList::AddFirst(const TParticlePtr& particle) {
    if (!particle) return;
    particle->Particles = this;
    if (walking_ > 0) {
        front_.push_back(particle);
    } else {
        items_.insert(items_.begin(), particle);
    }
    ++live_;
}

void TParticleList::Detach(TParticle& particle) {
    auto holding = [&particle](const TParticlePtr& item) { return item.get() == &particle; };
    auto it = std::find_if(items_.begin(), items_.end(), holding);
    std::vector<TParticlePtr>* from = &items_;
    if (it == items_.end()) {
        it = std::find_if(front_.begin(), front_.end(), holding);
        if (it == front_.end()) return;
        from = &front_;
    }
    --live_;
    if (walking_ > 0) {
        // It may be the one being walked: it stays alive until the walk ends.
        dead_.push_back(std::move(*it));
        holes_ = true;
        if (from == &front_) front_.erase(it);
        return;
    }
    TParticlePtr gone = std::move(*it);
    from->erase(it);
    GiveBack(gone);
}

void TParticleList::Tidy() {
    if (holes_) {
        items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end());
        holes_ = false;
    }
    if (!front_.empty()) {
        // Each one was put in front of those before it.
        items_.insert(items_.begin(), front_.rbegin(), front_.rend());
        front_.clear();
    }
    for (TParticlePtr& particle : dead_)
        GiveBack(particle);
    dead_.clear();
}

void TParticleList::Clear() {
    const WalkGuard walk(*this);
    for (std::vector<TParticlePtr>* from : {&items_, &front_}) {
        for (TParticlePtr& particle : *from) {
            if (!particle) continue;
            particle->Particles = nullptr;
            dead_.push_back(std::move(particle));
        }
    }
    holes_ = !items_.empty();
    front_.clear();
    live_ = 0;
}

TParticlePtr TParticleList::ValueAtIndex(int index) const {
    if (index < 0 || index >= live_) return nullptr;
    for (auto it = front_.rbegin(); it != front_.rend(); ++it) {
        if (index-- == 0) return *it;
    }
    for (const TParticlePtr& particle : items_) {
        if (particle && index-- == 0) return particle;
    }
    return nullptr;
}

// ---------------------------------------------------------------- per step

void TParticleList::Move() {
    ForEach([](TParticle& particle) { particle.Move(); });
}

void TParticleList::Manage() {
    ForEach([this](TParticle& particle) {
        particle.Move();
        if (particle.Particles != this || particle.DelayCounter > 0) return;
        if (particle.ManageAnim() && particle.KillAfterAnim) particle.Kill();
    });
}

void TParticleList::Animate() {
    ForEach([](TParticle& particle) {
        if (particle.DelayCounter <= 0) particle.ManageAnim();
    });
}

void TParticleList::FadeAll(float ms) {
    const float length = Game ? Game->CalcAnimLength(ms) : ms / 5.0f;
    ForEach([length](TParticle& particle) {
        particle.FadeLength = length;
        particle.FadeCounter = length;
        particle.UseAlpha = 1;
    });
}

void TParticleList::SetUseAlpha(int value) {
    ForEach([value](TParticle& particle) { particle.UseAlpha = value; });
}

void TParticleList::SetBaseScale(float sx, float sy) {
    ForEach([sx, sy](TParticle& particle) {
        particle.BaseScaleX = sx;
        particle.BaseScaleY = sy;
    });
}

void TParticleList::EnableUpdateOriginalCoords() {
    ForEach([](TParticle& particle) {
        if (particle.UpdateOriginalCoords) return;
        particle.StoreOriginalCoords();
        particle.UpdateOriginalCoords = 1;
    });
}

void TParticleList::ScaleCoords() {
    ForEach([](TParticle& particle) { particle.ScaleOriginalCoords(); });
}

void TParticleList::AddOffsets(float offX, float offY) {
    ForEach([offX, offY](TParticle& particle) {
        particle.x += offX;
        particle.y += offY;
    });
}

void TParticleList::ProcessScale(float sx, float sy, float offX, float offY) {
    ForEach([=](TParticle& particle) {
        particle.BaseScaleX = sx;
        particle.BaseScaleY = sy;
        particle.x = particle.ox * sx + offX;
        particle.y = particle.oy * sy + offY;
    });
}

void TParticleList::Collide() {
    const WalkGuard walk(*this);
    for (size_t i = 0; i < items_.size(); ++i) {
        const TParticlePtr& particle = items_[i];
        if (!particle || !particle->image || !particle->image->image) continue;
        CollideImage(*particle->image->image, TruncToInt(particle->x), TruncToInt(particle->y),
                     particle->CurrentFrame(), 0, CollisionLayer(SPRITE_COLLISION_LAYER),
                     std::static_pointer_cast<TSprite>(particle));
    }
}

// ---------------------------------------------------------------- drawing

void TParticleList::Draw() {
    if (live_ == 0) return;
    const WalkGuard walk(*this);
    const DrawStateGuard restore;
    int red, green, blue;
    GetColor(red, green, blue);
    const float ambientAlpha = GetAlpha();
    int blend = GetBlend();
    std::vector<Shot>& shots = Shots();
    shots.clear();
    int order = 0;
    for (const TParticlePtr& item : items_) {
        TParticle* particle = item.get();
        if (!particle || !particle->Drawn()) continue;
        Shot shot;
        shot.order = order++;
        ImageInstance& one = shot.instance;
        one.blend = particle->DoLightBlend ? LIGHTBLEND : blend;
        // A light particle leaves alpha blending behind it.
        if (particle->DoLightBlend) blend = ALPHABLEND;
        if (particle->Shadow || particle->GlowMode > 0 || particle->AlternativeImage) {
            shot.single = particle;
            shots.push_back(shot);
            continue;
        }
        if (!particle->image || !particle->image->image) continue;
        one.image = particle->image->image.get();
        one.frame = particle->CurrentFrame();
        one.x = particle->UseOffset ? particle->x + particle->offx : particle->x;
        one.y = particle->UseOffset ? particle->y + particle->offy : particle->y;
        if (particle->RoundCoords) {
            one.x = std::floor(one.x + 0.5f);
            one.y = std::floor(one.y + 0.5f);
        }
        one.rotation = particle->Rotation;
        one.scaleX = particle->BaseScaleX * particle->ScaleX;
        one.scaleY = particle->BaseScaleY * particle->ScaleY;
        const TColor* tint = particle->Color.get();
        one.red = static_cast<uint8_t>(std::clamp(tint ? tint->R : red, 0, 255));
        one.green = static_cast<uint8_t>(std::clamp(tint ? tint->G : green, 0, 255));
        one.blue = static_cast<uint8_t>(std::clamp(tint ? tint->B : blue, 0, 255));
        one.alpha = particle->UseAlpha ? particle->ShownAlpha() : ambientAlpha;
        shots.push_back(shot);
    }
    GroupAdditiveRuns(shots);
    // Everything between two particles drawn alone goes out as one batch.
    std::vector<ImageInstance>& instances = Instances();
    instances.clear();
    for (const Shot& shot : shots) {
        if (!shot.single) {
            instances.push_back(shot.instance);
            continue;
        }
        DrawBatch(instances);
        SetBlend(shot.instance.blend);
        shot.single->Draw();
    }
    DrawBatch(instances);
}

// ---------------------------------------------------------------- the layers

TParticleList& ParticleLayer(int number) {
    return g_layers[std::clamp(number, 1, 6) - 1];
}

void ClearParticleLayers() {
    for (TParticleList& layer : g_layers)
        layer.Clear();
}
