#include "ui/Repeat.h"

#include "frame/Game.h"
#include "frame/MousePointer.h"

void TRepeatBase::ClearDelays() {
    InitialDelayCounter = 0;
    DelayCounter = 0;
}

int TRepeatBase::Step(bool held) {
    if (!held) {
        ClearDelays();
        LastState = 0;
        return 0;
    }
    int result = 0;
    if (LastState == 0) {
        InitialDelayCounter = Game->CalcAnimLength(static_cast<float>(InitialDelayLength));
        result = 1;
    } else if (InitialDelayCounter > 0) {
        InitialDelayCounter -= Delta;
        if (InitialDelayCounter <= 0) {
            InitialDelayCounter = 0;
            DelayCounter = static_cast<int>(Game->CalcAnimLength(static_cast<float>(DelayLength)));
            result = 2;
        }
    } else if (DelayCounter > 0) {
        // One whole step per call while Delta is at most 1.
        DelayCounter = static_cast<int>(DelayCounter - Delta);
        if (DelayCounter <= 0) {
            DelayCounter = static_cast<int>(Game->CalcAnimLength(static_cast<float>(DelayLength)));
            result = 2;
        }
    }
    LastState = 1;
    return result;
}

TKeyRepeatPtr TKeyRepeat::Create(int initialDelayMs, int delayMs) {
    auto repeat = std::make_shared<TKeyRepeat>();
    repeat->InitialDelayLength = initialDelayMs;
    repeat->DelayLength = delayMs;
    return repeat;
}

int TKeyRepeat::GetKey(int key) {
    return Step(KeyDown(key) != 0) != 0 ? 1 : 0;
}

int TKeyRepeat::GetKeyRepeat(int key) {
    return Step(KeyDown(key) != 0) == 2 ? 1 : 0;
}

TMouseRepeatPtr TMouseRepeat::Create(int initialDelayMs, int delayMs) {
    auto repeat = std::make_shared<TMouseRepeat>();
    repeat->InitialDelayLength = initialDelayMs;
    repeat->DelayLength = delayMs;
    return repeat;
}

int TMouseRepeat::GetButton() {
    return Step(Game->Mouse->GetMb() != 0);
}
