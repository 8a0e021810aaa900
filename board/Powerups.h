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
    int CurrentCharge = 0;  // charge collected; kept in the player's progress record

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
// Stake, hammer, broom, lightning, tarot, crystal.
extern std::array<THUDPowerupPtr, 6> HUDPowerups;

// The charge each powerup needs before shop discounts, in HUDPowerups order.
constexpr std::array<int, 6> kPowerupChargeNeeded = {10, 15, 12, 20, 18, 30};
// The charge needed after the discounts of the two charge items: x 0.9 with
// the first, x 0.8 with the second, in single precision and truncated (10
// needs 8 with either: 10 x 0.899999976 = 8.99999976).
int DiscountedCharge(int chargeNeeded, bool firstItemBought, bool secondItemBought);

// The pointer's look while a powerup is held (seams).
void RestorePointer();
void AnimatePointer();
// The tarot powerup's animation is running.
bool TarotRunning();
