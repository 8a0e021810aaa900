#include "Decorations.h"

#include "Scene.h"

namespace asset::shop {

const std::vector<Decoration>& Decorations() {
    // Icon frames pick the readable part of tall or wide pictures (the cage
    // without its long chain, the pot of the cauldron...).
    static const std::vector<Decoration> all = {
        {"pumpkin1", DrawPumpkin1, {}},
        {"pumpkin2", DrawPumpkin2, {}},
        {"lantern1", DrawLantern1, {24, 8, 92, 104}},
        {"lantern2", DrawLantern2, {14, 8, 112, 118}},
        {"candelabra1", DrawCandelabra1, {}},
        {"candelabra2", DrawCandelabra2, {}},
        {"torch1", DrawTorch1, {22, 14, 80, 112}},
        {"torch2", DrawTorch2, {14, 14, 90, 128}},
        {"cat1", DrawCat1, {}},
        {"cat2", DrawCat2, {}},
        {"mist1", DrawMist1, {}, kLeft | kRight, MistIcon1},
        {"mist2", DrawMist2, {}, kLeft | kRight, MistIcon2},
        {"pumpkinlights1", DrawPumpkinLights1, {66, 6, 90, 56}},
        {"pumpkinlights2", DrawPumpkinLights2, {40, 22, 92, 66}},
        {"gravebed", DrawGravebed, {}},
        {"brackenfold", DrawBrackenfoldSign, {}, kNoEdge, BrackenfoldIcon},
        {"cauldron", DrawCauldron, {6, 110, 118, 154}},
        {"cross gravestone1", DrawCrossGravestone1, {}},
        {"cross gravestone2", DrawCrossGravestone2, {}},
        {"well1", DrawWell1, {}},
        {"well2", DrawWell2, {}},
        {"web1", DrawWeb1, {}, kNoEdge, WebIcon1},
        {"web2", DrawWeb2, {}, kNoEdge, WebIcon2},
        {"coffin1", DrawCoffin1, {}},
        {"coffin2", DrawCoffin2, {}},
        {"coffin3", DrawCoffin3, {}},
        {"broomstick1", DrawBroomstick1, {0, 0, 0, 0, -32}},
        {"broomstick2", DrawBroomstick2, {0, 0, 0, 0, -32}},
        {"broomstick3", DrawBroomstick3, {0, 0, 0, 0, -30}},
        {"curved gravestone1", DrawCurvedGravestone1, {}},
        {"curved gravestone2", DrawCurvedGravestone2, {}},
        {"curved gravestone3", DrawCurvedGravestone3, {}},
        {"lightningtree1", DrawLightningTree1, {16, 90, 214, 356}, kTop},
        {"lightningtree2", DrawLightningTree2, {16, 90, 214, 356}, kTop},
        {"lightningtree3", DrawLightningTree3, {16, 90, 214, 356}, kTop},
        {"cage1", DrawCage1, {2, 82, 88, 138}, kTop},
        {"cage2", DrawCage2, {2, 82, 88, 138}, kTop},
        {"cage3", DrawCage3, {8, 84, 134, 166}, kTop},
        {"foreground", DrawForeground, {}, kTop | kLeft | kRight | kBottom},
        {"midrighttree", DrawMidRightTree, {}, kTop | kRight},
    };
    return all;
}

const Decoration* FindDecoration(const std::string& file) {
    for (const Decoration& decoration : Decorations()) {
        if (decoration.file == file) return &decoration;
    }
    return nullptr;
}

}  // namespace asset::shop
