#pragma once

#include "units.h"

struct Kinematics;

// Changes one axis's velocity before that axis moves. Every accelerator is a shared
// constant: bodies refer to them and never own one.
class Accelerator {
 public:
  virtual void updateVelocity(Kinematics& kinematics, Millis elapsedTime) const = 0;
  virtual ~Accelerator() = default;
};
