#include "map_collidable.h"

#include "accelerator.h"
#include "collision_rectangle.h"
#include "collision_tile.h"
#include "kinematics.h"
#include "map.h"

namespace {

// Walks the tiles under the box in scan order. The first-hit search, the sticky one,
// returns the first tile met and may snap onto a slope; the other keeps the hit nearest
// the body along the motion, whatever the scan order.
boost::optional<CollisionInfo> searchMap(const Map& map, const Rectangle& rectangle,
                                         SideType direction,
                                         const boost::optional<TileType>& groundTile,
                                         bool firstHit) {
  const SideType side = oppositeSide(direction);
  boost::optional<CollisionInfo> result;
  for (const CollisionTile& tile : map.getCollidingTiles(rectangle, direction)) {
    const TestCollisionInfo test = testTileCollision(tile, rectangle, direction, isVertical(side));
    if (test.isColliding) {
      if (firstHit) return CollisionInfo{test.position, tile.tileType};
      // Ties keep the earlier tile.
      if (!result || (isMin(side) && result->position > test.position) ||
          (isMax(side) && test.position > result->position))
        result = CollisionInfo{test.position, tile.tileType};
      continue;
    }
    // A body that stood on the ground stays on it while walking down a slope or
    // stepping from flat ground onto the tall end of one, instead of falling.
    if (firstHit && groundTile && direction == BOTTOM_SIDE) {
      bool snap = false;
      if (groundTile->test(SLOPE) && tile.tileType.test(SLOPE)) snap = true;
      else if (groundTile->test(WALL)) snap = containsAll(tile.tileType, {SLOPE, TALL_SLOPE});
      if (snap) return CollisionInfo{test.position, tile.tileType};
    }
  }
  return result;
}

}  // namespace

// A slope's line is met under the box's centre even where the centre has passed the
// slope's column: beside a slope's foot the feet then rest up to half their width times
// the gradient below the floor, and come back up once they leave the column.
TestCollisionInfo testTileCollision(const CollisionTile& tile, const Rectangle& rectangle,
                                    SideType direction, bool shouldTestSlopes) {
  const SideType side = oppositeSide(direction);
  const GameUnit perpendicular_position =
      isVertical(side) ? rectangle.centerX() : rectangle.centerY();
  return tile.testCollision(side, perpendicular_position, rectangle.side(direction),
                            shouldTestSlopes);
}

void MapCollidable::updateX(const CollisionRectangle& collisionRectangle,
                            const Accelerator& accelerator, Kinematics& kinematicsX,
                            Kinematics& kinematicsY, Millis elapsedTime, const Map& map) {
  update(collisionRectangle, accelerator, kinematicsX, kinematicsY, elapsedTime, map,
         boost::none, X_AXIS);
}

void MapCollidable::updateY(const CollisionRectangle& collisionRectangle,
                            const Accelerator& accelerator, Kinematics& kinematicsX,
                            Kinematics& kinematicsY, Millis elapsedTime, const Map& map,
                            const boost::optional<TileType>& groundTile) {
  update(collisionRectangle, accelerator, kinematicsX, kinematicsY, elapsedTime, map,
         groundTile, Y_AXIS);
}

void MapCollidable::update(const CollisionRectangle& collisionRectangle,
                           const Accelerator& accelerator, Kinematics& kinematicsX,
                           Kinematics& kinematicsY, Millis elapsedTime, const Map& map,
                           const boost::optional<TileType>& groundTile, AxisType axis) {
  const auto test_map_collision =
      collisionType == STICKY_COLLISION ? testMapStickyCollision : testMapBouncingCollision;
  Kinematics& kinematics = axis == X_AXIS ? kinematicsX : kinematicsY;

  accelerator.updateVelocity(kinematics, elapsedTime);
  const GameUnit delta =
      static_cast<float>(static_cast<double>(elapsedTime)) * kinematics.velocity;

  // Standing still tests the left or top side with no length.
  const SideType direction = axis == X_AXIS ? (delta > 0 ? RIGHT_SIDE : LEFT_SIDE)
                                            : (delta > 0 ? BOTTOM_SIDE : TOP_SIDE);
  {
    const boost::optional<CollisionInfo> info = test_map_collision(
        map,
        collisionRectangle.collision(direction, kinematicsX.position, kinematicsY.position,
                                     delta),
        direction, groundTile);
    if (info) {
      kinematics.position = info->position - collisionRectangle.boundingBox().side(direction);
      onCollision(direction, true, info->tileType);
    } else {
      kinematics.position += delta;
      onDelta(direction);
    }
  }

  // Push the body out of anything its trailing side has come to overlap; there is no
  // ground to snap to on the way back. Behind a fall only the column under the centre
  // counts: a body that lands in a corner beside a taller wall would otherwise be pushed
  // down to that wall's bottom, through the floor. Behind a rise the whole side counts,
  // so feet caught by a ledge's edge step up onto it.
  const SideType opposite = oppositeSide(direction);
  Rectangle trailing =
      collisionRectangle.collision(opposite, kinematicsX.position, kinematicsY.position, 0);
  if (direction == BOTTOM_SIDE)
    trailing = Rectangle(trailing.centerX(), trailing.top, 0.0f, trailing.height);
  const boost::optional<CollisionInfo> info =
      test_map_collision(map, trailing, opposite, boost::none);
  if (info) {
    kinematics.position = info->position - collisionRectangle.boundingBox().side(opposite);
    onCollision(opposite, false, info->tileType);
  }
}

boost::optional<CollisionInfo> testMapStickyCollision(
    const Map& map, const Rectangle& rectangle, SideType direction,
    const boost::optional<TileType>& groundTile) {
  return searchMap(map, rectangle, direction, groundTile, true);
}

boost::optional<CollisionInfo> testMapBouncingCollision(const Map& map,
                                                        const Rectangle& rectangle,
                                                        SideType direction,
                                                        const boost::optional<TileType>&) {
  return searchMap(map, rectangle, direction, boost::none, false);
}
