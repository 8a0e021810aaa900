// Pictures the game keeps by name: an engine image with its frame size and
// handle, and the one image bank that holds them all.
#pragma once

#include <memory>
#include <string>

#include "engine/Containers.h"
#include "engine/Image.h"
#include "media/Color.h"

class TGameImage;
using TGameImagePtr = std::shared_ptr<TGameImage>;

// The frame shown for counter value c of length L (whole steps) over N
// frames: direction != 0 counts up, 0 counts down; clamped to 0..N-1; a
// length of 0 gives frame 0.
int FrameFromCounter(float counter, int length, int frames, int direction);

// Textures are made when an image loads (on in the game; tests may switch it
// off).
extern bool PrecacheOnLoad;

class TGameImage {
  public:
    std::string name;
    ImagePtr image;
    int w = 0, h = 0;
    float w2 = 0, h2 = 0;
    int midhandled = 0;
    int tag = 0;

    // Failures are fatal: "Error loading bitmap " / "Error loading anim bitmap " + path.
    static TGameImagePtr Create(const std::string& path, int flags, int midHandle);
    static TGameImagePtr CreateAuto(const std::string& path, int cellWidth, int cellHeight,
                                    int firstFrame, int frameCount, int flags, int midHandle);
    static TGameImagePtr CreateFromImage(const ImagePtr& engineImage, const std::string& name,
                                         int midHandle);
    void Load(const std::string& path, int flags, int midHandle);
    void LoadAnim(const std::string& path, int cellWidth, int cellHeight, int firstFrame,
                  int frameCount, int flags, int midHandle);
    void MidHandle(int flag);
    void GetSize();
    void Draw(float x, float y, int frame, const TShadowPtr& shadow) const;
    long CalcRAM() const;
    long CalcVRAM() const;
    void Precache();
    int Frames() const { return image ? image->Frames() : 0; }
};

class TImageBank : public TMap<TGameImagePtr> {
  public:
    std::string Path;
    std::string Ext = ".png";

    void SetPath(const std::string& path);
    TGameImagePtr Load(const std::string& file, const std::string& name = "", int flags = -1,
                       int midHandle = 1);
    TGameImagePtr LoadNoMid(const std::string& file, const std::string& name = "", int flags = -1);
    TGameImagePtr LoadAnim(const std::string& file, int cellWidth, int cellHeight, int firstFrame,
                           int frameCount, int flags = -1, int midHandle = 1);
    // Fatal when missing: "Image '" + NAME + "' was Not found in the ImageBank".
    TGameImagePtr Find(const std::string& name) const;
    ImagePtr FindTImage(const std::string& name) const;
    long CalcRAM() const;
    long CalcVRAM() const;
    void Precache();
};

extern TImageBank ImageBank;
