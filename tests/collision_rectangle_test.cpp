#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "collision_rectangle.h"
#include "composite_collision_rectangle.h"
#include "player.h"
#include "rectangle.h"
#include "simple_collision_rectangle.h"

namespace {

void expectRectangle(const Rectangle& actual, const Rectangle& expected,
                     const std::string& name) {
  EXPECT_FLOAT_EQ(actual.left, expected.left) << name;
  EXPECT_FLOAT_EQ(actual.top, expected.top) << name;
  EXPECT_FLOAT_EQ(actual.width, expected.width) << name;
  EXPECT_FLOAT_EQ(actual.height, expected.height) << name;
}

const SimpleCollisionRectangle kSmall(Rectangle(8, 8, 16, 16));
const SimpleCollisionRectangle kLarge(Rectangle(0, 0, 32, 32));
// The player's shape; the cases below pin its boxes.
const CollisionRectangle& kPlayer = Player::kCollisionRectangle;

}  // namespace

TEST(CollisionRectangle, SideBoxesStretchByDeltaAtTheOrigin) {
  struct Case {
    std::string name;
    const CollisionRectangle& shape;
    SideType side;
    GameUnit x;
    GameUnit y;
    GameUnit delta;
    Rectangle expected;
  };
  for (const Case& c : std::vector<Case>{
           {"simple bottom", kSmall, BOTTOM_SIDE, 100, 200, 5, Rectangle(108, 208, 16, 21)},
           {"simple left", kSmall, LEFT_SIDE, 100, 200, -3, Rectangle(105, 208, 19, 16)},
           {"simple top", kSmall, TOP_SIDE, 100, 200, -3, Rectangle(108, 205, 16, 19)},
           {"simple right", kSmall, RIGHT_SIDE, 100, 200, 5, Rectangle(108, 208, 21, 16)},
           {"simple still", kSmall, LEFT_SIDE, 100, 200, 0, Rectangle(108, 208, 16, 16)},
           {"player top", kPlayer, TOP_SIDE, 320, 224, -4, Rectangle(327, 222, 18, 19)},
           {"player bottom", kPlayer, BOTTOM_SIDE, 320, 224, 4, Rectangle(331, 241, 10, 19)},
           {"player left", kPlayer, LEFT_SIDE, 320, 224, -4, Rectangle(322, 234, 14, 12)},
           {"player right", kPlayer, RIGHT_SIDE, 320, 224, 4, Rectangle(336, 234, 14, 12)},
           {"player still top", kPlayer, TOP_SIDE, 320, 224, 0, Rectangle(327, 226, 18, 15)},
           {"player still bottom", kPlayer, BOTTOM_SIDE, 320, 224, 0,
            Rectangle(331, 241, 10, 15)},
           {"player still left", kPlayer, LEFT_SIDE, 320, 224, 0, Rectangle(326, 234, 10, 12)},
           {"player still right", kPlayer, RIGHT_SIDE, 320, 224, 0,
            Rectangle(336, 234, 10, 12)},
       }) {
    expectRectangle(c.shape.collision(c.side, c.x, c.y, c.delta), c.expected, c.name);
  }
}

TEST(CollisionRectangle, OnlyTheSimpleBoundingBoxCarriesAMargin) {
  expectRectangle(kLarge.boundingBox(), Rectangle(-0.001f, -0.001f, 32.002f, 32.002f), "large");
  EXPECT_FLOAT_EQ(kLarge.boundingBox().bottom(), 32.001f);
  expectRectangle(kPlayer.boundingBox(), Rectangle(6, 2, 20, 30), "player");
  // Every box of a different size, so no two can stand in for each other.
  const CompositeCollisionRectangle uneven(Rectangle(1, 3, 5, 4), Rectangle(2, 7, 6, 9),
                                           Rectangle(10, 11, 3, 2), Rectangle(13, 12, 8, 1));
  expectRectangle(uneven.boundingBox(), Rectangle(10, 3, 11, 13), "uneven");
  // The side boxes stay exact.
  expectRectangle(kLarge.bottomCollision(0, 0, 0), Rectangle(0, 0, 32, 32), "large side");
}

TEST(CollisionRectangleDeathTest, DeltaAgainstTheSideStopsTheProgram) {
  EXPECT_DEATH(kSmall.leftCollision(0, 0, 1), "delta <= 0, file src/simple_collision_rectangle");
  EXPECT_DEATH(kSmall.topCollision(0, 0, 1), "delta <= 0, file src/simple_collision_rectangle");
  EXPECT_DEATH(kSmall.rightCollision(0, 0, -1),
               "delta >= 0, file src/simple_collision_rectangle");
  EXPECT_DEATH(kSmall.bottomCollision(0, 0, -1),
               "delta >= 0, file src/simple_collision_rectangle");
  EXPECT_DEATH(kPlayer.collision(LEFT_SIDE, 0, 0, 1),
               "delta <= 0, file src/composite_collision_rectangle");
  EXPECT_DEATH(kPlayer.collision(TOP_SIDE, 0, 0, 1),
               "delta <= 0, file src/composite_collision_rectangle");
  EXPECT_DEATH(kPlayer.collision(RIGHT_SIDE, 0, 0, -1),
               "delta >= 0, file src/composite_collision_rectangle");
  EXPECT_DEATH(kPlayer.collision(BOTTOM_SIDE, 0, 0, -1),
               "delta >= 0, file src/composite_collision_rectangle");
}
