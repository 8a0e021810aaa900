// The 2D drawing layer: graphics modes and the window, the renderer, the
// global drawing state and the drawing operations.
//
// All positions are virtual: the drawing layer maps a virtual width x height
// onto the physical frame. The frame is a rectangle of the window's drawable
// (all of it unless told otherwise). Callers draw every frame whole, and grab
// a picture of it before Flip.
//
// The frame is retained (unless RetainFrame(false) or the environment's
// HOLLOWMERE_RETAINED_FRAME=0 says otherwise): each draw is kept as a command
// until Flip, which compares the frame's commands with those of the frame
// drawn last and draws again, into a picture of the frame, only the parts
// where they differ; it then copies that picture into the window, paints the
// rest of the drawable in the bar colour and presents it, or, when nothing
// changed, does neither. A renderer known to keep the window's back buffer
// as presented (Mesa's software rasterisers on X11, unless
// HOLLOWMERE_PARTIAL_PRESENT=0) gets only the parts drawn again. Reading the frame's pixels
// (GrabPixmap, ReadBackBuffer, CountedPixels) draws what is pending first. Without it, the frame is
// drawn straight into the window's back buffer, whose content after Flip is not to be relied on.
// Main thread only; every call is safe without a window. The window can be resized by the player;
// nothing here follows that on its own: the caller asks for the window's sizes and places the frame
// again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/Image.h"
#include "engine/Pixmap.h"

// Blend modes by the numbers the game passes.
enum BlendMode {
    MASKBLEND = 1,   // pixels with alpha below 0.5 are not drawn, the rest opaque
    SOLIDBLEND = 2,  // no blending
    ALPHABLEND = 3,  // source alpha, one minus source alpha
    LIGHTBLEND = 4,  // additive: source alpha, one
    SHADEBLEND = 5,  // multiply: destination colour, zero
};

struct GraphicsMode {
    int width = 0;
    int height = 0;
    int depth = 0;
    int hertz = 0;
};

enum class RendererKind {
    Accelerated,  // the platform's default accelerated renderer
    OpenGL,
    Software,
};

// Video subsystem start (idempotent); false without any video driver.
bool InitVideo();
// The video driver in use ("x11", "wayland", "offscreen", "dummy" ...); ""
// before InitVideo.
std::string VideoDriverName();
std::vector<GraphicsMode> GraphicsModes();
int CountGraphicsModes();
bool GraphicsModeExists(int width, int height, int depth, int hertz);

bool RendererAvailable(RendererKind kind);
void SetRenderer(RendererKind kind);  // used by the next Graphics call
RendererKind CurrentRenderer();
std::string RendererName();  // of the renderer in use, e.g. "opengl", "software"

// Opens a window of width x height (depth 0), or full screen (depth > 0) in
// the desktop's own mode, whose size GraphicsWidth/Height then report.
// False on failure, with the previous graphics closed.
bool Graphics(int width, int height, int depth = 0, int hertz = 60);
// Switches the open window between a window of width x height and full
// screen, keeping the renderer and every texture. False on failure.
bool ChangeWindowMode(int width, int height, bool fullScreen);
void CloseGraphics();
bool GraphicsOpen();
int GraphicsWidth();  // physical size of the back buffer (the frame)
int GraphicsHeight();
int GraphicsDepth();
void SetWindowTitle(const std::string& title);

// Window placement on the desktop.
void GetWindowPosition(int& x, int& y);
void SetWindowPosition(int x, int y);
void CentreWindow();
void MinimiseWindow();
// Restores the window if it is minimised, raises it and asks for the focus.
void RaiseWindow();
bool WindowHasFocus();
bool WindowMinimised();
// Neither minimised nor hidden: what is drawn can be seen.
bool WindowShown();
bool WindowMaximised();
// Sleeps until an event is queued or the time is up, leaving the event
// queued (a loop with nothing to show waits here instead of spinning).
void WaitForWindowEvent(int timeoutMs);

// The window is resizable, down to this size in points.
constexpr int kMinimumWindowWidth = 320;
constexpr int kMinimumWindowHeight = 240;
// The window's size in points (the unit of mouse positions) and its
// drawable's size in pixels (larger on a high-density display); 0 x 0
// without a window.
void GetWindowSize(int& width, int& height);
void GetDrawableSize(int& width, int& height);
void SetWindowSize(int width, int height);
// The usable desktop area of each display, in points.
struct DisplayArea {
    int x = 0, y = 0, width = 0, height = 0;
};
std::vector<DisplayArea> DisplayAreas();

