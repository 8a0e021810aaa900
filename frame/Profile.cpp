#include "frame/Profile.h"

void TProfile::Init(const std::string& name) {
    Name = name;
    CurrentLevel = 1;
    LockedLevel = 2;
    Score = 0;
    Lives = 3;
    Kills = 0;
    TimeTaken = 0;
    Difficulty = 0;
    TipsFlag = 1;
    InstructionsFlag = 1;
    HintsShown.fill(0);
}
