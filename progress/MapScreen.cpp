// The level map's life and logic: loading, the arrival slide, scrolling and
// its limits, the dots under the pointer, choosing a level, the replay
// notice, the zoom and the ways out. Drawing is in MapDraw.cpp.
#include "progress/MapScreen.h"

#include <algorithm>
#include <cmath>

#include "engine/Keys.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/LoadingScreen.h"
#include "frame/MousePointer.h"
#include "frame/Navigation.h"
#include "frame/Profile.h"
#include "frame/Timing.h"
#include "media/GameText.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/MapDots.h"
#include "progress/SaveData.h"
#include "progress/ShopScreen.h"
#include "screens/TitleScreen.h"
#include "ui/DialogBuilders.h"
#include "ui/Menu.h"

std::shared_ptr<TMapScreen> MapScreen = MakeScreen<TMapScreen>();

namespace {

constexpr float kSlideShortMs = 300, kSlideLongMs = 750;
// A slide longer than this many pixels takes the long time and its sound.
constexpr float kLongSlide = -300;
constexpr float kSlideDownPitch = 0.75f;
constexpr float kZoomMs = 500;
// Before a level is chosen the zoom is an idle timeline of this length.
constexpr float kIdleZoomMs = 10;
// The glows under the pointer: degrees per step, half a sine wave repeating.
constexpr float kGlowSpeed = 1.0f, kGlow2Speed = 0.5f, kGlowEnd = 180;
// The pressed Play button stays down while the map zooms.
constexpr float kStartPressedMs = 5000;
constexpr float kShopCaptionScale = 0.8f;
constexpr int kShopCaptionDrop = 48;

std::string Text(const std::string& key) {
    return GameText ? GameText->FindString(key) : std::string();
}

float SinDeg(double degrees) {
    return static_cast<float>(std::sin(degrees * M_PI / 180.0));
}

// The title music carries on from the screens that play it.
bool MusicCarriesOn() {
    const TScreenPtr& last = Game->LastTScreen;
    if (!last) return false;
    return last == TitleScreen || last == ShopScreen;
}

TScreenPtr TitleDestination() {
    return TitleScreen;
}

void FadeOutTo(const TScreenPtr& destination, const ChannelPtr& music) {
    Game->DestinationTScreen = destination;
    Game->GameFade->Init(DefaultFadeLength, 1, music, 0, 0, nullptr);
}

void SaveProfile() {
    if (Game->CurrentProfile) Game->CurrentProfile->Save();
}

}  // namespace

TMapScreen::TMapScreen() {
    name = "map";
}

bool TMapScreen::LevelOpen(int level) {
    return level >= 1 && level <= std::max(1, Player->Unlocked);
}

int TMapScreen::PictureWidth() const {
    return Image ? Image->Width() : 0;
}
int TMapScreen::PictureHeight() const {
    return Image ? Image->Height() : 0;
}

int TMapScreen::CheckSpecialLevel(int index) {
    return std::find(SPECIAL_LEVELS.begin(), SPECIAL_LEVELS.end(), index + 1) !=
                   SPECIAL_LEVELS.end()
               ? 1
               : 0;
}

// ---------------------------------------------------------------- arriving

void TMapScreen::Load() {
    name = "map";
    if (TLoadingScreen* loading = Game->LoadingScreen.get()) {
        loading->LoadingY = ScreenHeight / 2;
        loading->DrawLoading(1);
    }
    if (!MusicCarriesOn()) Game->MusicLoad("title.ogg", 1);
    Game->FadeMusic = 0;
    ImageLoad("Backgrounds/MapBackground.jpg", 2, 1);
    ImageBank.Load("ShopScreen/GoldPanel.png");
    GoldBox = ImageBank.Find("GoldPanel");
    GoldBox->MidHandle(0);
    LoadMenu();
    TimedCheckBox = TCheckBox::Create("CheckBox.png", "CheckBoxMO.png", "CheckMark.png", CHECKBOX_X,
                                      CHECKBOX_Y, SaveData && SaveData->timer ? 1 : 0);
    TimedCheckBox->SetSounds(SoundBank.Find("ButtonClick"), SoundBank.Find("ButtonMO"));
    TimedCheckBox->SetCheckOffsets(0, 0);
    Locked = ImageBank.Find("MapDotInactive");
    Unlocked = ImageBank.Find("MapDot");
    UnlockedMO = ImageBank.Find("MapDotMO");
    LockedSpecial = ImageBank.Find("MapDotSpecialInactive");
    UnlockedSpecial = ImageBank.Find("MapDotSpecial");
    UnlockedSpecialMO = ImageBank.Find("MapDotSpecialMO");
    FillCoords();
    BottomPanel = TGameImage::Create(Game->ImagePath + "MapScreen/BottomPanel.png", -1, 0);
    TopPanel = BottomPanel;
    ZoomInSound = SoundBank.Find("ZoomIn");
    ZoomOut = SoundBank.Find("ZoomIn");
    Invalid = SoundBank.Find("InvalidClick");
    Glow = TSineCounter::Create(0, kGlowEnd, kGlowSpeed, 0);
    Glow2 = TSineCounter::Create(0, kGlowEnd, kGlow2Speed, 0);
    ScrollX = ScrollY = 0;
    Zoom = TAnimation::Create(kIdleZoomMs);
    SlideIn = std::make_shared<TAnimation>();
    ZoomIn = 1;
    Angle = 0;
    MOIndex = ClickedIndex = -1;
    Scale = 1;
    KeyPlace = KeyStop::Dot;
    KeySeen = FollowKeyDot = 0;
}

