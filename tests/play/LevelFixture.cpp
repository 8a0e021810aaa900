#include "play/LevelFixture.h"

#include <algorithm>
#include <cstring>

#include "board/Cell.h"
#include "board/Grid.h"
#include "engine/Files.h"
#include "engine/Random.h"
#include "frame/Game.h"
#include "frame/Profile.h"
#include "play/GameScreen.h"
#include "play/InGameMenu.h"
#include "play/Player.h"
#include "progress/ProfileStore.h"
#include "progress/SaveData.h"
#include "support/Headless.h"
#include "support/NoStoryMessages.h"

void LevelTest::SetUp() {
    DialogScreenTest::SetUp();
    SelectProfile("Ada");
    GameScreen->GameStart();
    DropStoryMessages();
}

void LevelTest::TearDown() {
    if (Game && Game->CurrentTScreen && Game->CurrentTScreen != screen_)
        Game->CurrentTScreen->Kill();
    InGameMenu->Kill();
    DialogScreenTest::TearDown();
}

void LevelTest::Play(int level, bool tips, bool timed) {
    SeedRnd(static_cast<uint32_t>(level));
    CSrand(static_cast<uint32_t>(level));
    Player->Level = level;
    Player->Unlocked = std::max(Player->Unlocked, level);
    SaveData->timer = timed ? 1 : 0;
    SaveData->showTips = tips ? 1 : 0;
    if (Game->CurrentTScreen) Game->CurrentTScreen->Kill();
    GameScreen->PreStart();
    ASSERT_TRUE(WaitForPlay());
}

bool LevelTest::InPlay() {
    return Game->CurrentTScreen == GameScreen && !GameScreen->IntroRunning() &&
           !GameScreen->FadingIn && !Game->Fading();
}

bool LevelTest::WaitForPlay() {
    return StepUntil([] { return InPlay(); }, 1500);
}

void LevelTest::ClickCell(int column, int row) {
    ClickAt(static_cast<float>(CellLeft(column) + HALF_CELL),
            static_cast<float>(CellTop(row) + HALF_CELL));
}

std::vector<uint8_t> LevelTest::ProfileBytes() {
    std::vector<uint8_t> bytes;
    LoadBytes(Game->CurrentProfile->Path(), bytes);
    return bytes;
}

int32_t LevelTest::ProfileInt(size_t offset) {
    const std::vector<uint8_t> bytes = ProfileBytes();
    int32_t value = 0;
    if (bytes.size() >= offset + 4) std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

void LevelTest::SaveShot(const std::string& name) {
    DrawFrame();
    headless::SaveFrame(name);
}
