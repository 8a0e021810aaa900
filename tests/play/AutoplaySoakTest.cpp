// The soak's rules and plays: each rule the headless player checks every
// step stops it on a deliberately broken state and lets the game's own
// changes pass; a play is the same whatever was played before it in the
// process; and a short soak of the tool plays every level, seed and mode
// once and sums them up.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "autoplay/AutoPlayer.h"
#include "board/Grid.h"
#include "frame/Game.h"
#include "play/Player.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"
#include "support/ProgramFixture.h"

namespace {

class AutoplayRulesTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(StartUpBeforeGraphics());
        StartUpGraphicsAndLoad();
    }

    // Level 5 entered and stepped until its board has dropped in and rests.
    void EnterRestingBoard() {
        AutoPlayer::OwnItemsOnSaleBy(5);
        AutoPlayer::EnterLevel(5, 1, true);
        AutoPlayer walker{AutoplayOptions{}};
        AutoplayLevelResult steps;
        for (int step = 0; step < 1000; ++step)
            ASSERT_TRUE(walker.Step(steps)) << steps.problem;
    }

    // A plain gem resting in its cell.
    static TGemPtr RestingGem() {
        for (int x = 0; x < Grid->levelwidth; ++x)
            for (int y = 0; y < Grid->levelheight; ++y) {
                const TCell* cell = CellAt(x, y);
                if (cell && cell->Gem && cell->Gem->GemType < GEM_SKULL && cell->Gem->dy == 0)
                    return cell->Gem;
            }
        return nullptr;
    }
};

TEST_F(AutoplayRulesTest, EachRuleStopsThePlayerOnABrokenState) {
    struct Case {
        const char* broken;
        std::function<void()> breakIt;
        const char* named;  // in the player's problem
    };
    const std::vector<Case> cases = {
        {"a resting gem moved off its cell", [] { RestingGem()->x += 20; },
         "a resting gem away from its cell's place"},
        {"a cell's gem dropped from the gem list", [] { GemList->Remove(RestingGem()); },
         "a cell's gem missing from the gem list"},
        {"the gold in the profile lowered", [] { SaveData->goldCollected -= 1; },
         "the gold in the profile fell from 100 to 99 without a purchase"},
        {"the time left raised", [] { Player->LevelTimeTaken -= 200; }, "the time left rose"},
    };
    for (const Case& broken : cases) {
        SCOPED_TRACE(broken.broken);
        EnterRestingBoard();
        SaveData->goldCollected = 100;
        AutoPlayer checker{AutoplayOptions{}};
        AutoplayLevelResult result;
        ASSERT_TRUE(checker.Step(result)) << "a sound board breaks no rule: " << result.problem;
        broken.breakIt();
        EXPECT_FALSE(checker.Step(result));
        EXPECT_EQ(result.result, "invariant");
        EXPECT_NE(result.problem.find(broken.named), std::string::npos) << result.problem;
    }
}

TEST_F(AutoplayRulesTest, APurchaseAndANewBoardBreakNoRule) {
    EnterRestingBoard();
    SaveData->goldCollected = 100000;
    AutoPlayer checker{AutoplayOptions{}};
    AutoplayLevelResult result;
    ASSERT_TRUE(checker.Step(result)) << result.problem;
    // A purchase takes the item's cost from the bank.
    int bought = 0;
    for (int id = 1; id <= SHOP_ITEM_COUNT && !bought; ++id) {
        if (SaveData->Owns(id) || !ShopItems[id] || ShopItems[id]->Cost <= 0) continue;
        SaveData->shopPurchases[id] = ShopItem::AVAILABLE;
        if (SaveData->PurchaseItem(id)) bought = id;
    }
    ASSERT_NE(bought, 0) << "no item could be bought";
    EXPECT_EQ(SaveData->goldCollected, 100000 - ShopItems[bought]->Cost);
    EXPECT_TRUE(checker.Step(result)) << result.problem;
    // A new board has its whole time again.
    for (int step = 0; step < 400; ++step)
        ASSERT_TRUE(checker.Step(result)) << result.problem;
    const float before = Player->TimeLeftMs();
    AutoPlayer::EnterLevel(6, 1, true);
    EXPECT_GT(Player->TimeLeftMs(), before);
    EXPECT_TRUE(checker.Step(result)) << result.problem;
}

TEST_F(AutoplayRulesTest, APlayIsTheSameWhateverWasPlayedBeforeIt) {
    AutoPlayer player{AutoplayOptions{}};
    const AutoplayLevelResult first = player.PlayLevel(1, 1, true);
    player.PlayLevel(2, 2, false);
    const AutoplayLevelResult again = player.PlayLevel(1, 1, true);
    EXPECT_EQ(again.steps, first.steps) << first.Json() << "\n" << again.Json();
    EXPECT_EQ(again.moves, first.moves);
    EXPECT_EQ(again.score, first.score);
}

// The tool's soak of three levels (the last two with coins, whose gold the
// tallies bank), one seed, both modes.
TEST(AutoplaySoakTest, AShortSoakPlaysEachLevelAndModeOnceAndSumsThemUp) {
    const std::string data = HOLLOWMERE_DATA_DIR;
    const std::string prefix = data.substr(0, data.find_last_of('/') + 1);
    const std::string command = std::string(HOLLOWMERE_AUTOPLAY) +
                                " --soak --levels 7-9 --seeds 1 --data '" + prefix + "' 2>&1";
    FILE* out = popen(command.c_str(), "r");
    ASSERT_NE(out, nullptr);
    static const std::regex play(
        R"re(^\{"level":(\d+),"seed":(\d+),"mode":"(\w+)","result":"([^"]+)".*"steps":(\d+),)re");
    static const std::regex summary(
        R"re("soak":"done".*"plays":(\d+),"wins":(\d+),"steps":(\d+),.*"violations":(\d+))re");
    std::map<std::string, int> played;
    long steps = 0, wins = 0;
    std::vector<std::string> summed;  // plays, wins, steps, violations
    std::string lines;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, out)) {
        const std::string line = buffer;
        lines += line;
        std::smatch match;
        if (std::regex_search(line, match, play)) {
            EXPECT_EQ(match[2], "1");
            ++played[match[1].str() + " " + match[3].str()];
            steps += std::stol(match[5]);
            wins += match[4] == "won";
        } else if (std::regex_search(line, match, summary)) {
            summed = {match[1], match[2], match[3], match[4]};
        }
    }
    const int status = pclose(out);
    EXPECT_EQ(status, 0) << lines;
    for (const char* level : {"7", "8", "9"})
        for (const char* mode : {"timed", "relaxed"})
            EXPECT_EQ(played[std::string(level) + " " + mode], 1) << level << " " << mode;
    ASSERT_FALSE(summed.empty()) << lines;
    EXPECT_EQ(summed[0], "6");
    EXPECT_EQ(std::stol(summed[1]), wins);
    EXPECT_EQ(std::stol(summed[2]), steps);
    EXPECT_EQ(summed[3], "0");
}

}  // namespace
