#include "autoplay/Journey.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <vector>

#include "engine/Clock.h"
#include "engine/Files.h"
#include "engine/Input.h"
#include "engine/Random.h"
#include "frame/Game.h"
#include "frame/LoadingScreen.h"
#include "frame/Profile.h"
#include "play/GameScreen.h"
#include "play/LevelComplete.h"
#include "play/Player.h"
#include "progress/MapScreen.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"
#include "progress/ShopScreen.h"
#include "screens/CreditsScreen.h"
#include "screens/GameFinishedScreen.h"
#include "screens/IntroScreen.h"
#include "screens/TitleScreen.h"
#include "ui/Button.h"
#include "ui/Dialog.h"
#include "ui/DialogTextInput.h"

namespace {

constexpr int kStepMs = 5;
constexpr int kStepsPerSecond = 1000 / kStepMs;
// A screen or dialog not left within a minute of game time is a dead end.
constexpr long kScreenLimitSteps = 60L * kStepsPerSecond;
// A level lost this often in a row ends the journey.
constexpr int kTries = 10;
const char* const kPlayerName = "Journey";

bool Open(const TDialogPtr& dialog) {
    return dialog && dialog->Active && dialog->Transitioning == TDialog::NOT_TRANSITIONING;
}

bool At(const TScreenPtr& screen) {
    return Game->CurrentTScreen == screen && !Game->Fading();
}

int PurchasedCount() {
    int count = 0;
    for (int id = 1; id <= SHOP_ITEM_COUNT; ++id)
        count += SaveData->GetShopItemStatus(id) == ShopItem::PURCHASED;
    return count;
}

}  // namespace

Journey::Journey(JourneyOptions options) : options_(std::move(options)), player_(options_.player) {}

// ---------------------------------------------------------------- input and time

bool Journey::Step() {
    return failure_.empty() && player_.Step(steps_) ? true : Fail(steps_.problem);
}

bool Journey::StepUntil(const std::function<bool()>& done, const std::string& waitingFor) {
    for (long step = 0; step < kScreenLimitSteps; ++step) {
        if (done()) return true;
        if (!Step()) return false;
    }
    return done() || Fail("stuck for a minute of game time waiting for " + waitingFor);
}

void Journey::Press(const char* key) {
    InjectKeyEvent(key, true);
    Step();
    InjectKeyEvent(key, false);
    Step();
}

void Journey::Type(const std::string& text) {
    for (char letter : text) {
        InjectTextEvent(std::string(1, letter));
        Step();
    }
}

void Journey::ClickAt(float x, float y) {
    player_.ClickAt(x, y, steps_);
}

void Journey::Shot(const std::string& name) {
    const std::string& folder = options_.player.shotsFolder;
    if (folder.empty() || FileSize(folder + "/" + name + ".png") >= 0) return;
    player_.SaveShot(name);
}

bool Journey::Fail(const std::string& why) {
    if (!failure_.empty()) return false;
    failure_ = why.empty() ? "the game failed" : why;
    if (Game) player_.SaveShot("failure");  // what the screen showed
    return false;
}

// ---------------------------------------------------------------- the screens

bool Journey::ThroughTheTitle() {
    // The loading screen waits for a click once it has loaded.
    InjectMouseButton(1, true, 500, 500);
    InjectMouseButton(1, false, 500, 500);
    if (!StepUntil([] { return At(TitleScreen); }, "the title")) return false;
    if (TDialogTextInputPtr entry = TitleScreen->EnterName) {
        if (!StepUntil([&] { return Open(entry); }, "the name entry")) return false;
        Type(kPlayerName);
        Shot("title-name-entry");
        Press("Return");
        if (!StepUntil([&] { return Open(entry->OKClickedDialog); }, "the mode choice"))
            return false;
        Shot("title-mode-choice");
        // Relaxed play: a level ends only when no move is left.
        const TButtonPtr relaxed = entry->OKClickedDialog->FindButton("No");
        if (!relaxed) return Fail("the mode choice has no No button");
        ClickAt(relaxed->x + relaxed->w / 2.0f, relaxed->y + relaxed->h / 2.0f);
        if (!StepUntil([] { return !TitleScreen->EnterName; }, "the name entry to close"))
            return false;
    }
    if (!StepUntil([] { return At(TitleScreen) && !TitleScreen->DialogOpen(); }, "the title"))
        return false;
    Shot(options_.resumeHome.empty() ? "title-welcome" : "title-welcome-back");
    Press("Return");  // Play
    return StepUntil(
        [] { return Game->CurrentTScreen == IntroScreen || Game->CurrentTScreen == MapScreen; },
        "the intro or the map");
}

