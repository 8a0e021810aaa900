#include "engine/Image.h"

#include <algorithm>
#include <set>

#include "engine/RenderInternal.h"

namespace {

bool g_autoMidHandle = false;
uint8_t g_maskR = 0, g_maskG = 0, g_maskB = 0;
// Every live image, so textures can be dropped and rebuilt when the renderer
// changes.
std::set<TImage*>& LiveImages() {
    // Never destroyed: images held by other globals may outlive any static.
    static auto* images = new std::set<TImage*>;
    return *images;
}

int EffectiveFlags(int flags) {
    return flags == DEFAULT_IMAGE_FLAGS ? (MASKEDIMAGE | FILTEREDIMAGE) : flags;
}

// Pictures without alpha of their own get the mask colour punched out.
PixmapPtr PrepareSource(const PixmapPtr& source, int flags) {
    PixmapPtr rgba = source->Format() == PixelFormat::RGBA8888
                         ? source->Copy()
                         : source->Convert(PixelFormat::RGBA8888);
    if ((flags & MASKEDIMAGE) && !FormatHasAlpha(source->Format())) {
        for (int y = 0; y < rgba->Height(); ++y) {
            uint8_t* p = rgba->PixelPtr(0, y);
            for (int x = 0; x < rgba->Width(); ++x, p += 4) {
                if (p[0] == g_maskR && p[1] == g_maskG && p[2] == g_maskB) p[3] = 0;
            }
        }
    }
    return rgba;
}

std::unique_ptr<ImageTexture> UploadTexture(const TPixmap& pixels, bool filtered,
                                            bool thresholdAlpha) {
    SDL_Renderer* renderer = CurrentSdlRenderer();
    if (!renderer || pixels.Width() <= 0 || pixels.Height() <= 0) return nullptr;
    SdlTexturePtr texture(SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA32,
                                            SDL_TEXTUREACCESS_STATIC, pixels.Width(),
                                            pixels.Height()));
    if (!texture) return nullptr;
    if (thresholdAlpha) {
        // Mask blending draws a pixel fully or not at all; the texture keeps
        // that decision so the renderer can blend it as ordinary alpha.
        TPixmap masked(pixels.Width(), pixels.Height(), PixelFormat::RGBA8888);
        std::copy(pixels.Pixels(), pixels.Pixels() + pixels.Pitch() * pixels.Height(),
                  masked.Pixels());
        uint8_t* p = masked.Pixels();
        for (int i = 0; i < masked.Width() * masked.Height(); ++i, p += 4)
            p[3] = p[3] >= 128 ? 255 : 0;
        SDL_UpdateTexture(texture.get(), nullptr, masked.Pixels(), masked.Pitch());
    } else {
        SDL_UpdateTexture(texture.get(), nullptr, pixels.Pixels(), pixels.Pitch());
    }
    SDL_SetTextureScaleMode(texture.get(), filtered ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    auto result = std::make_unique<ImageTexture>();
    result->texture = std::move(texture);
    result->width = pixels.Width();
    result->height = pixels.Height();
    return result;
}

bool HasBinaryAlpha(const TPixmap& pixels) {
    const uint8_t* p = pixels.Pixels();
    for (int i = 0; i < pixels.Width() * pixels.Height(); ++i, p += 4) {
        if (p[3] != 0 && p[3] != 255) return false;
    }
    return true;
}

}  // namespace

void AutoMidHandle(bool on) {
    g_autoMidHandle = on;
}
bool AutoMidHandleEnabled() {
    return g_autoMidHandle;
}

void SetMaskColor(int r, int g, int b) {
    g_maskR = static_cast<uint8_t>(std::clamp(r, 0, 255));
    g_maskG = static_cast<uint8_t>(std::clamp(g, 0, 255));
    g_maskB = static_cast<uint8_t>(std::clamp(b, 0, 255));
}

void PrepareAllImages() {
    for (TImage* image : LiveImages()) {
        image->DropTextures();
        image->PrepareAllFrames();
    }
}

TImage::TImage(int width, int height, int flags)
    : width_(width), height_(height), flags_(EffectiveFlags(flags)) {
    LiveImages().insert(this);
    if (g_autoMidHandle) MidHandle();
}

TImage::~TImage() {
    LiveImages().erase(this);
}

ImagePtr TImage::Load(const std::string& path, int flags) {
    PixmapPtr pixmap = LoadPixmap(path);
    return pixmap ? FromPixmap(pixmap, flags) : nullptr;
}

