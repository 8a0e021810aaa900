// Speed of the board logic without drawing: the move search and the line
// search on a full board, and whole logic steps of a game played by a
// simple random player.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "board/Grid.h"
#include "engine/Graphics.h"
#include "engine/Random.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/SaveData.h"

namespace {

bool OpenHeadless() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (GraphicsOpen()) return true;
    SetRenderer(RendererKind::Software);
    return InitVideo() && Graphics(1024, 768, 0, 60);
}

// The game objects the board talks to, without any screen running.
class BoardWorld {
  public:
    BoardWorld() {
        Game = std::make_unique<TGame>();
        Game->FixedRateLogic->Create();
        Game->FixedRateLogic->SetDelta(1.0f);
        GameScreen = MakeScreen<TGameScreen>();
        Player = std::make_shared<TPlayer>();
        SaveData = std::make_shared<TSaveData>();
        SaveData->shopPurchases[1] = 2;  // lines of four and five make bombs
        Game->Mouse->x = Game->Mouse->y = -100;
    }
    // Puts back the game's own screen, player and save data: the benchmarks
    // that run the whole game after this one expect them.
    ~BoardWorld() {
        Grid.reset();
        GemList.reset();
        GameScreen = savedScreen_;
        Player = savedPlayer_;
        SaveData = savedSaveData_;
        Game.reset();
    }
    BoardWorld(const BoardWorld&) = delete;
    BoardWorld& operator=(const BoardWorld&) = delete;

    // A level of width x height active cells, colours 1..colours.
    void Load(int width, int height, int colours) {
        std::string text = "time=60\ngoals=0,0,0,0,0\ncolours=";
        for (int c = 1; c <= colours; ++c)
            text += (c > 1 ? "," : "") + std::to_string(c);
        text += "\nbombs=\nsize=" + std::to_string(width) + "," + std::to_string(height) +
                "\nreserved=0,0\n";
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                text += x ? ",1" : "1";
            text += "\n";
        }
        text += "locked=\n";
        GemList = std::make_shared<TGemList>();
        Grid = TGameGrid::Create();
        Grid->Init();
        Grid->LoadLevelFromText(text);
    }
    // Gems coloured along the diagonals, four colours: no line and no move.
    void PlaceDiagonals() {
        GemList = std::make_shared<TGemList>();
        for (int y = 0; y < Grid->levelheight; ++y) {
            for (int x = 0; x < Grid->levelwidth; ++x) {
                TGemPtr gem = TGem::Make(x, y, (x + y) % 4 + 1, 0);
                GemList->AddLast(gem);
                Cells[x][y]->Gem = gem;
            }
        }
    }

  private:
    std::shared_ptr<TGameScreen> savedScreen_ = GameScreen;
    std::shared_ptr<TPlayer> savedPlayer_ = Player;
    std::shared_ptr<TSaveData> savedSaveData_ = SaveData;
};

void BM_MoveSearchOnAFullBoardWithoutMoves(benchmark::State& state) {
    if (!OpenHeadless()) {
        state.SkipWithError("no video driver");
        return;
    }
    BoardWorld world;
    world.Load(13, 10, 6);
    world.PlaceDiagonals();
    if (Grid->DoNoMoreMoves(0) != 1) state.SkipWithError("the board has a move");
    for (auto _ : state)
        benchmark::DoNotOptimize(Grid->DoNoMoreMoves(0));
}
BENCHMARK(BM_MoveSearchOnAFullBoardWithoutMoves);

void BM_LineSearchOnAFullBoard(benchmark::State& state) {
    if (!OpenHeadless()) {
        state.SkipWithError("no video driver");
        return;
    }
    BoardWorld world;
    world.Load(13, 10, 6);
    world.PlaceDiagonals();
    for (auto _ : state) {
        benchmark::DoNotOptimize(Grid->CheckMatches(1, 0));
        Grid->ClearMatches();
    }
}
BENCHMARK(BM_LineSearchOnAFullBoard);

// One swap that makes a line when there is one close at hand, else any swap.
void PlayOneSwap() {
    auto clickAt = [](int x, int y) {
        Game->Mouse->x = CellLeft(x) + HALF_CELL;
        Game->Mouse->y = CellTop(y) + HALF_CELL;
        Grid->mx = x;
        Grid->my = y;
        Game->Mouse->b1 = 1;
        Game->Mouse->CalcButtonTotals();
        Grid->Manage();
        Game->Mouse->b1 = 0;
        Game->Mouse->CalcButtonTotals();
        Grid->Manage();
    };
    int x = 0, y = 0, tx = 0, ty = 0;
    for (int attempt = 0; attempt < 30; ++attempt) {
        x = RandInt(0, Grid->levelwidth - 2);
        y = RandInt(0, Grid->levelheight - 2);
        const bool right = RandInt(0, 1) == 1;
        tx = right ? x + 1 : x;
        ty = right ? y : y + 1;
        std::swap(Cells[x][y]->Gem, Cells[tx][ty]->Gem);
        const int lines = Grid->CheckMatches(1, 0);
        Grid->ClearMatches();
        std::swap(Cells[x][y]->Gem, Cells[tx][ty]->Gem);
        if (lines > 0) break;
    }
    clickAt(x, y);
    clickAt(tx, ty);
}

bool AtRest() {
    if (Grid->BlockInput || Grid->SwapCounter > 0) return false;
    for (const TGemPtr& gem : *GemList)
        if (gem->dy != 0 || gem->Exploding()) return false;
    return true;
}

void BM_HeadlessGameSteps(benchmark::State& state) {
    if (!OpenHeadless()) {
        state.SkipWithError("no video driver");
        return;
    }
    BoardWorld world;
    const int size = static_cast<int>(state.range(0));
    world.Load(size, size, 6);
    CSrand(7);
    FillGridUntilPlayable();
    int64_t steps = 0;
    for (auto _ : state) {
        if (AtRest()) {
            if (Grid->DoNoMoreMoves(0) == 1) FillGridUntilPlayable();
            PlayOneSwap();
        }
        Grid->Manage();
        ++steps;
    }
    state.counters["logic_steps_per_second"] =
        benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_HeadlessGameSteps)->Arg(9)->Arg(13);

}  // namespace
