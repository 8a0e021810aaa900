// The board of one level: the level file, the cells and borders, the mouse,
// swapping, matching, falling, refill, move search, hints and flashes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "board/Cell.h"
#include "board/Gem.h"
#include "board/Powerups.h"
#include "media/Animation.h"
#include "media/GameImage.h"
#include "media/Sound.h"
#include "ui/Repeat.h"

class THUDPowerup;
class TSprite;

class TGameGrid {
  public:
    TGameGrid();

    float alpha = 1;
    int cx = -1, cy = -1;
    int dx = -1, dy = -1;
    int levelwidth = 0, levelheight = 0;
    int mx = -1, my = -1;
    int sx = 0, sy = 0;
    float topY = 0;
    float yacc = 0;
    float cursorTimer = 0;
    int Rocks = 0;
    int Gold = 0;
    int Armoured = 0;
    int EggCount = 0;
    int GoalArmour = 0, GoalCollect = 0, GoalRock = 0, GoalMatches = 0, GoalMatchesType = 0;
    std::string LevelName;
    int Locked = 0;
    int TargetMet = 0;
    float TimeLimit = 0;
    int HUDPowerupBlockInput = 0;
    int BonusPower = 1;
    int DiagonalMoves = 0;
    int BonusUsedThisFrame = 0;
    int TotalMatchesCount = 0;
    int HUDPowerDragging = 0;
    int ChainedBonuses = 0;
    int BlockInput = 0;
    int Mode = 0;
    int MouseUpFlag = 1;
    int PointerAnimated = 0;
    float PointerAnimCounter = 0, PointerAnimCounterStored = 0;
    int PointerAnimLength = 0;
    std::shared_ptr<THUDPowerup> PointerGemType, PointerGemTypeStored;
    int FailedMove = 0;
    float SwapCounter = 0;
    TGemPtr SwapDest, SwapSource;
    float SwapTime = 200;
    TSineCounterPtr glow1, glow2, glow3, glow4, SkullAnim;
    float magicRotation = 0;
    int Exploded = 0;
    int JiggleDirection = 0;
    float JiggleMax = 4, JiggleOffset = 0;
    int DebugX = -1, DebugY = -1;
    float HintCounter = 0;
    int HintCurrent = 1;
    int HintGemType = 0;
    float HintLength = 2000;
    int HintX = -1, HintY = -1;
    TGameImagePtr BonusHighlightMidImage, CursorImage, MagicHighlightImage;
    TGameSoundPtr ClickSound, ClickReverseSound, InvalidSound, SwapSound, FailedSound,
        MatchOverTileSound, MatchOverArmour2Sound, MatchNoArmourSound, LockedSound, RockedSound,
        UnlockSound, ExplodeSound, HorizontalBombSound, VerticalBombSound, UnRockSound1,
        UnRockSound2, GoldCoinSound, GoldBagSound, HUDChargeSound, LandSound, MagicSound, HintSound,
        InvalidBonusSound, CrossBombSound, DiagonalBombSound, DiagonalBomb2Sound,
        CrossDiagBombSound;
    float MatchPitch = 0.8f;
    int IntroColumn = 0;
    float IntroCounter = 0, IntroLimit = 50;
    float FallCounter = 0;
    int DropGemsFlag = 1, MoveNeedsMatchFlag = 1, MakeNewGems = 1;

    // ---- set-up and level file ----
    static std::shared_ptr<TGameGrid> Create();
    void Kill() {}

