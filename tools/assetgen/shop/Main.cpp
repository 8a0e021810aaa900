#include "assetkit/Registry.h"

namespace asset {
void RegisterShop(Registry& registry);
}

int main(int argc, char** argv) {
    return asset::RunGroup(argc, argv, "shop", asset::RegisterShop);
}
