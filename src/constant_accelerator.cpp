#include "constant_accelerator.h"

#include <algorithm>

#include "kinematics.h"

// Constant-initialised, so constants of other files may refer to it at any time.
const ConstantAccelerator ConstantAccelerator::kGravity(0.00078125f, kTerminalSpeed);

// The limit also cuts a speed already beyond it on the push's side at once; motion
// against the push is only accelerated.
void ConstantAccelerator::updateVelocity(Kinematics& kinematics, Millis elapsedTime) const {
  const float elapsed = static_cast<float>(static_cast<double>(elapsedTime));
  const Velocity pushed = kinematics.velocity + acceleration * elapsed;
  kinematics.velocity =
      acceleration < 0 ? std::max(pushed, maxVelocity) : std::min(pushed, maxVelocity);
}
