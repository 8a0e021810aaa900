// The dialog base: set-up, sizing and layout, the slide and fade timelines,
// the common step, drawing and the end of a dialog's life; and the slot in
// which an owner holds the dialog it shows.
#include "ui/Dialog.h"

#include <algorithm>

#include "engine/Graphics.h"
#include "engine/Random.h"
#include "frame/Game.h"
#include "frame/Globals.h"

// ---------------------------------------------------------------- set-up

void TDialog::Init(const std::string& text, const ImagePtr& background, int width, int height,
                   int left, int top) {
    Caption = TLabel::CreateSpecial(text, 0, 0, 1);
    Background = background;
    DialogColor = TColor::Create(150, 150, 150);
    w = width;
    h = height;
    x = left;
    y = top;
    FixedWidth = width != 0;
}

void TDialog::SetupCaption(const ImagePtr& imageFont, const TColorPtr& colour,
                           const TShadowPtr& shadow, const TBitmapFontPtr& bitmapFont) {
    Caption->Init(imageFont, colour, shadow, 0, bitmapFont);
    // A caption wrapped in another font wraps again.
    Caption->TotalLines = 0;
    Caption->TextArray.clear();
    CalcAll();
    MenuPosition();
}

void TDialog::SetupTextHeader(const std::string& text, const ImagePtr& imageFont,
                              const TColorPtr& colour, const TShadowPtr& shadow,
                              const TBitmapFontPtr& bitmapFont, int left, int top,
                              int centreVertically) {
    TextHeader = TLabel::CreateSpecial(text, static_cast<float>(left), static_cast<float>(top),
                                       centreVertically ? 3 : 1, 0, 0, bitmapFont);
    TextHeader->Init(imageFont, colour ? colour : TColor::Create(255, 255, 255), shadow, 0,
                     bitmapFont);
    TextHeader->CalcSize();
    SetRounding();
}

void TDialog::HeaderLoad(const std::string& name, int left, int top) {
    Header = TSprite::Create(TGameImage::Create(Game->ImagePath + name + Ext, -1, 1),
                             static_cast<float>(left), static_cast<float>(top));
    Header->UseOffset = 1;
}

void TDialog::SetWordWrap(int width) {
    FixedWidth = 1;
    WordWrapWidth = width;
}

void TDialog::SetSlide(int slide, int sine) {
    Slide = slide == SLIDE_FROM_RANDOM_SIDE ? Rand(SLIDE_FROM_TOP, SLIDE_FROM_LEFT) : slide;
    SlideSine = sine;
    SetRounding();
}

void TDialog::SetTransitions(float inMs, float outMs, float dim, int fade, int slide, int sine) {
    SetSlide(slide, sine);
    DimBackground = dim;
    FadeDialog = fade;
    TransitionOut = outMs > 0 ? TAnimation::Create(outMs) : nullptr;
    if (inMs > 0) {
        TransitionIn = TAnimation::Create(inMs);
        StartTransitionIn();
    }
}

void TDialog::StartTransitionIn() {
    TransitionIn->Start();
    Transitioning = COMING_IN;
    if (FadeDialog) SetAlphas(TransitionAlpha());
    SetRounding();
    CalcOffset();
    PlaySound(SlideInSound);
}

void TDialog::Start() {
    CalcAll();
    MenuPosition();
    OldIgnoreEscapeKey = Game->IgnoreEscapeKey;
    Game->IgnoreEscapeKey = 1;
    Active = 1;
    CloseResult = 0;
    ResultWaiting = 0;
    if (Slide == SLIDE_FROM_RANDOM_SIDE) SetSlide(Slide, SlideSine);
    CalcOffset();
}

// ---------------------------------------------------------------- sizing and layout

void TDialog::CalcAll() {
    CalcSize();
    SetLabelsXY();
}

