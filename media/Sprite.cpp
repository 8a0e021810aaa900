#include "media/Sprite.h"

#include <cmath>

#include "engine/Collision.h"
#include "engine/Graphics.h"
#include "engine/Random.h"
#include "engine/Strings.h"
#include "frame/Game.h"

TSprite::TSprite() : GlowCounter(std::make_shared<TSineCounter>()) {}

// ---------------------------------------------------------------- animation

void TSprite::SetupAnim(int frames, float ms, int dir, int reverse, int randomStart, int pingPong,
                        int loop) {
    frame = 0;
    FramesTotal = frames;
    AnimLength = static_cast<int>(Game->CalcAnimLength(ms));
    AnimCounterDir = dir;
    AnimReverse = reverse;
    PingPong = pingPong;
    FrameLength = FramesTotal > 0 ? static_cast<float>(AnimLength) / FramesTotal : 0.0f;
    Loop = loop;
    if (randomStart) {
        RandomiseAnimPos();
    } else if (dir == 0) {
        AnimCounter = reverse ? 0.01f : static_cast<float>(AnimLength);
    } else {
        AnimCounter = reverse ? static_cast<float>(AnimLength) : 0.0f;
    }
}

void TSprite::RandomiseAnimPos() {
    AnimCounter = static_cast<float>(Rnd(0.01, AnimLength));
}

int TSprite::ManageAnim() {
    if (FramesTotal < 2) return 0;
    const bool up =
        (AnimCounterDir == 1 && AnimReverse == 0) || (AnimCounterDir == 0 && AnimReverse == 1);
    int ended = 0;
    if (up) {
        AnimCounter += Delta;
        if (AnimCounter >= AnimLength) {
            ended = 1;
            AnimBoundsCheckUpper();
        }
    } else {
        AnimCounter -= Delta;
        if (AnimCounter <= 0) {
            ended = 1;
            AnimBoundsCheckLower();
        }
    }
    frame = FrameFromCounter(AnimCounter, AnimLength, FramesTotal, AnimCounterDir);
    return ended;
}

void TSprite::AnimBoundsCheckLower() {
    if (AnimCounter > 0) return;
    if (PingPong) {
        // The overshoot is reflected and one frame skipped, so the end frame
        // is not shown twice.
        AnimCounter = FrameLength - AnimCounter;
        AnimReverse = !AnimReverse;
        if (AnimCounter == 0) AnimCounter = 0.01f;
        return;
    }
    if (Loop) {
        if (LoopCount > 0 && --LoopCount == 0) {
            Loop = 0;
            AnimCounter = 0.01f;
            return;
        }
        AnimCounter += AnimLength;
    } else {
        AnimCounter = 0.01f;
    }
    if (AnimStoppedFunction) AnimStoppedFunction(*this);
}

void TSprite::AnimBoundsCheckUpper() {
    if (AnimCounter < AnimLength) return;
    if (PingPong) {
        AnimCounter = 2.0f * AnimLength - AnimCounter - FrameLength;
        AnimReverse = !AnimReverse;
        return;
    }
    if (Loop) {
        if (LoopCount > 0 && --LoopCount == 0) {
            Loop = 0;
            AnimCounter = static_cast<float>(AnimLength);
            return;
        }
        AnimCounter -= AnimLength;
    } else {
        AnimCounter = static_cast<float>(AnimLength);
    }
    if (AnimStoppedFunction) AnimStoppedFunction(*this);
}

void TSprite::StopAnim() {
    AnimCounter = 0;
    FramesTotal = 1;
}

int TSprite::GetAnimFrame() {
    return FrameFromCounter(AnimCounter, AnimLength, FramesTotal, AnimCounterDir);
}

// ---------------------------------------------------------------- tweens

void TSprite::SetupRotation(float rotationSpeed, float ms, int loop, int randomStart) {
    RotationSpeed = rotationSpeed;
    if (loop) {
        RotationLoop = 1;
        if (randomStart) Rotation = static_cast<float>(Rnd(0, 360));
    } else {
        RotationLength = static_cast<int>(Game->CalcAnimLength(ms));
        RotationCounter = static_cast<float>(RotationLength);
    }
}

