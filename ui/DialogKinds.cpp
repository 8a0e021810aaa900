// The OK dialog and the yes/no dialog: their menus, their height when they
// have no picture, and their answers from the mouse and the keyboard.
#include "ui/DialogKinds.h"

#include "engine/Keys.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/MousePointer.h"

namespace {

TMenuPtr CreateDialogMenu() {
    TMenuPtr menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    menu->SetShadow(1, 3, 3, 0.4f);
    return menu;
}

// Places the new menu at once, keeping the caption as it was wrapped.
void PlaceNewMenu(TDialog& dialog) {
    const int wrap = dialog.CallPreCalcWordWrap;
    dialog.CallPreCalcWordWrap = 0;
    dialog.CalcAll();
    dialog.MenuPosition();
    dialog.CallPreCalcWordWrap = wrap;
}

// The button's own look of a press, then the answer.
void PressFromKeyboard(TDialog& dialog, const std::string& name) {
    if (TButtonPtr button = dialog.FindButton(name)) button->SimulateClick();
}

int BoxHeight(const TDialog& dialog, int gap) {
    const int menuHeight = dialog.Menu ? dialog.Menu->h : 0;
    return menuHeight + static_cast<int>(dialog.Caption->CalcHeight()) + gap + 2 * dialog.Border;
}

}  // namespace

// ---------------------------------------------------------------- OK

TDialogOKPtr TDialogOK::Create(const std::string& text, const ImagePtr& background, int width,
                               int height, int left, const std::string& buttonImage) {
    auto dialog = std::make_shared<TDialogOK>();
    dialog->Init(text, background, width, height, left, 0);
    dialog->MenuCreate(buttonImage);
    return dialog;
}

void TDialogOK::MenuCreate(const std::string& buttonImage) {
    Menu = CreateDialogMenu();
    TButtonPtr ok = Menu->AddQuick(buttonImage.empty() ? "OK" : buttonImage, "OK");
    ok->OKButton = 1;
    PlaceNewMenu(*this);
}

void TDialogOK::CalcSize() {
    TDialog::CalcSize();
    if (Background) return;
    h = BoxHeight(*this, Gap);
    CalcXY();
}

void TDialogOK::OKClick() {
    FlushAll();
    Close(RESULT_OK);
}

int TDialogOK::Manage() {
    if (!ManageCore()) return 0;
    if (const int result = TakeResult()) return result;
    if (Transitioning != NOT_TRANSITIONING) return 0;
    if (KeyHit(Key::Escape) || (ClickAnywhereCloses && Game->Mouse->GetMh(1))) {
        PressFromKeyboard(*this, "OK");
        OKClick();
    } else if (Menu && Menu->Clicked("OK")) {
        OKClick();
    }
    return TakeResult();
}

// ---------------------------------------------------------------- yes / no

TDialogYesNoPtr TDialogYesNo::Create(const std::string& text, const ImagePtr& background, int width,
                                     int height, int left, int makeMenu, int buttonGap,
                                     const std::string& buttonImage) {
    auto dialog = std::make_shared<TDialogYesNo>();
    dialog->Init(text, background, width, height, left, 0);
    dialog->ButtonGap = buttonGap;
    if (makeMenu) dialog->MenuCreate(buttonGap, buttonImage);
    return dialog;
}

void TDialogYesNo::MenuCreate(int buttonGap, const std::string& buttonImage) {
    Menu = CreateDialogMenu();
    if (buttonImage.empty()) {
        Menu->AddPair("Yes", "No", buttonGap, "");
    } else {
        Menu->AddQuick(buttonImage, "Yes");
        Menu->AddQuick(buttonImage, "No");
        Menu->MakeRow(buttonGap);
    }
    if (TButtonPtr yes = Menu->FindButton("Yes")) yes->OKButton = 1;
    PlaceNewMenu(*this);
}

void TDialogYesNo::CalcSize() {
    TDialog::CalcSize();
    if (Background) return;
    h = BoxHeight(*this, Gap);
    CalcXY();
}

void TDialogYesNo::YesClick() {
    FlushAll();
    if (YesFunc) YesFunc();
    Close(RESULT_OK);
}

void TDialogYesNo::NoClick() {
    FlushAll();
    if (NoFunc) NoFunc();
    Close(RESULT_CANCEL);
}

void TDialogYesNo::ClickSound() {
    if (TButtonPtr yes = FindButton("Yes")) yes->PlayClick();
}

int TDialogYesNo::Manage() {
    if (!ManageCore()) return 0;
    if (const int result = TakeResult()) return result;
    if (Transitioning != NOT_TRANSITIONING) return 0;
    if (KeyHit(Key::Escape) || KeyHit(NO_KEY)) {
        PressFromKeyboard(*this, "No");
        NoClick();
    } else if (KeyHit(YES_KEY)) {
        PressFromKeyboard(*this, "Yes");
        YesClick();
    } else if (Menu && Menu->Clicked("No")) {
        NoClick();
    } else if (Menu && Menu->Clicked("Yes")) {
        YesClick();
    }
    return TakeResult();
}
