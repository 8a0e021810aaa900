// The builders of the game's dialogs and the look they share.
#include "ui/DialogBuilders.h"

#include <initializer_list>

#include "engine/platform/Platform.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/ProfileName.h"
#include "frame/Screen.h"
#include "frame/Timing.h"
#include "media/Fonts.h"
#include "media/GameImage.h"
#include "media/GameText.h"
#include "play/Player.h"
#include "progress/ProfileStore.h"

namespace {

// The header plaques of the panels, as screen rows, and the width a header
// is fitted to.
constexpr int MESSAGE_HEADER_Y = 213;
constexpr int MENU_PANEL_HEADER_Y = 109;
constexpr int HEADER_WIDTH = 350;
constexpr int MENU_PANEL_HEADER_WIDTH = 314;

constexpr int CAPTION_LINE_GAP = 32;
constexpr int SMALL_CAPTION_LINE_GAP = 27;
constexpr int MOST_LINES_IN_FULL_SIZE = 3;
constexpr int BUTTON_CAPTION_WIDTH = 124;
constexpr int WIDE_BUTTON_CAPTION_WIDTH = 220;
constexpr float PRESSED_MS = 350;
constexpr float GLOW_ON_MOUSE_OVER = 0.2f, GLOW_FADE = 0.005f;

constexpr float SLIDE_IN_MS = 200, SLIDE_OUT_MS = 200, VEIL = 0.5f;

const char* const kMessagePanel = "Dialogs/MessageDialog.png";
const char* const kOldLadyPanel = "Dialogs/Old Lady Dialog.png";
const char* const kMenuPanel = "Dialogs/InGameMenu.png";
const char* const kButton = "button";
const char* const kWideButton = "In-Game Menu Button1";

std::string Text(const std::string& key) {
    return GameText ? GameText->FindString(key) : std::string();
}

// A dialog's pictures are read while the game runs and live only as long as
// the dialog: they are mapped on their own and go back to the system with it.
ImagePtr LoadPanel(const std::string& file) {
    const LoadingHeapScope ownBlocks;
    return LoadImageOrFail(Game->ImagePath + file, DEFAULT_IMAGE_FLAGS);
}

// Panel, border and wrapping of a dialog with a picture behind it; the
// caption's own place is set by the caller.
void SetupPanel(TDialog& dialog, int border, int captionShiftY) {
    dialog.Border = border;
    dialog.SetWordWrap(dialog.Background->Width() - 2 * border);
    dialog.CaptionOffsetY = captionShiftY;
}

void SetupBody(TDialog& dialog, const TColorPtr& colour, const TBitmapFontPtr& font, int lineGap) {
    dialog.Caption->LineGap = lineGap;
    dialog.SetupCaption(nullptr, colour, nullptr, font);
}

void SetupHeader(TDialog& dialog, const std::string& text, int top, int width) {
    dialog.SetupTextHeader(text, nullptr, HeaderColor(), nullptr, DialogHeaderFont, ScreenWidth / 2,
                           top, 1);
    FitDialogHeader(*dialog.TextHeader, static_cast<float>(width));
}

struct ButtonCaption {
    const char* name;
    const char* textKey;
};

// The look every dialog button shares: no shadow, a pressed picture, a glow
// under the pointer and its caption.
void StyleButtons(TDialog& dialog, const std::string& image,
                  std::initializer_list<ButtonCaption> captions, int captionWidth) {
    dialog.Menu->ChangeShadow(0, 0, 0, 0);
    for (const ButtonCaption& caption : captions) {
        TButtonPtr button = dialog.FindButton(caption.name);
        if (!button) continue;
        button->LoadMouseClick(image + "Down", PRESSED_MS);
        button->SetFixedGlowOnMO(GLOW_ON_MOUSE_OVER, GLOW_FADE, 0);
        SetupMenuButtonCaption(*button, Text(caption.textKey), captionWidth, 1.0f, 0, 0);
    }
}

// The menu stays where it was placed, moved down by shiftY.
void FixMenu(TDialog& dialog, int shiftY) {
    dialog.MenuOX = static_cast<int>(dialog.Menu->x);
    dialog.MenuOY = static_cast<int>(dialog.Menu->y) + shiftY;
    dialog.MenuPosition();
}

void SlideIn(TDialog& dialog, const std::string& inSound, int slide) {
    dialog.SlideInSound = inSound.empty() ? nullptr : SoundBank.Find(inSound);
    dialog.SlideOutSound = SoundBank.Find("SlideOut");
    dialog.SetTransitions(SLIDE_IN_MS, SLIDE_OUT_MS, VEIL, 0, slide, 1);
    dialog.Start();
    // The time spent building does not count as play.
    Game->FixedRateLogic->Init();
}

// Where each panel's buttons sit: below their automatic place (the panel's
// border above the bottom edge) by these rows.
constexpr int MESSAGE_MENU_SHIFT = 20;
constexpr int OLD_LADY_MENU_SHIFT = 3;
constexpr int MODE_MENU_SHIFT = 40;
// And how far below the middle of the panel the caption's middle sits.
constexpr int MESSAGE_CAPTION_SHIFT = 30;
constexpr int MESSAGE_CAPTION_SHIFT_WITH_PICTURE = 52;
// A message's picture sits just under the header plaque, drawn at three
// quarters so that three lines of text and the button fit below it.
constexpr int MESSAGE_PICTURE_Y = 312;
constexpr float MESSAGE_PICTURE_SCALE = 0.75f;
constexpr int OLD_LADY_QUESTION_SHIFT = 26;

// An OK dialog on the panel picture with its caption centred vertically.
TDialogOKPtr BuildOK(const std::string& panel, const std::string& body, const TColorPtr& colour,
                     int captionShiftY, int menuShiftY) {
    TDialogOKPtr dialog = TDialogOK::Create(body, LoadPanel(panel), 0, 0, 0, kButton);
    SetupPanel(*dialog, 50, captionShiftY);
    dialog->CaptionCentreVert = 1;
    SetupBody(*dialog, colour, DialogTextFont, CAPTION_LINE_GAP);
    StyleButtons(*dialog, kButton, {{"OK", "Button OK"}}, BUTTON_CAPTION_WIDTH);
    FixMenu(*dialog, menuShiftY);
    return dialog;
}

TDialogYesNoPtr BuildYesNo(const std::string& panel, const std::string& text, int captionShiftY,
                           int menuShiftY) {
    TDialogYesNoPtr dialog = TDialogYesNo::Create(text, LoadPanel(panel), 0, 0, 0, 1, 30, kButton);
    SetupPanel(*dialog, 50, captionShiftY);
    dialog->CaptionCentreVert = 1;
    SetupBody(*dialog, TextColor(), DialogTextFont, CAPTION_LINE_GAP);
    StyleButtons(*dialog, kButton, {{"Yes", "Button Yes"}, {"No", "Button No"}},
                 BUTTON_CAPTION_WIDTH);
    FixMenu(*dialog, menuShiftY);
    return dialog;
}

// ---- the name entry and the player manager

const char* const kNamePanel = "Dialogs/EnterYourNameDialog.png";
const char* const kPlayerPanel = "Dialogs/Dialog.png";
constexpr int NAME_MAX_LENGTH = 100;
// The name entry's field, from the panel's corner.
constexpr int NAME_TEXT_X = 170, NAME_TEXT_Y = 136;
// The title screen greets the player as "Welcome" + " " + name within this
// width of its welcome font.
constexpr int WELCOME_WIDTH = 300;
constexpr int PLAYER_HEADER_Y = 113;
constexpr int PLAYER_LIST_Y = 180;
constexpr int PLAYER_LIST_INSET = 100;
constexpr int PLAYER_MENU_SHIFT = 60;

// The name entry plays its slide-in sound only on the title screen, which
// names itself "title".
bool OnTitleScreen() {
    return Game->CurrentTScreen && Game->CurrentTScreen->name == "title";
}

// The typed name is measured in the title's welcome font, so a name the
// entry takes always fits the greeting.
int NameWidthLimit() {
    return WELCOME_WIDTH - static_cast<int>(GUIFontSmall->StringWidth(Text("Welcome") + " "));
}

int CheckNewPlayerName(std::string& name, std::string& message) {
    name = TrimProfileName(name);
    // A blank name is refused without a word by the entry itself.
    if (name.empty()) return 0;
    switch (CheckProfileName(name)) {
        case ProfileNameFault::None:
            break;
        case ProfileNameFault::BeyondLatin1:
            message = Text("Name Letters");
            return TDialogTextInput::TEXT_REFUSED;
        default:
            message = Text("Name Not Allowed");
            return TDialogTextInput::TEXT_REFUSED;
    }
    if (ProfileNameFree(name, message) < 0) return TDialogTextInput::TEXT_REFUSED;
    return 0;
}

int ShowChooseModeDialog(TDialogTextInput& nameDialog) {
    nameDialog.OKClickedDialog =
        CreateChooseModeDialog(Text("Choose Mode"), Text("Choose Mode Dialog"));
    return 0;
}

// The new player's file is written and the player becomes the current one.
int SelectNewProfile(const std::string& name) {
    SelectProfile(name);
    return 1;
}

}  // namespace

