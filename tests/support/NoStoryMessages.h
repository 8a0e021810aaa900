// Tests of play that are not about the story: the chapters told before
// levels 1, 4, 9 ... hold the level's intro until read, so these tests take
// them out of the message table once the game has loaded it.
#pragma once

#include <algorithm>

#include "progress/LevelDialogs.h"

inline void DropStoryMessages() {
    std::erase_if(LevelDialogList, [](const LevelDialogInfoPtr& info) {
        return info->DialogTiming == LevelDialogInfo::PRE_LEVEL;
    });
}
