#include "energy_crystal_pickup.h"

#include <gtest/gtest.h>

#include <boost/scoped_ptr.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "graphics.h"
#include "map.h"
#include "test_support.h"

namespace {

// Column 6 of the test room is clear from row 10 down to the floor at y = 416.
const GameUnit kColumnSixCenter = 208.0f;
const GameUnit kFloorTop = 416.0f;

class EnergyCrystalPickupTest : public testing::Test {
 protected:
  // A crystal with the launch velocity of the test, whatever rand() says.
  void launch(EnergyCrystalPickup& crystal, Velocity x, Velocity y) {
    crystal.kinematicsX.velocity = x;
    crystal.kinematicsY.velocity = y;
  }

  std::vector<BlitRecord> drawRecorded(EnergyCrystalPickup& crystal) {
    return recordBlits(graphics, [&] { crystal.draw(graphics); });
  }

  SdlVideo video;
  Graphics graphics;
  const boost::scoped_ptr<Map> map{Map::createTestMap(graphics)};
};

}  // namespace

TEST_F(EnergyCrystalPickupTest, EachSizeHasItsValueSpriteAndBox) {
  struct Case {
    EnergyCrystalPickup::SizeType size;
    int value;
    PixelUnit sheetRow;
    GameUnit boxOffset;
    GameUnit boxSize;
  };
  for (const Case& c : std::vector<Case>{{EnergyCrystalPickup::SMALL, 1, 16, 8, 16},
                                         {EnergyCrystalPickup::MEDIUM, 5, 32, 4, 24},
                                         {EnergyCrystalPickup::LARGE, 20, 48, 0, 32}}) {
    SCOPED_TRACE(testing::Message() << "size " << c.size);
    EnergyCrystalPickup crystal(graphics, 100, 200, c.size);
    EXPECT_EQ(crystal.value(), c.value);
    EXPECT_EQ(crystal.type(), Pickup::EXPERIENCE);
    EXPECT_EQ(crystal.kinematicsX.position, 84.0f);
    EXPECT_EQ(crystal.kinematicsY.position, 184.0f);

    // The box the player collects it with is its collision box grown by the margin.
    const Rectangle box = crystal.collisionRectangle();
    EXPECT_FLOAT_EQ(box.left, 84 + c.boxOffset - 0.001f);
    EXPECT_FLOAT_EQ(box.top, 184 + c.boxOffset - 0.001f);
    EXPECT_FLOAT_EQ(box.width, c.boxSize + 0.002f);
    EXPECT_FLOAT_EQ(box.height, c.boxSize + 0.002f);

    const std::vector<BlitRecord> blits = drawRecorded(crystal);
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(blits[0].source.x, 0);
    EXPECT_EQ(blits[0].source.y, c.sheetRow);
    EXPECT_EQ(blits[0].source.w, 16);
    EXPECT_EQ(blits[0].destination.x, 42);
    EXPECT_EQ(blits[0].destination.y, 92);
  }
}

TEST_F(EnergyCrystalPickupTest, LaunchesWithTheFirstRandForXAndTheSecondForY) {
  bool axes_told_apart = false;
  for (unsigned seed = 1; seed <= 20; ++seed) {
    std::srand(seed);
    const EnergyCrystalPickup crystal(graphics, 300, 100, EnergyCrystalPickup::LARGE);
    std::srand(seed);
    const int first = std::rand() % 11 - 5;
    const int second = std::rand() % 11 - 5;
    EXPECT_EQ(crystal.kinematicsX.velocity, first * 0.025f) << "seed " << seed;
    EXPECT_EQ(crystal.kinematicsY.velocity, second * 0.025f) << "seed " << seed;
    EXPECT_LE(std::abs(crystal.kinematicsX.velocity), 0.125f);
    axes_told_apart |= first != second;
  }
  EXPECT_TRUE(axes_told_apart);
}

TEST_F(EnergyCrystalPickupTest, FloorAlwaysSendsItBackUpAtTheBounceSpeed) {
  for (const Velocity fall : {0.0f, 0.05f, 0.2f, 0.2998046875f}) {
    EnergyCrystalPickup crystal(graphics, kColumnSixCenter, 360, EnergyCrystalPickup::MEDIUM);
    launch(crystal, 0, fall);
    for (int frame = 0; frame < 60 && crystal.kinematicsY.velocity >= 0; ++frame) {
      Timer::updateAll(16);
      crystal.update(16, *map);
    }
    EXPECT_EQ(crystal.kinematicsY.velocity, -0.225f) << "falling at " << fall;
    EXPECT_FLOAT_EQ(crystal.kinematicsY.position, kFloorTop - 28.001f) << "falling at " << fall;
  }
}

