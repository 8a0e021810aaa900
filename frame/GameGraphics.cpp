// The graphics mode: renderer, window or full screen, the virtual screen
// mapped onto it, the pointer, the display toggles and screenshots.
#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/Graphics.h"
#include "engine/Input.h"
#include "engine/Strings.h"
#include "engine/platform/Platform.h"
#include "frame/DateTime.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"

namespace {

void FatalGraphicsError(const std::string& message) {
    GraphicsStarted = 0;
    ReportError(message, 1);
}

// The renderer for the Driver setting: 0 the platform's accelerated
// renderer, 1 OpenGL; the other one when it is missing (the setting is
// rewritten then), the software renderer when neither exists.
void ChooseRenderer(TGame& game) {
    const RendererKind preferred =
        game.Driver == 0 ? RendererKind::Accelerated : RendererKind::OpenGL;
    const RendererKind other = game.Driver == 0 ? RendererKind::OpenGL : RendererKind::Accelerated;
    if (RendererAvailable(preferred)) {
        SetRenderer(preferred);
    } else if (RendererAvailable(other)) {
        SetRenderer(other);
        game.Driver = game.Driver == 0 ? 1 : 0;
        game.IniUpdate(1);
    } else if (RendererAvailable(RendererKind::Software)) {
        SetRenderer(RendererKind::Software);
    } else {
        FatalGraphicsError("No DirectX or OpenGL 3D Drivers Found!");
    }
}

// Without a desktop to show it on, the video layer falls back to a driver
// that draws into memory: the game would run unseen. Only the tests (and
// whoever asks for such a driver by name) run that way.
bool NoDisplay() {
    const std::string driver = VideoDriverName();
    return (driver == "offscreen" || driver == "dummy") && !HeadlessVideo();
}

WindowPlacement PlaceWindow(const TGame& game) {
    std::vector<ViewRect> displays;
    for (const DisplayArea& area : DisplayAreas())
        displays.push_back({area.x, area.y, area.width, area.height});
    const WindowPlacement remembered{game.WindowPlaceX, game.WindowPlaceY, game.WindowPlaceWidth,
                                     game.WindowPlaceHeight};
    return SafeWindowPlacement(remembered, displays, game.WindowWidth, game.WindowHeight,
                               kMinimumWindowWidth, kMinimumWindowHeight);
}

// The bars beside or above and below the game area in a window of another
// shape: a neutral dark grey.
constexpr int kLetterboxGrey = 24;

void ReadDesktopFacts(TGame& game) {
    const DesktopInfo desktop = GetDesktopInfo();
    game.DesktopRefreshRate = desktop.refreshRate > 0 ? desktop.refreshRate : 60;
    game.DesktopWidth = desktop.width;
    game.DesktopHeight = desktop.height;
}

}  // namespace

bool TGame::DisplayFits(int /*width*/, int height, int usable) const {
    return usable >= height;
}

