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

struct MaskColour {
    uint8_t r, g, b;
};

// Pictures without alpha of their own get the mask colour punched out. A
// pixel map only the caller holds is taken over rather than copied.
PixmapPtr PrepareSource(PixmapPtr source, int flags, MaskColour mask, bool sole) {
    const bool punch = (flags & MASKEDIMAGE) && !FormatHasAlpha(source->Format());
    PixmapPtr rgba = source->Format() != PixelFormat::RGBA8888
                         ? source->Convert(PixelFormat::RGBA8888)
                     : sole ? std::move(source)
                            : source->Copy();
    if (punch) {
        for (int y = 0; y < rgba->Height(); ++y) {
            uint8_t* p = rgba->PixelPtr(0, y);
            for (int x = 0; x < rgba->Width(); ++x, p += 4) {
                if (p[0] == mask.r && p[1] == mask.g && p[2] == mask.b) p[3] = 0;
            }
        }
    }
    return rgba;
}

MaskColour CurrentMask() {
    return {g_maskR, g_maskG, g_maskB};
}

// Whether every pixel of an RGBA pixel map is fully opaque.
bool AllOpaque(const uint8_t* pixels, int width, int height, int pitch) {
    for (int y = 0; y < height; ++y) {
        const uint8_t* p = pixels + static_cast<size_t>(y) * pitch + 3;
        for (int x = 0; x < width; ++x, p += 4) {
            if (*p != 255) return false;
        }
    }
    return true;
}

std::unique_ptr<ImageTexture> UploadTexture(const TPixmap& pixels, bool filtered,
                                            bool thresholdAlpha) {
    SDL_Renderer* renderer = CurrentSdlRenderer();
    if (!renderer || pixels.Width() <= 0 || pixels.Height() <= 0) return nullptr;
    SdlTexturePtr texture(SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA32,
                                            SDL_TEXTUREACCESS_STATIC, pixels.Width(),
                                            pixels.Height()));
    if (!texture) return nullptr;
    bool opaque = false;
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
        opaque = AllOpaque(masked.Pixels(), masked.Width(), masked.Height(), masked.Pitch());
    } else {
        SDL_UpdateTexture(texture.get(), nullptr, pixels.Pixels(), pixels.Pitch());
        opaque = AllOpaque(pixels.Pixels(), pixels.Width(), pixels.Height(), pixels.Pitch());
    }
    SDL_SetTextureScaleMode(texture.get(), filtered ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    auto result = std::make_unique<ImageTexture>();
    result->texture = std::move(texture);
    result->width = pixels.Width();
    result->height = pixels.Height();
    result->opaque = opaque;
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
    if (!pixmap || pixmap->Width() <= 0 || pixmap->Height() <= 0) return nullptr;
    ImagePtr image(new TImage(pixmap->Width(), pixmap->Height(), flags));
    image->source_ = std::make_unique<Source>();
    image->source_->path = path;
    const MaskColour mask = CurrentMask();
    image->source_->maskR = mask.r;
    image->source_->maskG = mask.g;
    image->source_->maskB = mask.b;
    image->frames_.resize(1);
    image->frames_[0].pixels = PrepareSource(std::move(pixmap), image->flags_, mask, true);
    image->PrepareAllFrames();
    return image;
}

ImagePtr TImage::LoadAnim(const std::string& path, int cellWidth, int cellHeight, int firstCell,
                          int cellCount, int flags) {
    PixmapPtr pixmap = LoadPixmap(path);
    if (!pixmap) return nullptr;
    ImagePtr image = AnimFromPixmap(pixmap, cellWidth, cellHeight, firstCell, cellCount, flags);
    if (!image) return nullptr;
    image->source_ = std::make_unique<Source>();
    image->source_->path = path;
    image->source_->anim = true;
    image->source_->cellWidth = cellWidth;
    image->source_->cellHeight = cellHeight;
    image->source_->firstCell = firstCell;
    const MaskColour mask = CurrentMask();
    image->source_->maskR = mask.r;
    image->source_->maskG = mask.g;
    image->source_->maskB = mask.b;
    // Made before the image knew its file: let go of what is uploaded now.
    image->ReleasePixels();
    return image;
}

ImagePtr TImage::FromPixmap(const PixmapPtr& pixmap, int flags) {
    if (!pixmap || pixmap->Width() <= 0 || pixmap->Height() <= 0) return nullptr;
    ImagePtr image(new TImage(pixmap->Width(), pixmap->Height(), flags));
    image->frames_.resize(1);
    image->frames_[0].pixels = PrepareSource(pixmap, image->flags_, CurrentMask(), false);
    image->PrepareAllFrames();
    return image;
}

namespace {

// The frames of a strip or grid, cut row by row; empty when the picture
// holds fewer cells than asked for.
std::vector<PixmapPtr> CutCells(const TPixmap& source, int cellWidth, int cellHeight, int firstCell,
                                int cellCount) {
    std::vector<PixmapPtr> cells;
    if (cellWidth <= 0 || cellHeight <= 0 || firstCell < 0 || cellCount <= 0) return cells;
    const int columns = source.Width() / cellWidth;
    const int rows = source.Height() / cellHeight;
    if (columns <= 0 ||
        static_cast<long>(columns) * rows < static_cast<long>(firstCell) + cellCount) {
        return cells;
    }
    cells.reserve(cellCount);
    for (int i = 0; i < cellCount; ++i) {
        const int cell = firstCell + i;
        cells.push_back(source.Window((cell % columns) * cellWidth, (cell / columns) * cellHeight,
                                      cellWidth, cellHeight));
    }
    return cells;
}

}  // namespace

