#pragma once

#include "side_type.h"
#include "tile_type.h"

// The eight slope kinds of the room, by their number in its layout.
inline const TileType kSlopes[8] = {
    makeTileType({SLOPE, LEFT_SLOPE, TOP_SLOPE, TALL_SLOPE}),
    makeTileType({SLOPE, LEFT_SLOPE, TOP_SLOPE, SHORT_SLOPE}),
    makeTileType({SLOPE, RIGHT_SLOPE, TOP_SLOPE, SHORT_SLOPE}),
    makeTileType({SLOPE, RIGHT_SLOPE, TOP_SLOPE, TALL_SLOPE}),
    makeTileType({SLOPE, LEFT_SLOPE, BOTTOM_SLOPE, TALL_SLOPE}),
    makeTileType({SLOPE, LEFT_SLOPE, BOTTOM_SLOPE, SHORT_SLOPE}),
    makeTileType({SLOPE, RIGHT_SLOPE, BOTTOM_SLOPE, SHORT_SLOPE}),
    makeTileType({SLOPE, RIGHT_SLOPE, BOTTOM_SLOPE, TALL_SLOPE}),
};

// For failure messages.
inline const char* sideName(SideType side) {
  switch (side) {
    case TOP_SIDE: return "TOP_SIDE";
    case BOTTOM_SIDE: return "BOTTOM_SIDE";
    case LEFT_SIDE: return "LEFT_SIDE";
    default: return "RIGHT_SIDE";
  }
}
