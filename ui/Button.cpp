#include "ui/Button.h"

#include "engine/Files.h"
#include "engine/Graphics.h"
#include "engine/Keys.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"

namespace {

TGameImagePtr LoadCornerImage(const std::string& path, int cellWidth, int cellHeight, int frames) {
    return frames < 2 ? TGameImage::Create(path, -1, 0)
                      : TGameImage::CreateAuto(path, cellWidth, cellHeight, 0, frames, -1, 0);
}

}  // namespace

// ---------------------------------------------------------------- loading

TButtonPtr TButton::CreateSpecial(const std::string& image, const std::string& imageMO,
                                  const std::string& soundMO, const std::string& soundClick) {
    auto button = std::make_shared<TButton>();
    button->Load(image, imageMO, soundMO, soundClick, 0, 0, 1);
    return button;
}

std::string TButton::GetPath() {
    return UseMenuPath ? Game->MenuPath : Game->ImagePath;
}

void TButton::Load(const std::string& imageName, const std::string& imageMO,
                   const std::string& soundMO, const std::string& soundClick, int cellWidth,
                   int cellHeight, int frames) {
    SetName(imageName);
    if (!Game->Channels) {
        ChannelMouseOver = AllocChannel();
        ChannelClick = AllocChannel();
    }
    LoadImages(imageName, imageMO, cellWidth, cellHeight, frames);
    if (!soundMO.empty()) SoundMouseOver = TGameSound::Create(Game->SoundPath + soundMO + ".wav");
    if (!soundClick.empty()) SoundClick = TGameSound::Create(Game->SoundPath + soundClick + ".wav");
    Init();
}

void TButton::LoadImages(const std::string& imageName, const std::string& imageMO, int cellWidth,
                         int cellHeight, int frames) {
    SetImage(LoadCornerImage(GetPath() + imageName + ".png", cellWidth, cellHeight, frames));
    if (imageMO.empty()) return;
    const std::string overPath = GetPath() + imageMO + ".png";
    // Without its own mouse-over picture the button looks the same under the mouse.
    ImageMouseOver = FileType(overPath) == FILETYPE_FILE
                         ? LoadCornerImage(overPath, cellWidth, cellHeight, frames)
                         : image;
}

void TButton::LoadDisabled(const std::string& imageName) {
    ImageDisabled = TGameImage::Create(GetPath() + imageName + ".png", -1, 0);
}

void TButton::LoadMouseClick(const std::string& imageName, float ms) {
    ImageMouseClick = TGameImage::Create(GetPath() + imageName + ".png", -1, 0);
    MouseClickDuration = Game->CalcAnimLength(ms);
}

void TButton::Init() {
    TSprite::Init();
    GetSize();
    ClearClick();
}

void TButton::Precache() {
    for (const TGameImagePtr& picture : {image, ImageMouseOver, ImageMouseClick, ImageDisabled}) {
        if (picture) picture->Precache();
    }
}

void TButton::Kill() {
    if (ChannelMouseOver) ChannelMouseOver->Stop();
    if (ChannelClick) ChannelClick->Stop();
    ChannelMouseOver.reset();
    ChannelClick.reset();
    Caption.reset();
    MouseRepeat.reset();
    BoundingBox.reset();
    TSprite::Kill();
}

// ---------------------------------------------------------------- set-up

void TButton::SetupCaption(const std::string& text, const ImagePtr& imageFont,
                           const TColorPtr& colour, const TShadowPtr& shadow,
                           const TBitmapFontPtr& bitmapFont, const TColorPtr& inverseColour) {
    Caption = TLabel::CreateSpecial(text, x + w2, y + h2, 1, 0, 1, bitmapFont);
    Caption->Init(imageFont, colour, shadow, 0, bitmapFont, inverseColour, "");
}

void TButton::SetupCaptionDown(const TColorPtr& colour, float scale, float offsetX, float offsetY) {
    CaptionDownColor = colour;
    CaptionDownScale = scale;
    CaptionDownOffsetX = offsetX;
    CaptionDownOffsetY = offsetY;
}

void TButton::SetupMouseRepeat(float initialDelayMs, float delayMs) {
    MouseRepeat = TMouseRepeat::Create(static_cast<int>(initialDelayMs), static_cast<int>(delayMs));
}

void TButton::SetupScaleOnMO(float max, float upSpeed, float downSpeed) {
    ScaleOnMOMax = max;
    ScaleOnMOUpSpeed = upSpeed;
    ScaleOnMODownSpeed = downSpeed;
}

