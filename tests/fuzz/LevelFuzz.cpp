// The level-file reader on any bytes, through the call the game makes for a
// level's text. It never crashes, and the board it builds stays inside the
// largest board the game draws, with between one and all the gem colours, each a colour of the gem
// strip.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "board/Cell.h"
#include "board/Grid.h"
#include "frame/Game.h"
#include "fuzz/FuzzInput.h"
#include "progress/SaveData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ThrowFatalErrors();
    if (!Game) Game = std::make_unique<TGame>();
    if (!SaveData) SaveData = std::make_shared<TSaveData>();
    SaveData->shopPurchases.fill(0);
    Grid = TGameGrid::Create();
    try {
        Grid->LoadLevelFromText(std::string(data, data + size));
    } catch (const FatalErrorRaised&) {
        Grid.reset();
        return 0;
    }
    const bool inside = Grid->levelwidth >= 1 && Grid->levelwidth <= MAX_GRID_WIDTH &&
                        Grid->levelheight >= 1 && Grid->levelheight <= MAX_GRID_HEIGHT;
    bool colours = GemColourCount >= 1 && GemColourCount <= MAX_GEM_COLOURS;
    for (int i = 0; colours && i < GemColourCount; ++i)
        colours = GemColours[i] >= FIRST_COLOUR && GemColours[i] <= LAST_COLOUR;
    Grid->Clear();
    Grid.reset();
    if (!inside || !colours) std::abort();
    return 0;
}
