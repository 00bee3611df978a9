#pragma once

#include <cmath>

#include "units.h"

struct PolarVector {
  PolarVector(GameUnit magnitude, Degrees angle) : magnitude(magnitude), angle(angle) {}

  GameUnit x() const {
    return magnitude * static_cast<float>(std::cos(degreesToRadians(angle)));
  }
  GameUnit y() const {
    return magnitude * static_cast<float>(std::sin(degreesToRadians(angle)));
  }

  GameUnit magnitude;
  Degrees angle;
};
