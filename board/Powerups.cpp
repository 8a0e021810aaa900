// The powerups' common part: the table of the six, their levels from the
// shop, charging, and a press on a slot. The held tools are in
// PowerupTools.cpp, the powerups that act at once in PowerupSpells.cpp, the
// slot drawing in PowerupSlots.cpp.
#include "board/Powerups.h"

#include <algorithm>
#include <cmath>

#include "board/Grid.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/MousePointer.h"
#include "media/Effects.h"
#include "play/GameScreen.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"

std::array<THUDPowerupPtr, POWERUP_COUNT> HUDPowerups = {
    std::make_shared<TStakeHUD>(), std::make_shared<THammerHUD>(),
    std::make_shared<TBroomHUD>(), std::make_shared<TLightningHUD>(),
    std::make_shared<TTarotHUD>(), std::make_shared<TCrystalHUD>()};

namespace {

// The slot pictures are this size; without them (a board run without data)
// the clickable square keeps it.
constexpr int kSlotSize = 88;

}  // namespace

int DiscountedCharge(int chargeNeeded, bool firstItemBought, bool secondItemBought) {
    if (!firstItemBought && !secondItemBought) return chargeNeeded;
    const double factor = secondItemBought ? static_cast<double>(0.8f) : static_cast<double>(0.9f);
    return static_cast<int>(chargeNeeded * factor);
}

void LoadHUDPowerups() {
    for (const THUDPowerupPtr& powerup : HUDPowerups)
        powerup->Load();
}

bool TarotRunning() {
    return HUDPowerups[POWERUP_TAROT]->isActive != 0;
}

// ---------------------------------------------------------------- the table

THUDPowerup::THUDPowerup(int slotX, int chargeNeeded, int shopId, int imageNumber,
                         std::string cursorImage)
    : HUDLocation{slotX, HUD_Y},
      ShopID(shopId),
      ChargeRequiredS(chargeNeeded),
      ImageNumber(imageNumber),
      CursorImageName(std::move(cursorImage)) {}

TStakeHUD::TStakeHUD()
    : THUDPowerup(335, kPowerupChargeNeeded[POWERUP_STAKE], 24, 1, "StakeCursor") {}
THammerHUD::THammerHUD()
    : THUDPowerup(435, kPowerupChargeNeeded[POWERUP_HAMMER], 30, 3, "HammerCursor") {}
TBroomHUD::TBroomHUD()
    : THUDPowerup(535, kPowerupChargeNeeded[POWERUP_BROOM], 27, 2, "BroomCursor") {}
TLightningHUD::TLightningHUD()
    : THUDPowerup(635, kPowerupChargeNeeded[POWERUP_LIGHTNING], 33, 4, "") {}
TTarotHUD::TTarotHUD() : THUDPowerup(835, kPowerupChargeNeeded[POWERUP_TAROT], 15, 6, "") {
    // One level and no pins.
    ItemLevelCount = 1;
    PinCount = 0;
}
TCrystalHUD::TCrystalHUD() : THUDPowerup(735, kPowerupChargeNeeded[POWERUP_CRYSTAL], 36, 5, "") {}

void THUDPowerup::Load() {
    auto find = [](const std::string& name) -> TGameImagePtr {
        return ImageBank.FindTImage(name) ? ImageBank.Find(name) : nullptr;
    };
    HUDNone = find("unpurchased");
    HUDOverlay = find("empty ring1");
    HUDGlow = find("Powerup Slot Mouse Over");
    for (int i = 0; i < HUD_PIN_COUNT; ++i)
        HUDPinImages[i] = find("powerupLevel" + std::to_string(i + 1));
    const std::string slot = "powerup" + std::to_string(ImageNumber);
    HUDImage = find(slot + "full");
    HUDBackImage = find(slot + "empty");
    HUDChargeBackImage = find(slot + "filling");
    CursorImage = CursorImageName.empty() ? nullptr : find(CursorImageName);
}

// ---------------------------------------------------------------- state

