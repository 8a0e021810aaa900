// Auto-repeat of a held key or mouse button: one press at once, then after
// an initial delay one repeat every delay.
#pragma once

#include <memory>

class TKeyRepeat;
class TMouseRepeat;
using TKeyRepeatPtr = std::shared_ptr<TKeyRepeat>;
using TMouseRepeatPtr = std::shared_ptr<TMouseRepeat>;

class TRepeatBase {
  public:
    int InitialDelayLength = 0;  // ms
    float InitialDelayCounter = 0;
    int DelayLength = 0;  // ms
    int DelayCounter = 0;
    int LastState = 0;

    void ClearDelays();

  protected:
    // 0 nothing, 1 the press, 2 a repeat.
    int Step(bool held);
};

class TKeyRepeat : public TRepeatBase {
  public:
    static TKeyRepeatPtr Create(int initialDelayMs, int delayMs);
    // 1 on the step the key goes down and on every repeat, else 0.
    int GetKey(int key);
    // 1 only on the repeats of a held key, not on its press.
    int GetKeyRepeat(int key);
};

class TMouseRepeat : public TRepeatBase {
  public:
    static TMouseRepeatPtr Create(int initialDelayMs, int delayMs);
    // 1 on the step a mouse button goes down, 2 on every repeat, else 0.
    int GetButton();
};
