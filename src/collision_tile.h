#pragma once

#include "side_type.h"
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

// Positive when the surface goes down as x grows.
float slopeOf(const TileType& tileType);
// The surface's height at the tile's left edge, measured down from its top.
GameUnit slopeOffsetOf(const TileType& tileType);