ImagePtr TImage::AnimFromPixmap(const PixmapPtr& pixmap, int cellWidth, int cellHeight,
                                int firstCell, int cellCount, int flags) {
    if (!pixmap) return nullptr;
    // Cut from the picture as it is, then each cell prepared: the same pixels
    // as preparing the whole picture first, without a copy of all of it.
    std::vector<PixmapPtr> cells = CutCells(*pixmap, cellWidth, cellHeight, firstCell, cellCount);
    if (cells.empty()) return nullptr;
    ImagePtr image(new TImage(cellWidth, cellHeight, flags));
    image->frames_.resize(cellCount);
    for (int i = 0; i < cellCount; ++i) {
        image->frames_[i].pixels =
            PrepareSource(std::move(cells[i]), image->flags_, CurrentMask(), true);
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
    // Whoever reads the pixels once reads them again: they stay from now on.
    keepPixels_ = true;
    RestorePixels();
    return frames_[frame].pixels;
}

void TImage::Unlock(int frame) {
    if (frame < 0 || frame >= Frames() || !frames_[frame].pixels) return;
    frames_[frame].dirty = true;
    frames_[frame].maskDirty = true;
}

bool TImage::PixelsInMemory(int frame) const {
    return frame >= 0 && frame < Frames() && frames_[frame].pixels != nullptr;
}

bool TImage::RestorePixels() {
    const bool complete = std::all_of(frames_.begin(), frames_.end(),
                                      [](const FrameData& data) { return data.pixels != nullptr; });
    if (complete) return true;
    if (!source_) return false;
    PixmapPtr pixmap = LoadPixmap(source_->path);
    if (!pixmap) return false;
    const MaskColour mask{source_->maskR, source_->maskG, source_->maskB};
    std::vector<PixmapPtr> cells;
    if (source_->anim) {
        cells = CutCells(*pixmap, source_->cellWidth, source_->cellHeight, source_->firstCell,
                         Frames());
    } else {
        cells.push_back(std::move(pixmap));
    }
    if (cells.size() != frames_.size()) return false;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (cells[i]->Width() != width_ || cells[i]->Height() != height_) return false;
    }
    for (size_t i = 0; i < cells.size(); ++i) {
        if (!frames_[i].pixels)
            frames_[i].pixels = PrepareSource(std::move(cells[i]), flags_, mask, true);
    }
    return true;
}

void TImage::ReleasePixels() {
    if (!source_ || keepPixels_) return;
    for (FrameData& data : frames_) {
        if (data.pixels && data.texture && !data.dirty && !data.maskDirty) data.pixels.reset();
    }
}

ImageTexture* TImage::Texture(int frame, bool maskVariant) {
    if (maskVariant) return MaskTexture(frame);
    if (frame < 0 || frame >= Frames()) return nullptr;
    FrameData& data = frames_[frame];
    if (!data.texture || data.dirty) {
        if (!data.pixels && !RestorePixels()) return data.texture.get();
        if (data.texture) {
            TextureContentChanging(data.texture->texture.get());
            SDL_UpdateTexture(data.texture->texture.get(), nullptr, data.pixels->Pixels(),
                              data.pixels->Pitch());
            data.texture->opaque = AllOpaque(data.pixels->Pixels(), data.pixels->Width(),
                                             data.pixels->Height(), data.pixels->Pitch());
        } else {
            data.texture = UploadTexture(*data.pixels, (flags_ & FILTEREDIMAGE) != 0, false);
        }
        data.dirty = data.texture == nullptr;
        // Whether the picture needs a thresholded copy for mask drawing is
        // known while its pixels are at hand.
        if (data.maskDirty) {
            data.binaryAlpha = HasBinaryAlpha(*data.pixels);
            data.maskDirty = false;
            data.maskTexture.reset();
        }
        ReleasePixels();
    }
    return data.texture.get();
}

ImageTexture* TImage::MaskTexture(int frame) {
    if (frame < 0 || frame >= Frames()) return nullptr;
    FrameData& data = frames_[frame];
    if (data.maskDirty) {
        if (!data.pixels && !RestorePixels()) return nullptr;
        data.binaryAlpha = HasBinaryAlpha(*data.pixels);
        data.maskDirty = false;
        data.maskTexture.reset();
    }
    // Pictures whose alpha is already all-or-nothing draw as they are; only
    // soft edges need a thresholded copy, made the first time it is needed.
    if (data.binaryAlpha) return Texture(frame, false);
    if (!data.maskTexture) {
        if (!data.pixels && !RestorePixels()) return nullptr;
        data.maskTexture = UploadTexture(*data.pixels, (flags_ & FILTEREDIMAGE) != 0, true);
        ReleasePixels();
    }
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
