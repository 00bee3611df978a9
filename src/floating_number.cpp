#include "floating_number.h"

#include <algorithm>

#include "number_sprite.h"

namespace {

const Velocity kRiseVelocity = -kHalfTile / 250;
const GameUnit kMaxRise = tileToGame(1);
const Millis kNumberLifetime = 2000;

}  // namespace

FloatingNumber::FloatingNumber(NumberType type)
    : shouldRise(true),
      centerX(0.0f),
      centerY(0.0f),
      value(0),
      offsetY(0.0f),
      timer(kNumberLifetime),
      type(type) {}

// A hit while the number shows freezes it where it is, so the sum stays readable.
void FloatingNumber::addValue(int amount) {
  shouldRise = value == 0;
  if (shouldRise) offsetY = 0.0f;
  value += amount;
  timer.reset();
}

void FloatingNumber::setPosition(GameUnit centerX, GameUnit centerY) {
  this->centerX = centerX;
  this->centerY = centerY;
}

bool FloatingNumber::update(Millis elapsedTime) {
  if (timer.expired()) value = 0;
  if (shouldRise) {
    offsetY = std::max(-kMaxRise, offsetY + kRiseVelocity * static_cast<float>(elapsedTime));
  }
  return timer.active();
}

void FloatingNumber::draw(Graphics& graphics) const {
  if (timer.expired()) return;
  switch (type) {
    case DAMAGE:
      NumberSprite::damageNumber(graphics, value).drawCentered(graphics, centerX,
                                                               centerY + offsetY);
      break;
    case EXPERIENCE:
      NumberSprite::experienceNumber(graphics, value)
          .drawCentered(graphics, centerX, centerY + offsetY);
      break;
  }
}
