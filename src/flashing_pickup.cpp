#include "flashing_pickup.h"

#include <boost/make_shared.hpp>

namespace {

const char* const kSheet = "Glyphs";
const TileUnit kDissipatingX = 1;
const TileUnit kDissipatingY = 0;

const Millis kStartPeriod = 400;
const float kPeriodShrink = 0.025f;
const Millis kFadeStart = 7000;
const Millis kFadePeriod = 75;
const Millis kDissipateStart = 7975;

const TileUnit kHeartX = 2;
const TileUnit kHeartY = 5;
const Rectangle kHeartRectangle(5, 8, 21, 19);
const int kHeartValue = 2;

}  // namespace

FlashingPickup::FlashingPickup(Graphics& graphics, GameUnit centerX, GameUnit centerY,
                               TileUnit sourceX, TileUnit sourceY, const Rectangle& rectangle,
                               int value, Pickup::PickupType type)
    : sprite(graphics, kSheet, tileToPixel(sourceX), tileToPixel(sourceY), tileToPixel(1),
             tileToPixel(1)),
      flashSprite(graphics, kSheet, tileToPixel(sourceX + 1), tileToPixel(sourceY),
                  tileToPixel(1), tileToPixel(1)),
      dissipatingSprite(graphics, kSheet, tileToPixel(kDissipatingX), tileToPixel(kDissipatingY),
                        tileToPixel(1), tileToPixel(1)),
      x(centerX - kHalfTile),
      y(centerY - kHalfTile),
      timer(kLifetime, true),
      flashPeriod(kStartPeriod),
      rectangle(rectangle),
      pickupValue(value),
      pickupType(type) {}

boost::shared_ptr<Pickup> FlashingPickup::heartPickup(Graphics& graphics, GameUnit centerX,
                                                      GameUnit centerY) {
  return boost::make_shared<FlashingPickup>(graphics, centerX, centerY, kHeartX, kHeartY,
                                            kHeartRectangle, kHeartValue, HEALTH);
}

Rectangle FlashingPickup::collisionRectangle() const {
  return Rectangle(x + rectangle.left, y + rectangle.top, rectangle.width, rectangle.height);
}

void FlashingPickup::draw(Graphics& graphics) {
  const Millis time = timer.currentTime();
  if (time > kDissipateStart) {
    dissipatingSprite.draw(graphics, x, y);
  } else if (time > kFadeStart) {
    // Its last second adds a blank phase, so it reads as going.
    switch (time / flashPeriod % 3) {
      case 0:
        sprite.draw(graphics, x, y);
        break;
      case 1:
        flashSprite.draw(graphics, x, y);
        break;
      default:
        break;
    }
  } else if (time / flashPeriod % 2 == 0) {
    sprite.draw(graphics, x, y);
  } else {
    flashSprite.draw(graphics, x, y);
  }
}

// The shrinking period stays at 225 ms or more because it is only computed before 7000 ms,
// which keeps the truncation to an unsigned count defined.
bool FlashingPickup::update(Millis, const Map&) {
  const Millis time = timer.currentTime();
  flashPeriod = time < kFadeStart
                    ? static_cast<Millis>(static_cast<float>(kStartPeriod) -
                                          kPeriodShrink * static_cast<float>(time))
                    : kFadePeriod;
  return timer.active();
}

int FlashingPickup::value() const { return pickupValue; }

Pickup::PickupType FlashingPickup::type() const { return pickupType; }