    // ---- the powerups on the board ----
    // Holds the powerup on the pointer (its picture beside it); restore 1
    // continues the pointer's bob where a menu left it.
    void SetBonusPointer(const std::shared_ptr<THUDPowerup>& powerup, int restore);
    // The plain pointer again, nothing held.
    void RestorePointer();
    void AnimatePointer();
    // While a menu is open: 2 puts the held powerup aside (and shows the
    // plain pointer), 3 holds it again.
    void TogglePointer(int mode);
    // The six slots below the board.
    void DrawHUDPowers();
    // The held powerups' areas around (x, y) at lvl 0, 1 or 2 (levels 1 to 3),
    // and their use there.
    THUDPowerInfoList GetStakePoints(int x, int y, int lvl);
    THUDPowerInfoList GetHammerPoints(int x, int y, int lvl);
    THUDPowerInfoList GetBroomPoints(int x, int y, int lvl);
    void UseStake(int x, int y, int lvl);
    void UseHammer(int x, int y, int lvl);
    void UseBroom(int x, int y, int lvl);
    // The whole board (cells and border pieces) moves down: the level's end.
    void MoveBoardDown(float distance);
    void Init();
    void InitSounds();
    void SetBonusGlowNormal();
    void LoadLevel(int level);
    // Reads a level from text (the file's content); path names it in errors.
    void LoadLevelFromText(const std::string& text);
    void Clear();
    void ClearGrid();
    void ClearBorderArray();
    void CreateCells();
    void Centre();
    void CalcTopRowY();
    void CalcBorder();
    void AddBorder(float x, float y, int index);
    void AddBorderExtra(int kind, int gridX, int gridY);

    // ---- keyboard and controller ----
    // The cursor's cell (placed on the board's first cell when first shown)
    // and the powerup slot the shoulder buttons chose (-1: none).
    int KeyX = -1, KeyY = -1;
    int SlotFocus = -1;
    // One step of the keys: the arrows (d-pad, stick) move the cursor, or
    // swap the picked gem that way; Enter, Space (A) pick, swap back out or
    // drop a held powerup like a click on the cursor's cell; 1 to 6 take a
    // powerup as a click on its slot; the shoulder buttons choose a slot for
    // A; B lets go of the pick, the held powerup or the chosen slot.
    void CheckKeys();
    // The cursor shows (a key or controller button used since the mouse
    // last moved) and sits on the board.
    bool KeyCursorShown() const;
    void DrawKeyCursor();
    void DrawSlotFocus();

    // ---- drawing ----
    // The frame and then what stands in it.
    void Draw();
    // The border and its shadow, under all else on the board.
    void DrawFrame();
    // The tiles, gems, marks and cursors.
    void DrawContents();
    void DrawBorder();
    void DrawBorderShadow();
    // Whether the frame stands still where the play puts it (not sliding in
    // or out, not fading), and what it is made of: two frames with the same
    // key look the same.
    bool FrameAtRest() const;
    uint64_t FrameKey() const;

    // ---- play, once per logic step ----
    void Manage();
    int CheckMouse();
    void SetCursor(int x, int y);
    void ClearCursor();
    void ClearBonus(int withSound);
    void ClearHUDCursor(int withSound);
    void StartSwap();
    void ManageSwap();
    int StopSwap();
    // Adds the rocks beside (x, y) to the list, each once: a match pass
    // cracks every rock beside it one step.
    void AddCracked(std::vector<TCell*>& list, int x, int y);
    // A swap called off: both gems back to their own cells, at rest.
    void PutSwappedGemsBack();
    void ReverseSwap();
    bool IsBonusSwap() const;
    int CheckMatches(int quiet, int includeSwapping);
    void MarkMatchesHoriz(int x1, int x2, int y, int count, int quiet);
    void MarkMatchesVert(int y1, int y2, int x, int count, int quiet);
    int ProcessMatches(int quiet, int crackRocks);
    void ClearMatches();
    int GetGoalScore(int x, int y, int countArmour);
    void AwardGemScore(int x, int y, int n, int magic, int goal);
    void DeleteGem(int x, int y);

    // ---- falling, refill, move search, hints, flashes ----
    int DropGems();
    int CheckTopRow();
    void ClearTopRow();
    void CheckNoMoreMoves();
    int DoNoMoreMoves(int n);
    int DoQuickMatchHoriz(int x, int y);
    int DoQuickMatchVert(int x, int y);
    int FindRunOfThree(int x0, int y0, int alongX, int alongY, int steps, int lines);
    int StartHint();
    void ManageHint();
    void StopHint();
    void StartIntroFlash();
    void IntroFlash();
    void RandomFlash();
    void FlashColumn(int d);
    void ManageFlash();
    void ManageJiggle(float threshold);