// Where the frame is drawn: a rectangle of the drawable, in pixels. The frame
// is that size (GraphicsWidth/Height report it, the view state is reset to
// it) and the rest of the drawable is painted in the bar colour at each Flip.
// Opening graphics or changing the window mode makes the frame fill the
// drawable. False without graphics or for an empty size.
bool SetFrameRect(int x, int y, int width, int height);
void SetBarColor(int r, int g, int b);
// Keeps the frame from one Flip to the next, starting from what it holds now,
// for as long as `keep` is on: drawing goes into a picture of the frame that
// each Flip copies into the window (for what draws over the last frame
// instead of drawing it whole). The same is done, always, for a renderer that
// cannot draw into a part of the window. The view state is left as it is.
void KeepFrame(bool keep);
bool FrameKept();
// Whether drawing goes straight into the window.
bool FrameDrawnDirect();
// Retains the frame from one Flip to the next and draws only what changed
// (on by default; off for comparisons or as a fallback). The frame drawn so
// far is kept.
void RetainFrame(bool retain);
// Whether the frame is retained now (not while it is kept by KeepFrame).
bool FrameRetained();
// Whether the last Flip presented a frame: a retained frame that did not
// change is not presented (nor waited for).
bool FlipPresented();
// Frames presented since the graphics were opened.
long PresentedFrames();

// Virtual resolution.
void SetVirtualResolution(float width, float height);
float VirtualResolutionWidth();
float VirtualResolutionHeight();
// Physical to virtual positions (x * ratio); mouse events are physical.
float VirtualMouseX(int physicalX);
float VirtualMouseY(int physicalY);

// Drawing state.
void SetViewport(int x, int y, int width, int height);  // virtual coordinates
void GetViewport(int& x, int& y, int& width, int& height);
void SetOrigin(float x, float y);
void GetOrigin(float& x, float& y);
void SetBlend(int mode);
int GetBlend();
void SetAlpha(float alpha);  // 0..1
float GetAlpha();
void SetColor(int r, int g, int b);  // 0..255, multiplied into image pixels
void GetColor(int& r, int& g, int& b);
void SetClsColor(int r, int g, int b);
void GetClsColor(int& r, int& g, int& b);
// Rotation in degrees, clockwise on screen; separate x and y scale.
void SetTransform(float rotation = 0, float scaleX = 1, float scaleY = 1);
void SetRotation(float rotation);
float GetRotation();
void SetScale(float scaleX, float scaleY);
void GetScale(float& scaleX, float& scaleY);
// The handle used by primitives (rectangles, ovals, lines, polygons, text).
void SetHandle(float x, float y);
void GetHandle(float& x, float& y);
void SetLineWidth(float width);
float GetLineWidth();

// Saves the drawing state (blend, alpha, colour, rotation, scale, handle,
// origin and line width) and puts it back when it leaves scope, so a draw
// that sets the state for its own pictures hands it back as it found it.
// Viewport and clear colour are left alone.
class DrawStateGuard {
  public:
    DrawStateGuard();
    ~DrawStateGuard();
    DrawStateGuard(const DrawStateGuard&) = delete;
    DrawStateGuard& operator=(const DrawStateGuard&) = delete;

  private:
    int blend_ = SOLIDBLEND;
    float alpha_ = 1;
    int red_ = 255, green_ = 255, blue_ = 255;
    float rotation_ = 0, scaleX_ = 1, scaleY_ = 1;
    float handleX_ = 0, handleY_ = 0;
    float originX_ = 0, originY_ = 0;
    float lineWidth_ = 1;
};

