// Every way out of the game saves the current player's progress, on any
// screen: the close box, a termination signal, the quit keys and Esc to the
// exit. The next start picks the same player up where they left.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <functional>

#include "engine/Input.h"
#include "engine/platform/Platform.h"
#include "frame/Game.h"
#include "frame/LoadingScreen.h"
#include "frame/Profile.h"
#include "frame/Screen.h"
#include "progress/ProfileFixture.h"
#include "progress/ProfileStore.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"
#include "support/ProgramFixture.h"

namespace {

using ExitSavesProfileTest = ProgramTest;

// Frames until the program has ended (bounded); false when it never did.
bool RunUntilEnded() {
    for (int frame = 0; frame < 400; ++frame) {
        if (!RunFrame()) return true;
    }
    return false;
}

// Through the title, whose Enter clicks Play, and a new player's intro to
// the map.
void EnterTheMap() {
    const TScreenPtr title = Game->LoadingScreen->Destination;
    InjectMouseButton(1, true, 500, 500);
    InjectMouseButton(1, false, 500, 500);
    for (int frame = 0; frame < 200 && Game->CurrentTScreen != title; ++frame)
        ASSERT_TRUE(RunFrame());
    ASSERT_EQ(title->name, "title");
    for (int frame = 0; frame < 200 && Game->GameFade->Active; ++frame)
        ASSERT_TRUE(RunFrame());
    InjectKeyEvent("Return", true);
    InjectKeyEvent("Return", false);
    for (int frame = 0; frame < 200 && Game->CurrentTScreen->name == "title"; ++frame)
        ASSERT_TRUE(RunFrame());
    // A new player's intro, skipped with a click.
    if (Game->CurrentTScreen->name == "intro") {
        InjectMouseButton(1, true, 500, 500);
        InjectMouseButton(1, false, 500, 500);
    }
    for (int frame = 0; frame < 200 && Game->CurrentTScreen->name != "map"; ++frame)
        ASSERT_TRUE(RunFrame());
    ASSERT_EQ(Game->CurrentTScreen->name, "map");
}

TEST_F(ExitSavesProfileTest, EveryWayOutKeepsTheProgressForTheNextStart) {
    struct Way {
        const char* name;
        bool onMap;  // on the level map, else on the loading screen
        std::function<void()> leave;
    };
    const Way ways[] = {
        {"the close box on the loading screen", false, [] { InjectWindowClose(); }},
        {"a termination signal on the map", true, [] { kill(getpid(), SIGTERM); }},
        {"the quit keys on the map", true,
         [] {
             InjectKeyEvent("Left GUI", true);
             InjectKeyEvent("Q", true);
         }},
    };
    int runs = 0;
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        ASSERT_TRUE(StartUpBeforeGraphics());
        if (runs == 0) SelectProfile("Ada");
        ASSERT_TRUE(StartUpGraphicsAndLoad());
        ASSERT_NE(Game->CurrentProfile, nullptr);
        EXPECT_EQ(Game->CurrentProfile->Name, "Ada") << "the same player every start";
        EXPECT_EQ(SaveData->GoldAvailable(), 100 * runs) << "the gold of every earlier run";
        EXPECT_EQ(Game->CurrentProfile->HintsShown[runs], 0);
        for (int earlier = 0; earlier < runs; ++earlier)
            EXPECT_EQ(Game->CurrentProfile->HintsShown[earlier], 1) << "run " << earlier;
        if (way.onMap) EnterTheMap();

        // Progress made in memory only, as the shop and the map make it.
        SaveData->CollectGold(100);
        Game->CurrentProfile->HintsShown[runs] = 1;
        way.leave();
        ASSERT_TRUE(RunUntilEnded());
        ++runs;
        ReleaseSingleInstance();
        Game.reset();
    }
}

using EscToTheExitTest = ProfileTest;

// Esc on a screen that leads to the exit.
TEST_F(EscToTheExitTest, SavesTheProfile) {
    SelectProfile("Ada");
    TScreenPtr screen = MakeScreen<TScreen>();
    screen->name = "title";
    screen->Start();
    SaveData->CollectGold(55);
    InjectKeyEvent("Escape", true);
    for (int step = 0; step < 200 && !Game->InstantExit; ++step)
        Steps(1);
    ASSERT_EQ(Game->InstantExit, 1);
    SelectProfile("Ada");
    EXPECT_EQ(SaveData->GoldAvailable(), 55);
}

}  // namespace