void TSprite::ManageRotation() {
    if (RotationLoop) {
        Rotation += RotationSpeed * Delta;
        if (Rotation >= 360) Rotation -= 360;
        if (Rotation < 0) Rotation += 360;
        return;
    }
    if (RotationCounter > 0) {
        RotationCounter -= Delta;
        Rotation += RotationSpeed * Delta;
    }
}

void TSprite::SetupScale(float xSpeed, float ySpeed, float ms) {
    ScaleXSpeed = xSpeed;
    ScaleYSpeed = ySpeed;
    ScaleLength = static_cast<int>(Game->CalcAnimLength(ms));
    ScaleCounter = static_cast<float>(ScaleLength);
}

void TSprite::ManageScale() {
    if (ScaleCounter <= 0) return;
    ScaleCounter -= Delta;
    ScaleX += ScaleXSpeed * Delta;
    ScaleY += ScaleYSpeed * Delta;
}

void TSprite::SetGlow(int mode, float glow, float glowSpeed, float min, float max) {
    GlowMode = mode;
    Glow = glow;
    GlowSpeed = glowSpeed;
    GlowMin = min;
    GlowMax = max;
    GlowRange = max - min;
    if (mode == 3) GlowCounter->Init(0, 360, glowSpeed, 0);
}

void TSprite::ManageGlow() {
    if (GlowMode == 2) {
        if (Glow > 0) {
            Glow -= GlowSpeed * Delta;
            if (Glow <= 0) Glow = 0;
        }
    } else if (GlowMode == 3) {
        GlowCounter->Manage();
        Glow = GlowMin + GlowRange * std::fabs(GlowCounter->ratio);
    }
}

// ---------------------------------------------------------------- set-up

TSpritePtr TSprite::Create(const TGameImagePtr& image, float x, float y) {
    auto sprite = std::make_shared<TSprite>();
    sprite->SetImage(image);
    sprite->SetPosition(x, y);
    return sprite;
}

TSpritePtr TSprite::CreateFromFile(const std::string& file, float x, float y, int centre,
                                   int flags) {
    TSpritePtr sprite = Create(TGameImage::Create(Game->ImagePath + file + ".png", flags, 1), x, y);
    if (centre)
        sprite->SetPosition(static_cast<float>(ScreenWidth / 2),
                            static_cast<float>(ScreenHeight / 2));
    return sprite;
}

void TSprite::SetImage(const TGameImagePtr& newImage) {
    image = newImage;
    GetSize();
}

void TSprite::GetSize() {
    if (!image) return;
    w = image->w;
    h = image->h;
    w2 = image->w2;
    h2 = image->h2;
}

void TSprite::SetName(const std::string& newName) {
    name = Upper(newName);
}

void TSprite::SetPosition(float newX, float newY) {
    x = newX;
    y = newY;
}

void TSprite::SetShadow(int on, float sx, float sy, float alpha) {
    Shadow = on;
    ShadowX = sx;
    ShadowY = sy;
    ShadowAlpha = alpha;
}

void TSprite::SetScaleXY(float sx, float sy) {
    ScaleX = sx;
    ScaleY = sy != 0 ? sy : sx;
}

void TSprite::Centre() {
    if (image) image->MidHandle(1);
    SetPosition(static_cast<float>(ScreenWidth / 2), static_cast<float>(ScreenHeight / 2));
}

void TSprite::CentreX(float newY) {
    if (image) image->MidHandle(1);
    SetPosition(static_cast<float>(ScreenWidth / 2), newY);
}

void TSprite::ClearRotation() {
    Rotation = 0;
}
void TSprite::ClearScale() {
    ScaleX = ScaleY = 1;
}

void TSprite::ClearTransformations() {
    ClearScale();
    ClearRotation();
}

