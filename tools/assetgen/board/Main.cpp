#include "assetkit/Registry.h"

namespace asset {
void RegisterBoard(Registry& registry);
}

int main(int argc, char** argv) {
    return asset::RunGroup(argc, argv, "board", asset::RegisterBoard);
}
