// Images: one or more frames of pixels, each kept as a texture of the current
// renderer and, while needed, in main memory.
//
// A picture loaded from a file lets go of its pixels in main memory once its
// textures are made, and reads the file again the first time they are asked
// for: Lock (pixel collision, reading pixels, batches the engine draws by
// itself), or new textures after the renderer changed. An image that was
// locked keeps its pixels from then on; so do images made from a pixel map,
// which have no file to read again. Main thread only, like drawing.
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
    // texture refreshed before the next draw. Null when the frame does not
    // exist or its file can no longer be read.
    PixmapPtr Lock(int frame = 0);
    void Unlock(int frame = 0);
    // Whether the frame's pixels are in main memory now (for the tests).
    bool PixelsInMemory(int frame = 0) const;

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
    // The file a loaded picture came from, how it was cut into frames and the
    // mask colour it was loaded with, to read its pixels again.
    struct Source {
        std::string path;
        bool anim = false;
        int cellWidth = 0, cellHeight = 0, firstCell = 0;
        uint8_t maskR = 0, maskG = 0, maskB = 0;
    };
    ImageTexture* MaskTexture(int frame);
    // Reads the file again for the frames whose pixels were let go; false
    // when a frame is still without them.
    bool RestorePixels();
    // Lets go of the pixels of every frame whose textures hold all they need.
    void ReleasePixels();
    int width_;
    int height_;
    int flags_;
    float handleX_ = 0;
    float handleY_ = 0;
    std::vector<FrameData> frames_;
    std::unique_ptr<Source> source_;  // null: the pixels stay in memory
    bool keepPixels_ = false;         // set by Lock
};

// New images get a mid handle when this is on (off by default).
void AutoMidHandle(bool on);
bool AutoMidHandleEnabled();
// The colour MASKEDIMAGE makes transparent in pictures without alpha
// (black by default).
void SetMaskColor(int r, int g, int b);
// Re-creates every live image's textures (after the renderer changed).
void PrepareAllImages();
