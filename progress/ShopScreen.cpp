// The shop screen's life and logic: loading and starting, the list of items
// on sale and its glide, the modes and buttons, buying, and leaving.
#include "progress/ShopScreen.h"

#include <algorithm>
#include <cmath>

#include "board/Powerups.h"
#include "engine/Keys.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/LoadingScreen.h"
#include "frame/MousePointer.h"
#include "frame/Navigation.h"
#include "frame/Profile.h"
#include "frame/Timing.h"
#include "media/Effects.h"
#include "media/GameText.h"
#include "media/Sound.h"
#include "play/LevelComplete.h"
#include "play/Player.h"
#include "play/Tutorial.h"
#include "progress/LevelDialogs.h"
#include "progress/MapScreen.h"
#include "progress/SaveData.h"
#include "ui/DialogBuilders.h"

std::shared_ptr<TShopScreen> ShopScreen = MakeScreen<TShopScreen>();

namespace {

// The controls' places: the arrows either side of the strip, the buttons
// along the bottom edge.
constexpr int ARROW_RIGHT_FROM_MIDDLE = 171, ARROW_LEFT_FROM_MIDDLE = -253, ARROW_Y = 656;
constexpr int BOTTOM_MARGIN = 5, MAP_RIGHT_MARGIN = 4, EYE_LEFT = 4;
// A glow under the pointer fades out over 30 steps.
constexpr float GLOW_FADE_STEPS = 30;
constexpr float SPARKLE_PAN = -0.5f;

std::string Text(const std::string& key) {
    return GameText ? GameText->FindString(key) : std::string();
}

// Whether the store sells the item now; no store, nothing to sell.
int Status(int id) {
    return SaveData ? SaveData->GetShopItemStatus(id) : ShopItem::UNAVAILABLE;
}

void PlaceAtBottom(TButton& button, float x) {
    button.MoveTo(x, static_cast<float>(ScreenHeight - button.h - BOTTOM_MARGIN));
}

}  // namespace

bool CameFromMap() {
    return Game && Game->LastTScreen && Game->LastTScreen == MapScreen;
}

namespace {

TScreenPtr LeavingDestination() {
    return MapScreen;
}

}  // namespace

TShopScreen::TShopScreen() {
    name = "shop";
}

// ---------------------------------------------------------------- arriving

void TShopScreen::Load() {
    name = "shop";
    if (TLoadingScreen* loading = Game->LoadingScreen.get()) loading->DrawLoading(1);
    ImageLoad("Backgrounds/shopBack.png", 0, 1);
    LoadPictures();
    if (!CameFromMap()) Game->MusicLoad("title.ogg", 1);
    Game->FadeMusic = 0;
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
    EyeMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
    ScrollMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
    ScrollMenu->FocusKeys = 0;  // the keys' focus moves along the main row
    Menu->DefaultFocusName = "map";

    ScrollMenu->AddQuickAuto("arrowR", "right")
        ->MoveTo(static_cast<float>(ScreenWidth / 2 + ARROW_RIGHT_FROM_MIDDLE), ARROW_Y);
    ScrollMenu->AddQuickAuto("arrowL", "left")
        ->MoveTo(static_cast<float>(ScreenWidth / 2 + ARROW_LEFT_FROM_MIDDLE), ARROW_Y);

    TButtonPtr map = AddMenuButton(*Menu, "DecorationMapButton", "map", "Button Map", 0, 0);
    PlaceAtBottom(*map, static_cast<float>(ScreenWidth - map->w - MAP_RIGHT_MARGIN));
    if (map->Caption) map->Caption->Y -= 1;
    TButtonPtr eye = AddMenuButton(*Menu, "eyeButton", "eye", "", 0, 0);
    PlaceAtBottom(*eye, EYE_LEFT);
    TButtonPtr roller = AddMenuButton(*Menu, "rollerButton", "roller", "", 0, 0);
    PlaceAtBottom(*roller, static_cast<float>(eye->w + EYE_LEFT));

    TButtonPtr ok = AddMenuButton(*EyeMenu, "button", "ok", "Button OK", 0, 0);
    PlaceAtBottom(*ok, static_cast<float>(ScreenWidth / 2 - ok->w / 2));

    ScrollOffset = 0;
    CurrentItem = 0;
}

