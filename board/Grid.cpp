// The board's set-up and its step.
#include "board/Grid.h"

#include "board/Powerups.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"
#include "play/GameScreen.h"
#include "play/Player.h"

TGameGridPtr Grid;

TGameGrid::TGameGrid()
    : glow1(std::make_shared<TSineCounter>()),
      glow2(std::make_shared<TSineCounter>()),
      glow3(std::make_shared<TSineCounter>()),
      glow4(std::make_shared<TSineCounter>()),
      SkullAnim(std::make_shared<TSineCounter>()) {}

void TGameGrid::Init() {
    CursorImage = ImageBank.FindTImage("cursor") ? ImageBank.Find("cursor") : nullptr;
    BonusHighlightMidImage =
        ImageBank.FindTImage("BonusHighlight") ? ImageBank.Find("BonusHighlight") : nullptr;
    MagicHighlightImage =
        ImageBank.FindTImage("MagicHighlight") ? ImageBank.Find("MagicHighlight") : nullptr;
    if (CursorImage && CursorImage->image) {
        // A 66-pixel cell sits centred in the frame.
        CursorImage->image->SetHandle(static_cast<float>((CursorImage->w - CELL_SIZE) / 2),
                                      static_cast<float>((CursorImage->h - CELL_SIZE) / 2));
    }
    InitSounds();
    glow1->Init(0, 180, 1, 0);
    glow2->Init(0, 180, 0.5f, 0);
    SkullAnim->Init(0, 360, 0.5f, 0);
    SetBonusGlowNormal();
    SwapTime = Game->CalcAnimLength(200);
    HintLength = Game->CalcAnimLength(2000);
    for (auto& column : TopRow)
        column.fill(0);
    for (auto& column : TopRowPending)
        column.fill(0);
}

void TGameGrid::SetBonusGlowNormal() {
    glow3->Init(0, 180, 0.75f, 0);
    glow4->Init(0, 180, 0.75f, 0);
    glow4->SetCounter(90);
}

void TGameGrid::InitSounds() {
    // Without a loaded sound bank (a board run without data) the board is
    // silent rather than failing.
    if (SoundBank.Count() == 0) return;
    auto find = [](const char* name) { return SoundBank.Find(name); };
    ClickSound = find("Click");
    ClickReverseSound = find("ClickReverse");
    InvalidSound = find("InvalidClick");
    SwapSound = find("Swap");
    FailedSound = find("FailedSwap");
    MatchOverTileSound = find("MatchOverTile");
    MatchOverArmour2Sound = find("MatchOverArmour2");
    MatchNoArmourSound = find("Match");
    LockedSound = find("LockClick");
    RockedSound = find("RockClick");
    UnlockSound = find("Unlock");
    ExplodeSound = find("Explode");
    HorizontalBombSound = find("HorizontalBomb");
    VerticalBombSound = find("VerticalBomb");
    UnRockSound1 = find("RockDestroyed");
    UnRockSound2 = find("RockCracked");
    GoldCoinSound = find("coin");
    GoldBagSound = find("bag");
    HUDChargeSound = find("GaugeFull");
    LandSound = find("GemLanding");
    MagicSound = find("MagicReleased");
    HintSound = find("Hint");
    InvalidBonusSound = find("InvalidClick");
    CrossBombSound = find("CrossBomb");
    DiagonalBombSound = find("DiagonalBomb");
    DiagonalBomb2Sound = find("DiagonalBomb2");
    CrossDiagBombSound = find("HolyWater");
}

std::shared_ptr<TGameGrid> TGameGrid::Create() {
    return std::make_shared<TGameGrid>();
}

bool TGameGrid::GameOverCountdown() const {
    return GameScreen && GameScreen->NoMoreCounter > 0;
}
bool TGameGrid::OutroRunning() const {
    return GameScreen && GameScreen->OutroRunning();
}
bool TGameGrid::IntroOrOutroRunning() const {
    return GameScreen && (GameScreen->IntroRunning() || GameScreen->OutroRunning());
}

void TGameGrid::Manage() {
    BonusUsedThisFrame = 0;
    cursorTimer += Delta;
    if (!IntroOrOutroRunning()) {
        CheckMouse();
        CheckKeys();
        if (KeyCursorShown()) {
            mx = KeyX;
            my = KeyY;
        }
        for (const THUDPowerupPtr& powerup : HUDPowerups)
            powerup->Update(Delta);
    }
    MouseUpFlag = Game->Mouse->GetMb() == 0 ? 1 : 0;
    AnimatePointer();
    IntroFlash();
    RandomFlash();
    for (const TSineCounterPtr& counter : {glow1, glow2, glow3, glow4, SkullAnim})
        counter->Manage();
    magicRotation += 0.05f * Delta;
    if (magicRotation > 360) magicRotation -= 360;
    if (HUDPowerupBlockInput == 0) ManageHint();
    ManageSwap();
    ManageFlash();
    const int wasBlocked = BlockInput;
    const int busy = GemList ? GemList->Manage() : 0;
    if (!OutroRunning()) BlockInput = busy;
    if (HUDPowerupBlockInput == 0) {
        DropGems();
        if (SwapCounter > 0) BlockInput = 1;
        if (!OutroRunning() && wasBlocked == 1 && BlockInput == 0) {
            // The board has just come to rest.
            CheckLevelEnd();
            CheckNoMoreMoves();
        }
    }
}

void TGameGrid::MoveBoardDown(float distance) {
    for (int x = 0; x < levelwidth; ++x)
        for (int y = 0; y < levelheight; ++y)
            if (Cells[x][y]) Cells[x][y]->sy += distance;
    for (int i = 0; i < BorderCount; ++i)
        if (Borders[i]) Borders[i]->y += distance;
    for (int i = 0; i < ExtraBorderCount; ++i)
        if (ExtraBorders[i]) ExtraBorders[i]->y += distance;
}