    // ---- special tiles and bonuses (the bombs' own rules) ----
    int RemoveArmour(int x, int y, int powered);  // 1 when a layer came off
    // The cells a pumpkin bomb of this power and a garlic bomb would hit
    // (on the board; valid where the cell is active).
    THUDPowerInfoList GetBombPoints(int x, int y, int power);
    THUDPowerInfoList GetMegaPoints(int x, int y);
    void CollectEgg(const TGemPtr& gem);
    void CreateBonus(int x, int y, int size);
    int ActivateBonus(const TGemPtr& gem, int x, int y);
    void UseCoin(const TGemPtr& gem);
    void CheckTarget();
    void CheckLevelEnd();
    int StartLevelEnd();
    int getMaxGoldAllowed();
    int getBonusGoldChance();
    int getSpawnGoldChance();
    int getBonusBagChance();
    int getSpawnBagChance();
    void UseBomb(int x, int y, int power);
    void UseHorizontalBomb(int ignored, int x, int y, int power);
    void UseVerticalBomb(int x, int y, int power);
    void UseCrossBomb(int x, int y, int power, int full);
    void UseDiagonalBomb(int x, int y, int power, int full);
    void UseCrossDiagBomb(int x, int y, int power);
    void UseMegaBomb(int x, int y, int power);
    int DestroySquare(int x, int y, int removeArmour);
    int DestroySquareSafe(int x, int y, int removeArmour);

    // Steps of CheckMove: tries the swap of (x, y) with (tx, ty).
    // Returns 1 when the search ends here (n reached, or n = 0 and found).
    int CheckMove(int x, int y, int tx, int ty, int n, int& count);

  private:
    // The steps of CheckMouse.
    void RefuseSlotPress(bool fresh);
    bool PickUpOrDragPowerup(bool held, bool fresh);
    void MouseOffBoard(bool held, bool fresh);
    void MouseOverHole(bool held);
    void ReleaseOverCell();
    int FirstPick(TCell& cell, bool fresh);
    void UseHeldPowerup();
    void CollectCoin(const TGemPtr& gem);
    int ClickSelectionAgain(TCell& cell, bool fresh);
    int SecondPick(TCell& cell);
    // A coin or bag falling through the point (x, y) is taken.
    void CollectFallingCoinAt(int px, int py);
    void MoveKeyCursor(int dx, int dy);
    void KeyPick();
    void UseSlot(int slot);
    TKeyRepeatPtr KeyRepeats[4];
    // The opening every held powerup's use shares.
    void BeginPowerup();
    // The held powerup's area over the board, valid cells green, others red.
    void DrawPowerupArea();
    // The common frame of every bomb: before and after its cells are hit.
    void BeginBomb(int& x, int& y, int power, bool showTip);
    void HitCell(int x, int y, int power, bool safe);
    void EndBomb(int x, int y, int trigger, int power);
    bool GameOverCountdown() const;
    bool IntroOrOutroRunning() const;
    bool OutroRunning() const;
    void StartFalling(int x, int y);
    void LandGem(const TGemPtr& gem, int column, int row);
    void FinishSwapSuccess();
    void ReleasePending(TGem& gem, int fromRow);
    bool CanMatch(const TCell* cell, int includeSwapping) const;
    int TypeAt(int x, int y) const;
};

using TGameGridPtr = std::shared_ptr<TGameGrid>;
extern TGameGridPtr Grid;

// Screen position of a cell's left/top edge, and back.
// Fills a new level's board until it has a move and no ready-made line
// (bounded); returns the number of fills it took.
int FillGridUntilPlayable();

int CellLeft(int column);
int CellTop(int row);
int ColumnAt(float px);
int RowAt(float py);
