#pragma once

#include "units.h"

// Motion along one axis; a body keeps one for x and one for y.
struct Kinematics {
  GameUnit position;  // the body's origin, its top-left corner
  Velocity velocity;
};
