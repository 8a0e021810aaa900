// A headless player: it runs the real game (screens, board, the engine on
// the dummy video driver, silent audio, a clock that moves one logic step at
// a time), goes to the level play screen of a chosen level and plays it with
// mouse events, choosing moves from the board's own rules with a preference
// for the level's goals. It watches the board and the player's progress
// after every step.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TGameGrid;

// The six HUD powerups, counted by kind in the order of the slots.
constexpr int kAutoplayPowerupKinds = 6;

struct AutoplayLevelResult {
    int level = 0;
    uint32_t seed = 0;
    std::string result;  // "won", "time up", "no more moves", "step limit", "invariant"
    int score = 0;
    long steps = 0;
    int moves = 0;
    std::string mode;  // "timed" or "relaxed"
    int powerups = 0;  // full powerups used (counted among the moves)
    std::array<int, kAutoplayPowerupKinds> powerupsByKind{};
    int goalsMet = 0;
    int goals = 0;
    int gold = 0;
    double wallSeconds = 0;
    double slowestStepMs = 0;  // CPU time of the slowest logic step
    double timeShare = 0;      // share of the level's time limit used
    std::string problem;       // what broke, for "invariant"

    std::string Json() const;
};

// A move the player may make: a swap, or a bonus clicked where it stands.
struct AutoplayMove {
    int x = 0, y = 0, tx = 0, ty = 0;
    bool fire = false;  // a bomb, coin or bag clicked where it stands
    double value = 0;
    bool servesGoals = false;  // some of its value is the level's goals'
};

// The best swap or bomb on the board of the level in play, as the player
// chooses it (powerups aside); false when there is none. Lets another player
// (the keyboard's test) make the player's moves its own way.
bool ChooseBoardMove(AutoplayMove& move);

struct AutoplayOptions {
    long maxSteps = 400000;   // logic steps per level (5 ms each)
    std::string shotsFolder;  // "" for none
    int shotEverySeconds = 10;
    // A logic step using more CPU time than this breaks an invariant (CPU time,
    // not wall time: a busy machine slows the wall clock, not the step's work);
    // 0 checks nothing. Off unless asked for: on a virtual machine a thread's
    // CPU clock also runs while the host lends its core elsewhere, so the
    // figure is a measurement to report, not a rule of the game.
    double slowStepMs = 0;
    // Every n-th move is a random swap instead of the best one (0: never).
    int randomMoveEvery = 0;
    // The player owns every shop item on sale by the level played (else none):
    // bombs, more time and gold, and the powerups with their levels. Each
    // level starts with the powerups empty; they fill from freed magic gems
    // and a full one is used when it serves the goals.
    bool ownItemsOnSale = true;
    // The player owns every shop item instead: each powerup at its full
    // level, every bomb, the extra time and gold.
    bool ownEveryItem = false;
    // A won level is played on until its tally has rolled in, banked the
    // level's gold and saved the profile, as the game does before the map.
    bool bankWonGold = false;
    // The full powerups worth using are tried in turn, starting after the
    // one used last, instead of always from the first slot: the slots that
    // need the most charge get their turn too.
    bool rotatePowerups = false;
    // Each level starts with every powerup owned full, so each is used as
    // soon as it serves.
    bool startCharged = false;
    // How long the player looks at a board at rest before making a move: 0
    // plays at machine speed, about 1500 at a casual player's pace.
    int thinkMs = 0;
};

// CPU time the calling thread has used, in milliseconds: what a logic step
// costs, which does not grow while other programs share the machine.
double ThreadCpuMs();

// Starts the game headless with its data under dataPrefix (the folder that
// holds Data/) and its per-user files in a folder of its own, or in `home`
// when given (a game carried on from an earlier process). False when the
// game could not start.
bool StartHeadlessGame(const std::string& dataPrefix, const std::string& home = "");
// Ends what StartHeadlessGame started; the per-user folder is removed unless
// `keepHome` (another process carries the game on).
void StopHeadlessGame(bool keepHome = false);
// The per-user folder of the running game.
const std::string& HeadlessHome();

class AutoPlayer {
  public:
    explicit AutoPlayer(AutoplayOptions options) : options_(std::move(options)) {}
    // Plays one level from its start to its end (won, lost or the step limit).
    AutoplayLevelResult PlayLevel(int level, uint32_t seed, bool timed);
    // Plays the level the map has entered to its win: a lost level is played
    // again as the game restarts it, up to `tries` times in all. The result
    // is "won", or what ended the last try.
    AutoplayLevelResult PlayEnteredLevel(int level, uint32_t seed, int tries);
    // Goes to the level play screen at this level (seeding the game's random
    // numbers), as the map would.
    static void EnterLevel(int level, uint32_t seed, bool timed);
    // Owns every shop item that is on sale by this level, and no other.
    static void OwnItemsOnSaleBy(int level);
    // One logic step of the game, then every rule checked: false when the
    // game ended itself or a rule broke (result says which, as "invariant").
    // The rules: the board's (every gem in at most one active cell, every
    // gem of a cell in the gem list, every resting gem in its own cell and
    // at its place, no entry row stuck), the gold in the profile never
    // falling except by what a purchase costs, the time left on one board
    // never rising.
    bool Step(AutoplayLevelResult& result);

  private:
    friend class Journey;
    // Plays on from where the level stands until it ends (won, lost, the
    // step limit or an invariant).
    void PlayToTheEnd(int level, uint32_t seed, AutoplayLevelResult& result);
    void Finish(const std::chrono::steady_clock::time_point& started, AutoplayLevelResult& result);
    bool BoardAtRest() const;
    // Clicks OK on the level's story message once it is open (a frame of it
    // saved first); true when it clicked.
    bool CloseStoryMessage(int level, AutoplayLevelResult& result);
    bool PlayMove(uint32_t& rng, bool randomMove, AutoplayLevelResult& result);
    // Uses the first full powerup worth using now; true when one was used.
    bool UsePowerup(const std::vector<AutoplayMove>& moves, AutoplayLevelResult& result);
    void Click(int column, int row, AutoplayLevelResult& result);
    // A click at a point of the 1024 x 768 game screen.
    void ClickAt(float x, float y, AutoplayLevelResult& result);
    void RunSteps(int count, AutoplayLevelResult& result);
    // Steps a won level on until its tally has banked the gold.
    void BankGold(AutoplayLevelResult& result);
    std::string CheckBoard();
    std::string CheckProgress();
    void SaveShot(const std::string& name);
    std::string EndedAs() const;

    AutoplayOptions options_;
    long stuckSteps_ = 0;
    int shotCount_ = 0;
    int nextPowerup_ = 0;  // the slot tried first when the powerups rotate
    // The profile's gold with what its items cost, and the gold alone, at
    // the last step (-1: not seen yet).
    long goldWorthSeen_ = -1, goldSeen_ = 0;
    // The board whose time left was seen at the last step, and that time.
    std::weak_ptr<TGameGrid> timedBoard_;
    float timeLeftSeen_ = 0;
};
