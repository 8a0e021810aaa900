// The fixed-rate logic timer and the debug overlay's counters.
#pragma once

#include <string>
#include <vector>

class TTrackingVar {
  public:
    int Current = 0;
    int maximum = 0;
    int displayLimit = 999;
    int displayLimitChars = 3;
    std::string Label;

    virtual ~TTrackingVar() = default;
    virtual void Init();
    virtual void Display(int x, int y);
    virtual std::string GetDisplay();

  protected:
    std::string Pad(int value) const;
};

class TDebugVar : public TTrackingVar {
  public:
    void Start();  // Current = the clock
    void Calc();   // Current = elapsed ms; maximum kept, capped at displayLimit
};

class TFPSCounter : public TTrackingVar {
  public:
    int counter = 0;
    int time = 0;
    int framerate = 0;
    int minimum = 999;

    void Init() override;
    void Display(int x, int y) override;
    std::string GetDisplay() override;
    void Calc();  // once per drawn frame
};

class TFixedRateLogic : public TTrackingVar {
  public:
    int FramerateDefault = 200;
    float Framerate = 200.0f;
    double LastTime = 0;
    double TmpMS = 0;
    double NumTicks = 0;
    double LastNumTicks = 0;
    float MS = 5.0f;
    float DeltaMultiplier = 1.0f;
    float FullDelta = 1.0f;
    int Threshold = 50;
    int JitterCorrection = 1;
    int HistorySize = 1;
    int HistorySizeMax = 50;
    std::vector<int> History;
    int HistoryCounter = 0;
    int First = 0;
    int FirstMax = 5;
    int IgnoreHistoryOnSpeedChange = 1;

    void Init() override;
    void Display(int x, int y) override;
    virtual void Create();
    virtual void CalcMS();
    virtual void SetThreshold(int ms);
    virtual void Calc();
    virtual void SetDelta(float x);
    virtual void SetDefaultFramerate(int n);
    virtual void HistoryClear();
};