void TSprite::StoreCentreCoords() {
    cx = x;
    cy = y;
}

void TSprite::StoreOriginalCoords() {
    ox = x;
    oy = y;
}

void TSprite::ScaleOriginalCoords() {
    x = ox * BaseScaleX;
    y = oy * BaseScaleY;
}

float TSprite::Width() {
    return w * ScaleX;
}
float TSprite::Height() {
    return h * ScaleY;
}
void TSprite::Init() {}

void TSprite::Kill() {
    if (AttachedSprite && KillAttachedSprite == 1) AttachedSprite->Kill();
    AttachedSprite.reset();
}

// ---------------------------------------------------------------- movement

void TSprite::Move() {
    x += dx * Delta;
    y += dy * Delta;
    if (xgravity != 0) dx += xgravity * Delta;
    if (ygravity != 0) dy += ygravity * Delta;
}

void TSprite::MoveOriginalCoords() {
    ox += dx * Delta;
    oy += dy * Delta;
    if (xgravity != 0) dx += xgravity * Delta;
    if (ygravity != 0) dy += ygravity * Delta;
}

void TSprite::MoveForward() {
    dx = static_cast<float>(Sin(Rotation) * speed);
    dy = static_cast<float>(-Cos(Rotation) * speed);
    Move();
}

void TSprite::MoveLeft() {
    x -= xspeed * Delta;
    BoundsCheck();
}

void TSprite::MoveRight() {
    x += xspeed * Delta;
    BoundsCheck();
}

void TSprite::MoveUp() {
    y -= yspeed * Delta;
    BoundsCheck();
}

void TSprite::MoveDown() {
    y += yspeed * Delta;
    BoundsCheck();
}

void TSprite::BoundsCheck() {
    if (x < w2) {
        x = w2;
    } else if (x > ScreenWidth - w2) {
        x = ScreenWidth - w2;
    }
    if (y < h2) {
        y = h2;
    } else if (y > ScreenHeight - h2) {
        y = ScreenHeight - h2;
    }
}

int TSprite::OutOfBounds() {
    const bool centred = image && image->midhandled;
    if (centred)
        return (x < -w2 || x > ScreenWidth + w2 || y < -h2 || y > ScreenHeight + h2) ? 1 : 0;
    return (x < -w || x > ScreenWidth || y < -h || y > ScreenHeight) ? 1 : 0;
}

void TSprite::MoveAttachedSprite() {
    if (!AttachedSprite) return;
    AttachedSprite->x += dx * Delta;
    AttachedSprite->y += dy * Delta;
}

void TSprite::Stop() {
    dx = dy = 0;
}

// ---------------------------------------------------------------- drawing

int TSprite::CurrentFrame() const {
    if (AnimCounter > 0 && FramesTotal >= 2)
        return FrameFromCounter(AnimCounter, AnimLength, FramesTotal, AnimCounterDir);
    return ImageFrame;
}

void TSprite::Draw() {
    DoDraw();
    if (GlowMode > 0) DrawLight(Glow, 1, 1, 1, nullptr);
}

void TSprite::DoDraw() {
    if (!visible) return;
    const DrawStateGuard restore;
    SetTransform(Rotation, BaseScaleX * ScaleX, BaseScaleY * ScaleY);
    if (UseAlpha) SetAlpha(Alpha);
    if (Color) SetColor(Color->R, Color->G, Color->B);
    if (RoundCoords) {
        DrawRounded();
    } else {
        DrawNormal();
    }
}

void TSprite::DrawFrameAt(float px, float py) {
    const TGameImagePtr& drawn = AlternativeImage ? AlternativeImage : image;
    if (!drawn || !drawn->image) return;
    const int shown = CurrentFrame();
    DrawShadow(drawn, shown, 0);
    DrawImage(*drawn->image, px, py, shown);
}

void TSprite::DrawNormal() {
    if (UseOffset) {
        DrawFrameAt(x + offx, y + offy);
    } else {
        DrawFrameAt(x, y);
    }
}

