// The mouse: button and hit state of the current logic step, the position in
// virtual screen pixels, and the game's own pointer with its sparkle trail.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "engine/Image.h"
#include "media/Color.h"
#include "media/Particles.h"

class TMousePointer {
  public:
    int Active = 1;
    ImagePtr Image;
    int ImageFrame = 0;
    std::string Ext = ".png";
    int Rotation = 0;
    ImagePtr Image2;
    int Image2Frame = 0, Image2xoff = 0, Image2yoff = 0;
    float Image2Scale = 1.0f;
    TShadowPtr Image2Shadow;
    int x = 0, y = 0;
    int z = 0;
    int w = 0, h = 0;
    int b1 = 0, b2 = 0, b3 = 0;
    int mb = 0;
    int h1 = 0, h2 = 0, h3 = 0;
    int mh = 0;
    int offsetx = 0, offsety = 0;
    std::function<void()> ParticleFunc;
    std::shared_ptr<TParticleList> ParticleList = std::make_shared<TParticleList>();
    float SparkleCounter = 0;
    int SparkleLength = 15;
    std::function<void(int, int)> UserDraw;

    virtual ~TMousePointer() = default;
    virtual void On();
    virtual void Off();
    virtual void Load(const std::string& name);
    virtual void CalcSize();
    virtual void Update();
    virtual void Manage();
    virtual void UpdateCoords();
    virtual void ClearButtons();
    virtual void ClearMouseHit();
    virtual int GetMb();
    virtual int GetMh(int clear);
    virtual void CalcButtonTotals();
    virtual void Draw();
};