// Drawing.
void Cls();
void DrawImage(TImage& image, float x, float y, int frame = 0);
inline void DrawImage(const ImagePtr& image, float x, float y, int frame = 0) {
    if (image) DrawImage(*image, x, y, frame);
}
// One picture of a batch: which frame of which image, how it is blended,
// where it stands and how it is turned, scaled, tinted and faded.
struct ImageInstance {
    TImage* image = nullptr;
    int frame = 0;
    int blend = ALPHABLEND;
    float x = 0, y = 0;
    float rotation = 0;  // degrees, clockwise on screen
    float scaleX = 1, scaleY = 1;
    uint8_t red = 255, green = 255, blue = 255;
    float alpha = 1;  // 0..1; the mask and solid blends ignore it
};
// Draws the pictures in order, each by its own image frame, blend, place,
// turn, scale, tint and alpha, with the current origin and viewport; the
// drawing state is left as it was. A run of one image frame and blend goes to
// the renderer in one call. On the software renderer, a batch of alpha and
// light pictures that covers much more than the frame it spans is drawn by
// the engine itself (engine/Compose.h) into that part of the frame, read back
// and put back, since the renderer draws turned pictures pixel by pixel
// through its slowest path. The room all this needs is kept from batch to
// batch, so a steady stream of batches allocates nothing.
void DrawImageInstances(const ImageInstance* instances, size_t count);
// How many batches the engine drew by itself so far (for the tests).
int ComposedBatches();
// The whole frame scaled into a width x height rectangle; the image's handle
// is scaled with it.
void DrawImageRect(TImage& image, float x, float y, float width, float height, int frame = 0);
// The frame's sub-rectangle (sx, sy, sw, sh) scaled into (x, y, w, h), with
// (hx, hy) the handle in source pixels (scaled with the rectangle).
void DrawSubImageRect(TImage& image, float x, float y, float width, float height, float sx,
                      float sy, float sw, float sh, float hx = 0, float hy = 0, int frame = 0);
void DrawRect(float x, float y, float width, float height);
void DrawLine(float x1, float y1, float x2, float y2);
void DrawOval(float x, float y, float width, float height);
void Plot(float x, float y);
// xy holds x0, y0, x1, y1 ... of a convex or star-shaped polygon.
void DrawPoly(const std::vector<float>& xy);
// Unscaled, untransformed, at the physical position of (x, y).
void DrawPixmap(const TPixmap& pixmap, float x, float y);

// A still part of the frame (a background and what lies on it) drawn once
// into a picture of the frame's size and from then on put back in one
// unblended copy, in place of all its draws. Begin sends drawing into it,
// cleared to the clear colour, until End; Draw copies it into the frame.
// It is lost (Ready is false) when the frame changes size or graphics close.
// Main thread only, like drawing.
class TFrameLayer {
  public:
    TFrameLayer();
    ~TFrameLayer();
    TFrameLayer(const TFrameLayer&) = delete;
    TFrameLayer& operator=(const TFrameLayer&) = delete;

    // False, with drawing left on the frame, without graphics or when the
    // renderer cannot draw into a picture.
    bool Begin();
    void End();
    bool Ready() const;
    void Draw();
    void Drop();

    struct Room;  // the renderer's side

  private:
    std::unique_ptr<Room> room_;
};

// The small built-in font (debug overlay and fallback message box only).
void DrawText(const std::string& text, float x, float y);
int TextWidth(const std::string& text);
int TextHeight(const std::string& text);

// Pixels drawn since the last ResetDrawnPixels, by how they were blended: the
// physical area each draw covers inside the viewport (of a retained frame,
// inside the part drawn again) (a turned picture or a
// polygon counts its bounding box), clearing the frame, and at Flip the
// frame's margins outside the viewport and the copy of a kept frame included. Draws that change
// nothing (fully transparent, adding black) are not made and count nothing. Read by the benchmarks
// and tests; drawing keeps the count whether or not anyone reads it.
struct DrawnPixels {
    long long solid = 0;  // written as they are: the solid blend, opaque pictures
    long long alpha = 0;  // blended by source alpha: the alpha and mask blends
    long long light = 0;  // added
    long long shade = 0;  // multiplied
    long long draws = 0;  // pictures and shapes drawn
    long long Total() const { return solid + alpha + light + shade; }
};
DrawnPixels CountedPixels();
void ResetDrawnPixels();

// Presents the frame; sync 1 waits for the vertical blank, 0 does not.
void Flip(int sync = 1);
// Whether the last Flip really waited for the vertical blank (callers pace
// frames themselves when it did not).
bool VSyncActive();

// Pixels of the frame being drawn (after Flip, of the one presented only
// while the frame is kept or the renderer keeps the back buffer), virtual
// rectangle; null without graphics.
PixmapPtr GrabPixmap(int x, int y, int width, int height);
ImagePtr GrabImage(int x, int y, int width, int height);
// The whole physical frame, as GrabPixmap reads it.
PixmapPtr ReadBackBuffer();