ImagePtr TImage::LoadAnim(const std::string& path, int cellWidth, int cellHeight, int firstCell,
                          int cellCount, int flags) {
    PixmapPtr pixmap = LoadPixmap(path);
    return pixmap ? AnimFromPixmap(pixmap, cellWidth, cellHeight, firstCell, cellCount, flags)
                  : nullptr;
}

ImagePtr TImage::FromPixmap(const PixmapPtr& pixmap, int flags) {
    if (!pixmap || pixmap->Width() <= 0 || pixmap->Height() <= 0) return nullptr;
    ImagePtr image(new TImage(pixmap->Width(), pixmap->Height(), flags));
    image->frames_.resize(1);
    image->frames_[0].pixels = PrepareSource(pixmap, image->flags_);
    image->PrepareAllFrames();
    return image;
}

ImagePtr TImage::AnimFromPixmap(const PixmapPtr& pixmap, int cellWidth, int cellHeight,
                                int firstCell, int cellCount, int flags) {
    if (!pixmap || cellWidth <= 0 || cellHeight <= 0 || firstCell < 0 || cellCount <= 0)
        return nullptr;
    const int columns = pixmap->Width() / cellWidth;
    const int rows = pixmap->Height() / cellHeight;
    if (columns <= 0 ||
        static_cast<long>(columns) * rows < static_cast<long>(firstCell) + cellCount) {
        return nullptr;
    }
    PixmapPtr source = PrepareSource(pixmap, EffectiveFlags(flags));
    ImagePtr image(new TImage(cellWidth, cellHeight, flags));
    image->frames_.resize(cellCount);
    for (int i = 0; i < cellCount; ++i) {
        const int cell = firstCell + i;
        image->frames_[i].pixels = source->Window(
            (cell % columns) * cellWidth, (cell / columns) * cellHeight, cellWidth, cellHeight);
    }
    image->PrepareAllFrames();
    return image;
}

ImagePtr TImage::Create(int width, int height, int frames, int flags) {
    if (width <= 0 || height <= 0 || frames <= 0) return nullptr;
    ImagePtr image(new TImage(width, height, flags));
    image->frames_.resize(frames);
    for (auto& frame : image->frames_) {
        frame.pixels = TPixmap::Create(width, height, PixelFormat::RGBA8888);
        frame.pixels->ClearPixels(0);
    }
    image->PrepareAllFrames();
    return image;
}

void TImage::Frame(int n) {
    Texture(n, false);
}

void TImage::PrepareAllFrames() {
    if (!CurrentSdlRenderer()) return;
    for (int i = 0; i < Frames(); ++i)
        Texture(i, false);
}

PixmapPtr TImage::Lock(int frame) {
    if (frame < 0 || frame >= Frames()) return nullptr;
    return frames_[frame].pixels;
}

void TImage::Unlock(int frame) {
    if (frame < 0 || frame >= Frames()) return;
    frames_[frame].dirty = true;
    frames_[frame].maskDirty = true;
}

ImageTexture* TImage::Texture(int frame, bool maskVariant) {
    if (maskVariant) return MaskTexture(frame);
    if (frame < 0 || frame >= Frames()) return nullptr;
    FrameData& data = frames_[frame];
    if (!data.texture || data.dirty) {
        if (data.texture) {
            SDL_UpdateTexture(data.texture->texture.get(), nullptr, data.pixels->Pixels(),
                              data.pixels->Pitch());
        } else {
            data.texture = UploadTexture(*data.pixels, (flags_ & FILTEREDIMAGE) != 0, false);
        }
        data.dirty = data.texture == nullptr;
    }
    return data.texture.get();
}

ImageTexture* TImage::MaskTexture(int frame) {
    if (frame < 0 || frame >= Frames()) return nullptr;
    FrameData& data = frames_[frame];
    if (data.maskDirty) {
        data.binaryAlpha = HasBinaryAlpha(*data.pixels);
        data.maskDirty = false;
        data.maskTexture.reset();
    }
    // Pictures whose alpha is already all-or-nothing draw as they are; only
    // soft edges need a thresholded copy, made the first time it is needed.
    if (data.binaryAlpha) return Texture(frame, false);
    if (!data.maskTexture)
        data.maskTexture = UploadTexture(*data.pixels, (flags_ & FILTEREDIMAGE) != 0, true);
    return data.maskTexture.get();
}

void TImage::DropTextures() {
    for (auto& frame : frames_) {
        frame.texture.reset();
        frame.maskTexture.reset();
        frame.dirty = frame.maskDirty = true;
    }
}

void DropAllImageTextures() {
    for (TImage* image : LiveImages())
        image->DropTextures();
}
