#include "assetkit/Registry.h"

namespace asset {
void RegisterSounds(Registry& registry);
}

int main(int argc, char** argv) {
    return asset::RunGroup(argc, argv, "sounds", asset::RegisterSounds);
}