void TGame::GraphicsCreate(int forceDX7) {
    ErrorCheckpoint = 100;
    AlwaysForceDX7 = forceDX7;
    if (!InitVideo() || CountGraphicsModes() == 0) {
        FatalGraphicsError("No 3D Hardware Found (could not count graphics modes.)");
        return;
    }
    if (NoDisplay()) {
        FatalGraphicsError(
            "No display found: Hollowmere needs a desktop session (X11 or Wayland) to show its "
            "window.");
        return;
    }
    ErrorCheckpoint = 110;
    DriverDX7 = DriverDX9 = 0;
    const RendererKind before = CurrentRenderer();
    const bool wasOpen = GraphicsOpen();
    ChooseRenderer(*this);
    SetDXDriver(forceDX7);
    ErrorCheckpoint = 120;
    if (FirstTime) {
        ReadDesktopFacts(*this);
        FirstTime = 0;
    }
    // The window: the virtual size, stepped down until it fits the desktop
    // (less the frame and task bar when windowed).
    ErrorCheckpoint = 125;
    WindowWidth = ScreenWidth;
    WindowHeight = ScreenHeight;
    const int usable = DesktopHeight - (FullScreen ? 0 : 70);
    static const int kSteps[][2] = {{1024, 768}, {800, 600}, {640, 480}};
    for (const auto& step : kSteps) {
        if (DisplayFits(WindowWidth, WindowHeight, usable)) break;
        WindowWidth = step[0];
        WindowHeight = step[1];
    }
    if (!DisplayFits(WindowWidth, WindowHeight, usable)) {
        Depth = -1;
        FatalGraphicsError("Cannot find a suitable resolution. Desktop Resolution= " +
                           FromInt(DesktopWidth) + "x" + FromInt(DesktopHeight));
        return;
    }
    // Keep the renderer (and every texture) when only the mode changes.
    const bool reuse = wasOpen && before == CurrentRenderer();
    ErrorCheckpoint = 130;
    if (FullScreen) {
        const bool opened = reuse ? ChangeWindowMode(WindowWidth, WindowHeight, true)
                                  : Graphics(WindowWidth, WindowHeight, 32, Hertz);
        if (opened) {
            Depth = 32;
            WindowWidth = GraphicsWidth();
            WindowHeight = GraphicsHeight();
            DoSetVirtualResolution();
            WindowHandle = GetActiveWindowSafe();
        } else {
            ForceWindowedMode = 1;
            FullScreen = 0;
        }
    }
    if (!FullScreen) {
        // The window the player left, when it still fits a display; else the
        // stepped size, centred.
        const WindowPlacement place = PlaceWindow(*this);
        WindowWidth = place.width;
        WindowHeight = place.height;
        const bool opened = (reuse && GraphicsOpen())
                                ? ChangeWindowMode(WindowWidth, WindowHeight, false)
                                : Graphics(WindowWidth, WindowHeight, 0, DesktopRefreshRate);
        if (!opened) {
            Depth = -1;
            FatalGraphicsError("Cannot create Windowed Mode at " + FromInt(WindowWidth) + "x" +
                               FromInt(WindowHeight) + " " + FromInt(DesktopRefreshRate) + "Hz");
            return;
        }
        Depth = 0;
        if (place.x == kCentredPlacement) {
            CentreWindow();
        } else {
            SetWindowPosition(place.x, place.y);
        }
        DoSetVirtualResolution();
        WindowHandle = GetActiveWindowSafe();
        SetWindowCoords();
        SetClientCoords();
    }
    ErrorCheckpoint = 139;
    UsePolledInput = 0;
    // Input from before the new display is dropped, but a request to close
    // is kept for the loop to honour.
    TEvent event;
    while (PollEvent(event)) {
        if (event.id == EVENT_WINDOWCLOSE || event.id == EVENT_APPTERMINATE) TerminatedEvent = 1;
    }
    SetPriority();
    GameRefreshRate = DesktopRefreshRate;
    if (!ClsColor) ClsColor = TColor::Create(0, 0, 0, 1.0f);
    SetClsColor(ClsColor->R, ClsColor->G, ClsColor->B);
}

void TGame::SetDXDriver(int /*forceDX7*/) {
    // The accelerated renderer plays the part of the newer DirectX.
    DriverDX7 = 0;
    DriverDX9 = Driver == 0 ? 1 : 0;
}

void TGame::DoSetVirtualResolution() {
    vxOff = vyOff = 0;
    UsingVirtualResolution = 0;
    // Wipe whatever the buffers held before, over the whole drawable.
    int width = 0, height = 0;
    GetDrawableSize(width, height);
    SetFrameRect(0, 0, width, height);
    SetClsColor(0, 0, 0);
    for (int i = 0; i < 4; ++i) {
        Cls();
        Flip(0);
    }
    if (ClsColor) SetClsColor(ClsColor->R, ClsColor->G, ClsColor->B);
    FitToWindow();
}

// A window keeps the game's shape, letterboxed in grey; full screen keeps
// the desktop's mode: with WideScreen the virtual area is widened to the
// desktop's shape with the game area in its middle and the margins in the
// clear colour, without it the picture fills the screen as a 1024 x 768 mode
// would, stretched to its shape. The frame is drawn at the drawable's own
// pixels, so a high-density display gets a sharp picture.
void TGame::FitToWindow() {
    int windowWidth = 0, windowHeight = 0, drawableWidth = 0, drawableHeight = 0;
    GetWindowSize(windowWidth, windowHeight);
    GetDrawableSize(drawableWidth, drawableHeight);
    View = FitView(windowWidth, windowHeight, drawableWidth, drawableHeight, ScreenWidth,
                   ScreenHeight, FullScreen != 0, WideScreen != 0);
    if (!FullScreen && windowWidth > 0) {
        WindowWidth = windowWidth;
        WindowHeight = windowHeight;
    }
    SetBarColor(kLetterboxGrey, kLetterboxGrey, kLetterboxGrey);
    SetFrameRect(View.frame.x, View.frame.y, View.frame.width, View.frame.height);
    vxOff = View.offsetX;
    vyOff = View.offsetY;
    if (View.identity) {
        VirtualRatioX = VirtualRatioY = 1.0f;
        UsingVirtualResolution = 0;
        return;
    }
    SetVirtualResolution(View.virtualWidth, View.virtualHeight);
    SetViewport(View.viewport.x, View.viewport.y, View.viewport.width, View.viewport.height);
    SetOrigin(static_cast<float>(Nearest(vxOff)), static_cast<float>(Nearest(vyOff)));
    VirtualRatioX = static_cast<float>(GameUnitsPerPointX(View));
    VirtualRatioY = static_cast<float>(GameUnitsPerPointY(View));
    UsingVirtualResolution = 1;
}

