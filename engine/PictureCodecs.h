// Limits shared by the picture decoders (internal to the engine and its tests).
#pragma once

#include <cstdint>

// No picture of the game comes near this; anything larger is a damaged or
// hostile file, refused before any pixel memory is set aside for it.
constexpr int MAX_PICTURE_SIDE = 16384;

inline bool PictureSizeAcceptable(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= MAX_PICTURE_SIDE && height <= MAX_PICTURE_SIDE;
}
