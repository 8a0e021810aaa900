// Input: the operating system's event queue, translated to the numbered
// events and Windows virtual-key codes the game is written against, and
// polled key and mouse queries.
#pragma once

#include <string>

enum EventId {
    EVENT_APPSUSPEND = 257,    // focus lost or minimised
    EVENT_APPRESUME = 258,     // focus regained or restored
    EVENT_APPTERMINATE = 259,  // the system asks the program to end
    EVENT_KEYDOWN = 513,       // data: virtual-key code
    EVENT_KEYUP = 514,
    // data: a typed character's Unicode code point. Printable characters come
    // from the system's text input (so dead keys and input methods compose
    // them); Backspace, Tab, Enter and Escape come from their keys as 8, 9,
    // 13 and 27, repeated while the key is held.
    EVENT_KEYCHAR = 515,
    EVENT_MOUSEDOWN = 1025,  // data: 1 left, 2 right, 3 middle
    EVENT_MOUSEUP = 1026,
    EVENT_MOUSEMOVE = 1027,
    EVENT_MOUSEWHEEL = 1028,  // data: wheel delta, positive away from the user
    EVENT_WINDOWCLOSE = 16387,
};

struct TEvent {
    int id = 0;
    int data = 0;
    int x = 0;  // physical window coordinates of the pointer
    int y = 0;
};

// Takes the next translated event; false when the queue is empty. Events
// without a meaning for the game (and keys outside 0..255) are dropped.
bool PollEvent(TEvent& event);
// Drops every pending event.
void FlushEvents();

// Windows virtual-key code for an SDL key name ("A", "Left Shift", "F12" ...),
// as the key-down events would report it; 0 when it has none. Lets tests
// check the mapping without SDL.
int VirtualKeyFromKeyName(const std::string& sdlKeyName);
// Places a real key or mouse event in the system queue (tests, headless);
// repeat marks a key-down as the system's repeat of a held key.
void InjectKeyEvent(const std::string& sdlKeyName, bool down, bool repeat = false);
void InjectTextEvent(const std::string& utf8);
void InjectMouseButton(int button, bool down, int x, int y);
void InjectMouseMove(int x, int y);
// Wheel steps, positive away from the user.
void InjectMouseWheel(int steps);
void InjectWindowClose();
// The desktop taking the focus away or giving it back, and minimising or
// restoring the window.
void InjectWindowFocus(bool gained);
void InjectWindowMinimised(bool minimised);

// Game controllers (SDL's game controller mappings): those present when
// events start and those plugged in later are opened, unplugged ones are
// closed. Their buttons and the left stick's four directions arrive as key
// events with the Key::Pad codes (Keys.h). The number open now:
int OpenControllerCount();
// A virtual controller in the system (tests, headless): attached with every
// button and axis a game controller has, pressed by Key::Pad code; the stick
// takes -1..1 each way (positive right and down). False when the system
// cannot attach one or none is attached.
bool AttachVirtualPad();
bool PressVirtualPad(int padKey, bool down);
bool TiltVirtualPadStick(float x, float y);
void DetachVirtualPad();

// Polled input (valid while events are being polled, e.g. by a message loop).
bool PolledKeyDown(int virtualKey);
int PolledKeyHit(int virtualKey);  // presses since the last call for that key
bool PolledMouseDown(int button);
int PolledMouseHit(int button);
// Window closes and quit requests (a signal, the desktop) since the last call.
int PolledCloseRequests();
int PolledMouseX();  // physical
int PolledMouseY();

void ShowPointer();
void HidePointer();
void MovePointer(int physicalX, int physicalY);
// Starts typed-character events (on by default once graphics are open).
void EnableTextInput(bool on);
