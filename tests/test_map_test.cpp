#include <gtest/gtest.h>

#include <boost/optional.hpp>
#include <boost/scoped_ptr.hpp>
#include <boost/shared_ptr.hpp>
#include <set>
#include <string>
#include <vector>

#include "fixed_backdrop.h"
#include "graphics.h"
#include "map.h"
#include "map_collidable.h"
#include "rectangle.h"
#include "slope_kinds.h"
#include "sprite.h"
#include "test_support.h"
#include "tile_type.h"

namespace {

// W wall, digit slope kind, . empty.
const char* const kRoom[15] = {
    "W..................W",  //
    "W..................W",  //
    "W.........W........W",  //
    "W..................W",  //
    "W...........W......W",  //
    "W..................W",  //
    "W..................W",  //
    "W.........W........W",  //
    "WWWWWWW....W.......W",  //
    "WW0123W............W",  //
    "W..........W.W.....W",  //
    "W.............67W..W",  //
    "WW47W5.67W4567WW.6WW",  //
    "WWWWWWWWWWWWWWWWWWWW",  //
    "W..................W",  //
};

char kindOf(const Map::Tile& tile) {
  if (tile.tileType == makeTileType({WALL})) return 'W';
  if (tile.tileType == makeTileType({EMPTY})) return '.';
  for (int kind = 0; kind < 8; ++kind) {
    if (tile.tileType == kSlopeKinds[kind]) return static_cast<char>('0' + kind);
  }
  return '?';
}

void expectCell(const boost::shared_ptr<Sprite>& sprite, int tile_x, int tile_y,
                const std::string& name) {
  ASSERT_TRUE(sprite) << name;
  EXPECT_EQ(sprite->sourceRect.x, tile_x * 16) << name;
  EXPECT_EQ(sprite->sourceRect.y, tile_y * 16) << name;
  EXPECT_EQ(sprite->sourceRect.w, 16) << name;
  EXPECT_EQ(sprite->sourceRect.h, 16) << name;
}

class TestMapTest : public testing::Test {
 protected:
  TestMapTest() : video(), graphics(), map(Map::createTestMap(graphics)) {}

  // The first floor met by a point falling from y 352 (row 11) at x.
  GameUnit floorAt(GameUnit x) const {
    const boost::optional<CollisionInfo> info =
        testMapBouncingCollision(*map, Rectangle(x, 352, 0, 78), BOTTOM_SIDE, boost::none);
    return info ? info->position : -1;
  }
  // The first ceiling met by a point rising to y 288 (row 9) at x.
  GameUnit ceilingAt(GameUnit x) const {
    const boost::optional<CollisionInfo> info =
        testMapBouncingCollision(*map, Rectangle(x, 288, 0, 40), TOP_SIDE, boost::none);
    return info ? info->position : -1;
  }

  SdlVideo video;
  Graphics graphics;
  boost::scoped_ptr<Map> map;
};

}  // namespace

TEST_F(TestMapTest, LaysOutTheRoomTileByTile) {
  ASSERT_EQ(map->tiles.size(), 15u);
  int walls = 0;
  int slopes = 0;
  int empties = 0;
  for (int row = 0; row < 15; ++row) {
    ASSERT_EQ(map->tiles[row].size(), 20u);
    std::string kinds;
    for (const Map::Tile& tile : map->tiles[row]) {
      kinds += kindOf(tile);
      walls += tile.tileType.test(WALL);
      slopes += tile.tileType.test(SLOPE);
      empties += tile.tileType.test(EMPTY);
      EXPECT_EQ(!tile.sprite, tile.tileType.test(EMPTY)) << "row " << row;
    }
    EXPECT_EQ(kinds, kRoom[row]) << "row " << row;
  }
  EXPECT_EQ(walls, 69);
  EXPECT_EQ(slopes, 16);
  EXPECT_EQ(empties, 215);
}

