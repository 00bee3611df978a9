#include <gtest/gtest.h>

#include <boost/optional.hpp>
#include <boost/scoped_ptr.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "collision_rectangle.h"
#include "constant_accelerator.h"
#include "graphics.h"
#include "kinematics.h"
#include "map.h"
#include "map_collidable.h"
#include "player.h"
#include "rectangle.h"
#include "simple_collision_rectangle.h"
#include "test_support.h"
#include "tile_names.h"
#include "tile_type.h"
#include "zero_accelerator.h"

namespace {

std::string typeName(const TileType& type) {
  if (type == makeTileType({WALL})) return "WALL";
  if (type == makeTileType({EMPTY})) return "EMPTY";
  return "0b" + type.to_string();
}

// Writes down every callback, in order.
struct RecordingBody : MapCollidable {
  explicit RecordingBody(CollisionType type) : MapCollidable(type) {}

  void onCollision(SideType side, bool isDeltaDirection, const TileType& tileType) override {
    std::ostringstream out;
    out << "onCollision(" << sideName(side) << ", " << (isDeltaDirection ? "true" : "false")
        << ", " << typeName(tileType) << ")";
    calls.push_back(out.str());
  }
  void onDelta(SideType side) override {
    calls.push_back(std::string("onDelta(") + sideName(side) + ")");
  }

  std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

const SimpleCollisionRectangle kSmallCrystal(Rectangle(8, 8, 16, 16));
const SimpleCollisionRectangle kMediumCrystal(Rectangle(4, 4, 24, 24));
const CollisionRectangle& kPlayer = Player::kCollisionRectangle;

const TileType kWall = makeTileType({WALL});
const TileType kTallFloorSlope = makeTileType({SLOPE, LEFT_SLOPE, BOTTOM_SLOPE, TALL_SLOPE});
const TileType kShortFloorSlope = makeTileType({SLOPE, LEFT_SLOPE, BOTTOM_SLOPE, SHORT_SLOPE});
const TileType kShortRisingSlope =
    makeTileType({SLOPE, RIGHT_SLOPE, BOTTOM_SLOPE, SHORT_SLOPE});

class MapCollidableTest : public testing::Test {
 protected:
  MapCollidableTest() : video(), graphics(), map(Map::createTestMap(graphics)) {}

