#pragma once

#include "sprite.h"
#include "timer.h"
#include "units.h"
#include "varying_width_sprite.h"

class Graphics;

// The player's hit points and the health row of the HUD (Player::Health). Damage shows
// at once but drains late.
class PlayerHealthState {
 public:
  explicit PlayerHealthState(Graphics& graphics);

  void update(Millis elapsedTime);
  // Never takes more than is left: the game has no death.
  void takeDamage(HealthPoints amount);
  void addHealth(HealthPoints amount);
  void resetFillSprites();
  void draw(Graphics& graphics) const;

  HealthPoints damage;
  Timer damageTimer;
  HealthPoints maxHealth;
  HealthPoints currentHealth;
  Sprite healthBarSprite;
  VaryingWidthSprite healthFillSprite;
  VaryingWidthSprite damageFillSprite;
};
