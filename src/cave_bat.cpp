#include "cave_bat.h"

#include <boost/make_shared.hpp>
#include <cmath>
#include <string>

#include "animated_sprite.h"
#include "floating_number.h"

namespace {

const std::string kSpriteName = "Gravefolk";
// One full bob every 3000 ms.
const AngularVelocity kAngularVelocity = 0.12f;
const GameUnit kFlightAmplitude = 5 * kHalfTile;
const Fps kFlyFps = 13;
const FrameIndex kNumFlyFrames = 3;
const HealthPoints kContactDamage = 1;
const TileUnit kFirstFrameColumn = 2;
const TileUnit kLeftRow = 2;
const TileUnit kRightRow = 3;

}  // namespace

CaveBat::CaveBat(Graphics& graphics, GameUnit x, GameUnit y)
    : flightCenterY(y),
      alive(true),
      x(x),
      y(y),
      flightAngle(0.0f),
      facing(RIGHT),
      sprites(),
      damageText(boost::make_shared<FloatingNumber>(FloatingNumber::DAMAGE)) {
  initializeSprites(graphics);
}

// Keeps moving and flapping in the update that reports death; the world drops it after.
bool CaveBat::update(Millis elapsedTime, GameUnit playerX) {
  flightAngle += kAngularVelocity * static_cast<float>(elapsedTime);
  // Placed before the bob, so the number trails the bat by a frame.
  damageText->setPosition(centerX(), centerY());
  facing = x + kHalfTile > playerX ? LEFT : RIGHT;
  y = static_cast<GameUnit>(flightCenterY +
                            kFlightAmplitude * std::sin(degreesToRadians(flightAngle)));
  sprites.at(getSpriteState())->update();
  return alive;
}

void CaveBat::draw(Graphics& graphics) const {
  sprites.at(getSpriteState())->draw(graphics, x, y);
}

Rectangle CaveBat::damageRectangle() const {
  return Rectangle(x, y, tileToGame(1), tileToGame(1));
}

Rectangle CaveBat::contactRectangle() const {
  return Rectangle(x + kHalfTile, y + kHalfTile, 0.0f, 0.0f);
}

HealthPoints CaveBat::contactDamage() const { return kContactDamage; }

// No hit points: the first projectile of any strength kills.
void CaveBat::takeDamage(HealthPoints damage) {
  damageText->addValue(damage);
  alive = false;
}

void CaveBat::initializeSprites(Graphics& graphics) {
  initializeSprite(graphics, SpriteState(LEFT));
  initializeSprite(graphics, SpriteState(RIGHT));
}

void CaveBat::initializeSprite(Graphics& graphics, const SpriteState& spriteState) {
  const TileUnit row = spriteState.horizontalFacing == RIGHT ? kRightRow : kLeftRow;
  sprites[spriteState] = boost::make_shared<AnimatedSprite>(
      graphics, kSpriteName, tileToPixel(kFirstFrameColumn), tileToPixel(row), tileToPixel(1),
      tileToPixel(1), kFlyFps, kNumFlyFrames);
}

CaveBat::SpriteState CaveBat::getSpriteState() const { return SpriteState(facing); }
