// The level map inside the whole program, headless: a player of chosen open
// levels arrives on the map, input goes through the system's queue, and the
// helpers read where the dots are on the screen and what the game did.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/Point.h"
#include "ui/DialogFixture.h"

class MapTest : public DialogScreenTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The map at rest after its arrival, with these levels open.
    void Open(int unlocked, int level);
    // Where a level's dot is on the screen now.
    static TAccuratePoint OnScreen(int level);
    void PointAt(float x, float y);
    void ClickDot(int level);
    // How many channels play a sound now.
    static int Playing(const std::string& sound);
    static std::vector<uint8_t> ProfileBytes();
    // The fade out of the map ends here, without the screen it led to.
    static void CancelLeaving();
    static bool MapAtRest();
    // Steps until the level play screen runs this level.
    bool ReachLevel(int level);
};
