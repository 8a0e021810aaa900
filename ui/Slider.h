// A horizontal slider for a value 0-100: a track picture and a knob the
// player drags or clicks to a place (the volume sliders).
//
// Managed once per logic step, drawn once per frame. Its pictures come from
// the menu folder; a missing picture is fatal like every missing asset.
#pragma once

#include <memory>
#include <string>

#include "media/GameImage.h"
#include "media/Sprite.h"

class TSlider;
using TSliderPtr = std::shared_ptr<TSlider>;

// The sprite's own picture is the track.
class TSlider : public TSprite {
  public:
    TGameImagePtr DotImage;  // the knob
    int DotX = 0, DotY = 0;  // the knob's top-left corner
    int MouseOver = 0;       // the slider's own flag (hides the sprite's)
    int Value = 0;           // 0..100
    int Border = 0;          // track end margin in pixels
    int BorderY = 5;         // extra vertical reach of the pointer

    // track and knob are picture names in the menu folder (".png" when they
    // have no extension of their own).
    static TSliderPtr CreateSpecial(const std::string& track, const std::string& knob, float x,
                                    float y, int border, const std::string& name, int borderY = 5);
    virtual void Load(const std::string& track, const std::string& knob, const std::string& name);
    virtual void LoadImages(const std::string& track, const std::string& knob);
    // Value clamped to 0..100; the knob's centre travels from x + Border to
    // x + w - Border.
    virtual void SetValue(int v);
    // 1 while the pointer drags the knob (the value may have changed), else
    // 0. A drag that began over the slider keeps the knob until the button
    // is let go, so pulling past either end gives exactly 0 or 100.
    virtual int Manage();
    void Init() override;
    void Draw() override;

  private:
    bool PointerWithinReach() const;
    bool Dragging = false;
};
