// The picture loader the game uses on any bytes: PNG, JPEG and TGA, chosen
// by the file's signature. It never crashes, and a picture it accepts has a
// size the pixel memory matches.
#include <cstdint>
#include <cstdlib>

#include "engine/PictureCodecs.h"
#include "engine/Pixmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const PixmapPtr picture = LoadPixmapFromMemory(data, size);
    if (!picture) return 0;
    if (!PictureSizeAcceptable(picture->Width(), picture->Height())) std::abort();
    // The far corner is in the pixel memory (the address checker sees it).
    volatile uint32_t corner = picture->ReadPixel(picture->Width() - 1, picture->Height() - 1);
    (void)corner;
    return 0;
}