TEST_F(EnergyCrystalPickupTest, DroppedCrystalHopsAboutATileHighAndNeverSinksIntoTheFloor) {
  EnergyCrystalPickup crystal(graphics, kColumnSixCenter, 336, EnergyCrystalPickup::MEDIUM);
  launch(crystal, 0, 0);
  GameUnit highest = kFloorTop;
  GameUnit lowest = 0;
  for (Millis time = 0; time < 6000; time += 16) {
    Timer::updateAll(16);
    ASSERT_TRUE(crystal.update(16, *map));
    // The bottom of its own box, without the collection margin.
    const GameUnit bottom = crystal.kinematicsY.position + 28;
    ASSERT_LT(bottom, kFloorTop) << "at " << time;
    EXPECT_EQ(crystal.kinematicsX.position, kColumnSixCenter - 16) << "at " << time;
    if (time >= 3000) {
      highest = std::min(highest, bottom);
      lowest = std::max(lowest, bottom);
    }
  }
  EXPECT_NEAR(lowest, kFloorTop, 0.002f);
  EXPECT_GT(kFloorTop - highest, 28.0f);
  EXPECT_LT(kFloorTop - highest, 33.0f);
}

TEST_F(EnergyCrystalPickupTest, WallsReflectTheSidewaysDrift) {
  // Rows 3 to 6 are open from wall to wall.
  struct Case { GameUnit centerX; Velocity velocity; GameUnit restX; };
  for (const Case& c : std::vector<Case>{{608 - 12.5f, 0.1f, 608 - 28.001f},
                                         {32 + 12.5f, -0.1f, 32 - 3.999f}}) {
    EnergyCrystalPickup crystal(graphics, c.centerX, 160, EnergyCrystalPickup::MEDIUM);
    launch(crystal, c.velocity, 0);
    Timer::updateAll(16);
    crystal.update(16, *map);
    // Friction has taken its 16 ms share before the reflection.
    EXPECT_FLOAT_EQ(crystal.kinematicsX.velocity, -c.velocity * (1 - 0.0032f))
        << "moving at " << c.velocity;
    EXPECT_FLOAT_EQ(crystal.kinematicsX.position, c.restX) << "moving at " << c.velocity;
  }
}

TEST_F(EnergyCrystalPickupTest, CeilingStopsTheRise) {
  // The block at row 4, column 12 has its underside at y = 160.
  EnergyCrystalPickup crystal(graphics, 400, 160 + 12.5f, EnergyCrystalPickup::MEDIUM);
  launch(crystal, 0, -0.125f);
  Timer::updateAll(16);
  crystal.update(16, *map);
  EXPECT_EQ(crystal.kinematicsY.velocity, 0.0f);
  EXPECT_FLOAT_EQ(crystal.kinematicsY.position, 160 - 3.999f);
}

TEST_F(EnergyCrystalPickupTest, FlickersEveryFifteenMillisecondsInItsLastSecond) {
  EnergyCrystalPickup crystal(graphics, kColumnSixCenter, 380, EnergyCrystalPickup::SMALL);
  while (crystal.timer.currentTime() < 6992) {
    ASSERT_FALSE(drawRecorded(crystal).empty()) << "at " << crystal.timer.currentTime();
    runFramesUntil(crystal, crystal.timer, crystal.timer.currentTime() + 16, *map);
  }
  runFramesUntil(crystal, crystal.timer, 7000, *map);
  for (Millis time = 7000; time < 7035; ++time) {
    runFramesUntil(crystal, crystal.timer, time, *map);
    const bool drawn = time < 7005 || time >= 7020;
    EXPECT_EQ(drawRecorded(crystal).empty(), !drawn) << "at " << time;
  }
}

TEST_F(EnergyCrystalPickupTest, SizeOutsideTheThreeIsRejected) {
  EXPECT_DEATH(EnergyCrystalPickup(graphics, 100, 100,
                                   static_cast<EnergyCrystalPickup::SizeType>(3)),
               "size >= EnergyCrystalPickup::SMALL");
}
