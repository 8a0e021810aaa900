// The options screen: loading its controls, the volumes and switches acting
// at once, leaving with the settings saved, and the drawing.
#include "screens/OptionsScreen.h"

#include "engine/Graphics.h"
#include "engine/Keys.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/LoadingScreen.h"
#include "frame/Profile.h"
#include "frame/Timing.h"
#include "media/Fonts.h"
#include "media/GameText.h"
#include "media/Sound.h"
#include "play/GameScreen.h"
#include "progress/SaveData.h"
#include "screens/CreditsScreen.h"
#include "ui/Menu.h"

std::shared_ptr<TOptionsScreen> OptionsScreen = MakeScreen<TOptionsScreen>();

namespace {

constexpr int HEADER_Y = 133;
constexpr float OK_DROP = 9, CREDITS_RIGHT_OF_OK = 200, MENU_NUDGE_LEFT = 5;
// The sliders' ends, their reach below and above, and how much higher the
// knob sits on the track.
constexpr int SLIDER_BORDER = 15, SLIDER_BORDER_Y = 5, KNOB_LIFT = 5;
constexpr int SLIDER_LABEL_ABOVE = 20;
constexpr int SWITCH_LABEL_WIDTH = 216, SWITCH_LABEL_DROP = 7;

std::string Text(const std::string& key) {
    return GameText ? GameText->FindString(key) : std::string();
}

}  // namespace

TOptionsScreen::TOptionsScreen() {
    name = "options";
}

bool TOptionsScreen::CameFromCredits() {
    return Game->LastTScreen && Game->LastTScreen == CreditsScreen;
}

int TOptionsScreen::SliderX() {
    return (ScreenWidth - SLIDER_WIDTH) / 2;
}

// ---------------------------------------------------------------- arriving

void TOptionsScreen::Load() {
    name = "options";
    ImageLoad("Backgrounds/OptionsBackground.jpg", 2, 1);
    if (CameFromCredits()) {
        // The credits played their own music: the music of where the
        // player goes back to is loaded again.
        if (Game->LoadingScreen) Game->LoadingScreen->DrawLoading(1);
        if (Destination && Destination == GameScreen) {
            GameScreen->LoadMusic();
        } else {
            Game->MusicLoad("title.ogg", 1);
        }
    }
    Game->FadeMusic = 0;
    LoadMenu();
    LoadCheckBoxes();
    LoadSliders();
    ChannelClick = AllocChannel();
    OptionsFont = EmbossedFont;
}

void TOptionsScreen::LoadMenu() {
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    TButtonPtr ok = AddOKButton(*Menu);
    ok->MoveBy(0, OK_DROP);
    TButtonPtr credits = AddMenuButton(*Menu, "Button", "credits", "Button Credits", 0, 0, 0, 1.0f);
    credits->MoveTo(ok->x + CREDITS_RIGHT_OF_OK, ok->y);
    Menu->CentreHoriz();
    Menu->SetX(Menu->x - MENU_NUDGE_LEFT);
}

void TOptionsScreen::LoadCheckBoxes() {
    auto make = [](int row, int state) {
        TCheckBoxPtr box = TCheckBox::Create("CheckBox.png", "CheckBoxMO.png", "CheckMark.png",
                                             CHECK_BOX_X, CHECK_BOX_Y + row * CHECK_BOX_GAP, state);
        box->SetSounds(SoundBank.Find("ButtonClick"), SoundBank.Find("ButtonMO"));
        box->SetCheckOffsets(0, 0);
        return box;
    };
    FullScreenCheckBox = make(0, Game->FullScreen ? 1 : 0);
    WidescreenCheckBox = make(1, Game->WideScreen ? 1 : 0);
    TipsCheckBox = make(2, SaveData && SaveData->showTips ? 1 : 0);
    CustomCursorCheckBox = make(3, Game->CustomMousePointer ? 1 : 0);
}

void TOptionsScreen::LoadSliders() {
    const float x = static_cast<float>(SliderX() + CENTRE_OFFSET_X);
    auto make = [&](const char* name, int y, int value) {
        TSliderPtr slider =
            TSlider::CreateSpecial("OptionsScreen/slider", "OptionsScreen/Dot", x,
                                   static_cast<float>(y), SLIDER_BORDER, name, SLIDER_BORDER_Y);
        slider->SetValue(value);
        slider->DotY -= KNOB_LIFT;
        return slider;
    };
    MusicSlider = make("Music", SLIDER_Y, Game->MusicVolume);
    SoundSlider = make("Sound", SLIDER_Y + SLIDER_GAP, Game->SoundVolume);
}

void TOptionsScreen::Start() {
    TScreen::Start();
    if (CameFromCredits()) Game->MusicPlay(1, 0, 0);
    Game->IgnoreEscapeKey = 1;
    Game->GameFade->Init(DefaultFadeLength, 0, nullptr, 0, 0, nullptr);
}

