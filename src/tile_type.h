#pragma once

#include <bitset>
#include <cstddef>
#include <initializer_list>

#include "side_type.h"

// Bit positions of a tile type; the values are fixed.
enum TileFlag {
  EMPTY = 0,
  WALL = 1,
  SLOPE = 2,
  LEFT_SLOPE = 3,
  RIGHT_SLOPE = 4,
  TOP_SLOPE = 5,
  BOTTOM_SLOPE = 6,
  TALL_SLOPE = 7,
  SHORT_SLOPE = 8,
};

constexpr std::size_t kNumTileFlags = 9;

using TileType = std::bitset<kNumTileFlags>;

inline TileType makeTileType(std::initializer_list<TileFlag> flags) {
  TileType type;
  for (const TileFlag flag : flags) type.set(flag);
  return type;
}

// True when every one of the flags is in the type; an empty list is always contained.
inline bool containsAll(const TileType& type, std::initializer_list<TileFlag> flags) {
  for (const TileFlag flag : flags) {
    if (!type.test(flag)) return false;
  }
  return true;
}

inline TileFlag slopeFlagFor(SideType side) {
  switch (side) {
    case TOP_SIDE: return TOP_SLOPE;
    case BOTTOM_SIDE: return BOTTOM_SLOPE;
    case LEFT_SIDE: return LEFT_SLOPE;
    default: return RIGHT_SLOPE;
  }
}
