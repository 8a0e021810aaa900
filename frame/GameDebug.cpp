// The debug overlay of the game object.
#include <string>
#include <vector>

#include "engine/Graphics.h"
#include "engine/Strings.h"
#include "engine/platform/Platform.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"
#include "frame/Screen.h"
#include "media/TextShadow.h"
#include "ui/TextCursor.h"

namespace {

constexpr int kPanelWidth = 350;
constexpr int kPanelLineHeight = 12;
constexpr int kLinesFull = 37;
constexpr int kLinesWithPlacement = 39;

std::string OnOff(int flag) {
    return flag ? "on" : "off";
}
std::string TrueFalse(int flag) {
    return flag ? "True" : "False";
}

template <typename Counter>
std::string DisplayOf(const std::shared_ptr<Counter>& counter) {
    return counter ? counter->GetDisplay() : std::string();
}

std::string MemoryLine() {
    constexpr uint64_t kMegabyte = 1024 * 1024;
    const MemoryStatus status = GetMemoryStatus();
    const uint64_t total = status.totalPhysical / kMegabyte;
    const uint64_t used = (status.totalPhysical - status.availablePhysical) / kMegabyte;
    std::string load = "0";
    if (total > 0) {
        load = FromFloat(static_cast<double>(used) / static_cast<double>(total) * 100.0);
        load = load.substr(0, load.find('.'));
    }
    return "Win Mem " + std::to_string(used) + "MB Used/" + std::to_string(total) +
           "MB Total = " + load + "% Load";
}

std::string MouseLine(const std::string& label, int position, int stored) {
    std::string line = label + FromInt(position);
    if (stored != -1) line += " (Diff = " + FromInt(position - stored) + ")";
    return line;
}

void AddTimingLines(const TGame& game, std::vector<std::string>& lines) {
    lines.push_back(DisplayOf(game.LogicTime));
    lines.push_back(DisplayOf(game.DrawTime));
    lines.push_back(DisplayOf(game.FPS));
    lines.push_back("Desk Hz " + FromInt(game.DesktopRefreshRate));
    lines.push_back("Game Hz " + FromInt(game.GameRefreshRate));
    lines.push_back(DisplayOf(game.FixedRateLogic));
    lines.push_back("Flip    " + FromInt(FlipSync));
    lines.push_back("Fast    " + FromInt(game.Fast));
    lines.push_back("Slow    " + FromInt(game.SlowMotion));
    lines.push_back("VSync   " + FromInt(game.VSync));
    lines.push_back("Timing  " + FromInt(game.NoTiming == 0 ? 1 : 0));
}

void AddSystemLines(const TGame& game, std::vector<std::string>& lines) {
    lines.push_back("Gfx Drv " + RendererName());
    lines.push_back("Snd Drv " + game.SoundDriver);
    lines.push_back("Os Ver  " + game.OSVersion);
    lines.push_back("GC Mem  " + std::to_string(HeapBytesInUse()));
    lines.push_back(MemoryLine());
    lines.push_back("M. Vol. " + FromInt(game.MusicVolume) + " (" + OnOff(game.Music) + ")");
    lines.push_back("S. Vol. " + FromInt(game.SoundVolume) + " (" + OnOff(game.Sound) + ")");
    lines.push_back("Sp. Vol." + FromInt(game.SpeechVolume) + " (" + OnOff(game.Speech) + ")");
}

void AddScreenLines(const TGame& game, std::vector<std::string>& lines) {
    const int mouseX = game.Mouse ? game.Mouse->x : 0;
    const int mouseY = game.Mouse ? game.Mouse->y : 0;
    lines.push_back(MouseLine("Mouse X ", mouseX, game.storedX));
    lines.push_back(MouseLine("Mouse Y ", mouseY, game.storedY));
    lines.push_back("Screen  " + (game.CurrentTScreen ? game.CurrentTScreen->name : std::string()));
    lines.push_back("Handle  " + FromInt(game.WindowHandle));
    lines.push_back("DesktopWidth  " + FromInt(game.DesktopWidth));
    lines.push_back("DesktopHeight " + FromInt(game.DesktopHeight));
    lines.push_back("ScreenWidth   " + FromInt(ScreenWidth));
    lines.push_back("ScreenHeight  " + FromInt(ScreenHeight));
    lines.push_back("WindowWidth   " + FromInt(game.WindowWidth));
    lines.push_back("WindowHeight  " + FromInt(game.WindowHeight));
    lines.push_back("UsingVirtualResolution = " + TrueFalse(game.UsingVirtualResolution));
    lines.push_back("Widescreen = " + TrueFalse(game.WideScreen));
}

void AddFreeValueLines(const TGame& game, std::vector<std::string>& lines) {
    lines.push_back("Debug1  " + FromInt(game.Debug1));
    lines.push_back("Debug2  " + FromInt(game.Debug2));
    lines.push_back("Debug3  " + FromFloat(game.Debug3));
    lines.push_back("Debug4  " + FromFloat(game.Debug4));
    lines.push_back("Stored X " + FromInt(game.storedX));
    lines.push_back("Stored Y " + FromInt(game.storedY));
    if (game.GraphicPlacement) {
        lines.push_back("GP X    " + FromInt(game.gpX));
        lines.push_back("GP Y    " + FromInt(game.gpY));
    }
}

std::vector<std::string> OverlayLines(const TGame& game) {
    if (game.DebugShowFPSOnly) return {DisplayOf(game.FPS)};
    std::vector<std::string> lines;
    AddTimingLines(game, lines);
    AddSystemLines(game, lines);
    AddScreenLines(game, lines);
    AddFreeValueLines(game, lines);
    return lines;
}

void DrawPanel(const TGame& game) {
    int lineCount = kLinesFull;
    if (game.DebugShowFPSOnly) {
        lineCount = 1;
    } else if (game.GraphicPlacement) {
        lineCount = kLinesWithPlacement;
    }
    const DrawStateGuard restore;
    SetBlend(ALPHABLEND);
    SetAlpha(game.DebugPanel);
    SetColor(0, 0, 0);
    DrawRect(static_cast<float>(game.DebugDisplayX - 5), static_cast<float>(game.DebugDisplayY - 5),
             kPanelWidth, static_cast<float>(lineCount * kPanelLineHeight + 10));
}

}  // namespace

void TGame::DebugReset() {
    if (FixedRateLogic) FixedRateLogic->maximum = 0;
    if (LogicTime) LogicTime->Init();
    if (DrawTime) DrawTime->Init();
    if (CodeTime) CodeTime->Init();
    if (FPS) FPS->Init();
}

void TGame::DebugPrint() {
    if (!Debug) return;
    if (DebugPanel > 0) DrawPanel(*this);
    // Only the engine's built-in font draws text here for now, whatever
    // DebugImageFont holds.
    if (FPS) FPS->Calc();
    if (DebugShadow) SetTextShadow(1, 1, 1);
    TTextCursor cursor;
    cursor.Init(DebugDisplayX, DebugDisplayY, DebugImageFontGap);
    cursor.Shadow = DebugShadow;
    for (const std::string& line : OverlayLines(*this))
        cursor.OutputNL(line);
}

void TGame::SetGP(int x, int y) {
    gpX = x;
    gpY = y;
}