void THUDPowerup::Reset() {
    HintWobble = 0;
    isActive = 0;
    HUDGlowFactor = 0;
}

void THUDPowerup::SetIntroY(float y) {
    offsetY = y;
}

void THUDPowerup::SetHintWobble(int on) {
    HintWobble = on;
}

void THUDPowerup::SetChargeRequired(int n) {
    ChargeRequiredS = n;
}

int THUDPowerup::GetChargeRequired() const {
    return DiscountedCharge(ChargeRequiredS, ShopItemOwned(SHOP_QUICK_CHARGE),
                            ShopItemOwned(SHOP_QUICKER_CHARGE));
}

int THUDPowerup::IsCharged() const {
    return CurrentCharge >= GetChargeRequired() ? 1 : 0;
}

void THUDPowerup::ChargeFully() {
    CurrentCharge = GetChargeRequired();
}

int THUDPowerup::Level() const {
    return SaveData ? SaveData->GetHUDBonusLevel(ShopID) : 0;
}

int THUDPowerup::IsAvailable() const {
    return ShopItemOwned(ShopID) ? 1 : 0;
}

int THUDPowerup::IsShopItem(int id) const {
    return id >= ShopID && id <= ShopID + 2 ? 1 : 0;
}

int THUDPowerup::HasValidMove() {
    return 0;
}

void THUDPowerup::AddCharge(int n) {
    const int need = GetChargeRequired();
    const bool wasBelow = CurrentCharge < need;
    CurrentCharge = std::min(CurrentCharge + n, need);
    if (!wasBelow || CurrentCharge < need) return;
    if (GameScreen) GameScreen->TriggerHUDCharged = 1;
    EffectGreenRing(static_cast<float>(HUDLocation.X), static_cast<float>(HUDLocation.Y));
}

// ---------------------------------------------------------------- the mouse

int THUDPowerup::PointWithin(int x, int y) const {
    const int half = (HUDBackImage ? HUDBackImage->w : kSlotSize) / 2;
    return x > HUDLocation.X - half && x < HUDLocation.X + half && y > HUDLocation.Y - half &&
                   y < HUDLocation.Y + half
               ? 1
               : 0;
}

int THUDPowerup::CheckIsClicked(int x, int y) {
    if (!PointWithin(x, y)) return 0;
    if (Level() == 0 || !IsCharged()) {
        if (Grid) PlaySound(Grid->InvalidSound);
        return 0;
    }
    if (Grid) Grid->ClearHUDCursor(0);
    PlayNamedSound("buttonclick");
    OnClicked();
    return 1;
}

void THUDPowerup::OnClicked() {}

int THUDPowerup::Validate(int, int) {
    return 1;
}

int THUDPowerup::Activate(int, int) {
    return 0;
}

THUDPowerInfoList THUDPowerup::GetAreaOfEffect(int, int) {
    return {};
}

void THUDPowerup::Update(float delta) {
    HUDGlowFactor = std::max(0.0f, HUDGlowFactor - HUDGlowFactor * 0.9f * delta * 0.05f);
    // The mouse over the slot lights it up to full.
    if (Game && Game->Mouse && PointWithin(Game->Mouse->x, Game->Mouse->y)) HUDGlowFactor = 1;
}

float THUDPowerup::DrawX() const {
    const float wobble =
        HintWobble && Grid
            ? std::trunc(3 * static_cast<float>(std::sin(10 * Grid->HintCounter * M_PI / 180.0)))
            : 0.0f;
    return static_cast<float>(HUDLocation.X) + wobble;
}

float THUDPowerup::DrawY() const {
    return static_cast<float>(HUDLocation.Y) + offsetY;
}

float ThunderPan(const std::vector<float>& struckCentresX) {
    if (struckCentresX.empty()) return 0;
    float sum = 0;
    for (float x : struckCentresX)
        sum += x;
    const float mean = sum / static_cast<float>(struckCentresX.size());
    return 2 * std::clamp(mean / static_cast<float>(ScreenWidth), 0.0f, 1.0f) - 1;
}
