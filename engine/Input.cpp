#include "engine/Input.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <vector>

#include "engine/Graphics.h"
#include "engine/Keys.h"
#include "engine/RenderInternal.h"
#include "engine/Strings.h"

namespace {

struct PolledState {
    std::array<bool, 256> keyDown{};
    std::array<int, 256> keyHits{};
    std::array<bool, 4> mouseDown{};
    std::array<int, 4> mouseHits{};
    int mouseX = 0, mouseY = 0;
    int closeRequests = 0;  // window closes and quit requests
};

PolledState g_polled;
bool g_focusFromEvents = true;
bool g_minimisedFromEvents = false;
std::deque<TEvent> g_pending;

// ---- game controllers ----
std::vector<SDL_GameController*> g_controllers;
bool g_controllersFailed = false;
// The left stick's directions as keys: left, right, up, down.
std::array<bool, 4> g_stickHeld{};
constexpr std::array<int, 4> kStickKeys = {Key::PadStickLeft, Key::PadStickRight, Key::PadStickUp,
                                           Key::PadStickDown};
// A lean past this presses a direction; back under the lower one releases it.
constexpr int kStickPress = 16000;
constexpr int kStickRelease = 8000;
SDL_Joystick* g_virtualPad = nullptr;
SDL_JoystickID g_virtualPadId = -1;
std::string g_backgroundHint;  // the setting before a virtual device changed it

int VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    // Letters of layouts without Latin keycodes: take the key's position.
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z && key > 127) {
        return 'A' + (scancode - SDL_SCANCODE_A);
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) return Key::F1 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return Key::Numpad1 + (key - SDLK_KP_1);
    switch (key) {
        case SDLK_BACKSPACE:
            return Key::Backspace;
        case SDLK_TAB:
            return Key::Tab;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return Key::Enter;
        case SDLK_PAUSE:
            return Key::Pause;
        case SDLK_CAPSLOCK:
            return Key::CapsLock;
        case SDLK_ESCAPE:
            return Key::Escape;
        case SDLK_SPACE:
            return Key::Space;
        case SDLK_PAGEUP:
            return Key::PageUp;
        case SDLK_PAGEDOWN:
            return Key::PageDown;
        case SDLK_END:
            return Key::End;
        case SDLK_HOME:
            return Key::Home;
        case SDLK_LEFT:
            return Key::Left;
        case SDLK_UP:
            return Key::Up;
        case SDLK_RIGHT:
            return Key::Right;
        case SDLK_DOWN:
            return Key::Down;
        case SDLK_PRINTSCREEN:
            return Key::PrintScreen;
        case SDLK_INSERT:
            return Key::Insert;
        case SDLK_DELETE:
            return Key::Delete;
        case SDLK_LGUI:
            return Key::LeftSystem;
        case SDLK_RGUI:
            return Key::RightSystem;
        case SDLK_APPLICATION:
            return Key::Menu;
        case SDLK_KP_0:
            return Key::Numpad0;
        case SDLK_KP_MULTIPLY:
            return Key::NumpadMultiply;
        case SDLK_KP_PLUS:
            return Key::NumpadPlus;
        case SDLK_KP_MINUS:
            return Key::NumpadMinus;
        case SDLK_KP_PERIOD:
            return Key::NumpadPeriod;
        case SDLK_KP_DIVIDE:
            return Key::NumpadDivide;
        case SDLK_NUMLOCKCLEAR:
            return Key::NumLock;
        case SDLK_SCROLLLOCK:
            return Key::ScrollLock;
        case SDLK_LSHIFT:
            return Key::LeftShift;
        case SDLK_RSHIFT:
            return Key::RightShift;
        case SDLK_LCTRL:
            return Key::LeftCtrl;
        case SDLK_RCTRL:
            return Key::RightCtrl;
        case SDLK_LALT:
            return Key::LeftAlt;
        case SDLK_RALT:
            return Key::RightAlt;
        case SDLK_SEMICOLON:
            return Key::Semicolon;
        case SDLK_EQUALS:
            return Key::Equals;
        case SDLK_COMMA:
            return Key::Comma;
        case SDLK_MINUS:
            return Key::Minus;
        case SDLK_PERIOD:
            return Key::Period;
        case SDLK_SLASH:
            return Key::Slash;
        case SDLK_BACKQUOTE:
            return Key::Backquote;
        case SDLK_LEFTBRACKET:
            return Key::LeftBracket;
        case SDLK_BACKSLASH:
            return Key::Backslash;
        case SDLK_RIGHTBRACKET:
            return Key::RightBracket;
        case SDLK_QUOTE:
            return Key::Quote;
        default:
            return 0;
    }
}

