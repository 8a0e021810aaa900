// Program entry: everything happens in the game object's start-up, loop and
// exit sequence.
#include "frame/Game.h"

int main(int argc, char** argv) {
    return RunGame(argc, argv);
}
