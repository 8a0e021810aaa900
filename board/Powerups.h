// The six HUD powerups: a round slot each below the board, bought in the
// shop in up to three strength levels, filled one charge at a time by the
// magic gems the player frees, and used once full. The stake, hammer and
// broom are picked up on the pointer and dropped on a cell; the lightning,
// crystal and tarot act at once.
//
// Single-threaded, stepped by the board (Update) and drawn by it
// (DrawHUDPowers). Nothing here fails: a powerup that cannot act on a cell
// refuses it with a sound, pictures and sounds missing from the banks (a
// board run without data) are simply not drawn or played.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "media/GameImage.h"
#include "media/Point.h"
#include "media/Sound.h"

class TGem;
using TGemPtr = std::shared_ptr<TGem>;

// One cell of a powerup's or bomb's area, and whether the effect would act on it.
struct THUDPowerInfo {
    TPoint pos;
    int valid = 0;
    static THUDPowerInfo Create(int x, int y, int valid) { return {{x, y}, valid}; }
};
using THUDPowerInfoList = std::vector<THUDPowerInfo>;

class THUDPowerup {
  public:
    static constexpr int HUD_Y = 724;
    static constexpr int HUD_PIN_COUNT = 3;
    // The filling never shows less than the bottom border nor hides the top one.
    static constexpr int HUD_GAUGE_TOP_BORDER = 10;
    static constexpr int HUD_GAUGE_BOTTOM_BORDER = 10;

    TPoint HUDLocation;                // centre of the slot on screen
    TGameImagePtr HUDImage;            // the charged slot
    TGameImagePtr HUDBackImage;        // the empty slot; its width sets the clickable square
    TGameImagePtr HUDChargeBackImage;  // the liquid shown while charging
    std::array<TGameImagePtr, HUD_PIN_COUNT> HUDPinImages{};
    TGameImagePtr HUDNone;      // the slot of a powerup not bought
    TGameImagePtr HUDOverlay;   // the rim over the liquid
    TGameImagePtr HUDGlow;      // mouse-over glow of a charged slot
    TGameImagePtr CursorImage;  // beside the pointer while held (stake, hammer, broom)
    float HUDGlowFactor = 0;
    int ShopID = 0;  // shop item of level 1; levels 2 and 3 are the next two items
    int ItemLevelCount = 3;
    int ChargeRequiredS = 0;  // charge needed before the shop's discounts
    int CurrentCharge = 0;    // kept in the player's progress record
    int PinCount = 3;
    float offsetY = 1000;  // the level play screen slides the slots in with it
    int isActive = 0;      // 1 while the lightning or the tarot runs
    int HintWobble = 0;

    virtual ~THUDPowerup() = default;
    virtual void Reset();
    virtual void SetIntroY(float y);
    virtual void SetHintWobble(int on);
    // ChargeRequiredS less the discount of shop item 13 (x 0.9) or 14 (x 0.8).
    virtual int GetChargeRequired() const;
    virtual void SetChargeRequired(int n);
    // 1 when the powerup is bought, charged and has something to act on: it
    // keeps a board without moves going and the hint points at it.
    virtual int HasValidMove();
    virtual void ChargeFully();
    // The slot's pictures from the image bank (the ones it has).
    virtual void Load();
    // Uses a held powerup on cell (x, y); 1 when it acted.
    virtual int Activate(int x, int y);
    // 1 when the powerup may be used on cell (x, y).
    virtual int Validate(int x, int y);
    // Strictly inside the slot's square.
    virtual int PointWithin(int x, int y) const;
    virtual int IsCharged() const;
    // A fresh press at (x, y): 1 when it picked the powerup (held or used at
    // once); a press on a slot not bought or not full gets the invalid sound.
    virtual int CheckIsClicked(int x, int y);
    virtual void OnClicked();
    // Adds charge up to the need; the charge that fills it is announced.
    virtual void AddCharge(int n);
    // The cells a held powerup would act on at (x, y), at its level.
    virtual THUDPowerInfoList GetAreaOfEffect(int x, int y);
    // Once per step: the glow (raised while the mouse is over the slot) fades.
    virtual void Update(float delta);
    virtual int IsAvailable() const;
    // The item is one of the powerup's three shop items.
    virtual int IsShopItem(int id) const;
    virtual void Draw() const;

    // ---- helpers of the slot ----
    // The strength level from the shop: 0 (not bought) to 3.
    int Level() const;
    // Where the slot is drawn: its centre slid by the intro, and wobbling
    // while it is the hint.
    float DrawX() const;
    float DrawY() const;

  protected:
    // The row of the powerup table: slot x, charge, first shop item, slot
    // picture number and the picture held on the pointer ("" for none).
    THUDPowerup(int slotX, int chargeNeeded, int shopId, int imageNumber, std::string cursorImage);
    // Stake, hammer and broom: hold the powerup on the pointer.
    void PickUp();
    void DrawLiquid(float left, float top, float fill) const;

