#pragma once

#include "units.h"

// The loop's time source. Tests derive from it to run frames at fixed times.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual Millis ticks();
  virtual void delay(Millis duration);
};
