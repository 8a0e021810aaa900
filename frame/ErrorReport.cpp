#include "frame/ErrorReport.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <vector>

#include "engine/Clock.h"
#include "engine/Graphics.h"
#include "engine/Input.h"
#include "engine/platform/Platform.h"
#include "frame/DateTime.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "media/TextShadow.h"

std::function<void(const std::string&)> FatalErrorHook;
bool FatalErrorShowsBox = true;

namespace {

constexpr int kErrorBoxWidth = 600;
constexpr int kErrorBoxHeight = 100;
// The message box waits for a person: a few ms per round keeps it off the CPU.
constexpr int kMessageBoxRoundDelayMs = 5;
const char* const kLogSeparator = "---------------------------------------------------------";

// The engine keeps counting polled hits while the game reads events, so a
// switch to polled input starts from a clean slate: otherwise a key pressed
// minutes ago would close the message box at once.
void DrainPolledHits() {
    for (int key = 0; key < 256; ++key)
        PolledKeyHit(key);
    for (int button = 1; button <= 3; ++button)
        PolledMouseHit(button);
}

void SwitchToPolledInput() {
    DrainPolledHits();
    UsePolledInput = 1;
}

void SwitchToEventInput() {
    UsePolledInput = 0;
    FlushEvents();
}

void RestoreInputMode(int wasPolled) {
    if (wasPolled) {
        UsePolledInput = 1;
    } else {
        SwitchToEventInput();
    }
}

void ShowErrorMessage(const std::string& message) {
    if (!FatalErrorShowsBox) return;
    // Without a window on a real display nobody could answer the in-game box.
    if (GraphicsStarted && GraphicsOpen() && !HeadlessVideo()) {
        SwitchToPolledInput();
        ShowMessageBox(message, kErrorBoxWidth, kErrorBoxHeight);
    } else {
        ShowSystemMessageBox("Hollowmere", message, false);
    }
}

[[noreturn]] void EndProcessAfterError() {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(1);
}

bool AnyKeyHitPolled() {
    bool hit = false;
    // Every key is asked, so hits of several keys are all consumed together.
    for (int key = 0; key < 256; ++key) {
        if (KeyHit(key)) hit = true;
    }
    return hit;
}

bool AnyMouseHitPolled() {
    bool hit = false;
    for (int button = 1; button <= 3; ++button) {
        if (PolledMouseHit(button) > 0) hit = true;
    }
    return hit;
}

struct MessageBoxLayout {
    int left, top, width, height;
    int fontHeight;
    std::vector<std::string> lines;
};

void DrawMessageBoxFrame(const MessageBoxLayout& box) {
    const int centreX = ScreenWidth / 2;
    SetColor(0, 0, 0);
    DrawRect(box.left + 4, box.top + 4, box.width, box.height);
    SetColor(150, 150, 150);
    DrawRect(box.left, box.top, box.width, box.height);
    const float right = box.left + box.width - 1, bottom = box.top + box.height - 1;
    SetColor(220, 220, 200);
    DrawLine(box.left, box.top, right, box.top);
    DrawLine(right, box.top, right, bottom);
    DrawLine(right, bottom, box.left, bottom);
    DrawLine(box.left, bottom, box.left, box.top);
    SetTextShadow(1.0f, 1.0f, TextShadowAlpha);
    SetColor(0, 220, 220);
    float y = box.top + 10;
    for (const std::string& line : box.lines) {
        DrawImageFontText(line, centreX, y, 1, 1, 0);
        y += box.fontHeight;
    }
    SetColor(0, 220, 0);
    DrawImageFontText("<press any key>", centreX, box.top + box.height - box.fontHeight - 10, 1, 1,
                      0);
}

}  // namespace

std::string ErrorLogPath() {
    const std::string folder = Game ? Game->SubPath : std::string();
    return folder + "ErrorLog.txt";
}

void ReportError(const std::string& message, int end) {
    const int wasPolled = UsePolledInput;
    ShowErrorMessage(message);
    if (ErrorLogEnabled) AppendErrorLog(message);
    if (end) {
        if (!FatalErrorHook) EndProcessAfterError();
        FatalErrorHook(message);
    }
    RestoreInputMode(wasPolled);
}

void ShowMessageBox(const std::string& message, int width, int height) {
    // A fatal error may arrive in the middle of any drawing: start from a
    // plain drawing state, whatever the interrupted code had set.
    SetBlend(SOLIDBLEND);
    SetAlpha(1);
    SetColor(255, 255, 255);
    SetTransform(0, 1, 1);
    SetHandle(0, 0);
    SetOrigin(0, 0);
    SetLineWidth(1);
    SetViewport(0, 0, ScreenWidth, ScreenHeight);
    MessageBoxLayout box;
    box.left = (ScreenWidth - width) / 2;
    box.top = (ScreenHeight - height) / 2;
    box.width = width;
    box.height = height;
    box.fontHeight = static_cast<int>(ImageFontTextHeight("ABCXYZ"));
    box.lines = WordWrapLinesMeasured(SplitLines(message), width - 20, ImageFontTextWidth, 1.0);
    FlushAll();
    // The box is drawn over the frame as it stands, which must stay put.
    const bool kept = FrameKept();
    KeepFrame(true);
    while (true) {
        // Both are asked every round so neither leaves a stale hit behind.
        const bool keyHit = AnyKeyHitPolled();
        const bool mouseHit = AnyMouseHitPolled();
        // Closing the window (or being told to quit) answers the box too.
        const bool closed = PolledCloseRequests() > 0;
        if (keyHit || mouseHit || closed) break;
        DrawMessageBoxFrame(box);
        Flip(FlipSync);
        Delay(kMessageBoxRoundDelayMs);
    }
    KeepFrame(kept);
    SetColor(255, 255, 255);
    FlushAll();
}

void AppendErrorLog(const std::string& message) {
    const std::string path = ErrorLogPath();
    if (FileType(path) == FILETYPE_NONE) CreateFile(path);
    StreamPtr log = OpenFile(path);
    if (!log) return;
    log->Seek(log->Size());
    log->WriteLine(kLogSeparator);
    log->WriteLine("Date: " + CurrentDateText() + "   Time: " + CurrentTimeText());
    log->WriteLine(message);
    log->Close();
    // Shared folders need no access grants on this platform, so the
    // folder-access step that follows a log write has nothing to do here.
}

ImagePtr LoadAnimImageOrFail(const std::string& path, int cellWidth, int cellHeight, int firstCell,
                             int cellCount, int flags) {
    ImagePtr image = TImage::LoadAnim(path, cellWidth, cellHeight, firstCell, cellCount, flags);
    if (!image) ReportError("Error loading anim bitmap " + path, 1);
    return image;
}

ImagePtr LoadImageOrFail(const std::string& path, int flags) {
    ImagePtr image = TImage::Load(path, flags);
    if (!image) ReportError("Error loading bitmap " + path, 1);
    return image;
}

StreamPtr ReadFileOrFail(const std::string& path) {
    StreamPtr stream = ReadFile(path);
    if (!stream) ReportError("Error loading file " + path, 1);
    return stream;
}

SoundPtr LoadSoundOrFail(const std::string& path, int flags) {
    SoundPtr sound = TSound::Load(path, flags);
    if (!sound) ReportError("Error loading sample " + path, 1);
    return sound;
}
