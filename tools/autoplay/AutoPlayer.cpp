#include "autoplay/AutoPlayer.h"

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <vector>

#include "board/Grid.h"
#include "board/Powerups.h"
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
#include "frame/Profile.h"
#include "frame/Timing.h"
#include "play/GameScreen.h"
#include "play/LevelComplete.h"
#include "play/Player.h"
#include "play/Tutorial.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"
#include "ui/Button.h"
#include "ui/Dialog.h"

namespace {

FakeClock g_clock;
std::string g_home;

constexpr int kStepMs = 5;
constexpr int kStepsPerSecond = 1000 / kStepMs;
// An entry row may wait this long for its gem before it counts as stuck.
constexpr long kStuckLimit = 50;
// A won level's tally banks its gold within this much game time.
constexpr long kTallyLimitSteps = 60L * kStepsPerSecond;
static_assert(kAutoplayPowerupKinds == POWERUP_COUNT);

uint32_t NextRandom(uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

// ---------------------------------------------------------------- choosing a move

using Move = AutoplayMove;

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

// What a cell taken off the board is worth to the level's goals: its armour,
// a gem of the goal colour, a rock beside it, its lock, a skull above it.
double GoalValueOfCell(int x, int y, bool besideRocksCount) {
    const TGameGrid& grid = *Grid;
    const TCell* cell = CellAt(x, y);
    if (!cell) return 0;
    double value = 0;
    if (cell->Gem && cell->Gem->GemType == grid.GoalMatchesType && Player->GetMatchesToGo() > 0)
        value += 3;
    if (grid.GoalArmour > 0) value += 3 * (cell->armour1 + cell->armour2);
    if (besideRocksCount && grid.GoalRock > 0 && RockNextTo(x, y)) value += 4;
    if (cell->Gem && cell->Gem->locked) value += 4;
    if (grid.GoalCollect > 0 && SkullAbove(x, y)) value += 3;
    return value;
}

struct LinesValue {
    double value = 0;
    double goals = 0;  // the part that serves the goals
};

// How much the lines the board now holds are worth, and serve the goals.
LinesValue ValueOfMarkedLines() {
    const TGameGrid& grid = *Grid;
    LinesValue worth;
    for (int x = 0; x < grid.levelwidth; ++x) {
        for (int y = 0; y < grid.levelheight; ++y) {
            const TCell* cell = CellAt(x, y);
            if (!cell || !cell->match) continue;
            const double goals = GoalValueOfCell(x, y, true);
            worth.value += 1 + 0.05 * y + goals;  // low lines shake more gems loose
            worth.goals += goals;
        }
    }
    return worth;
}

LinesValue ValueOfSwap(int x, int y, int tx, int ty) {
    TCell* a = CellAt(x, y);
    TCell* b = CellAt(tx, ty);
    std::swap(a->Gem, b->Gem);
    const int lines = Grid->CheckMatches(1, 0);
    const LinesValue worth = lines > 0 ? ValueOfMarkedLines() : LinesValue{};
    Grid->ClearMatches();
    std::swap(a->Gem, b->Gem);
    return worth;
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
                moves.push_back({x, y, x, y, true, money ? 8.0 : 6.0, true});
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
                const LinesValue worth = ValueOfSwap(x, y, x + dx, y + dy);
                if (worth.value > 0)
                    moves.push_back({x, y, x + dx, y + dy, false, worth.value, worth.goals > 0});
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
            0,
            false};
}

// ---------------------------------------------------------------- powerups

// The best cell for a held powerup and what its area there is worth to the
// goals (the cells it would act on).
struct Target {
    int x = -1, y = -1;
    double value = -1;
};

double AreaValue(int index, const THUDPowerInfoList& area) {
    double value = 0;
    for (const THUDPowerInfo& cell : area) {
        if (!cell.valid) continue;
        const TCell& target = *CellAt(cell.pos.X, cell.pos.Y);
        if (index == POWERUP_HAMMER) {
            value += Grid->GoalRock > 0 ? 4 * target.Gem->rocked : 1;
        } else if (index == POWERUP_BROOM) {
            value += 4 + (Grid->GoalArmour > 0 ? 3 * (target.armour1 + target.armour2) : 0);
        } else {
            value += GoalValueOfCell(cell.pos.X, cell.pos.Y, false);
        }
    }
    return value;
}

Target BestTarget(int index) {
    THUDPowerup& powerup = *HUDPowerups[index];
    Target best;
    for (int x = 0; x < Grid->levelwidth; ++x) {
        for (int y = 0; y < Grid->levelheight; ++y) {
            if (!CellActive(x, y) || !powerup.Validate(x, y)) continue;
            const double value = AreaValue(index, powerup.GetAreaOfEffect(x, y));
            if (value > best.value) best = {x, y, value};
        }
    }
    return best;
}

// The simple rule: a full powerup is used when it serves the goals. The
// stake, hammer and broom when their best cell does (the stake on armour,
// goal gems or gems over a skull; the hammer on rocks of a rock goal; the
// broom on any lock, which holds its gem and armour back); the lightning
// and crystal always; the tarot when no move serves the goals. With no move
// left, any full powerup that can act is used.
bool WorthUsing(int index, const std::vector<Move>& moves, Target& target) {
    const THUDPowerup& powerup = *HUDPowerups[index];
    if (!powerup.IsAvailable() || !powerup.IsCharged()) return false;
    const bool noMove = moves.empty();
    switch (index) {
        case POWERUP_STAKE:
            target = BestTarget(index);
            return target.x >= 0 && (target.value >= 3 || noMove);
        case POWERUP_HAMMER:
            target = BestTarget(index);
            return target.x >= 0 && ((Grid->GoalRock > 0 && Grid->Rocks > 0) || noMove);
        case POWERUP_BROOM:
            target = BestTarget(index);
            return target.x >= 0;
        case POWERUP_TAROT:
            return std::none_of(moves.begin(), moves.end(),
                                [](const Move& move) { return move.servesGoals; });
        default:
            return true;
    }
}

// ---------------------------------------------------------------- input

// Window points of a point of the 1024 x 768 game screen.
std::pair<int, int> WindowPoint(float vx, float vy) {
    if (!Game->UsingVirtualResolution)
        return {static_cast<int>(std::lround(vx)), static_cast<int>(std::lround(vy))};
    int x = 0, y = 0;
    GameToWindow(Game->View, vx, vy, x, y);
    return {x, y};
}

}  // namespace