TColorPtr HeaderColor() {
    return TColor::Create(255, 255, 255);
}

TColorPtr TextColor() {
    return TColor::Create(240, 240, 240);
}

void FitDialogHeader(TLabel& label, float width) {
    const double fit = label.BitmapFont
                           ? label.BitmapFont->CalcReducedScale(label.Text, width)
                           : (label.CalcWidth() > width && label.W > 0 ? width / label.W : 1.0);
    label.Scale = static_cast<float>(0.8 * fit);
}

TDialogOKPtr CreateOKDialog(const std::string& title, const std::string& body,
                            const std::string& picture, const std::string& inSound) {
    const std::string panel = picture.empty() ? kMessagePanel : "Dialogs/" + picture;
    TDialogOKPtr dialog =
        BuildOK(panel, body, TextColor(), MESSAGE_CAPTION_SHIFT, MESSAGE_MENU_SHIFT);
    SetupHeader(*dialog, title, MESSAGE_HEADER_Y, HEADER_WIDTH);
    SlideIn(*dialog, inSound.empty() ? "OKDialog" : inSound, TDialog::SLIDE_FROM_RANDOM_SIDE);
    return dialog;
}

TDialogOKPtr CreateMessageDialog(const std::string& title, const std::string& body,
                                 const std::string& picture, const std::string& inSound) {
    const int captionShift =
        picture.empty() ? MESSAGE_CAPTION_SHIFT : MESSAGE_CAPTION_SHIFT_WITH_PICTURE;
    TDialogOKPtr dialog =
        BuildOK(kMessagePanel, body, TextColor(), captionShift, MESSAGE_MENU_SHIFT);
    if (dialog->Caption->TotalLines > MOST_LINES_IN_FULL_SIZE)
        SetupBody(*dialog, TextColor(), GUIFontSmall, SMALL_CAPTION_LINE_GAP);
    SetupHeader(*dialog, title, MESSAGE_HEADER_Y, HEADER_WIDTH);
    if (!picture.empty()) {
        // Held by the message alone: let go with it.
        const LoadingHeapScope ownBlocks;
        dialog->Picture =
            TGameImage::Create(ImageBank.Path + "DialogImages/" + picture + ImageBank.Ext, -1, 1);
        dialog->PictureX = ScreenWidth / 2;
        dialog->PictureY = MESSAGE_PICTURE_Y;
        dialog->PictureScale = MESSAGE_PICTURE_SCALE;
    }
    SlideIn(*dialog, inSound.empty() ? "OKDialog" : inSound, TDialog::SLIDE_FROM_RANDOM_SIDE);
    return dialog;
}

