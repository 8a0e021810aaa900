#include "play/LevelCompleteFixture.h"

#include "autoplay/AutoPlayer.h"
#include "board/Grid.h"
#include "engine/Files.h"
#include "frame/Game.h"
#include "frame/Profile.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/MapScreen.h"
#include "progress/ProfileStore.h"
#include "progress/ShopScreen.h"
#include "screens/GameFinishedScreen.h"
#include "support/Headless.h"
#include "support/NoStoryMessages.h"
#include "ui/Menu.h"

namespace {

// The progress record's bank in a profile file: after the player's own 440
// bytes, 3 + 7 + 6 + 41 integers.
constexpr size_t GOLD_OFFSET = 440 + 4 * (3 + 7 + 6 + 41);

int32_t IntAt(const std::vector<uint8_t>& bytes, size_t offset) {
    if (bytes.size() < offset + 4) return -1;
    return static_cast<int32_t>(bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
                                static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

}  // namespace

void LevelCompleteTest::SetUp() {
    DialogScreenTest::SetUp();
    if (HasFatalFailure()) return;
    DropStoryMessages();
    SelectProfile("Ada");
    GameScreen->GameStart();
}

void LevelCompleteTest::TearDown() {
    for (const TScreenPtr& screen : {TScreenPtr(GameScreen), TScreenPtr(MapScreen),
                                     TScreenPtr(ShopScreen), TScreenPtr(GameFinishedScreen)})
        if (Game && Game->CurrentTScreen == screen) screen->Kill();
    DialogScreenTest::TearDown();
}

void LevelCompleteTest::Win(int level, int unlocked, const std::function<void()>& during) {
    // Each level is entered as from the map: the level play screen starts afresh.
    if (Game->CurrentTScreen == GameScreen) {
        GameScreen->Kill();
        screen_->PreStart();
    }
    Player->Unlocked = unlocked;
    AutoPlayer::EnterLevel(level, 5, true);
    ASSERT_EQ(Game->CurrentTScreen, GameScreen);
    ASSERT_TRUE(StepUntil(
        [] { return !Game->Fading() && !GameScreen->IntroRunning() && !GameScreen->FadingIn; },
        1500))
        << "the level starts";
    ASSERT_EQ(Player->Level, level);
    if (during) during();
    ASSERT_TRUE(Grid->StartLevelEnd()) << "the level is won";
    ASSERT_TRUE(StepUntil([] { return Screen().Active != TLevelCompleteScreen::HIDDEN; }, 1500))
        << "the outro ends on the level-complete screen";
}

void LevelCompleteTest::WaitForRest() {
    ASSERT_TRUE(StepUntil([] {
        const TButtonPtr ok = Screen().Menu->FindButton("OK");
        return !Screen().Unroll->Active && ok && ok->Active;
    })) << "the tally comes to rest";
}

void LevelCompleteTest::WaitForCount() {
    ASSERT_TRUE(StepUntil([] { return Screen().CountDone(); }, 1000));
}

void LevelCompleteTest::RollUp() {
    WaitForCount();
    ClickAt(150, 150);
    ASSERT_TRUE(StepUntil([] { return Screen().Active == TLevelCompleteScreen::BUTTONS; }))
        << "the tally rolls away";
}

void LevelCompleteTest::Continue() {
    const TButtonPtr next = Screen().Menu->FindButton("Continue");
    ASSERT_TRUE(next && next->Active);
    ClickButton(*next);
    ASSERT_TRUE(StepUntil([] { return Game->CurrentTScreen != GameScreen && !Game->Fading(); }))
        << "the game goes on";
}

std::vector<uint8_t> LevelCompleteTest::ProfileBytes() {
    std::vector<uint8_t> bytes;
    LoadBytes(Game->CurrentProfile->Path(), bytes);
    return bytes;
}

int LevelCompleteTest::GoldOnDisk() {
    return IntAt(ProfileBytes(), GOLD_OFFSET);
}

int LevelCompleteTest::CurrentLevelOnDisk() {
    // The first integer of the file, stored scrambled.
    return IntAt(ProfileBytes(), 0) - TProfile::SCRAMBLE_BASE;
}

PixmapPtr LevelCompleteTest::Frame() {
    return DrawFrame();
}
