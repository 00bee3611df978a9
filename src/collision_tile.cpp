#include "collision_tile.h"

TestCollisionInfo CollisionTile::testCollision(SideType side, GameUnit perpendicularPosition,
                                               GameUnit leadingPosition,
                                               bool shouldTestSlopes) const {
  TestCollisionInfo info{false, leadingPosition};
  if (tileType.test(WALL)) {
    info.isColliding = true;
    switch (side) {
      case TOP_SIDE: info.position = tileToGame(row); break;
      case BOTTOM_SIDE: info.position = tileToGame(row + 1); break;
      case LEFT_SIDE: info.position = tileToGame(col); break;
      default: info.position = tileToGame(col + 1); break;
    }
    return info;
  }
  // Only the sloped surface blocks: the flat solid faces of a slope (the side its
  // own flag names) always back onto walls, which do the blocking there.
  if (shouldTestSlopes && tileType.test(SLOPE) && !tileType.test(slopeFlagFor(side))) {
    const GameUnit row_y = tileToGame(row);
    const GameUnit col_x = tileToGame(col);
    const float slope = slopeOf(tileType);
    const GameUnit offset = slopeOffsetOf(tileType);
    const GameUnit calculated =
        isVertical(side) ? slope * (perpendicularPosition - col_x) + offset + row_y
                         : (perpendicularPosition - row_y - offset) / slope + col_x;
    info.isColliding = isMax(side) ? calculated >= leadingPosition : leadingPosition >= calculated;
    info.position = calculated;
  }
  return info;
}