    int ImageNumber = 0;
    std::string CursorImageName;
};

using THUDPowerupPtr = std::shared_ptr<THUDPowerup>;

// Held on the pointer and dropped on a cell: strips armour and destroys the
// gems that are neither locked nor in rock.
class TStakeHUD : public THUDPowerup {
  public:
    TStakeHUD();
    int HasValidMove() override;
    int Activate(int x, int y) override;
    int Validate(int x, int y) override;
    void OnClicked() override;
    THUDPowerInfoList GetAreaOfEffect(int x, int y) override;
};

// Held and dropped on a rock: breaks it, and cracks the rocks around it.
class THammerHUD : public THUDPowerup {
  public:
    THammerHUD();
    int HasValidMove() override;
    int Activate(int x, int y) override;
    int Validate(int x, int y) override;
    void OnClicked() override;
    THUDPowerInfoList GetAreaOfEffect(int x, int y) override;
};

// Held and dropped on a lock: opens the locks of its area.
class TBroomHUD : public THUDPowerup {
  public:
    TBroomHUD();
    int HasValidMove() override;
    int Activate(int x, int y) override;
    int Validate(int x, int y) override;
    void OnClicked() override;
    THUDPowerInfoList GetAreaOfEffect(int x, int y) override;
};

// Five stages 500 ms apart, each striking as many gems as the level, in
// different columns, while the board takes no input.
class TLightningHUD : public THUDPowerup {
  public:
    static constexpr int STAGES = 5;
    static constexpr int STAGE_MS = 500;
    // Random cells tried per strike before it is given up.
    static constexpr int TRIES_PER_STRIKE = 11;

    int m_Active = 0;
    int m_StageTimer = 0;  // milliseconds
    int m_Stage = 0;
    int m_PowerSize = 1;  // strikes per stage
    TGameChannelPtr m_CurentChannel;
    // The cells struck in the last stage (for the thunder's pan and for tests).
    std::vector<TPoint> LastStrikes;

    TLightningHUD();
    void Reset() override;
    int HasValidMove() override;
    void OnClicked() override;
    void Update(float delta) override;
    void StartLightning();
    void StopLightning();
    void StartStage();
};

// Turns as many random free gems as the level into a line's bombs at once.
class TCrystalHUD : public THUDPowerup {
  public:
    static constexpr int TRIES = 101;
    int m_PowerSize = 0;

    TCrystalHUD();
    int HasValidMove() override;
    void OnClicked() override;
};

// The free gems spiral into the middle of the board over 1.5 s, are
// shuffled until the board has a move (at most 50 times), and spiral back
// out to their new cells.
class TTarotHUD : public THUDPowerup {
  public:
    static constexpr int STAGE_MS = 1500;
    static constexpr int MAX_SHUFFLES = 50;

    int m_Active = 0;
    int m_StageTimer = 0;  // milliseconds
    int m_Stage = 0;
    float m_SpinAngle = 0;  // degrees
    float m_CurrentCentX = 0, m_CurrentCentY = 0;
    std::vector<TGemPtr> spinnable;
    int spiralDir = -1;

    TTarotHUD();
    void Reset() override;
    int HasValidMove() override;
    void OnClicked() override;
    void Update(float delta) override;
    void StartTarot();
    void CalcTarotCenter();
    void StartStage();
    void StopTarot();
    // Shuffles the spinnable gems until the board has a move, at most
    // MAX_SHUFFLES - depth times; returns the number of shuffles.
    int RandomizeTypes(int depth);
};

// HUDPowerups in slot order.
constexpr int POWERUP_STAKE = 0, POWERUP_HAMMER = 1, POWERUP_BROOM = 2, POWERUP_LIGHTNING = 3,
              POWERUP_TAROT = 4, POWERUP_CRYSTAL = 5;
constexpr int POWERUP_COUNT = 6;
extern std::array<THUDPowerupPtr, POWERUP_COUNT> HUDPowerups;

// The charge each powerup needs before shop discounts, in HUDPowerups order.
constexpr std::array<int, POWERUP_COUNT> kPowerupChargeNeeded = {10, 15, 12, 20, 18, 30};
// The charge needed after the discounts of the two charge items: x 0.9 with
// the first, x 0.8 with the second, in single precision and truncated (10
// needs 8 with either: 10 x 0.899999976 = 8.99999976).
int DiscountedCharge(int chargeNeeded, bool firstItemBought, bool secondItemBought);

// Every powerup's pictures, once the image bank holds them.
void LoadHUDPowerups();
// The tarot powerup's animation is running.
bool TarotRunning();
// The pan of the lightning's thunder: the mean x of the struck cells'
// centres across the screen, -1 at the left edge to 1 at the right.
float ThunderPan(const std::vector<float>& struckCentresX);
