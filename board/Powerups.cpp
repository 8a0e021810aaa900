#include "board/Powerups.h"

#include "board/Grid.h"

std::array<THUDPowerupPtr, 6> HUDPowerups = {
    std::make_shared<THUDPowerup>(), std::make_shared<THUDPowerup>(),
    std::make_shared<THUDPowerup>(), std::make_shared<THUDPowerup>(),
    std::make_shared<THUDPowerup>(), std::make_shared<THUDPowerup>()};

int DiscountedCharge(int chargeNeeded, bool firstItemBought, bool secondItemBought) {
    if (!firstItemBought && !secondItemBought) return chargeNeeded;
    const double factor = secondItemBought ? static_cast<double>(0.8f) : static_cast<double>(0.9f);
    return static_cast<int>(chargeNeeded * factor);
}

void RestorePointer() {}
void AnimatePointer() {}
bool TarotRunning() {
    return false;
}

void TGameGrid::TogglePointer(int /*mode*/) {
    // Seam: the powerups store and restore the held powerup here.
}

void TGameGrid::DrawHUDPowers() {
    // Seam: the six powerup slots draw themselves here.
}
