#pragma once

#include "accelerator.h"
#include "units.h"

struct Kinematics;

class ZeroAccelerator : public Accelerator {
 public:
  constexpr ZeroAccelerator() {}

  void updateVelocity(Kinematics& kinematics, Millis elapsedTime) const override;

  static const ZeroAccelerator kZero;
};
