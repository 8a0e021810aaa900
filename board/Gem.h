// The pieces on the board and their list.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "board/Cell.h"
#include "engine/Containers.h"
#include "media/Sprite.h"

// Gem types: -1 used up; 0 no gem; 1..13 colours; 14 golden skull;
// 15..21 bombs; 22 coin; 23..29 upgraded bombs; 30 money bag.
constexpr int GEM_USED = -1;
constexpr int GEM_SKULL = 14;
// The seven bombs by the blast they fire (pictures: pumpkin, lantern, candle,
// grave, torch, well, garlic); each one's upgrade is its type + BOMB_UPGRADE.
constexpr int GEM_PUMPKIN_BOMB = 15;
constexpr int GEM_HORIZONTAL_BOMB = 16;
constexpr int GEM_VERTICAL_BOMB = 17;
constexpr int GEM_CROSS_BOMB = 18;
constexpr int GEM_DIAGONAL_BOMB = 19;
constexpr int GEM_CROSS_DIAG_BOMB = 20;
constexpr int GEM_GARLIC_BOMB = 21;
constexpr int BOMB_KINDS = 7;
constexpr int BOMB_UPGRADE = 8;
constexpr int GEM_FIRST_BOMB = GEM_PUMPKIN_BOMB;
constexpr int GEM_LAST_BOMB = GEM_GARLIC_BOMB;
constexpr int GEM_COIN = 22;
// Frames of one full turn in the coin's strip "Bonuses/coin"; the last faces front.
constexpr int COIN_SPIN_FRAMES = 12;
constexpr int GEM_FIRST_UPGRADED_BOMB = GEM_FIRST_BOMB + BOMB_UPGRADE;
constexpr int GEM_LAST_UPGRADED_BOMB = GEM_LAST_BOMB + BOMB_UPGRADE;
constexpr int GEM_BAG = 30;
constexpr int GEM_TYPE_COUNT = 31;

constexpr bool IsUpgradedBomb(int type) {
    return type >= GEM_FIRST_UPGRADED_BOMB && type <= GEM_LAST_UPGRADED_BOMB;
}
// A bomb in either form (coins and bags are bonuses, not bombs).
constexpr bool IsBomb(int type) {
    return (type >= GEM_FIRST_BOMB && type <= GEM_LAST_BOMB) || IsUpgradedBomb(type);
}

class THUDPowerup;

class TGem : public TSprite, public std::enable_shared_from_this<TGem> {
  public:
    TGem();

    int AnimActive = 0;
    int GemType = 0;
    float glow = 0;
    int gx = -1, gy = -1;
    int HintWobble = 0;
    int locked = 0;
    int rocked = 0;
    float MOScale = 1;
    int OrigGemType = 0;
    // Extra height above its place while the board drops in at a level's start.
    float introY = 0;
    int Magic = 0;
    int Swapping = 0;
    int LifeCounter = 0;
    int BonusActivated = 0;
    float ExplosionCounter = 0;
    float ExplosionLength = 300;
    int ExplosionShow = 1;
    float MagicCounter = 0, MagicLength = 1500;
    int IntroOffsetX = 0, IntroOffsetY = 0;
    TGameImagePtr MyLockImage, MyRocked1Image;
    // The entry row this new gem was made at, until it falls past it or
    // leaves the board (-1: none).
    int PendingColumn = -1, PendingEntry = -1;

    // Type-level data, set once by Load.
    static constexpr float MAX_SCALE = 1.1f;
    static constexpr float SCALE_UP_SPEED = 0.01f;
    static constexpr float SCALE_DOWN_SPEED = 0.005f;
    static TGameImagePtr Lock1Image, Lock2Image, Rock1Var1Image, Rock1Var2Image, Rock2Image;
    static std::array<TGameImagePtr, GEM_TYPE_COUNT> BonusImages;  // by type, 15..30
    static TGameImagePtr GemsImage, SkullImage, ParticleRingImage;
    // Looks the pictures up in the image bank.
    static void Load();
    // Sets up the type tables (no pictures needed).
    static void InitArrays();

    static std::shared_ptr<TGem> Make(int x, int y, int type, int falling);
    static std::shared_ptr<TGem> MakeCoin(int x, int y, int falling);
    static std::shared_ptr<TGem> MakeBag(int x, int y, int falling);
    static int CompareY(const std::shared_ptr<TGem>& a, const std::shared_ptr<TGem>& b);
    // A type for a new gem: a skull sometimes when allowed, else a level colour.
    static int Random(int allowSkull);

    void SetType(int type);
    void SetLockRockImage();
    void CalcCoords(int x, int y);
    void SwapTypes(TGem& other);
    void Activate();
    int Explode(int withBonusPower, int force);
    int Destroy();  // 1 when the gem was locked
    void CheckMatchGoal();
    void CreateMagic();
    void Manage();
    void ScaleUp();
    void ScaleDown();
    bool IsBonus() const { return GemType > GEM_SKULL; }
    void SetDropInY();
    void SetHintWobble(int on);
    void UnRock(int withScore);
    void Unlock();
    // Counts a coin's life down; 1 when it has run out.
    int SpinCoin(int loopEnded);
    // Gives back the entry row's pending count once.
    void ReleasePending();
    void DrawGem(float topY);
    bool Exploding() const { return ExplosionCounter > 0; }
    bool Falling() const { return dy > 0; }
};

using TGemPtr = std::shared_ptr<TGem>;

class TGemList : public TList<TGemPtr> {
  public:
    void Draw();
    // 1 while any gem explodes.
    int Manage();
    // Keeps the list ordered by y, largest first.
    void InsertGem(const TGemPtr& gem);
    void SortAll();
    void MoveAll();
    void SpreadAll();
    void ExplodeAll(int mode);
    void ExplodeSpecialItems(int type);
    void ExplodeMagicGems();
    // Takes a gem off the board: out of its cell (when still its gem) and the list.
    // Takes its own reference: callers often pass the cell's pointer, which this clears.
    void RemoveGem(TGemPtr gem);
    // The drop-in wave of a level's start: ratio 1 lifts later columns
    // higher, 0 puts every gem in its place.
    void SetIntroPosition(float ratio, int levelwidth);
    // The tarot's part: every gem free of locks and rock; the spiral (each
    // gem's offset from its cell to the centre scaled by s and turned by the
    // angle, one way in even columns, the other in odd ones); and the gems
    // back on their cells.
    std::vector<TGemPtr> GetSpinnable();
    void SetTarotAngle(float angle, float cx, float cy, const std::vector<TGemPtr>& list, float s);
    void RecalcCoords(const std::vector<TGemPtr>& list);
    // Gives every gem the board's drop shadow for the current detail setting:
    // on from particle detail 50, with the border shadow's offset and alpha.
    void SetShadow();
};

using TGemListPtr = std::shared_ptr<TGemList>;
extern TGemListPtr GemList;