void TDialog::CalcSize() {
    Caption->CalcSize();
    if (Background) {
        Background->SetHandle(0, 0);
        w = Background->Width();
        h = Background->Height();
    } else if (!FixedWidth) {
        w = static_cast<int>(Caption->CalcWidth()) + 2 * Border;
    }
    if (FixedWidth && CallPreCalcWordWrap) {
        const float captionWidth = Caption->CalcWidth();
        // Lines the text breaks itself are kept as lines too.
        const bool brokenText = Caption->Text.find('\n') != std::string::npos;
        int wrapAt = 0;
        if (WordWrapWidth > 0 && (captionWidth > WordWrapWidth || brokenText)) {
            wrapAt = WordWrapWidth;
        } else if (WordWrapWidth == 0 && (captionWidth + 2 * Border > w || brokenText)) {
            wrapAt = w - 2 * Border;
        }
        if (wrapAt > 0) {
            Caption->WordWrap = wrapAt;
            Caption->PreCalcWordWrap();
        }
    }
    CalcXY();
}

void TDialog::CalcXY() {
    if (!Centre) return;
    x = (ScreenWidth - w) / 2;
    y = (ScreenHeight - h) / 2;
}

int TDialog::CaptionGetCentredX() {
    return x + w / 2;
}

void TDialog::SetLabelsXY() {
    if (CaptionOX == 0 && CaptionOY == 0) {
        Caption->X = static_cast<float>(CaptionGetCentredX());
        if (Caption->WordWrap || CaptionCentreVert) {
            Caption->Y = y + h / 2 - Caption->CalcHeight() / 2;
        } else {
            Caption->Y = static_cast<float>(y + Border);
        }
    } else {
        Caption->X = static_cast<float>(CaptionOX);
        Caption->Y = static_cast<float>(CaptionOY);
    }
    Caption->X += CaptionOffsetX;
    Caption->Y += CaptionOffsetY;
}

int TDialog::MenuGetCentredX() {
    return Menu ? x + (w - Menu->w) / 2 : x;
}

void TDialog::MenuPosition() {
    if (!Menu || Menu->Count() == 0) return;
    Menu->CalcCoords();
    Menu->CalcWidth();
    Menu->CalcHeight();
    if (MenuOX == 0 && MenuOY == 0) {
        Menu->SetX(static_cast<float>(MenuGetCentredX()));
        Menu->SetY(static_cast<float>(y + h - Border - Menu->h));
    } else {
        Menu->SetX(static_cast<float>(MenuOX));
        Menu->SetY(static_cast<float>(MenuOY));
    }
    Menu->ManageNoSound(OffsetX, OffsetY);
}

// ---------------------------------------------------------------- the slide

void TDialog::CalcOffset() {
    OffsetX = OffsetY = 0;
    float b = 0;
    if (Transitioning == COMING_IN && TransitionIn) {
        b = SlideSine ? 1 - TransitionIn->GetRatioInvSine() : TransitionIn->GetRatio();
    } else if (Transitioning == GOING_OUT && TransitionOut) {
        b = SlideSine ? 1 - TransitionOut->GetRatioSine() : TransitionOut->GetRatioInv();
    } else {
        return;
    }
    switch (Slide) {
        case SLIDE_FROM_TOP:
            OffsetY = b * (-y - h - SlideExtra);
            break;
        case SLIDE_FROM_RIGHT:
            OffsetX = b * (ScreenWidth + SlideExtra - x);
            break;
        case SLIDE_FROM_BOTTOM:
            OffsetY = b * (ScreenHeight + SlideExtra - y);
            break;
        case SLIDE_FROM_LEFT:
            OffsetX = b * (-x - w - SlideExtra);
            break;
        default:
            break;
    }
    if (Header) {
        Header->offx = OffsetX;
        Header->offy = OffsetY;
    }
}

float TDialog::TransitionAlpha() const {
    if (Transitioning == COMING_IN && TransitionIn) return TransitionIn->GetRatioInv();
    if (Transitioning == GOING_OUT && TransitionOut) return TransitionOut->GetRatio();
    return 1.0f;
}

float TDialog::VeilAlpha() const {
    return TransitionAlpha() * DimBackground;
}

