// The player manager: its list of players, its buttons, the dialogs it
// opens over itself and choosing, creating and deleting a player.
#include "ui/DialogPlayerManager.h"

#include <algorithm>

#include "engine/Graphics.h"
#include "engine/Keys.h"
#include "engine/Strings.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/Profile.h"
#include "progress/ProfileStore.h"

namespace {

constexpr float kDarkening = 0.5f;

}  // namespace

// ---------------------------------------------------------------- set-up

TPlayerManagerPtr TPlayerManager::Create(const std::string& text, const ImagePtr& background,
                                         int left, int top, int limit,
                                         const std::string& buttonImage) {
    auto manager = std::make_shared<TPlayerManager>();
    manager->Init(text, background, 0, 0, left, top);
    manager->ListBox = TListBox::Create(10, 5, 0, 1, 500);
    manager->MenuCreate(manager->ButtonGap, buttonImage);
    manager->Limit = limit;
    manager->ListBox->Limit = limit;
    manager->FillList();
    manager->HighlightCurrentPlayer();
    return manager;
}

void TPlayerManager::MenuCreate(int gap, const std::string& buttonImage) {
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    Menu->FocusUpDown = 0;  // Up and Down move through the list of players
    Menu->SetShadow(1, 3, 3, 0.4f);
    for (const char* name : {"OK", "Create", "Delete", "Cancel"})
        Menu->AddQuick(buttonImage, name);
    Menu->MakeRow(gap);
    Menu->FindButton("OK")->OKButton = 1;
    CalcAll();
    MenuPosition();
}

void TPlayerManager::FillList() {
    ListBox->Strings.Clear();
    for (const std::string& name : ProfileNames())
        ListBox->Strings.AddLast(name);
}

void TPlayerManager::HighlightCurrentPlayer() {
    ListBox->ClearIndex();
    if (!Game->CurrentProfile) return;
    int index = 0;
    for (const std::string& name : ListBox->Strings) {
        if (name == Game->CurrentProfile->Name) {
            ListBox->SetIndex(index);
            return;
        }
        ++index;
    }
}

void TPlayerManager::CalcListBoxLineHeight() {
    ListBox->CalcLineHeight();
    ListBox->LineHeight += LineHeightAddition;
}

void TPlayerManager::BoxSize() {
    const int captionHeight = static_cast<int>(Caption->CalcHeight());
    const int menuHeight = Menu ? Menu->h : 0;
    float height = static_cast<float>(h - 2 * Border - captionHeight - menuHeight - 2 * BoxBorderV);
    if (LimitBoxHeightToMaxItems) {
        CalcListBoxLineHeight();
        height = static_cast<float>(ListBox->LineHeight * Limit);
    }
    const float left = static_cast<float>(x + BoxBorderH + BoxXTweak);
    const float width = static_cast<float>(w - 2 * BoxBorderH);
    float top = static_cast<float>(BoxY);
    if (BoxY == 0) {
        const float gapTop = y + Border + captionHeight;
        const float gapBottom = Menu ? Menu->y : static_cast<float>(y + h - Border);
        top = gapTop + (gapBottom - gapTop - height) / 2;
    }
    ListBox->SetCoords(left, top, width, height);
    if (LimitBoxHeightToMaxItems) {
        // Exactly Limit lines, whatever the font's rounding made of the box.
        CalcListBoxLineHeight();
        ListBox->Box->H = static_cast<float>(ListBox->LineHeight * Limit);
        ListBox->DisplayLines = Limit;
    }
}

void TPlayerManager::Start() {
    TDialog::Start();
    BoxSize();
}

// ---------------------------------------------------------------- choosing

// The player's own profile and progress record come from their file, and
// the settings remember them.
void TPlayerManager::ChooseCurrentProfile(const std::string& name) {
    SelectProfile(name);
}

int TPlayerManager::OKClick() {
    if (ListBox->Index < 0 || ListBox->Value.empty()) return 0;
    ChooseCurrentProfile(ListBox->Value);
    FlushAll();
    Close(RESULT_OK);
    return 1;
}

int TPlayerManager::CancelClick() {
    if (Game->CurrentProfile) {
        const std::string current = Game->CurrentProfile->Name;
        const bool listed = std::find(ListBox->Strings.begin(), ListBox->Strings.end(), current) !=
                            ListBox->Strings.end();
        // The current player was deleted: the first one left takes over.
        if (!listed) {
            ChooseCurrentProfile(ListBox->Strings.Count() > 0 ? ListBox->Strings.First()
                                                              : std::string());
        }
    }
    FlushAll();
    Close(RESULT_CANCEL);
    return 0;
}

void TPlayerManager::ClickSound() {
    if (TButtonPtr ok = FindButton("OK")) ok->PlayClick();
}

// ---------------------------------------------------------------- creating and deleting

int TPlayerManager::CreateProfile() {
    if (Limit > 0 && ListBox->Strings.Count() >= Limit) {
        if (ErrorDialogFunc) {
            DialogOK = ErrorDialogFunc(MessageCannotCreate);
            DialogOK->ReenableEscapeKey = 0;
        }
        return 0;
    }
    if (!EnterNamePromptFunc) return 0;
    EnterName = EnterNamePromptFunc(1);
    EnterName->ReenableEscapeKey = 0;
    EnterName->TextInput->UppercaseFirstCharAsTyped = UpperFirstChar;
    EnterName->TextInput->BannedChars += ExtraBannedChars;
    EnterName->Menu->ClearStates();
    EnterName->Start();
    return 1;
}