bool Journey::ThroughTheIntro() {
    if (Game->CurrentTScreen != IntroScreen) return true;
    // The whole intro, with a frame of the newspaper and of the night scene.
    for (int seconds : {3, 11}) {
        for (long step = 0; step < seconds * kStepsPerSecond / 2 && failure_.empty(); ++step)
            Step();
        if (Game->CurrentTScreen == IntroScreen) Shot("intro-" + std::to_string(seconds) + "s");
    }
    return StepUntil([] { return Game->CurrentTScreen == MapScreen; }, "the intro's end");
}

bool Journey::PlayFromTheMap(int level) {
    if (!StepUntil([] { return At(MapScreen) && !MapScreen->SlideIn->Active; }, "the map"))
        return false;
    if (MapScreen->Level != level)
        return Fail("the map stands at level " + std::to_string(MapScreen->Level) + " instead of " +
                    std::to_string(level));
    if (!DiskAgrees()) return false;
    Shot(level == 1 ? "map-first" : level == 100 ? "map-last" : "map");
    SeedRnd(options_.seed + static_cast<uint32_t>(level));
    CSrand(options_.seed + static_cast<uint32_t>(level));
    Press("Return");  // the current level
    if (!StepUntil([] { return Game->CurrentTScreen == GameScreen; }, "the level")) return false;
    if (Player->Level != level) return Fail("the map entered another level");
    // The lessons' tips are for a person: the headless player plays with
    // them switched off, as every level it plays does (with them on, its
    // moves stall in the pumpkin lesson of level 2).
    SaveData->showTips = 0;
    AutoplayLevelResult result = player_.PlayEnteredLevel(level, options_.seed, kTries);
    std::printf("%s\n", result.Json().c_str());
    std::fflush(stdout);
    if (result.result != "won")
        return Fail("level " + std::to_string(level) + ": " + result.result);
    return ThroughLevelComplete(level);
}

bool Journey::ThroughLevelComplete(int level) {
    // The tally opens over the level's last frame.
    if (!StepUntil([] { return LevelCompleteScreen->Active != TLevelCompleteScreen::HIDDEN; },
                   "the tally"))
        return false;
    const TScreenPtr here = Game->CurrentTScreen;
    bool counted = false;
    return StepUntil(
        [&] {
            if (Game->CurrentTScreen != here) return true;
            if (Game->Fading()) return false;
            if (LevelCompleteScreen->CurrentMessage) {
                if (Open(LevelCompleteScreen->CurrentMessage)) {
                    Shot("level" + std::to_string(level) + "-found");
                    Press("Return");
                }
            } else if (LevelCompleteScreen->Active == TLevelCompleteScreen::BUTTONS) {
                Shot(level == 100 ? "level-complete-last" : "level-complete");
                const TButtonPtr next = LevelCompleteScreen->Menu->FindButton("Continue");
                if (!next) return Fail("the tally has no Continue") || true;
                ClickAt(next->x + next->w / 2.0f, next->y + next->h / 2.0f);
            } else if (LevelCompleteScreen->CountDone() && !counted) {
                counted = true;
                Press("Return");
            }
            return false;
        },
        "the tally to end");
}

int Journey::NextPurchase() const {
    auto can = [](int id) { return SaveData->CanPurchaseItem(id) != 0; };
    if (Player->Unlocked == 2 && can(SHOP_PUMPKIN)) return SHOP_PUMPKIN;
    if (Player->Unlocked == 4 && can(SHOP_FIRST_COFFIN)) return SHOP_FIRST_COFFIN;
    return 0;
}