void TButton::SetFixedGlowOnMO(float glowMax, float glowSpeed, int useMOImage) {
    FixedGlowOnMO = 1;
    GlowMax = glowMax;
    GlowSpeed = glowSpeed;
    FixedGlowOnMOUseMO = useMOImage;
}

void TButton::SetAutoGlow(float min, float max, float glowSpeed, int alsoOverMO) {
    SetGlow(3, min, glowSpeed, min, max);
    AutoGlowOnMO = alsoOverMO;
}

void TButton::SetBoundingBox(float x1, float y1, float x2, float y2, int asCorners) {
    BoundingBox = asCorners ? TBox::Create(x1, y1, x2 - x1, y2 - y1, nullptr)
                            : TBox::Create(x1, y1, x2, y2, nullptr);
}

void TButton::SetBoundingBoxAuto(float fx, float fy) {
    const int marginX = static_cast<int>((w - fx * w) / 2),
              marginY = static_cast<int>((h - fy * h) / 2);
    SetBoundingBox(x + marginX, y + marginY, fx * w, fy * h, 0);
}

// ---------------------------------------------------------------- state

void TButton::ClearClick() {
    Clicked = 0;
    MouseClickCounter = 0;
    MouseOver = 0;
    Glow = 0;
}

void TButton::MoveTo(float toX, float toY) {
    MoveBy(toX - x, toY - y);
}

void TButton::MoveBy(float byX, float byY) {
    x += byX;
    y += byY;
    if (Caption) {
        Caption->X += byX;
        Caption->Y += byY;
    }
    if (BoundingBox) {
        BoundingBox->X += byX;
        BoundingBox->Y += byY;
    }
}

void TButton::CentreX(float newY) {
    MoveTo(static_cast<float>((ScreenWidth - w) / 2), newY);
}

void TButton::FixedGlowOnMOActivate() {
    if (!FixedGlowOnMO || MouseClickCounter != 0) return;
    GlowMode = 2;
    Glow = GlowMax;
}

void TButton::SimulateClick() {
    FixedGlowOnMOActivate();
    Click(1);
}

void TButton::PlayClick() {
    PlaySoundOrOwnChannel(SoundClick, ChannelClick);
}
void TButton::PlayClick2() {
    PlaySoundOrOwnChannel(SoundClick2, ChannelClick);
}
void TButton::PlayMouseOver() {
    PlaySoundOrOwnChannel(SoundMouseOver, ChannelMouseOver);
}

int TButton::Click(int repeat) {
    if (MouseClickCounter > 0 && !ClickWhenDown) return 0;
    if (!Clicked && !NoSound) {
        if (repeat == 2 && SoundClick2) {
            PlayClick2();
        } else {
            PlayClick();
        }
    }
    Clicked = 1;
    if (ImageMouseClick) MouseClickCounter = MouseClickDuration;
    return 1;
}

// ---------------------------------------------------------------- per step

bool TButton::MouseInside() const {
    const int mx = Game->Mouse->x, my = Game->Mouse->y;
    if (BoundingBox) {
        return mx >= BoundingBox->X && mx < BoundingBox->X + BoundingBox->W &&
               my >= BoundingBox->Y && my < BoundingBox->Y + BoundingBox->H;
    }
    const float left = x + offx, top = y + offy;
    return mx >= left && mx < left + w && my >= top && my < top + h;
}

void TButton::ManageCore(bool quiet) {
    const bool takesPart = Active && (!Disabled || (Disabled == 1 && ClickDisabled == 1));
    bool over = false;
    if (takesPart) {
        ManageAnim();
        if (GlowMode) ManageGlow();
        const bool pointed =
            MouseInside() && !(MouseOverUserFunction && MouseOverUserFunction() != 0);
        over = pointed || KeyFocus;
        if (over) {
            if (MouseClickCounter == 0) {
                if (!WasOver && !quiet) PlayMouseOver();
                MouseOver = 1;
            }
            FixedGlowOnMOActivate();
            const int click = !pointed      ? 0
                              : MouseRepeat ? MouseRepeat->GetButton()
                                            : Game->Mouse->GetMh(1);
            // A press refused during the pressed time is no click either.
            if (!click || !Click(click)) Clicked = 0;
            if (ScaleOnMOMax > 1)
                ScaleOnMO = std::min(ScaleOnMOMax, ScaleOnMO + ScaleOnMOUpSpeed * Delta);
        } else {
            MouseOver = Clicked = 0;
        }
        if (OKButton && (KeyHit(Key::Enter) || (OKButtonUseSpace && KeyHit(Key::Space))))
            SimulateClick();
    } else {
        MouseOver = Clicked = 0;
        if (FixedGlowOnMO) ManageGlow();
    }
    WasOver = over;
    if (!over) ManageScaleOnMO();
    if (MouseClickCounter > 0 && !StayDown)
        MouseClickCounter = std::max(0.0f, MouseClickCounter - Delta);
}