void TSprite::DrawRounded() {
    const float px = UseOffset ? x + offx : x, py = UseOffset ? y + offy : y;
    DrawFrameAt(std::floor(px + 0.5f), std::floor(py + 0.5f));
}

void TSprite::DrawShadow(const TGameImagePtr& shadowImage, int shadowFrame, int scrolled) {
    if (!Shadow || !shadowImage || !shadowImage->image) return;
    int r, g, b;
    GetColor(r, g, b);
    SetColor(0, 0, 0);
    SetAlpha(ShadowAlpha * Alpha);
    float px = (UseOffset ? x + offx : x) + ShadowX, py = (UseOffset ? y + offy : y) + ShadowY;
    if (scrolled) {
        px -= Game->ScrollX;
        py -= Game->ScrollY;
    }
    DrawImage(*shadowImage->image, px, py, shadowFrame);
    if (Color) {
        SetColor(Color->R, Color->G, Color->B);
    } else {
        SetColor(r, g, b);
    }
    SetAlpha(Alpha);
}

int TSprite::DrawLight(float intensity, float r, float g, float b,
                       const TGameImagePtr& lightImage) {
    if (!visible) return 0;
    SetBlend(LIGHTBLEND);
    SetColor(static_cast<int>(255 * intensity * r), static_cast<int>(255 * intensity * g),
             static_cast<int>(255 * intensity * b));
    // The light image for this one pass (null: the sprite's own image).
    AlternativeImage = lightImage;
    DoDraw();
    AlternativeImage = nullptr;
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    return 1;
}

void TSprite::DrawWithOffset() {
    const DrawStateGuard restore;
    SetTransform(Rotation, BaseScaleX * ScaleX, BaseScaleY * ScaleY);
    if (UseAlpha) SetAlpha(Alpha);
    const TGameImagePtr& drawn = AlternativeImage ? AlternativeImage : image;
    if (drawn && drawn->image) {
        const int shown = CurrentFrame();
        DrawShadow(drawn, shown, 1);
        const float px = x - Game->ScrollX + (UseOffset ? offx : 0);
        const float py = y - Game->ScrollY + (UseOffset ? offy : 0);
        DrawImage(*drawn->image, px, py, shown);
    }
}

// ---------------------------------------------------------------- game objects

std::shared_ptr<TGameObject> TGameObject::Create(const TGameImagePtr& image, float x, float y) {
    auto object = std::make_shared<TGameObject>();
    object->SetImage(image);
    object->SetPosition(x, y);
    return object;
}

void TGameObject::Move() {
    TSprite::Move();
    if (OutOfBounds()) Kill();
}

void TGameObject::Kill() {
    TSprite::Kill();
    if (!GameObjects) return;
    TGameObjectList* list = GameObjects;
    GameObjects = nullptr;
    list->RemoveIf([this](const TGameObjectPtr& object) { return object.get() == this; });
}

TGameObjectPtr TGameObjectList::AddNew(float x, float y, const TGameImagePtr& image) {
    TGameObjectPtr object = TGameObject::Create(image, x, y);
    object->GameObjects = this;
    AddLast(object);
    return object;
}

void TGameObjectList::Draw() {
    for (const TGameObjectPtr& object : *this)
        object->Draw();
}

void TGameObjectList::Move() {
    // An object may remove itself while moving; step past it first.
    for (auto it = begin(); it != end();) {
        TGameObjectPtr object = *it++;
        object->Move();
    }
}

void TGameObjectList::Kill() {
    for (auto it = begin(); it != end();) {
        TGameObjectPtr object = *it++;
        object->Kill();
    }
}

void TGameObjectList::Collide() {
    for (const TGameObjectPtr& object : *this) {
        if (!object->image || !object->image->image) continue;
        CollideImage(*object->image->image, TruncToInt(object->x), TruncToInt(object->y),
                     object->CurrentFrame(), 0, CollisionLayer(SPRITE_COLLISION_LAYER),
                     std::static_pointer_cast<TSprite>(object));
    }
}
