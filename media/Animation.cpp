#include "media/Animation.h"

#include <algorithm>
#include <cmath>

#include "engine/Graphics.h"
#include "engine/Strings.h"
#include "frame/Game.h"
#include "media/GameImage.h"
#include "media/Sound.h"

// ---------------------------------------------------------------- TAnimation

float EaseInOut(float ratio) {
    return static_cast<float>(0.5 + Sin((ratio - 0.5) * 180.0) / 2.0);
}

TAnimationPtr TAnimation::Create(float ms, int leaveActive, int reverse, int cycle, int pingPong) {
    auto animation = std::make_shared<TAnimation>();
    animation->Init(ms, leaveActive, reverse, cycle, pingPong);
    return animation;
}

void TAnimation::Init(float ms, int leaveActive, int reverse, int cycle, int pingPong) {
    Length[0] = Game->CalcAnimLength(ms);
    CurrentPhase = 0;
    Finished = 0;
    TotalPhases = 1;
    Cycle = cycle;
    LeaveActive = leaveActive;
    PingPong = pingPong;
    Reverse = reverse;
    OriginalReverse = reverse;
    Direction = 1;
    LoopCount = 0;
}

void TAnimation::AddPhase(float ms) {
    if (TotalPhases >= MAX_PHASES) return;
    Length[TotalPhases++] = Game->CalcAnimLength(ms);
}

void TAnimation::InsertPhase(float ms, int index) {
    if (TotalPhases >= MAX_PHASES || index < 0 || index > TotalPhases) return;
    for (int i = TotalPhases; i > index; --i)
        Length[i] = Length[i - 1];
    Length[index] = Game->CalcAnimLength(ms);
    ++TotalPhases;
}

void TAnimation::Clear() {
    Active = 0;
    LoopTotal = 0;
    Counter = 0;
    CurrentPhase = 0;
    Finished = 0;
    TotalPhases = 1;
    Cycle = 0;
    Direction = 1;
    LeaveActive = 0;
    PingPong = 0;
    Reverse = 0;
    OriginalReverse = 0;
    LoopCount = 0;
}

void TAnimation::Start() {
    if (PingPong) Reverse = OriginalReverse;
    if (Reverse == 0) {
        if (Counter <= 0) Counter = Length[std::clamp(CurrentPhase, 0, MAX_PHASES - 1)];
    } else {
        Counter = 0;
    }
    Active = 1;
    CurrentPhase = 0;
    Finished = 0;
    Direction = 1;
    LoopCount = 0;
}

void TAnimation::Reset() {
    Counter = 0;
    Start();
}

void TAnimation::Stop() {
    CurrentPhase = Direction == 1 ? TotalPhases - 1 : 0;
    EndAnim();
}

int TAnimation::Manage() {
    if (!Active) return 0;
    if (Reverse == 0) {
        Counter -= Delta;
        if (Counter <= 0) {
            EndAnim();
            return 1;
        }
    } else {
        Counter += Delta;
        if (Counter > Length[CurrentPhase]) {
            EndAnim();
            return 1;
        }
    }
    return 0;
}

int TAnimation::EndAnim() {
    CurrentPhase += Direction == 1 ? 1 : -1;
    const bool ranOff =
        (Direction == 1 && CurrentPhase >= TotalPhases) || (Direction == 0 && CurrentPhase < 0);
    if (ranOff) {
        ++LoopCount;
        const bool cycling = Cycle && !(LoopTotal > 0 && LoopCount >= LoopTotal);
        if (cycling && PingPong) {
            if (Direction == 1) {
                Counter = -Counter;  // the overshoot, reflected
                Reverse = 1;
                Direction = 0;
                CurrentPhase = TotalPhases - 1;
            } else {
                Counter = Length[0] - (Counter - Length[0]);
                Reverse = 0;
                Direction = 1;
                CurrentPhase = 0;
            }
            return 0;
        }
        if (cycling) {
            CurrentPhase = 0;
        } else {
            Finished = 1;
            if (LeaveActive) {
                CurrentPhase = TotalPhases - 1;
                Counter = Reverse == 0 ? 0 : Length[CurrentPhase];
            } else {
                Counter = 0;
                CurrentPhase = 0;
                Active = 0;
            }
            return 1;
        }
    }
    Counter = Reverse == 0 ? Length[CurrentPhase] : 0;
    return 0;
}

