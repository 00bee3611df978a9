#pragma once

#include "rectangle.h"
#include "units.h"

// Anything the world tests against the enemy.
class Projectile {
 public:
  // In world game units.
  virtual Rectangle collisionRectangle() const = 0;
  virtual HealthPoints contactDamage() const = 0;
  // The projectile vanishes at its next update, so the enemy is hit once.
  virtual void collideWithEnemy() = 0;
  virtual ~Projectile() = default;
};
