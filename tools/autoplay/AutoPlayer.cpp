#include "autoplay/AutoPlayer.h"

#include <time.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <vector>

#include "board/Grid.h"
#include "engine/Clock.h"
#include "engine/Files.h"
#include "engine/Graphics.h"
#include "engine/Input.h"
#include "engine/Pixmap.h"
#include "engine/Random.h"
#include "engine/platform/Platform.h"
#include "frame/Game.h"
#include "frame/Loading.h"
#include "frame/MousePointer.h"
#include "frame/Timing.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"

namespace {

FakeClock g_clock;
std::string g_home;

constexpr int kStepMs = 5;
constexpr int kStepsPerSecond = 1000 / kStepMs;
// An entry row may wait this long for its gem before it counts as stuck.
constexpr long kStuckLimit = 50;

uint32_t NextRandom(uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

// ---------------------------------------------------------------- choosing a move

struct Move {
    int x = 0, y = 0, tx = 0, ty = 0;
    bool fire = false;  // a bomb, coin or bag clicked where it stands
    double value = 0;
};

bool Movable(const TCell* cell) {
    return cell && cell->active && cell->Gem && !cell->Gem->locked && !cell->Gem->rocked &&
           cell->Gem->GemType != GEM_USED;
}

bool RockNextTo(int x, int y) {
    for (const auto& [dx, dy] :
         {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
        const TCell* cell = CellAt(x + dx, y + dy);
        if (cell && cell->Gem && cell->Gem->rocked) return true;
    }
    return false;
}

bool SkullAbove(int x, int y) {
    for (int row = y - 1; row >= 0; --row) {
        const TCell* cell = CellAt(x, row);
        if (cell && cell->Gem && cell->Gem->GemType == GEM_SKULL) return true;
    }
    return false;
}

// How much the lines the board now holds serve the level's goals.
double ValueOfMarkedLines() {
    const TGameGrid& grid = *Grid;
    double value = 0;
    for (int x = 0; x < grid.levelwidth; ++x) {
        for (int y = 0; y < grid.levelheight; ++y) {
            const TCell* cell = CellAt(x, y);
            if (!cell || !cell->match) continue;
            value += 1 + 0.05 * y;  // low lines shake more gems loose
            if (cell->Gem && cell->Gem->GemType == grid.GoalMatchesType &&
                Player->GetMatchesToGo() > 0)
                value += 3;
            if (grid.GoalArmour > 0) value += 3 * (cell->armour1 + cell->armour2);
            if (grid.GoalRock > 0 && RockNextTo(x, y)) value += 4;
            if (cell->Gem && cell->Gem->locked) value += 4;
            if (grid.GoalCollect > 0 && SkullAbove(x, y)) value += 3;
        }
    }
    return value;
}

double ValueOfSwap(int x, int y, int tx, int ty) {
    TCell* a = CellAt(x, y);
    TCell* b = CellAt(tx, ty);
    std::swap(a->Gem, b->Gem);
    const int lines = Grid->CheckMatches(1, 0);
    const double value = lines > 0 ? ValueOfMarkedLines() : 0;
    Grid->ClearMatches();
    std::swap(a->Gem, b->Gem);
    return value;
}

std::vector<Move> CandidateMoves() {
    std::vector<Move> moves;
    const TGameGrid& grid = *Grid;
    for (int y = 0; y < grid.levelheight; ++y) {
        for (int x = 0; x < grid.levelwidth; ++x) {
            const TCell* cell = CellAt(x, y);
            if (!Movable(cell)) continue;
            const int type = cell->Gem->GemType;
            if (type > GEM_SKULL) {
                const bool money = type == GEM_COIN || type == GEM_BAG;
                moves.push_back({x, y, x, y, true, money ? 8.0 : 6.0});
                continue;
            }
            // Gem with gem once per pair; a gem into an empty cell from any side.
            for (const auto& [dx, dy] :
                 {std::pair{1, 0}, std::pair{0, 1}, std::pair{-1, 0}, std::pair{0, -1}}) {
                const TCell* target = CellAt(x + dx, y + dy);
                if (!target || !target->active) continue;
                const bool empty = !target->Gem;
                const bool forward = dx > 0 || dy > 0;
                if (!empty && (!forward || !Movable(target) || target->Gem->GemType > GEM_SKULL))
                    continue;
                const double value = ValueOfSwap(x, y, x + dx, y + dy);
                if (value > 0) moves.push_back({x, y, x + dx, y + dy, false, value});
            }
        }
    }
    return moves;
}

Move AnyNeighbourSwap(uint32_t& rng) {
    const int x = static_cast<int>(NextRandom(rng) % Grid->levelwidth);
    const int y = static_cast<int>(NextRandom(rng) % Grid->levelheight);
    const bool right = NextRandom(rng) % 2 == 0;
    return {x,
            y,
            right ? std::min(x + 1, Grid->levelwidth - 1) : x,
            right ? y : std::min(y + 1, Grid->levelheight - 1),
            false,
            0};
}

// ---------------------------------------------------------------- input

// Window pixels of a point of the 1024 x 768 game screen.
std::pair<int, int> WindowPoint(float vx, float vy) {
    return {static_cast<int>(std::lround((vx + Game->vxOff) / Game->VirtualRatioX)),
            static_cast<int>(std::lround((vy + Game->vyOff) / Game->VirtualRatioY))};
}

}  // namespace

// ---------------------------------------------------------------- the game

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

bool StartHeadlessGame(const std::string& dataPrefix) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("SDL_RENDER_DRIVER", "software", 1);
    char folder[] = "/tmp/hollowmere-autoplay-XXXXXX";
    if (!mkdtemp(folder)) return false;
    g_home = folder;
    setenv("XDG_DATA_HOME", g_home.c_str(), 1);
    // Its own single-copy lock: several players may run side by side.
    setenv("XDG_RUNTIME_DIR", g_home.c_str(), 1);
    SetClock(&g_clock);
    DataPrefixOverride =
        dataPrefix.empty() || dataPrefix.back() == '/' ? dataPrefix : dataPrefix + "/";
    ShowSplashes = false;
    if (!StartUpBeforeGraphics()) return false;
    StartUpGraphicsAndLoad();
    return true;
}

void StopHeadlessGame() {
    if (Game) ExitSequence();
    ReleaseSingleInstance();
    Game.reset();
    SetClock(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(g_home, ignored);
}

// ---------------------------------------------------------------- one level

void AutoPlayer::OwnItemsOnSaleBy(int level) {
    for (int id = 1; id <= SHOP_ITEM_COUNT; ++id) {
        const ShopItemPtr& item = ShopItems[id];
        SaveData->shopPurchases[id] =
            item && item->LevelAvailable <= level ? ShopItem::PURCHASED : 0;
    }
}

void AutoPlayer::EnterLevel(int level, uint32_t seed, bool timed) {
    SeedRnd(seed);
    CSrand(seed);
    Player->Level = level;
    Player->Unlocked = std::max(Player->Unlocked, level);
    SaveData->timer = timed ? 1 : 0;
    if (Game->CurrentTScreen != GameScreen) {
        if (Game->CurrentTScreen) Game->CurrentTScreen->Kill();
        GameScreen->PreStart();
    } else {
        GameScreen->LoadBackground();
        GameScreen->LoadMusic();
        GameScreen->RestartLevel();
    }
}

std::string AutoPlayer::EndedAs() const {
    if (GameScreen->OutroRunning()) return "won";
    if (GameScreen->TimeUp) return "time up";
    if (GameScreen->NoMore) return "no more moves";
    return "";
}

bool AutoPlayer::Step(AutoplayLevelResult& result) {
    // The game's clock moves one step's time with every step.
    if (auto* fake = dynamic_cast<FakeClock*>(&CurrentClock())) fake->Advance(kStepMs);
    const double started = ThreadCpuMs();
    Game->FixedRateLogic->SetDelta(1.0f);
    const int going = Game->LogicWrapper();
    const double ms = ThreadCpuMs() - started;
    ++result.steps;
    if (going == -1) {
        result.result = "invariant";
        result.problem = "the game ended itself";
        return false;
    }
    if (ms > options_.slowStepMs) {
        result.result = "invariant";
        result.problem = "a logic step took " + std::to_string(ms) + " ms of CPU time";
        return false;
    }
    if (std::string problem = CheckBoard(); !problem.empty()) {
        result.result = "invariant";
        result.problem = problem;
        return false;
    }
    return true;
}

void AutoPlayer::RunSteps(int count, AutoplayLevelResult& result) {
    for (int i = 0; i < count && result.result.empty(); ++i)
        if (!Step(result)) return;
}

bool AutoPlayer::BoardAtRest() const {
    if (!Grid || !GemList || GameScreen->IntroRunning() || GameScreen->OutroRunning()) return false;
    if (GameScreen->NoMoreCounter > 0 || !Player->Alive || Game->Fading()) return false;
    if (Grid->BlockInput || Grid->SwapCounter > 0 || Grid->Mode != 0) return false;
    for (const TGemPtr& gem : *GemList)
        if (gem->dy != 0 || gem->Exploding()) return false;
    return true;
}

void AutoPlayer::Click(int column, int row, AutoplayLevelResult& result) {
    const auto [px, py] = WindowPoint(CellLeft(column) + 33.0f, CellTop(row) + 33.0f);
    InjectMouseMove(px, py);
    InjectMouseButton(1, true, px, py);
    RunSteps(1, result);  // the board sees a press only when it lasts a step
    InjectMouseButton(1, false, px, py);
    RunSteps(1, result);
}

bool AutoPlayer::PlayMove(uint32_t& rng, bool randomMove, AutoplayLevelResult& result) {
    Move move;
    if (randomMove) {
        move = AnyNeighbourSwap(rng);
    } else {
        std::vector<Move> moves = CandidateMoves();
        if (moves.empty()) return false;
        double best = -1;
        for (const Move& candidate : moves) {
            // A little noise so equal moves are taken in varied order.
            const double value = candidate.value + (NextRandom(rng) % 1000) / 4000.0;
            if (value > best) {
                best = value;
                move = candidate;
            }
        }
    }
    Click(move.x, move.y, result);
    // A second click on a bomb within its double-click time fires it; a coin
    // or bag is taken by the first.
    const TCell* cell = CellAt(move.x, move.y);
    const bool stillThere = cell && cell->Gem && cell->Gem->GemType > GEM_SKULL;
    if (!move.fire) {
        Click(move.tx, move.ty, result);
    } else if (stillThere) {
        Click(move.x, move.y, result);
    }
    return true;
}

AutoplayLevelResult AutoPlayer::PlayLevel(int level, uint32_t seed, bool timed) {
    AutoplayLevelResult result;
    result.level = level;
    result.seed = seed;
    const auto started = std::chrono::steady_clock::now();
    if (options_.ownItemsOnSale) {
        OwnItemsOnSaleBy(level);
    } else {
        SaveData->shopPurchases.fill(0);
    }
    EnterLevel(level, seed, timed);
    stuckSteps_ = 0;
    result.goals = Player->GetGoalCount();
    bool introShot = false;
    uint32_t rng = seed * 2654435761u + 1;
    long nextShot = options_.shotEverySeconds * kStepsPerSecond;
    const long thinkSteps = static_cast<long>(options_.thinkMs) * kStepsPerSecond / 1000;
    long restingSteps = 0;
    while (result.result.empty()) {
        if (result.steps >= options_.maxSteps) {
            result.result = "step limit";
            break;
        }
        restingSteps = BoardAtRest() ? restingSteps + 1 : 0;
        if (restingSteps > thinkSteps) {
            const bool randomMove =
                options_.randomMoveEvery > 0 && (result.moves + 1) % options_.randomMoveEvery == 0;
            if (PlayMove(rng, randomMove, result)) ++result.moves;
            restingSteps = 0;
        }
        if (!Step(result)) break;
        if (!introShot && result.steps >= kStepsPerSecond * 3 / 2) {
            SaveShot("level" + std::to_string(level) + "-intro");  // the board dropping in
            introShot = true;
        }
        if (std::string ended = EndedAs(); !ended.empty()) result.result = ended;
        if (!options_.shotsFolder.empty() && result.steps >= nextShot) {
            SaveShot("level" + std::to_string(level) + "-" +
                     std::to_string(result.steps / kStepsPerSecond) + "s");
            nextShot += options_.shotEverySeconds * kStepsPerSecond;
        }
    }
    SaveShot("level" + std::to_string(level) + "-end");
    result.score = Player->LevelScore;
    result.gold = Player->levelGoldCollected;
    result.goalsMet = GameScreen->Goal1Done + GameScreen->Goal2Done + GameScreen->Goal3Done +
                      GameScreen->Goal4Done;
    if (Grid && Grid->TimeLimit > 0) result.timeShare = Player->LevelTimeTaken / Grid->TimeLimit;
    result.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return result;
}

// ---------------------------------------------------------------- watching the board

std::string AutoPlayer::CheckBoard() {
    if (!Grid || !GemList) return "";
    std::set<const TGem*> inCells;
    for (int x = 0; x < Grid->levelwidth; ++x) {
        for (int y = 0; y < Grid->levelheight; ++y) {
            const TCell& cell = *Cells[x][y];
            if (!cell.Gem) continue;
            if (!cell.active) return "a gem on an inactive cell";
            if (!inCells.insert(cell.Gem.get()).second) return "one gem in two cells";
        }
    }
    // Scattered and falling-away boards at a level's end are not at rest.
    const bool ending = GameScreen->NoMoreCounter > 0 || GameScreen->OutroRunning();
    bool falling = false;
    for (const TGemPtr& gem : *GemList) {
        falling = falling || gem->dy > 0;
        const bool resting =
            gem->dy == 0 && !gem->Swapping && gem->GemType != GEM_USED && !gem->Exploding();
        if (!resting || ending) continue;
        const TCell* cell = CellAt(gem->gx, gem->gy);
        if (!cell || cell->Gem != gem) return "a resting gem outside its cell";
    }
    bool pending = false;
    for (int x = 0; x < Grid->levelwidth; ++x)
        for (int k = 0; k < TopRowCount[x]; ++k) {
            if (TopRowPending[x][k] < 0) return "an entry row count below zero";
            pending = pending || TopRowPending[x][k] > 0;
        }
    stuckSteps_ = pending && !falling && !ending ? stuckSteps_ + 1 : 0;
    if (stuckSteps_ > kStuckLimit) return "an entry row is stuck";
    return "";
}

void AutoPlayer::SaveShot(const std::string& name) {
    if (options_.shotsFolder.empty()) return;
    CreateDir(options_.shotsFolder, true);
    Game->ScreenDraw();
    if (PixmapPtr frame = ReadBackBuffer()) {
        SavePixmapPNG(*frame, options_.shotsFolder + "/" + name + ".png", 1);
        ++shotCount_;
    }
}

// ---------------------------------------------------------------- output

std::string AutoplayLevelResult::Json() const {
    std::ostringstream out;
    out << "{\"level\":" << level << ",\"seed\":" << seed << ",\"result\":\"" << result
        << "\",\"score\":" << score << ",\"steps\":" << steps << ",\"moves\":" << moves
        << ",\"goals_met\":" << goalsMet << ",\"goals\":" << goals << ",\"gold\":" << gold
        << ",\"time_share\":" << timeShare << ",\"wall_seconds\":" << wallSeconds;
    if (!problem.empty()) out << ",\"problem\":\"" << problem << "\"";
    out << "}";
    return out.str();
}
