#include "assetkit/Registry.h"

namespace asset {
void RegisterUi(Registry& registry);
}

int main(int argc, char** argv) {
    return asset::RunGroup(argc, argv, "ui", asset::RegisterUi);
}