  SdlVideo video;
  Graphics graphics;
  boost::scoped_ptr<Map> map;
};

}  // namespace

TEST_F(MapCollidableTest, FallingMediumCrystalComesToRestJustAboveTheFloor) {
  EXPECT_EQ(map->getCollidingTiles(Rectangle(196, 389, 24, 27.4f), BOTTOM_SIDE).size(), 2u);
  RecordingBody crystal(BOUNCING_COLLISION);
  Kinematics x{192, 0};
  Kinematics y{385, 0.2f};
  crystal.updateY(kMediumCrystal, ConstantAccelerator::kGravity, x, y, 16, *map, boost::none);
  EXPECT_FLOAT_EQ(y.velocity, 0.2125f);
  EXPECT_FLOAT_EQ(y.position, 416 - 28.001f);
  EXPECT_LT(y.position, 388.0f);
  EXPECT_EQ(x.position, 192);
  EXPECT_EQ(crystal.calls, (Calls{"onCollision(BOTTOM_SIDE, true, WALL)"}));
}

TEST_F(MapCollidableTest, BodyRestingOnAWallStaysThereFrameAfterFrame) {
  // The player over the wall at row 12, column 4; its bottom box ends on the tile's top.
  RecordingBody player(STICKY_COLLISION);
  Kinematics x{128, 0};
  Kinematics y{352, 0.1f};
  for (int frame = 0; frame < 3; ++frame) {
    player.updateY(kPlayer, ZeroAccelerator::kZero, x, y, 16, *map, kWall);
    EXPECT_EQ(y.position, 352) << "frame " << frame;
  }
  EXPECT_EQ(player.calls, Calls(3, "onCollision(BOTTOM_SIDE, true, WALL)"));
  EXPECT_EQ(y.velocity, 0.1f);
}

TEST_F(MapCollidableTest, RisingIntoNothingMovesFullyThenPushesTheTrailingSideOut) {
  struct Case {
    std::string name;
    GameUnit x;
    GameUnit y;
    GameUnit top;  // of the wall the feet end up in
  };
  for (const Case& c : std::vector<Case>{
           {"feet in the wall at row 12, column 4, under the centre", 128, 355, 384},
           // The block's edge is all the feet overlap; the centre is over column 12.
           {"feet in the block at row 8, column 11, beside the centre", 370, 227.6f, 256},
       }) {
    RecordingBody player(STICKY_COLLISION);
    Kinematics x{c.x, 0};
    Kinematics y{c.y, -0.1f};
    player.updateY(kPlayer, ZeroAccelerator::kZero, x, y, 16, *map, kWall);
    EXPECT_EQ(player.calls,
              (Calls{"onDelta(TOP_SIDE)", "onCollision(BOTTOM_SIDE, false, WALL)"}))
        << c.name;
    EXPECT_EQ(y.position, c.top - 32) << c.name;
  }
}

TEST_F(MapCollidableTest, StandingStillSidewaysTestsTheLeftSideAndLeavesTheWall) {
  for (const CollisionType type : {STICKY_COLLISION, BOUNCING_COLLISION}) {
    RecordingBody crystal(type);
    Kinematics x{20, 0};
    Kinematics y{160, 0};
    crystal.updateX(kSmallCrystal, ZeroAccelerator::kZero, x, y, 16, *map);
    EXPECT_EQ(crystal.calls, (Calls{"onCollision(LEFT_SIDE, true, WALL)"})) << type;
    EXPECT_FLOAT_EQ(x.position, 32 - 7.999f) << type;
    EXPECT_EQ(x.velocity, 0) << type;
  }
}

TEST_F(MapCollidableTest, WalkingOffAWallSnapsDownOntoATallSlopeOnly) {
  struct Case {
    std::string name;
    CollisionType type;
    GameUnit x;
    boost::optional<TileType> ground;
    GameUnit y;
    Calls calls;
  };
  // Column 2 of row 12 is slope 4 (tall, surface 386.5 under x 69); column 11 is
  // slope 5 (short, surface 405 under x 362). The player starts standing at 384.
  const std::string tall = "onCollision(BOTTOM_SIDE, true, 0b" + kTallFloorSlope.to_string() + ")";
  const std::string short_slope =
      "onCollision(BOTTOM_SIDE, true, 0b" + kShortFloorSlope.to_string() + ")";
  for (const Case& c : std::vector<Case>{
           {"wall to tall", STICKY_COLLISION, 53, kWall, 354.5f, {tall}},
           {"wall to short", STICKY_COLLISION, 346, kWall, 352.16f, {"onDelta(BOTTOM_SIDE)"}},
           {"slope to short", STICKY_COLLISION, 346, kShortFloorSlope, 373, {short_slope}},
           {"in the air", STICKY_COLLISION, 53, boost::none, 352.16f, {"onDelta(BOTTOM_SIDE)"}},
           {"bouncing ignores ground", BOUNCING_COLLISION, 53, kWall, 352.16f,
            {"onDelta(BOTTOM_SIDE)"}},
       }) {
    RecordingBody player(c.type);
    Kinematics x{c.x, 0};
    Kinematics y{352, 0.01f};
    player.updateY(kPlayer, ZeroAccelerator::kZero, x, y, 16, *map, c.ground);
    EXPECT_FLOAT_EQ(y.position, c.y) << c.name;
    EXPECT_EQ(player.calls, c.calls) << c.name;
  }
}

TEST_F(MapCollidableTest, TrailingSideNeverSnapsToTheGround) {
  // Rising just over the tall slope at column 2: the feet reach into its tile but
  // not its surface, and the ground tile must not pull them down.
  RecordingBody player(STICKY_COLLISION);
  Kinematics x{53, 0};
  Kinematics y{353, -0.01f};
  player.updateY(kPlayer, ZeroAccelerator::kZero, x, y, 16, *map, kWall);
  EXPECT_EQ(player.calls, (Calls{"onDelta(TOP_SIDE)"}));
  EXPECT_FLOAT_EQ(y.position, 352.84f);
}

TEST_F(MapCollidableTest, SlidingSidewaysPassesThroughSlopesUntilAWall) {
  // Inside the full-tile valley of row 12, below its surface, heading for column 14.
  RecordingBody crystal(BOUNCING_COLLISION);
  Kinematics x{320, 0.1f};
  Kinematics y{380, 0};
  int frames = 0;
  while (crystal.calls.empty() || crystal.calls.back() == "onDelta(RIGHT_SIDE)") {
    ASSERT_LT(frames++, 100);
    crystal.updateX(kSmallCrystal, ZeroAccelerator::kZero, x, y, 16, *map);
  }
  EXPECT_EQ(crystal.calls.back(), "onCollision(RIGHT_SIDE, true, WALL)");
  EXPECT_GT(frames, 60);  // more than three slope tiles of 1.6 steps
  EXPECT_FLOAT_EQ(x.position, 448 - 24.001f);
}

// Column 17 of row 12 is slope 6, rising from the floor at 416 to 400 under the wall of
// column 18, whose top is 384; column 7 is another slope 6, beside the flat tile of
// column 6.
TEST_F(MapCollidableTest, FeetBesideASlopesFootMeetItsLineUnderTheCentre) {
  struct Case {
    std::string name;
    CollisionType type;
    GameUnit x;
    GameUnit y;
    Velocity velocity;
    Millis elapsed;
    boost::optional<TileType> ground;
    GameUnit bottom;
    std::string tile;
  };
  const std::string slope = "0b" + kShortRisingSlope.to_string();
  for (const Case& c : std::vector<Case>{
           // Centre at x 540, in the empty column 16; the feet reach into the slope's
           // column, whose line there lies 2 units below the floor.
           {"falling, sticky", STICKY_COLLISION, 524, 380, 0.3f, 30, boost::none, 418, slope},
           {"falling, bouncing", BOUNCING_COLLISION, 524, 380, 0.3f, 30, boost::none, 416,
            "WALL"},
           // At rest with the centre at x 222, beside column 7's foot.
           {"standing", STICKY_COLLISION, 206, 383, 0, 16, kShortRisingSlope, 417, slope},
       }) {
    RecordingBody player(c.type);
    Kinematics x{c.x, 0};
    Kinematics y{c.y, c.velocity};
    player.updateY(kPlayer, ConstantAccelerator::kGravity, x, y, c.elapsed, *map, c.ground);
    EXPECT_EQ(y.position + 32, c.bottom) << c.name;
    EXPECT_EQ(player.calls, (Calls{"onCollision(BOTTOM_SIDE, true, " + c.tile + ")"}))
        << c.name;
  }
}

TEST_F(MapCollidableTest, FallingIntoACornerBesideATallerWallStaysAboveTheFloor) {
  // The feet land on the slope under the centre at x 568.5; the head box then reaches
  // 1.5 units into the wall beside, which must not push the body down to its bottom.
  RecordingBody player(STICKY_COLLISION);
  Kinematics x{552.5f, 0};
  Kinematics y{350.7f, 0.3f};
  player.updateY(kPlayer, ZeroAccelerator::kZero, x, y, 72, *map, boost::none);
  EXPECT_FLOAT_EQ(y.position, 403.75f - 32);
  EXPECT_EQ(player.calls, (Calls{"onCollision(BOTTOM_SIDE, true, 0b" +
                                 kShortRisingSlope.to_string() + ")"}));
}

namespace {

// Walls and one slope on an otherwise empty grid, for the searches alone.
class MapSearchTest : public testing::Test {
 protected:
  MapSearchTest() {
    map.tiles = std::vector<std::vector<Map::Tile>>(15, std::vector<Map::Tile>(20));
    map.tiles[5][3].tileType = kWall;  // top 160
    map.tiles[4][4].tileType = kWall;  // top 128, bottom 160
    map.tiles[8][2].tileType = kWall;  // top 256
    map.tiles[8][3].tileType = kTallFloorSlope;  // surface 256 at x 96, 264 at x 112
  }

