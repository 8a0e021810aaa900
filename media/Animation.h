// Small timing and value types that screens, dialogs and sprites use to
// shape their effects. All count in logic steps and move by Delta each time
// their owner calls Manage.
#pragma once

#include <array>
#include <memory>

#include "engine/Containers.h"
#include "media/Color.h"

class TGameSound;

// A timeline of up to 50 phases, counting down (or up) through each, with
// eased ratio read-outs.
class TAnimation;
using TAnimationPtr = std::shared_ptr<TAnimation>;

class TAnimation {
  public:
    static constexpr int MAX_PHASES = 50;

    int Active = 0;
    int LoopTotal = 0;
    float Counter = 0;
    int CurrentPhase = 0;
    int Finished = 0;
    int TotalPhases = 1;
    int Cycle = 0;
    int Direction = 1;
    std::array<float, MAX_PHASES> Length{};
    int LeaveActive = 0;
    int PingPong = 0;
    int Reverse = 0;
    int OriginalReverse = 0;
    int LoopCount = 0;

    virtual ~TAnimation() = default;
    virtual void AddPhase(float ms);
    static TAnimationPtr Create(float ms, int leaveActive = 0, int reverse = 0, int cycle = 0,
                                int pingPong = 0);
    virtual void Clear();
    virtual int EndAnim();
    virtual int GetAnimFrame(int frames);
    virtual int GetAnimFrameProper(int frames);
    virtual float GetRatio();
    virtual float GetRatioSine();
    virtual float GetRatioSine180();
    virtual float GetRatioInv();
    virtual float GetRatioInvSine();
    virtual float GetRatioInvSine180();
    virtual void Init(float ms, int leaveActive = 0, int reverse = 0, int cycle = 0,
                      int pingPong = 0);
    virtual void InsertPhase(float ms, int index);
    virtual int Manage();
    virtual void Reset();
    virtual void Start();
    virtual void Stop();
};

// The ease-in-out curve 0.5 + sin((r - 0.5) * 180 degrees) / 2.
float EaseInOut(float ratio);

class TSineCounter;
using TSineCounterPtr = std::shared_ptr<TSineCounter>;

class TSineCounter {
  public:
    int Active = 1;
    float Counter = 0;  // degrees
    float Speed = 1;    // degrees per step
    float StartPoint = 0;
    float EndPoint = 360;
    float ratio = 0;  // sine of Counter
    int RunOnce = 0;

    static TSineCounterPtr Create(float start, float end, float speed, int runOnce);
    void Init(float start, float end, float speed, int runOnce);
    int Manage();
    void Reset();
    void SetCounter(float counter);
};

class TCounter;
using TCounterPtr = std::shared_ptr<TCounter>;

class TCounter {
  public:
    int Active = 0;
    float Counter = 0;
    int CounterLength = 1000;  // steps

    static TCounterPtr Create(float ms, int activate);
    void Activate();
    float GetRatio() const;
    int Manage();  // 1 on the step the countdown ends
    void Stop(int clear);
};

class TCounterList : public TList<TCounterPtr> {
  public:
    TCounterPtr AddNew(float ms);
    // Manages every counter; with removeEnded, drops those that ended now.
    // Returns how many ended on this step.
    int Manage(int removeEnded);
};

class TFlasher;
using TFlasherPtr = std::shared_ptr<TFlasher>;

class TFlasher {
  public:
    std::shared_ptr<TGameSound> FlashSound;
    int FlashState = 1;
    float AnimCounter = 0;
    int DelayEnd = 0;
    float FlashCounter = 0;
    int OnLength = 0;
    int OffLength = 0;

    static TFlasherPtr Create(float totalMs, float onMs, float offMs, float delayMs);
    int Manage();  // 1 once the whole flashing is over
    void PlayFlashSound();
    void SetToOff();
};

class TVector;
using TVectorPtr = std::shared_ptr<TVector>;

class TVector {
  public:
    double x = 0, y = 0;

    static TVectorPtr Create(double x, double y);
    static TVectorPtr CreateFromPoints(double x1, double y1, double x2, double y2);
    static TVectorPtr CreateFromVectorsAdded(const TVector& a, const TVector& b);
    static TVectorPtr CreateFromVectorScaled(const TVector& v, double s);
    static TVectorPtr CreateFromVectorsSubtracted(const TVector& a, const TVector& b);  // b - a
    void AddVector(const TVector& v);
    void SubtractVector(const TVector& v);
    void Multiply(double s);
    void Scale(double s);
    double CalcLength() const;
    TVectorPtr CalcNormal() const;
    double CalcSlope() const;
    TVectorPtr CreateCopy() const;
    void CopyFrom(const TVector& v);
    double DotProduct(const TVector& v) const;
    void Normalise();
    void Reverse();
    void Rotate(double degrees);
    void Rebound(const TVector& wall);
    void Draw(float px, float py, int lastPixel) const;
};

class TBox;
using TBoxPtr = std::shared_ptr<TBox>;

class TBox {
  public:
    int Active = 1;
    TColorPtr Color;
    float X = 0, Y = 0, W = 0, H = 0;

    static TBoxPtr Create(float x, float y, float w, float h, const TColorPtr& color);
    void Init(float x, float y, float w, float h, const TColorPtr& color);
    void Draw() const;
    void Kill();
};

class TAccuratePoint {
  public:
    float X = 0, Y = 0;
    void Set(float x, float y) {
        X = x;
        Y = y;
    }
};