void TShopScreen::Start() {
    TScreen::Start();
    Tutorial->SetImages();
    Tutorial->Clear();
    if (!CameFromMap()) Game->MusicPlay(1, 0, 0);
    Game->IgnoreEscapeKey = 1;
    Game->GameFade->Init(DefaultFadeLength, 0, nullptr, 0, 0, nullptr);
    InitScrollBar();
    ParticleLayer(3).Clear();
    EyeMode = 0;
    wallpaperStage = 0;
    // The old lady's news of the level just opened; none when the first
    // pumpkin, which her first news is about, is already bought.
    if (Player->Level == 2 && Status(SHOP_PUMPKIN) == ShopItem::PURCHASED) return;
    if (LevelCompleteScreen->ShowShopMessage) {
        LevelCompleteScreen->ShowShopMessage = 0;
        MessageDialog = LevelDialogs::GetShopLevelDialog(Player->Level, 1);
    }
}

// ---------------------------------------------------------------- the list

void TShopScreen::InitScrollBar() {
    currentIDX = -1;
    CurrentItems.clear();
    for (int id = 1; id < SHOP_TABLE_SIZE; ++id) {
        const ShopItemPtr& item = ShopItems[id];
        // Scenery is never sold, so its status is never asked.
        if (!item || item->Cost == -1 || Status(id) != ShopItem::AVAILABLE) continue;
        item->GlowValue = 0;
        CurrentItems.push_back(item);
    }
    ITEM_COUNT = static_cast<int>(CurrentItems.size());
    // The last three items stay in sight; a short list does not scroll.
    if (CurrentItem >= ITEM_COUNT - 2) CurrentItem = ITEM_COUNT - 3;
    if (ITEM_COUNT < ITEMS_SHOWN + 1) CurrentItem = 0;
    ScrollOffset = static_cast<float>(CurrentItem * ITEM_SPREAD);
}

TPoint TShopScreen::GetImagePos(int index) {
    // A list shorter than the strip is centred in it.
    const int centring =
        ITEM_COUNT < ITEMS_SHOWN ? (ITEMS_SHOWN - ITEM_COUNT) * ITEM_SPREAD / 2 : 0;
    const float x = index * ITEM_SPREAD + FIRST_ITEM_X - ScrollOffset + centring;
    return {static_cast<int>(x), ITEM_Y};
}

TRect TShopScreen::GetItemRect() {
    return {FIRST_ITEM_X - ITEM_HALF, 0, ITEMS_SHOWN * ITEM_SPREAD, ScreenHeight};
}

int TShopScreen::CheckItemButtons() {
    const TRect strip = GetItemRect();
    const int mx = Game->Mouse->x, my = Game->Mouse->y;
    const bool inStrip =
        mx >= strip.x && mx < strip.x + strip.w && my >= strip.y && my < strip.y + strip.h;
    for (int i = 0; i < ITEM_COUNT; ++i) {
        ShopItem& item = *CurrentItems[i];
        item.GlowValue -= 1 / GLOW_FADE_STEPS * Delta;
        const TPoint centre = GetImagePos(i);
        if (inStrip && std::abs(mx - centre.X) < ITEM_HALF && std::abs(my - centre.Y) < ITEM_HALF) {
            item.GlowValue = 1;
            if (Game->Mouse->GetMh(1)) return i;
        }
    }
    return -1;
}

int TShopScreen::ManageItemKeys() {
    Menu->FocusUpDown = 0;
    if (!Nav::MarksShown() || Game->Fading() || ITEM_COUNT <= 0) {
        KeyItem = -1;
        Menu->FocusKeys = 1;
        return 0;
    }
    if (KeyItem < 0 && KeyHit(Key::Up)) KeyItem = CurrentItem;
    if (KeyItem >= 0 && KeyHit(Key::Down)) KeyItem = -1;
    Menu->FocusKeys = KeyItem < 0 ? 1 : 0;
    if (KeyItem < 0) return 0;
    KeyItem = std::clamp(KeyItem + KeyHit(Key::Right) - KeyHit(Key::Left), 0, ITEM_COUNT - 1);
    // The strip follows the focus as its arrows would.
    while (KeyItem < CurrentItem && CurrentItem > 0)
        --CurrentItem;
    while (KeyItem >= CurrentItem + ITEMS_SHOWN && ITEM_COUNT > ITEMS_SHOWN)
        ++CurrentItem;
    CurrentItems[static_cast<size_t>(KeyItem)]->GlowValue = 1;
    if (KeyHit(Key::Enter) + KeyHit(Key::Space) == 0) return 0;
    BeginPurchase(KeyItem);
    return 1;
}

