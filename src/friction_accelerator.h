#pragma once

#include "accelerator.h"
#include "units.h"

struct Kinematics;

// Slows toward rest and stops exactly there, never reversing.
class FrictionAccelerator : public Accelerator {
 public:
  constexpr explicit FrictionAccelerator(Acceleration friction) : friction(friction) {}

  void updateVelocity(Kinematics& kinematics, Millis elapsedTime) const override;

  Acceleration friction;
};
