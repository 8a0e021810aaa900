#include "media/GameImage.h"

#include <algorithm>
#include <cmath>

#include "engine/Files.h"
#include "engine/Graphics.h"
#include "engine/Strings.h"
#include "frame/ErrorReport.h"

TImageBank ImageBank;
bool PrecacheOnLoad = true;

int FrameFromCounter(float counter, int length, int frames, int direction) {
    if (length == 0 || frames <= 0) return 0;
    const double ratio = static_cast<double>(counter) / length;
    const int frame = static_cast<int>(std::floor((direction != 0 ? ratio : 1.0 - ratio) * frames));
    return std::clamp(frame, 0, frames - 1);
}

namespace {

long PowerOfTwoAtLeast(int n) {
    long p = 1;
    while (p < n)
        p *= 2;
    return p;
}

}  // namespace

TGameImagePtr TGameImage::Create(const std::string& path, int flags, int midHandle) {
    auto image = std::make_shared<TGameImage>();
    image->Load(path, flags, midHandle);
    return image;
}

TGameImagePtr TGameImage::CreateAuto(const std::string& path, int cellWidth, int cellHeight,
                                     int firstFrame, int frameCount, int flags, int midHandle) {
    auto image = std::make_shared<TGameImage>();
    if (frameCount < 2) {
        image->Load(path, flags, midHandle);
    } else {
        image->LoadAnim(path, cellWidth, cellHeight, firstFrame, frameCount, flags, midHandle);
    }
    return image;
}

TGameImagePtr TGameImage::CreateFromImage(const ImagePtr& engineImage, const std::string& name,
                                          int midHandle) {
    auto image = std::make_shared<TGameImage>();
    image->name = name;
    image->image = engineImage;
    image->GetSize();
    image->MidHandle(midHandle);
    return image;
}

void TGameImage::Load(const std::string& path, int flags, int midHandle) {
    name = Upper(StripAll(path));
    image = LoadImageOrFail(path, flags);
    GetSize();
    MidHandle(midHandle);
    if (PrecacheOnLoad) Precache();
}

void TGameImage::LoadAnim(const std::string& path, int cellWidth, int cellHeight, int firstFrame,
                          int frameCount, int flags, int midHandle) {
    name = Upper(StripAll(path));
    image = LoadAnimImageOrFail(path, cellWidth, cellHeight, firstFrame, frameCount, flags);
    GetSize();
    MidHandle(midHandle);
    if (PrecacheOnLoad) Precache();
}

void TGameImage::MidHandle(int flag) {
    midhandled = flag ? 1 : 0;
    if (!image) return;
    if (flag) {
        image->MidHandle();
    } else {
        image->SetHandle(0, 0);
    }
}

void TGameImage::GetSize() {
    if (!image) return;
    w = image->Width();
    h = image->Height();
    w2 = static_cast<float>(w / 2);
    h2 = static_cast<float>(h / 2);
}

void TGameImage::Draw(float x, float y, int frame, const TShadowPtr& shadow) const {
    if (!image) return;
    if (shadow) {
        SetColor(0, 0, 0);
        SetAlpha(shadow->Alpha);
        DrawImage(*image, x + shadow->X, y + shadow->Y, frame);
        SetAlpha(1);
        SetColor(255, 255, 255);
    }
    DrawImage(*image, x, y, frame);
}

long TGameImage::CalcRAM() const {
    return static_cast<long>(w) * h * 4 * Frames();
}

long TGameImage::CalcVRAM() const {
    return PowerOfTwoAtLeast(w) * PowerOfTwoAtLeast(h) * 4 * Frames();
}

void TGameImage::Precache() {
    if (image) image->PrepareAllFrames();
}

void TImageBank::SetPath(const std::string& path) {
    Path = path;
    if (!Path.empty() && Path.back() != '/' && Path.back() != '\\') Path += "/";
}

TGameImagePtr TImageBank::Load(const std::string& file, const std::string& name, int flags,
                               int midHandle) {
    const std::string ext = ExtractExt(file).empty() ? Ext : "." + ExtractExt(file);
    TGameImagePtr image = TGameImage::Create(Path + StripExt(file) + ext, flags, midHandle);
    if (!name.empty()) image->name = Upper(name);
    Insert(image->name, image);
    return image;
}

TGameImagePtr TImageBank::LoadNoMid(const std::string& file, const std::string& name, int flags) {
    return Load(file, name, flags, 0);
}

TGameImagePtr TImageBank::LoadAnim(const std::string& file, int cellWidth, int cellHeight,
                                   int firstFrame, int frameCount, int flags, int midHandle) {
    auto image = std::make_shared<TGameImage>();
    image->LoadAnim(Path + file + Ext, cellWidth, cellHeight, firstFrame, frameCount, flags,
                    midHandle == 1 ? 1 : 0);
    Insert(image->name, image);
    return image;
}

TGameImagePtr TImageBank::Find(const std::string& name) const {
    const std::string key = Upper(name);
    TGameImagePtr image = ValueForKey(key);
    if (!image) ReportError("Image '" + key + "' was Not found in the ImageBank", 1);
    return image;
}

ImagePtr TImageBank::FindTImage(const std::string& name) const {
    TGameImagePtr image = ValueForKey(Upper(name));
    return image ? image->image : nullptr;
}

long TImageBank::CalcRAM() const {
    long total = 0;
    for (const auto& entry : *this)
        total += entry.second->CalcRAM();
    return total / 1024;
}

long TImageBank::CalcVRAM() const {
    long total = 0;
    for (const auto& entry : *this)
        total += entry.second->CalcVRAM();
    return total / 1024;
}

void TImageBank::Precache() {
    for (auto& entry : *this)
        entry.second->Precache();
}