TDialogOKPtr CreateOldLadyOKDialog(const std::string& /*title*/, const std::string& body,
                                   const std::string& /*picture*/, const std::string& /*inSound*/) {
    TDialogOKPtr dialog =
        BuildOK(kOldLadyPanel, body, TextColor(), MESSAGE_CAPTION_SHIFT, OLD_LADY_MENU_SHIFT);
    SlideIn(*dialog, "Confirm", TDialog::SLIDE_FROM_RANDOM_SIDE);
    return dialog;
}

TDialogOKPtr CreateErrorDialog(const std::string& message) {
    TDialogOKPtr dialog = BuildOK(kMessagePanel, message, TColor::Create(255, 80, 80),
                                  MESSAGE_CAPTION_SHIFT, MESSAGE_MENU_SHIFT);
    SetupHeader(*dialog, Text("Error"), MESSAGE_HEADER_Y, HEADER_WIDTH);
    SlideIn(*dialog, "Error", TDialog::SLIDE_FROM_RANDOM_SIDE);
    return dialog;
}

TDialogYesNoPtr CreateOldLadyYesNoDialog(const std::string& text) {
    TDialogYesNoPtr dialog =
        BuildYesNo(kOldLadyPanel, text, OLD_LADY_QUESTION_SHIFT, OLD_LADY_MENU_SHIFT);
    SlideIn(*dialog, "Confirm", TDialog::SLIDE_FROM_RANDOM_SIDE);
    return dialog;
}

