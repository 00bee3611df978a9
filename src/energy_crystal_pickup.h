#pragma once

#include "animated_sprite.h"
#include "kinematics.h"
#include "map_collidable.h"
#include "pickup.h"
#include "rectangle.h"
#include "side_type.h"
#include "timer.h"
#include "units.h"

class Graphics;
class Map;

// Experience that bounces about the floor until it is collected or expires.
class EnergyCrystalPickup : public Pickup, public MapCollidable {
 public:
  // The numeric values index the per-size tables and the sheet rows.
  enum SizeType { SMALL = 0, MEDIUM = 1, LARGE = 2 };

  EnergyCrystalPickup(Graphics& graphics, GameUnit centerX, GameUnit centerY, SizeType size);

  Rectangle collisionRectangle() const override;
  void draw(Graphics& graphics) override;
  bool update(Millis elapsedTime, const Map& map) override;
  int value() const override;
  PickupType type() const override;

  void onCollision(SideType side, bool isDeltaDirection, const TileType& tileType) override;
  void onDelta(SideType side) override;

  Kinematics kinematicsX;
  Kinematics kinematicsY;
  AnimatedSprite sprite;
  SizeType size;
  Timer timer;
};
