// The tutorial tips. For now the calls the board and the shop make; the tips themselves
// come with the tutorial.
#pragma once

#include <memory>

class TTutorial {
  public:
    virtual ~TTutorial() = default;
    // Seams filled by the tutorial.
    virtual void ShowSwapCompleteTip() {}
    virtual void ShowNearlyDoneTip() {}
    virtual void ShowGoalCompleteTip() {}
    virtual void ShowMagicTip() {}
    virtual void FadeTips() {}
    virtual void SetImages() {}
    virtual void Manage() {}
    virtual void Draw() {}
    virtual void Clear() {}
    virtual void Kill() {}
    virtual void ShowLevelStartTip() {}
    virtual void ShowGoalArrowTip(int /*row*/, int /*ms*/) {}
    // The shop's arrow at the first pumpkin.
    virtual void ShowPumpkinTip() {}
    // The tip on screen (0 none).
    virtual int CurrentTip() const { return 0; }
    // How many tips are showing.
    int TipsCount = 0;
};

extern std::shared_ptr<TTutorial> Tutorial;
