#include "player_health.h"

#include <algorithm>
#include <string>

#include "graphics.h"
#include "number_sprite.h"

namespace {

const Millis kDamageDelay = 1500;

const std::string kHudSheet = "Panels";
const GameUnit kHealthBarX = tileToGame(1);
const GameUnit kHealthBarY = tileToGame(2);
const GameUnit kHealthBarSourceY = 5 * kHalfTile;
const GameUnit kHealthBarSourceWidth = tileToGame(4);
const GameUnit kHealthBarSourceHeight = kHalfTile;
const GameUnit kHealthFillX = 5 * kHalfTile;
const GameUnit kHealthFillSourceY = 3 * kHalfTile;
const GameUnit kDamageFillSourceY = tileToGame(2);
const GameUnit kFillMaxWidth = 5 * kHalfTile - 2.0f;
const GameUnit kHealthNumberX = 3 * kHalfTile;
const int kHealthNumberDigits = 2;

}  // namespace

PlayerHealthState::PlayerHealthState(Graphics& graphics)
    : damage(0),
      damageTimer(kDamageDelay),
      maxHealth(6),
      currentHealth(6),
      healthBarSprite(graphics, kHudSheet, 0, gameToPixel(kHealthBarSourceY),
                      gameToPixel(kHealthBarSourceWidth), gameToPixel(kHealthBarSourceHeight)),
      healthFillSprite(graphics, kHudSheet, 0, gameToPixel(kHealthFillSourceY),
                       gameToPixel(kFillMaxWidth), gameToPixel(kFillMaxWidth),
                       gameToPixel(kHalfTile)),
      damageFillSprite(graphics, kHudSheet, 0, gameToPixel(kDamageFillSourceY),
                       gameToPixel(kFillMaxWidth), 0, gameToPixel(kHalfTile)) {}

void PlayerHealthState::update(Millis) {
  if (damage > 0 && damageTimer.expired()) {
    currentHealth -= damage;
    damage = 0;
  }
}

// A hit never takes more than is left, so the bar and the number stay in range
// however often the player is hit at zero health.
void PlayerHealthState::takeDamage(HealthPoints amount) {
  damage = std::min(amount, currentHealth);
  damageTimer.reset();
  resetFillSprites();
}

void PlayerHealthState::addHealth(HealthPoints amount) {
  // Healing cancels pending damage first; the timer is left to drain the rest.
  if (damage > amount) {
    damage -= amount;
    amount = 0;
  } else if (damage > 0) {
    amount -= damage;
    damage = 0;
  }
  currentHealth = std::min(maxHealth, currentHealth + amount);
  resetFillSprites();
}

void PlayerHealthState::resetFillSprites() {
  healthFillSprite.setPercentage(static_cast<float>(currentHealth - damage) /
                                 static_cast<float>(maxHealth));
  damageFillSprite.setPercentage(static_cast<float>(currentHealth) /
                                 static_cast<float>(maxHealth));
}

void PlayerHealthState::draw(Graphics& graphics) const {
  healthBarSprite.draw(graphics, kHealthBarX, kHealthBarY);
  // The health fill covers the damage fill, leaving only the segment just lost.
  if (damage > 0) damageFillSprite.draw(graphics, kHealthFillX, kHealthBarY);
  healthFillSprite.draw(graphics, kHealthFillX, kHealthBarY);
  NumberSprite::hudNumber(graphics, currentHealth, kHealthNumberDigits)
      .draw(graphics, kHealthNumberX, kHealthBarY);
}
