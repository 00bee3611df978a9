#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "collision_tile.h"
#include "slope_kinds.h"
#include "tile_type.h"

TEST(TileType, ContainsAllOfItsFlagsAndNoOthers) {
  const TileType type = makeTileType({SLOPE, LEFT_SLOPE, BOTTOM_SLOPE});
  EXPECT_EQ(type.to_ulong(), (1u << 2) | (1u << 3) | (1u << 6));
  EXPECT_TRUE(containsAll(type, {SLOPE, BOTTOM_SLOPE}));
  EXPECT_TRUE(containsAll(type, {}));
  EXPECT_FALSE(containsAll(type, {SLOPE, TALL_SLOPE}));
  EXPECT_FALSE(containsAll(makeTileType({EMPTY}), {WALL}));
  EXPECT_EQ(slopeFlagFor(TOP_SIDE), TOP_SLOPE);
  EXPECT_EQ(slopeFlagFor(BOTTOM_SIDE), BOTTOM_SLOPE);
  EXPECT_EQ(slopeFlagFor(LEFT_SIDE), LEFT_SLOPE);
  EXPECT_EQ(slopeFlagFor(RIGHT_SIDE), RIGHT_SLOPE);
}

TEST(CollisionTile, TallAndShortSlopesJoinIntoOneSurfaceAcrossTwoTiles) {
  struct Case {
    float slope;
    GameUnit offset;
  };
  const std::vector<Case> expected{{-0.5f, 32}, {-0.5f, 16}, {0.5f, 0},  {0.5f, 16},
                                   {0.5f, 0},   {0.5f, 16},  {-0.5f, 32}, {-0.5f, 16}};
  for (int kind = 0; kind < 8; ++kind) {
    EXPECT_EQ(slopeOf(kSlopeKinds[kind]), expected[kind].slope) << "slope " << kind;
    EXPECT_EQ(slopeOffsetOf(kSlopeKinds[kind]), expected[kind].offset) << "slope " << kind;
  }
  // Each tall/short pair meets at half height, so the surface has no step.
  for (const int tall : {0, 3, 4, 7}) {
    const int shorter = tall ^ 1;
    const bool tall_on_left = tall == 0 || tall == 4;
    const int left = tall_on_left ? tall : shorter;
    const int right = tall_on_left ? shorter : tall;
    EXPECT_EQ(slopeOf(kSlopeKinds[left]) * 32 + slopeOffsetOf(kSlopeKinds[left]),
              slopeOffsetOf(kSlopeKinds[right]))
        << "slopes " << left << " and " << right;
  }
}

TEST(CollisionTile, TestsWallsEmptyTilesAndSlopeSurfaces) {
  struct Case {
    std::string name;
    CollisionTile tile;
    SideType side;
    GameUnit perpendicular;
    GameUnit leading;
    bool testSlopes;
    bool colliding;
    GameUnit position;
  };
  const TileType wall = makeTileType({WALL});
  const TileType empty = makeTileType({EMPTY});
  for (const Case& c : std::vector<Case>{
           {"empty", {3, 5, empty}, TOP_SIDE, 170, 100, true, false, 100},
           {"empty sideways", {3, 5, empty}, LEFT_SIDE, 100, 170, true, false, 170},
           {"wall top", {3, 5, wall}, TOP_SIDE, -7, 1e6f, true, true, 96},
           {"wall bottom", {3, 5, wall}, BOTTOM_SIDE, 0, 0, false, true, 128},
           {"wall left", {3, 5, wall}, LEFT_SIDE, 0, -1e6f, true, true, 160},
           {"wall right", {3, 5, wall}, RIGHT_SIDE, 0, 0, false, true, 192},
           // Slope 6 at row 12, column 17: from 416 at its left edge to 400 at its right.
           {"floor at left edge", {12, 17, kSlopeKinds[6]}, TOP_SIDE, 544, 416, true, true, 416},
           {"above floor at left edge", {12, 17, kSlopeKinds[6]}, TOP_SIDE, 544, 415.9f, true,
            false, 416},
           {"floor at centre", {12, 17, kSlopeKinds[6]}, TOP_SIDE, 560, 408, true, true, 408},
           {"below floor at centre", {12, 17, kSlopeKinds[6]}, TOP_SIDE, 560, 420, true, true, 408},
           {"above floor at centre", {12, 17, kSlopeKinds[6]}, TOP_SIDE, 560, 407, true, false, 408},
           {"floor slopes untested", {12, 17, kSlopeKinds[6]}, TOP_SIDE, 560, 420, false, false,
            420},
           {"floor from below", {12, 17, kSlopeKinds[6]}, BOTTOM_SIDE, 560, 390, true, false, 390},
           // Slope 0 at row 9, column 2: a ceiling from 320 at its left edge to 304.
           {"ceiling reached", {9, 2, kSlopeKinds[0]}, BOTTOM_SIDE, 64, 320, true, true, 320},
           {"ceiling not reached", {9, 2, kSlopeKinds[0]}, BOTTOM_SIDE, 80, 312.5f, true, false,
            312},
           {"ceiling from above", {9, 2, kSlopeKinds[0]}, TOP_SIDE, 64, 400, true, false, 400},
           // Sideways, the surface's x at the centre y: y 408 is x 560 on slope 6.
           {"surface met moving right", {12, 17, kSlopeKinds[6]}, LEFT_SIDE, 408, 560, true, true,
            560},
           {"surface short moving right", {12, 17, kSlopeKinds[6]}, LEFT_SIDE, 408, 559, true,
            false, 560},
           {"solid face moving left", {12, 17, kSlopeKinds[6]}, RIGHT_SIDE, 408, 500, true, false,
            500},
           {"surface met moving left", {12, 10, kSlopeKinds[4]}, RIGHT_SIDE, 392, 336, true, true,
            336},
       }) {
    const TestCollisionInfo info =
        c.tile.testCollision(c.side, c.perpendicular, c.leading, c.testSlopes);
    EXPECT_EQ(info.isColliding, c.colliding) << c.name;
    EXPECT_FLOAT_EQ(info.position, c.position) << c.name;
  }
}
