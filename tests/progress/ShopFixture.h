// The shop inside the whole program, headless: a player of a chosen highest
// level, gold and purchases walks in, and input goes through the system's
// queue as a person's would. The tutorial records the calls the shop makes.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>

#include "engine/Pixmap.h"
#include "play/Tutorial.h"
#include "progress/ShopScreen.h"
#include "ui/DialogFixture.h"

class RecordingTutorial : public TTutorial {
  public:
    int fades = 0;
    int pumpkinTips = 0;
    void FadeTips() override { ++fades; }
    void ShowPumpkinTip() override { ++pumpkinTips; }
};

class ShopTest : public DialogScreenTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The player's highest level (and level), banked gold and the items
    // they already own.
    void Progress(int unlocked, int gold, std::initializer_list<int> owned = {});
    // Walks into the shop from the level play screen and waits until it
    // has faded in.
    void Enter();
    // The shop's state as the last step left it.
    TShopScreen& Shop() const { return *ShopScreen; }
    // A click on a button of one of the shop's menus.
    void Click(const TMenuPtr& menu, const std::string& button);
    // A click on list item i where it is drawn now.
    void ClickItem(int index);
    // Opens the purchase dialog of list item i and waits until it is open.
    TPurchaseDialog& OpenItem(int index);
    // A click on a button of an open dialog, then steps until it is gone.
    void Answer(const TDialogPtr& dialog, const std::string& button);
    // The frame as the shop draws it (without the pointer or the fade).
    PixmapPtr ShopFrame();
    // The bare scene: background, decorations and scenery.
    PixmapPtr SceneFrame();
    // The ids of the items listed, in order.
    std::vector<int> Listed() const;
    // Pixels that differ between two frames inside a rectangle (all when w 0).
    static int Differences(const TPixmap& a, const TPixmap& b, int x = 0, int y = 0, int w = 0,
                           int h = 0);

    std::shared_ptr<RecordingTutorial> tutorial_;

  private:
    std::shared_ptr<TTutorial> savedTutorial_;
};
