#include "ui/Slider.h"

#include <algorithm>

#include "engine/Files.h"
#include "engine/Graphics.h"
#include "engine/Strings.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"

namespace {

// How far beside the track the pointer still reaches it.
constexpr int kReachX = 10;

TGameImagePtr LoadMenuPicture(const std::string& name) {
    const std::string file = ExtractExt(name).empty() ? name + ".png" : name;
    return TGameImage::Create(Game->MenuPath + file, -1, 0);
}

}  // namespace

TSliderPtr TSlider::CreateSpecial(const std::string& track, const std::string& knob, float x,
                                  float y, int border, const std::string& name, int borderY) {
    auto slider = std::make_shared<TSlider>();
    slider->Load(track, knob, name);
    slider->x = x;
    slider->y = y;
    slider->Border = border;
    slider->BorderY = borderY;
    slider->SetValue(50);
    slider->DotY = TruncToInt(y);
    slider->active = 1;
    return slider;
}

void TSlider::Load(const std::string& track, const std::string& knob, const std::string& name) {
    SetName(name);
    LoadImages(track, knob);
    Init();
}

void TSlider::LoadImages(const std::string& track, const std::string& knob) {
    image = LoadMenuPicture(track);
    DotImage = LoadMenuPicture(knob);
}

void TSlider::Init() {
    TSprite::Init();
    GetSize();
}

void TSlider::SetValue(int v) {
    Value = std::clamp(v, 0, 100);
    const double knobHalf = DotImage ? DotImage->w2 : 0;
    DotX = TruncToInt(x + Border + Value / 100.0 * (w - 2 * Border) - knobHalf);
}

bool TSlider::PointerWithinReach() const {
    const int mx = Game->Mouse->x, my = Game->Mouse->y;
    return x - kReachX <= mx && mx < x + w + kReachX && y - BorderY <= my && my < y + h + BorderY;
}

int TSlider::Manage() {
    if (!active) return 0;
    const bool held = Game->Mouse->GetMb() != 0;
    if (!held) Dragging = false;
    MouseOver = PointerWithinReach() ? 1 : 0;
    if (!MouseOver && !Dragging) return 0;
    if (!held) return 0;
    Dragging = true;
    const int mx = Game->Mouse->x;
    int value = 0;
    if (mx <= x + Border) {
        value = 0;
    } else if (mx >= x + w - Border) {
        value = 100;
    } else {
        value = Nearest((mx - x - Border) / (w - 2.0 * Border) * 100);
    }
    SetValue(value);
    return 1;
}

void TSlider::Draw() {
    if (!active) return;
    const DrawStateGuard restore;
    SetBlend(ALPHABLEND);
    if (image) DrawImage(image->image, x, y);
    if (DotImage) DrawImage(DotImage->image, static_cast<float>(DotX), static_cast<float>(DotY));
}
