// A bare screen that opens each of the game's dialogs over itself, as every
// screen does: while a dialog is shown the screen manages only the dialog
// and takes no input of its own; it keeps drawing the dialog until the
// closing ends. The keys 1 to 9 (and 0) open the dialogs of DialogKind.
#pragma once

#include <string>
#include <vector>

#include "frame/Screen.h"
#include "ui/Dialog.h"

enum class DialogKind {
    OK = 1,
    Message,
    OldLadyOK,
    Error,
    OldLadyYesNo,
    Confirm,
    ChooseMode,
    EnterName,
    PlayerManager,
    MessageWithPicture,
};

class TDialogTestScreen : public TScreen {
  public:
    // The colour the screen fills itself with, so the panel and the veil stand out.
    static constexpr int BACK_R = 0, BACK_G = 240, BACK_B = 0;

    TDialogSlot Dialogs;
    std::vector<int> Answers;  // every result a dialog reported, in order
    int OwnClicks = 0;         // clicks and keys the screen took for itself
    int OwnKeys = 0;

    // Builds the dialog of that kind (the key of its number does the same).
    void Open(DialogKind kind);
    void Start() override;
    void Logic() override;
    void Draw() override;
    void Kill() override;
    // The key that opens a kind ('1' for the first ... '0' for the tenth).
    static int KeyFor(DialogKind kind);
};