void TShopScreen::ScrollRight() {
    ++CurrentItem;
    if (CurrentItem == ITEM_COUNT - 2) CurrentItem = ITEM_COUNT - 3;
    if (ITEM_COUNT < ITEMS_SHOWN + 1) CurrentItem = 0;
}

// ---------------------------------------------------------------- one step

void TShopScreen::Logic() {
    // The wallpaper's frames are being counted: time stands still.
    if (wallpaperStage != 0) return;
    const bool dialogOpen =
        ManageMessageDialog() || ManagePurchaseDialog() || ManageWallpaperDialog();
    if (!dialogOpen) {
        if (EyeMode) {
            if (EyeModeInput()) return;
        } else if (!ManageItemKeys()) {
            TScreen::Logic();
            if (ITEM_COUNT > ITEMS_SHOWN) ScrollMenu->Manage(0, 0);
            BrowsingInput();
        }
        ParticleLayer(3).Move();
    }
    // The list glides towards its target (2 % of the way a step at 5 ms).
    ScrollOffset += (CurrentItem * ITEM_SPREAD - ScrollOffset) *
                    (Game->FixedRateLogic->MS / 1000.0f) * SPEED_MULT * Delta;
}

int TShopScreen::EyeModeInput() {
    TButtonPtr ok = EyeMenu->FindButton("ok");
    if (KeyHit(Key::Escape) || KeyHit(Key::Enter) || KeyHit(Key::Space)) {
        LeaveEyeMode();
        if (ok) ok->SimulateClick();
        return 1;
    }
    EyeMenu->Manage(0, 0);
    if (EyeMenu->Clicked("ok")) LeaveEyeMode();
    return 0;
}

void TShopScreen::LeaveEyeMode() {
    EyeMode = 0;
    // The eye button stood still, pressed, while its row was hidden: it
    // comes back at rest, ready for the next press at once.
    if (TButtonPtr eye = Menu->FindButton("eye")) eye->ClearClick();
}

void TShopScreen::BrowsingInput() {
    Tutorial->Manage();
    if (KeyHit(Key::Escape) || KeyHit(Key::Enter)) {
        if (TButtonPtr map = Menu->FindButton("map")) map->SimulateClick();
        Close();
        return;
    }
    if (Menu->Clicked("map")) Close();
    if (Menu->Clicked("eye")) {
        EyeMode = 1;
        if (TButtonPtr ok = EyeMenu->FindButton("ok")) ok->ClearClick();
    }
    if (Menu->Clicked("roller")) StartWallpaper();
    if (ScrollMenu->Clicked("left")) CurrentItem = std::max(0, CurrentItem - 1);
    if (ScrollMenu->Clicked("right")) ScrollRight();
    const int clicked = CheckItemButtons();
    if (clicked >= 0) BeginPurchase(clicked);
}

// ---------------------------------------------------------------- dialogs

void TShopScreen::SettleMenu() {
    Menu->ClearStates();
    Menu->ManageNoSound(0, 0);
}

template <typename Dialog, typename Answered>
int TShopScreen::ManageHeld(std::shared_ptr<Dialog>& dialog, Answered&& answered) {
    if (!dialog) return 0;
    if (dialog->Manage() != 0) {
        answered(*dialog);
        dialog->Kill();
        dialog.reset();
        SettleMenu();
    }
    return dialog && dialog->Active ? 1 : 0;
}

int TShopScreen::ManageMessageDialog() {
    return ManageHeld(MessageDialog, [](TDialogOK&) { Tutorial->ShowPumpkinTip(); });
}

