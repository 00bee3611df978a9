#include "friction_accelerator.h"

#include <algorithm>

#include "kinematics.h"

void FrictionAccelerator::updateVelocity(Kinematics& kinematics, Millis elapsedTime) const {
  const float elapsed = static_cast<float>(static_cast<double>(elapsedTime));
  const Velocity velocity = kinematics.velocity;
  kinematics.velocity = velocity > 0 ? std::max(velocity - friction * elapsed, 0.0f)
                                     : std::min(velocity + friction * elapsed, 0.0f);
}
