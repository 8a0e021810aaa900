// The title and options screens inside the whole program, headless: the
// game started in-process with a player, the screens entered as the game
// enters them, input through the system's queue, frames read back.
#pragma once

#include <string>

#include "frame/Game.h"
#include "frame/Screen.h"
#include "media/Sound.h"
#include "progress/ProfileStore.h"
#include "screens/TitleScreen.h"
#include "ui/DialogFixture.h"

class FrontEndTest : public DialogScreenTest {
  protected:
    void SetUp() override {
        DialogScreenTest::SetUp();
        // A player of an earlier run: the title's first load finds them.
        SelectProfile("Ada");
        TitleScreen->LoadSpecial(1, 0);
        ASSERT_FALSE(TitleScreen->EnterName);
    }
    void TearDown() override {
        if (Game && Game->CurrentTScreen != screen_) Game->CurrentTScreen->Kill();
        DialogScreenTest::TearDown();
    }
    // Leaves the current screen for this one, as a fade's end does, and
    // waits until it has faded in.
    void Enter(const TScreenPtr& screen) {
        Game->LastTScreen = Game->CurrentTScreen;
        Game->CurrentTScreen->Kill();
        screen->PreStart();
        ASSERT_EQ(Game->CurrentTScreen, screen);
        ASSERT_TRUE(StepUntil([] { return !Game->GameFade->Active; }));
    }
    void EnterTitle() { Enter(TitleScreen); }
    static void SilencePool() {
        for (const TGameChannelPtr& channel : *Game->Channels)
            if (channel->Channel) channel->Channel->Stop();
    }
    // A channel of the pool playing the sound, or null.
    static TGameChannelPtr Playing(const std::string& sound) {
        for (const TGameChannelPtr& channel : *Game->Channels)
            if (channel->name == sound && channel->Channel && channel->Channel->Playing())
                return channel;
        return nullptr;
    }
};