bool Journey::Buy(int id) {
    TShopScreen& shop = *ShopScreen;
    int index = -1;
    for (int i = 0; i < shop.ITEM_COUNT; ++i)
        if (shop.CurrentItems[i] == ShopItems[id]) index = i;
    if (index < 0) return Fail("item " + std::to_string(id) + " is not on sale");
    const int first = std::clamp(index - 1, 0, std::max(0, shop.ITEM_COUNT - 3));
    for (int tries = 0; shop.CurrentItem != first && tries < shop.ITEM_COUNT * 2; ++tries) {
        const TButtonPtr arrow =
            shop.ScrollMenu->FindButton(shop.CurrentItem < first ? "right" : "left");
        if (!arrow) return Fail("the shop has no arrows");
        ClickAt(arrow->x + arrow->w / 2.0f, arrow->y + arrow->h / 2.0f);
        // Clicks in quick succession are one double click to the menu.
        for (int step = 0; step < kStepsPerSecond / 2; ++step)
            Step();
    }
    if (shop.CurrentItem != first)
        return Fail("the shop's arrows do not bring item " + std::to_string(id) + " into view");
    if (!StepUntil(
            [&] {
                return std::abs(static_cast<float>(shop.CurrentItem * TShopScreen::ITEM_SPREAD) -
                                shop.ScrollOffset) < 1;
            },
            "the shop's strip to glide"))
        return false;
    const TPoint centre = shop.GetImagePos(index);
    ClickAt(static_cast<float>(centre.X), static_cast<float>(centre.Y));
    if (!StepUntil([&] { return Open(shop.PurchaseDialog); }, "the purchase dialog")) return false;
    Shot("shop-purchase");
    const TButtonPtr buy = shop.PurchaseDialog->FindButton("Buy");
    if (!buy) return Fail("item " + std::to_string(id) + " cannot be bought");
    ClickAt(buy->x + buy->w / 2.0f, buy->y + buy->h / 2.0f);
    if (!StepUntil([&] { return !shop.PurchaseDialog; }, "the purchase dialog to close"))
        return false;
    if (SaveData->GetShopItemStatus(id) != ShopItem::PURCHASED)
        return Fail("item " + std::to_string(id) + " was not sold");
    return true;
}

bool Journey::ThroughTheShop(int level) {
    if (Game->CurrentTScreen != ShopScreen) return true;
    TShopScreen& shop = *ShopScreen;
    if (!StepUntil([] { return At(ShopScreen); }, "the shop")) return false;
    // The old lady's news, once per player.
    if (shop.MessageDialog) {
        if (!StepUntil([&] { return Open(shop.MessageDialog); }, "the shop's news")) return false;
        Shot("shop-news-level" + std::to_string(level));
        Press("Return");
        if (!StepUntil([&] { return !shop.MessageDialog; }, "the news to close")) return false;
    }
    Shot("shop");
    if (const int mustBuy = NextPurchase(); mustBuy && !Buy(mustBuy)) return false;
    // Then the cheapest item the gold buys.
    int cheapest = 0;
    for (int id = 1; id <= SHOP_ITEM_COUNT; ++id) {
        if (!SaveData->CanPurchaseItem(id)) continue;
        if (!cheapest || ShopItems[id]->Cost < ShopItems[cheapest]->Cost) cheapest = id;
    }
    if (cheapest && !Buy(cheapest)) return false;
    const TButtonPtr map = shop.Menu->FindButton("map");
    if (!map) return Fail("the shop has no way to the map");
    ClickAt(map->x + map->w / 2.0f, map->y + map->h / 2.0f);
    if (Game->CurrentTScreen == ShopScreen && shop.MessageDialog)
        return Fail("the shop kept the player after the must-buy rules were met");
    return StepUntil([] { return Game->CurrentTScreen == MapScreen; }, "the map after the shop");
}

bool Journey::ThroughTheEnd() {
    if (!StepUntil([] { return At(GameFinishedScreen); }, "the game-finished screen")) return false;
    for (long step = 0; step < 2 * kStepsPerSecond && failure_.empty(); ++step)
        Step();
    Shot("game-finished-dawn");
    if (!StepUntil([] { return GameFinishedScreen->MessageRatio() >= 1; }, "the end text"))
        return false;
    Shot("game-finished-text");
    Press("Return");
    if (!StepUntil([] { return At(CreditsScreen); }, "the credits")) return false;
    for (long step = 0; step < 10 * kStepsPerSecond && failure_.empty(); ++step)
        Step();
    Shot("credits");
    Press("Return");
    if (!StepUntil([] { return At(TitleScreen); }, "the title after the credits")) return false;
    Shot("title-after-credits");
    return true;
}

// ---------------------------------------------------------------- the file on disk