// ---------------------------------------------------------------- the game

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

bool StartHeadlessGame(const std::string& dataPrefix, const std::string& home) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("SDL_RENDER_DRIVER", "software", 1);
    char folder[] = "/tmp/hollowmere-autoplay-XXXXXX";
    if (home.empty() && !mkdtemp(folder)) return false;
    g_home = home.empty() ? std::string(folder) : home;
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

void StopHeadlessGame(bool keepHome) {
    if (Game) ExitSequence();
    ReleaseSingleInstance();
    Game.reset();
    SetClock(nullptr);
    std::error_code ignored;
    if (!keepHome) std::filesystem::remove_all(g_home, ignored);
}

const std::string& HeadlessHome() {
    return g_home;
}

// ---------------------------------------------------------------- one level

namespace {

// What the items the player owns cost: the gold a purchase takes from the
// bank comes back here.
long OwnedItemsCost() {
    long cost = 0;
    for (int id = 1; id <= SHOP_ITEM_COUNT; ++id)
        if (SaveData->Owns(id) && ShopItems[id]) cost += std::max(0, ShopItems[id]->Cost);
    return cost;
}

}  // namespace

void AutoPlayer::OwnItemsOnSaleBy(int level) {
    for (int id = 1; id <= SHOP_ITEM_COUNT; ++id) {
        const ShopItemPtr& item = ShopItems[id];
        SaveData->shopPurchases[id] =
            item && item->LevelAvailable <= level ? ShopItem::PURCHASED : 0;
    }
}

