#pragma once

#include "rectangle.h"
#include "units.h"

class Graphics;
class Map;

// Anything lying in the level for the player to collect.
class Pickup {
 public:
  // What a pickup gives; 1 is left unused.
  enum PickupType { HEALTH = 0, EXPERIENCE = 2 };

  // Every kind of pickup lies about this long before it goes by itself.
  static constexpr Millis kLifetime = 8000;

  virtual Rectangle collisionRectangle() const = 0;
  virtual void draw(Graphics& graphics) = 0;
  // False once the pickup has expired.
  virtual bool update(Millis elapsedTime, const Map& map) = 0;
  virtual int value() const = 0;
  virtual PickupType type() const = 0;
  virtual ~Pickup() = default;
};
