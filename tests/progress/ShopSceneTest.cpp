// The haunted house: every decoration bought is drawn at its own place, a
// better version in a replacement chain hides the plain one while the
// pairs add up, and the two pieces of scenery are there from the start.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Graphics.h"
#include "frame/Game.h"
#include "progress/SaveData.h"
#include "progress/ShopFixture.h"

namespace {

class ShopSceneTest : public ShopTest {
  protected:
    void Own(const std::vector<int>& ids) {
        SaveData->shopPurchases.fill(ShopItem::UNAVAILABLE);
        for (int id : ids)
            SaveData->shopPurchases[id] = ShopItem::PURCHASED;
    }
    PixmapPtr SceneOwning(const std::vector<int>& ids) {
        Own(ids);
        return SceneFrame();
    }
    // The physical box of the frame's pixels that differ from another frame.
    headless::InkBox Changed(const TPixmap& a, const TPixmap& b) {
        headless::InkBox box;
        for (int y = 0; y < a.Height(); ++y) {
            for (int x = 0; x < a.Width(); ++x) {
                if (Differences(a, b, x, y, 1, 1) == 0) continue;
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
        }
        return box;
    }
    // The rectangle of an entry's picture in the scene, in physical pixels.
    int Left(const ShopItem& item) { return PhysicalX(static_cast<float>(item.Coords->X)); }
    int Top(const ShopItem& item) { return PhysicalY(static_cast<float>(item.Coords->Y)); }
    int Width(const ShopItem& item) {
        return PhysicalX(static_cast<float>(item.Coords->X + item.Image->w)) - Left(item);
    }
    int Height(const ShopItem& item) {
        return PhysicalY(static_cast<float>(item.Coords->Y + item.Image->h)) - Top(item);
    }
};

TEST_F(ShopSceneTest, EveryDecorationBoughtIsDrawnInsideItsOwnPlace) {
    Progress(1, 0);
    Enter();
    const PixmapPtr bare = SceneOwning({});
    for (int id = 1; id <= SHOP_ITEM_COUNT; ++id) {
        SCOPED_TRACE("item " + std::to_string(id));
        const ShopItem& item = *ShopItems[id];
        const PixmapPtr owning = SceneOwning({id});
        const headless::InkBox changed = Changed(*owning, *bare);
        ASSERT_TRUE(changed.Any()) << "it shows";
        EXPECT_GE(changed.left, Left(item) - 1);
        EXPECT_GE(changed.top, Top(item) - 1);
        EXPECT_LE(changed.right, Left(item) + Width(item));
        EXPECT_LE(changed.bottom, Top(item) + Height(item));
    }
    std::vector<int> everything;
    for (int id = 1; id <= SHOP_ITEM_COUNT; ++id)
        everything.push_back(id);
    Own(everything);
    Shop().InitScrollBar();
    EXPECT_EQ(Shop().ITEM_COUNT, 0) << "nothing left to sell";
    ShopFrame();
    headless::SaveFrame("shop_everything_bought");
    Own({});
    SceneFrame();
    EXPECT_EQ(SaveData->GetShopItemStatus(2), ShopItem::UNAVAILABLE) << "drawing unlocks nothing";
}

TEST_F(ShopSceneTest, TheBestVersionOfAChainHidesThePlainOnesWhilePairsAddUp) {
    Progress(1, 0);
    Enter();
    // Chains: only the highest version bought shows.
    struct Chain {
        std::vector<int> owned;
        std::vector<int> shown;
    };
    const std::vector<Chain> chains = {
        {{18, 19}, {19}},      // cross gravestones
        {{24, 25}, {25}},      // coffins
        {{24, 25, 26}, {26}},  //
        {{27, 28, 29}, {29}},  // broomsticks
        {{30, 31}, {31}},      // curved gravestones
        {{33, 34, 35}, {35}},  // trees
        {{36, 37, 38}, {38}},  // cages
        {{20, 21}, {21}},      // wells
        {{22, 23}, {23}},      // webs
    };
    for (const Chain& chain : chains) {
        SCOPED_TRACE("owning up to item " + std::to_string(chain.owned.back()));
        const PixmapPtr all = SceneOwning(chain.owned);
        const PixmapPtr best = SceneOwning(chain.shown);
        EXPECT_EQ(Differences(*all, *best), 0) << "the plain versions are hidden";
    }
    // Pairs: the second adds a decoration to the first.
    const PixmapPtr both = SceneOwning({1, 2});
    const PixmapPtr second = SceneOwning({2});
    const ShopItem& first = *ShopItems[1];
    EXPECT_GT(Differences(*both, *second, Left(first), Top(first), Width(first), Height(first)), 50)
        << "the first pumpkin stays beside the second";
    const PixmapPtr mists = SceneOwning({11, 12});
    const PixmapPtr secondMist = SceneOwning({12});
    EXPECT_GT(Differences(*mists, *secondMist), 0) << "the second mist is drawn over the first";
}

TEST_F(ShopSceneTest, TheSceneryIsThereBeforeAnythingIsBought) {
    Progress(1, 0);
    Enter();
    const PixmapPtr scene = SceneOwning({});
    Cls();
    SetBlend(SOLIDBLEND);
    DrawImage(*Shop().Image, 0, 0, 0);
    SetBlend(ALPHABLEND);
    const PixmapPtr background = headless::ReadFrame();
    for (int id : {39, 40}) {
        SCOPED_TRACE("scenery " + std::to_string(id));
        const ShopItem& scenery = *ShopItems[id];
        EXPECT_EQ(scenery.Cost, -1);
        EXPECT_GT(Differences(*scene, *background, Left(scenery), Top(scenery), Width(scenery),
                              Height(scenery)),
                  100);
    }
    // The scenery borrows the last cage's status without ever changing a
    // status of its own or the cage's.
    Shop().InitScrollBar();
    EXPECT_EQ(SaveData->shopPurchases[38], ShopItem::UNAVAILABLE);
    EXPECT_EQ(SaveData->shopPurchases[39], 0);
    EXPECT_EQ(SaveData->shopPurchases[40], 0);
}

}  // namespace
