#pragma once

#include <set>

#include "units.h"

// A countdown that owners only reset and query; Timer::updateAll advances every
// live timer once per frame.
class Timer {
 public:
  explicit Timer(Millis expirationTime, bool startActive = false);
  // A copy is a timer of its own and must be advanced too.
  Timer(const Timer& other);
  Timer& operator=(const Timer& other);
  ~Timer();

  void reset() { counted = 0; }
  bool active() const { return counted < expirationTime; }
  bool expired() const { return !active(); }
  Millis currentTime() const { return counted; }

  static void updateAll(Millis elapsedTime);

  Millis counted;
  Millis expirationTime;

  static std::set<Timer*> timers;

 private:
  void update(Millis elapsedTime);
};
