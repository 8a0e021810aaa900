#include "assetkit/Registry.h"

namespace asset {
void RegisterMusic(Registry& registry);
}

int main(int argc, char** argv) {
    return asset::RunGroup(argc, argv, "music", asset::RegisterMusic);
}
