// Dialogs: a panel drawn over the current screen with a background picture
// (or a plain box), an optional header picture or header text, a
// word-wrapped caption, optional pictures and a menu of buttons. A dialog
// slides or fades in and out and may darken the screen behind it.
//
// Threading: the game's one thread; the owner calls Manage once per logic
// step and Draw once per frame. Outputs: Manage reports 0 while the dialog
// is open and 1 (OK, Yes) or -1 (No, Cancel) once, on the step its closing
// ends; the dialog plays its slide and activation sounds through the
// channel pool. Failure: a missing background or header picture is fatal
// (as every missing picture); without a font the caption falls back to the
// built-in font.
//
// Life: built and Start-ed (sliding in; the dialog takes the Escape key) ->
// open (the menu takes input) -> Close(result) -> sliding out -> Finalise
// (inactive, Escape handed back) -> the owner reads the result and kills it.
#pragma once

#include <memory>
#include <string>

#include "engine/Image.h"
#include "media/Animation.h"
#include "media/Color.h"
#include "media/Label.h"
#include "media/Sound.h"
#include "media/Sprite.h"
#include "ui/Menu.h"

class TDialog;
using TDialogPtr = std::shared_ptr<TDialog>;

class TDialog {
  public:
    // The sides a dialog slides from (`Slide`).
    enum SlideSide {
        SLIDE_NONE = 0,
        SLIDE_FROM_TOP = 1,
        SLIDE_FROM_RIGHT = 2,
        SLIDE_FROM_BOTTOM = 3,
        SLIDE_FROM_LEFT = 4,
        SLIDE_FROM_RANDOM_SIDE = 5,
    };
    // What `Transitioning` holds.
    enum TransitionState {
        NOT_TRANSITIONING = 0,
        COMING_IN = 1,
        GOING_OUT = 2,
    };
    // The answers a closed dialog reports.
    static constexpr int RESULT_OK = 1;
    static constexpr int RESULT_CANCEL = -1;

    virtual ~TDialog() = default;

    // ---- fields, in declaration order ----
    TLabelPtr Caption;
    ImagePtr Background;  // none: a plain box in DialogColor
    int Active = 0;
    int Disabled = 0;  // 1: the buttons take no input (only their glows fade)
    TShadowPtr Shadow;
    int DrawHighlight = 1;  // white lines along the top and left edges of the box
    int w = 0, h = 0;
    int x = 0, y = 0;
    int Border = 20;
    TColorPtr DialogColor;
    TMenuPtr Menu;
    int MenuShow = 1;
    int Centre = 1;
    int FixedWidth = 0;
    int WordWrapWidth = 0;  // 0: the box width less both borders
    int ReenableEscapeKey = 1;
    int OldIgnoreEscapeKey = 0;
    int CallPreCalcWordWrap = 1;
    int CaptionOX = 0, CaptionOY = 0;  // both 0: the caption is placed automatically
    int CaptionOffsetX = 0, CaptionOffsetY = 0;
    int CaptionCentreVert = 0;
    int MenuOX = 0, MenuOY = 0;  // both 0: the menu is placed automatically
    TSpritePtr Header;
    std::string Ext = ".png";
    TLabelPtr TextHeader;
    TGameImagePtr Picture, Picture2;
    int PictureX = 0, PictureY = 0, Picture2X = 0, Picture2Y = 0;
    float PictureScale = 1.0f, Picture2Scale = 1.0f;
    float PictureAngle = 0, Picture2Angle = 0;
    TShadowPtr PictureShadow, Picture2Shadow;
    TAnimationPtr TransitionIn, TransitionOut;
    int Transitioning = NOT_TRANSITIONING;
    float DimBackground = 0;  // alpha of the black veil over the screen behind
    int FadeDialog = 0;
    int CloseResultTemp = 0;
    int CloseResult = 0;
    TGameChannelPtr FadeChannel;
    int Slide = SLIDE_NONE;
    int SlideSine = 0;
    int SlideExtra = 0;
    float OffsetX = 0, OffsetY = 0;
    float Alpha = 1.0f;
    TGameSoundPtr ActivateSound, SlideInSound, SlideOutSound;

    // ---- virtual operations, in slot order ----
    virtual void Init(const std::string& text, const ImagePtr& background, int width, int height,
                      int left, int top);
    virtual void Start();
    virtual void SetupCaption(const ImagePtr& imageFont, const TColorPtr& colour,
                              const TShadowPtr& shadow, const TBitmapFontPtr& bitmapFont);
    // A header text at (left, top); centreVertically 1 centres it on that
    // point both ways, 0 only across.
    virtual void SetupTextHeader(const std::string& text, const ImagePtr& imageFont,
                                 const TColorPtr& colour, const TShadowPtr& shadow,
                                 const TBitmapFontPtr& bitmapFont, int left, int top,
                                 int centreVertically);
    virtual void SetSlide(int slide, int sine);
    virtual void SetTransitions(float inMs, float outMs, float dim, int fade, int slide, int sine);
    virtual void CalcAll();
    virtual void CalcSize();
    virtual void CalcXY();
    virtual void CalcOffset();
    virtual int CaptionGetCentredX();
    virtual void HeaderLoad(const std::string& name, int left, int top);
    virtual void SetLabelsXY();
    virtual void MenuPosition();
    virtual int MenuGetCentredX();
    virtual int Manage();
    // The common step of every kind: 0 while inactive, else 1.
    virtual int ManageCore();
    // 1 on the step the closing ends.
    virtual int ManageTransitions();
    virtual int Draw();
    virtual void SetAlphas(float alpha);
    virtual void SetWordWrap(int width);
    virtual void DoDrawHighlight();
    // The result at once without an out-timeline, else 0 (the slide out starts).
    virtual int Close(int result);
    virtual void Finalise();
    virtual void Kill();

    // ---- helpers of this platform ----
    // The alpha of the veil as drawn now.
    float VeilAlpha() const;
    bool Closing() const { return Transitioning == GOING_OUT; }
    // The button of the menu called name, when there is one.
    TButtonPtr FindButton(const std::string& name) const;

  protected:
    // CloseResult on the one step the closing ends, else 0.
    int TakeResult();
    // The whole dialog, its menu when withMenu.
    void DrawLayers(bool withMenu);
    // Drawing the parts: the veil, the panel, the texts, the pictures.
    void DrawVeil() const;
    void DrawPanel();
    void DrawTexts() const;
    void DrawPicture(const TGameImagePtr& picture, int px, int py, float scale, float angle,
                     const TShadowPtr& shadow) const;
    // The fade of the dialog as the running timeline gives it.
    float TransitionAlpha() const;

  private:
    void StartTransitionIn();
    void SetRounding();
    int ResultWaiting = 0;
};

// The dialog a screen or another dialog shows over itself. While it holds
// one (open, or still sliding out) its owner manages only the dialog and
// takes no input of its own, and keeps drawing it until the closing ends.
class TDialogSlot {
  public:
    // Holds dialog, killing the one held or answered before.
    void Show(const TDialogPtr& dialog);
    bool Showing() const { return Held != nullptr; }
    const TDialogPtr& Dialog() const { return Held; }
    // One step of the held dialog: its result (1 or -1) on the step its
    // closing ends, when the slot lets it go; else 0.
    int Manage();
    // The dialog that answered last, kept (until the next Show or Kill) for
    // the owner to read what was entered in it.
    const TDialogPtr& Answered() const { return Done; }
    void Draw() const;
    void Kill();

  private:
    TDialogPtr Held, Done;
};