void TMapScreen::LoadMenu() {
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
    TButtonPtr back = AddMenuButton(*Menu, "MapScreenButton", "back", "Button Back", 0, 0);
    const float rowY = static_cast<float>(ScreenHeight - back->h - 1);
    back->MoveTo(-1, rowY);
    TButtonPtr start = AddMenuButton(*Menu, "MapScreenButton", "start", "Button Play", 0, 0);
    Menu->DefaultFocusName = "start";
    Menu->FocusUpDown = 0;  // the arrows scroll the map
    start->MoveTo(static_cast<float>(ScreenWidth - start->w), rowY);
    start->LoadMouseClick("MapScreenButtonDown", kStartPressedMs);
    TButtonPtr shop = AddMenuButton(*Menu, "Map screen YourHouse", "shop", "button shop", 0, 0, 0,
                                    kShopCaptionScale);
    shop->MoveTo(0, rowY - shop->h);
    if (shop->Caption) shop->Caption->Y += kShopCaptionDrop;
    Menu->Precache();
}

void TMapScreen::CreateCoords() {
    Coords.assign(std::min<size_t>(kMapDots.size(), std::max(Game->MaxLevels, 1)),
                  TAccuratePoint{});
}

void TMapScreen::KillCoords() {
    Coords.clear();
}

void TMapScreen::FillCoords() {
    CreateCoords();
    for (int i = 0; i < DotCount(); ++i) {
        const bool special = CheckSpecialLevel(i) != 0;
        const TGameImage& dot = special ? *UnlockedSpecial : *Unlocked;
        const float inset = special ? 5.0f : 2.0f;
        Coords[i].Set(kMapDots[i][0] + dot.w2 - inset, kMapDots[i][1] + dot.h2 - inset);
    }
}

void TMapScreen::Start() {
    TScreen::Start();
    if (!MusicCarriesOn()) Game->MusicPlay(0, 0, 0);
    // A record that points past the open levels (or the dots) still lands
    // on a dot.
    const int highest = std::clamp(Player->Unlocked, 1, std::max(DotCount(), 1));
    Level = std::clamp(Player->Level, 1, highest);
    LastMOIndex = KeyDot = Level - 1;
    LastWheel = Game->Mouse->z;
    SetClampAndPosition();
    Logic();
    Draw();
    Game->IgnoreEscapeKey = 1;
    Game->GameFade->Init(DefaultFadeLength, 0, nullptr, 0, 0, nullptr);
    Game->FixedRateLogic->Init();
}

void TMapScreen::SetClampAndPosition() {
    const TAccuratePoint& dot = Coords[Level - 1];
    ScrollX = static_cast<float>(ScreenWidth / 2) - dot.X;
    SlideInYDist = static_cast<float>(ScreenHeight / 2) - dot.Y;
    SlideIn = TAnimation::Create(SlideInYDist > kLongSlide ? kSlideShortMs : kSlideLongMs);
    SlideIn->Start();
    SlideInYDist = std::max(SlideInYDist, static_cast<float>(ScreenHeight - PictureHeight()));
    ScrollY = 0;
    CalcScrollYMin();
    ClampScrollPosition();
}

void TMapScreen::PostFadeIn() {
    if (SlideInYDist < kLongSlide) PlaySoundAtPitch(SoundBank.Find("SlideDown"), kSlideDownPitch);
}

// ---------------------------------------------------------------- scroll limits

void TMapScreen::CalcScrollYMin() {
    // The player may scroll up until the dot after the highest open one is
    // centred. The dot after the last is the last itself.
    const int count = DotCount();
    const int highest = std::clamp(Player->Unlocked, 1, count);
    float a = 100000;
    for (int n = 1; n <= highest; ++n) {
        if (Coords[n - 1].Y < a) a = std::trunc(Coords[std::min(n, count - 1)].Y);
    }
    ScrollYMin = static_cast<int>(ScreenHeight / 2 + Y_SCROLL_PAD - a);
}