void TButton::Manage() {
    const int noSound = NoSound;
    ManageCore(noSound != 0);
}

void TButton::ManageNoSound() {
    const int noSound = NoSound;
    NoSound = 1;
    ManageCore(true);
    NoSound = noSound;
}

void TButton::ManageScaleOnMO() {
    ScaleOnMO = std::max(1.0f, ScaleOnMO - ScaleOnMODownSpeed * Delta);
}

// ---------------------------------------------------------------- drawing

void TButton::DrawLook(const TGameImagePtr& look, int lookFrame, bool glowPass) {
    if (!look || !look->image) return;
    DrawShadow(look, lookFrame, 0);
    DrawImage(*look->image, x, y, lookFrame);
    if (glowPass && Glow > 0) {
        const DrawStateGuard restore;
        SetBlend(LIGHTBLEND);
        const int level = static_cast<int>(255 * Glow);
        SetColor(level, level, level);
        DrawImage(*look->image, x, y, lookFrame);
    }
}

void TButton::DrawCaption() {
    if (!Caption) return;
    if (ScaleOnMO > 1) {
        OldRoundedCoords = Caption->RoundCoords;
        Caption->RoundCoords = 0;
        Caption->Draw(offx, offy, 1);
        Caption->RoundCoords = OldRoundedCoords;
    } else {
        Caption->Draw(offx, offy, 1);
    }
}

void TButton::Draw() {
    if (!Active && !AlwaysDraw) return;
    SetBlend(ALPHABLEND);
    const DrawStateGuard restore;
    const float homeX = x, homeY = y;
    x += offx;
    y += offy;
    if (UseAlpha) SetAlpha(Alpha);
    if (Caption) Caption->Alpha = Alpha;
    const float scale = ScaleOnMO > 1 ? ScaleOnMO : 1.0f;
    if (ScaleOnMO > 1) {
        // Grow about the centre, not the corner.
        x += w * (1 - scale) / 2;
        y += h * (1 - scale) / 2;
        SetScale(scale, scale);
    } else {
        SetScale(ScaleX, ScaleY);
    }
    const int animFrame = CurrentFrame();
    const bool glowing = Glow > 0;
    // A disabled button still reacts to the mouse but keeps looking disabled.
    const bool showsDisabled = Disabled && ImageDisabled;
    TColorPtr captionColour = Caption ? Caption->Color : nullptr;
    const float captionScale = Caption ? Caption->Scale : 1.0f;
    if (MouseClickCounter > 0 && ImageMouseClick) {
        DrawLook(ImageMouseClick, 0, glowing);
        if (Caption) {
            if (CaptionDownColor) Caption->Color = CaptionDownColor;
            Caption->X += CaptionDownOffsetX * scale;
            Caption->Y += CaptionDownOffsetY * scale;
            if (CaptionDownScale != 1) Caption->Scale = captionScale * CaptionDownScale;
            const int rounding = Caption->RoundCoords;
            if (CaptionDownScale != 1) Caption->RoundCoords = 0;
            Caption->Draw(offx, offy, 1);
            Caption->RoundCoords = rounding;
            Caption->X -= CaptionDownOffsetX * scale;
            Caption->Y -= CaptionDownOffsetY * scale;
        }
    } else if (!showsDisabled && ((MouseOver && ImageMouseOver) ||
                                  (FixedGlowOnMOUseMO && Glow > 0 && ImageMouseOver))) {
        DrawLook(ImageMouseOver, animFrame,
                 glowing && UseGlowOnMO && (FixedGlowOnMO || AutoGlowOnMO));
        if (Caption && Caption->InverseColor) Caption->Color = Caption->InverseColor;
        DrawCaption();
    } else if (showsDisabled) {
        DrawLook(ImageDisabled, 0, false);
        if (Caption && CaptionDisabledColor) Caption->Color = CaptionDisabledColor;
        DrawCaption();
    } else {
        DrawLook(image, animFrame, glowing);
        DrawCaption();
    }
    if (Caption) {
        Caption->Color = captionColour;
        Caption->Scale = captionScale;
    }
    x = homeX;
    y = homeY;
}
