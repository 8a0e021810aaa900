#include "board/Powerups.h"

std::array<THUDPowerupPtr, 6> HUDPowerups = {
    std::make_shared<THUDPowerup>(), std::make_shared<THUDPowerup>(), std::make_shared<THUDPowerup>(),
    std::make_shared<THUDPowerup>(), std::make_shared<THUDPowerup>(), std::make_shared<THUDPowerup>()};

void RestorePointer() {}
void AnimatePointer() {}
bool TarotRunning() { return false; }