TDialogYesNoPtr CreateConfirmDialog(const std::string& text) {
    TDialogYesNoPtr dialog =
        BuildYesNo(kMessagePanel, text, MESSAGE_CAPTION_SHIFT, MESSAGE_MENU_SHIFT);
    SetupHeader(*dialog, Text("Confirm"), MESSAGE_HEADER_Y, HEADER_WIDTH);
    SlideIn(*dialog, "Confirm", TDialog::SLIDE_FROM_RANDOM_SIDE);
    return dialog;
}

TDialogYesNoPtr CreateChooseModeDialog(const std::string& title, const std::string& body) {
    TDialogYesNoPtr dialog =
        TDialogYesNo::Create(body, LoadPanel(kMenuPanel), 0, 0, 0, 1, 50, kWideButton);
    SetupPanel(*dialog, 100, 0);
    dialog->CaptionOX = ScreenWidth / 2;
    dialog->CaptionOY = 250;
    SetupBody(*dialog, TextColor(), DialogTextFont, CAPTION_LINE_GAP);
    SetupHeader(*dialog, title, MENU_PANEL_HEADER_Y, MENU_PANEL_HEADER_WIDTH);
    dialog->Menu->MakeColumn(15);
    dialog->MenuPosition();
    StyleButtons(*dialog, kWideButton, {{"Yes", "Button Timed"}, {"No", "Button Relaxed"}},
                 WIDE_BUTTON_CAPTION_WIDTH);
    FixMenu(*dialog, MODE_MENU_SHIFT);
    dialog->YesFunc = TGameState::SetTimedMode;
    dialog->NoFunc = TGameState::SetRelaxedMode;
    SlideIn(*dialog, "Confirm", TDialog::SLIDE_FROM_BOTTOM);
    return dialog;
}