bool TGame::FollowWindowSize() {
    if (!GraphicsOpen()) return false;
    int windowWidth = 0, windowHeight = 0, drawableWidth = 0, drawableHeight = 0;
    GetWindowSize(windowWidth, windowHeight);
    GetDrawableSize(drawableWidth, drawableHeight);
    if (windowWidth == View.windowWidth && windowHeight == View.windowHeight &&
        drawableWidth == View.drawableWidth && drawableHeight == View.drawableHeight)
        return false;
    if (windowWidth <= 0 || windowHeight <= 0 || drawableWidth <= 0 || drawableHeight <= 0)
        return false;
    FitToWindow();
    return true;
}

GamePoint TGame::WindowToVirtual(int windowX, int windowY) const {
    if (!UsingVirtualResolution)
        return {static_cast<double>(windowX), static_cast<double>(windowY)};
    return WindowToGame(View, windowX, windowY);
}

void TGame::RememberWindowPlacement() {
    if (!GraphicsOpen() || FullScreen || !WindowShown() || WindowMaximised()) return;
    int x = 0, y = 0, width = 0, height = 0;
    GetWindowPosition(x, y);
    GetWindowSize(width, height);
    if (x == WindowPlaceX && y == WindowPlaceY && width == WindowPlaceWidth &&
        height == WindowPlaceHeight)
        return;
    WindowPlaceX = x;
    WindowPlaceY = y;
    WindowPlaceWidth = width;
    WindowPlaceHeight = height;
    if (Ini && !Ini->FileName.empty()) IniUpdate(0);
}

void TGame::DoMoveMouse(int x, int y) {
    if (UsingVirtualResolution) {
        int windowX = 0, windowY = 0;
        GameToWindow(View, x, y, windowX, windowY);
        MovePointer(windowX, windowY);
    } else {
        MovePointer(x, y);
    }
}

void TGame::RestoreMouseCoords() {
    if (!FullScreen) return;
    Mouse->x = std::clamp(Mouse->x, 0, ScreenWidth - 1);
    Mouse->y = std::clamp(Mouse->y, 0, ScreenHeight - 1);
    DoMoveMouse(Mouse->x, Mouse->y);
}

int TGame::GetActiveWindowSafe() {
    return GraphicsOpen() ? 1 : 0;
}

void TGame::SetWindowCoords() {
    GetWindowPosition(WindowX, WindowY);
}

// The window position is the client area's origin on this platform.
void TGame::SetClientCoords() {
    GetWindowPosition(ClientX, ClientY);
}

void TGame::PostDraw() {
    // The window keeps nothing certain of a frame once it is shown.
    if (ScreenshotWanted) {
        ScreenshotWanted = 0;
        TakeScreenshot();
    }
    Flip(FlipSync);
    PaceFrame();
}

namespace {
void AfterToggle(TGame& game) {
    game.IniUpdate(1);
    game.FixedRateLogic->Init();
    game.FixedRateLogic->HistoryClear();
}
}  // namespace

void TGame::ToggleFullScreen() {
    if (!FullScreen && ForceWindowedMode) return;
    // Leaving full screen brings the window back where the player had it.
    if (!FullScreen) RememberWindowPlacement();
    FullScreen = !FullScreen;
    if (FullScreen && CustomMousePointer) HidePointer();
    Mouse->ClearButtons();
    GraphicsCreate(AlwaysForceDX7);
    RestoreMouseCoords();
    AfterToggle(*this);
}

void TGame::ToggleWideScreen() {
    WideScreen = !WideScreen;
    Mouse->ClearButtons();
    DoSetVirtualResolution();
    RestoreMouseCoords();
    AfterToggle(*this);
}

void TGame::ToggleVSync() {
    VSync = !VSync;
    SetFlipSync();
    AfterToggle(*this);
}

int TGame::SetDriver(int driver) {
    const int wanted = driver != 0 ? 1 : 0;
    if (wanted == Driver) return 0;
    CloseGraphics();
    Driver = wanted;
    GraphicsCreate(AlwaysForceDX7);
    DoMoveMouse(Mouse->x, Mouse->y);
    AfterToggle(*this);
    FlushAll();
    return 1;
}

void TGame::ToggleCustomMousePointer() {
    if (CustomMousePointer) {
        ShowPointer();
    } else {
        HidePointer();
    }
    CustomMousePointer = !CustomMousePointer;
}

void TGame::TakeScreenshot() {
    PixmapPtr pixels = GrabPixmap(0, 0, ScreenWidth, ScreenHeight);
    if (pixels) {
        TDateTime now;
        now.Set_DateTimeCurrent();
        const std::string folder = UseCorrectPath ? SubPath : std::string();
        SavePixmapPNG(*pixels->Convert(PixelFormat::RGB888),
                      folder + now.Get_String("YYYY-MM-DD HHNNSS screenshot.png"), 9);
    }
    FlushKeys();
    FixedRateLogic->Init();
}
