#pragma once

#include <boost/shared_ptr.hpp>
#include <map>

#include "damageable.h"
#include "facing.h"
#include "rectangle.h"
#include "units.h"

class FloatingNumber;
class Graphics;
class Sprite;

// The one enemy: hovers on a sine wave facing the player and dies from any hit.
class CaveBat : public Damageable {
 public:
  struct SpriteState {
    explicit SpriteState(HorizontalFacing horizontalFacing)
        : horizontalFacing(horizontalFacing) {}

    bool operator<(const SpriteState& other) const {
      return horizontalFacing < other.horizontalFacing;
    }

    HorizontalFacing horizontalFacing;
  };

  CaveBat(Graphics& graphics, GameUnit x, GameUnit y);

  // playerX is the player's centre; false once the bat has been hit.
  bool update(Millis elapsedTime, GameUnit playerX);
  void draw(Graphics& graphics) const;

  GameUnit centerX() const override { return x + kHalfTile; }
  GameUnit centerY() const override { return y + kHalfTile; }
  boost::shared_ptr<FloatingNumber> getDamageText() override { return damageText; }

  Rectangle damageRectangle() const;
  // A point at the centre, so the player is hurt only by the body, not the wings.
  Rectangle contactRectangle() const;
  HealthPoints contactDamage() const;
  void takeDamage(HealthPoints damage);

  GameUnit flightCenterY;
  bool alive;
  GameUnit x;
  GameUnit y;
  Degrees flightAngle;
  HorizontalFacing facing;
  std::map<SpriteState, boost::shared_ptr<Sprite>> sprites;
  boost::shared_ptr<FloatingNumber> damageText;

 private:
  void initializeSprites(Graphics& graphics);
  void initializeSprite(Graphics& graphics, const SpriteState& spriteState);
  SpriteState getSpriteState() const;
};