TDialogTextInputPtr CreateEnterNameDialog(int withCancel) {
    TDialogTextInputPtr dialog = TDialogTextInput::Create(
        "", "", NAME_MAX_LENGTH, LoadPanel(kNamePanel), 0, 0, 0, NameWidthLimit(), kButton);
    dialog->Border = 46;
    dialog->Gap = 38;
    dialog->DrawBox = 0;
    dialog->MenuCreate(withCancel, 30);
    SetupBody(*dialog, TextColor(), DialogTextFont, CAPTION_LINE_GAP);
    SetupHeader(*dialog, Text("Enter Your Name"), MESSAGE_HEADER_Y, HEADER_WIDTH);
    dialog->TextOX = dialog->x + NAME_TEXT_X;
    dialog->TextOY = dialog->y + NAME_TEXT_Y;
    dialog->SetupText(nullptr, TColor::Create(255, 255, 255), nullptr, 0, GUIFontSmall);
    TTextInput& input = *dialog->TextInput;
    input.MakeCharsFileNameSafe();
    input.BannedChars += kNameEntryBannedChars;
    input.AllowExtendedChars = 1;
    input.TypingSound = SoundBank.Find("Typing");
    // Without a Cancel button a name must be given.
    input.AllowEscToAbort = withCancel;
    // The accepted name stays in view while the mode is chosen.
    input.ForceDraw = 1;
    dialog->ErrorCheckFunc = CheckNewPlayerName;
    dialog->ErrorDialogFunc = CreateErrorDialog;
    dialog->OKClickedFunc = ShowChooseModeDialog;
    StyleButtons(*dialog, kButton, {{"OK", "Button OK"}, {"Cancel", "Button Cancel"}},
                 BUTTON_CAPTION_WIDTH);
    FixMenu(*dialog, 0);
    SlideIn(*dialog, OnTitleScreen() ? "SlideIn" : "", TDialog::SLIDE_FROM_TOP);
    return dialog;
}

TPlayerManagerPtr CreatePlayerManagerDialog() {
    TPlayerManagerPtr manager =
        TPlayerManager::Create("", LoadPanel(kPlayerPanel), 0, 0, MAX_PROFILES, kButton);
    manager->Border = 100;
    manager->ButtonGap = 30;
    manager->Menu->MakeRow(manager->ButtonGap);
    manager->MenuPosition();
    manager->DimWhenActive = 1;
    manager->MessageCannotCreate = Text("Cannot Create");
    manager->MessageCannotDelete = Text("Cannot Delete");
    manager->MessageConfirmDelete = Text("Confirm Delete");
    manager->ExtraBannedChars = std::string(kNameEntryBannedChars);
    manager->ErrorDialogFunc = CreateErrorDialog;
    manager->DialogYesNoFunc = CreateConfirmDialog;
    manager->EnterNamePromptFunc = CreateEnterNameDialog;
    manager->CreateProfileFunc = SelectNewProfile;
    manager->DeleteProfileUserFunction = [](const std::string&) { return 1; };
    SetupBody(*manager, TextColor(), DialogTextFont, CAPTION_LINE_GAP);
    SetupHeader(*manager, Text("Player Manager Header"), PLAYER_HEADER_Y, HEADER_WIDTH);

    TListBox& list = *manager->ListBox;
    list.SetupFont(nullptr, TextColor(), nullptr, DialogTextFont, TColor::Create(255, 255, 255));
    list.HighlightCol = TColor::Create(32, 118, 219);
    list.SetupBox(TColor::Create(0, 0, 150, 0.25f));
    list.SetClickSound(SoundBank.Find("buttonclick"));
    manager->BoxBorderH = PLAYER_LIST_INSET;
    manager->BoxY = PLAYER_LIST_Y;
    manager->LineHeightAddition = 5;
    manager->LimitBoxHeightToMaxItems = 1;

    StyleButtons(*manager, kButton,
                 {{"OK", "Button OK"},
                  {"Create", "Button Create"},
                  {"Delete", "Button Delete"},
                  {"Cancel", "Button Cancel"}},
                 BUTTON_CAPTION_WIDTH);
    FixMenu(*manager, PLAYER_MENU_SHIFT);
    for (const TButtonPtr& button : *manager->Menu)
        button->SetBoundingBoxAuto(0.8f, 0.7f);
    manager->Start();
    Game->FixedRateLogic->Init();
    return manager;
}
