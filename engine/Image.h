// Images: one or more frames of pixels, each kept in main memory (so it can be
// locked and read) and as a texture of the current renderer.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/Pixmap.h"

enum ImageFlag {
    MASKEDIMAGE = 1,     // pixels of the mask colour become transparent
    FILTEREDIMAGE = 2,   // smooth scaling
    MIPMAPPEDIMAGE = 4,  // accepted; the renderers here have no mip maps
    DYNAMICIMAGE = 8,    // pixels change often (locked and written)
};
constexpr int DEFAULT_IMAGE_FLAGS = -1;  // MASKEDIMAGE | FILTEREDIMAGE

class TImage;
using ImagePtr = std::shared_ptr<TImage>;
struct ImageTexture;

class TImage {
  public:
    ~TImage();
    TImage(const TImage&) = delete;
    TImage& operator=(const TImage&) = delete;

    // null when the picture cannot be read.
    static ImagePtr Load(const std::string& path, int flags = DEFAULT_IMAGE_FLAGS);
    // Frames cut row by row from a strip or grid of cellWidth x cellHeight
    // cells, starting at cell firstCell; null when the picture cannot be read
    // or holds fewer cells than asked for.
    static ImagePtr LoadAnim(const std::string& path, int cellWidth, int cellHeight, int firstCell,
                             int cellCount, int flags = DEFAULT_IMAGE_FLAGS);
    static ImagePtr FromPixmap(const PixmapPtr& pixmap, int flags = DEFAULT_IMAGE_FLAGS);
    static ImagePtr AnimFromPixmap(const PixmapPtr& pixmap, int cellWidth, int cellHeight,
                                   int firstCell, int cellCount, int flags = DEFAULT_IMAGE_FLAGS);
    // An image of transparent black frames.
    static ImagePtr Create(int width, int height, int frames = 1, int flags = DEFAULT_IMAGE_FLAGS);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Frames() const { return static_cast<int>(frames_.size()); }
    int Flags() const { return flags_; }

    // Makes the texture of frame n ready now, so its first draw does not have
    // to. Loading prepares every frame when graphics are open.
    void Frame(int n);
    void PrepareAllFrames();

    // The frame's pixels; write through the pixmap, then Unlock to have the
    // texture refreshed before the next draw.
    PixmapPtr Lock(int frame = 0);
    void Unlock(int frame = 0);

    void SetHandle(float x, float y) {
        handleX_ = x;
        handleY_ = y;
    }
    void MidHandle() { SetHandle(width_ * 0.5f, height_ * 0.5f); }
    float HandleX() const { return handleX_; }
    float HandleY() const { return handleY_; }

    // Renderer side, used by the drawing code. The mask variant draws pixels
    // with alpha below one half not at all and the rest opaque.
    ImageTexture* Texture(int frame, bool maskVariant);
    void DropTextures();  // the renderer is going away

  private:
    TImage(int width, int height, int flags);
    struct FrameData {
        PixmapPtr pixels;
        std::unique_ptr<ImageTexture> texture;
        std::unique_ptr<ImageTexture> maskTexture;
        bool dirty = true;
        bool maskDirty = true;
        bool binaryAlpha = false;
    };
    ImageTexture* MaskTexture(int frame);
    int width_;
    int height_;
    int flags_;
    float handleX_ = 0;
    float handleY_ = 0;
    std::vector<FrameData> frames_;
};

// New images get a mid handle when this is on (off by default).
void AutoMidHandle(bool on);
bool AutoMidHandleEnabled();
// The colour MASKEDIMAGE makes transparent in pictures without alpha
// (black by default).
void SetMaskColor(int r, int g, int b);
// Re-creates every live image's textures (after the renderer changed).
void PrepareAllImages();
