#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "side_type.h"
#include "slope_kinds.h"
#include "tile_type.h"
#include "units.h"

struct TestCollisionInfo {
  bool isColliding;
  GameUnit position;
};

// One map tile under a moving box, as listed by Map::getCollidingTiles.
struct CollisionTile {
  // side is the tile's side the body meets; perpendicularPosition is the body's
  // centre on the other axis, leadingPosition its leading edge on this one.
  TestCollisionInfo testCollision(SideType side, GameUnit perpendicularPosition,
                                  GameUnit leadingPosition, bool shouldTestSlopes) const;

  TileUnit row;
  TileUnit col;
  TileType tileType;
};

// The tiles of one map search, in scan order. A body spans a few tiles even in the
// longest frame, so they live inline and only a far larger rectangle uses the heap:
// bodies search the map several times a frame.
class CollidingTiles {
 public:
  static constexpr std::size_t kInlineTiles = 8;

  void push_back(const CollisionTile& tile) {
    if (spilled.empty() && count < kInlineTiles) {
      inlineTiles[count++] = tile;
      return;
    }
    if (spilled.empty()) spilled.assign(inlineTiles.begin(), inlineTiles.end());
    spilled.push_back(tile);
    ++count;
  }

  const CollisionTile* begin() const {
    return spilled.empty() ? inlineTiles.data() : spilled.data();
  }
  const CollisionTile* end() const { return begin() + count; }
  std::size_t size() const { return count; }
  bool empty() const { return count == 0; }
  const CollisionTile& operator[](std::size_t index) const { return begin()[index]; }

 private:
  std::array<CollisionTile, kInlineTiles> inlineTiles{};
  std::vector<CollisionTile> spilled;
  std::size_t count = 0;
};