void TPlayerManager::DeleteProfileCheck() {
    if (ListBox->Index < 0) return;
    if (ListBox->Strings.Count() == 1) {
        if (ErrorDialogFunc) {
            DialogOK = ErrorDialogFunc(MessageCannotDelete);
            DialogOK->ReenableEscapeKey = 0;
        }
        return;
    }
    if (DialogYesNoFunc) {
        DialogYesNo = DialogYesNoFunc(MessageConfirmDelete);
        DialogYesNo->ReenableEscapeKey = 0;
    }
}

void TPlayerManager::DeleteProfile() {
    const int index = ListBox->Index;
    const std::string name = ListBox->Value;
    if (index < 0) return;
    if (DeleteProfileUserFunction) DeleteProfileUserFunction(name);
    DeleteProfileFile(name);
    FillList();
    const int count = ListBox->Strings.Count();
    if (count == 0) {
        ListBox->ClearIndex();
    } else {
        ListBox->SetIndex(std::min(index, count - 1));
    }
}

// ---------------------------------------------------------------- per step

void TPlayerManager::ResetMenu() {
    Menu->ManageNoSound(0, 0);
    Menu->ClearMouseClick();
    Menu->ClickedName.clear();
}

int TPlayerManager::ManageErrorNotice() {
    if (!DialogOK) return 0;
    if (DialogOK->Manage() != 0) {
        DialogOK->Kill();
        DialogOK.reset();
        ResetMenu();
    } else {
        Menu->ManageFixedGlowOnly();
    }
    return 1;
}

int TPlayerManager::ManageConfirmation() {
    if (!DialogYesNo) return 0;
    if (const int answer = DialogYesNo->Manage()) {
        DialogYesNo->Kill();
        DialogYesNo.reset();
        ResetMenu();
        if (answer == RESULT_OK) DeleteProfile();
    } else {
        Menu->ManageFixedGlowOnly();
    }
    return 1;
}

int TPlayerManager::ManageNamePrompt() {
    if (!EnterName) return 0;
    const int answer = EnterName->Manage();
    if (answer == 0) return 1;
    if (answer == RESULT_OK) {
        std::string name = EnterName->TextInput->Text;
        if (UpperFirstChar) name = ::UpperFirstChar(name);
        if (CreateProfileFunc) CreateProfileFunc(name);
        FillList();
        HighlightCurrentPlayer();
    }
    EnterName->Kill();
    EnterName.reset();
    ResetMenu();
    if (answer == RESULT_OK && AutoAcceptAfterCreate) OKClick();
    return 1;
}

int TPlayerManager::Manage() {
    if (!Active) return 0;
    if (ManageErrorNotice() || ManageConfirmation() || ManageNamePrompt()) return TakeResult();
    if (!ManageCore()) return 0;
    if (const int result = TakeResult()) return result;
    if (Transitioning != NOT_TRANSITIONING || Disabled) return 0;
    ListBox->Manage();
    if (ListBox->GetDoubleClicked() >= 0) {
        ClickSound();
        OKClick();
    } else if (Menu->Clicked("OK")) {
        OKClick();
    } else if (KeyHit(Key::Escape)) {
        ClickSound();
        CancelClick();
    } else if (Menu->Clicked("Cancel")) {
        CancelClick();
    } else if (Menu->Clicked("Create")) {
        CreateProfile();
    } else if (Menu->Clicked("Delete") || KeyHit(Key::Delete)) {
        DeleteProfileCheck();
    }
    return TakeResult();
}

// ---------------------------------------------------------------- drawing

void TPlayerManager::Darken() const {
    const DrawStateGuard restore;
    SetBlend(ALPHABLEND);
    SetColor(0, 0, 0);
    SetAlpha(kDarkening);
    DrawRect(0, 0, static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight));
}

int TPlayerManager::Draw() {
    if (DrawDisabled || !Active) return 0;
    if (DimWhenActive) Darken();
    DrawLayers(false);
    {
        const DrawStateGuard restore;
        SetBlend(ALPHABLEND);
        ListBox->Draw();
        if (FrontFrame && FrontFrame->image)
            DrawImage(*FrontFrame->image, FrontFrameX + OffsetX, FrontFrameY + OffsetY);
    }
    if (Menu && MenuShow) Menu->Draw(OffsetX, OffsetY);
    const bool prompt = EnterName != nullptr;
    const bool notice = DialogOK != nullptr || DialogYesNo != nullptr;
    if ((prompt && (DimWhenShowingDialogs || DimWhenShowingEnterNamePrompt)) ||
        (notice && DimWhenShowingDialogs)) {
        Darken();
    }
    if (EnterName) EnterName->Draw();
    if (DialogOK) DialogOK->Draw();
    if (DialogYesNo) DialogYesNo->Draw();
    return 1;
}

void TPlayerManager::Kill() {
    for (const TDialogPtr& open :
         {TDialogPtr(DialogOK), TDialogPtr(DialogYesNo), TDialogPtr(EnterName)}) {
        if (open) open->Kill();
    }
    DialogOK.reset();
    DialogYesNo.reset();
    EnterName.reset();
    TDialog::Kill();
    if (ListBox) ListBox->Kill();
    ListBox.reset();
    FrontFrame.reset();
}
