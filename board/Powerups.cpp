#include "board/Powerups.h"

#include "board/Grid.h"

std::array<THUDPowerupPtr, 6> HUDPowerups = {
    std::make_shared<THUDPowerup>(), std::make_shared<THUDPowerup>(),
    std::make_shared<THUDPowerup>(), std::make_shared<THUDPowerup>(),
    std::make_shared<THUDPowerup>(), std::make_shared<THUDPowerup>()};

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
