#include "ui/DialogTestScreen.h"

#include "engine/Graphics.h"
#include "engine/Keys.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/MousePointer.h"
#include "media/GameText.h"
#include "ui/DialogBuilders.h"

namespace {

constexpr DialogKind kKinds[] = {DialogKind::OK,
                                 DialogKind::Message,
                                 DialogKind::OldLadyOK,
                                 DialogKind::Error,
                                 DialogKind::OldLadyYesNo,
                                 DialogKind::Confirm,
                                 DialogKind::ChooseMode,
                                 DialogKind::EnterName,
                                 DialogKind::PlayerManager,
                                 DialogKind::MessageWithPicture};

std::string Text(const std::string& key) {
    return GameText->FindString(key);
}

}  // namespace

int TDialogTestScreen::KeyFor(DialogKind kind) {
    const int number = static_cast<int>(kind);
    return number == 10 ? '0' : '0' + number;
}

void TDialogTestScreen::Open(DialogKind kind) {
    switch (kind) {
        case DialogKind::OK:
            Dialogs.Show(
                CreateOKDialog("Well Met", "The house is quiet tonight. Shall we look around?"));
            break;
        case DialogKind::Message:
            Dialogs.Show(
                CreateMessageDialog(Text("StoryMessageHeader1"), Text("StoryMessageText1")));
            break;
        case DialogKind::MessageWithPicture:
            Dialogs.Show(CreateMessageDialog(Text("FoundItemMessageHeader2"),
                                             Text("FoundItemMessageText2"), "Found candelabra1"));
            break;
        case DialogKind::OldLadyOK:
            Dialogs.Show(CreateOldLadyOKDialog("", Text("Cannot Delete")));
            break;
        case DialogKind::Error:
            Dialogs.Show(CreateErrorDialog(Text("Profile Exists")));
            break;
        case DialogKind::OldLadyYesNo:
            Dialogs.Show(CreateOldLadyYesNoDialog("Shall I tell you a story, dearie?"));
            break;
        case DialogKind::Confirm:
            Dialogs.Show(CreateConfirmDialog(Text("Confirm Delete")));
            break;
        case DialogKind::ChooseMode:
            Dialogs.Show(CreateChooseModeDialog(Text("Choose Mode"), Text("Choose Mode Dialog")));
            break;
        case DialogKind::EnterName:
            Dialogs.Show(CreateEnterNameDialog(1));
            break;
        case DialogKind::PlayerManager:
            Dialogs.Show(CreatePlayerManagerDialog());
            break;
    }
}

void TDialogTestScreen::Start() {
    TScreen::Start();
    // The screen has nowhere to go: Escape is one of its own keys.
    Game->IgnoreEscapeKey = 1;
}

void TDialogTestScreen::Logic() {
    if (Dialogs.Showing()) {
        if (const int answer = Dialogs.Manage()) Answers.push_back(answer);
        return;
    }
    if (Game->Mouse->GetMh(1)) ++OwnClicks;
    for (DialogKind kind : kKinds) {
        if (KeyHit(KeyFor(kind))) {
            ++OwnKeys;
            Open(kind);
            return;
        }
    }
    for (int key :
         {Key::Enter, Key::Escape, Key::Space, static_cast<int>('Y'), static_cast<int>('N')}) {
        if (KeyHit(key)) ++OwnKeys;
    }
}

void TDialogTestScreen::Draw() {
    SetClsColor(BACK_R, BACK_G, BACK_B);
    Cls();
    Dialogs.Draw();
}

void TDialogTestScreen::Kill() {
    Dialogs.Kill();
    TScreen::Kill();
}
