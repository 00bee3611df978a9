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

  // The fastest fall, under either gravity of the game.
  static constexpr Velocity kTerminalSpeed = 0.2998046875f;
  static const ConstantAccelerator kGravity;
};
