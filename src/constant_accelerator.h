#pragma once

#include "accelerator.h"
#include "units.h"

struct Kinematics;

// A steady push up to a speed limit; both values carry the push's sign.
class ConstantAccelerator : public Accelerator {
 public:
  constexpr ConstantAccelerator(Acceleration acceleration, Velocity maxVelocity)
      : acceleration(acceleration), maxVelocity(maxVelocity) {}

  void updateVelocity(Kinematics& kinematics, Millis elapsedTime) const override;

  Acceleration acceleration;
  Velocity maxVelocity;

  static const ConstantAccelerator kGravity;
};