float TAnimation::GetRatio() {
    const float length = Length[std::clamp(CurrentPhase, 0, MAX_PHASES - 1)];
    return length > 0 ? Counter / length : 0.0f;
}

float TAnimation::GetRatioInv() {
    return 1.0f - GetRatio();
}
float TAnimation::GetRatioSine() {
    return static_cast<float>(Sin(GetRatio() * 90.0));
}
float TAnimation::GetRatioInvSine() {
    return static_cast<float>(Sin((1.0 - GetRatio()) * 90.0));
}
float TAnimation::GetRatioSine180() {
    return EaseInOut(GetRatio());
}
float TAnimation::GetRatioInvSine180() {
    return EaseInOut(1.0f - GetRatio());
}

int TAnimation::GetAnimFrame(int frames) {
    const int length = static_cast<int>(Length[std::clamp(CurrentPhase, 0, MAX_PHASES - 1)]);
    return FrameFromCounter(Counter, length, frames, Reverse);
}

int TAnimation::GetAnimFrameProper(int frames) {
    const int frame = GetAnimFrame(frames);
    return Reverse ? frames - frame - 1 : frame;
}

// ---------------------------------------------------------------- TSineCounter

TSineCounterPtr TSineCounter::Create(float start, float end, float speed, int runOnce) {
    auto counter = std::make_shared<TSineCounter>();
    counter->Init(start, end, speed, runOnce);
    return counter;
}

void TSineCounter::Init(float start, float end, float speed, int runOnce) {
    StartPoint = start;
    EndPoint = end;
    Speed = speed;
    RunOnce = runOnce;
    Counter = start;
    ratio = 0;
}

int TSineCounter::Manage() {
    if (!Active) return 0;
    Counter += Speed * Delta;
    if (Counter >= EndPoint) {
        if (RunOnce) {
            Counter = EndPoint;
            Active = 0;
        } else {
            Counter -= EndPoint - StartPoint;
        }
    } else if (Counter < StartPoint) {
        if (RunOnce) {
            Counter = StartPoint;
            Active = 0;
        } else {
            Counter += EndPoint - StartPoint;
        }
    }
    ratio = static_cast<float>(Sin(Counter));
    return 1;
}

void TSineCounter::Reset() {
    Counter = 0;
    ratio = static_cast<float>(Sin(0));
}

void TSineCounter::SetCounter(float counter) {
    Counter = counter;
    ratio = static_cast<float>(Sin(counter));
}

// ---------------------------------------------------------------- TCounter

TCounterPtr TCounter::Create(float ms, int activate) {
    auto counter = std::make_shared<TCounter>();
    counter->CounterLength = static_cast<int>(Game->CalcAnimLength(ms));
    if (activate) counter->Activate();
    return counter;
}

void TCounter::Activate() {
    Counter = static_cast<float>(CounterLength);
    Active = 1;
}

float TCounter::GetRatio() const {
    return CounterLength > 0 ? Counter / CounterLength : 0.0f;
}

int TCounter::Manage() {
    if (Counter <= 0) return 0;
    Counter -= Delta;
    if (Counter > 0) return 0;
    Stop(1);
    return 1;
}

void TCounter::Stop(int clear) {
    Active = 0;
    if (clear) Counter = 0;
}

TCounterPtr TCounterList::AddNew(float ms) {
    TCounterPtr counter = TCounter::Create(ms, 1);
    AddLast(counter);
    return counter;
}

int TCounterList::Manage(int removeEnded) {
    int ended = 0;
    RemoveIf([removeEnded, &ended](const TCounterPtr& counter) {
        const bool endedNow = counter->Manage() == 1;
        ended += endedNow;
        return endedNow && removeEnded;
    });
    return ended;
}

// ---------------------------------------------------------------- TFlasher

TFlasherPtr TFlasher::Create(float totalMs, float onMs, float offMs, float delayMs) {
    auto flasher = std::make_shared<TFlasher>();
    flasher->AnimCounter = Game->CalcAnimLength(totalMs);
    flasher->OnLength = static_cast<int>(Game->CalcAnimLength(onMs));
    flasher->OffLength = static_cast<int>(Game->CalcAnimLength(offMs));
    flasher->FlashCounter = static_cast<float>(flasher->OnLength);
    flasher->DelayEnd = static_cast<int>(flasher->AnimCounter - Game->CalcAnimLength(delayMs));
    flasher->FlashState = 1;
    return flasher;
}