bool Journey::DiskAgrees() {
    std::vector<uint8_t> onDisk;
    if (!Game->CurrentProfile || !LoadBytes(Game->CurrentProfile->Path(), onDisk))
        return Fail("no profile on disk");
    // The player as the game holds it, in the file's shape (not saved).
    TProfile expected = *Game->CurrentProfile;
    expected.Name = Player->Name;
    expected.CurrentLevel = Player->Level;
    expected.Lives = Player->Lives;
    expected.Kills = Player->TotalKills;
    expected.Score = Player->TotalScore;
    expected.TimeTaken = Player->TotalTimeTaken;
    expected.LockedLevel = Player->Unlocked + 1;
    std::vector<uint8_t> held = expected.ToBytes();
    // The bonus levels stored after the three settings are read past by the
    // game (each becomes 1), so a file may hold others: they do not count.
    const size_t bonuses = TProfile::OWN_BYTES + 3 * sizeof(int32_t);
    const size_t bonusBytes =
        sizeof(int32_t) * (SaveData->bombBonusLevels.size() + SaveData->hudBonusLevels.size());
    if (onDisk.size() == held.size() && held.size() >= bonuses + bonusBytes)
        std::copy_n(onDisk.begin() + bonuses, bonusBytes, held.begin() + bonuses);
    if (onDisk != held) {
        const auto differ = std::mismatch(onDisk.begin(), onDisk.end(), held.begin(), held.end());
        return Fail("the profile on disk disagrees with the game from byte " +
                    std::to_string(differ.first - onDisk.begin()));
    }
    return true;
}

void Journey::PrintFinalLine() {
    // The game's own view, then the file read back in its place (the
    // progress record too: the profile's hooks fill it from the file).
    const int unlocked = Player->Unlocked, gold = SaveData->GoldAvailable();
    const int bought = PurchasedCount();
    TProfile fromDisk = *Game->CurrentProfile;
    const bool read = fromDisk.Load() == 1;
    // The file holds no level past the last one.
    if (!read || fromDisk.LockedLevel != std::min(unlocked + 1, TProfile::LEVEL_COUNT + 1) ||
        SaveData->GoldAvailable() != gold || PurchasedCount() != bought)
        Fail("the profile on disk disagrees with the game (unlocked " + std::to_string(unlocked) +
             ", gold " + std::to_string(gold) + ", items bought " + std::to_string(bought) + ")");
    std::ostringstream line;
    line << "{\"journey\":\"" << (failure_.empty() ? "done" : "failed") << "\",\"player\":\""
         << fromDisk.Name << "\",\"unlocked\":" << fromDisk.LockedLevel - 1
         << ",\"level\":" << fromDisk.CurrentLevel << ",\"score\":" << fromDisk.Score
         << ",\"gold\":" << SaveData->GoldAvailable() << ",\"items_bought\":" << PurchasedCount()
         << ",\"steps\":" << steps_.steps;
    if (!failure_.empty()) line << ",\"problem\":\"" << failure_ << "\"";
    line << "}";
    std::printf("%s\n", line.str().c_str());
    std::fflush(stdout);
}

// ---------------------------------------------------------------- the journey

void Journey::Restart(int nextLevel) {
    if (Game->CurrentTScreen) Game->CurrentTScreen->Kill();
    StopHeadlessGame(true);
    std::fflush(stdout);
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string levels = std::to_string(nextLevel) + "-" + std::to_string(options_.lastLevel);
    const std::string seed = std::to_string(options_.seed);
    std::vector<std::string> args = {self,       "--journey",    levels,   "--seed",     seed,
                                     "--resume", HeadlessHome(), "--data", options_.data};
    if (!options_.player.shotsFolder.empty()) {
        args.push_back("--shots");
        args.push_back(options_.player.shotsFolder);
    }
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    execv(self.c_str(), argv.data());
    std::fprintf(stderr, "hollowmere-autoplay: could not restart itself\n");
    std::_Exit(1);
}

int Journey::Run() {
    if (!StartHeadlessGame(options_.data, options_.resumeHome)) {
        std::fprintf(stderr, "hollowmere-autoplay: the game could not start\n");
        return 1;
    }
    bool going = ThroughTheTitle() && ThroughTheIntro();
    for (int level = options_.firstLevel; going && level <= options_.lastLevel; ++level) {
        if (level == options_.restartAt && level > options_.firstLevel) {
            going = StepUntil([] { return At(MapScreen); }, "the map") && DiskAgrees();
            if (going) Restart(level);
        }
        going = PlayFromTheMap(level) && ThroughTheShop(level);
    }
    if (going && options_.lastLevel == TProfile::LEVEL_COUNT) going = ThroughTheEnd();
    if (going) going = StepUntil([] { return !Game->Fading(); }, "a still screen");
    if (Game && Game->CurrentProfile) PrintFinalLine();
    if (!failure_.empty()) std::fprintf(stderr, "hollowmere-autoplay: %s\n", failure_.c_str());
    StopHeadlessGame();
    return failure_.empty() ? 0 : 1;
}
