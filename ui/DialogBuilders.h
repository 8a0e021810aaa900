// The game's dialogs, each built with one consistent look: the panel
// picture, a header text in the dialog-header font, the caption in the
// dialog font, captioned buttons with a pressed picture and a glow, a 200 ms
// eased slide in and out over a screen darkened to half, and the sounds
// (the player manager, which does not slide, appears at once).
// Every builder starts its dialog; the caller shows it in a TDialogSlot (or
// manages and draws it itself) until Manage reports the answer.
//
// Failure: a missing panel picture, font or sound is fatal as everywhere;
// a missing text key gives an empty text.
#pragma once

#include <string>

#include "ui/DialogKinds.h"
#include "ui/DialogPlayerManager.h"
#include "ui/DialogTextInput.h"

// White, the colour of header texts.
TColorPtr HeaderColor();
// (240, 240, 240), the colour of caption texts.
TColorPtr TextColor();
// Scales a header to 0.8 of the scale at which its text fits width.
void FitDialogHeader(TLabel& label, float width);

// A message with a header title on the message panel ("Dialogs/" + picture
// when picture is not ""); the sound inSound ("OKDialog" when "") as it
// slides in from a random side.
TDialogOKPtr CreateOKDialog(const std::string& title, const std::string& body,
                            const std::string& picture = "", const std::string& inSound = "");
// The same on the message panel with the image bank's picture (when not
// "") above the text; a text of more than three lines is set smaller.
TDialogOKPtr CreateMessageDialog(const std::string& title, const std::string& body,
                                 const std::string& picture = "", const std::string& inSound = "");
// The old lady's panel with the body only; it takes the same arguments as
// CreateMessageDialog so a message can use either.
TDialogOKPtr CreateOldLadyOKDialog(const std::string& title, const std::string& body,
                                   const std::string& picture = "",
                                   const std::string& inSound = "");
// The message in red under the header of "Error".
TDialogOKPtr CreateErrorDialog(const std::string& message);
TDialogYesNoPtr CreateOldLadyYesNoDialog(const std::string& text);
// The question under the header of "Confirm".
TDialogYesNoPtr CreateConfirmDialog(const std::string& text);
// Timed ("Yes") or relaxed ("No") play: the answer sets the mode before the
// dialog closes. Slides in from the bottom.
TDialogYesNoPtr CreateChooseModeDialog(const std::string& title, const std::string& body);
// The name entry for a new player, with a Cancel button when withCancel
// (Escape cancels only then). The name is checked as a player name; a
// refused one shows the error notice over the entry. OK opens the mode
// choice over it; the entry reports OK once that closes.
TDialogTextInputPtr CreateEnterNameDialog(int withCancel);
// The player manager over the darkened screen: at most five players, listed
// from the profile folder with the current one selected.
TPlayerManagerPtr CreatePlayerManagerDialog();
