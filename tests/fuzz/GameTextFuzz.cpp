// The game-text reader on any bytes, through the loader's own call: the
// text is decoded (any byte-order mark) and read into the table. It never
// crashes; a file whose entries lack their header is the fatal error.
#include <cstdint>
#include <string>

#include "fuzz/FuzzInput.h"
#include "media/GameText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ThrowFatalErrors();
    const MemoryFile file(data, size);
    if (!file.Ready()) return 0;
    TGameText table;
    try {
        table.Read(file.Path());
    } catch (const FatalErrorRaised&) {
        return 0;
    }
    for (const std::string& key : GameTextKeys())
        table.FindString(key);
    table.FirstMissingKey(GameTextKeys());
    return 0;
}