int GameButton(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT:
            return 1;
        case SDL_BUTTON_RIGHT:
            return 2;
        case SDL_BUTTON_MIDDLE:
            return 3;
        default:
            return 0;
    }
}

// Keys that also type a control character, as a text field expects them to.
int ControlCharacter(int virtualKey) {
    switch (virtualKey) {
        case Key::Backspace:
        case Key::Tab:
        case Key::Enter:
        case Key::Escape:
            return virtualKey;
        default:
            return 0;
    }
}

void Queue(int id, int data, int x, int y) {
    g_pending.push_back({id, data, x, y});
}

// Typed text: one character event per code point. The control characters
// come from their keys (ControlCharacter), so a control in the text, a C1
// control or a malformed byte adds nothing.
void AddTextEvents(const char* utf8) {
    const std::string text(utf8);
    for (size_t pos = 0; pos < text.size();) {
        const size_t start = pos;
        const int code = NextCodePoint(text, pos);
        const bool malformed = code >= 0x80 && pos - start == 1;
        const bool control = code < 32 || (code >= 127 && code < 160);
        if (!malformed && !control) Queue(EVENT_KEYCHAR, code, g_polled.mouseX, g_polled.mouseY);
    }
}

void TranslateKey(const SDL_KeyboardEvent& key, bool down) {
    const int vk = VirtualKeyFromSdl(key.keysym.sym, key.keysym.scancode);
    if (vk <= 0 || vk > 255) return;
    if (down) {
        if (!key.repeat) {
            g_polled.keyDown[vk] = true;
            ++g_polled.keyHits[vk];
            Queue(EVENT_KEYDOWN, vk, g_polled.mouseX, g_polled.mouseY);
        }
        if (int c = ControlCharacter(vk)) Queue(EVENT_KEYCHAR, c, g_polled.mouseX, g_polled.mouseY);
    } else {
        g_polled.keyDown[vk] = false;
        Queue(EVENT_KEYUP, vk, g_polled.mouseX, g_polled.mouseY);
    }
}

int PadKeyFromButton(int button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_A:
            return Key::PadA;
        case SDL_CONTROLLER_BUTTON_B:
            return Key::PadB;
        case SDL_CONTROLLER_BUTTON_X:
            return Key::PadX;
        case SDL_CONTROLLER_BUTTON_Y:
            return Key::PadY;
        case SDL_CONTROLLER_BUTTON_BACK:
            return Key::PadBack;
        case SDL_CONTROLLER_BUTTON_START:
            return Key::PadStart;
        case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
            return Key::PadLeftShoulder;
        case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
            return Key::PadRightShoulder;
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return Key::PadUp;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return Key::PadDown;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return Key::PadLeft;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return Key::PadRight;
        default:
            return 0;
    }
}

int ButtonFromPadKey(int padKey) {
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
        if (PadKeyFromButton(button) == padKey) return button;
    }
    return -1;
}

void SetPadKey(int vk, bool down) {
    if (vk <= 0 || vk > 255 || g_polled.keyDown[vk] == down) return;
    g_polled.keyDown[vk] = down;
    if (down) ++g_polled.keyHits[vk];
    Queue(down ? EVENT_KEYDOWN : EVENT_KEYUP, vk, g_polled.mouseX, g_polled.mouseY);
}

// One axis of the left stick: the direction it leans to is held, the other
// released.
void TranslateStick(int axis, int value) {
    const int first = axis == SDL_CONTROLLER_AXIS_LEFTX ? 0 : 2;
    for (int side = 0; side < 2; ++side) {
        const int toward = side == 0 ? -value : value;
        bool& held = g_stickHeld[first + side];
        const bool now = held ? toward > kStickRelease : toward > kStickPress;
        if (now != held) {
            held = now;
            SetPadKey(kStickKeys[first + side], now);
        }
    }
}

void ReleasePadKeys() {
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button)
        SetPadKey(PadKeyFromButton(button), false);
    for (size_t i = 0; i < kStickKeys.size(); ++i) {
        g_stickHeld[i] = false;
        SetPadKey(kStickKeys[i], false);
    }
}

void OpenController(int deviceIndex) {
    if (!SDL_IsGameController(deviceIndex)) return;
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (id >= 0 && SDL_GameControllerFromInstanceID(id)) return;
    if (SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex))
        g_controllers.push_back(controller);
}

void CloseController(SDL_JoystickID id) {
    SDL_GameController* controller = SDL_GameControllerFromInstanceID(id);
    auto found = std::find(g_controllers.begin(), g_controllers.end(), controller);
    if (!controller || found == g_controllers.end()) return;
    g_controllers.erase(found);
    SDL_GameControllerClose(controller);
    // Nothing stays held by a controller that is gone.
    if (g_controllers.empty()) ReleasePadKeys();
}

