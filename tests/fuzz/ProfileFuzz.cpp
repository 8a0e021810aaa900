// The profile reader on any bytes: it never crashes, and whatever the file
// held, every field is in the range a file the game wrote can hold.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "frame/Profile.h"

namespace {

bool Flag(int value) {
    return value == 0 || value == 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TProfile profile;
    profile.Init("Fuzz");
    profile.FromBytes(std::vector<uint8_t>(data, data + size));
    bool inRange = profile.LockedLevel >= 2 && profile.LockedLevel <= TProfile::LEVEL_COUNT + 1 &&
                   profile.CurrentLevel >= 1 && profile.CurrentLevel < profile.LockedLevel &&
                   profile.CurrentLevel <= TProfile::LEVEL_COUNT && profile.Score >= 0 &&
                   profile.Kills >= 0 && std::isfinite(profile.TimeTaken) &&
                   profile.TimeTaken >= 0 && Flag(profile.TipsFlag) &&
                   Flag(profile.InstructionsFlag);
    for (int hint : profile.HintsShown)
        inRange = inRange && Flag(hint);
    if (!inRange) std::abort();  // a field out of range after loading
    return 0;
}