int TFlasher::Manage() {
    if (AnimCounter > 0) {
        AnimCounter -= Delta;
        if (AnimCounter <= 0) AnimCounter = 0;
        if (AnimCounter <= DelayEnd) {
            FlashCounter -= Delta;
            if (FlashCounter < 0) {
                if (FlashState == 0) {
                    FlashState = 1;
                    FlashCounter = static_cast<float>(OnLength);
                    PlayFlashSound();
                } else {
                    FlashState = 0;
                    FlashCounter = static_cast<float>(OffLength);
                }
            }
        }
    }
    return AnimCounter == 0 ? 1 : 0;
}

void TFlasher::PlayFlashSound() {
    PlaySound(FlashSound);
}

void TFlasher::SetToOff() {
    FlashState = 0;
    FlashCounter = static_cast<float>(OffLength);
}

// ---------------------------------------------------------------- TVector

TVectorPtr TVector::Create(double x, double y) {
    auto v = std::make_shared<TVector>();
    v->x = x;
    v->y = y;
    return v;
}

TVectorPtr TVector::CreateFromPoints(double x1, double y1, double x2, double y2) {
    return Create(x2 - x1, y2 - y1);
}
TVectorPtr TVector::CreateFromVectorsAdded(const TVector& a, const TVector& b) {
    return Create(a.x + b.x, a.y + b.y);
}
TVectorPtr TVector::CreateFromVectorScaled(const TVector& v, double s) {
    return Create(v.x * s, v.y * s);
}
TVectorPtr TVector::CreateFromVectorsSubtracted(const TVector& a, const TVector& b) {
    return Create(b.x - a.x, b.y - a.y);
}

void TVector::AddVector(const TVector& v) {
    x += v.x;
    y += v.y;
}

void TVector::SubtractVector(const TVector& v) {
    x -= v.x;
    y -= v.y;
}

void TVector::Multiply(double s) {
    x *= s;
    y *= s;
}

void TVector::Scale(double s) {
    Multiply(s);
}
double TVector::CalcLength() const {
    return std::sqrt(x * x + y * y);
}
TVectorPtr TVector::CalcNormal() const {
    return Create(-y, x);
}
double TVector::CalcSlope() const {
    return y / x;
}
TVectorPtr TVector::CreateCopy() const {
    return Create(x, y);
}

void TVector::CopyFrom(const TVector& v) {
    x = v.x;
    y = v.y;
}

double TVector::DotProduct(const TVector& v) const {
    return x * v.x + y * v.y;
}

void TVector::Normalise() {
    const double length = CalcLength();
    if (length == 0) return;
    x /= length;
    y /= length;
}

void TVector::Reverse() {
    x = -x;
    y = -y;
}

void TVector::Rotate(double degrees) {
    const float rotatedX = static_cast<float>(x * Cos(degrees) - y * Sin(degrees));
    y = x * Sin(degrees) + y * Cos(degrees);
    x = rotatedX;
}

void TVector::Rebound(const TVector& wall) {
    TVectorPtr normal = wall.CalcNormal();
    normal->Normalise();
    const double along = normal->DotProduct(*this);
    x -= 2 * along * normal->x;
    y -= 2 * along * normal->y;
}

void TVector::Draw(float px, float py, int /*lastPixel*/) const {
    DrawLine(px, py, px + static_cast<float>(x), py + static_cast<float>(y));
}

// ---------------------------------------------------------------- TBox

TBoxPtr TBox::Create(float x, float y, float w, float h, const TColorPtr& color) {
    auto box = std::make_shared<TBox>();
    box->Init(x, y, w, h, color);
    return box;
}

void TBox::Init(float x, float y, float w, float h, const TColorPtr& color) {
    X = x;
    Y = y;
    W = w;
    H = h;
    Color = color;
}

void TBox::Draw() const {
    if (!Color) return;
    Color->Apply();
    DrawRect(X, Y, W, H);
    TColor::Restore();
}

void TBox::Kill() {
    Color.reset();
}
