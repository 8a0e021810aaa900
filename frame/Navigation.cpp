#include "frame/Navigation.h"

#include "engine/Keys.h"

namespace Nav {

namespace {
bool g_shown = false;
long g_round = 0;
std::function<PadContext()> g_context;

PadContext CurrentContext() {
    return g_context ? g_context() : PadContext{};
}
}  // namespace

bool MarksShown() {
    return g_shown;
}
void ShowMarks() {
    g_shown = true;
}
void HideMarks() {
    g_shown = false;
}

void NextInputRound() {
    ++g_round;
}
long InputRound() {
    return g_round;
}

bool IsNavigationKey(int key) {
    switch (key) {
        case Key::Left:
        case Key::Right:
        case Key::Up:
        case Key::Down:
        case Key::Tab:
        case Key::Enter:
        case Key::Space:
            return true;
        default:
            return key >= Key::PadA && key <= Key::PadStickLeft;
    }
}

void SetPadContext(std::function<PadContext()> context) {
    g_context = std::move(context);
}

int KeyStoodFor(int padKey) {
    switch (padKey) {
        case Key::PadUp:
        case Key::PadStickUp:
            return Key::Up;
        case Key::PadDown:
        case Key::PadStickDown:
            return Key::Down;
        case Key::PadLeft:
        case Key::PadStickLeft:
            return Key::Left;
        case Key::PadRight:
        case Key::PadStickRight:
            return Key::Right;
        case Key::PadA:
            return Key::Enter;
        case Key::PadB:
            return CurrentContext().boardTakesB ? 0 : Key::Escape;
        case Key::PadStart:
            return CurrentContext().startIsEscape ? Key::Escape : Key::Enter;
        default:
            return 0;
    }
}

}  // namespace Nav
