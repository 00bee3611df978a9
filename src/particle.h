#pragma once

#include "units.h"

class Graphics;

// A visual effect that touches nothing and decides by itself when it is over.
class Particle {
 public:
  // False once the particle is finished; its system then drops it.
  virtual bool update(Millis elapsedTime) = 0;
  virtual void draw(Graphics& graphics) const = 0;
  virtual ~Particle() = default;
};