// The controller subsystem starts with the event queue; the devices present
// then announce themselves as plugged in.
void StartControllers() {
    if (g_controllersFailed || SDL_WasInit(SDL_INIT_GAMECONTROLLER)) return;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) g_controllersFailed = true;
}

void TranslateWindowEvent(const SDL_WindowEvent& window) {
    switch (window.event) {
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED:
            g_focusFromEvents = false;
            if (window.event == SDL_WINDOWEVENT_MINIMIZED) g_minimisedFromEvents = true;
            Queue(EVENT_APPSUSPEND, 0, 0, 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_RESTORED:
            g_focusFromEvents = true;
            if (window.event == SDL_WINDOWEVENT_RESTORED) g_minimisedFromEvents = false;
            Queue(EVENT_APPRESUME, 0, 0, 0);
            break;
        case SDL_WINDOWEVENT_CLOSE:
            ++g_polled.closeRequests;
            Queue(EVENT_WINDOWCLOSE, 0, 0, 0);
            break;
        default:
            break;
    }
}

void Translate(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
        case SDL_APP_TERMINATING:
            ++g_polled.closeRequests;
            Queue(EVENT_APPTERMINATE, 0, 0, 0);
            break;
        case SDL_WINDOWEVENT:
            TranslateWindowEvent(event.window);
            break;
        case SDL_KEYDOWN:
            TranslateKey(event.key, true);
            break;
        case SDL_KEYUP:
            TranslateKey(event.key, false);
            break;
        case SDL_TEXTINPUT:
            AddTextEvents(event.text.text);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const int button = GameButton(event.button.button);
            if (button == 0) break;
            const bool down = event.type == SDL_MOUSEBUTTONDOWN;
            g_polled.mouseX = event.button.x;
            g_polled.mouseY = event.button.y;
            g_polled.mouseDown[button] = down;
            if (down) ++g_polled.mouseHits[button];
            Queue(down ? EVENT_MOUSEDOWN : EVENT_MOUSEUP, button, event.button.x, event.button.y);
            break;
        }
        case SDL_MOUSEMOTION:
            g_polled.mouseX = event.motion.x;
            g_polled.mouseY = event.motion.y;
            Queue(EVENT_MOUSEMOVE, 0, event.motion.x, event.motion.y);
            break;
        case SDL_CONTROLLERDEVICEADDED:
            OpenController(event.cdevice.which);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            CloseController(event.cdevice.which);
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            SetPadKey(PadKeyFromButton(event.cbutton.button),
                      event.type == SDL_CONTROLLERBUTTONDOWN);
            break;
        case SDL_CONTROLLERAXISMOTION:
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX ||
                event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
                TranslateStick(event.caxis.axis, event.caxis.value);
            break;
        case SDL_MOUSEWHEEL: {
            int delta = event.wheel.y;
            if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) delta = -delta;
            if (delta != 0) Queue(EVENT_MOUSEWHEEL, delta, g_polled.mouseX, g_polled.mouseY);
            break;
        }
        default:
            break;
    }
}

void PumpSystemEvents() {
    if (!SDL_WasInit(SDL_INIT_EVENTS)) return;
    StartControllers();
    SDL_Event event;
    while (SDL_PollEvent(&event))
        Translate(event);
}

SDL_Keycode KeycodeFromName(const std::string& name) {
    return SDL_GetKeyFromName(name.c_str());
}

}  // namespace

bool PollEvent(TEvent& event) {
    if (g_pending.empty()) PumpSystemEvents();
    if (g_pending.empty()) return false;
    event = g_pending.front();
    g_pending.pop_front();
    return true;
}

void FlushEvents() {
    PumpSystemEvents();
    g_pending.clear();
}

int VirtualKeyFromKeyName(const std::string& sdlKeyName) {
    const SDL_Keycode key = KeycodeFromName(sdlKeyName);
    if (key == SDLK_UNKNOWN) return 0;
    const int vk = VirtualKeyFromSdl(key, SDL_GetScancodeFromKey(key));
    return vk > 255 ? 0 : vk;
}

void InjectKeyEvent(const std::string& sdlKeyName, bool down, bool repeat) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = down && repeat ? 1 : 0;
    event.key.keysym.sym = KeycodeFromName(sdlKeyName);
    event.key.keysym.scancode = SDL_GetScancodeFromKey(event.key.keysym.sym);
    SDL_PushEvent(&event);
}

void InjectTextEvent(const std::string& utf8) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    SDL_strlcpy(event.text.text, utf8.c_str(), sizeof(event.text.text));
    SDL_PushEvent(&event);
}

