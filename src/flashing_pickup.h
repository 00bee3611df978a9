#pragma once

#include <boost/shared_ptr.hpp>

#include "pickup.h"
#include "rectangle.h"
#include "sprite.h"
#include "timer.h"
#include "units.h"

class Graphics;
class Map;

// A pickup that floats in place, flashing faster as it ages.
class FlashingPickup : public Pickup {
 public:
  // rectangle must outlive the pickup: pickups of one kind share one constant box.
  FlashingPickup(Graphics& graphics, GameUnit centerX, GameUnit centerY, TileUnit sourceX,
                 TileUnit sourceY, const Rectangle& rectangle, int value,
                 Pickup::PickupType type);

  static boost::shared_ptr<Pickup> heartPickup(Graphics& graphics, GameUnit centerX,
                                               GameUnit centerY);

  Rectangle collisionRectangle() const override;
  void draw(Graphics& graphics) override;
  bool update(Millis elapsedTime, const Map& map) override;
  int value() const override;
  PickupType type() const override;

  Sprite sprite;
  Sprite flashSprite;
  Sprite dissipatingSprite;
  GameUnit x;
  GameUnit y;
  Timer timer;
  Millis flashPeriod;
  const Rectangle& rectangle;
  // Named apart from value() and type(), which return them.
  int pickupValue;
  PickupType pickupType;
};
