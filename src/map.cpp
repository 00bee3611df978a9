#include "map.h"

#include <boost/make_shared.hpp>
#include <string>

#include "backdrop.h"
#include "fixed_backdrop.h"
#include "game.h"
#include "slope_kinds.h"
#include "sprite.h"
#include "units.h"

namespace {

boost::shared_ptr<Sprite> rockTile(Graphics& graphics, TileUnit x, TileUnit y) {
  return boost::make_shared<Sprite>(graphics, "Rockset", tileToPixel(x), tileToPixel(y),
                                    tileToPixel(1), tileToPixel(1));
}

}  // namespace

Map::Map() : backdrop(), backgroundTiles(), tiles() {}

Map::~Map() = default;

Map* Map::createTestMap(Graphics& graphics) {
  Map* map = new Map();
  map->backdrop.reset(new FixedBackdrop("Skyfill", graphics));

  const TileUnit num_rows = Game::kScreenHeight;
  const TileUnit num_cols = Game::kScreenWidth;
  map->tiles = std::vector<std::vector<Tile>>(num_rows, std::vector<Tile>(num_cols));
  map->backgroundTiles = std::vector<std::vector<boost::shared_ptr<Sprite>>>(
      num_rows, std::vector<boost::shared_ptr<Sprite>>(num_cols));

  const Tile wall_tile{makeTileType({WALL}), rockTile(graphics, 1, 0)};
  for (TileUnit col = 0; col < num_cols; ++col) map->tiles[13][col] = wall_tile;
  for (TileUnit row = 0; row < num_rows; ++row) map->tiles[row][0] = wall_tile;
  for (TileUnit row = 0; row < num_rows; ++row) map->tiles[row][num_cols - 1] = wall_tile;

  // The rock sheet draws the ceiling's slope kinds in its first row, the floor's below.
  Tile slope_tiles[kNumSlopeKinds];
  for (TileUnit i = 0; i < kNumSlopeKinds; ++i)
    slope_tiles[i] = Tile{kSlopeKinds[i], rockTile(graphics, i % 4 + 2, i / 4)};

  // 'W' is a wall, a digit a slope kind, '.' leaves the tile as it is.
  const auto place = [&](TileUnit row, TileUnit first_col, const std::string& pattern) {
    for (std::string::size_type i = 0; i < pattern.size(); ++i) {
      const char kind = pattern[i];
      Tile& tile = map->tiles[row][first_col + i];
      if (kind == 'W') tile = wall_tile;
      else if (kind >= '0' && kind < '0' + static_cast<int>(kNumSlopeKinds))
        tile = slope_tiles[kind - '0'];
    }
  };
  place(12, 1, "W47W5.67W4567WW.6W");
  place(11, 14, "67W");
  place(8, 1, "WWWWWW");
  place(9, 1, "W0123W");
  place(10, 13, "W");
  place(4, 12, "W");
  place(8, 11, "W");
  place(7, 10, "W");
  place(10, 11, "W");

  const boost::shared_ptr<Sprite> chain_top = rockTile(graphics, 11, 2);
  const boost::shared_ptr<Sprite> chain_middle = rockTile(graphics, 12, 2);
  const boost::shared_ptr<Sprite> chain_bottom = rockTile(graphics, 13, 2);
  place(2, 10, "W");
  map->backgroundTiles[3][10] = chain_top;
  map->backgroundTiles[4][10] = chain_middle;
  map->backgroundTiles[5][10] = chain_middle;
  map->backgroundTiles[6][10] = chain_bottom;
  return map;
}

void Map::drawBackground(Graphics& graphics) const {
  if (backdrop) backdrop->draw(graphics);
  for (TileUnit row = 0; row < backgroundTiles.size(); ++row) {
    for (TileUnit col = 0; col < backgroundTiles[row].size(); ++col) {
      if (backgroundTiles[row][col])
        backgroundTiles[row][col]->draw(graphics, tileToGame(col), tileToGame(row));
    }
  }
}

void Map::draw(Graphics& graphics) const {
  for (TileUnit row = 0; row < tiles.size(); ++row) {
    for (TileUnit col = 0; col < tiles[row].size(); ++col) {
      if (tiles[row][col].sprite)
        tiles[row][col].sprite->draw(graphics, tileToGame(col), tileToGame(row));
    }
  }
}

// Indices are unsigned and step by wrapping (a step of -1 is the largest value), so
// an index walking past 0 becomes huge and is caught by the grid test like one past
// the far edge; every loop therefore ends within a grid's length.
CollidingTiles Map::getCollidingTiles(const Rectangle& rectangle, SideType direction) const {
  const TileUnit kForward = 1;
  const TileUnit kBackward = static_cast<TileUnit>(-1);

  // The scan starts at the trailing edge and walks toward the leading one.
  const TileUnit first_primary = gameToTile(rectangle.side(oppositeSide(direction)));
  const TileUnit last_primary = gameToTile(rectangle.side(direction));
  const TileUnit primary_step = isMax(direction) ? kForward : kBackward;

  const bool vertical = isVertical(direction);
  const TileUnit secondary_low = gameToTile(vertical ? rectangle.left : rectangle.top);
  const TileUnit secondary_mid = gameToTile(vertical ? rectangle.centerX() : rectangle.centerY());
  const TileUnit secondary_high = gameToTile(vertical ? rectangle.right() : rectangle.bottom());
  // Across the motion the scan starts at the end nearer the centre, the high end on a tie.
  const bool low_first = secondary_mid - secondary_low < secondary_high - secondary_mid;
  const TileUnit secondary_first = low_first ? secondary_low : secondary_high;
  const TileUnit secondary_last = low_first ? secondary_high : secondary_low;
  const TileUnit secondary_step = low_first ? kForward : kBackward;

  CollidingTiles colliding_tiles;
  for (TileUnit primary = first_primary;; primary += primary_step) {
    for (TileUnit secondary = secondary_first;; secondary += secondary_step) {
      const TileUnit row = vertical ? primary : secondary;
      const TileUnit col = vertical ? secondary : primary;
      // The room's size is the rule; the grid's own size keeps an unfilled map safe.
      if (row >= Game::kScreenHeight || col >= Game::kScreenWidth || row >= tiles.size() ||
          col >= tiles[row].size())
        return colliding_tiles;
      colliding_tiles.push_back(CollisionTile{row, col, tiles[row][col].tileType});
      if (secondary == secondary_last) break;
    }
    if (primary == last_primary) break;
  }
  return colliding_tiles;
}
