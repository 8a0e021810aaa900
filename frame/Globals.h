// Framework globals shared by the whole program, and the frame's own key
// tables and input functions that every screen uses.
#pragma once

#include <array>

#include "engine/Keys.h"

extern int ScreenWidth;        // virtual screen: 1024 once the program starts
extern int ScreenHeight;       // 768
extern float Delta;            // weight of the logic step being run
extern int DefaultFadeLength;  // ms; 300 in this program
extern int ErrorCheckpoint;    // progress code for fatal-error messages
extern int FlipSync;           // argument of every frame's Flip
extern int UsePolledInput;     // 1: input from the engine's polled queries
extern int GraphicsStarted;    // 1 once graphics are up
extern int ErrorLogEnabled;    // fatal errors go to the error log too
extern int BlockLogicWhileFading;

// Key tables, indexed by Windows virtual-key code.
extern std::array<int, 256> KeyHits;    // presses since last read
extern std::array<int, 256> KeyStates;  // 1 while held
// Typed characters: a ring of 256 with read and write counters.
extern std::array<int, 256> CharRing;
extern int CharRead;
extern int CharWrite;

// The virtual-key code of each framework action; 0 disables it.
struct TFrameworkKeys {
    int Pause = 'P';
    int VolumeDown = Key::Minus;
    int VolumeUp = Key::Equals;
    int Quit = 'X';
    int FullScreen = 'F';
    int Minimise = 'B';
    int MusicToggle = 'M';
    int SoundToggle = 'S';
    int Fast = 'T';
    int SlowMotion = 'L';
    int Screenshot = Key::F12;
    int FlipSyncCycle = 'I';
    int NoTiming = 'N';
    int VSyncToggle = 'V';
    int DriverToggle = 'G';
    int SoundDriverCycle = 'H';
    int Debug = 'D';
    int StoreMouse = 'C';
    int PrintMouse = 'O';
};
extern TFrameworkKeys FrameworkKeys;

// 1 once if the key was pressed since the last read (then cleared); with
// polled input the engine is asked; negative keys give 0.
int KeyHit(int key);
int KeyDown(int key);
int GetChar();    // next typed character, or 0
int AnyKeyHit();  // 1 if any key has exactly one unread press
int GetKeyHit();  // lowest key with one unread press, or -1
void FlushKeys();
void FlushKey(int key);
void FlushMouse();
void FlushAll();
// Used by the event reading: record a typed character (dropped when 256 are
// unread).
void PushChar(int code);