int TShopScreen::ManagePurchaseDialog() {
    return ManageHeld(PurchaseDialog, [this](TPurchaseDialog& dialog) {
        if (dialog.itemBought && dialog.selectedItem) CompletePurchase(*dialog.selectedItem);
        InitScrollBar();
    });
}

int TShopScreen::ManageWallpaperDialog() {
    return ManageHeld(WallpaperYesNo, [this](TDialogYesNo& dialog) {
        if (dialog.CloseResult == TDialog::RESULT_OK) wallpaperStage = 1;
        InitScrollBar();
    });
}

// ---------------------------------------------------------------- buying

void TShopScreen::BeginPurchase(int index) {
    if (index < 0 || index >= ITEM_COUNT) return;
    PurchaseDialog = CreatePurchaseDialog(CurrentItems[index]);
    currentIDX = index;
}

void TShopScreen::CompletePurchase(ShopItem& item) {
    // The dialog offers "Buy" only for what the store sells; should it
    // refuse all the same, nothing of a purchase happens.
    if (!SaveData || !SaveData->PurchaseItem(item.PurchaseID)) return;
    ChargeLinkedPowerups(item.PurchaseID);
    // Saved at once, charge included: leaving the game any way now loses nothing.
    if (Game->CurrentProfile) Game->CurrentProfile->Save();
    PlaySound(SoundBank.Find("GoalDone"), 1.0f, SPARKLE_PAN);
    if (item.Image && item.Coords) {
        EffectPinkRing(std::trunc(item.Coords->X + item.Image->w2 + item.centreOffsetX),
                       std::trunc(item.Coords->Y + item.Image->h2 + item.centreOffsetY));
    }
    Tutorial->FadeTips();
}

void TShopScreen::ChargeLinkedPowerups(int itemId) {
    for (const THUDPowerupPtr& powerup : HUDPowerups)
        if (powerup && powerup->IsShopItem(itemId)) powerup->ChargeFully();
}

// ---------------------------------------------------------------- leaving

int TShopScreen::MustBuyBeforeLeaving() {
    if (!SaveData || !Player) return 0;
    // Only what can be bought now keeps the player: without the gold for
    // the coffin the game lets them go.
    auto mustBuy = [](int id) {
        return SaveData->GetShopItemStatus(id) != ShopItem::PURCHASED &&
               SaveData->CanPurchaseItem(id);
    };
    if (Player->Unlocked == 2 && mustBuy(SHOP_PUMPKIN)) return SHOP_PUMPKIN;
    if (Player->Unlocked == 4 && mustBuy(SHOP_FIRST_COFFIN)) return SHOP_FIRST_COFFIN;
    return 0;
}

void TShopScreen::Close() {
    if (const int item = MustBuyBeforeLeaving()) {
        const std::string key = item == SHOP_PUMPKIN ? "purchase pumpkin" : "purchase coffin";
        MessageDialog = CreateOKDialog(Text(key), Text(key + " text"), "", "Confirm");
        return;
    }
    if (Game->CurrentProfile) Game->CurrentProfile->Save();
    Game->DestinationTScreen = LeavingDestination();
    Game->GameFade->Init(DefaultFadeLength, 1, nullptr, 1, 0, nullptr);
}

int TShopScreen::SetEscDestination() {
    // The shop takes Escape itself; were the frame to ask, it leaves the same way.
    Game->DestinationTScreen = LeavingDestination();
    return 0;
}

void TShopScreen::PostFadeOut() {
    ParticleLayer(3).Clear();
}

void TShopScreen::Kill() {
    TScreen::Kill();
    for (TMenuPtr* menu : {&EyeMenu, &ScrollMenu}) {
        if (*menu) (*menu)->Kill();
        menu->reset();
    }
    if (PurchaseDialog) PurchaseDialog->Kill();
    if (WallpaperYesNo) WallpaperYesNo->Kill();
    if (MessageDialog) MessageDialog->Kill();
    PurchaseDialog.reset();
    WallpaperYesNo.reset();
    MessageDialog.reset();
    CurrentItems.clear();
    ReleasePictures();
}

// ---------------------------------------------------------------- the wallpaper question

void TShopScreen::StartWallpaper() {
    WallpaperYesNo = CreateConfirmDialog(Text("Set Wallpaper Question"));
}
