#include "head_bump_particle.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

const std::string kSpriteName = "Sparks";
const GameUnit kSourceX = 116.0f;
const GameUnit kSourceY = 54.0f;
const GameUnit kSourceSize = 6.0f;
const Millis kLifetime = 600;
const Velocity kSpeed = 0.12f;
const Millis kFlashPeriod = 25;

Degrees randomAngle() { return static_cast<Degrees>(std::rand() % 360); }

GameUnit randomMaxOffset() { return 4.0f + static_cast<GameUnit>(std::rand() % 16); }

}  // namespace

// The members are initialised in declaration order, which fixes the order of the
// four rand() calls.
HeadBumpParticle::HeadBumpParticle(Graphics& graphics, GameUnit centerX, GameUnit centerY)
    : centerX(centerX),
      centerY(centerY),
      sprite(graphics, kSpriteName, gameToPixel(kSourceX), gameToPixel(kSourceY),
             gameToPixel(kSourceSize), gameToPixel(kSourceSize)),
      liveTimer(kLifetime, true),
      particleA(0.0f, randomAngle()),
      particleB(0.0f, randomAngle()),
      maxOffsetA(randomMaxOffset()),
      maxOffsetB(randomMaxOffset()) {}

bool HeadBumpParticle::update(Millis elapsedTime) {
  const GameUnit step = kSpeed * static_cast<float>(elapsedTime);
  particleA.magnitude = std::min(particleA.magnitude + step, maxOffsetA);
  particleB.magnitude = std::min(particleB.magnitude + step, maxOffsetB);
  return liveTimer.active();
}

void HeadBumpParticle::draw(Graphics& graphics) const {
  if ((liveTimer.currentTime() / kFlashPeriod) % 2 == 1) return;
  sprite.draw(graphics, centerX + particleA.x(), centerY + particleA.y());
  sprite.draw(graphics, centerX + particleB.x(), centerY + particleB.y());
}
