#include "flashing_pickup.h"

#include <gtest/gtest.h>

#include <boost/scoped_ptr.hpp>
#include <boost/shared_ptr.hpp>

#include <vector>

#include "drawn_cell.h"
#include "graphics.h"
#include "map.h"
#include "test_support.h"

namespace {

enum Look { NOTHING, NORMAL, FLASH, PUFF };

class HeartTest : public testing::Test {
 protected:
  // Which of its cells of "Glyphs" the heart drew, checked to land at its top-left.
  Look drawnLook() {
    const std::vector<BlitRecord> blits = recordBlits(graphics, [&] { heart->draw(graphics); });
    if (blits.empty()) return NOTHING;
    EXPECT_EQ(blits.size(), 1u);
    EXPECT_EQ(blits[0].destination.x, 42);
    EXPECT_EQ(blits[0].destination.y, 92);
    const SDL_Rect& source = blits[0].source;
    EXPECT_EQ(source.w, 16);
    EXPECT_EQ(source.h, 16);
    if (source.x == 32 && source.y == 80) return NORMAL;
    if (source.x == 48 && source.y == 80) return FLASH;
    if (source.x == 16 && source.y == 0) return PUFF;
    ADD_FAILURE() << "drew cell " << source.x << ", " << source.y;
    return NOTHING;
  }

  FlashingPickup& flashing() { return static_cast<FlashingPickup&>(*heart); }

  SdlVideo video;
  Graphics graphics;
  const boost::scoped_ptr<Map> map{Map::createTestMap(graphics)};
  const boost::shared_ptr<Pickup> heart{FlashingPickup::heartPickup(graphics, 100, 200)};
};

}  // namespace

TEST_F(HeartTest, GivesTwoHealthWithinItsBox) {
  EXPECT_EQ(heart->value(), 2);
  EXPECT_EQ(heart->type(), Pickup::HEALTH);
  const Rectangle box = heart->collisionRectangle();
  EXPECT_EQ(box.left, 89.0f);
  EXPECT_EQ(box.top, 192.0f);
  EXPECT_EQ(box.width, 21.0f);
  EXPECT_EQ(box.height, 19.0f);
}

TEST_F(HeartTest, FlashesFasterAsItAgesAndPuffsAwayAtTheEnd) {
  struct Case { Millis time; Millis period; Look look; };
  for (const Case& c : std::vector<Case>{{0, 400, NORMAL},
                                         {389, 390, NORMAL},
                                         {400, 390, FLASH},
                                         {4000, 300, FLASH},
                                         {6992, 225, FLASH},
                                         {7000, 75, FLASH},
                                         {7010, 75, NORMAL},
                                         {7050, 75, FLASH},
                                         {7125, 75, NOTHING},
                                         {7975, 75, FLASH},
                                         {7980, 75, PUFF}}) {
    ASSERT_TRUE(runFramesUntil(*heart, flashing().timer, c.time, *map)) << "at " << c.time;
    ASSERT_EQ(flashing().timer.currentTime(), c.time);
    EXPECT_EQ(flashing().flashPeriod, c.period) << "at " << c.time;
    EXPECT_EQ(drawnLook(), c.look) << "at " << c.time;
  }
}

TEST_F(HeartTest, ExpiresAfterEightSeconds) {
  EXPECT_TRUE(runFramesUntil(*heart, flashing().timer, 7999, *map));
  EXPECT_FALSE(runFramesUntil(*heart, flashing().timer, 8000, *map));
}

TEST_F(HeartTest, LooksLikeItsSheetCell) {
  graphics.clear();
  heart->draw(graphics);
  const SheetImage glyphs("Glyphs");
  const SDL_Rect cell{32, 80, 16, 16};
  EXPECT_TRUE(cellDrawnAt(Screen(graphics), glyphs, cell, 42, 92));
  EXPECT_GT(glyphs.visiblePixels(cell), 0);
}
