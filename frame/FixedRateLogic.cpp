#include <algorithm>
#include <cmath>

#include "engine/Clock.h"
#include "engine/Graphics.h"
#include "frame/Game.h"
#include "frame/Timing.h"

namespace {

// The clock as an unsigned count, so a wrap shows as time going backwards.
double Now() {
    return static_cast<double>(static_cast<uint32_t>(MilliSecs()));
}

bool WindowWasDragged() {
    if (!Game || Game->FullScreen || !GraphicsOpen()) return false;
    int x = 0, y = 0;
    GetWindowPosition(x, y);
    return x != Game->WindowX || y != Game->WindowY;
}

}  // namespace

void TFixedRateLogic::CalcMS() {
    MS = 1000.0f / static_cast<int>(Framerate);
}

void TFixedRateLogic::SetDelta(float x) {
    Delta = x * DeltaMultiplier;
    FullDelta = x;
}

void TFixedRateLogic::Init() {
    CalcMS();
    LastTime = Now();
    NumTicks = 0;
    LastNumTicks = 1.0;
    SetDelta(1.0f);
    Current = maximum = 0;
    displayLimit = 999;
    First = FirstMax;
}

void TFixedRateLogic::Display(int x, int y) {
    TTrackingVar::Display(x, y);
}

void TFixedRateLogic::Create() {
    History.assign(HistorySizeMax, 0);
}

void TFixedRateLogic::HistoryClear() {
    std::fill(History.begin(), History.begin() + std::min<size_t>(HistorySize, History.size()), 0);
    HistorySize = 1;
    HistoryCounter = 0;
}

void TFixedRateLogic::SetThreshold(int ms) {
    Threshold = ms;
}

void TFixedRateLogic::SetDefaultFramerate(int n) {
    FramerateDefault = n;
    Framerate = static_cast<float>(n);
}

void TFixedRateLogic::Calc() {
    if (Game && Game->Fast) {
        NumTicks = 1;
        Current = static_cast<int>(NumTicks);
        return;
    }
    if (WindowWasDragged()) {
        // The time spent dragging the window does not count.
        Init();
        Game->SetWindowCoords();
        Game->SetClientCoords();
    }
    const double now = Now();
    if (now < LastTime) {
        NumTicks = LastNumTicks;
    } else {
        TmpMS = std::min(now - LastTime, static_cast<double>(Threshold));
        double average = TmpMS;
        if (First > 0) {
            --First;
        } else if (!History.empty()) {
            History[HistoryCounter] = static_cast<int>(TmpMS);
            double sum = 0;
            for (int i = 0; i < HistorySize; ++i)
                sum += History[i];
            average = sum / HistorySize;
            ++HistoryCounter;
            if (HistorySize < HistorySizeMax) ++HistorySize;
            if (HistoryCounter >= HistorySize) HistoryCounter = 0;
        }
        if (JitterCorrection) {
            if (IgnoreHistoryOnSpeedChange && Game && Game->VSync == 1 &&
                std::fabs(TmpMS - average) > 1.0) {
                average = TmpMS;
            }
            NumTicks = average / MS;
        } else {
            NumTicks = TmpMS / MS;
        }
    }
    LastTime = now;
    LastNumTicks = NumTicks;
    maximum = std::max(maximum, static_cast<int>(NumTicks));
    Current = static_cast<int>(NumTicks);
}