TEST_F(TestMapTest, EachTileKindSharesOneSpriteOfItsOwnCell) {
  std::set<const Sprite*> wall_sprites;
  std::set<const Sprite*> slope_sprites[8];
  for (const std::vector<Map::Tile>& row : map->tiles) {
    for (const Map::Tile& tile : row) {
      const char kind = kindOf(tile);
      if (kind == 'W') wall_sprites.insert(tile.sprite.get());
      if (kind >= '0' && kind <= '7') slope_sprites[kind - '0'].insert(tile.sprite.get());
    }
  }
  ASSERT_EQ(wall_sprites.size(), 1u);
  expectCell(map->tiles[13][0].sprite, 1, 0, "wall");
  std::set<const Sprite*> distinct(wall_sprites);
  for (int kind = 0; kind < 8; ++kind) {
    ASSERT_EQ(slope_sprites[kind].size(), 1u) << "slope " << kind;
    distinct.insert(*slope_sprites[kind].begin());
  }
  EXPECT_EQ(distinct.size(), 9u);
  expectCell(map->tiles[9][2].sprite, 2, 0, "slope 0");
  expectCell(map->tiles[9][5].sprite, 5, 0, "slope 3");
  expectCell(map->tiles[12][2].sprite, 2, 1, "slope 4");
  expectCell(map->tiles[12][17].sprite, 4, 1, "slope 6");
  expectCell(map->tiles[12][13].sprite, 5, 1, "slope 7");
}

TEST_F(TestMapTest, ChainHangsBehindBetweenTwoBlocks) {
  int sprites = 0;
  for (const auto& row : map->backgroundTiles) {
    for (const auto& sprite : row) sprites += sprite != nullptr;
  }
  EXPECT_EQ(sprites, 4);
  expectCell(map->backgroundTiles[3][10], 11, 2, "chain top");
  expectCell(map->backgroundTiles[4][10], 12, 2, "chain middle");
  expectCell(map->backgroundTiles[6][10], 13, 2, "chain bottom");
  EXPECT_EQ(map->backgroundTiles[4][10], map->backgroundTiles[5][10]);
  EXPECT_TRUE(dynamic_cast<const FixedBackdrop*>(map->backdrop.get()));
  EXPECT_EQ(map->tiles[2][10].tileType, makeTileType({WALL}));
  EXPECT_EQ(map->tiles[7][10].tileType, makeTileType({WALL}));
}

TEST_F(TestMapTest, FloorOfRowTwelveDipsAndRampsWithoutSteps) {
  // Depth below the top of row 12 at each half tile from column 1 to column 18.
  const std::vector<int> depths{
      0,  0,                  // 1 wall
      0,  8,  16, 8,          // 2-3 half-tile dip
      0,  0,                  // 4 wall
      16, 24, 32, 32, 32, 24, 16, 8,  // 5-8 valley with a flat bottom
      0,  0,                  // 9 wall
      0,  8,  16, 24, 32, 24, 16, 8,  // 10-13 full-tile valley
      0,  -8, -16, -24,       // 14-15 ramp up row 11
      -32, -32,               // 16 block
      32, 24,                 // 17 half ramp out of the pocket
      0,  0,                  // 18 wall
  };
  ASSERT_EQ(depths.size(), 36u);
  for (std::size_t i = 0; i < depths.size(); ++i) {
    const GameUnit x = 32 + 16 * static_cast<GameUnit>(i);
    EXPECT_EQ(floorAt(x), static_cast<GameUnit>(384 + depths[i])) << "x " << x;
  }
  // The slopes of the valleys meet edge to edge: just short of each boundary the floor
  // is within a hair of the next tile's start.
  for (const GameUnit boundary : {96.0f, 192.0f, 224.0f, 256.0f, 352.0f, 384.0f, 416.0f, 480.0f}) {
    EXPECT_NEAR(floorAt(boundary - 0.01f), floorAt(boundary), 0.01f) << "x " << boundary;
  }
}

TEST_F(TestMapTest, ArchHangsFromFullHeightToTheSlab) {
  const std::vector<int> heights{320, 320, 320, 312, 304, 296, 288, 296, 304, 312, 320, 320};
  for (std::size_t i = 0; i < heights.size(); ++i) {
    const GameUnit x = 32 + 16 * static_cast<GameUnit>(i);
    EXPECT_EQ(ceilingAt(x), static_cast<GameUnit>(heights[i])) << "x " << x;
  }
}
