// Clickable pictures: a sprite with normal, mouse-over, pressed and disabled
// images, sounds, a caption, a hit box, glow and scale effects, mouse repeat
// and a keyboard shortcut.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "engine/Audio.h"
#include "media/Animation.h"
#include "media/Label.h"
#include "media/Sound.h"
#include "media/Sprite.h"
#include "ui/Repeat.h"

class TButton;
using TButtonPtr = std::shared_ptr<TButton>;

class TButton : public TSprite {
  public:
    TGameImagePtr ImageDisabled;
    TGameImagePtr ImageMouseClick;
    TGameImagePtr ImageMouseOver;
    TGameSoundPtr SoundMouseOver, SoundClick, SoundClick2;
    TBoxPtr BoundingBox;
    TLabelPtr Caption;
    TColorPtr CaptionDisabledColor;
    TMouseRepeatPtr MouseRepeat;
    int Active = 1;
    int AlwaysDraw = 0;
    int Animated = 0;
    int ClickDisabled = 1;
    int ClickWhenDown = 0;
    int Disabled = 0;
    int OKButton = 0;
    int OKButtonUseSpace = 1;
    int StayDown = 0;
    int UseGlowOnMO = 1;
    int UseMenuPath = 0;
    std::function<int()> MouseOverUserFunction;
    int Clicked = 0;
    int MouseOver = 0;  // the button's own flag (hides the sprite's)
    // 1 while the keyboard or controller focus is on the button: it looks
    // and sounds as under the mouse, but only the mouse's press clicks it.
    int KeyFocus = 0;
    int AutoGlowOnMO = 0;
    TColorPtr CaptionDownColor;
    float CaptionDownScale = 1.0f;
    float CaptionDownOffsetX = 0, CaptionDownOffsetY = 0;
    ChannelPtr ChannelMouseOver, ChannelClick;
    int FixedGlowOnMO = 0;
    int FixedGlowOnMOUseMO = 0;
    float MouseClickCounter = 0;
    float MouseClickDuration = 0;
    int NoSound = 0;
    int OldRoundedCoords = 0;
    float ScaleOnMOMax = 1.0f;
    float ScaleOnMO = 1.0f;
    float ScaleOnMOUpSpeed = 0.03f, ScaleOnMODownSpeed = 0.01f;

    // ---- operations added after the sprite's, in slot order ----
    virtual void ClearClick();
    virtual int Click(int repeat);
    static TButtonPtr CreateSpecial(const std::string& image, const std::string& imageMO,
                                    const std::string& soundMO, const std::string& soundClick);
    virtual void DrawCaption();
    virtual void FixedGlowOnMOActivate();
    virtual std::string GetPath();
    virtual void Load(const std::string& image, const std::string& imageMO,
                      const std::string& soundMO, const std::string& soundClick, int cellWidth,
                      int cellHeight, int frames);
    virtual void LoadDisabled(const std::string& imageName);
    virtual void LoadImages(const std::string& image, const std::string& imageMO, int cellWidth,
                            int cellHeight, int frames);
    virtual void LoadMouseClick(const std::string& imageName, float ms);
    virtual void Manage();
    virtual void ManageNoSound();
    virtual void ManageScaleOnMO();
    virtual void MoveBy(float byX, float byY);
    virtual void MoveTo(float toX, float toY);
    virtual void PlayClick();
    virtual void PlayClick2();
    virtual void PlayMouseOver();
    virtual void Precache();
    virtual void SetFixedGlowOnMO(float glowMax, float glowSpeed, int useMOImage);
    virtual void SetAutoGlow(float min, float max, float glowSpeed, int alsoOverMO);
    virtual void SetBoundingBox(float x1, float y1, float x2, float y2, int asCorners);
    virtual void SetBoundingBoxAuto(float fx, float fy);
    virtual void SetupCaption(const std::string& text, const ImagePtr& imageFont,
                              const TColorPtr& colour, const TShadowPtr& shadow,
                              const TBitmapFontPtr& bitmapFont, const TColorPtr& inverseColour);
    virtual void SetupCaptionDown(const TColorPtr& colour, float scale, float offsetX,
                                  float offsetY);
    virtual void SetupMouseRepeat(float initialDelayMs, float delayMs);
    virtual void SetupScaleOnMO(float max, float upSpeed, float downSpeed);
    virtual void SimulateClick();
    // Overrides.
    void CentreX(float newY) override;
    void Draw() override;
    void Init() override;
    void Kill() override;

  private:
    bool MouseInside() const;
    void ManageCore(bool quiet);
    void DrawLook(const TGameImagePtr& look, int lookFrame, bool glowPass);
    bool WasOver = false;
};
