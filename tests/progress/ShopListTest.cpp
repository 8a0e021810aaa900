// The strip of items on sale: which items are listed, short lists centred,
// the arrows of a long list and the glide, and the list rebuilt after a
// purchase.
#include <gtest/gtest.h>

#include <vector>

#include "engine/Input.h"
#include "frame/Game.h"
#include "progress/SaveData.h"
#include "progress/ShopFixture.h"
#include "progress/ShopItems.h"
#include "ui/Menu.h"

namespace {

class ShopListTest : public ShopTest {};

// Ink of the strip: what the frame shows there beyond the scene.
headless::InkBox StripInk(const TPixmap& shop, const TPixmap& scene, int x0, int x1, int y0) {
    headless::InkBox box;
    for (int y = y0; y < shop.Height(); ++y) {
        for (int x = x0; x <= x1; ++x) {
            const uint32_t p = shop.ReadPixel(x, y), q = scene.ReadPixel(x, y);
            if (p == q) continue;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
        }
    }
    return box;
}

TEST_F(ShopListTest, ShortListsAreCentredInTheStrip) {
    struct Case {
        int unlocked;
        std::vector<int> listed;
        std::vector<int> centres;
    };
    const std::vector<Case> cases = {
        {1, {}, {}},
        {2, {1}, {512}},
        {3, {1, 5}, {452, 572}},
        {4, {1, 5, 24}, {392, 512, 632}},
        {5, {1, 5, 18, 24}, {392, 512, 632, 752}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("highest level " + std::to_string(c.unlocked));
        Progress(c.unlocked, 0);
        Enter();
        EXPECT_EQ(Listed(), c.listed);
        EXPECT_EQ(Shop().ITEM_COUNT, static_cast<int>(c.listed.size()));
        EXPECT_EQ(Shop().CurrentItem, 0);
        for (size_t i = 0; i < c.centres.size(); ++i) {
            EXPECT_EQ(Shop().GetImagePos(static_cast<int>(i)).X, c.centres[i]) << "item " << i;
            EXPECT_EQ(Shop().GetImagePos(static_cast<int>(i)).Y, 712);
        }
        const PixmapPtr shop = ShopFrame();
        headless::SaveFrame("shop_" + std::to_string(c.listed.size()) + "_items");
        const PixmapPtr scene = SceneFrame();
        // The strip's ink lies between 332 and 692, centred on the middle
        // item for a short list.
        const headless::InkBox inside =
            StripInk(*shop, *scene, PhysicalX(332), PhysicalX(692) - 1, PhysicalY(600));
        if (c.listed.empty()) {
            EXPECT_FALSE(inside.Any()) << "an empty strip shows nothing";
        } else if (c.listed.size() < 3) {
            ASSERT_TRUE(inside.Any());
            EXPECT_NEAR(VirtualX(inside.CentreX()), 512, 3) << "centred in the strip";
        }
        ShopScreen->Kill();
    }
    // Everything on sale at once: the strip scrolls, its arrows show.
    Progress(100, 0);
    Enter();
    EXPECT_EQ(Shop().ITEM_COUNT, SHOP_ITEM_COUNT);
    const PixmapPtr shop = ShopFrame();
    headless::SaveFrame("shop_all_items");
    const PixmapPtr scene = SceneFrame();
    const TButtonPtr arrow = Shop().ScrollMenu->FindButton("left");
    EXPECT_GT(Differences(*shop, *scene, PhysicalX(arrow->x), PhysicalY(arrow->y), 20, 20), 0)
        << "the arrows show";
}

TEST_F(ShopListTest, ANothingToSellStripAndAShortListIgnoreTheArrowsAndEmptyPlaces) {
    Progress(1, 500);
    Enter();
    ASSERT_EQ(Shop().ITEM_COUNT, 0);
    const TButtonPtr right = Shop().ScrollMenu->FindButton("right");
    ASSERT_TRUE(right);
    ClickButton(*right);
    EXPECT_FALSE(right->MouseOver || right->MouseClickCounter > 0) << "no arrows to click";
    ClickAt(512, 712);
    EXPECT_EQ(Shop().CurrentItem, 0);
    EXPECT_FALSE(Shop().PurchaseDialog) << "an empty strip has nothing to click";

    ShopScreen->Kill();
    Progress(4, 500);
    Enter();
    ASSERT_EQ(Shop().ITEM_COUNT, 3);
    const PixmapPtr shop = ShopFrame();
    const PixmapPtr scene = SceneFrame();
    const TButtonPtr arrow = Shop().ScrollMenu->FindButton("right");
    EXPECT_EQ(Differences(*shop, *scene, PhysicalX(arrow->x), PhysicalY(arrow->y),
                          PhysicalX(arrow->x + arrow->w) - PhysicalX(arrow->x),
                          PhysicalY(arrow->y + arrow->h) - PhysicalY(arrow->y)),
              0)
        << "three items need no arrows";
    ClickButton(*arrow);
    EXPECT_FALSE(arrow->MouseOver || arrow->MouseClickCounter > 0)
        << "the hidden arrows take no clicks";
    EXPECT_EQ(Shop().CurrentItem, 0);
}

TEST_F(ShopListTest, TheArrowsStepThroughALongListWhichGlidesToItsPlace) {
    Progress(5, 0);  // four items
    Enter();
    ASSERT_EQ(Shop().ITEM_COUNT, 4);
    const TButtonPtr right = Shop().ScrollMenu->FindButton("right");
    const TButtonPtr left = Shop().ScrollMenu->FindButton("left");
    ASSERT_TRUE(right && left);

    ClickButton(*right);
    EXPECT_EQ(Shop().CurrentItem, 1);
    EXPECT_GT(Shop().ScrollOffset, 0) << "the strip starts to move";
    EXPECT_LT(Shop().ScrollOffset, 30) << "it glides rather than jumps";
    float last = Shop().ScrollOffset;
    for (int i = 0; i < 100; ++i) {
        Step();
        ASSERT_GT(Shop().ScrollOffset, last) << "step " << i;
        ASSERT_LE(Shop().ScrollOffset, 120.0f);
        last = Shop().ScrollOffset;
    }
    EXPECT_TRUE(StepUntil([&] { return Shop().ScrollOffset > 119.5f; }, 600));

    ClickButton(*right);
    EXPECT_EQ(Shop().CurrentItem, 1) << "the last three items are in sight";
    ClickButton(*left);
    EXPECT_EQ(Shop().CurrentItem, 0);
    ASSERT_TRUE(StepUntil([&] { return left->MouseClickCounter == 0; })) << "pressed time";
    ClickButton(*left);
    EXPECT_EQ(Shop().CurrentItem, 0);
    EXPECT_TRUE(StepUntil([&] { return Shop().ScrollOffset < 0.5f; }, 600));
}

TEST_F(ShopListTest, APurchaseRebuildsTheListAndKeepsTheLastThreeItemsInSight) {
    Progress(7, 100);  // five items: 1, 3, 5, 18, 24
    Enter();
    ASSERT_EQ(Listed(), (std::vector<int>{1, 3, 5, 18, 24}));
    const TButtonPtr right = Shop().ScrollMenu->FindButton("right");
    for (int i = 0; i < 3; ++i) {
        ClickButton(*right);
        ASSERT_TRUE(StepUntil([&] { return right->MouseClickCounter == 0; })) << "pressed time";
    }
    ASSERT_EQ(Shop().CurrentItem, 2) << "five items scroll by two at most";
    ASSERT_TRUE(StepUntil([&] { return Shop().ScrollOffset > 239.5f; }, 800));

    TPurchaseDialog& coffin = OpenItem(4);
    ASSERT_EQ(coffin.selectedItem->PurchaseID, 24);
    EXPECT_EQ(Shop().currentIDX, 4) << "the item shows pressed while its dialog is open";
    Answer(Shop().PurchaseDialog, "Buy");
    EXPECT_EQ(Listed(), (std::vector<int>{1, 3, 5, 18})) << "the bought item leaves the list";
    EXPECT_EQ(Shop().CurrentItem, 1);
    EXPECT_NEAR(Shop().ScrollOffset, 120, 2) << "it jumps there without a glide";
    EXPECT_EQ(Shop().currentIDX, -1);
}

}  // namespace

// The item under the mouse lights up: its lit plate fades in over the plain
// one, and fades out again once the mouse leaves.
TEST_F(ShopListTest, TheItemUnderTheMouseLightsUp) {
    Progress(3, 0);  // two items
    Enter();
    ASSERT_EQ(Shop().ITEM_COUNT, 2);
    for (int id = 1; id < SHOP_TABLE_SIZE; ++id) {
        const ShopItem& item = *ShopItems[id];
        EXPECT_TRUE(item.SaleOverImage && item.SaleOverImage->image)
            << item.SaleImageFile << " has its lit plate";
    }
    const TPoint second = Shop().GetImagePos(1);
    const auto grey = [&](const TPixmap& frame) {
        double sum = 0;
        int count = 0;
        for (int y = PhysicalY(second.Y - 25); y < PhysicalY(second.Y + 25); ++y) {
            for (int x = PhysicalX(second.X - 25); x < PhysicalX(second.X + 25); ++x) {
                const uint32_t p = frame.ReadPixel(x, y);
                sum += ((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255);
                ++count;
            }
        }
        return sum / (3.0 * count);
    };
    const double plain = grey(*ShopFrame());

    InjectMouseMove(PhysicalX(static_cast<float>(second.X)),
                    PhysicalY(static_cast<float>(second.Y)));
    Step(2);
    ASSERT_GT(Shop().CurrentItems[1]->GlowValue, 0.9f);
    EXPECT_LE(Shop().CurrentItems[0]->GlowValue, 0.0f) << "only the item under the mouse";
    const PixmapPtr lit = ShopFrame();
    headless::SaveFrame("shop_item_under_the_mouse");
    EXPECT_GT(grey(*lit), plain + 8) << "the item lights up";

    InjectMouseMove(PhysicalX(512), PhysicalY(300));
    EXPECT_TRUE(StepUntil([&] { return Shop().CurrentItems[1]->GlowValue <= 0; }, 600));
    EXPECT_NEAR(grey(*ShopFrame()), plain, 1) << "and goes again when the mouse leaves";
}
