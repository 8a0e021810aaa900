// A purchase in the shop bursts a pink ring of sparkles over the decoration
// just bought, which the shop moves and draws until it has faded.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "frame/Game.h"
#include "media/Effects.h"
#include "media/EffectsShared.h"
#include "progress/SaveData.h"
#include "progress/ShopFixture.h"
#include "progress/ShopItems.h"

namespace {

class ShopSparkleTest : public ShopTest {
  protected:
    // The brightness of a square of the shop's frame around a virtual point.
    long Light(const TPixmap& frame, float cx, float cy, int half) const {
        long sum = 0;
        for (int py = PhysicalY(cy - half); py <= PhysicalY(cy + half); ++py)
            for (int px = PhysicalX(cx - half); px <= PhysicalX(cx + half); ++px)
                if (px >= 0 && py >= 0 && px < frame.Width() && py < frame.Height()) {
                    const uint32_t p = frame.ReadPixel(px, py);
                    sum += headless::Red(p) + headless::Green(p) + headless::Blue(p);
                }
        return sum;
    }
};

TEST_F(ShopSparkleTest, APurchaseBurstsAPinkRingOverTheDecorationUntilItFades) {
    constexpr int kItem = 24;
    Progress(4, 100, {1});
    Enter();
    const std::vector<int> listed = Listed();
    int index = -1;
    for (size_t i = 0; i < listed.size(); ++i)
        if (listed[i] == kItem) index = static_cast<int>(i);
    ASSERT_GE(index, 0);
    Shop().CurrentItem = std::max(0, std::min(index, Shop().ITEM_COUNT - 3));
    Shop().ScrollOffset = static_cast<float>(Shop().CurrentItem * TShopScreen::ITEM_SPREAD);
    OpenItem(index);
    ParticleLayer(3).Clear();
    Answer(Shop().PurchaseDialog, "Buy");
    ASSERT_EQ(SaveData->GetShopItemStatus(kItem), ShopItem::PURCHASED);

    const ShopItem& item = *ShopItems[kItem];
    const float cx = std::trunc(item.Coords->X + item.Image->w2 + item.centreOffsetX);
    const float cy = std::trunc(item.Coords->Y + item.Image->h2 + item.centreOffsetY);
    int rings = 0, sparkles = 0;
    float sumX = 0, sumY = 0;
    ParticleLayer(3).ForEach([&](TParticle& p) {
        if (p.image == EffectImages.RingPink) {
            ++rings;
            EXPECT_EQ(p.x, cx);
            EXPECT_EQ(p.y, cy);
        } else if (p.image == EffectImages.Sparkle) {
            ++sparkles;
            sumX += p.x;
            sumY += p.y;
        }
    });
    EXPECT_EQ(rings, 1) << "at the decoration's centre";
    ASSERT_EQ(sparkles, CountedParticles(100));
    EXPECT_NEAR(sumX / sparkles, cx, 12) << "the sparkles fly out all round it";
    EXPECT_NEAR(sumY / sparkles, cy, 12);

    Step(25);
    const PixmapPtr shown = ShopFrame();
    headless::SaveFrame("effects-shop-purchase");
    ParticleLayer(3).ForEach([](TParticle& p) { p.Hidden = 1; });
    const PixmapPtr bare = ShopFrame();
    ParticleLayer(3).ForEach([](TParticle& p) { p.Hidden = 0; });
    EXPECT_GT(Light(*shown, cx, cy, 60), Light(*bare, cx, cy, 60) * 11 / 10)
        << "the burst lights up the decoration";

    EXPECT_TRUE(StepUntil([] { return ParticleLayer(3).IsEmpty(); }, 200))
        << "gone once the ring and sparkles have faded";
}

}  // namespace
