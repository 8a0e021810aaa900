#include "progress/ShopFixture.h"

#include <algorithm>
#include <cstdlib>

#include "engine/Graphics.h"
#include "frame/Game.h"
#include "frame/Timing.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/ProfileStore.h"
#include "progress/SaveData.h"
#include "ui/Menu.h"

void ShopTest::SetUp() {
    DialogScreenTest::SetUp();
    if (HasFatalFailure()) return;
    screen_->Kill();
    screen_.reset();
    savedTutorial_ = Tutorial;
    tutorial_ = std::make_shared<RecordingTutorial>();
    Tutorial = tutorial_;
    SelectProfile("Shopper");
    ASSERT_TRUE(Game->CurrentProfile);
}

void ShopTest::TearDown() {
    ShopScreen->Kill();
    Tutorial = savedTutorial_;
    DialogScreenTest::TearDown();
}

void ShopTest::Progress(int unlocked, int gold, std::initializer_list<int> owned) {
    Player->Unlocked = Player->Level = unlocked;
    SaveData->goldCollected = gold;
    for (int id : owned)
        SaveData->shopPurchases[id] = ShopItem::PURCHASED;
}

void ShopTest::Enter() {
    // As a won level leads there: the level play screen was the last one.
    Game->LastTScreen = GameScreen;
    ShopScreen->PreStart();
    ASSERT_EQ(Game->CurrentTScreen, ShopScreen);
    ASSERT_TRUE(StepUntil([] { return !Game->GameFade->Active; })) << "the shop fades in";
}

void ShopTest::Click(const TMenuPtr& menu, const std::string& button) {
    ASSERT_TRUE(menu);
    const TButtonPtr found = menu->FindButton(button);
    ASSERT_TRUE(found) << button;
    ClickButton(*found);
}

void ShopTest::ClickItem(int index) {
    const TPoint centre = Shop().GetImagePos(index);
    ClickAt(static_cast<float>(centre.X), static_cast<float>(centre.Y));
}

TPurchaseDialog& ShopTest::OpenItem(int index) {
    ClickItem(index);
    EXPECT_TRUE(Shop().PurchaseDialog) << "item " << index << " opens its dialog";
    if (!Shop().PurchaseDialog) throw std::runtime_error("no purchase dialog");
    EXPECT_TRUE(WaitUntilOpen(Shop().PurchaseDialog));
    return *Shop().PurchaseDialog;
}

void ShopTest::Answer(const TDialogPtr& dialog, const std::string& button) {
    ASSERT_TRUE(dialog);
    const TButtonPtr found = dialog->FindButton(button);
    ASSERT_TRUE(found) << button;
    ClickButton(*found);
    EXPECT_TRUE(StepUntil([&] { return !dialog->Active; })) << "the dialog closes";
    Step();
}

PixmapPtr ShopTest::ShopFrame() {
    Cls();
    Shop().Draw();
    return headless::ReadFrame();
}

PixmapPtr ShopTest::SceneFrame() {
    Cls();
    Shop().DrawScene();
    return headless::ReadFrame();
}

std::vector<int> ShopTest::Listed() const {
    std::vector<int> ids;
    for (const ShopItemPtr& item : ShopScreen->CurrentItems)
        ids.push_back(item->PurchaseID);
    return ids;
}

int ShopTest::Differences(const TPixmap& a, const TPixmap& b, int x, int y, int w, int h) {
    if (w == 0) {
        x = y = 0;
        w = std::min(a.Width(), b.Width());
        h = std::min(a.Height(), b.Height());
    }
    int count = 0;
    for (int py = std::max(0, y); py < std::min({y + h, a.Height(), b.Height()}); ++py) {
        for (int px = std::max(0, x); px < std::min({x + w, a.Width(), b.Width()}); ++px) {
            const uint32_t p = a.ReadPixel(px, py), q = b.ReadPixel(px, py);
            const int change = std::abs(headless::Red(p) - headless::Red(q)) +
                               std::abs(headless::Green(p) - headless::Green(q)) +
                               std::abs(headless::Blue(p) - headless::Blue(q));
            count += change > 24;
        }
    }
    return count;
}
