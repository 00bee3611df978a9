#pragma once

#include <boost/scoped_ptr.hpp>
#include <boost/shared_ptr.hpp>
#include <vector>

#include "collision_tile.h"
#include "rectangle.h"
#include "side_type.h"
#include "tile_type.h"

class Backdrop;
class Graphics;
class Sprite;

// The level: a grid of collision tiles with foreground sprites, a grid of
// decorative background sprites and the backdrop behind them.
class Map {
 public:
  struct Tile {
    TileType tileType = makeTileType({EMPTY});
    boost::shared_ptr<Sprite> sprite;
  };

  Map();
  ~Map();
  Map(const Map&) = delete;
  Map& operator=(const Map&) = delete;

  // The program's one room; the caller owns the result.
  static Map* createTestMap(Graphics& graphics);

  void drawBackground(Graphics& graphics) const;
  void draw(Graphics& graphics) const;

  // Every tile under the rectangle, empty ones included, in the order a body moving
  // toward direction meets them.
  CollidingTiles getCollidingTiles(const Rectangle& rectangle, SideType direction) const;

  boost::scoped_ptr<Backdrop> backdrop;
  std::vector<std::vector<boost::shared_ptr<Sprite>>> backgroundTiles;
  std::vector<std::vector<Tile>> tiles;
};