void AutoPlayer::EnterLevel(int level, uint32_t seed, bool timed) {
    // A play starts clean, the same whatever was played before it in this
    // process: both generators seeded, the two effects that draw from them
    // on timers of their own (the pointer's sparkle trail, the full gauge's
    // sparkles) timed afresh, and the screen started anew, fading in as
    // after the map, rather than restarted.
    SeedRnd(seed);
    CSrand(seed);
    Game->Mouse->SparkleCounter = 0;
    GameScreen->GaugeParticleCounter = 0;
    Player->Level = level;
    Player->Unlocked = std::max(Player->Unlocked, level);
    SaveData->timer = timed ? 1 : 0;
    // The headless player reads no tips: none covers the board it clicks.
    SaveData->showTips = 0;
    if (Game->CurrentTScreen) Game->CurrentTScreen->Kill();
    GameScreen->PreStart();
    // Nor the one lesson that shows with the tips switched off.
    Tutorial->MagicTipShown = 1;
    // Nor the story's chapter: a level played alone is about its board, and
    // its games stay the same whether or not the level opens a chapter (the
    // journey, which enters levels from the map, reads every chapter).
    GameScreen->ShownMessage = 1;
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
    result.slowestStepMs = std::max(result.slowestStepMs, ms);
    if (going == -1) {
        result.result = "invariant";
        result.problem = "the game ended itself";
        return false;
    }
    if (options_.slowStepMs > 0 && ms > options_.slowStepMs) {
        result.result = "invariant";
        result.problem = "a logic step took " + std::to_string(ms) + " ms of CPU time";
        return false;
    }
    std::string problem = CheckBoard();
    if (problem.empty()) problem = CheckProgress();
    if (!problem.empty()) {
        result.result = "invariant";
        result.problem = problem;
        return false;
    }
    return true;
}

void AutoPlayer::BankGold(AutoplayLevelResult& result) {
    const long firstStep = result.steps;
    const auto rolledIn = [] {
        return LevelCompleteScreen->Active != TLevelCompleteScreen::HIDDEN &&
               !LevelCompleteScreen->Unroll->Active;
    };
    while (!rolledIn()) {
        if (result.steps - firstStep >= kTallyLimitSteps) {
            result.result = "invariant";
            result.problem = "the tally of a won level did not roll in within a minute";
            return;
        }
        if (!Step(result)) return;
    }
}

void AutoPlayer::RunSteps(int count, AutoplayLevelResult& result) {
    for (int i = 0; i < count && result.result.empty(); ++i)
        if (!Step(result)) return;
}

bool ChooseBoardMove(AutoplayMove& move) {
    if (!Grid) return false;
    const std::vector<Move> moves = CandidateMoves();
    double best = -1;
    for (const Move& candidate : moves) {
        if (candidate.value > best) {
            best = candidate.value;
            move = candidate;
        }
    }
    return best >= 0;
}

bool AutoPlayer::BoardAtRest() const {
    if (!Grid || !GemList || GameScreen->IntroRunning() || GameScreen->OutroRunning()) return false;
    if (GameScreen->NoMoreCounter > 0 || !Player->Alive || Game->Fading()) return false;
    if (Grid->BlockInput || Grid->SwapCounter > 0 || Grid->Mode != 0) return false;
    if (Grid->HUDPowerupBlockInput) return false;
    for (const TGemPtr& gem : *GemList)
        if (gem->dy != 0 || gem->Exploding()) return false;
    return true;
}

void AutoPlayer::Click(int column, int row, AutoplayLevelResult& result) {
    ClickAt(static_cast<float>(CellLeft(column) + HALF_CELL),
            static_cast<float>(CellTop(row) + HALF_CELL), result);
}

void AutoPlayer::ClickAt(float x, float y, AutoplayLevelResult& result) {
    const auto [px, py] = WindowPoint(x, y);
    InjectMouseMove(px, py);
    InjectMouseButton(1, true, px, py);
    RunSteps(1, result);  // the board sees a press only when it lasts a step
    InjectMouseButton(1, false, px, py);
    RunSteps(1, result);
}

bool AutoPlayer::CloseStoryMessage(int level, AutoplayLevelResult& result) {
    const TDialogOKPtr& message = GameScreen->MessageDialog;
    if (!message || !message->Active || message->Transitioning != TDialog::NOT_TRANSITIONING)
        return false;
    const TButtonPtr ok = message->FindButton("OK");
    if (!ok) return false;
    SaveShot("level" + std::to_string(level) + "-story");
    ClickAt(ok->x + ok->w / 2.0f, ok->y + ok->h / 2.0f, result);
    return true;
}

bool AutoPlayer::UsePowerup(const std::vector<Move>& moves, AutoplayLevelResult& result) {
    for (int turn = 0; turn < POWERUP_COUNT; ++turn) {
        const int index = options_.rotatePowerups ? (nextPowerup_ + turn) % POWERUP_COUNT : turn;
        Target target;
        if (!WorthUsing(index, moves, target)) continue;
        nextPowerup_ = (index + 1) % POWERUP_COUNT;
        const THUDPowerup& powerup = *HUDPowerups[index];
        const float slotX = static_cast<float>(powerup.HUDLocation.X),
                    slotY = static_cast<float>(powerup.HUDLocation.Y);
        ClickAt(slotX, slotY, result);
        if (Grid && Grid->PointerGemType) {
            Click(target.x, target.y, result);
            // Refused after all: back on its slot.
            if (Grid && Grid->PointerGemType) ClickAt(slotX, slotY, result);
        }
        ++result.powerups;
        ++result.powerupsByKind[static_cast<size_t>(index)];
        return true;
    }
    return false;
}

