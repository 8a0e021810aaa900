// The six HUD powerups. For now the calls the board makes and their neutral
// answers; charging, picking up and using them come with the powerups.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "media/Point.h"

// One cell of a powerup's or bomb's area, and whether the effect would act on it.
struct THUDPowerInfo {
    TPoint pos;
    int valid = 0;
    static THUDPowerInfo Create(int x, int y, int valid) { return {{x, y}, valid}; }
};
using THUDPowerInfoList = std::vector<THUDPowerInfo>;

class THUDPowerup {
  public:
    virtual ~THUDPowerup() = default;
    // Seams filled by the powerups.
    virtual void Update(float /*delta*/) {}
    virtual int PointWithin(int /*x*/, int /*y*/) { return 0; }
    virtual int CheckIsClicked() { return 0; }
    virtual int Validate(int /*x*/, int /*y*/) { return 0; }
    virtual void Activate(int /*x*/, int /*y*/) {}
    virtual int HasValidMove() { return 0; }
    virtual void SetHintWobble(int /*on*/) {}
    virtual int IsAvailable() { return 0; }
    virtual void SetIntroY(float /*y*/) {}
    virtual void Reset() {}
    virtual void AddCharge(int /*n*/) {}
};

using THUDPowerupPtr = std::shared_ptr<THUDPowerup>;
extern std::array<THUDPowerupPtr, 6> HUDPowerups;

// The pointer's look while a powerup is held (seams).
void RestorePointer();
void AnimatePointer();
// The tarot powerup's animation is running.
bool TarotRunning();
