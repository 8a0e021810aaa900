#include "support/Headless.h"

#include <algorithm>
#include <cstdlib>

#include "engine/Files.h"
#include "engine/Graphics.h"
#include "engine/Image.h"
#include "engine/Input.h"
#include "frame/Game.h"
#include "media/TextShadow.h"

namespace headless {

bool OpenGraphics(int width, int height) {
    // The environment may already name drivers; the tests need the headless ones.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("SDL_RENDER_DRIVER", "software", 1);
    if (GraphicsOpen() && GraphicsWidth() == width && GraphicsHeight() == height) return true;
    if (!InitVideo()) return false;
    SetRenderer(RendererKind::Software);
    return Graphics(width, height, 0, 60);
}

void ResetDrawingState() {
    SetVirtualResolution(static_cast<float>(GraphicsWidth()), static_cast<float>(GraphicsHeight()));
    SetViewport(0, 0, GraphicsWidth(), GraphicsHeight());
    SetOrigin(0, 0);
    SetHandle(0, 0);
    SetTransform(0, 1, 1);
    SetBlend(SOLIDBLEND);
    SetAlpha(1);
    SetColor(255, 255, 255);
    SetClsColor(0, 0, 0);
    SetLineWidth(1);
    // Image defaults the whole game sets while it loads.
    AutoMidHandle(false);
    SetMaskColor(0, 0, 0);
    SetTextShadow(1.0f, 1.0f, 0.5f);
    TextAlpha = 1.0f;
}

PixmapPtr ReadFrame() {
    return ReadBackBuffer();
}

InkBox FindInk(const TPixmap& frame, const std::function<bool(uint32_t)>& isInk, int x0, int y0,
               int x1, int y1) {
    InkBox box;
    if (x1 < 0 || x1 >= frame.Width()) x1 = frame.Width() - 1;
    if (y1 < 0 || y1 >= frame.Height()) y1 = frame.Height() - 1;
    for (int y = std::max(0, y0); y <= y1; ++y) {
        for (int x = std::max(0, x0); x <= x1; ++x) {
            if (!isInk(frame.ReadPixel(x, y))) continue;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x);
            box.bottom = std::max(box.bottom, y);
        }
    }
    return box;
}

std::string OutputFolder() {
    const char* fromEnv = std::getenv("HOLLOWMERE_TEST_OUTPUT");
    std::string folder = fromEnv ? fromEnv : "test-output";
    CreateDir(folder, true);
    return folder;
}

std::string SaveFrame(const std::string& name) {
    const std::string path = OutputFolder() + "/" + name + ".png";
    if (PixmapPtr frame = ReadFrame()) SavePixmapPNG(*frame, path, 1);
    return path;
}

}  // namespace headless

void HeadlessTest::SetUp() {
    // Every test reads the data set the build generated.
    const std::string data = HOLLOWMERE_DATA_DIR;
    DataPrefixOverride = data.substr(0, data.find_last_of('/') + 1);
    ASSERT_TRUE(headless::OpenGraphics()) << "no headless video driver";
    headless::ResetDrawingState();
    // The window starts focused and shown whatever an earlier test did to it.
    InjectWindowFocus(true);
    InjectWindowMinimised(false);
    FlushEvents();
    SetClock(&clock_);
}

void HeadlessTest::TearDown() {
    SetClock(nullptr);
}