  Map map;
};

}  // namespace

TEST_F(MapSearchTest, BouncingFindsTheNearestObstacleStickyTheFirstInScanOrder) {
  struct Case {
    std::string name;
    Rectangle box;
    SideType direction;
    GameUnit bouncing;
    GameUnit sticky;
  };
  for (const Case& c : std::vector<Case>{
           // Spanning columns 3 and 4 above both walls, either column scanned first.
           {"falling, centre in column 3", Rectangle(100, 96, 40, 70), BOTTOM_SIDE, 128, 128},
           {"falling, centre in column 4", Rectangle(120, 96, 40, 70), BOTTOM_SIDE, 128, 128},
           {"rising", Rectangle(100, 150, 40, 60), TOP_SIDE, 192, 192},
           {"moving right", Rectangle(60, 140, 70, 30), RIGHT_SIDE, 96, 96},
           {"moving left", Rectangle(100, 140, 60, 30), LEFT_SIDE, 160, 160},
           // The slope, scanned first, meets the box lower than the wall beside it.
           {"slope before a higher wall", Rectangle(80, 230, 36, 40), BOTTOM_SIDE, 256, 257},
       }) {
    const boost::optional<CollisionInfo> bouncing =
        testMapBouncingCollision(map, c.box, c.direction, boost::none);
    const boost::optional<CollisionInfo> sticky =
        testMapStickyCollision(map, c.box, c.direction, boost::none);
    ASSERT_TRUE(bouncing && sticky) << c.name;
    EXPECT_FLOAT_EQ(bouncing->position, c.bouncing) << c.name;
    EXPECT_FLOAT_EQ(sticky->position, c.sticky) << c.name;
  }
}

TEST_F(MapSearchTest, BouncingTieKeepsTheEarlierTile) {
  // Centre at x 96: the slope's surface is at 256 like the wall's top, and the slope's
  // column is scanned first.
  const boost::optional<CollisionInfo> info =
      testMapBouncingCollision(map, Rectangle(80, 230, 32, 40), BOTTOM_SIDE, kWall);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->position, 256);
  EXPECT_EQ(info->tileType, kTallFloorSlope);
  EXPECT_FALSE(testMapBouncingCollision(map, Rectangle(200, 200, 40, 40), BOTTOM_SIDE, kWall));
  EXPECT_FALSE(testMapStickyCollision(map, Rectangle(200, 200, 40, 40), BOTTOM_SIDE, kWall));
}
