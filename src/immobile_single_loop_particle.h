#pragma once

#include <string>

#include "animated_sprite.h"
#include "particle.h"
#include "units.h"

class Graphics;

// An animation played once in place.
class ImmobileSingleLoopParticle : public Particle {
 public:
  ImmobileSingleLoopParticle(Graphics& graphics, const std::string& spriteName,
                             PixelUnit sourceX, PixelUnit sourceY, PixelUnit width,
                             PixelUnit height, Fps fps, FrameIndex numFrames, GameUnit x,
                             GameUnit y);

  bool update(Millis elapsedTime) override;
  void draw(Graphics& graphics) const override;

  GameUnit x;
  GameUnit y;
  AnimatedSprite sprite;
};

// The flash where a projectile leaves the gun or runs out of range.
class ProjectileStarParticle : public ImmobileSingleLoopParticle {
 public:
  ProjectileStarParticle(Graphics& graphics, GameUnit x, GameUnit y);
};

// The burst where a projectile strikes a wall.
class ProjectileWallParticle : public ImmobileSingleLoopParticle {
 public:
  ProjectileWallParticle(Graphics& graphics, GameUnit x, GameUnit y);
};
