// Playing without a mouse: the keys and controller buttons that move the
// board's cursor and a menu's focus, whether those marks show (after a key
// or controller input, until the mouse moves), and which keys a controller
// button stands in for.
#pragma once

#include <functional>

namespace Nav {

// The marks show: a navigation key or controller button went down since the
// mouse last moved or pressed.
bool MarksShown();
void ShowMarks();
void HideMarks();

// Counts the rounds of reading input; a mark shows only where its owner took
// input in the last round (a screen behind a dialog keeps its focus hidden).
void NextInputRound();
long InputRound();

// True for the keys that move or act on a mark (arrows, Tab, Enter, Space)
// and every controller button.
bool IsNavigationKey(int key);

// What the controller's B and Start stand for now. The play screen answers
// while it is current: B cancels the board's pick (and stays B) while the
// board is played, Start opens the in-game menu. Elsewhere B is Escape and
// Start is Enter.
struct PadContext {
    bool boardTakesB = false;
    bool startIsEscape = false;
};
void SetPadContext(std::function<PadContext()> context);

// The key a controller button also presses (the d-pad and the stick the
// arrows, A Enter, B Escape, Start Enter or Escape), or 0.
int KeyStoodFor(int padKey);

}  // namespace Nav
