#include "assetkit/Registry.h"

namespace asset {
void RegisterScenes(Registry& registry);
}

int main(int argc, char** argv) {
    return asset::RunGroup(argc, argv, "scenes", asset::RegisterScenes);
}
