#include "frame/Globals.h"

#include "engine/Input.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"

int ScreenWidth = 800;
int ScreenHeight = 600;
float Delta = 0;
int DefaultFadeLength = 500;
int ErrorCheckpoint = 0;
int FlipSync = 1;
int UsePolledInput = 0;
int GraphicsStarted = 1;
int ErrorLogEnabled = 1;
int BlockLogicWhileFading = 1;

std::array<int, 256> KeyHits{};
std::array<int, 256> KeyStates{};
std::array<int, 256> CharRing{};
int CharRead = 0;
int CharWrite = 0;
TFrameworkKeys FrameworkKeys;

namespace {
bool ValidKey(int key) {
    return key >= 0 && key < 256;
}
}  // namespace

int KeyHit(int key) {
    if (!ValidKey(key)) return 0;
    if (UsePolledInput) return PolledKeyHit(key) > 0 ? 1 : 0;
    if (KeyHits[key] == 0) return 0;
    KeyHits[key] = 0;
    return 1;
}

int KeyDown(int key) {
    if (!ValidKey(key)) return 0;
    if (UsePolledInput) return PolledKeyDown(key) ? 1 : 0;
    return KeyStates[key];
}

int GetChar() {
    if (CharRead == CharWrite) return 0;
    const int code = CharRing[CharRead & 255];
    ++CharRead;
    return code;
}

void PushChar(int code) {
    if (CharWrite - CharRead >= 256) return;
    CharRing[CharWrite & 255] = code;
    ++CharWrite;
}

int AnyKeyHit() {
    for (int hits : KeyHits) {
        if (hits == 1) return 1;
    }
    return 0;
}

int GetKeyHit() {
    for (int key = 0; key < 256; ++key) {
        if (KeyHits[key] == 1) return key;
    }
    return -1;
}

void FlushKeys() {
    KeyHits.fill(0);
    KeyStates.fill(0);
    CharRead = CharWrite = 0;
}

void FlushKey(int key) {
    if (!ValidKey(key)) return;
    KeyHits[key] = 0;
    KeyStates[key] = 0;
}

void FlushMouse() {
    if (Game && Game->Mouse) Game->Mouse->ClearButtons();
}

void FlushAll() {
    FlushKeys();
    FlushMouse();
}
