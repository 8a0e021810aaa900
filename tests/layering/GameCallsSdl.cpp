// Game code that calls SDL itself. Only the engine links SDL, so this program
// must not link: its test builds it and expects the linker to refuse SDL's
// symbols.
#include <SDL2/SDL.h>

#include "frame/Game.h"

int main() {
    return static_cast<int>(SDL_GetTicks()) + (Game ? 1 : 0);
}