// ---------------------------------------------------------------- one step

void TOptionsScreen::Logic() {
    TScreen::Logic();
    ManageSliders();
    if (Menu->Clicked("credits")) {
        Game->DestinationTScreen = CreditsScreen;
        Game->GameFade->Init(DefaultFadeLength, 1, Game->MusicChannel, 0, 0, nullptr);
    }
    if (KeyHit(Key::Escape)) {
        if (TButtonPtr ok = Menu->FindButton("OK")) ok->SimulateClick();
        Close();
        return;
    }
    if (Menu->Clicked("OK")) Close();
    ManageCheckBoxes();
}

void TOptionsScreen::ManageSliders() {
    if (MusicSlider->Manage() == 1) Game->MusicSetVolume(MusicSlider->Value, 0);
    if (SoundSlider->Manage() == 1) {
        Game->SoundSetVolume(SoundSlider->Value, 0);
        ClickSound();
    }
}

void TOptionsScreen::ManageCheckBoxes() {
    if (FullScreenCheckBox->Logic() == 1) {
        Game->ToggleFullScreen();
        // The display may have refused: the box shows the mode there is.
        FullScreenCheckBox->state = Game->FullScreen ? 1 : 0;
    }
    if (TipsCheckBox->Logic() == 1 && SaveData) SaveData->showTips = SaveData->showTips ? 0 : 1;
    if (WidescreenCheckBox->Logic() == 1) Game->ToggleWideScreen();
    if (CustomCursorCheckBox->Logic() == 1) Game->ToggleCustomMousePointer();
}

void TOptionsScreen::ClickSound() {
    if (ChannelClick && ChannelClick->Playing()) return;
    TButtonPtr ok = Menu ? Menu->FindButton("OK") : nullptr;
    if (ok && ok->SoundClick) ok->SoundClick->PlayInChannel(ChannelClick, 0);
}

void TOptionsScreen::Close() {
    Game->IniUpdate(1);
    if (Game->CurrentProfile) Game->CurrentProfile->Save();
    Game->FixedRateLogic->Init();
    Game->DestinationTScreen = Destination;
    Game->GameFade->Init(DefaultFadeLength, 1, nullptr, 0, 0, nullptr);
}

int TOptionsScreen::SetEscDestination() {
    Game->DestinationTScreen = Destination;
    Close();
    return 0;
}

// ---------------------------------------------------------------- one frame

void TOptionsScreen::Draw() {
    const DrawStateGuard restore;
    SetBlend(SOLIDBLEND);
    if (Image) DrawImage(*Image, 0, 0);
    SetBlend(ALPHABLEND);
    Menu->Draw(0, 0);
    DrawLabels();
    MusicSlider->Draw();
    SoundSlider->Draw();
    for (const TCheckBoxPtr& box :
         {FullScreenCheckBox, TipsCheckBox, WidescreenCheckBox, CustomCursorCheckBox})
        box->Draw();
}

void TOptionsScreen::DrawLabels() {
    const float cx = static_cast<float>(ScreenWidth / 2 + CENTRE_OFFSET_X);
    SetColor(255, 255, 255);
    if (DialogHeaderFont) DialogHeaderFont->DrawAligned(Text("Options Header"), cx, HEADER_Y, 3);
    if (!OptionsFont) return;
    OptionsFont->DrawAligned(Text("Options Music"), cx, MusicSlider->y - SLIDER_LABEL_ABOVE, 3);
    OptionsFont->DrawAligned(Text("Options Sound"), cx, SoundSlider->y - SLIDER_LABEL_ABOVE, 3);
    const std::pair<const char*, const TCheckBoxPtr*> switches[] = {
        {"Options Full Screen", &FullScreenCheckBox},
        {"Options Show Tips", &TipsCheckBox},
        {"Options Widescreen", &WidescreenCheckBox},
        {"Options Custom Cursor", &CustomCursorCheckBox},
    };
    const double scale = OptionsFont->ScaleFactor;
    for (const auto& [key, box] : switches) {
        const std::string text = Text(key);
        OptionsFont->ScaleFactor = OptionsFont->CalcReducedScale(text, SWITCH_LABEL_WIDTH);
        OptionsFont->DrawAligned(text, static_cast<float>(SliderX()), (*box)->y + SWITCH_LABEL_DROP,
                                 0);
        OptionsFont->ScaleFactor = scale;
    }
}

// ---------------------------------------------------------------- leaving

void TOptionsScreen::Kill() {
    TScreen::Kill();
    MusicSlider.reset();
    SoundSlider.reset();
    for (TCheckBoxPtr* box :
         {&FullScreenCheckBox, &TipsCheckBox, &CustomCursorCheckBox, &WidescreenCheckBox}) {
        if (*box) (*box)->Kill();
        box->reset();
    }
    if (ChannelClick) ChannelClick->Stop();
    ChannelClick.reset();
}
