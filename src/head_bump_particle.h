#pragma once

#include "particle.h"
#include "polar_vector.h"
#include "sprite.h"
#include "timer.h"
#include "units.h"

class Graphics;

// Two flickering specks flying apart from where the player's head hit the ceiling.
class HeadBumpParticle : public Particle {
 public:
  HeadBumpParticle(Graphics& graphics, GameUnit centerX, GameUnit centerY);

  bool update(Millis elapsedTime) override;
  void draw(Graphics& graphics) const override;

  GameUnit centerX;
  GameUnit centerY;
  Sprite sprite;
  Timer liveTimer;
  PolarVector particleA;
  PolarVector particleB;
  GameUnit maxOffsetA;
  GameUnit maxOffsetB;
};
