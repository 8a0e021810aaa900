#include "assetkit/Registry.h"

namespace asset {
void RegisterFonts(Registry& registry);
}

int main(int argc, char** argv) {
    return asset::RunGroup(argc, argv, "fonts", asset::RegisterFonts);
}
