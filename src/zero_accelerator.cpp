#include "zero_accelerator.h"

// Constant-initialised, so constants of other files may refer to it at any time.
const ZeroAccelerator ZeroAccelerator::kZero;

void ZeroAccelerator::updateVelocity(Kinematics&, Millis) const {}
