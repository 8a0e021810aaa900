// The text dialog: its field, its size and layout, the check before OK, the
// dialogs it shows over itself, and its drawing.
#include "ui/DialogTextInput.h"

#include "engine/Graphics.h"
#include "engine/Keys.h"
#include "engine/Strings.h"
#include "frame/Game.h"
#include "frame/Globals.h"

namespace {

void PressButton(TDialog& dialog, const std::string& name) {
    if (TButtonPtr button = dialog.FindButton(name)) button->SimulateClick();
}

bool Blank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

// ---------------------------------------------------------------- set-up

TDialogTextInputPtr TDialogTextInput::Create(const std::string& text,
                                             const std::string& initialText, int maxLength,
                                             const ImagePtr& background, int width, int left,
                                             int top, int maxPixelWidth,
                                             const std::string& buttonName) {
    auto dialog = std::make_shared<TDialogTextInput>();
    dialog->Init(text, background, width, 0, left, top);
    dialog->Text = TLabel::CreateSpecial(initialText, 0, 0, 0);
    dialog->BoxColor = TColor::Create(0, 0, 0);
    dialog->TextInput = std::make_shared<TTextInput>();
    dialog->TextInput->MaxLength = maxLength;
    dialog->TextInput->MaxPixelWidth = maxPixelWidth;
    dialog->ButtonName = buttonName;
    return dialog;
}

void TDialogTextInput::SetupText(const ImagePtr& imageFont, const TColorPtr& colour,
                                 const TShadowPtr& shadow, int /*flag*/,
                                 const TBitmapFontPtr& bitmapFont) {
    Text->Init(imageFont, colour, shadow, 0, bitmapFont);
    Text->CalcSize();
    TextInput->Init(imageFont, Text->Text, static_cast<int>(Text->X), static_cast<int>(Text->Y),
                    bitmapFont);
    if (colour) TextInput->TextCol = colour;
    TextInput->TextShadow = shadow;
    CalcAll();
    MenuPosition();
}

void TDialogTextInput::MenuCreate(int withCancel, int gap) {
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    Menu->SetShadow(1, 3, 3, 0.4f);
    if (!ButtonName.empty()) {
        Menu->AddQuick(ButtonName, "OK");
        if (withCancel) Menu->AddQuick(ButtonName, "Cancel");
        Menu->MakeRow(gap);
    } else if (withCancel) {
        Menu->AddPair("OK", "Cancel", gap, "");
    } else {
        Menu->AddQuick("OK");
    }
    // Enter reaches OK through the field, in the order the keys were typed,
    // and Space is a character of the text: the button takes neither key.
    if (TButtonPtr ok = Menu->FindButton("OK")) ok->OKButton = 0;
    const int wrap = CallPreCalcWordWrap;
    CallPreCalcWordWrap = 0;
    CalcAll();
    MenuPosition();
    CallPreCalcWordWrap = wrap;
}

void TDialogTextInput::Start() {
    TDialog::Start();
    TextInput->Reset();
    Game->BlockKeys = 1;
}

// ---------------------------------------------------------------- layout

void TDialogTextInput::CalcSize() {
    TDialog::CalcSize();
    if (Background) return;
    const int menuHeight = Menu ? Menu->h : 0;
    h = menuHeight + static_cast<int>(Caption->CalcHeight()) +
        static_cast<int>(Text->CalcHeight()) + 2 * Gap + 2 * Border;
    CalcXY();
}

void TDialogTextInput::SetLabelsXY() {
    TDialog::SetLabelsXY();
    if (TextOX == 0 && TextOY == 0) {
        Text->X = static_cast<float>(x + BoxBorderH + TextBorder);
        Text->Y = Caption->Y + Caption->CalcHeight() + Gap;
    } else {
        Text->X = static_cast<float>(TextOX);
        Text->Y = static_cast<float>(TextOY);
    }
    TextInput->X = static_cast<int>(Text->X);
    TextInput->Y = static_cast<int>(Text->Y) + TextYOffset;
}

// ---------------------------------------------------------------- answering

int TDialogTextInput::OKClickTest() {
    if (UppercaseFirstChar) TextInput->Text = UpperFirstChar(TextInput->Text);
    std::string message;
    const int refused = ErrorCheckFunc && ErrorCheckFunc(TextInput->Text, message) == TEXT_REFUSED;
    // The check may have tidied the text: typing goes on at its end.
    TextInput->CurrentChar = CharCount(TextInput->Text) + 1;
    if (refused) {
        if (ErrorDialogFunc) {
            DialogOK = ErrorDialogFunc(message);
            // Escape stays with the text dialog when the notice closes.
            DialogOK->ReenableEscapeKey = 0;
        }
        Game->BlockKeys = 1;
        return 0;
    }
    if (!AllowNull && Blank(TextInput->Text)) {
        Game->BlockKeys = 1;
        return 0;
    }
    return 1;
}

int TDialogTextInput::ProcessOKClickedFunc() {
    if (!OKClickedFunc) return 1;
    const int result = OKClickedFunc(*this);
    if (result > 0) return result;
    Disabled = 1;
    return 0;
}

void TDialogTextInput::OKClick() {
    FlushAll();
    Close(RESULT_OK);
}

void TDialogTextInput::CancelClick() {
    FlushAll();
    Close(RESULT_CANCEL);
}

void TDialogTextInput::ClickSound() {
    if (TButtonPtr ok = FindButton("OK")) ok->PlayClick();
}

// ---------------------------------------------------------------- per step

// The dialogs over this one take every step while they are open: 1 when
// one of them was open.
int TDialogTextInput::ManageOnTop() {
    if (OKClickedDialog) {
        if (OKClickedDialog->Manage() != 0) {
            OKClickedDialog->Kill();
            OKClickedDialog.reset();
            OKClick();
        }
        return 1;
    }
    if (DialogOK) {
        if (DialogOK->Manage() != 0) {
            DialogOK->Kill();
            DialogOK.reset();
            Menu->ClearStates();
            Menu->ManageNoSound(0, 0);
            TextInput->Reset();
        }
        return 1;
    }
    return 0;
}

void TDialogTextInput::ManageTyping() {
    const int typed = TextInput->Manage();
    if (typed == 1) {
        // The field has finished; a refused text resumes typing.
        PressButton(*this, "OK");
        if (!OKClickTest()) {
            TextInput->Reset();
        } else if (ProcessOKClickedFunc()) {
            OKClick();
        }
        return;
    }
    if (typed == -1) {
        PressButton(*this, "Cancel");
        CancelClick();
        return;
    }
    Menu->Manage(0, 0);
    const bool cancelShown = FindButton("Cancel") != nullptr;
    if (Menu->Clicked("OK")) {
        if (OKClickTest()) {
            TextInput->Finish();
            if (ProcessOKClickedFunc()) OKClick();
        }
    } else if (const bool cancelClicked = Menu->Clicked("Cancel");
               cancelClicked || (cancelShown && KeyHit(Key::Escape))) {
        TextInput->Finish();
        if (!cancelClicked) ClickSound();
        CancelClick();
    }
}

int TDialogTextInput::Manage() {
    if (!Active) return 0;
    if (ManageOnTop()) return TakeResult();
    if (ManageTransitions()) return TakeResult();
    TextInput->OffsetX = OffsetX;
    TextInput->OffsetY = OffsetY;
    if (Disabled || Transitioning == GOING_OUT) {
        Menu->ManageFixedGlowOnly();
        return 0;
    }
    if (Transitioning == NOT_TRANSITIONING) ManageTyping();
    return TakeResult();
}

// ---------------------------------------------------------------- drawing

void TDialogTextInput::DrawTextBox() {
    if (!DrawBox) return;
    const DrawStateGuard restore;
    BoxColor->ApplyNoAlpha();
    SetAlpha(BoxColor->Alpha * Alpha);
    const float height = Text->CalcHeight();
    DrawRect(x + BoxBorderH + OffsetX, Text->Y - BoxBorderV + OffsetY,
             static_cast<float>(w - 2 * BoxBorderH), height + 2 * BoxBorderV);
}

int TDialogTextInput::Draw() {
    if (DrawDisabled || !Active) return 0;
    TDialog::Draw();
    DrawTextBox();
    TextInput->Draw();
    if (DialogOK) {
        if (DimWhenShowingDialogs) {
            const DrawStateGuard restore;
            SetBlend(ALPHABLEND);
            SetColor(0, 0, 0);
            SetAlpha(0.5f);
            DrawRect(0, 0, static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight));
        }
        DialogOK->Draw();
    }
    if (OKClickedDialog) OKClickedDialog->Draw();
    return 1;
}

void TDialogTextInput::Kill() {
    if (DialogOK) DialogOK->Kill();
    DialogOK.reset();
    if (OKClickedDialog) OKClickedDialog->Kill();
    OKClickedDialog.reset();
    if (TextInput && TextInput->Active) TextInput->Finish();
    TextInput.reset();
    Text.reset();
    TDialog::Kill();
}