void TMapScreen::ClampScrollPosition() {
    ScrollX = std::max(std::min(ScrollX, 0.0f), static_cast<float>(ScreenWidth - PictureWidth()));
    if (!SlideIn->Active) ScrollY = std::min(ScrollY, static_cast<float>(ScrollYMin));
    // The picture always fills the screen: this limit wins.
    ScrollY = std::max(std::min(ScrollY, 0.0f), static_cast<float>(ScreenHeight - PictureHeight()));
}

// ---------------------------------------------------------------- one step

void TMapScreen::Logic() {
    if (Game->Fading()) {
        ManageLeavingGlows();
        return;
    }
    if (ReplayDialog) {
        ManageReplayDialog();
        return;
    }
    if (!Zooming()) ManageKeyFocus();
    TScreen::Logic();
    ManageZoom();
    ManageSlideIn();
    Scale = CalcScale();
    if (!Zooming()) Browse();
    ManageKeysAndButtons();
}

void TMapScreen::ManageLeavingGlows() {
    for (const char* name : {"shop", "back"}) {
        if (TButtonPtr button = Menu->FindButton(name)) button->ManageGlow();
    }
}

void TMapScreen::ManageReplayDialog() {
    if (ReplayDialog->Manage() == 0) return;
    ReplayDialog->Kill();
    ReplayDialog.reset();
    Menu->ClearStates();
    Menu->ManageNoSound(0, 0);
    PlaySound(ZoomOut);
}

void TMapScreen::ManageZoom() {
    const bool ended = Zoom->Manage() != 0;
    if (!Zooming()) return;
    CalcScrollCoords();
    if (ended && !Game->Fading()) FadeOutTo(GameScreen, Game->MusicChannel);
}

void TMapScreen::ManageSlideIn() {
    if (!SlideIn->Active) return;
    const bool ended = SlideIn->Manage() != 0 && !SlideIn->Active;
    ScrollY = ended ? SlideInYDist : SlideIn->GetRatioInvSine180() * SlideInYDist;
}

float TMapScreen::CalcScale() {
    if (Zooming() && Zoom->Active) return 1 + SinDeg(Zoom->GetRatioInv() * 90.0);
    return 1;
}

void TMapScreen::CalcScrollCoords() {
    const TAccuratePoint& dot = Coords[Level - 1];
    const float j = SinDeg(Zoom->GetRatioInv() * 90.0);
    // Where the chosen dot sits centred at twice the size, within the picture.
    const float tx = std::clamp(static_cast<float>(ScreenWidth / 2) - 2 * dot.X,
                                static_cast<float>(ScreenWidth - 2 * PictureWidth()), 0.0f);
    const float ty = std::clamp(static_cast<float>(ScreenHeight / 2) - 2 * (dot.Y + YOffset),
                                static_cast<float>(ScreenHeight - 2 * PictureHeight()), 0.0f);
    ScrollX = LastX - j * (LastX - tx);
    ScrollY = LastY - j * (LastY - ty);
}

void TMapScreen::Browse() {
    Glow->Manage();
    Glow2->Manage();
    if (TimedCheckBox->Logic() && SaveData) SaveData->timer = SaveData->timer ? 0 : 1;
    // A pointer left resting by an edge does not scroll the map under the keys.
    if (!Nav::MarksShown()) ScrollByEdges();
    ScrollByWheelAndKeys();
    GlideToKeyDot();
    ClampScrollPosition();
    Angle += Delta;
    if (Angle >= 360) Angle -= 360;
    CheckLevelDots();
}

void TMapScreen::ScrollByEdges() {
    const float e = EDGE_BAND, v = EDGE_SPEED * Delta;
    const float x = static_cast<float>(Game->Mouse->x), y = static_cast<float>(Game->Mouse->y);
    if (x < e) ScrollX += (e - x) / e * v;
    if (x > ScreenWidth - e) ScrollX -= (e - (ScreenWidth - x)) / e * v;
    if (y < e) ScrollY += (e - y) / e * v;
    if (y > ScreenHeight - e) ScrollY -= (e - (ScreenHeight - y)) / e * v;
}

void TMapScreen::ScrollByWheelAndKeys() {
    // The wheel turned away from the player shows the map further up.
    const int wheel = Game->Mouse->z;
    const int pages = KeyHit(Key::PageUp) - KeyHit(Key::PageDown);
    ScrollY += static_cast<float>((wheel - LastWheel) * WHEEL_STEP + pages * PAGE_STEP);
    // The player scrolls away: the view no longer follows the focused dot.
    if (wheel != LastWheel || pages != 0) FollowKeyDot = 0;
    LastWheel = wheel;
}