// Text that slides is not snapped to whole pixels on the sliding axis, so it
// glides with its panel; at rest it is snapped on both.
void TDialog::SetRounding() {
    const bool sliding = Slide != SLIDE_NONE && Transitioning != NOT_TRANSITIONING;
    const bool across = Slide == SLIDE_FROM_LEFT || Slide == SLIDE_FROM_RIGHT;
    for (const TLabelPtr& label : {Caption, TextHeader}) {
        if (!label) continue;
        label->RoundCoords = sliding ? 0 : 1;
        label->RoundXCoord = sliding && !across;
        label->RoundYCoord = sliding && across;
    }
    if (Menu)
        Menu->SetButtonCaptionRoundCoords(sliding ? 0 : 1, sliding && !across, sliding && across);
}

// ---------------------------------------------------------------- per step

int TDialog::ManageTransitions() {
    int closed = 0;
    if (Transitioning == COMING_IN && TransitionIn && TransitionIn->Manage()) {
        Transitioning = NOT_TRANSITIONING;
        if (FadeDialog) SetAlphas(1);
        if (ActivateSound) FadeChannel = PlaySound(ActivateSound);
        FlushAll();
    } else if (Transitioning == GOING_OUT && TransitionOut && TransitionOut->Manage()) {
        if (FadeDialog) SetAlphas(0);
        Transitioning = NOT_TRANSITIONING;
        FlushAll();
        Finalise();
        if (FadeChannel && FadeChannel->Channel) FadeChannel->Channel->Stop();
        closed = 1;
    }
    if (Transitioning == GOING_OUT && FadeChannel && FadeChannel->Channel) {
        FadeChannel->Channel->SetVolume(TransitionOut->GetRatio() * Game->SoundVolume / 100.0f);
    }
    if (FadeDialog && Transitioning != NOT_TRANSITIONING) SetAlphas(TransitionAlpha());
    SetRounding();
    CalcOffset();
    return closed;
}

int TDialog::ManageCore() {
    if (!Active) return 0;
    if (ManageTransitions()) return 1;
    if (Disabled || Transitioning == GOING_OUT) {
        if (Menu) Menu->ManageFixedGlowOnly();
    } else if (Transitioning == NOT_TRANSITIONING && Menu) {
        Menu->Manage(0, 0);
    }
    return 1;
}

int TDialog::Manage() {
    ManageCore();
    return TakeResult();
}

int TDialog::TakeResult() {
    if (!ResultWaiting) return 0;
    ResultWaiting = 0;
    return CloseResult;
}

int TDialog::Close(int result) {
    // A dialog answers once: a second answer in the same step is not one.
    if (!Active || Transitioning == GOING_OUT) return 0;
    CloseResultTemp = result;
    if (!TransitionOut) {
        Finalise();
        return result;
    }
    Transitioning = GOING_OUT;
    TransitionOut->Start();
    SetRounding();
    CalcOffset();
    PlaySound(SlideOutSound);
    return 0;
}

void TDialog::Finalise() {
    Active = 0;
    if (ReenableEscapeKey) Game->IgnoreEscapeKey = OldIgnoreEscapeKey;
    CloseResult = CloseResultTemp;
    ResultWaiting = 1;
}

void TDialog::SetAlphas(float alpha) {
    Alpha = alpha;
    if (Caption) Caption->Alpha = alpha;
    if (TextHeader) TextHeader->Alpha = alpha;
    if (Header) Header->Alpha = alpha;
    if (Menu) Menu->SetAlpha(alpha);
}

TButtonPtr TDialog::FindButton(const std::string& name) const {
    return Menu ? Menu->FindButton(name) : nullptr;
}

// ---------------------------------------------------------------- drawing

void TDialog::DrawVeil() const {
    const float veil = VeilAlpha();
    if (veil <= 0) return;
    SetColor(0, 0, 0);
    SetAlpha(veil);
    DrawRect(0, 0, static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight));
}

