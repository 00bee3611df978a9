#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "collision_tile.h"
#include "map.h"
#include "rectangle.h"
#include "tile_names.h"
#include "tile_type.h"

namespace {

// A 15 by 20 grid with a few walls, enough to see that listed tiles carry their type.
class CollidingTilesTest : public testing::Test {
 protected:
  CollidingTilesTest() {
    map.tiles = std::vector<std::vector<Map::Tile>>(15, std::vector<Map::Tile>(20));
    map.tiles[1][2].tileType = makeTileType({WALL});
    map.tiles[14][19].tileType = makeTileType({WALL});
  }

  // "row,col row,col ..." in list order; checks each entry's type against the grid.
  std::string scan(const Rectangle& rectangle, SideType direction) const {
    std::ostringstream out;
    for (const CollisionTile& tile : map.getCollidingTiles(rectangle, direction)) {
      EXPECT_EQ(tile.tileType, map.tiles[tile.row][tile.col].tileType);
      out << (out.tellp() > 0 ? " " : "") << tile.row << "," << tile.col;
    }
    return out.str();
  }

  Map map;
};

}  // namespace

TEST_F(CollidingTilesTest, ListsTilesFromTheTrailingEdgeAndFromTheCentreOutward) {
  const float kHuge = std::numeric_limits<float>::max();
  struct Case {
    std::string name;
    Rectangle rectangle;
    SideType direction;
    std::string tiles;
  };
  for (const Case& c : std::vector<Case>{
           {"inside one tile", Rectangle(40, 40, 10, 10), TOP_SIDE, "1,1"},
           {"inside one tile", Rectangle(40, 40, 10, 10), BOTTOM_SIDE, "1,1"},
           {"inside one tile", Rectangle(40, 40, 10, 10), LEFT_SIDE, "1,1"},
           {"inside one tile", Rectangle(40, 40, 10, 10), RIGHT_SIDE, "1,1"},
           {"two wide", Rectangle(40, 40, 40, 10), RIGHT_SIDE, "1,1 1,2"},
           {"two wide", Rectangle(40, 40, 40, 10), LEFT_SIDE, "1,2 1,1"},
           {"two high", Rectangle(40, 40, 10, 40), BOTTOM_SIDE, "1,1 2,1"},
           {"two high", Rectangle(40, 40, 10, 40), TOP_SIDE, "2,1 1,1"},
           // Centre in the low tile, high edge in the next: the low end is nearer.
           {"two by two", Rectangle(32, 32, 63, 63), BOTTOM_SIDE, "1,1 1,2 2,1 2,2"},
           {"two by two", Rectangle(32, 32, 63, 63), TOP_SIDE, "2,1 2,2 1,1 1,2"},
           {"two by two", Rectangle(32, 32, 63, 63), RIGHT_SIDE, "1,1 2,1 1,2 2,2"},
           {"two by two", Rectangle(32, 32, 63, 63), LEFT_SIDE, "1,2 2,2 1,1 2,1"},
           // Centre in the high tile.
           {"centre high", Rectangle(60, 32, 10, 10), BOTTOM_SIDE, "1,2 1,1"},
           // Centre as far from both ends: ties start at the high end.
           {"three centred", Rectangle(40, 40, 64, 10), BOTTOM_SIDE, "1,3 1,2 1,1"},
           {"three centred", Rectangle(40, 40, 10, 64), RIGHT_SIDE, "3,1 2,1 1,1"},
           // Walking down to index 0 ends the scan there.
           {"down to row 0", Rectangle(32, 0, 10, 40), TOP_SIDE, "1,1 0,1"},
           {"down to column 0", Rectangle(0, 32, 40, 10), LEFT_SIDE, "1,1 1,0"},
           {"left of the grid", Rectangle(-20, -20, 10, 10), LEFT_SIDE, "0,0"},
           {"straddling the corner", Rectangle(-50, -50, 100, 100), TOP_SIDE, "1,0 1,1 0,0 0,1"},
           // Past the last row or column the list stops at once, even if later tiles of
           // the scan are inside the grid.
           {"into row 15", Rectangle(32, 440, 40, 60), BOTTOM_SIDE, "13,1 13,2 14,1 14,2"},
           {"from row 15", Rectangle(32, 440, 40, 60), TOP_SIDE, ""},
           {"into column 20", Rectangle(600, 32, 60, 10), RIGHT_SIDE, "1,18 1,19"},
           {"from column 20", Rectangle(600, 32, 60, 10), LEFT_SIDE, ""},
           {"secondary starts at column 20", Rectangle(600, 32, 60, 40), BOTTOM_SIDE, ""},
           {"secondary reaches row 15", Rectangle(600, 450, 10, 35), LEFT_SIDE, "14,19"},
           // Huge coordinates clamp to the largest index, which is outside.
           {"far away", Rectangle(1e30f, 1e30f, 10, 10), BOTTOM_SIDE, ""},
           {"far away", Rectangle(1e30f, 1e30f, 10, 10), TOP_SIDE, ""},
           {"endless to the right", Rectangle(544, 32, kHuge, 10), RIGHT_SIDE, "1,17 1,18 1,19"},
           {"endless to the left", Rectangle(-kHuge, 32, kHuge, 10), LEFT_SIDE, "1,0"},
           {"endless both ways", Rectangle(0, 0, kHuge, kHuge), BOTTOM_SIDE, ""},
           {"infinite", Rectangle(0, 0, std::numeric_limits<float>::infinity(), 10),
            RIGHT_SIDE, "0,0 0,1 0,2 0,3 0,4 0,5 0,6 0,7 0,8 0,9 0,10 0,11 0,12 0,13 0,14 "
                        "0,15 0,16 0,17 0,18 0,19"},
       }) {
    EXPECT_EQ(scan(c.rectangle, c.direction), c.tiles)
        << c.name << " toward " << sideName(c.direction);
  }
}

TEST_F(CollidingTilesTest, MalformedRectanglesStillEndInsideTheGrid) {
  // Negative sizes put the leading edge behind the trailing one; NaN maps to tile 0.
  const float kNan = std::numeric_limits<float>::quiet_NaN();
  for (const SideType direction : {TOP_SIDE, BOTTOM_SIDE, LEFT_SIDE, RIGHT_SIDE}) {
    for (const Rectangle& rectangle :
         {Rectangle(300, 300, -200, -200), Rectangle(kNan, kNan, kNan, kNan),
          Rectangle(100, 100, kNan, 5)}) {
      EXPECT_LE(map.getCollidingTiles(rectangle, direction).size(), 15u * 20u);
    }
  }
}

TEST(CollidingTiles, AnUnfilledMapListsNothing) {
  const Map map;
  EXPECT_TRUE(map.getCollidingTiles(Rectangle(40, 40, 10, 10), BOTTOM_SIDE).empty());
}
