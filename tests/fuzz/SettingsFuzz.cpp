// The settings reader on any bytes: the game's own keys with their defaults,
// the file read over them and written back complete, as at start-up. It
// never crashes, and the file written back holds every key once.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "frame/Game.h"
#include "frame/IniFile.h"
#include "fuzz/FuzzInput.h"

namespace {

// The settings file of this process, in the temporary folder.
std::string SettingsFile() {
    static const std::string file =
        (std::filesystem::temp_directory_path() / ("hm-fuzz-settings-" + std::to_string(getpid())))
            .string();
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ThrowFatalErrors();
    static TGame game;
    game.Ini->FileName = SettingsFile();
    {
        std::ofstream out(game.Ini->Path(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    game.IniFill();
    const int keys = game.Ini->Count();
    try {
        game.Ini->Load();
    } catch (const FatalErrorRaised&) {
        return 0;
    }
    game.IniExtract();
    if (game.Ini->Count() != keys) std::abort();  // keys came or went
    std::filesystem::remove(game.Ini->Path());
    return 0;
}
