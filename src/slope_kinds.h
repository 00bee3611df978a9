#pragma once

#include "tile_type.h"
#include "units.h"

// The slope kinds a room's layout numbers: 0-3 hang from the ceiling, 4-7 rest on the
// floor, and each pair of a tall and a short tile makes one slope across two tiles. The
// collisions, the map and the sheet tool's art check all read them here, so the drawn
// slopes and the solid ones cannot drift apart.
constexpr TileUnit kNumSlopeKinds = 8;

inline const TileType kSlopeKinds[kNumSlopeKinds] = {
    makeTileType({SLOPE, LEFT_SLOPE, TOP_SLOPE, TALL_SLOPE}),
    makeTileType({SLOPE, LEFT_SLOPE, TOP_SLOPE, SHORT_SLOPE}),
    makeTileType({SLOPE, RIGHT_SLOPE, TOP_SLOPE, SHORT_SLOPE}),
    makeTileType({SLOPE, RIGHT_SLOPE, TOP_SLOPE, TALL_SLOPE}),
    makeTileType({SLOPE, LEFT_SLOPE, BOTTOM_SLOPE, TALL_SLOPE}),
    makeTileType({SLOPE, LEFT_SLOPE, BOTTOM_SLOPE, SHORT_SLOPE}),
    makeTileType({SLOPE, RIGHT_SLOPE, BOTTOM_SLOPE, SHORT_SLOPE}),
    makeTileType({SLOPE, RIGHT_SLOPE, BOTTOM_SLOPE, TALL_SLOPE}),
};

// Positive when the surface goes down as x grows.
inline float slopeOf(const TileType& tileType) {
  return containsAll(tileType, {RIGHT_SLOPE, TOP_SLOPE}) ||
                 containsAll(tileType, {LEFT_SLOPE, BOTTOM_SLOPE})
             ? 0.5f
             : -0.5f;
}

// The surface's height at the tile's left edge, measured down from its top. With these
// offsets a tall and a short tile join into one slope across two tiles.
inline GameUnit slopeOffsetOf(const TileType& tileType) {
  if (containsAll(tileType, {LEFT_SLOPE, TOP_SLOPE, TALL_SLOPE}) ||
      containsAll(tileType, {RIGHT_SLOPE, BOTTOM_SLOPE, SHORT_SLOPE}))
    return tileToGame(1);
  if (containsAll(tileType, {LEFT_SLOPE, BOTTOM_SLOPE, TALL_SLOPE}) ||
      containsAll(tileType, {RIGHT_SLOPE, TOP_SLOPE, SHORT_SLOPE}))
    return 0.0f;
  return kHalfTile;
}
