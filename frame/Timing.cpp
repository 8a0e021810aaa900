// The debug overlay's counters. The fixed-rate logic timer that shares
// TTrackingVar lives in FixedRateLogic.cpp.
#include "frame/Timing.h"

#include <algorithm>
#include <cstdint>

#include "engine/Clock.h"
#include "engine/Graphics.h"
#include "engine/Strings.h"

namespace {
// The frame rate is counted over slightly more than a second.
constexpr int kFrameCountPeriodMs = 1001;

// Milliseconds from `since` to now, correct across the clock's wrap.
int ElapsedSince(int since) {
    return static_cast<int>(static_cast<uint32_t>(MilliSecs()) - static_cast<uint32_t>(since));
}
}  // namespace

void TTrackingVar::Init() {
    Current = 0;
    maximum = 0;
    displayLimit = 999;
    displayLimitChars = static_cast<int>(FromInt(displayLimit).size());
}

void TTrackingVar::Display(int x, int y) {
    DrawText(GetDisplay(), static_cast<float>(x), static_cast<float>(y));
}

std::string TTrackingVar::GetDisplay() {
    return Label + Pad(Current) + "/" + Pad(maximum);
}

std::string TTrackingVar::Pad(int value) const {
    const std::string digits = FromInt(value);
    const int missing = displayLimitChars - static_cast<int>(digits.size());
    // Padding only ever adds: a longer number is shown whole.
    if (missing <= 0) return digits;
    return std::string(static_cast<size_t>(missing), '0') + digits;
}

void TDebugVar::Start() {
    Current = MilliSecs();
}

void TDebugVar::Calc() {
    Current = ElapsedSince(Current);
    maximum = std::min(std::max(maximum, Current), displayLimit);
}

void TFPSCounter::Init() {
    counter = 0;
    time = MilliSecs();
    framerate = 0;
    minimum = 999;
    TTrackingVar::Init();
}

void TFPSCounter::Display(int x, int y) {
    DrawText(GetDisplay(), static_cast<float>(x), static_cast<float>(y));
}

std::string TFPSCounter::GetDisplay() {
    return Label + Pad(Current) + "/" + Pad(minimum);
}

void TFPSCounter::Calc() {
    ++counter;
    if (ElapsedSince(time) <= kFrameCountPeriodMs) return;
    framerate = counter;
    counter = 0;
    time = MilliSecs();
    maximum = std::max(maximum, framerate);
    minimum = std::min(minimum, framerate);
    Current = framerate;
}
