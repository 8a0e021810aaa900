// Everything that moves, fades, glows or animates on screen: position and
// velocity, frame animation, scale and rotation tweens, alpha, tint, drop
// shadow, additive glow and an attached sprite. Owners call the per-step
// operations from their logic and the drawing operations from their drawing.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "engine/Containers.h"
#include "media/Animation.h"
#include "media/Color.h"
#include "media/GameImage.h"

class TSprite;
using TSpritePtr = std::shared_ptr<TSprite>;

class TSprite {
  public:
    TSprite();
    virtual ~TSprite() = default;

    std::string name;
    int active = 0;
    int visible = 1;
    float x = 0, y = 0;
    float offx = 0, offy = 0;
    int UseOffset = 0;
    float dx = 0, dy = 0;
    float xspeed = 0, yspeed = 0;
    float speed = 0;
    float xgravity = 0, ygravity = 0;
    int w = 0, h = 0;
    float w2 = 0, h2 = 0;
    TGameImagePtr image;
    int RoundCoords = 0;
    int ImageFrame = 0;
    TColorPtr Color;
    int MouseOver = 0;
    int Shadow = 0;
    float ShadowX = 3.0f, ShadowY = 3.0f;
    float ShadowAlpha = 0.5f;
    int frame = 0;
    int FramesTotal = 1;
    float AnimCounter = 0;
    int AnimLength = 1000;
    int AnimCounterDir = 0;
    int AnimReverse = 0;
    int PingPong = 0;
    float FrameLength = 0;
    int Loop = 1;
    int LoopCount = 0;
    float ScaleX = 1, ScaleY = 1;
    float BaseScaleX = 1, BaseScaleY = 1;
    float ScaleXSpeed = 0.1f, ScaleYSpeed = 0.1f;
    float ScaleCounter = 0;
    int ScaleLength = 1000;
    float Rotation = 0;
    float RotationSpeed = 1;
    float RotationCounter = 0;
    int RotationLength = 1000;
    int RotationLoop = 0;
    int UseAlpha = 1;
    float Alpha = 1.0f;
    int GlowMode = 0;
    float Glow = 0;
    float GlowSpeed = 0;
    float GlowMin = 0, GlowMax = 1;
    float GlowRange = 1;
    TSineCounterPtr GlowCounter;
    TGameImagePtr AlternativeImage;
    TSineCounterPtr MiscSineCounter;
    float cx = 0, cy = 0;
    std::function<int(TSprite&)> AnimStoppedFunction;
    float ox = 0, oy = 0;
    TSpritePtr AttachedSprite;
    int KillAttachedSprite = 1;

    // ---- virtual operations, in slot order ----
    virtual void AnimBoundsCheckLower();
    virtual void AnimBoundsCheckUpper();
    virtual void BoundsCheck();
    virtual void Centre();
    virtual void CentreX(float newY);
    virtual void ClearRotation();
    virtual void ClearScale();
    virtual void ClearTransformations();
    static TSpritePtr Create(const TGameImagePtr& image, float x, float y);
    static TSpritePtr CreateFromFile(const std::string& file, float x, float y, int centre,
                                     int flags);
    virtual void DoDraw();
    virtual void Draw();
    virtual int DrawLight(float intensity, float r, float g, float b,
                          const TGameImagePtr& lightImage);
    virtual void DrawNormal();
    virtual void DrawRounded();
    virtual void DrawShadow(const TGameImagePtr& shadowImage, int shadowFrame, int scrolled);
    virtual void DrawWithOffset();
    virtual int GetAnimFrame();
    virtual void GetSize();
    virtual float Height();
    virtual void Init();
    virtual void Kill();
    virtual int ManageAnim();
    virtual void ManageGlow();
    virtual void ManageRotation();
    virtual void ManageScale();
    virtual void Move();
    virtual void MoveAttachedSprite();
    virtual void MoveDown();
    virtual void MoveForward();
    virtual void MoveLeft();
    virtual void MoveOriginalCoords();
    virtual void MoveRight();
    virtual void MoveUp();
    virtual int OutOfBounds();
    virtual void RandomiseAnimPos();
    virtual void ScaleOriginalCoords();
    virtual void SetGlow(int mode, float glow, float glowSpeed, float min, float max);
    virtual void SetImage(const TGameImagePtr& newImage);
    virtual void SetName(const std::string& newName);
    virtual void SetPosition(float newX, float newY);
    virtual void SetScaleXY(float sx, float sy);
    virtual void SetShadow(int on, float sx, float sy, float alpha);
    virtual void SetupAnim(int frames, float ms, int dir, int reverse, int randomStart,
                           int pingPong, int loop);
    virtual void SetupRotation(float rotationSpeed, float ms, int loop, int randomStart);
    virtual void SetupScale(float xSpeed, float ySpeed, float ms);
    virtual void Stop();
    virtual void StopAnim();
    virtual void StoreCentreCoords();
    virtual void StoreOriginalCoords();
    virtual float Width();

    // The frame to draw now: the animation's while it runs, else ImageFrame.
    int CurrentFrame() const;

  protected:
    void DrawFrameAt(float px, float py);
};

class TGameObjectList;

class TGameObject : public TSprite {
  public:
    TGameObjectList* GameObjects = nullptr;

    static std::shared_ptr<TGameObject> Create(const TGameImagePtr& image, float x, float y);
    void Move() override;
    void Kill() override;
};

using TGameObjectPtr = std::shared_ptr<TGameObject>;

// The engine pixel-collision layer that object lists (game objects, particles)
// write into.
constexpr int SPRITE_COLLISION_LAYER = 1;

class TGameObjectList : public TList<TGameObjectPtr> {
  public:
    TGameObjectPtr AddNew(float x, float y, const TGameImagePtr& image);
    void Draw();
    void Move();
    void Kill();
    // Writes every object's image (the frame it shows), at its position
    // truncated to whole pixels, into the engine's pixel-collision layer
    // SPRITE_COLLISION_LAYER, with the object (as a TSprite) as the
    // collision identity. Whoever tests against the layer resets it.
    void Collide();
};