void TDialog::DrawPanel() {
    const float left = x + OffsetX, top = y + OffsetY;
    if (Background) {
        if (Shadow) {
            SetColor(0, 0, 0);
            SetAlpha(Shadow->Alpha * Alpha);
            DrawImage(*Background, left + Shadow->X, top + Shadow->Y);
        }
        SetColor(255, 255, 255);
        SetAlpha(Alpha);
        DrawImage(*Background, left, top);
        return;
    }
    if (Shadow) {
        SetColor(0, 0, 0);
        SetAlpha(Shadow->Alpha * Alpha);
        DrawRect(left + Shadow->X, top + Shadow->Y, static_cast<float>(w), static_cast<float>(h));
    }
    DialogColor->ApplyNoAlpha();
    SetAlpha(DialogColor->Alpha * Alpha);
    DrawRect(left, top, static_cast<float>(w), static_cast<float>(h));
    // A picture brings its own edges; the plain box gets the lit ones.
    DoDrawHighlight();
}

void TDialog::DoDrawHighlight() {
    if (!DrawHighlight) return;
    const DrawStateGuard restore;
    SetColor(255, 255, 255);
    SetAlpha(0.5f * Alpha);
    const float left = x + OffsetX, top = y + OffsetY;
    DrawLine(left, top, left + w - 1, top);
    DrawLine(left, top, left, top + h - 1);
}

void TDialog::DrawTexts() const {
    SetColor(255, 255, 255);
    SetAlpha(Alpha);
    if (Header) Header->Draw();
    if (TextHeader) TextHeader->Draw(OffsetX, OffsetY, 1);
    if (Caption) Caption->Draw(OffsetX, OffsetY, 1);
}

void TDialog::DrawPicture(const TGameImagePtr& picture, int px, int py, float scale, float angle,
                          const TShadowPtr& shadow) const {
    if (!picture || !picture->image) return;
    const DrawStateGuard restore;
    SetTransform(angle, scale, scale);
    const float left = px + OffsetX, top = py + OffsetY;
    if (shadow) {
        SetColor(0, 0, 0);
        SetAlpha(shadow->Alpha * Alpha);
        DrawImage(*picture->image, left + shadow->X, top + shadow->Y);
    }
    SetColor(255, 255, 255);
    SetAlpha(Alpha);
    DrawImage(*picture->image, left, top);
}

void TDialog::DrawLayers(bool withMenu) {
    const DrawStateGuard restore;
    SetBlend(ALPHABLEND);
    SetTransform(0, 1, 1);
    DrawVeil();
    DrawPanel();
    DrawTexts();
    if (withMenu && Menu && MenuShow) Menu->Draw(OffsetX, OffsetY);
    DrawPicture(Picture, PictureX, PictureY, PictureScale, PictureAngle, PictureShadow);
    DrawPicture(Picture2, Picture2X, Picture2Y, Picture2Scale, Picture2Angle, Picture2Shadow);
}

int TDialog::Draw() {
    if (!Active) return 0;
    DrawLayers(true);
    return 1;
}

// ---------------------------------------------------------------- end

void TDialog::Kill() {
    if (Menu) {
        Menu->Kill();
        Menu.reset();
    }
    if (FadeChannel && FadeChannel->Channel) FadeChannel->Channel->Stop();
    FadeChannel.reset();
    Caption.reset();
    TextHeader.reset();
    if (Header) Header->Kill();
    Header.reset();
    Background.reset();
    Picture.reset();
    Picture2.reset();
    TransitionIn.reset();
    TransitionOut.reset();
    Active = 0;
}

// ---------------------------------------------------------------- the owner's slot

void TDialogSlot::Show(const TDialogPtr& dialog) {
    Kill();
    Held = dialog;
}

int TDialogSlot::Manage() {
    if (!Held) return 0;
    const int result = Held->Manage();
    if (result != 0) {
        if (Done) Done->Kill();
        Done = std::move(Held);
        Held.reset();
    }
    return result;
}

void TDialogSlot::Draw() const {
    if (Held) Held->Draw();
}

void TDialogSlot::Kill() {
    for (TDialogPtr* dialog : {&Held, &Done}) {
        if (*dialog) (*dialog)->Kill();
        dialog->reset();
    }
}