void InjectMouseButton(int button, bool down, int x, int y) {
    static const Uint8 kSdlButtons[4] = {0, SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE};
    if (button < 1 || button > 3) return;
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = kSdlButtons[button];
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    SDL_PushEvent(&event);
}

void InjectMouseMove(int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    SDL_PushEvent(&event);
}

void InjectMouseWheel(int steps) {
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = steps;
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    SDL_PushEvent(&event);
}

namespace {
void PushWindowEvent(SDL_WindowEventID id) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = id;
    SDL_PushEvent(&event);
}
}  // namespace

void InjectWindowClose() {
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
}

void InjectWindowFocus(bool gained) {
    PushWindowEvent(gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST);
}

void InjectWindowMinimised(bool minimised) {
    PushWindowEvent(minimised ? SDL_WINDOWEVENT_MINIMIZED : SDL_WINDOWEVENT_RESTORED);
}

int OpenControllerCount() {
    return static_cast<int>(g_controllers.size());
}

bool AttachVirtualPad() {
    if (g_virtualPad) return true;
    StartControllers();
    if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER)) return false;
    const int index = SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    if (index < 0) return false;
    // A program drives the virtual device, not a player at the window: its
    // input counts whether or not the window has the keyboard.
    const char* before = SDL_GetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS);
    g_backgroundHint = before ? before : "0";
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    g_virtualPad = SDL_JoystickOpen(index);
    if (!g_virtualPad) {
        SDL_JoystickDetachVirtual(index);
        return false;
    }
    g_virtualPadId = SDL_JoystickInstanceID(g_virtualPad);
    return true;
}

bool PressVirtualPad(int padKey, bool down) {
    const int button = ButtonFromPadKey(padKey);
    if (!g_virtualPad || button < 0) return false;
    return SDL_JoystickSetVirtualButton(g_virtualPad, button, down ? SDL_PRESSED : SDL_RELEASED) ==
           0;
}

bool TiltVirtualPadStick(float x, float y) {
    if (!g_virtualPad) return false;
    auto value = [](float v) {
        return static_cast<Sint16>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767));
    };
    return SDL_JoystickSetVirtualAxis(g_virtualPad, SDL_CONTROLLER_AXIS_LEFTX, value(x)) == 0 &&
           SDL_JoystickSetVirtualAxis(g_virtualPad, SDL_CONTROLLER_AXIS_LEFTY, value(y)) == 0;
}

void DetachVirtualPad() {
    if (!g_virtualPad) return;
    SDL_JoystickClose(g_virtualPad);
    g_virtualPad = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == g_virtualPadId) {
            SDL_JoystickDetachVirtual(i);
            break;
        }
    }
    g_virtualPadId = -1;
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, g_backgroundHint.c_str());
}

bool FocusFromEvents() {
    return g_focusFromEvents;
}
bool MinimisedFromEvents() {
    return g_minimisedFromEvents;
}

bool PolledKeyDown(int virtualKey) {
    PumpSystemEvents();
    return virtualKey >= 0 && virtualKey < 256 && g_polled.keyDown[virtualKey];
}

int PolledKeyHit(int virtualKey) {
    PumpSystemEvents();
    if (virtualKey < 0 || virtualKey >= 256) return 0;
    const int hits = g_polled.keyHits[virtualKey];
    g_polled.keyHits[virtualKey] = 0;
    return hits;
}

bool PolledMouseDown(int button) {
    PumpSystemEvents();
    return button >= 1 && button <= 3 && g_polled.mouseDown[button];
}

int PolledMouseHit(int button) {
    PumpSystemEvents();
    if (button < 1 || button > 3) return 0;
    const int hits = g_polled.mouseHits[button];
    g_polled.mouseHits[button] = 0;
    return hits;
}

int PolledCloseRequests() {
    PumpSystemEvents();
    const int requests = g_polled.closeRequests;
    g_polled.closeRequests = 0;
    return requests;
}

int PolledMouseX() {
    return g_polled.mouseX;
}
int PolledMouseY() {
    return g_polled.mouseY;
}

void ShowPointer() {
    SDL_ShowCursor(SDL_ENABLE);
}
void HidePointer() {
    SDL_ShowCursor(SDL_DISABLE);
}

void MovePointer(int physicalX, int physicalY) {
    if (SDL_Window* window = CurrentSdlWindow())
        SDL_WarpMouseInWindow(window, physicalX, physicalY);
    g_polled.mouseX = physicalX;
    g_polled.mouseY = physicalY;
}

void EnableTextInput(bool on) {
    if (on) {
        SDL_StartTextInput();
    } else {
        SDL_StopTextInput();
    }
}
