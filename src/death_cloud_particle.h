#pragma once

#include "animated_sprite.h"
#include "particle.h"
#include "polar_vector.h"
#include "units.h"

class Graphics;
struct ParticleTools;

// A puff of smoke drifting away from where the bat died, gone after one loop.
class DeathCloudParticle : public Particle {
 public:
  DeathCloudParticle(Graphics& graphics, GameUnit centerX, GameUnit centerY, Velocity speed,
                     Degrees angle);

  bool update(Millis elapsedTime) override;
  void draw(Graphics& graphics) const override;

  // Into the entity system, so the smoke stays behind the player.
  static void createRandomDeathClouds(ParticleTools& particleTools, GameUnit centerX,
                                      GameUnit centerY, int numParticles);

  GameUnit x;
  GameUnit y;
  Velocity speed;
  PolarVector offset;
  AnimatedSprite sprite;
};
