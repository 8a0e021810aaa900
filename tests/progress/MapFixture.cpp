#include "progress/MapFixture.h"

#include "engine/Files.h"
#include "engine/Input.h"
#include "frame/Game.h"
#include "frame/Profile.h"
#include "media/Sound.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/MapScreen.h"
#include "progress/ProfileStore.h"
#include "progress/ShopScreen.h"

void MapTest::SetUp() {
    DialogScreenTest::SetUp();
    if (HasFatalFailure()) return;
    SelectProfile("Ada");
    GameScreen->GameStart();
}

void MapTest::TearDown() {
    for (const TScreenPtr& screen : {TScreenPtr(MapScreen), TScreenPtr(ShopScreen)})
        if (Game && Game->CurrentTScreen == screen) screen->Kill();
    DialogScreenTest::TearDown();
}

void MapTest::Open(int unlocked, int level) {
    Player->Unlocked = unlocked;
    Player->Level = level;
    PointAt(ScreenWidth / 2.0f, 300);
    Game->CurrentTScreen->Kill();
    MapScreen->PreStart();
    ASSERT_EQ(Game->CurrentTScreen, MapScreen);
    ASSERT_TRUE(StepUntil([] { return MapAtRest(); }));
}

TAccuratePoint MapTest::OnScreen(int level) {
    const TAccuratePoint& dot = MapScreen->Coords[level - 1];
    TAccuratePoint at;
    at.Set(dot.X + MapScreen->ScrollX, dot.Y + MapScreen->ScrollY + MapScreen->YOffset);
    return at;
}

void MapTest::PointAt(float x, float y) {
    InjectMouseMove(PhysicalX(x), PhysicalY(y));
    Step();
}

void MapTest::ClickDot(int level) {
    const TAccuratePoint at = OnScreen(level);
    // Away from the edges, where the map would scroll under the pointer.
    ASSERT_TRUE(at.X > TMapScreen::EDGE_BAND && at.X < ScreenWidth - TMapScreen::EDGE_BAND &&
                at.Y > TMapScreen::EDGE_BAND && at.Y < ScreenHeight - TMapScreen::EDGE_BAND)
        << "level " << level << " at " << at.X << ", " << at.Y;
    ClickAt(at.X, at.Y);
}

int MapTest::Playing(const std::string& sound) {
    int count = 0;
    for (const TGameChannelPtr& channel : *Game->Channels)
        count += channel->name == sound && channel->Channel && channel->Channel->Playing();
    return count;
}

std::vector<uint8_t> MapTest::ProfileBytes() {
    std::vector<uint8_t> bytes;
    LoadBytes(Game->CurrentProfile->Path(), bytes);
    return bytes;
}

void MapTest::CancelLeaving() {
    Game->GameFade->Finish();
    Game->GameFade->GetDone();
}

bool MapTest::MapAtRest() {
    return Game->CurrentTScreen == MapScreen && !Game->Fading() && !MapScreen->SlideIn->Active;
}

bool MapTest::ReachLevel(int level) {
    return StepUntil([&] { return Game->CurrentTScreen == GameScreen && Player->Level == level; },
                     600);
}
