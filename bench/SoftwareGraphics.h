// The benchmarks that draw or make textures do it on the software renderer
// of a hidden 1024 x 768 window, so their figures do not depend on a GPU.
#pragma once

#include <cstdlib>

#include "engine/Graphics.h"

inline bool OpenSoftwareGraphics() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (GraphicsOpen()) return true;
    SetRenderer(RendererKind::Software);
    return InitVideo() && Graphics(1024, 768, 0, 60);
}