void TMapScreen::CheckLevelDots() {
    const int previous = MOIndex;
    MOIndex = -1;
    // The keys' focus shows: the pointer at rest answers nothing (a click
    // hides the focus first), the number is the focused dot's.
    if (Nav::MarksShown()) {
        LastMOIndex = KeyPlace == KeyStop::Dot ? KeyDot : Level - 1;
        return;
    }
    const int mx = Game->Mouse->x, my = Game->Mouse->y;
    for (int i = 0; i < DotCount(); ++i) {
        const float m = static_cast<float>(CheckSpecialLevel(i) ? SPECIAL_DOT_REACH : DOT_REACH);
        const float cx = Coords[i].X + ScrollX, cy = Coords[i].Y + ScrollY + YOffset;
        if (!(cx - m <= mx && mx < cx + m && cy - m <= my && my < cy + m)) {
            LastMOIndex = Level - 1;
            continue;
        }
        const bool open = LevelOpen(i + 1);
        TButtonPtr start = Menu->FindButton("start");
        if (i != previous && open) {
            if (start) start->PlayMouseOver();
            Glow->Reset();
        }
        MOIndex = LastMOIndex = i;
        if (Game->Mouse->GetMh(1)) {
            if (!open) {
                PlaySound(Invalid);
            } else {
                ChooseDot(i);
            }
        }
        return;
    }
}

// ---------------------------------------------------------------- choosing a level

void TMapScreen::LevelSelected(int level) {
    Zoom = TAnimation::Create(kZoomMs, 1);
    ZoomIn = 0;
    Zoom->Start();
    LastX = static_cast<int>(ScrollX);
    LastY = static_cast<int>(ScrollY);
    Player->Level = level;
    Player->WriteProfile(Game->CurrentProfile);
    Level = level;
    for (const char* name : {"back", "start"}) {
        if (TButtonPtr button = Menu->FindButton(name)) {
            button->Active = 0;
            button->AlwaysDraw = 1;
        }
    }
    const bool replay = level != Player->Unlocked;
    if (replay && Game->CurrentProfile && Game->CurrentProfile->ShowHint(REPLAY_HINT, 1)) {
        ReplayDialog =
            CreateOKDialog(Text("Level Replay"), Text("Level Replay Body"), "confirm.png");
    } else {
        PlaySound(ZoomInSound);
    }
}

void TMapScreen::ChooseCurrentLevel() {
    LevelSelected(Level);
    ClickedIndex = Level - 1;
}

void TMapScreen::ChooseDot(int index) {
    if (TButtonPtr start = Menu->FindButton("start")) start->PlayClick();
    LevelSelected(index + 1);
    ClickedIndex = index;
}

// ---------------------------------------------------------------- keys, buttons, leaving

void TMapScreen::ManageKeysAndButtons() {
    // Space and Enter on the dots start the focused level (the current one
    // until the keys move on); a focused control takes them itself.
    if (!Zooming() && KeyPlace == KeyStop::Dot && (KeyHit(Key::Space) || KeyHit(Key::Enter))) {
        if (KeyDot != Level - 1 && LevelOpen(KeyDot + 1)) {
            ChooseDot(KeyDot);
            return;
        }
        if (TButtonPtr start = Menu->FindButton("start")) start->SimulateClick();
        ChooseCurrentLevel();
        return;
    }
    if (Menu->Clicked("start")) ChooseCurrentLevel();
    // Once a level is chosen the map only zooms into it.
    if (Zooming() || Game->Fading()) return;
    if (KeyHit(Key::Escape)) {
        if (TButtonPtr back = Menu->FindButton("back")) back->SimulateClick();
        Close();
        return;
    }
    if (Menu->Clicked("back")) Close();
    if (Menu->Clicked("shop")) GoToShop();
}

void TMapScreen::GoToShop() {
    SaveProfile();
    FadeOutTo(ShopScreen, nullptr);
}

void TMapScreen::Close() {
    SaveProfile();
    FadeOutTo(TitleDestination(), nullptr);
}

int TMapScreen::SetEscDestination() {
    Game->DestinationTScreen = TitleDestination();
    return 0;
}

void TMapScreen::Kill() {
    TScreen::Kill();
    KillCoords();
    for (TGameImagePtr* image : {&GoldBox, &Locked, &LockedSpecial, &Unlocked, &UnlockedMO,
                                 &UnlockedSpecial, &UnlockedSpecialMO, &BottomPanel, &TopPanel})
        image->reset();
    Invalid.reset();
    ZoomInSound.reset();
    ZoomOut.reset();
    if (TimedCheckBox) TimedCheckBox->Kill();
    TimedCheckBox.reset();
    if (ReplayDialog) ReplayDialog->Kill();
    ReplayDialog.reset();
}