bool AutoPlayer::PlayMove(uint32_t& rng, bool randomMove, AutoplayLevelResult& result) {
    Move move;
    if (randomMove) {
        move = AnyNeighbourSwap(rng);
    } else {
        std::vector<Move> moves = CandidateMoves();
        if (UsePowerup(moves, result)) return true;
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
    result.mode = timed ? "timed" : "relaxed";
    const auto started = std::chrono::steady_clock::now();
    if (options_.ownEveryItem) {
        OwnItemsOnSaleBy(TProfile::LEVEL_COUNT);
    } else if (options_.ownItemsOnSale) {
        OwnItemsOnSaleBy(level);
    } else {
        SaveData->shopPurchases.fill(0);
    }
    // The items were handed over, not bought: the gold is seen afresh.
    goldWorthSeen_ = -1;
    // Each play is of the newest open level, as a first play is: it earns
    // gold, whichever levels were won before it.
    Player->Unlocked = level;
    // Every level starts with its powerups empty (or full, when asked),
    // whatever was played before.
    for (const THUDPowerupPtr& powerup : HUDPowerups) {
        powerup->CurrentCharge = 0;
        if (options_.startCharged && powerup->IsAvailable()) powerup->ChargeFully();
    }
    nextPowerup_ = 0;
    EnterLevel(level, seed, timed);
    result.goals = Player->GetGoalCount();
    PlayToTheEnd(level, seed, result);
    Finish(started, result);
    if (options_.bankWonGold && result.result == "won") BankGold(result);
    return result;
}

AutoplayLevelResult AutoPlayer::PlayEnteredLevel(int level, uint32_t seed, int tries) {
    AutoplayLevelResult result;
    result.level = level;
    result.seed = seed;
    const auto started = std::chrono::steady_clock::now();
    result.mode = SaveData->timer ? "timed" : "relaxed";
    result.goals = Player->GetGoalCount();
    for (int attempt = 1; attempt <= tries; ++attempt) {
        result.result.clear();
        PlayToTheEnd(level, seed + static_cast<uint32_t>(attempt - 1), result);
        if (result.result != "time up" && result.result != "no more moves") break;
        // The game shows the loss, then starts the level over by itself.
        while (result.result != "invariant" &&
               (GameScreen->NoMoreCounter > 0 || GameScreen->NoMore || GameScreen->TimeUp))
            if (!Step(result)) break;
        if (result.result == "invariant") break;
        if (attempt == tries) result.result = "lost " + std::to_string(tries) + " times";
    }
    Finish(started, result);
    return result;
}

void AutoPlayer::PlayToTheEnd(int level, uint32_t seed, AutoplayLevelResult& result) {
    stuckSteps_ = 0;
    bool introShot = false;
    uint32_t rng = seed * 2654435761u + 1;
    const long firstStep = result.steps;
    long nextShot = firstStep + options_.shotEverySeconds * kStepsPerSecond;
    const long thinkSteps = static_cast<long>(options_.thinkMs) * kStepsPerSecond / 1000;
    long restingSteps = 0;
    while (result.result.empty()) {
        if (result.steps - firstStep >= options_.maxSteps) {
            result.result = "step limit";
            break;
        }
        if (CloseStoryMessage(level, result)) continue;
        restingSteps = BoardAtRest() ? restingSteps + 1 : 0;
        if (restingSteps > thinkSteps) {
            const bool randomMove =
                options_.randomMoveEvery > 0 && (result.moves + 1) % options_.randomMoveEvery == 0;
            if (PlayMove(rng, randomMove, result)) ++result.moves;
            restingSteps = 0;
        }
        if (!Step(result)) break;
        if (!introShot && result.steps - firstStep >= kStepsPerSecond * 3 / 2) {
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
}

void AutoPlayer::Finish(const std::chrono::steady_clock::time_point& started,
                        AutoplayLevelResult& result) {
    result.score = Player->LevelScore;
    result.gold = Player->levelGoldCollected;
    result.goalsMet = GameScreen->Goal1Done + GameScreen->Goal2Done + GameScreen->Goal3Done +
                      GameScreen->Goal4Done;
    if (Grid && Grid->TimeLimit > 0) result.timeShare = Player->LevelTimeTaken / Grid->TimeLimit;
    result.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

// ---------------------------------------------------------------- watching the board

std::string AutoPlayer::CheckBoard() {
    if (!Grid || !GemList) return "";
    std::set<const TGem*> inCells, listed;
    for (const TGemPtr& gem : *GemList)
        listed.insert(gem.get());
    for (int x = 0; x < Grid->levelwidth; ++x) {
        for (int y = 0; y < Grid->levelheight; ++y) {
            const TCell& cell = *Cells[x][y];
            if (!cell.Gem) continue;
            const std::string where = " (cell " + std::to_string(x) + "," + std::to_string(y) + ")";
            if (!cell.active) return "a gem on an inactive cell" + where;
            if (!inCells.insert(cell.Gem.get()).second) return "one gem in two cells" + where;
            if (!listed.count(cell.Gem.get()))
                return "a cell's gem missing from the gem list" + where;
        }
    }
    // Scattered and falling-away boards at a level's end are not at rest,
    // nor gems spiralling round the tarot or dropping in with the board.
    const bool ending = GameScreen->NoMoreCounter > 0 || GameScreen->OutroRunning();
    const bool spinning = HUDPowerups[POWERUP_TAROT]->isActive != 0;
    const bool dropping = GameScreen->IntroRunning();
    bool falling = false;
    for (const TGemPtr& gem : *GemList) {
        falling = falling || gem->dy > 0;
        const bool resting =
            gem->dy == 0 && !gem->Swapping && gem->GemType != GEM_USED && !gem->Exploding();
        if (!resting || ending) continue;
        const TCell* cell = CellAt(gem->gx, gem->gy);
        const std::string where =
            " (cell " + std::to_string(gem->gx) + "," + std::to_string(gem->gy) + ")";
        if (!cell || cell->Gem != gem) return "a resting gem outside its cell" + where;
        if (spinning || dropping || gem->dx != 0) continue;
        const float placeX = static_cast<float>(CellLeft(gem->gx) + HALF_CELL + gem->IntroOffsetX);
        const float placeY = static_cast<float>(CellTop(gem->gy) + HALF_CELL + gem->IntroOffsetY);
        if (std::abs(gem->x - placeX) > 0.5f || std::abs(gem->y - placeY) > 0.5f)
            return "a resting gem away from its cell's place" + where;
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

std::string AutoPlayer::CheckProgress() {
    if (SaveData) {
        // A purchase takes its cost from the bank and adds it to the items
        // owned; nothing else may take gold.
        const long gold = SaveData->GoldAvailable();
        const long worth = gold + OwnedItemsCost();
        if (goldWorthSeen_ >= 0 && worth < goldWorthSeen_)
            return "the gold in the profile fell from " + std::to_string(goldSeen_) + " to " +
                   std::to_string(gold) + " without a purchase";
        goldWorthSeen_ = worth;
        goldSeen_ = gold;
    }
    if (Grid && Player) {
        // A board's time is set when it is loaded (the shop's extra time
        // included); while it is played, the time left only runs down.
        const float left = Player->TimeLeftMs();
        if (timedBoard_.lock() == Grid && left > timeLeftSeen_)
            return "the time left rose from " + std::to_string(timeLeftSeen_) + " ms to " +
                   std::to_string(left) + " ms";
        timedBoard_ = Grid;
        timeLeftSeen_ = left;
    }
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
    out << "{\"level\":" << level << ",\"seed\":" << seed;
    if (!mode.empty()) out << ",\"mode\":\"" << mode << "\"";
    out << ",\"result\":\"" << result << "\",\"score\":" << score << ",\"steps\":" << steps
        << ",\"moves\":" << moves << ",\"goals_met\":" << goalsMet << ",\"goals\":" << goals
        << ",\"gold\":" << gold << ",\"powerups\":" << powerups << ",\"time_share\":" << timeShare
        << ",\"wall_seconds\":" << wallSeconds << ",\"slowest_step_ms\":" << slowestStepMs;
    if (!problem.empty()) out << ",\"problem\":\"" << problem << "\"";
    out << "}";
    return out.str();
}
