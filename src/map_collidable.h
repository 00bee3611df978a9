#pragma once

#include <boost/optional.hpp>

#include "rectangle.h"
#include "side_type.h"
#include "tile_type.h"
#include "units.h"

class Accelerator;
class CollisionRectangle;
class Map;
struct CollisionTile;
struct Kinematics;
struct TestCollisionInfo;

enum CollisionType { STICKY_COLLISION = 0, BOUNCING_COLLISION = 1 };

// What a map search hit: the obstacle's edge or slope surface on the axis of motion.
struct CollisionInfo {
  GameUnit position;
  TileType tileType;
};

enum AxisType { X_AXIS = 0, Y_AXIS = 1 };

// Moves a body through the map one axis at a time and tells it what happened;
// stopping, landing and bouncing are left to the body's callbacks.
class MapCollidable {
 public:
  explicit MapCollidable(CollisionType collisionType) : collisionType(collisionType) {}

  // isDeltaDirection is false for the push-out of the trailing side.
  virtual void onCollision(SideType side, bool isDeltaDirection, const TileType& tileType) = 0;
  virtual void onDelta(SideType side) = 0;
  virtual ~MapCollidable() = default;

  void updateX(const CollisionRectangle& collisionRectangle, const Accelerator& accelerator,
               Kinematics& kinematicsX, Kinematics& kinematicsY, Millis elapsedTime,
               const Map& map);
  void updateY(const CollisionRectangle& collisionRectangle, const Accelerator& accelerator,
               Kinematics& kinematicsX, Kinematics& kinematicsY, Millis elapsedTime,
               const Map& map, const boost::optional<TileType>& groundTile);
  // Moves the record of the axis; the side boxes are placed at both.
  void update(const CollisionRectangle& collisionRectangle, const Accelerator& accelerator,
              Kinematics& kinematicsX, Kinematics& kinematicsY, Millis elapsedTime,
              const Map& map, const boost::optional<TileType>& groundTile, AxisType axis);

  CollisionType collisionType;
};

// The first hit in scan order; a body on the ground also snaps down onto slopes.
boost::optional<CollisionInfo> testMapStickyCollision(
    const Map& map, const Rectangle& rectangle, SideType direction,
    const boost::optional<TileType>& groundTile);
// The hit nearest the body along the motion, whatever the scan order.
boost::optional<CollisionInfo> testMapBouncingCollision(
    const Map& map, const Rectangle& rectangle, SideType direction,
    const boost::optional<TileType>& groundTile);
// Tests the tile's side that faces a box moving toward direction: the box's leading
// edge, with the slope's line taken under the box's centre.
TestCollisionInfo testTileCollision(const CollisionTile& tile, const Rectangle& rectangle,
                                    SideType direction, bool shouldTestSlopes);
