#include "death_cloud_particle.h"

#include <boost/make_shared.hpp>
#include <cstdlib>
#include <string>

#include "particle_system.h"

namespace {

const std::string kSpriteName = "Glyphs";
const Fps kFps = 18;
const FrameIndex kNumFrames = 7;
const Velocity kBaseVelocity = 0.12f;

}  // namespace

DeathCloudParticle::DeathCloudParticle(Graphics& graphics, GameUnit centerX, GameUnit centerY,
                                       Velocity speed, Degrees angle)
    : x(centerX - kHalfTile),
      y(centerY - kHalfTile),
      speed(speed),
      offset(0.0f, angle),
      sprite(graphics, kSpriteName, tileToPixel(1), tileToPixel(0), tileToPixel(1),
             tileToPixel(1), kFps, kNumFrames) {}

bool DeathCloudParticle::update(Millis elapsedTime) {
  sprite.update();
  offset.magnitude += speed * static_cast<float>(elapsedTime);
  return sprite.numCompletedLoops() == 0;
}

void DeathCloudParticle::draw(Graphics& graphics) const {
  sprite.draw(graphics, x + offset.x(), y + offset.y());
}

void DeathCloudParticle::createRandomDeathClouds(ParticleTools& particleTools, GameUnit centerX,
                                                 GameUnit centerY, int numParticles) {
  for (int i = 0; i < numParticles; ++i) {
    // Separate statements fix the order of the two draws.
    const Degrees angle = static_cast<Degrees>(std::rand() % 360);
    const Velocity speed = static_cast<Velocity>(std::rand() % 3) * kBaseVelocity;
    particleTools.entitySystem.addNewParticle(boost::make_shared<DeathCloudParticle>(
        particleTools.graphics, centerX, centerY, speed, angle));
  }
}
